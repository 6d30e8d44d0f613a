// Names are Windows-1252 byte strings in the game's files and in the core;
// this is the code page, both ways, for the editor's windows and the
// command-line tool alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace d7 {

// The character a byte stands for. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters
// of the same number, as Windows maps them, so every byte string converts and
// distinct names stay distinct.
char32_t charOfWindows1252(std::uint8_t byte);

// The byte of a character, or nothing when the code page has none.
std::optional<std::uint8_t> windows1252ByteOf(char32_t c);

// The same text in UTF-8 (what file names and terminals on this platform use).
std::string utf8FromWindows1252(std::string_view text);

// Appends one character as UTF-8.
void appendUtf8(std::string& out, char32_t c);

// The character that starts at text[at] in UTF-8, advancing at past it, or
// nothing (at advanced by one byte) when the bytes there are no valid UTF-8.
std::optional<char32_t> nextUtf8(std::string_view text, std::size_t& at);

}  // namespace d7
