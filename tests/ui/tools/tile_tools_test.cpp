#include <QTest>

#include "../editor_fixture.h"
#include "render/brush_pictures.h"
#include "support/tileset_builder.h"

namespace d7::test {
namespace {

using tiles::kBuildingPalette;
using tiles::kMountainPalette;

class TileToolsTest : public EditorFixture {
  protected:
    ui::Tmainform& main() { return ed->mainForm(); }
    ui::Ttileselectform& selector() { return ed->tileSelectForm(); }
    ui::Tbreditform& brushEditor() { return ed->brushEditForm(); }
    void clickPalette(int px, int py) {
        QTest::mouseClick(selector().paletteBox(), Qt::LeftButton, {}, QPoint(px, py));
    }
    QPushButton* quickButton(const char* caption) {
        for (QPushButton* b : main().quickcontrol->findChildren<QPushButton*>())
            if (b->text() == QLatin1StringView(caption)) return b;
        ADD_FAILURE() << caption;
        return nullptr;
    }
};

TEST_F(TileToolsTest, StartUpShowsTheBasePaletteWithTileZeroBesideTheMap) {
    ed->placeWindows(QRect(0, 0, 1920, 1080));
    load();
    EXPECT_TRUE(selector().isVisible());
    EXPECT_EQ(selector().windowTitle(), "Tile Nr: 0");
    EXPECT_EQ(selector().paletteType(), 0);
    EXPECT_EQ(selector().frameImage()->geometry(), QRect(0, 0, 58, 30));
    EXPECT_EQ(ed->state().view.brush, BrushMask::centre());
    EXPECT_FALSE(selector().frameGeometry().intersects(ed->mapForm().frameGeometry()));
    // The test tilesets have 64 frames: ten rows of the "Base" palette.
    EXPECT_EQ(selector().paletteImage(0).size(), QSize(406, 300));
}

TEST_F(TileToolsTest, PaletteClicksChooseTilesAndTheTownOffersClosestTowns) {
    load();
    main().rd_editor->button(kBuildingPalette)->click();
    EXPECT_EQ(selector().paletteType(), kBuildingPalette);
    EXPECT_EQ(selector().windowTitle(), "0");
    clickPalette(20, 40);
    EXPECT_EQ(selector().selectedIndex(), tiles::kTownIndex);
    EXPECT_EQ(selector().windowTitle(), "4");
    EXPECT_TRUE(main().cb_dist->isVisible());
    EXPECT_EQ(ed->mapForm().overlaySize(), 2);
    EXPECT_EQ(selector().frameImage()->geometry(), QRect(0, 30, 116, 60));
    clickPalette(20, 100);
    EXPECT_EQ(selector().selectedIndex(), tiles::kCastleIndex);
    EXPECT_FALSE(main().cb_dist->isVisible());

    main().rd_editor->button(kMountainPalette)->click();
    clickPalette(300, 80);  // right of the second row: nothing there
    EXPECT_EQ(selector().selectedIndex(), 0);
    clickPalette(10, 130);
    EXPECT_EQ(selector().selectedIndex(), tiles::kBigMountainIndex);
    EXPECT_EQ(ed->mapForm().overlaySize(), 3);
    // The arrow keys step through the choices of the palette.
    QTest::keyClick(selector().paletteBox(), Qt::Key_Left);
    EXPECT_EQ(selector().selectedIndex(), 4);
}

TEST_F(TileToolsTest, TilesetSizeScalesThePalettesAndTheFrame) {
    load();
    clickPalette(58 * 3 + 5, 30 + 5);
    EXPECT_EQ(selector().selectedIndex(), 10);
    trigger("M_TileScale200");
    EXPECT_EQ(ed->state().view.tileScale, 2);
    EXPECT_EQ(selector().paletteImage(0).width(), 812);
    EXPECT_EQ(selector().frameImage()->geometry(), QRect(348, 60, 116, 60));
    EXPECT_EQ(selector().windowTitle(), "Tile Nr: 10");
    trigger("M_TileScale100");
    EXPECT_EQ(selector().paletteImage(0).width(), 406);
}

TEST_F(TileToolsTest, QuickSelectionAndSeasonsKeepTheSelectorCurrent) {
    load();
    main().rd_editt->button(5)->click();
    EXPECT_FALSE(selector().isVisible());
    quickButton("Castle")->click();
    EXPECT_EQ(ed->state().view.editType, 0);
    EXPECT_EQ(main().rd_editor->itemIndex(), kBuildingPalette);
    EXPECT_EQ(selector().selectedIndex(), tiles::kCastleIndex);
    EXPECT_TRUE(selector().isVisible());
    quickButton("2x2 III")->click();
    EXPECT_EQ(selector().paletteType(), kMountainPalette);
    EXPECT_EQ(selector().selectedIndex(), 2);

    const QImage spring = selector().paletteImage(kMountainPalette);
    trigger("M_Winter");
    EXPECT_NE(selector().paletteImage(kMountainPalette), spring);
    EXPECT_TRUE(selector().frameImage()->isVisible());
}

TEST_F(TileToolsTest, BrushEditorClicksAndSetAsBrush) {
    load();
    QTest::mouseClick(main().selbrushicon, Qt::LeftButton);
    EXPECT_TRUE(brushEditor().isVisible());
    QWidget* field = brushEditor().field();
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(125, 5));  // cell (4, 0)
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(35, 65));  // cell (1, 2)
    QTest::mouseClick(field, Qt::RightButton, {}, QPoint(40, 70));
    QTest::mouseClick(field, Qt::MiddleButton, {}, QPoint(5, 5));
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 150));  // below the cells
    BrushMask expected;
    expected.set(4, 0, true);
    EXPECT_EQ(brushEditor().mask(), expected);
    EXPECT_TRUE(brushEditor().cell(4, 0)->isChecked());
    // Space on a cell switches it as a click does.
    QTest::keyClick(brushEditor().cell(0, 4), Qt::Key_Space);
    expected.set(0, 4, true);
    EXPECT_EQ(brushEditor().mask(), expected);

    brushEditor().bt_setbrush->click();
    EXPECT_EQ(ed->state().view.editType, 3);
    EXPECT_EQ(main().rd_editt->itemIndex(), 3);
    EXPECT_TRUE(main().brushpanel->isVisible());
    EXPECT_EQ(ed->state().view.brush, expected);
    EXPECT_EQ(ed->mapForm().brushBounds(), (BrushBounds{0, 4, 0, 4}));
    // The icon shows the brush: cell (4, 0) is black.
    const QImage icon = main().selbrushicon->grab().toImage();
    EXPECT_EQ(icon.pixelColor(4 * 15 + 7, 7), QColor(Qt::black));
    EXPECT_EQ(icon.pixelColor(2 * 15 + 7, 2 * 15 + 7), QColor(Qt::white));

    brushEditor().bt_clear->click();
    EXPECT_EQ(brushEditor().mask(), BrushMask{});
    // The arrow keys scroll the map.
    ed->mapForm().scrollTo(10, 10);
    QTest::keyClick(brushEditor().bt_clear, Qt::Key_Down);
    EXPECT_EQ(ed->mapForm().originX(), 11);
}

