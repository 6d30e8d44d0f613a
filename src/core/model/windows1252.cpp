#include "core/model/windows1252.h"

namespace d7 {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isContinuation(std::uint8_t b) {
    return (b & 0xC0) == 0x80;
}

}  // namespace

char32_t charOfWindows1252(std::uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? char32_t(kHighControls[byte - 0x80]) : char32_t(byte);
}

std::optional<std::uint8_t> windows1252ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return std::uint8_t(c);
    for (std::uint8_t i = 0; i < 32; ++i)
        if (kHighControls[i] == c) return std::uint8_t(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::optional<char32_t> nextUtf8(std::string_view text, std::size_t& at) {
    const auto lead = std::uint8_t(text[at]);
    int length = 0;
    char32_t c = 0, lowest = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, lowest = 0x10000;
    }
    if (length == 0 || text.size() - at < std::size_t(length)) {
        ++at;
        return std::nullopt;
    }
    for (int i = 1; i < length; ++i) {
        const auto b = std::uint8_t(text[at + std::size_t(i)]);
        if (!isContinuation(b)) {
            ++at;
            return std::nullopt;
        }
        c = (c << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are no characters.
    if (c < lowest || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
        ++at;
        return std::nullopt;
    }
    at += std::size_t(length);
    return c;
}

std::string utf8FromWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) appendUtf8(out, charOfWindows1252(std::uint8_t(ch)));
    return out;
}

}  // namespace d7
