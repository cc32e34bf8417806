// Any bytes through the Windows-1252 conversions: 8-bit text to UTF-8 and back is the same
// text, and UTF-8 the code page can hold comes back as itself.
#include "core/UCodePage.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = zandor::Cp1252ToUtf8(bytes);
    const auto back = zandor::Utf8ToCp1252(utf8);
    if (!back || *back != bytes)
        std::abort();
    // The same bytes read as UTF-8: when the code page holds them, the round trip is exact.
    if (const auto narrow = zandor::Utf8ToCp1252(bytes)) {
        if (zandor::Cp1252ToUtf8(*narrow) != bytes)
            std::abort();
    }
    return 0;
}
