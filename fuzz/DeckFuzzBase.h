// What the deck fuzz targets share: a check that aborts when it fails, and a small card
// base of six cards to look cards up in.
#pragma once

#include "core/UCardDatabase.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zandor::fuzz {

void check(bool condition);
const zandor::TCardDatabase& SmallBase();
// Makes every file write of the process a plain one, whole but not flushed to the disk:
// targets that write a file for every input would otherwise wait on the disk.
void InstallPlainWriter();
// The fuzzer's bytes as lines, at most limit of them.
std::vector<std::string> InputLines(const std::uint8_t* data, std::size_t size, std::size_t limit);

} // namespace zandor::fuzz
