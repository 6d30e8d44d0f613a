#include "ui/windows/report_fixes.h"

#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "../editor_fixture.h"
#include "core/analysis/map_fixes.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"
#include "core/model/map_set_io.h"
#include "support/test_paths.h"
#include "ui/map_editing.h"
#include "ui/windows/map_window.h"
#include "ui/windows/stat_form.h"

namespace d7::test {
namespace {

// The editor on the maps of the sample game, which pass every check, with
// the test graphics.
class ReportFixesTest : public EditorFixture {
  protected:
    ReportFixesTest() {
        const fs::path sample = D7_SAMPLE_DIR;
        const auto over = fs::copy_options::overwrite_existing;
        fs::copy_file(sample / "k7_maps.dat", game / "k7_maps.dat", over);
        fs::copy_file(sample / "K7.ENG", game / "K7.ENG", over);
        for (int i = 1; i <= 15; ++i)
            fs::copy_file(sample / "pl8" / mapFileName(i), game / mapFileName(i), over);
    }
    ui::Tstatform& stat() { return ed->statForm(); }
    int lineOf(const QString& text) { return int(stat().lines().indexOf(text)); }
    void putCursorOn(int line) {
        stat().Memo1->setTextCursor(QTextCursor(stat().Memo1->document()->findBlockByNumber(line)));
    }
    // A land cell of a domain whose eight neighbours are of that domain too.
    Point innerCell() {
        const WorkingPlanes& p = ed->state().planes;
        for (int y = 1; y < kGrid - 1; ++y)
            for (int x = 1; x < kGrid - 1; ++x) {
                const int d = p.M5.at(x, y);
                bool inside = d >= 1 && d <= kMaxDomain && p.M0.at(x, y) == 0;
                for (Offset o : kDirections) inside = inside && p.M5.at(x + o.dx, y + o.dy) == d;
                if (inside) return {x, y};
            }
        return {};
    }
};

TEST_F(ReportFixesTest, MarkedLinesAreFixedOneByOneOrAllAtOnceAndStillJumpToTheirCell) {
    load();
    EditorState& st = ed->state();
    ui::ReportFixes& fixes = ui::reportFixes(*ed);
    trigger("M_CheckSubmaps");
    EXPECT_EQ(stat().lines(), QStringList{"Ok."});
    EXPECT_FALSE(fixes.fixAllButton()->isEnabled());

    const Point c = innerCell();
    ASSERT_TRUE(c.isSet());
    const int domain = st.planes.M5.at(c.x, c.y);
    setCellDomain(st, c.x, c.y, kNoDomain, st.curMap, false);
    const Point black{c.x + 1, c.y};
    setCell(st, st.curMap, black.x, black.y, {.tile = 2});
    trigger("M_CheckMap");
    const QString missing =
        QStringLiteral("[fix] Missing Domain definition at (%1,%2)").arg(c.x).arg(c.y);
    const int line = lineOf(missing);
    ASSERT_GE(line, 0) << stat().lines().join('\n').toStdString();
    ASSERT_EQ(fixes.fixesOfLine(line).size(), 1u);
    EXPECT_EQ(fixTitle(fixes.fixesOfLine(line)[0]), "Fix: give the cell (" + std::to_string(c.x) +
                                                        "," + std::to_string(c.y) + ") domain " +
                                                        std::to_string(domain));
    EXPECT_EQ(fixes.fixesOfLine(lineOf("[fix] Black tiles left: 1")).size(), 2u);
    EXPECT_TRUE(fixes.fixAllButton()->isEnabled());

    // Choosing the marked line still finds its cell.
    putCursorOn(line);
    QTest::keyClick(stat().Memo1, Qt::Key_Return);
    EXPECT_EQ(ed->mapForm().markedCell(), QPoint(c.x, c.y));

    // Ctrl+F fixes the line of the text cursor and shows the check again.
    putCursorOn(line);
    QTest::keyClick(stat().Memo1, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(st.planes.M5.at(c.x, c.y), domain);
    EXPECT_EQ(lineOf(missing), -1);
    EXPECT_GE(lineOf("[fix] Black tiles left: 1"), 0);

    // Fix All mends the rest; one undo takes it back.
    QTest::mouseClick(fixes.fixAllButton(), Qt::LeftButton);
    EXPECT_EQ(runMapCheck(st, MapCheck::Errors).findings, 0);
    EXPECT_FALSE(stat().lines().join('\n').contains("[fix]"));
    EXPECT_FALSE(fixes.fixAllButton()->isEnabled());
    ed->editing().undo();
    EXPECT_EQ(st.planes.M0.at(black.x, black.y), 0);
    EXPECT_EQ(st.planes.M2.at(black.x, black.y), 2);

    // Another report takes the fixes with it.
    trigger("M_CheckMap");
    EXPECT_TRUE(fixes.fixAllButton()->isEnabled());
    trigger("M_CheckClipping");
    EXPECT_FALSE(fixes.fixAllButton()->isEnabled());
    EXPECT_TRUE(fixes.fixesOfLine(0).empty());
}

}  // namespace
}  // namespace d7::test
