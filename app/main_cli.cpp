// The command-line companion: the same jobs as the desktop program, for scripts and tests.
#include "app/UCommandLine.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zandor::RunCommandLine(args, std::cout, std::cerr);
}
