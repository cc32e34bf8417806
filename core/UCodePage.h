// The data files' 8-bit text is Windows-1252; these turn it into UTF-8 for display and
// back, refusing text that the code page cannot hold instead of replacing it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zandor {

std::string Cp1252ToUtf8(std::string_view bytes);
// Nothing when the text is not valid UTF-8 or holds a character outside the code page.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

} // namespace zandor
