#include "core/UCodePage.h"

#include <array>
#include <cstdint>

namespace zandor {

namespace {

// Code points of the bytes 0x80..0x9F; the five unassigned bytes map to themselves so
// that every byte survives a round trip.
constexpr std::array<std::uint16_t, 32> high{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<char> toByte(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < high.size(); ++i)
        if (high[i] == cp)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            appendUtf8(out, high[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = 0;
        std::size_t length = 0;
        if (b < 0x80) {
            cp = b;
            length = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            length = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            length = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            length = 4;
        } else {
            return std::nullopt;
        }
        if (i + length > utf8.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        // A character spelt in more bytes than it needs ("\xC0\xAF" for "/") is no UTF-8:
        // taking it would let a "/" or a quote pass every check made on the UTF-8 text.
        constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < smallest[length])
            return std::nullopt;
        const auto byte = toByte(cp);
        if (!byte)
            return std::nullopt;
        out += *byte;
        i += length;
    }
    return out;
}

} // namespace zandor
