#include "samplegen/language_art.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <stdexcept>

#include "core/analysis/name_generator.h"
#include "core/model/language_file.h"
#include "core/model/map_layout.h"

namespace d7::samplegen {

namespace {

constexpr std::size_t kMapNameLength = 11;
constexpr const char* kLandWithoutDomainName = "Unclaimed";

// Short texts of the game's other entries.
constexpr const char* kPhrases[] = {
    "New campaign",
    "Load campaign",
    "Save campaign",
    "Options",
    "Leave",
    "Yes",
    "No",
    "Next season",
    "Harvest",
    "Taxes",
    "Treasury",
    "Granary",
    "Army",
    "Recruit",
    "Dismiss",
    "March",
    "Besiege",
    "Retreat",
    "Trade",
    "Market",
    "Envoy",
    "Alliance",
    "Truce",
    "War declared",
    "Peace agreed",
    "Spring",
    "Summer",
    "Autumn",
    "Winter",
    "Famine",
    "Plenty",
    "Plague",
    "Feast",
    "Castle",
    "Town",
    "Village",
    "Quarry",
    "Mine",
    "Woodcutter",
    "Blacksmith",
    "Fields",
    "Road",
    "Forest",
    "Mountains",
    "Coast",
    "Your county",
    "Neighbours",
    "Scouts report",
    "The lord asks",
    "Victory",
    "Defeat",
    "Continue",
    "Back",
    "Help",
    "Chronicle",
};

// Three equal letters in a row read badly ("Corrrock").
bool readsWell(const std::string& name) {
    for (std::size_t i = 2; i < name.size(); ++i) {
        const char a = char(std::tolower(static_cast<unsigned char>(name[i - 2])));
        const char b = char(std::tolower(static_cast<unsigned char>(name[i - 1])));
        const char c = char(std::tolower(static_cast<unsigned char>(name[i])));
        if (a == b && b == c) return false;
    }
    return true;
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

NameGenerator wordList() {
    NameGenerator g;
    g.load(builtInNameList());
    return g;
}

}  // namespace

std::vector<std::string> makeMapNames(Random& rng) {
    NameGenerator g = wordList();
    std::vector<std::string> names;
    std::set<std::string> seen;
    while (names.size() < std::size_t(kMapCount)) {
        g.drawPrefix(rng);
        g.drawSuffix(rng);
        std::string name = g.prefix() + g.suffix();
        std::replace(name.begin(), name.end(), ';', ' ');
        if (name.size() > kMapNameLength || !readsWell(name) || !seen.insert(name).second) continue;
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> makeDomainNameSlots(int count, Random& rng) {
    NameGenerator g = wordList();
    std::vector<std::string> slots(kDomainSlotsPerMap);
    slots[0] = kLandWithoutDomainName;
    std::set<std::string> seen;
    for (int d = 1; d <= count;) {
        g.drawAll(rng);
        const auto name = g.compose(NameGenerator::kAll, rng);
        if (!name || !readsWell(*name) || !seen.insert(*name).second) continue;
        slots[std::size_t(d++)] = *name;
    }
    return slots;
}

std::vector<std::string> traderNames() {
    return {"Orvald Penn", "Mirella Daske", "Tobin Quarle",
            "Ysane Holt",  "Garrek Vome",   "Ilsa Brandt"};
}

std::vector<std::uint8_t> makeLanguageFile(const LanguageTexts& texts) {
    std::vector<std::vector<std::string>> entries(kLanguageEntries);
    for (int k = 0; k < kLanguageEntries; ++k)
        entries[std::size_t(k)] = {std::string(kPhrases[std::size_t(k) % std::size(kPhrases)])};
    entries[kTraderNamesEntry] = texts.traders;
    entries[kDomainNamesEntry] = texts.domains;
    entries[kMapNamesEntry] = texts.maps;

    std::vector<std::uint8_t> file(kLanguageMinSize, 0);
    // Header: a signature, the format version and the entry count.
    const char kSignature[] = "D7TXT";
    std::copy(kSignature, kSignature + 5, file.begin());
    file[6] = 1;
    file[8] = std::uint8_t(kLanguageEntries & 0xFF);
    file[9] = std::uint8_t(kLanguageEntries >> 8);
    for (int k = 0; k < kLanguageEntries; ++k) {
        put32(file, kLanguageHeaderSize + 4 * std::size_t(k), std::uint32_t(file.size()));
        for (const std::string& item : entries[std::size_t(k)]) {
            if (item.find('\0') != std::string::npos || item.find(';') != std::string::npos)
                throw std::invalid_argument("a name may hold neither zero bytes nor ';'");
            file.insert(file.end(), item.begin(), item.end());
            file.push_back(0);
        }
    }
    put32(file, kLanguageTableEnd, std::uint32_t(file.size()));
    return file;
}

}  // namespace d7::samplegen
