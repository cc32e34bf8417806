// The "render" command of the command-line program: one card's face written as a PNG.
#pragma once

#include "core/UCardDatabase.h"

#include <ostream>
#include <string>

namespace zandor {

// Makes sure a GUI application exists (offscreen when no platform is chosen), so that
// text can be drawn from a program without windows, and registers the card fonts.
void EnsureRenderingApplication();

// Stretch method by its option name ("standart", "box", "lanczos3", any case) or number;
// -1 for anything else.
int StretchMethodByName(const std::string& name);

// Draws the card (edition may be empty) with the stretch method named (empty: the
// settings' choice) and writes the face to outFile. Problems with frames or art are told
// on err; the exit code is 0 when the picture was written.
int RunRenderCommand(const TCardDatabase& db, const std::string& name, const std::string& edition,
                     const std::string& stretch, const std::string& outFile, std::ostream& out,
                     std::ostream& err);

} // namespace zandor
