// Names are Windows-1252 byte strings in the game's files and in the core.
#pragma once

#include <string>
#include <string_view>

namespace d7 {

// The same text in UTF-8 (what file names on this platform are written in).
// Bytes the code page leaves undefined map to the control characters of the
// same number, so every byte string converts and distinct names stay distinct.
std::string utf8FromWindows1252(std::string_view text);

}  // namespace d7
