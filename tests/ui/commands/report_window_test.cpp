#include <QMouseEvent>
#include <QTest>
#include <QTextBlock>
#include <cstdint>

#include "../editor_fixture.h"
#include "core/analysis/county_reports.h"
#include "core/analysis/map_checks.h"
#include "core/analysis/report_registry.h"
#include "ui/commands/report_commands.h"
#include "ui/name_text.h"
#include "ui/windows/report_fixes.h"

namespace d7::test {
namespace {

QStringList textsOf(const ReportLines& lines) {
    QStringList texts;
    for (const std::string& line : lines) texts.append(ui::textFromName(line));
    return texts;
}

// The lines as the window shows a check: those with a fix marked.
template <MapCheck check>
ReportLines checkLines(EditorState& st) {
    CheckReport report = runMapCheck(st, check);
    std::size_t marked = SIZE_MAX;
    for (const OfferedFix& o : report.fixes)
        if (o.line != marked) report.lines[marked = o.line].insert(0, ui::kFixMarker);
    return report.lines;
}

class ReportWindowTest : public EditorFixture {
  protected:
    ui::Tstatform& stat() { return ed->statForm(); }
    ui::Tmapform& map() { return ed->mapForm(); }
    QPoint origin() { return {map().originX(), map().originY()}; }

