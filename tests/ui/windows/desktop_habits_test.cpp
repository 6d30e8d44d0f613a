// The windows and keys behave as a desktop program's do: the map window stays,
// closed windows come back from "View", lists and radio groups keep their
// arrow keys, and the menus have Alt+letter keys.
#include <QAccessible>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTest>
#include <QWindow>

#include "../editor_fixture.h"

namespace d7::test {
namespace {

class DesktopHabitsTest : public EditorFixture {
  protected:
    ui::Tmainform& main() { return ed->mainForm(); }
    ui::Tmapform& map() { return ed->mapForm(); }
    QPoint origin() { return {map().originX(), map().originY()}; }
    void openMenu(const char* name) {
        emit main().mainMenu().menu(QString::fromLatin1(name))->aboutToShow();
    }
};

TEST_F(DesktopHabitsTest, TheMapWindowRefusesEveryCloseRequestUntilTheEditorEnds) {
    load();
    EXPECT_FALSE(map().windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(map().close());
    ASSERT_NE(map().windowHandle(), nullptr);
    EXPECT_FALSE(map().windowHandle()->close());  // as the window manager asks
    EXPECT_TRUE(map().isVisible());
    EXPECT_TRUE(main().close());
    EXPECT_TRUE(map().close());
}

TEST_F(DesktopHabitsTest, ViewShowsEveryClosedWindowAgain) {
    load();
    const std::pair<const char*, QWidget*> windows[] = {
        {"M_ShowMinimap", &ed->miniForm()},       {"M_ShowTileSelector", &ed->tileSelectForm()},
        {"M_ShowTileViewer", &ed->tileForm()},    {"M_ShowBrushEditor", &ed->brushEditForm()},
        {"M_ShowTraderoutes", &ed->traderForm()},
    };
    for (const auto& [item, window] : windows) {
        window->close();
        ASSERT_FALSE(window->isVisible()) << item;
        trigger(item);
        EXPECT_TRUE(window->isVisible()) << item;
    }
    EXPECT_EQ(action("M_ShowTileSelector")->text(), "Tile Selector");
    EXPECT_EQ(ed->traderForm().windowTitle(), "Traderoutes");

    // A report window comes back with its report, once there was one.
    openMenu("M_View");
    EXPECT_FALSE(action("M_ShowStatistics")->isEnabled());
    ed->statForm().showReport({"first line"}, false);
    ed->statForm().close();
    openMenu("M_View");
    EXPECT_TRUE(action("M_ShowStatistics")->isEnabled());
    trigger("M_ShowStatistics");
    EXPECT_TRUE(ed->statForm().isVisible());
    EXPECT_EQ(ed->statForm().lines(), QStringList{"first line"});
}

TEST_F(DesktopHabitsTest, ArrowKeysMoveInAFocusedListAndScrollTheMapElsewhere) {
    load();
    map().scrollTo(10, 10);
    QTest::keyClick(main().mapbox, Qt::Key_Down);
    EXPECT_EQ(ed->state().curMap, 1);  // the next map, chosen as a click chooses it
    EXPECT_EQ(main().ctybox->currentRow(), 1);
    QTest::keyClick(main().ctybox, Qt::Key_Down);
    EXPECT_EQ(main().ctybox->currentRow(), 2);
    EXPECT_EQ(origin(), QPoint(10, 10));
    QTest::keyClick(main().mapbox, Qt::Key_S);  // the letters scroll the map from anywhere
    EXPECT_EQ(origin(), QPoint(11, 11));
    QTest::keyClick(main().cb_smith, Qt::Key_Down);
    EXPECT_EQ(origin(), QPoint(12, 12));
}

TEST_F(DesktopHabitsTest, ARadioGroupIsOneTabStopChosenWithTheArrowKeys) {
    load();
    ui::RadioGroup* group = main().rd_editt;
    auto tabStops = [group] {
        std::vector<int> stops;
        for (int i = 0; i < group->count(); ++i)
            if (group->button(i)->focusPolicy() & Qt::TabFocus) stops.push_back(i);
        return stops;
    };
    const int first = group->itemIndex();
    EXPECT_EQ(tabStops(), std::vector<int>{first});
    QApplication::setActiveWindow(&main());
    group->button(first)->setFocus();
    QTest::keyClick(group->button(first), Qt::Key_Down);
    EXPECT_EQ(group->itemIndex(), first + 1);
    EXPECT_EQ(ed->state().view.editType, first + 1);  // as a click does
    EXPECT_EQ(QApplication::focusWidget(), group->button(first + 1));
    EXPECT_EQ(tabStops(), std::vector<int>{first + 1});
    QTest::keyClick(group->button(first + 1), Qt::Key_Tab);
    EXPECT_FALSE(group->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(DesktopHabitsTest, TopMenusHaveTheirOwnAltLettersAndKeepTheirCaptionsAsNames) {
    QString letters;
    for (QAction* a : main().menuBar()->actions()) {
        const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << a->text().toStdString();
        EXPECT_FALSE(letters.contains(a->text().at(amp + 1).toLower())) << a->text().toStdString();
        letters += a->text().at(amp + 1).toLower();
    }
    EXPECT_EQ(action("M_File")->text(), "&File");
    EXPECT_EQ(action("M_View")->text(), "&View");
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(main().menuBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->child(0)->text(QAccessible::Name), "File");
}

TEST_F(DesktopHabitsTest, MapSizeChecksTheCurrentSize) {
    load(1);
    openMenu("M_MapSize");
    EXPECT_TRUE(action("M_Zoom100")->isChecked());
    EXPECT_FALSE(action("M_Zoom200")->isChecked());
    trigger("M_Zoom200");
    EXPECT_FALSE(action("M_Zoom100")->isChecked());
    EXPECT_TRUE(action("M_Zoom200")->isChecked());
}

}  // namespace
}  // namespace d7::test
