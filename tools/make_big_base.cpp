// make-big-base N [FOLDER] [SEED]: writes a synthetic card base of N lines for benchmarks.
#include "tools/UBigBase.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: make-big-base N [FOLDER] [SEED]\n";
        return 2;
    }
    const long n = std::strtol(argv[1], nullptr, 10);
    if (n < 1) {
        std::cerr << "make-big-base: N must be a positive number\n";
        return 2;
    }
    const std::string folder = argc > 2 ? argv[2] : "big-base";
    ::mkdir(folder.c_str(), 0755);
    const auto seed = static_cast<std::uint32_t>(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
    const zandor::TBigBaseInfo info =
        zandor::MakeBigBase(folder, static_cast<std::size_t>(n), seed);
    std::cout << "Wrote " << info.Lines << " card lines (" << info.Bytes << " bytes, "
              << info.Editions << " editions) to " << folder << "\n";
    return 0;
}