    // The statistics window's text after the command; a modal window is read
    // and closed with its button.
    QStringList shownBy(const char* command, bool modal) {
        QStringList seen;
        bool wasModal = false;
        if (modal)
            whenModal([&](QWidget* w) {
                wasModal = w == &stat();
                seen = stat().lines();
                QTest::mouseClick(stat().bt_ok, Qt::LeftButton);
            });
        trigger(command);
        if (!modal) {
            EXPECT_TRUE(stat().isVisible() && !stat().isModal()) << command;
            seen = stat().lines();
        }
        EXPECT_EQ(wasModal, modal) << command;
        EXPECT_FALSE(modal && stat().isVisible()) << command;
        return seen;
    }
    // Double-clicks line n of the window.
    void chooseLine(int n) {
        const QTextBlock block = stat().Memo1->document()->findBlockByNumber(n);
        const QPoint at = stat().Memo1->cursorRect(QTextCursor(block)).center();
        QTest::mouseDClick(stat().Memo1->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(ReportWindowTest, EveryReportCommandShowsTheLinesOfItsReport) {
    EXPECT_FALSE(action("M_CheckMap")->isEnabled());
    load();
    EditorState& st = ed->state();
    struct Item {
        const char* command;
        bool modal;
        ReportMaker expected;
    };
    const Item items[] = {
        {"M_CheckMap", false, checkLines<MapCheck::Errors>},
        {"M_CheckPathfinding", false, checkLines<MapCheck::Pathfinding>},
        {"M_CheckClipping", false, checkLines<MapCheck::Clipping>},
        {"M_CheckSubmaps", false, checkLines<MapCheck::Submaps>},
        {"M_ListCounties", true, findNamedReport("counties")},
        {"M_ListTownvals", true, findNamedReport("townvals")},
        {"M_ListTraders", true, findNamedReport("traders")},
        {"M_ListTownDistances", false, findNamedReport("town-distances")},
        {"M_ListTraderoute", true, findNamedReport("traderoute")},
        {"M_ListAdjDoms", false, findNamedReport("adj-doms")},
        {"M_ListRoadside", false, findNamedReport("roadside")},
        {"M_ListBlacksmiths", false, findNamedReport("blacksmiths")},
        {"M_StatTownDistances", false, findNamedReport("t2t-adjacent")},
        {"M_TownAdjroadpos", false, findNamedReport("townadjroadpos")},
        {"M_StatTraders", true, findNamedReport("trader-stats")},
    };
    for (const Item& item : items) {
        // Hidden items count as disabled whatever they are; they still run.
        QAction* a = action(item.command);
        EXPECT_TRUE(!a->isVisible() || a->isEnabled()) << item.command;
        const QStringList shown = shownBy(item.command, item.modal);
        EXPECT_EQ(shown, textsOf(item.expected(st))) << item.command;
    }
    EXPECT_EQ(stat().windowTitle(), "Statform");

    ui::showDomainInfo(*ed, 20, 30);
    EXPECT_EQ(stat().lines(), textsOf(countyBlock(st, st.planes.M5.at(20, 30))));
    // A report belongs to its map.
    ed->mainForm().selectMapAndRefresh(3);
    EXPECT_FALSE(stat().isVisible());
}

TEST_F(ReportWindowTest, ADomainLineCentresTheMapOnTheDomainAsTheDomainListDoes) {
    load();
    int domain = 0;
    QPoint expected;
    for (int d = 1; d <= kMaxDomain && domain == 0; ++d) {
        map().scrollTo(0, 0);
        ed->mainForm().ctyboxDblClick(d);
        if (origin() != QPoint(0, 0)) domain = d, expected = origin();
    }
    ASSERT_NE(domain, 0);
    map().scrollTo(0, 0);
    stat().showReport({"Domains:", "Domain " + std::to_string(domain) + " Somewhere"}, false);
    chooseLine(0);
    EXPECT_EQ(origin(), QPoint(0, 0));
    chooseLine(1);
    EXPECT_EQ(origin(), expected);
}

TEST_F(ReportWindowTest, ACellLineScrollsToTheCellAndMarksItUntilTheMouseMoves) {
    load(2);
    map().scrollTo(0, 0);
    stat().showReport({"General:", "Missing Domain definition at (12,40)", "30,50"}, false);
    chooseLine(1);
    const int margin = map().mapbox()->height() / 120;
    EXPECT_EQ(origin(), QPoint(12 - margin, 40 - margin));
    EXPECT_EQ(map().markedCell(), QPoint(12, 40));
    ui::Tselectcontrol* layer = map().selectControl();
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(layer->isVisible());
    // The outline's top corner is the cell's top corner in the window.
    const int w = map().mapbox()->width();
    EXPECT_EQ(layer->markedCell().first(), QPoint(w / 2 + 58, 60 * margin));

    // The keyboard chooses the line of the text cursor.
    QTextCursor cursor(stat().Memo1->document()->findBlockByNumber(2));
    stat().Memo1->setTextCursor(cursor);
    QTest::keyClick(stat().Memo1, Qt::Key_Return);
    EXPECT_EQ(map().markedCell(), QPoint(30, 50));

    map().handleKey(Qt::Key_S);  // scrolling leaves no outline behind
    EXPECT_EQ(map().markedCell(), QPoint(-1, -1));
    QTest::keyClick(stat().Memo1, Qt::Key_Return);
    EXPECT_EQ(map().markedCell(), QPoint(30, 50));
    QTest::mouseMove(map().mapbox(), QPoint(w / 2 + 17, 211));
    EXPECT_EQ(map().markedCell(), QPoint(-1, -1));
    EXPECT_TRUE(layer->markedCell().isEmpty());
    EXPECT_FALSE(layer->isVisible());
}

TEST_F(ReportWindowTest, ExportMapstatsWritesTheStatsFileOrNothing) {
    load();
    const fs::path file = tmp / "stats.txt";
    dialogs.answer(file);
    trigger("M_ExportMapstats");
    EXPECT_EQ(dialogs.asked.back(), "save Stats|*.txt as Map 0");
    std::string expected;
    for (const std::string& line : mapStatsLines(ed->state())) expected += line + "\n";
    const Bytes written = fileBytes(file);
    EXPECT_EQ(std::string(written.begin(), written.end()), expected);

    const fs::path nowhere = tmp / "missing" / "stats.txt";
    dialogs.answer(nowhere);
    trigger("M_ExportMapstats");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].second.find("missing"), std::string::npos);
    EXPECT_FALSE(fs::exists(tmp / "missing"));
    trigger("M_ExportMapstats");  // cancelled
    EXPECT_EQ(prompt.messages.size(), 1u);
}

TEST_F(ReportWindowTest, PathfindingViewsPrintWhiteNumbersOntoTheMap) {
    load(1);
    auto whitePixels = [&] {
        int n = 0;
        for (std::uint32_t p : ed->renderer().pixels()) n += p == 0xFFFFFFFFu;
        return n;
    };
    const int before = whitePixels();
    for (const char* view : {"M_MoveMatrix", "M_RoadMoveMatrix", "M_RDistM", "M_DistMatrix"}) {
        ed->renderer().redrawMap();
        trigger(view);
        EXPECT_GT(whitePixels(), before + 1000) << view;
    }
    EXPECT_EQ(ed->state().DistMatrix.at(4, 12), 1);  // RDistM searched from (4, 12)
}

}  // namespace
}  // namespace d7::test
