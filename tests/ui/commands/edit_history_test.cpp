// The edit history in the editor: the "Edit" menu and its keys in every
// window, the steps of clicks, drags and menu commands, the "History" window
// and the unsaved-changes state after undo and redo.
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include "../editor_fixture.h"
#include "core/edit/painting.h"
#include "core/edit/whole_map.h"
#include "core/model/history_steps.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/tiles/tile_palettes.h"
#include "ui/history_ui.h"
#include "ui/windows/history_window.h"

namespace d7::test {
namespace {

class EditHistoryUiTest : public EditorFixture {
  protected:
    EditorState& st() { return ed->state(); }
    ui::Tmapform& map() { return ed->mapForm(); }
    ui::EditHistoryUi& history() { return ed->history(); }

    // Map 0 as grassland, taken as the point the history starts from.
    void loadGrassland() {
        load();
        fillMap(st(), FillKind::Grass);
        takeHistoryBase(st());
        st().unsavedWrites = 0;
        st().history.writesSeen = 0;
        ed->renderer().redrawMap();
        map().scrollTo(10, 10);
    }
    QPoint at(int x, int y) { return map().windowView().centre(x, y); }
    void click(int x, int y) { QTest::mouseClick(map().mapbox(), Qt::LeftButton, {}, at(x, y)); }
    void mouse(QEvent::Type type, int x, int y, Qt::MouseButtons buttons) {
        const QPointF pos = at(x, y);
        QMouseEvent e(type, pos, map().mapbox()->mapToGlobal(pos), Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(map().mapbox(), &e);
    }
    void placeTiles() {
        ed->selectTile(tiles::kBasePalette, 40);
        ed->mainForm().rd_editt->button(ui::kMaptilesEdit)->click();
        click(12, 12);
        click(14, 12);
        click(16, 12);
    }
    Bytes block() const {
        const std::uint8_t* b = mapBlock(ed->state(), ed->state().curMap);
        return Bytes(b, b + kBlockSize);
    }
    QString text(const char* name) { return action(name)->text(); }
};

TEST_F(EditHistoryUiTest, ThreeClicksUndoneAndRedoneWithTheKeysOfEveryWindow) {
    loadGrassland();
    const Bytes loaded = block();
    EXPECT_FALSE(action("M_Undo")->isEnabled());
    EXPECT_FALSE(action("M_Redo")->isEnabled());
    // The menu sits between "File" and "View".
    const QList<QAction*> top = ed->mainForm().menuBar()->actions();
    ASSERT_GE(top.size(), 3);
    EXPECT_EQ(top[1]->objectName(), QStringLiteral("M_Edit"));
    EXPECT_EQ(top[2]->objectName(), QStringLiteral("M_View"));

    placeTiles();
    const Bytes allThree = block();
    ASSERT_NE(allThree, loaded);
    EXPECT_EQ(st().history.map(0).steps.size(), 3u);
    EXPECT_EQ(text("M_Undo"), QStringLiteral("Undo Place Tile"));

    for (QWidget* window : {static_cast<QWidget*>(&map()), static_cast<QWidget*>(&ed->miniForm()),
                            static_cast<QWidget*>(&ed->tileSelectForm())}) {
        window->activateWindow();
        QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    }
    EXPECT_EQ(block(), loaded);
    EXPECT_FALSE(action("M_Undo")->isEnabled());
    EXPECT_EQ(text("M_Redo"), QStringLiteral("Redo Place Tile"));
    EXPECT_FALSE(hasUnsavedChanges(st()));

    map().activateWindow();
    QTest::keyClick(&map(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    ed->miniForm().activateWindow();
    QTest::keyClick(&ed->miniForm(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_NE(st().planes.M2.at(14, 12), loaded[std::size_t(2 * kCellCount + 12 * kGrid + 14)]);
    EXPECT_EQ(st().history.map(0).applied, 2u);
    EXPECT_TRUE(hasUnsavedChanges(st()));
    action("M_Redo")->trigger();
    EXPECT_EQ(block(), allThree);
    EXPECT_FALSE(action("M_Redo")->isEnabled());

    // A new step empties the redo list.
    action("M_Undo")->trigger();
    click(20, 20);
    EXPECT_FALSE(action("M_Redo")->isEnabled());
    EXPECT_EQ(st().history.map(0).steps.size(), 3u);
}

TEST_F(EditHistoryUiTest, ABrushDragIsOneStepAndMenuCommandsAreNamedAfterTheirItem) {
    loadGrassland();
    const Bytes loaded = block();
    ed->mainForm().rd_editt->button(ui::kBrushesEdit)->click();
    ed->mainForm().rd_brushfill->setItemIndex(int(BrushFill::Forest));
    mouse(QEvent::MouseButtonPress, 20, 20, Qt::LeftButton);
    for (int x = 21; x <= 30; ++x) mouse(QEvent::MouseMove, x, 20, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, 30, 20, Qt::NoButton);
    EXPECT_NE(st().planes.M1.at(30, 20), 0);
    ASSERT_EQ(st().history.map(0).steps.size(), 1u);
    EXPECT_EQ(text("M_Undo"), QStringLiteral("Undo Brush"));
    // Moving without the button paints nothing.
    mouse(QEvent::MouseMove, 40, 40, Qt::NoButton);
    EXPECT_EQ(st().planes.M1.at(40, 40), 0);
    action("M_Undo")->trigger();
    EXPECT_EQ(block(), loaded);

    trigger("M_FillAllSea");
    EXPECT_EQ(text("M_Undo"), QStringLiteral("Undo Fill All"));
    trigger("M_RecalcRoads");  // nothing to connect: no step
    EXPECT_EQ(st().history.map(0).steps.size(), 1u);
    // Each map keeps its own history.
    ed->mainForm().selectMapAndRefresh(1);
    EXPECT_FALSE(action("M_Undo")->isEnabled());
    ed->mainForm().selectMapAndRefresh(0);
    EXPECT_EQ(text("M_Undo"), QStringLiteral("Undo Fill All"));
}

TEST_F(EditHistoryUiTest, HistoryWindowShowsTheStepsAndGoesToTheChosenOne) {
    loadGrassland();
    const Bytes loaded = block();
    placeTiles();
    fs::create_directories(tmp / "saved");
    saveMapSet(st(), (tmp / "saved").string());
    action("M_Undo")->trigger();

    action("M_History")->trigger();
    ui::Thistoryform& window = history().window();
    ASSERT_TRUE(window.isVisible());
    QListWidget* list = window.list();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("As loaded"));
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("Place Tile  (saved)"));
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_NE(list->item(3)->foreground().color(), list->item(2)->foreground().color());
    EXPECT_TRUE(hasUnsavedChanges(st()));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(block(), loaded);
    EXPECT_EQ(list->currentRow(), 0);
    // Enter on a line goes there too; back at the saved point nothing is unsaved.
    list->setCurrentRow(3);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(st().history.map(0).applied, 3u);
    EXPECT_FALSE(hasUnsavedChanges(st()));

    window.close();
    EXPECT_FALSE(action("M_History")->isChecked());
    // "View" brings the closed window back by its name.
    action("M_ShowHistory")->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(action("M_History")->isChecked());
}

}  // namespace
}  // namespace d7::test
