// "Check", "Lists", "Statistics" and "Export Mapstats".
#include "ui/commands/report_commands.h"

#include <QAction>
#include <optional>

#include "core/analysis/county_reports.h"
#include "core/analysis/map_checks.h"
#include "core/analysis/map_stats_file.h"
#include "core/analysis/report_registry.h"
#include "core/analysis/report_targets.h"
#include "core/model/windows1252.h"
#include "ui/commands/command_guard.h"
#include "ui/editor.h"
#include "ui/name_text.h"
#include "ui/tools/map_popup.h"
#include "ui/windows/report_fixes.h"

namespace d7::ui {

namespace {

constexpr const char* kStatsFilter = "Stats|*.txt";
constexpr const char* kStatsExtension = "txt";

struct ReportItem {
    const char* action;
    bool modal;
    ReportMaker make;  // null: the list report of that name, or the check
    const char* listName = nullptr;
    std::optional<MapCheck> check = std::nullopt;
};

// The map checks stay open beside the map while their findings are looked
// at and fixed.
const ReportItem kReportItems[] = {
    {"M_CheckMap", false, nullptr, nullptr, MapCheck::Errors},
    {"M_CheckPathfinding", false, nullptr, nullptr, MapCheck::Pathfinding},
    {"M_CheckClipping", false, nullptr, nullptr, MapCheck::Clipping},
    {"M_CheckSubmaps", false, nullptr, nullptr, MapCheck::Submaps},
    {"M_ListCounties", true, nullptr, "counties"},
    {"M_ListTownvals", true, nullptr, "townvals"},
    {"M_ListTraders", true, nullptr, "traders"},
    {"M_ListTownDistances", false, nullptr, "town-distances"},
    {"M_ListTraderoute", true, nullptr, "traderoute"},
    {"M_ListAdjDoms", false, nullptr, "adj-doms"},
    {"M_ListRoadside", false, nullptr, "roadside"},
    {"M_ListBlacksmiths", false, nullptr, "blacksmiths"},
    {"M_StatTownDistances", false, nullptr, "t2t-adjacent"},
    {"M_StatTraders", true, nullptr, "trader-stats"},
};

// Other commands of this file that need a map set.
const char* const kOtherCommands[] = {"M_ExportMapstats"};

void showReportOf(Editor& ed, const ReportItem& item) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    if (item.check) {
        reportFixes(ed).showCheck(*item.check);
        return;
    }
    const ReportMaker make = item.make ? item.make : findNamedReport(item.listName);
    ReportLines lines;
    runCommand(ctx.prompt, [&] { lines = make(ctx.st); });
    ed.statForm().showReport(lines, item.modal);
}

// The map's name as a file name: no directory separators, no control bytes,
// no more characters than a name is shown with.
std::string fileNameOf(const std::string& mapName) {
    std::string name = utf8FromWindows1252(mapName.substr(0, std::size_t(kShownNameCharacters)));
    for (char& c : name)
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return name;
}

void M_ExportMapstatsClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    const std::size_t map = std::size_t(ctx.st.curMap);
    const std::string proposed =
        map < ctx.st.mapNames.size() ? fileNameOf(ctx.st.mapNames[map]) : "";
    const auto path = ctx.dialogs.saveFileNamed(kStatsFilter, kStatsExtension, proposed);
    if (!path) return;
    runCommand(ctx.prompt, [&] { writeMapStats(ctx.st, *path); });
}

QAction* menuAction(Editor& ed, const char* name) {
    return ed.mainForm().mainMenu().action(QString::fromLatin1(name));
}

}  // namespace

void connectReportCommands(Editor& ed) {
    reportFixes(ed);
    for (const ReportItem& item : kReportItems)
        QObject::connect(menuAction(ed, item.action), &QAction::triggered, &ed.mainForm(),
                         [&ed, &item] { showReportOf(ed, item); });
    QObject::connect(menuAction(ed, "M_ExportMapstats"), &QAction::triggered, &ed.mainForm(),
                     [&ed] { M_ExportMapstatsClick(ed); });
    QObject::connect(&ed.statForm(), &Tstatform::lineChosen, &ed.mainForm(),
                     [&ed](const QString& line) { jumpToReportLine(ed, line); });
    // The map popup's "Domain Info": the summary of the clicked cell's domain.
    QAction* domainInfo = ed.editing().popup().action(QStringLiteral("P_DomainInfo"));
    domainInfo->setEnabled(true);
    QObject::connect(domainInfo, &QAction::triggered, &ed.mainForm(), [&ed] {
        const QPoint c = ed.mapForm().clickedCell();
        showDomainInfo(ed, c.x(), c.y());
    });
}

void enableReportCommands(Editor& ed, bool mapLoaded) {
    for (const ReportItem& item : kReportItems) menuAction(ed, item.action)->setEnabled(mapLoaded);
    for (const char* name : kOtherCommands) menuAction(ed, name)->setEnabled(mapLoaded);
    enablePathfindingViews(ed, mapLoaded);
}

void showDomainInfo(Editor& ed, int x, int y) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    ed.statForm().showReport(domainInfoReport(ctx.st, x, y), false);
}

void jumpToReportLine(Editor& ed, const QString& line) {
    const ReportTarget target = reportLineTarget(withoutFixMarker(line).toStdString());
    if (target.kind == ReportTarget::Domain)
        ed.mainForm().ctyboxDblClick(target.domain);
    else if (target.kind == ReportTarget::Cell)
        ed.mapForm().markCell(target.x, target.y);
}

}  // namespace d7::ui
