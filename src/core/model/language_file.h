// The game's language file: a 12-byte header, a table of 320 entry offsets,
// the end of the last entry, then the entries' texts. Each entry is a list of
// items, every item followed by one zero byte.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/model/map_set.h"

namespace d7 {

inline constexpr int kLanguageEntries = 320;
inline constexpr std::size_t kLanguageHeaderSize = 12;
inline constexpr std::size_t kLanguageTableEnd =
    kLanguageHeaderSize + 4 * kLanguageEntries;  // 1292
inline constexpr std::size_t kLanguageMinSize =
    kLanguageTableEnd + 4;  // the end value of entry 319

// What is wrong with a language file image, or nothing when the editor can
// read and rewrite it safely: the table and the end value fit in the file, the
// first text starts after them, and every entry offset lies inside the file and
// is not below the one before it.
std::optional<std::string> languageFileProblem(const Bytes& file);

// Entry k as a list of names (zero bytes separate the items).
std::vector<std::string> readNameEntry(const Bytes& file, int k);

// Replaces entry k by the list and shifts the offsets of the later entries.
// Bytes between the table and the first text keep their values; the end value
// of entry 319 is left as it was. The file must be valid (see above).
void writeNameEntry(Bytes& file, int k, const std::vector<std::string>& items);

}  // namespace d7
