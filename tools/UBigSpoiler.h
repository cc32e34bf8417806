// Writes a synthetic text spoiler of any number of cards, in the labelled-field format the
// edition import reads, with a program section at its end: the input of the import
// benchmark and a way to try the import on a large edition.
#pragma once

#include <cstdint>
#include <string>

namespace zandor {

// Writes N cards (default field keys, some texts and flavours over two lines) and a program
// for every fourth card to path. The same seed gives the same file. False when the file
// cannot be written.
bool MakeBigSpoiler(const std::string& path, std::size_t cards, std::uint32_t seed = 1);

} // namespace zandor
