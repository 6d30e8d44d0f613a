#include "render/trader_overlay.h"

#include <QPainter>

#include "core/analysis/analyse_map.h"
#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/model/map_access.h"
#include "render/cell_labels.h"
#include "render_fixture.h"

namespace d7::test {
namespace {

// A town of domain d at (x, y) whose slot cells carry the traders.
void putTown(EditorState& st, int x, int y, int d, std::array<int, 3> traders) {
    for (int part = 0; part < 4; ++part) {
        const int t = part == 0 ? 0 : traders[std::size_t(part - 1)];
        putCell(st, x + part % 2, y + part / 2,
                {0x40, 12, 0, std::uint8_t(part), std::uint8_t(t), std::uint8_t(d)});
    }
}

class TraderOverlay : public RenderTest {
  protected:
    TraderOverlay() {
        st->view.viewMode = kTraderViewMode;
        putTown(*st, 20, 20, 3, {2, 5, 0});
        AnalyseMap(*st);
    }
    std::uint32_t traderColour(int i) const {
        return tiles::overlayColour(i, st->gfx.colourSets.trader);
    }
    std::uint32_t routeColour(int i) const {
        return tiles::overlayColour(i, st->gfx.colourSets.route);
    }
    QPoint centre(int x, int y) const {
        const PixelPoint box = cellToScreen(x, y, renderer.zoom());
        return {box.x + 29 * renderer.zoom(), box.y + 15 * renderer.zoom()};
    }
    std::uint32_t at(QPoint p) { return tiles::rgbOf(renderer.pixel(p.x(), p.y())); }
    // Pixels of the colour near the cell's centre: the labels of neighbouring
    // cells overlap each other's tile boxes, never each other's centres.
    int countNear(int x, int y, std::uint32_t rgb) {
        int n = 0;
        for (int dy = -7; dy <= 7; ++dy)
            for (int dx = -7; dx <= 7; ++dx) n += at(centre(x, y) + QPoint(dx, dy)) == rgb;
        return n;
    }
    // The route is given, not computed: mark it current.
    void setRoute(int t, std::vector<RouteCell> cells) {
        st->RouteCells[std::size_t(t)] = std::move(cells);
        st->routeStale[std::size_t(t)] = false;
    }
};

TEST_F(TraderOverlay, AllTradersNumberTheSlotCellsAndOneTraderTheTownsCentre) {
    st->view.selectedTrader = 0;
    renderer.redrawMap();
    EXPECT_GT(countNear(21, 20, traderColour(2)), 5);  // slot 1
    EXPECT_GT(countNear(20, 21, traderColour(5)), 5);  // slot 2
    EXPECT_EQ(countNear(21, 21, traderColour(2)) + countNear(21, 21, traderColour(5)), 0);
    EXPECT_EQ(countNear(20, 20, traderColour(2)) + countNear(20, 20, traderColour(5)), 0);

    st->view.selectedTrader = 5;
    renderer.redrawMap();
    EXPECT_EQ(countNear(20, 21, traderColour(5)), 0);
    // Once, on the centre of the 2 x 2 town: the bottom corner of the main cell.
    const QPoint c = centre(20, 20) + QPoint(0, 15);
    int near = 0;
    for (int dy = -12; dy <= 12; ++dy)
        for (int dx = -12; dx <= 12; ++dx) near += at(c + QPoint(dx, dy)) == traderColour(5);
    EXPECT_GT(near, 5);
}

TEST_F(TraderOverlay, StopsAreCountedFromZeroAndTheStartCarriesAnS) {
    putTown(*st, 40, 20, 4, {5, 0, 0});
    AnalyseMap(*st);
    ASSERT_EQ(st->TraderRoute[5].stopCount, 2);
    st->view.selectedTrader = 5;
    setRoute(5, {});
    renderer.redrawMap();
    // Stops in scan order: domain 4 (its slot cell (41, 20) comes first) in
    // route colour 1, domain 3 in colour 2; "S" beside the start in colour 3.
    EXPECT_GT(countNear(40, 20, routeColour(1)), 5);
    EXPECT_GT(countNear(20, 20, routeColour(2)), 5);
    EXPECT_GT(countNear(41, 21, routeColour(3)), 5);
    EXPECT_EQ(countNear(21, 21, routeColour(3)), 0);

    // The label of stop 0 reads "0": its pixels are those of "0" drawn alone.
    QImage alone(renderer.width(), renderer.height(), QImage::Format_RGB32);
    alone.setDotsPerMeterX(render::kPictureDotsPerMeter);
    alone.setDotsPerMeterY(render::kPictureDotsPerMeter);
    alone.fill(Qt::black);
    {
        QPainter painter(&alone);
        painter.setFont(render::labelFont(render::traderLabelPointSize(1)));
        const PixelPoint box = cellToScreen(40, 20, 1);
        render::drawBoxText(painter, box.x, box.y, 1, QStringLiteral("0"),
                            QColor::fromRgb(QRgb(tiles::pixelOf(routeColour(1)))),
                            render::LabelStyle::Plain);
    }
    const PixelPoint box = cellToScreen(40, 20, 1);
    for (int y = box.y; y < box.y + 30; ++y)
        for (int x = box.x; x < box.x + 58; ++x)
            ASSERT_EQ(tiles::rgbOf(alone.pixel(x, y)) == routeColour(1),
                      at({x, y}) == routeColour(1))
                << x << "," << y;
}

TEST_F(TraderOverlay, TwoJumpsInARowAreOneSegmentThatSkipsThePointBetween) {
    st->view.selectedTrader = 2;
    setRoute(2, {{0, {10, 10}}, {0, {20, 14}}, {0, {30, 10}}});
    renderer.redrawMap();
    const std::uint32_t leg0 = routeColour(1);
    EXPECT_EQ(at((centre(10, 10) + centre(30, 10)) / 2), leg0);
    EXPECT_NE(at(centre(20, 14)), leg0);
    EXPECT_NE(at((centre(10, 10) + centre(20, 14)) / 2), leg0);
}

TEST_F(TraderOverlay, LegsAreShiftedApartAndNumbersMovedByTheirLeg) {
    st->view.selectedTrader = 2;
    setRoute(2, {{0, {10, 10}}, {0, {10, 11}}, {0, {10, 12}}, {1, {10, 13}}, {1, {10, 14}}});
    renderer.redrawMap();
    EXPECT_EQ(at(centre(10, 11)), routeColour(1));
    // Leg 1's segment runs 5 pixels right of the cells' centres.
    EXPECT_EQ(at(centre(10, 13) + QPoint(5, 0)), routeColour(2));
    EXPECT_NE(at(centre(10, 13)), routeColour(2));
    EXPECT_EQ(render::legShift(0), 0);
    EXPECT_EQ(render::legShift(1), -1);
    EXPECT_EQ(render::legShift(2), 1);
    EXPECT_EQ(render::legShift(3), -2);
    EXPECT_EQ(render::stepDirection({5, 5}, {6, 4}), 1);
    EXPECT_EQ(render::stepDirection({5, 5}, {5, 5}), -1);
    EXPECT_EQ(render::stepDirection({5, 5}, {7, 5}), -1);

    st->view.routeDisplay = 1;
    // The lead-in, coloured one past the last leg, and a cell no road reaches.
    setRoute(2, {{RouteCell::kLeadIn, {30, 30}}, {0, {-1, -1}}, {1, {40, 40}}});
    renderer.redrawMap();
    EXPECT_GT(countInBox(30, 30, routeColour(3)), 2);  // "S": leg 1 + 1, colour entry 3
    // Leg 1's number sits 9 pixels lower (its offset (0, -1) is subtracted).
    const PixelPoint box = cellToScreen(40, 40, 1);
    int above = 0, below = 0;
    for (int y = box.y - 10; y < box.y + 40; ++y)
        for (int x = box.x; x < box.x + 58; ++x)
            (y < box.y + 15 ? above : below) += at({x, y}) == routeColour(2);
    EXPECT_EQ(above, 0);
    EXPECT_GT(below, 0);
}

TEST(TraderOverlayOnDamagedMaps, EveryTraderOfEveryMapIsDrawnWithoutReadingOutside) {
    TempDir dir;
    writeMapSet(dir.path(), 13);
    auto st = loadTestMapSet(dir.path());
    installTestGraphics(st->gfx);
    st->view.zoom = 1;
    st->view.viewMode = kTraderViewMode;
    render::MapRenderer renderer(*st);
    for (int n = 0; n < kMapCount; n += 3) {
        selectMap(*st, n);
        markAllRoutesStale(*st);
        for (int t = 0; t <= kTraders; ++t) {
            st->view.selectedTrader = t;
            st->view.routeDisplay = (n + t) % 2;
            renderer.redrawMap();
            renderer.drawWholePicture();
        }
    }
}

}  // namespace
}  // namespace d7::test
