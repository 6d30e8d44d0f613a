#include <QMouseEvent>
#include <QTest>

#include "../editor_fixture.h"
#include "core/edit/geometry.h"
#include "core/tiles/overlay_colours.h"
#include "ui/windows/minimap_window.h"

namespace d7::test {
namespace {

class MapWindowTest : public EditorFixture {
  protected:
    ui::Tmapform& map() { return ed->mapForm(); }
    QPoint origin() { return {map().originX(), map().originY()}; }
    // Presses each key once and says which ones moved the origin.
    std::string acceptedKeys() {
        std::string moved;
        const std::pair<int, char> keys[] = {
            {Qt::Key_Left, 'L'}, {Qt::Key_Up, 'U'}, {Qt::Key_Right, 'R'}, {Qt::Key_Down, 'D'}};
        for (auto [key, name] : keys) {
            const QPoint before = origin();
            if (map().handleKey(key)) moved += name;
            map().scrollTo(before.x(), before.y());
        }
        return moved;
    }
    // The colour of the window's picture where the centre of the origin cell is.
    QColor windowColourAtOriginCentre() {
        const int z = ed->state().view.zoom;
        const QImage shown = map().mapbox()->grab().toImage();
        return shown.pixelColor(map().mapbox()->width() / 2 + 29 * z, 15 * z);
    }
    QColor pictureColourAtCellCentre(int x, int y) {
        const int z = ed->renderer().zoom();
        const PixelPoint box = cellToScreen(x, y, z);
        return QColor::fromRgb(ed->renderer().pixel(box.x + 29 * z, box.y + 15 * z));
    }
};

TEST_F(MapWindowTest, KeysMoveTheOriginDiagonallyOnlyInsideTheMap) {
    load();
    map().scrollTo(0, 0);
    EXPECT_EQ(acceptedKeys(), "D");
    map().scrollTo(63, 63);
    EXPECT_EQ(acceptedKeys(), "U");
    map().scrollTo(30, 52);
    EXPECT_EQ(acceptedKeys(), "LURD");
    map().scrollTo(30, 53);
    EXPECT_EQ(acceptedKeys(), "LUR");
    map().scrollTo(0, 30);
    EXPECT_FALSE(map().handleKey(Qt::Key_A));
    EXPECT_TRUE(map().handleKey(Qt::Key_S));
    EXPECT_EQ(origin(), QPoint(1, 31));
    EXPECT_TRUE(map().handleKey(Qt::Key_D));
    EXPECT_EQ(origin(), QPoint(2, 30));
    EXPECT_TRUE(map().handleKey(Qt::Key_W));
    EXPECT_EQ(origin(), QPoint(1, 29));
    QTest::keyClick(&map(), Qt::Key_S);
    EXPECT_EQ(origin(), QPoint(2, 30));
}

TEST_F(MapWindowTest, TheScrollOffsetsFollowTheOriginAndTheWindowWidth) {
    load();
    map().scrollTo(20, 10);
    const int w = map().mapbox()->width();
    EXPECT_EQ(map().scrollX(), 29 * 10 + 1827 - w / 2);
    EXPECT_EQ(map().scrollY(), 15 * 30);
}

TEST_F(MapWindowTest, ZoomKeepsTheSameCellAtTheTopCentre) {
    load(1);
    map().scrollTo(20, 10);
    EXPECT_EQ(windowColourAtOriginCentre(), pictureColourAtCellCentre(20, 10));
    trigger("M_Zoom200");
    EXPECT_EQ(ed->state().view.zoom, 2);
    EXPECT_EQ(ed->renderer().width(), 7424);
    EXPECT_EQ(origin(), QPoint(20, 10));
    EXPECT_EQ(map().scrollY(), 2 * 15 * 30);
    EXPECT_EQ(windowColourAtOriginCentre(), pictureColourAtCellCentre(20, 10));
    trigger("M_Zoom100");
    EXPECT_EQ(ed->renderer().width(), 3712);
    EXPECT_EQ(windowColourAtOriginCentre(), pictureColourAtCellCentre(20, 10));
}

TEST_F(MapWindowTest, ZoomChangeClearsTheSelectionInSelectMode) {
    load();
    ed->mainForm().rd_editt->button(2)->click();
    map().setSelState(2);
    trigger("M_Zoom200");
    EXPECT_EQ(map().selState(), 0);
}

TEST_F(MapWindowTest, TheSelectionLayerCoversThePictureButTakesNoMouseInput) {
    load();
    ui::Tselectcontrol* layer = map().selectControl();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->geometry(), map().mapbox()->geometry());
    EXPECT_EQ(layer->penColour(), QColor(255, 251, 240));
    layer->show();
    EXPECT_EQ(map().childAt(300, 200), map().mapbox());
}

TEST_F(MapWindowTest, DomainOverlayIsOneTileWithTransparentMagenta) {
    load();
    map().setDomainOverlay(5, 2);
    EXPECT_TRUE(map().overimage()->isVisible());
    EXPECT_EQ(map().overimage()->size(), QSize(116, 60));
    EXPECT_EQ(map().overlaySize(), 1);
    const QImage shown = map().overimage()->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(shown.pixelColor(58, 30).alpha(), 255);
}

TEST_F(MapWindowTest, MinimapClickScrollsTheMapWindowAndArrowKeysGoThere) {
    load();
    ui::Tminform& mini = ed->miniForm();
    QTest::mouseClick(mini.paintBox(), Qt::LeftButton, {}, QPoint(4 * 10 + 3, 4 * 20 + 1));
    EXPECT_EQ(origin(), QPoint(10, 20));
    QTest::keyClick(&mini, Qt::Key_Right);
    EXPECT_EQ(origin(), QPoint(11, 19));
    QTest::keyClick(&mini, Qt::Key_W);  // letters are the map window's own
    EXPECT_EQ(origin(), QPoint(11, 19));
}

TEST_F(MapWindowTest, MinimapShowsDomainColoursAndThePlanesUnderThePointer) {
    load();
    EditorState& st = ed->state();
    st.planes.M5.fill(0);
    st.planes.M5.at(1, 0) = 32;
    st.planes.M5.at(2, 0) = 5;
    st.planes.M0.at(2, 0) = 9;
    const QImage image = ui::minimapImage(st);
    ASSERT_EQ(image.size(), QSize(256, 256));
    EXPECT_EQ(image.pixel(3, 3), 0xFF000000u);
    EXPECT_EQ(image.pixel(4, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(11, 3),
              tiles::pixelOf(tiles::overlayColour(5, st.gfx.colourSets.domain)));

    ui::Tminform& mini = ed->miniForm();
    QMouseEvent move(QEvent::MouseMove, QPointF(9, 2), QPointF(9, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(mini.paintBox(), &move);
    EXPECT_EQ(mini.panelText(0), "X:2 Y:0");
    EXPECT_TRUE(mini.panelText(1).startsWith("M0: 9 M1: "));
    EXPECT_TRUE(mini.panelText(1).endsWith(" M5: 5"));
}

}  // namespace
}  // namespace d7::test
