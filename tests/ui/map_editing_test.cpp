#include <QContextMenuEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include "core/analysis/analyse_map.h"
#include "core/analysis/pathfinding.h"
#include "core/edit/area_copy.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/edit/random_tiles.h"
#include "core/model/history_steps.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "map_editing_fixture.h"
#include "ui/tools/map_popup.h"
#include "ui/tools/road_tool.h"

namespace d7::test {
namespace {

TEST_F(MapEditingTest, DomainsClickPaintsLandNeverSeaAndUndoRestoresTheImage) {
    loadPlainMap();
    chooseEditType(ui::kDomainsEdit);
    main().ctybox->setCurrentRow(5);
    click(55, 20);  // sea
    EXPECT_EQ(st().planes.M5.at(55, 20), 0);
    EXPECT_FALSE(st().undoValid);
    popupOver(20, 20);
    EXPECT_FALSE(offered("P_Undo"));

    const Bytes before = mapImage();
    click(20, 20);
    EXPECT_EQ(st().planes.M5.at(20, 20), 5);
    EXPECT_EQ(st().CountyTable[5].greens, 1);
    popupOver(20, 20);
    ASSERT_TRUE(offered("P_Undo"));
    popup().action("P_Undo")->trigger();
    EXPECT_EQ(mapImage(), before);
    EXPECT_EQ(st().planes.M5.at(20, 20), 1);
    EXPECT_FALSE(st().undoValid);

    // Ctrl+Z does the same in either window.
    click(21, 20);
    QTest::keyClick(&map(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(mapImage(), before);
    click(22, 20);
    QTest::keyClick(main().ctybox, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(mapImage(), before);
}

TEST_F(MapEditingTest, ADragSelectionNeverTakesRowOrColumn63ButTheFirstClickMay) {
    loadPlainMap();
    map().scrollTo(50, 50);
    chooseEditType(ui::kSelectEdit);
    EXPECT_EQ(map().mapbox()->cursor().shape(), Qt::CrossCursor);
    click(60, 61);
    EXPECT_EQ(map().selState(), 1);
    moveTo(63, 62);  // column 63: the corner stays
    EXPECT_EQ(map().selRect().end, QPoint(60, 61));
    moveTo(62, 62);
    EXPECT_EQ(map().selRect().end, QPoint(62, 62));
    click(62, 63);
    EXPECT_EQ(map().selState(), 2);
    EXPECT_EQ(map().selRect().end, QPoint(62, 62));
    click(40, 40);
    EXPECT_EQ(map().selState(), 0);
    EXPECT_FALSE(map().selectControl()->isVisible());

    click(63, 63);
    EXPECT_EQ(map().selRect().start, QPoint(63, 63));
    EXPECT_TRUE(map().selectControl()->isVisible());
}

TEST_F(MapEditingTest, PopupOffersSelectionCommandsOnlyForAFixedSelection) {
    loadPlainMap();
    chooseEditType(ui::kSelectEdit);
    popupOver(20, 20);
    EXPECT_FALSE(offered("P_SelectNone"));
    EXPECT_FALSE(offered("P_CopyArea"));
    EXPECT_TRUE(offered("P_DomainInfo"));
    popup().action("P_DomainInfo")->trigger();  // the summary of domain 1
    EXPECT_TRUE(ed->statForm().isVisible());

    click(20, 20);
    moveTo(20, 25);
    popupOver(20, 22);
    EXPECT_TRUE(offered("P_SelectNone"));
    EXPECT_TRUE(offered("P_RemoveRoads"));
    EXPECT_FALSE(offered("P_SetRoadLine"));  // still dragging
    click(20, 25);
    popupOver(20, 22);
    EXPECT_TRUE(offered("P_CopyArea"));
    EXPECT_TRUE(offered("P_SetRoadLine"));  // one cell wide
    EXPECT_TRUE(offered("P_Domains"));

    click(20, 20);  // third click: no selection
    click(20, 20);
    moveTo(22, 25);
    click(22, 25);
    popupOver(20, 22);
    EXPECT_FALSE(offered("P_SetRoadLine"));
    popup().action("P_SelectNone")->trigger();
    EXPECT_EQ(map().selState(), 0);
    popupOver(55, 20);  // sea has no domain to tell about
    EXPECT_FALSE(offered("P_DomainInfo"));

    // The menu key opens it too, for the cell under the pointer or the window's middle.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, {}, map().mapToGlobal(QPoint()));
    QApplication::sendEvent(&map(), &key);
    EXPECT_TRUE(popup().menu()->isVisible());
    popup().menu()->hide();
}

// A 3 x 2 area at (20, 20): forest, road, grass / grass, grass, sea.
void paintSmallArea(EditorState& st) {
    placeForest(st, 20, 20);
    placeRoadTile(st, 21, 20, 0);
    placeRandomSea(st, 22, 21, st.curMap);
    AnalyseMap(st);
}

TEST_F(MapEditingTest, CopyAreaThenPasteAreaThroughThePopupReproducesTheArea) {
    loadPlainMap();
    paintSmallArea(st());
    chooseEditType(ui::kSelectEdit);
    click(22, 21);
    moveTo(20, 20);  // corners in any order
    click(20, 20);
    popupOver(25, 25);
    EXPECT_FALSE(offered("P_PasteArea"));
    popup().action("P_CopyArea")->trigger();
    EXPECT_EQ(map().selState(), 0);
    EXPECT_EQ(st().clipboard.width, 3);

    popupOver(30, 24);
    ASSERT_TRUE(offered("P_PasteArea"));
    popup().action("P_PasteArea")->trigger();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            for (int plane = 0; plane < 4; ++plane)
                EXPECT_EQ(st().planes.cellPlane(plane).at(30 + x, 24 + y),
                          st().planes.cellPlane(plane).at(20 + x, 20 + y))
                    << "M" << plane << " of (" << x << ", " << y << ")";
    EXPECT_EQ(st().planes.M5.at(32, 25), kLandWithoutDomain);  // the target keeps its domain

    const Bytes pasted = mapImage();
    popupOver(61, 24);  // the area would reach the last column: refused
    popup().action("P_PasteArea")->trigger();
    EXPECT_EQ(mapImage(), pasted);
}

TEST_F(MapEditingTest, PasteSpecialWithRotate90PastesTheTurnedAreaWhereItsOutlineFits) {
    loadPlainMap();
    paintSmallArea(st());
    copyArea(st(), CellRect::spanning(20, 20, 22, 21));
    chooseEditType(ui::kPasteEdit);
    main().rd_paste->button(1)->click();  // "Rotate 90°"
    EXPECT_EQ(st().transformed.width, 2);
    EXPECT_EQ(st().transformed.height, 3);
    EXPECT_TRUE(map().selectControl()->isVisible());
    moveTo(30, 30);
    EXPECT_EQ(map().selRect().end, QPoint(31, 32));
    moveTo(63, 30);  // would not fit: the outline stays
    EXPECT_EQ(map().selRect().start, QPoint(30, 30));
    click(30, 30);
    // (x, y) of the area turns to (51 - y, x + 10) here.
    EXPECT_EQ(st().planes.M0.at(31, 30), flags::kUnpassable);  // the forest
    EXPECT_EQ(st().planes.M0.at(31, 31), flags::kRoad);
    EXPECT_EQ(st().planes.M0.at(30, 32), flags::kSea);
    EXPECT_EQ(st().planes.M0.at(30, 30), 0);
    EXPECT_TRUE(st().undoValid);

    chooseEditType(ui::kSelectEdit);  // another edit type: "None" again, no turned copy
    EXPECT_EQ(main().rd_paste->itemIndex(), 0);
    EXPECT_FALSE(st().transformed.valid);
}

TEST_F(MapEditingTest, RoadToolLaysTheTracedRoadAndRetracesWhenPreferringStraightRoads) {
    loadPlainMap();
    chooseEditType(ui::kRoadEdit);
    ui::RoadTool& tool = ed->editing().roadTool();
    click(20, 20);
    moveTo(24, 24);
    EXPECT_EQ(tool.pathLength(), 8);
    const auto staircase = st().PathPoints;
    click(24, 24);
    popupOver(30, 30);
    EXPECT_TRUE(offered("P_SetRoadPath"));
    main().cb_roadstretch->click();  // the fixed path is traced again, turning less often
    EXPECT_EQ(tool.pathLength(), 8);
    EXPECT_NE(st().PathPoints, staircase);

    main().bt_setroad->click();
    EXPECT_TRUE(st().undoValid);
    for (int i = 0; i < st().PathLength; ++i) {
        const Point p = st().PathPoints[i];
        EXPECT_EQ(st().planes.M0.at(p.x, p.y), flags::kRoad) << p.x << "," << p.y;
        EXPECT_EQ(st().planes.M1.at(p.x, p.y), tileset::kRoad);
    }
    EXPECT_EQ(st().planes.M0.at(20, 20), flags::kRoad);
    EXPECT_EQ(st().planes.M0.at(24, 24), flags::kRoad);

    chooseEditType(ui::kPathEdit);  // another tool: the road's path is forgotten
    EXPECT_EQ(tool.pathLength(), 0);
}

TEST_F(MapEditingTest, PathfindingMoveMeasuresStepsAndOffRoadCellsOnTheLayer) {
    loadPlainMap();
    chooseEditType(ui::kPathEdit);
    click(20, 20);
    EXPECT_TRUE(map().selectControl()->isVisible());
    moveTo(23, 20);
    const auto& tool = static_cast<const ui::TraceTool&>(ed->editing().tool(ui::kPathEdit));
    EXPECT_EQ(tool.pathLength(), 3);
    EXPECT_EQ(tool.pathCost(), 3);
    moveTo(63, 20);  // the moving end stays off the last column
    EXPECT_EQ(map().selRect().end, QPoint(23, 20));
    click(23, 20);
    click(23, 20);
    EXPECT_EQ(map().selState(), 0);
    EXPECT_EQ(tool.pathLength(), 0);
}

QPushButton* quickButton(ui::Tmainform& main, int page, const char* caption) {
    for (QPushButton* b : main.quickcontrol->widget(page)->findChildren<QPushButton*>())
        if (b->text() == QLatin1String(caption)) return b;
    return nullptr;
}

TEST_F(MapEditingTest, MaptilesClickPlacesTheTownAtTheClickedCellAtBothZooms) {
    loadPlainMap(1);
    quickButton(main(), 0, "Town")->click();
    EXPECT_EQ(st().view.editType, ui::kMaptilesEdit);
    EXPECT_EQ(map().overlaySize(), 2);
    EXPECT_EQ(map().mapbox()->cursor().shape(), Qt::ArrowCursor);
    click(20, 21);
    EXPECT_EQ(st().CountyTable[1].towns, 1);
    EXPECT_EQ(st().CountyTable[1].townPos, (Point{20, 21}));
    EXPECT_EQ(st().planes.M0.at(21, 22), flags::kTown);

    trigger("M_Zoom200");
    map().scrollTo(14, 12);
    click(24, 17);  // the domain's town moves there (the question is answered Yes)
    EXPECT_EQ(st().CountyTable[1].towns, 1);
    EXPECT_EQ(st().CountyTable[1].townPos, (Point{24, 17}));
    EXPECT_EQ(st().planes.M0.at(20, 21), 0);

    // With "Show Closest Towns" the layer draws the lines to the towns.
    main().cb_dist->click();
    EXPECT_TRUE(map().selectControl()->isVisible());
    moveTo(30, 20);
    EXPECT_EQ(map().selRect().start, QPoint(30, 20));
    quickButton(main(), 0, "Castle")->click();
    EXPECT_FALSE(map().selectControl()->isVisible());
}

TEST_F(MapEditingTest, BrushClickPaintsTheBrushAroundTheCell) {
    loadPlainMap();
    BrushMask cross;
    for (int i = 0; i < kBrushSide; ++i) cross.set(i, 2, true), cross.set(2, i, true);
    ed->setBrush(cross);
    chooseEditType(ui::kBrushesEdit);
    EXPECT_TRUE(map().brushimage()->isVisible());
    main().rd_brushfill->button(3)->click();  // "Road"
    click(20, 20);
    for (int i = -2; i <= 2; ++i) {
        EXPECT_EQ(st().planes.M0.at(20 + i, 20), flags::kRoad) << i;
        EXPECT_EQ(st().planes.M0.at(20, 20 + i), flags::kRoad) << i;
    }
    EXPECT_EQ(st().planes.M2.at(20, 20), 28);  // the crossing joins all four ways
    EXPECT_EQ(st().planes.M0.at(21, 21), 0);

    main().rd_brushfill->button(6)->click();  // "Domain (no overw.)"
    EXPECT_TRUE(main().cb_ovsea->isVisible());
    main().ctybox->setCurrentRow(6);
    click(40, 20);  // land without domain (32) keeps it
    EXPECT_EQ(st().planes.M5.at(40, 20), kLandWithoutDomain);
}

TEST_F(MapEditingTest, PopupOverACastleSetsAStartingPosition) {
    loadPlainMap();
    quickButton(main(), 0, "Castle")->click();
    click(20, 20);
    popupOver(25, 25);
    EXPECT_FALSE(offered("p_SetStartPos"));
    popupOver(21, 21);
    ASSERT_TRUE(offered("p_SetStartPos"));
    EXPECT_FALSE(offered("p_Traderoutes"));
    popup().action("p_StartPos2")->trigger();
    EXPECT_EQ(st().StartDomains[2], 1);
}

TEST_F(MapEditingTest, InspectTileShowsTheClickedCellInTheTileViewer) {
    loadPlainMap();
    popupOver(55, 20);
    popup().action("P_InspectTile")->trigger();
    EXPECT_TRUE(ed->tileForm().isVisible());
    EXPECT_TRUE(ed->tileForm().findChild<QLabel*>("lm0")->text().startsWith("M0: 4 Sea"));
}

TEST_F(MapEditingTest, ThirdStatusPanelIsEmptyOverSeaAndLandWithoutDomain) {
    loadPlainMap();
    moveTo(20, 21);
    EXPECT_EQ(main().statusPanelText(0), "X: 20");
    EXPECT_EQ(main().statusPanelText(1), "Y: 21");
    EXPECT_TRUE(main().statusPanelText(2).startsWith("1: Q: 0 M: 0"));
    moveTo(40, 21);  // land without domain
    EXPECT_EQ(main().statusPanelText(2), "");
    moveTo(20, 21);
    moveTo(55, 21);  // sea
    EXPECT_EQ(main().statusPanelText(2), "");
    EXPECT_EQ(main().statusPanelText(0), "X: 55");
}

TEST_F(MapEditingTest, ClosingAsksAboutUnsavedChangesOnlyWhenThereAreAny) {
    loadPlainMap();
    // The plain map was written through the cell writers: start from a saved set.
    dialogs.answer(tmp / "first");
    fs::create_directories(tmp / "first");
    trigger("M_SaveMapset");
    prompt.questions.clear();  // whether to write every file into the empty directory
    EXPECT_TRUE(main().close());
    EXPECT_TRUE(prompt.questions.empty());

    main().show();
    chooseEditType(ui::kDomainsEdit);
    main().ctybox->setCurrentRow(3);
    click(20, 20);
    prompt.choice = Choice::Cancel;
    EXPECT_FALSE(main().close());
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0].second,
              "The map set has unsaved changes. Save them before closing?");
    EXPECT_TRUE(main().isVisible());

    prompt.choice = Choice::Yes;  // the save dialog is cancelled: stay open
    EXPECT_FALSE(main().close());
    fs::create_directories(tmp / "saved");
    dialogs.answer(tmp / "saved");
    EXPECT_TRUE(main().close());
    EXPECT_TRUE(fs::exists(tmp / "saved" / "K7_MAPS.DAT"));

    main().show();
    click(21, 20);
    prompt.choice = Choice::No;
    EXPECT_TRUE(main().close());
    // The three about unsaved changes, and whether to write every file into "saved".
    EXPECT_EQ(prompt.questions.size(), 5u);
}

}  // namespace
}  // namespace d7::test
