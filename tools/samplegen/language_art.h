// The sample game's language file "K7.ENG" and the names in it: traders,
// map names and the county names of every map, all invented from the
// project's own word list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/random.h"

namespace d7::samplegen {

// The word list (data/names.txt) built into the generator.
std::string_view builtInNameList();

// Everything the language file carries that the editor reads.
struct LanguageTexts {
    std::vector<std::string> traders;  // entry 4: six names
    std::vector<std::string> domains;  // entry 99: 20 slots per map
    std::vector<std::string> maps;     // entry 100: sixty names
};

// Sixty different map names of at most 11 characters.
std::vector<std::string> makeMapNames(Random& rng);
// Different county names (at most 20 characters) for domains 1..count of one
// map, in slots 1..count of a 20-slot block whose slot 0 names the land
// without domain; the unused slots stay empty.
std::vector<std::string> makeDomainNameSlots(int count, Random& rng);
// The six traders.
std::vector<std::string> traderNames();

// The bytes of the language file: a 12-byte header, 320 entry offsets, the
// end of the last entry and the texts. Entries 4, 99 and 100 hold the lists;
// the others short texts of their own.
std::vector<std::uint8_t> makeLanguageFile(const LanguageTexts& texts);

}  // namespace d7::samplegen
