// fix: the repairs the map checks offer, applied to one map or every map.
#include <ostream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "core/analysis/map_fixes.h"
#include "core/model/file_io.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/windows1252.h"

namespace d7::cli {

namespace {

// The checks that offer fixes, in the order they are applied.
constexpr MapCheck kFixableChecks[] = {MapCheck::Errors, MapCheck::Pathfinding, MapCheck::Submaps};

std::vector<MapCheck> checksArg(const std::optional<std::string>& list) {
    if (!list) return {std::begin(kFixableChecks), std::end(kFixableChecks)};
    std::vector<MapCheck> checks;
    std::size_t start = 0;
    while (start <= list->size()) {
        const std::size_t comma = std::min(list->find(',', start), list->size());
        const std::string name = list->substr(start, comma - start);
        MapCheck check;
        if (!mapCheckFromName(name, check) || check == MapCheck::Clipping)
            throw UsageError("--checks names errors, pathfinding or submaps, not '" + name + "'");
        // Each check runs once, in the order above, whatever the order given.
        if (std::find(checks.begin(), checks.end(), check) == checks.end()) checks.push_back(check);
        start = comma + 1;
    }
    std::vector<MapCheck> ordered;
    for (MapCheck c : kFixableChecks)
        if (std::find(checks.begin(), checks.end(), c) != checks.end()) ordered.push_back(c);
    return ordered;
}

BlackFill blackArg(const std::optional<std::string>& word) {
    if (!word || *word == "grass") return BlackFill::Grass;
    if (*word == "sea") return BlackFill::Sea;
    throw UsageError("--black must be grass or sea, not '" + *word + "'");
}

void printLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) out << utf8FromWindows1252(line) << '\n';
}

// Fixes map n; prints its fixes and the reports that still have findings
// under the map's heading. Returns whether findings remain.
bool fixMap(EditorState& st, int n, const std::vector<MapCheck>& checks, BlackFill black,
            bool heading, std::ostream& out) {
    selectMap(st, n);
    std::vector<std::string> lines;
    bool remain = false;
    for (MapCheck check : checks) {
        FixRun run = fixAll(st, check, black);
        lines.insert(lines.end(), run.applied.begin(), run.applied.end());
        if (run.report.findings == 0) continue;
        remain = true;
        lines.insert(lines.end(), run.report.lines.begin(), run.report.lines.end());
    }
    if (heading && !lines.empty()) {
        const std::string name =
            std::size_t(n) < st.mapNames.size() ? st.mapNames[std::size_t(n)] : "";
        out << "== Map " << n << " " << utf8FromWindows1252(oneLineText(name)) << " ==\n";
    }
    printLines(out, lines);
    return remain;
}

}  // namespace

int runFix(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Args args(words, {{kPl8Option, "--map", "--checks", "--black"}, {"--all-maps"}});
    args.expectCount(2);
    const bool allMaps = args.has("--all-maps");
    if (allMaps && args.has("--map")) throw UsageError("--map and --all-maps exclude each other");
    const int map = parseInt(args.value("--map").value_or("0"), "--map", 0, kMapCount - 1);
    const std::vector<MapCheck> checks = checksArg(args.value("--checks"));
    const BlackFill black = blackArg(args.value("--black"));
    int withFindings = 0;
    try {
        auto st = openGameDir(args.at(0, "DIR"), args);
        for (int n = allMaps ? 0 : map; n <= (allMaps ? kMapCount - 1 : map); ++n)
            if (fixMap(*st, n, checks, black, allMaps, out)) ++withFindings;
        saveMapSet(*st, args.at(1, "OUT"));
    } catch (const FileError& e) {
        err << "d7irir-cli fix: " << e.what() << "\n";
        return 2;
    }
    if (allMaps) out << "maps with findings: " << withFindings << " of " << kMapCount << '\n';
    return withFindings > 0 ? 1 : 0;
}

}  // namespace d7::cli
