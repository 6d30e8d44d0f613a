// Names between text and the game's files: what a name may hold and how long
// it may be, text (UTF-8) turned into the Windows-1252 bytes the language
// file stores, and a stored name turned back into one line of text to print.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace d7 {

// The longest names the game shows, in characters (one byte each when
// stored): the map list's 11 and the county names' 20.
inline constexpr std::size_t kMapNameLimit = 11;
inline constexpr std::size_t kDomainNameLimit = 20;

enum class NameKind { Map, Domain };

// "map name" or "domain name".
const char* nameKindText(NameKind kind);
std::size_t nameLimit(NameKind kind);

// Whether the character can be part of a stored name: Windows-1252 has a
// byte for it, it is no control character, and it is not ";", which
// separates the names in the game's files.
bool isNameCharacter(char32_t c);

// Text given as a name, checked and encoded.
struct EncodedName {
    std::optional<std::string> bytes;  // the Windows-1252 bytes, when it can be stored
    std::string problem;               // else why not, quoting the text
};

// UTF-8 text as a name of that kind: refused when it is no valid UTF-8, holds a
// character that is no name character, or is longer than the kind's limit.
EncodedName encodeName(std::string_view text, NameKind kind);

// A message's way of quoting text: at most kQuotedCharacters characters, then
// "..." when there were more, in double quotes.
inline constexpr std::size_t kQuotedCharacters = 80;

// A stored name (Windows-1252) as one line of UTF-8 for a terminal: every
// control character (below 0x20, 0x7F and the five undefined bytes) is
// written \xNN with its byte. maxCharacters > 0 keeps at most that many
// characters of the name and adds "..." when it cuts.
std::string nameForTerminal(std::string_view name, std::size_t maxCharacters = 0);
// The same, cut as a message quotes a name and in double quotes.
std::string quotedName(std::string_view name);
// Text given in UTF-8 (a command-line argument) quoted the same way; bytes
// that are no valid UTF-8 are written \xNN too.
std::string quotedText(std::string_view text);

// A stored name with its control characters written \xNN, still in
// Windows-1252: for text built in the code page, such as the comparison of
// two map sets, which both the editor and the terminal show.
std::string escapedName(std::string_view name);

}  // namespace d7
