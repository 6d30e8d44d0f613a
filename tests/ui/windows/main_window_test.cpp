#include <QLineEdit>
#include <QTest>

#include "../editor_fixture.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "ui/name_text.h"

namespace d7::test {
namespace {

using ui::textFromName;

class MainWindowTest : public EditorFixture {
  protected:
    ui::Tmainform& main() { return ed->mainForm(); }
    ui::Tmapform& map() { return ed->mapForm(); }
    QPoint rowCentre(QListWidget* list, int row) {
        return list->visualItemRect(list->item(row)).center();
    }
};

TEST_F(MainWindowTest, ListsShowTheMapSetAndTheFirstMapsDomains) {
    load();
    EXPECT_EQ(main().mapbox->count(), 60);
    EXPECT_EQ(main().mapbox->item(7)->text(), "Map 7");
    EXPECT_EQ(main().mapbox->currentRow(), 0);
    ASSERT_EQ(main().ctybox->count(), 17);
    EXPECT_EQ(main().ctybox->item(0)->text(), "Land 0");
    EXPECT_EQ(main().ctybox->item(16)->text(), "County 0.16");
    EXPECT_EQ(main().ctybox->currentRow(), 0);
    EXPECT_TRUE(map().isVisible());
    EXPECT_TRUE(ed->miniForm().isVisible());
}

TEST_F(MainWindowTest, SelectingAMapRebuildsTheDomainListAndClearsTheSelection) {
    load();
    map().setSelState(2);
    QTest::mouseClick(main().mapbox->viewport(), Qt::LeftButton, {}, rowCentre(main().mapbox, 3));
    EXPECT_EQ(ed->state().curMap, 3);
    EXPECT_EQ(main().ctybox->item(0)->text(), "Land 3");
    EXPECT_EQ(main().ctybox->item(5)->text(), "County 3.5");
    EXPECT_EQ(main().ctybox->currentRow(), 1);
    EXPECT_EQ(map().selState(), 0);
}

TEST_F(MainWindowTest, DoubleClickScrollsToTheTownOrTheFirstCellButNotForItemZero) {
    load();
    EditorState& st = ed->state();
    map().scrollTo(30, 30);
    st.CountyTable[0].used = true;  // item 0 is the land without domain: never a target
    main().ctyboxDblClick(0);
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(30, 30));

    Acounty& withTown = st.CountyTable[4];
    withTown.used = true;
    withTown.towns = 1;
    withTown.townPos = {20, 3};
    main().ctyboxDblClick(4);
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(14, 0));

    Acounty& noTown = st.CountyTable[9];
    noTown.used = true;
    noTown.towns = 2;
    st.planes.M5.fill(0);
    st.planes.M5.at(40, 2) = 9;  // found first: x is the outer loop
    st.planes.M5.at(12, 50) = 9;
    st.planes.M5.at(12, 60) = 9;
    main().ctyboxDblClick(9);
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(6, 44));

    st.CountyTable[10].used = false;
    main().ctyboxDblClick(10);
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(6, 44));
}

TEST_F(MainWindowTest, RightClickSelectsTheDomainBeforeThePopupOpens) {
    load();
    EditorState& st = ed->state();
    for (auto& c : st.CountyTable) c = Acounty{};
    st.CountyTable[5].used = true;
    st.CountyTable[5].towns = 1;
    QMenu* popup = main().mainMenu().listPopup();

    rightClick(main().ctybox->viewport(), rowCentre(main().ctybox, 5));
    EXPECT_EQ(main().ctybox->currentRow(), 5);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(action("P_ChangeName")->isVisible());
    EXPECT_TRUE(action("P_StartingPosition")->isVisible());
    EXPECT_TRUE(action("P_SwitchDomainNr")->isVisible());
    popup->hide();

    rightClick(main().ctybox->viewport(), rowCentre(main().ctybox, 6));
    EXPECT_EQ(main().ctybox->currentRow(), 6);
    EXPECT_FALSE(action("P_StartingPosition")->isVisible());
    EXPECT_FALSE(action("P_SwitchDomainNr")->isVisible());
    popup->hide();

    // Over the map list the popup only renames, and the click selects no map.
    rightClick(main().mapbox->viewport(), rowCentre(main().mapbox, 2));
    EXPECT_EQ(st.curMap, 0);
    EXPECT_TRUE(action("P_ChangeName")->isVisible());
    EXPECT_FALSE(action("P_StartingPosition")->isVisible());
    popup->hide();
}

