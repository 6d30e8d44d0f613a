// check, report, export-stats: the map checks, statistics and lists as text.
#include <ostream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "core/analysis/county_reports.h"
#include "core/analysis/map_checks.h"
#include "core/analysis/map_stats_file.h"
#include "core/analysis/report_registry.h"
#include "core/model/file_io.h"
#include "core/model/map_access.h"
#include "core/model/name_encoding.h"

namespace d7::cli {

namespace {

constexpr const char* kAllMaps = "--all-maps";

// Lines as the statistics window shows them: the names' bytes as characters,
// control characters escaped.
void printLines(std::ostream& out, const ReportLines& lines) {
    for (const std::string& line : lines) out << nameForTerminal(line) << '\n';
}

MapCheck checkArg(const std::string& word) {
    MapCheck check;
    if (!mapCheckFromName(word, check))
        throw UsageError("the check must be errors, pathfinding, clipping or submaps, not '" +
                         word + "'");
    return check;
}

std::string reportNames() {
    std::string names;
    for (const NamedReport& r : namedReports()) names += std::string(r.name) + ", ";
    return names + "domain-info X Y";
}

// Every map in turn; the exit status says whether any map has findings.
int checkAllMaps(EditorState& st, MapCheck check, std::ostream& out) {
    int withFindings = 0;
    for (int n = 0; n < kMapCount; ++n) {
        selectMap(st, n);
        const CheckReport report = runMapCheck(st, check);
        const std::string name =
            std::size_t(n) < st.mapNames.size() ? st.mapNames[std::size_t(n)] : "";
        out << "== Map " << n << " " << nameForTerminal(name) << " ==\n";
        printLines(out, report.lines);
        if (report.findings > 0) ++withFindings;
    }
    out << "maps with findings: " << withFindings << " of " << kMapCount << '\n';
    return withFindings > 0 ? 1 : 0;
}

}  // namespace

int runCheck(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Args args(words, {{kPl8Option}, {kAllMaps}});
    const bool all = args.has(kAllMaps);
    args.expectCount(all ? 2 : 3);
    const MapCheck check = checkArg(args.at(all ? 1 : 2, "CHECK"));
    const int map = all ? -1 : parseInt(args.at(1, "MAP"), "MAP", 0, kMapCount - 1);
    // 1 says "findings", so a map set that cannot be read is 2, as for diff.
    std::unique_ptr<EditorState> st;
    try {
        st = openGameDir(args.at(0, "DIR"), args);
    } catch (const FileError& e) {
        err << "d7irir-cli check: " << e.what() << "\n";
        return 2;
    }
    if (all) return checkAllMaps(*st, check, out);
    selectMap(*st, map);
    const CheckReport report = runMapCheck(*st, check);
    printLines(out, report.lines);
    return report.findings > 0 ? 1 : 0;
}

int runReport(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, {{kPl8Option}, {}});
    const std::string& name = args.at(2, "NAME");
    const bool domainInfo = name == "domain-info";
    const ReportMaker make = findNamedReport(name);
    if (!domainInfo && !make)
        throw UsageError("NAME must be one of " + reportNames() + ", not '" + name + "'");
    args.expectCount(domainInfo ? 5 : 3);
    int x = 0, y = 0;
    if (domainInfo) {
        x = args.intAt(3, "X", 0, kGrid - 1);
        y = args.intAt(4, "Y", 0, kGrid - 1);
    }
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    printLines(out, domainInfo ? domainInfoReport(*st, x, y) : make(*st));
    return 0;
}

int runExportStats(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option}, {}});
    args.expectCount(3);
    const std::string& target = args.at(2, "OUT.txt");
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    writeMapStats(*st, target);
    return 0;
}

}  // namespace d7::cli
