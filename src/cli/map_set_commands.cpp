// info, save, rename-map, rename-domain: the map set as a whole.
#include <cstdio>
#include <ostream>
#include <string_view>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/name_encoding.h"

namespace d7::cli {

namespace {

const ArgSyntax kGameDirSpec{{kPl8Option}, {}};

struct MapCounts {
    int domainCells = 0;
    int castles = 0;
    int towns = 0;
};

// Counts straight from map n's block in the map store.
MapCounts countMap(const EditorState& st, int n) {
    MapCounts c;
    const std::uint8_t* block = st.mapStore.data() + blockOffset(n);
    auto plane = [&](int p, int i) { return block[p * kCellCount + i]; };
    for (int i = 0; i < kCellCount; ++i) {
        const int m0 = plane(0, i), m1 = plane(1, i), m3 = plane(3, i), m5 = plane(5, i);
        if (m5 >= 1 && m5 <= kMaxDomain) ++c.domainCells;
        if (m3 != 0) continue;
        if ((m0 & 0x80) && (m1 & 0x0C) != 0x0C) ++c.castles;
        if (m0 == 0x40 && m1 == 12) ++c.towns;
    }
    return c;
}

// The name as info shows it, padded to the width of the longest map name.
std::string nameColumn(std::string_view name) {
    std::string text = nameForTerminal(name);
    std::size_t characters = 0;
    for (char c : text) characters += (std::uint8_t(c) & 0xC0) != 0x80;
    if (characters < kMapNameLimit) text.append(kMapNameLimit - characters, ' ');
    return text;
}

// The name argument in the bytes the language file stores; refused (exit
// status 2) before anything is loaded when the game cannot store it.
std::string nameArgument(const std::string& text, NameKind kind) {
    EncodedName name = encodeName(text, kind);
    if (!name.bytes) throw RefusedArgument(name.problem);
    return std::move(*name.bytes);
}

}  // namespace

int runInfo(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, kGameDirSpec);
    args.expectCount(1);
    auto st = openGameDir(args.at(0, "DIR"), args);
    for (int n = 0; n < kMapCount; ++n) {
        MapCounts c = countMap(*st, n);
        const std::string name =
            std::size_t(n) < st->mapNames.size() ? st->mapNames[std::size_t(n)] : "";
        char counts[96];
        std::snprintf(counts, sizeof counts, " record %d  domain cells %4d  castles %2d  towns %2d",
                      recordOfMap(n), c.domainCells, c.castles, c.towns);
        char number[8];
        std::snprintf(number, sizeof number, "%2d  ", n);
        out << number << nameColumn(name) << "  " << mapFileName(fileOfMap(n)) << counts << "\n";
    }
    return 0;
}

int runSave(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option}, {"--all"}});
    args.expectCount(2);
    auto st = openGameDir(args.at(0, "DIR"), args);
    if (args.has("--all")) markEveryFileForSaving(*st);
    saveMapSet(*st, args.at(1, "OUT"));
    return 0;
}

int runRenameMap(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, kGameDirSpec);
    args.expectCount(4);
    const std::string name = nameArgument(args.at(2, "TEXT"), NameKind::Map);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "N"));
    setMapName(*st, name);
    saveMapSet(*st, args.at(3, "OUT"));
    return 0;
}

int runRenameDomain(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, kGameDirSpec);
    args.expectCount(5);
    const int k = args.intAt(2, "K", 0, kDomainListEntries - 1);
    const std::string name = nameArgument(args.at(3, "TEXT"), NameKind::Domain);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "N"));
    setDomainName(*st, k, name);
    saveMapSet(*st, args.at(4, "OUT"));
    return 0;
}

}  // namespace d7::cli
