// make-price-list FOLDER N [SEED]: writes FOLDER/prices.txt, a price list of N entries
// for the card base in FOLDER (made by make-big-base), in the price lists' fixed columns.
#include "core/UTextFile.h"
#include "tools/UBigMaintData.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make-price-list FOLDER N [SEED]\n";
        return 2;
    }
    const std::string folder = zandor::IncludeTrailingSeparator(argv[1]);
    const auto cards = zandor::ReadTextLines(folder + "cardlist.dat");
    if (!cards) {
        std::cerr << "make-price-list: cannot read " << folder << "cardlist.dat\n";
        return 1;
    }
    const long n = std::strtol(argv[2], nullptr, 10);
    if (n < 1) {
        std::cerr << "make-price-list: N must be a positive number\n";
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
    const auto lines = zandor::MakeBigPriceList(*cards, static_cast<std::size_t>(n), seed);
    const zandor::TWriteResult written = zandor::WriteTextLines(folder + "prices.txt", lines);
    if (!written.Ok) {
        std::cerr << "make-price-list: " << written.Error << "\n";
        return 1;
    }
    std::cout << "Wrote " << n << " price entries to " << folder << "prices.txt\n";
    return 0;
}
