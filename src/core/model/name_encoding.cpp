#include "core/model/name_encoding.h"

#include <cstdint>

#include "core/model/windows1252.h"

namespace d7 {

namespace {

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

void appendEscape(std::string& out, unsigned value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[(value >> 4) & 15];
    out += kHex[value & 15];
}

std::string quoted(std::string text) {
    return '"' + text + '"';
}

std::string codePointText(char32_t c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4)
        digits += kHex[(c >> shift) & 15];
    return "U+" + digits;
}

}  // namespace

const char* nameKindText(NameKind kind) {
    return kind == NameKind::Map ? "map name" : "domain name";
}

std::size_t nameLimit(NameKind kind) {
    return kind == NameKind::Map ? kMapNameLimit : kDomainNameLimit;
}

bool isNameCharacter(char32_t c) {
    return c != U';' && !isControl(c) && windows1252ByteOf(c).has_value();
}

EncodedName encodeName(std::string_view text, NameKind kind) {
    const std::string what = std::string("the ") + nameKindText(kind) + " " + quotedText(text);
    std::string bytes;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const std::optional<char32_t> c = nextUtf8(text, at);
        if (!c) {
            std::string byte;
            appendEscape(byte, std::uint8_t(text[start]));
            return {std::nullopt, what + " is no UTF-8 text (byte " + byte + ")"};
        }
        if (!isNameCharacter(*c)) {
            std::string shown;
            if (!isControl(*c)) shown = "'" + std::string(text.substr(start, at - start)) + "' ";
            const char* why = *c == U';'      ? "separates names in the game's files"
                              : isControl(*c) ? "is a control character"
                                              : "has no Windows-1252 byte";
            return {std::nullopt, what + " holds " + shown + "(" + codePointText(*c) + "), which " +
                                      why + "; nothing written"};
        }
        bytes += char(*windows1252ByteOf(*c));
    }
    if (bytes.size() > nameLimit(kind))
        return {std::nullopt, what + " has " + std::to_string(bytes.size()) + " characters; a " +
                                  nameKindText(kind) + " holds at most " +
                                  std::to_string(nameLimit(kind)) + "; nothing written"};
    return {std::move(bytes), {}};
}

std::string escapedName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (const char ch : name) {
        const auto b = std::uint8_t(ch);
        if (isControl(charOfWindows1252(b)))
            appendEscape(out, b);
        else
            out += ch;
    }
    return out;
}

std::string nameForTerminal(std::string_view name, std::size_t maxCharacters) {
    const bool cut = maxCharacters > 0 && name.size() > maxCharacters;
    std::string text = utf8FromWindows1252(escapedName(cut ? name.substr(0, maxCharacters) : name));
    if (cut) text += "...";
    return text;
}

std::string quotedName(std::string_view name) {
    return quoted(nameForTerminal(name, kQuotedCharacters));
}

std::string quotedText(std::string_view text) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++characters) {
        if (characters == kQuotedCharacters) {
            out += "...";
            break;
        }
        const std::size_t start = at;
        const std::optional<char32_t> c = nextUtf8(text, at);
        if (!c || *c < 0x100) {
            if (c && !isControl(*c))
                appendUtf8(out, *c);
            else
                appendEscape(out, c ? unsigned(*c) : std::uint8_t(text[start]));
        } else {
            out.append(text.substr(start, at - start));
        }
    }
    return quoted(out);
}

}  // namespace d7
