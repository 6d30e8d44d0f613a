// info, save, rename-map, rename-domain: the map set as a whole.
#include <cstdio>
#include <ostream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"

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

}  // namespace

int runInfo(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, kGameDirSpec);
    args.expectCount(1);
    auto st = openGameDir(args.at(0, "DIR"), args);
    for (int n = 0; n < kMapCount; ++n) {
        MapCounts c = countMap(*st, n);
        char line[160];
        std::snprintf(line, sizeof line,
                      "%2d  %-11s  %s record %d  domain cells %4d  castles %2d  towns %2d\n", n,
                      st->mapNames[std::size_t(n)].c_str(), mapFileName(fileOfMap(n)).c_str(),
                      recordOfMap(n), c.domainCells, c.castles, c.towns);
        out << line;
    }
    return 0;
}

int runSave(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option}, {"--all"}});
    args.expectCount(2);
    auto st = openGameDir(args.at(0, "DIR"), args);
    if (args.has("--all")) {
        st->extChanged.fill(true);
        st->namesChanged = true;
    }
    saveMapSet(*st, args.at(1, "OUT"));
    return 0;
}

int runRenameMap(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, kGameDirSpec);
    args.expectCount(4);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "N"));
    setMapName(*st, args.at(2, "TEXT"));
    saveMapSet(*st, args.at(3, "OUT"));
    return 0;
}

int runRenameDomain(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, kGameDirSpec);
    args.expectCount(5);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "N"));
    int k = args.intAt(2, "K", 0, kDomainListEntries - 1);
    setDomainName(*st, k, args.at(3, "TEXT"));
    saveMapSet(*st, args.at(4, "OUT"));
    return 0;
}

}  // namespace d7::cli
