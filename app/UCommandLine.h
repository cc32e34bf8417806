// The command line of the companion program "zandor": global options, the table of
// commands, and their dispatch. Kept apart from main so that tests run it in-process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zandor {

// Runs "zandor ARGS..." (without the program name) and returns the exit code.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The data folder when --data gives none: "data" beside the program, or the user's data
// folder for an installed program.
std::string DefaultDataDir();

} // namespace zandor
