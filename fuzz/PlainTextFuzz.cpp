// Any bytes as rules text: the plain text never grows past twice the input and never
// reads out of range.
#include "core/UCardDatabase.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string plain = zandor::PlainCardText(text);
    if (plain.size() > 2 * size)
        std::abort();
    return 0;
}
