// Names are Windows-1252 byte strings in the editor's state and files; the
// windows show them as QStrings. Both directions keep every byte, so a name
// that is shown and stored again stays the same byte for byte. The code page
// and the rules for names are the core's (core/model/windows1252.h,
// core/model/name_encoding.h), which the command-line tool uses too.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace d7::ui {

// The text of a name's bytes.
QString textFromName(std::string_view bytes);

// A name as lists, titles and messages show it: at most kShownNameCharacters
// characters, then "…" when it was longer. The game shows far fewer, so a
// name past that comes from a damaged or hostile file; cutting it keeps the
// windows quick and readable while the state and the files keep every byte.
inline constexpr int kShownNameCharacters = 80;
QString shownName(std::string_view bytes);

// The bytes of a text, or nothing when a character has no Windows-1252 byte.
std::optional<std::string> nameFromText(const QString& text);

// Whether the character can be part of a name (d7::isNameCharacter).
bool isNameCharacter(QChar c);

}  // namespace d7::ui