TEST_F(TileToolsTest, TileViewerInspectsCastleCellsAndReadsNAWhileHidden) {
    load();
    ui::Ttileform& viewer = ed->tileForm();
    WorkingPlanes& p = ed->state().planes;
    p.M0.at(8, 9) = flags::kBuilding;
    p.M1.at(8, 9) = tileset::kBase;
    p.M2.at(8, 9) = 3;
    p.M0.at(7, 9) = flags::kSea;
    ed->mapForm().cellHovered(8, 9);
    EXPECT_EQ(viewer.lm[0]->text(), "M0: N/A ");
    EXPECT_EQ(viewer.lm[5]->text(), "M5: N/A");

    trigger("ileview1");
    EXPECT_TRUE(viewer.isVisible());
    ed->mapForm().cellHovered(8, 9);
    EXPECT_EQ(viewer.lm[0]->text(), "M0: 128 Castle ");
    EXPECT_EQ(viewer.lm[2]->text(), "M2: 3");
    EXPECT_EQ(viewer.Memo1->toPlainText(), "X X X \n4 X X \nX X X ");
    EXPECT_EQ(viewer.panelText(3), "X: 8 Y: 9");
    EXPECT_EQ(viewer.ed_current->text(), "3");
    EXPECT_EQ(viewer.rd_type->itemIndex(), tiles::kBaseTiles);

    // The castle tileset's frame 3, with its six layers of Dir 2 above it.
    viewer.rd_type->button(tiles::kCastleTiles)->click();
    EXPECT_EQ(viewer.ed_count->text(), "64");
    EXPECT_EQ(viewer.panelText(1), "Ex: 6");
    EXPECT_EQ(viewer.panelText(2), "Dir: 2");
    EXPECT_EQ(viewer.PaintBox1->picture().size(), QSize(58 * 4, 36 * 4));
    EXPECT_EQ(viewer.PaintBox1->picture().pixel(29 * 4, (6 + 5) * 4), testPixel(frameMark(3)));
}

}  // namespace
}  // namespace d7::test
