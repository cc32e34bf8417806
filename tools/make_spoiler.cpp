// make-spoiler N FILE [SEED]: writes a synthetic text spoiler of N cards with a program
// section, for trying and measuring the edition import.
#include "tools/UBigSpoiler.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make-spoiler N FILE [SEED]\n";
        return 2;
    }
    const long n = std::strtol(argv[1], nullptr, 10);
    if (n < 1) {
        std::cerr << "make-spoiler: N must be a positive number\n";
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
    if (!zandor::MakeBigSpoiler(argv[2], static_cast<std::size_t>(n), seed)) {
        std::cerr << "make-spoiler: cannot write " << argv[2] << "\n";
        return 1;
    }
    std::cout << "Wrote a spoiler of " << n << " cards to " << argv[2] << "\n";
    return 0;
}