TEST_F(MainWindowTest, RenamingADomainThroughThePopupWritesTheLanguageEntry) {
    load();
    EditorState& st = ed->state();
    QTest::mouseClick(main().mapbox->viewport(), Qt::LeftButton, {}, rowCentre(main().mapbox, 2));
    main().openListPopup(main().ctybox, {});
    main().ctybox->setCurrentRow(3);
    whenModal([this](QWidget* dialog) {
        EXPECT_TRUE(main().nameDialogOpen());
        auto* field = dialog->findChild<QLineEdit*>("ed_name");
        EXPECT_EQ(qobject_cast<ui::Tnchform*>(dialog)->nameLimit(), 20);
        typeText(field, QString::fromUtf8("Ch\u00e2teau;neuf"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    trigger("P_ChangeName");
    EXPECT_FALSE(main().nameDialogOpen());
    const std::string expected = "Ch\xE2teauneuf";
    EXPECT_EQ(readNameEntry(st.langStream, kDomainNamesEntry)[2 * 20 + 3], expected);
    EXPECT_EQ(st.curDomainNames[3], expected);
    EXPECT_TRUE(st.namesChanged);
    EXPECT_EQ(main().ctybox->item(3)->text(), QString::fromUtf8("Ch\u00e2teauneuf"));
}

TEST_F(MainWindowTest, RenamingAMapIsLimitedToElevenCharactersAndCancelChangesNothing) {
    load();
    EditorState& st = ed->state();
    main().openListPopup(main().mapbox, {});
    whenModal([](QWidget* dialog) {
        auto* field = dialog->findChild<QLineEdit*>("ed_name");
        QTest::keyClicks(field, "Northern Marches");
        QTest::keyClick(field, Qt::Key_Enter);
    });
    trigger("P_ChangeName");
    EXPECT_EQ(readNameEntry(st.langStream, kMapNamesEntry)[0], "Northern Ma");
    EXPECT_EQ(main().mapbox->item(0)->text(), "Northern Ma");

    st.namesChanged = false;
    main().openListPopup(main().mapbox, {});
    whenModal([](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("ed_name"), "Other");
        QTest::keyClick(dialog->findChild<QLineEdit*>("ed_name"), Qt::Key_Escape);
    });
    trigger("P_ChangeName");
    EXPECT_EQ(st.mapNames[0], "Northern Ma");
    EXPECT_FALSE(st.namesChanged);
}

TEST_F(MainWindowTest, MapKeysTypedInTheMainWindowMoveTheMap) {
    load();
    map().scrollTo(10, 10);
    QTest::keyClick(main().cb_ovsea, Qt::Key_Down);
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(11, 11));
    EXPECT_FALSE(main().cb_ovsea->isChecked());  // the check box did not see the key
    QTest::keyClick(main().mapbox, Qt::Key_A);
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(10, 12));
    QTest::keyClick(main().mapbox, Qt::Key_End);  // other keys stay with the list
    EXPECT_EQ(main().mapbox->currentRow(), 59);
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(10, 12));
}

TEST_F(MainWindowTest, KeysInTheNameDialogStayInItsField) {
    load();
    map().scrollTo(10, 10);
    main().openListPopup(main().ctybox, {});
    whenModal([](QWidget* dialog) {
        auto* field = dialog->findChild<QLineEdit*>("ed_name");
        QTest::keyClicks(field, "Dasw");
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClicks(field, "x");
        QTest::keyClick(field, Qt::Key_Return);
    });
    trigger("P_ChangeName");
    EXPECT_EQ(ed->state().curDomainNames[0], "Daxsw");
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(10, 10));
}

TEST_F(MainWindowTest, StatusBarShowsTheCellAndTheDomainsCounts) {
    load();
    EditorState& st = ed->state();
    st.planes.M5.at(3, 4) = 7;
    st.planes.M5.at(5, 5) = 32;
    Acounty& c = st.CountyTable[7];
    c.quarries = 1, c.mines = 2, c.lumbers = 3, c.villages = 4, c.fields = 12;
    main().showCellInfo(3, 4);
    EXPECT_EQ(main().statusPanelText(0), "X: 3");
    EXPECT_EQ(main().statusPanelText(1), "Y: 4");
    EXPECT_EQ(main().statusPanelText(2), "7: Q: 1 M: 2 L: 3 V: 4 F: 12");
    EXPECT_EQ(main().statusDomain(), 7);
    main().showCellInfo(5, 5);
    EXPECT_EQ(main().statusPanelText(2), "");
    main().showCellInfo(-3, 70);  // off the map: the cell texts stay
    EXPECT_EQ(main().statusPanelText(0), "X: 5");
    EXPECT_EQ(main().statusPanelText(2), "");
}

TEST_F(MainWindowTest, EditTypesShowTheirOwnControls) {
    load();
    ui::Tmainform& m = main();
    EXPECT_TRUE(m.rd_editor->isVisible());
    EXPECT_FALSE(m.rd_brushfill->isVisible());
    EXPECT_FALSE(m.rd_selsub->isVisible());

    m.rd_paste->setItemIndex(3);
    m.rd_editt->button(3)->click();
    EXPECT_FALSE(m.rd_editor->isVisible());
    EXPECT_TRUE(m.rd_brushfill->isVisible());
    EXPECT_TRUE(m.brushpanel->isVisible());
    EXPECT_EQ(m.rd_paste->itemIndex(), 0);
    m.rd_brushfill->button(5)->click();
    EXPECT_TRUE(m.cb_ovsea->isVisible());
    m.rd_brushfill->button(2)->click();
    EXPECT_FALSE(m.cb_ovsea->isVisible());

    m.rd_editt->button(5)->click();
    EXPECT_TRUE(m.bt_setroad->isVisible());
    EXPECT_FALSE(m.rd_brushfill->isVisible());

    m.ctybox->setCurrentRow(0);
    m.rd_editt->button(1)->click();
    EXPECT_EQ(ed->state().view.editType, 1);
    EXPECT_TRUE(map().overimage()->isVisible());
    EXPECT_EQ(map().overimage()->size(), QSize(58, 30));
    EXPECT_FALSE(m.rd_selsub->isVisible());
}

}  // namespace
}  // namespace d7::test
