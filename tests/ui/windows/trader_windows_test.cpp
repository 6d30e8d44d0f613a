#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>

#include "../editor_fixture.h"
#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/tiles/overlay_colours.h"
#include "ui/dialogs/traderoute_select_dialog.h"
#include "ui/name_text.h"
#include "ui/tools/trader_popup.h"

namespace d7::test {
namespace {

using render::TraderWindowMode;
using Slots = std::array<std::int32_t, 3>;

// Map 0 made plain: grassland of domain 1 (x < 32) and 7, a town of domain
// 1 at (10, 10) serving trader 1, castles of domains 1 and 7.
class TraderWindows : public EditorFixture {
  protected:
    void SetUp() override {
        load();
        EditorState& st = ed->state();
        const SinkPause quiet(st);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                setCell(st, 0, x, y,
                        {.flags = 0, .tileset = 0, .tile = 6, .domain = x < 32 ? 1 : 7, .code = 2});
        putBuilding(st, 0, 10, 10, flags::kTown, 1, {1, 0, 0});
        putBuilding(st, 0, 20, 20, flags::kBuilding, 1, {0, 0, 0});
        putBuilding(st, 0, 40, 40, flags::kBuilding, 7, {0, 0, 0});
        AnalyseMap(st);
        ed->renderer().redrawMap();
    }
    Slots slotsOf(int d) { return ed->state().CountyTable[std::size_t(d)].tradeSlot; }
    ui::Ttraderform& trader() { return ed->traderForm(); }
    // A point of the isometric picture on cell (x, y).
    static QPoint isoPoint(int x, int y) { return {3 * (x - y + 64) + 1, 3 * (x + y) + 1}; }
    QRgb picturePixel(QPoint p) { return trader().currentPicture().pixel(p) | 0xFF000000u; }
};

TEST_F(TraderWindows, TraderoutesWindowAddsAndRemovesStopsByClicks) {
    trigger("M_Traderoutes");
    ASSERT_TRUE(trader().isVisible());
    EXPECT_EQ(trader().windowTitle(), "Traderoutes");
    ASSERT_EQ(trader().selbox->count(), 6);
    EXPECT_EQ(trader().selbox->item(1)->text(), "Trader 2");
    QWidget* box = trader().picture;

    QTest::mouseClick(box, Qt::LeftButton, {}, isoPoint(10, 10));
    EXPECT_EQ(prompt.messages.back().second, "No trader selected!");
    trader().selbox->setCurrentRow(1);
    QTest::mouseClick(box, Qt::LeftButton, {}, isoPoint(11, 11));
    EXPECT_EQ(slotsOf(1), (Slots{1, 2, 0}));
    EXPECT_EQ(picturePixel(isoPoint(10, 10)), 0xFFFFFF00u);      // towns of trader 2
    QTest::mouseClick(box, Qt::LeftButton, {}, {2, 2});          // beside the diamond
    QTest::mouseClick(box, Qt::LeftButton, {}, isoPoint(5, 5));  // no town
    EXPECT_EQ(slotsOf(1), (Slots{1, 2, 0}));

    trader().rd_view->button(0)->click();  // View 1: 6 pixels per cell
    const QPoint p(6 * 11 + 2, 6 * 10 + 3);
    QMouseEvent move(QEvent::MouseMove, p, box->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(box, &move);
    EXPECT_EQ(trader().statusPanelText(0), "X: 11");
    EXPECT_EQ(trader().statusPanelText(1), "Y: 10");
    const std::uint32_t trader2 = tiles::overlayColour(10, ed->state().gfx.colourSets.domain);
    EXPECT_EQ(picturePixel({6 * 11 + 2, 6 * 10 + 3}), QRgb(tiles::pixelOf(trader2)));
    QTest::mouseClick(box, Qt::RightButton, {}, {6 * 11 + 2, 6 * 10 + 3});
    EXPECT_EQ(slotsOf(1), (Slots{1, 0, 0}));
    EXPECT_EQ(picturePixel({6 * 11 + 2, 6 * 10 + 3}), 0xFFC0C0C0u);
}

TEST_F(TraderWindows, AiPreferencesAndClimateZonesArePagesOfTheSameWindow) {
    EditorState& st = ed->state();
    ed->mainForm().ctybox->setCurrentRow(7);
    trigger("P_StartPos2");
    ASSERT_EQ(st.StartDomains[2], 7);
    trigger("M_AIPreferences");
    EXPECT_EQ(trader().windowTitle(), "Possible AI preferences (experimental!)");
    ASSERT_EQ(trader().selbox->count(), 1);
    EXPECT_EQ(trader().selbox->item(0)->text(),
              "Start 2: " + ui::textFromName(st.curDomainNames[7]) + "(7)");
    trader().selbox->setCurrentRow(0);
    EXPECT_EQ(trader().options().prefs.start, 7);
    EXPECT_EQ(trader().options().prefs.first, 1);  // the only neighbour

    trigger("M_ClimateZones");
    EXPECT_EQ(trader().windowTitle(), "Climate Zones");
    EXPECT_FALSE(trader().rd_view->isVisible());
    EXPECT_TRUE(trader().lb_climate->isVisible());
    EXPECT_EQ(trader().selbox->currentRow(), 0);
    EXPECT_EQ(trader().lb_climate->rowText(6), "Domains 6..9");  // -8 in summer
    EXPECT_EQ(picturePixel(isoPoint(50, 5)), QRgb(tiles::pixelOf(0x0000FF)));
    trader().selbox->setCurrentRow(1);
    EXPECT_EQ(trader().lb_climate->rowText(4), "Domains 6..9");  // -4 in winter
    EXPECT_EQ(trader().lb_climate->rowText(6), "");
    EXPECT_EQ(picturePixel(isoPoint(50, 5)), QRgb(tiles::pixelOf(0x00BFFF)));
}

TEST_F(TraderWindows, DomainListPopupSetsStartsOrderTownValuesAndSwapsDomains) {
    EditorState& st = ed->state();
    ui::Tmainform& main = ed->mainForm();
    main.ctybox->setCurrentRow(5);  // no castle
    trigger("P_StartPos1");
    EXPECT_EQ(prompt.messages.back(),
              std::make_pair(std::string("Startpos"), std::string("No Castle found!")));
    main.ctybox->setCurrentRow(0);
    trigger("P_SetTownvalues");
    EXPECT_EQ(prompt.messages.back().second, "Invalid County Nr!");

    main.ctybox->setCurrentRow(1);
    main.openListPopup(main.ctybox, {});
    main.mainMenu().listPopup()->hide();
    EXPECT_EQ(action("P_Order123")->text(), "Current: 100");
    EXPECT_EQ(action("P_Order213")->text(), "010");
    trigger("P_Order213");
    EXPECT_EQ(slotsOf(1), (Slots{0, 1, 0}));
    trigger("P_Order123");  // "Current: ..." names no order
    EXPECT_EQ(slotsOf(1), (Slots{0, 1, 0}));

    whenModal([](QWidget* dialog) {
        auto* v3 = dialog->findChild<QSpinBox*>("ud_v3");
        EXPECT_EQ(dialog->findChild<QSpinBox*>("ud_v1")->value(), 1);  // 0 is below its range
        v3->setFocus();
        QTest::keyClick(v3, Qt::Key_Up);
        QTest::keyClick(v3, Qt::Key_Up);
        QTest::mouseClick(dialog->findChild<QPushButton*>("bt_ok"), Qt::LeftButton);
    });
    trigger("P_SetTownvalues");
    EXPECT_EQ(slotsOf(1), (Slots{1, 1, 2}));

    const QString name1 = main.ctybox->item(1)->text(), name7 = main.ctybox->item(7)->text();
    whenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Switch Domain 1 to:");
        auto* list = dialog->findChild<QListWidget*>("dombox");
        QTest::mouseClick(dialog->findChild<QPushButton*>("bt_ok"), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());  // nothing selected yet
        list->setCurrentRow(7);
        QTest::mouseClick(dialog->findChild<QPushButton*>("bt_ok"), Qt::LeftButton);
    });
    trigger("P_SwitchDomainNr");
    EXPECT_EQ(st.planes.M5.at(10, 10), 7);
    EXPECT_EQ(st.planes.M5.at(50, 5), 1);
    EXPECT_EQ(main.ctybox->item(1)->text(), name7);
    EXPECT_EQ(main.ctybox->item(7)->text(), name1);
}

TEST_F(TraderWindows, TraderViewCommandsChooseTheTraderAndHowItsRouteShows) {
    EditorState& st = ed->state();
    trigger("M_Trader1");
    EXPECT_EQ(st.view.viewMode, kTraderViewMode);
    EXPECT_EQ(st.view.selectedTrader, 1);
    EXPECT_FALSE(st.routeStale[1]);
    EXPECT_TRUE(action("M_Traders")->isChecked());
    EXPECT_TRUE(action("M_Trader1")->isChecked());
    trigger("M_AsNumbers");
    EXPECT_EQ(st.view.routeDisplay, 1);
    trigger("M_Refresh");
    EXPECT_FALSE(st.routeStale[1]);
    EXPECT_TRUE(st.routeStale[2]);
    trigger("M_Map");
    EXPECT_FALSE(action("M_Trader1")->isChecked());
    EXPECT_TRUE(action("M_AsNumbers")->isChecked());
}

TEST_F(TraderWindows, MapPopupItemsFollowTheClickedCell) {
    EditorState& st = ed->state();
    QMenu popup;
    int changes = 0;
    ui::TraderPopupItems items(ed->context(), &popup, [&] { ++changes; });
    items.prepare(11, 11);
    EXPECT_TRUE(items.p_Traderoutes->menuAction()->isVisible());
    EXPECT_FALSE(items.p_SetStartPos->menuAction()->isVisible());
    EXPECT_FALSE(items.p_SwitchOrder->menuAction()->isVisible());
    EXPECT_TRUE(items.removeItems[0]->isVisible());
    EXPECT_FALSE(items.removeItems[2]->isVisible());
    EXPECT_EQ(items.orderItems[0]->text(), "Current: 100");
    items.addItems[2]->trigger();
    EXPECT_EQ(slotsOf(1), (Slots{1, 3, 0}));
    items.prepare(11, 11);           // the popup opens again
    items.orderItems[5]->trigger();  // "cba"
    EXPECT_EQ(slotsOf(1), (Slots{0, 3, 1}));
    items.removeItems[0]->trigger();
    EXPECT_EQ(slotsOf(1), (Slots{0, 3, 0}));

    items.prepare(41, 41);
    EXPECT_FALSE(items.p_Traderoutes->menuAction()->isVisible());
    EXPECT_TRUE(items.p_SetStartPos->menuAction()->isVisible());
    items.startItems[3]->trigger();
    EXPECT_EQ(st.StartDomains[4], 7);
    EXPECT_EQ(changes, 3);  // add, remove, start; a new order only redraws the map
    items.prepare(70, -1);  // off the map: nothing to offer
    EXPECT_FALSE(items.p_Traderoutes->menuAction()->isVisible() ||
                 items.p_SetStartPos->menuAction()->isVisible());
}

TEST_F(TraderWindows, SelectTraderouteClosesWithOkOnlyOnASelectedLine) {
    ui::Ttrselform dialog;
    whenModal([&](QWidget*) {
        EXPECT_EQ(dialog.trbox->count(), 3);
        QTest::mouseClick(dialog.bt_ok, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        dialog.trbox->doItemsLayout();
        const QPoint line = dialog.trbox->visualItemRect(dialog.trbox->item(2)).center();
        QTest::mouseClick(dialog.trbox->viewport(), Qt::LeftButton, {}, line);
        QTest::mouseDClick(dialog.trbox->viewport(), Qt::LeftButton, {}, line);
        if (dialog.isVisible()) dialog.reject();  // a failure, not a hang
    });
    EXPECT_EQ(dialog.chooseTrader({4, 5, 6}), 2);
    whenModal([&](QWidget*) { QTest::mouseClick(dialog.bt_cancel, Qt::LeftButton); });
    EXPECT_EQ(dialog.chooseTrader({4, 5, 6}), std::nullopt);
}

}  // namespace
}  // namespace d7::test
