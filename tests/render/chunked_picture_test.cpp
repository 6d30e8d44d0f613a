// The map picture drawn chunk by chunk as parts of it are needed must come out
// exactly as when it is drawn whole.
#include <gtest/gtest.h>

#include <vector>

#include "render/picture_chunks.h"
#include "render_fixture.h"

namespace d7 {
namespace {

using test::CellSpec;
using test::frameMark;
using test::testPixel;

class ChunkedPicture : public test::RenderTest {
  protected:
    // Varied tiles, mountains reaching up into the cells behind them, a
    // castle, villages and domain numbers all over the map.
    void fillMap() {
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x)
                test::putCell(*st, x, y,
                              CellSpec{0, std::uint8_t((x * 7 + y * 3) % 5 == 0 ? 2 : 0),
                                       std::uint8_t((x + 2 * y) % 9), 0, 0,
                                       std::uint8_t(1 + (x / 16 + 4 * (y / 16)) % 16)});
        for (int part = 0; part < 4; ++part)
            test::putCell(*st, 20 + part % 2, 40 + part / 2,
                          CellSpec{0x80, 0, 0, std::uint8_t(part), 0, 3});
        for (int x = 5; x < 60; x += 9)
            test::putCell(*st, x, 62 - x, CellSpec{0x10, 0, 0, 0, 0, 7});
    }

    std::vector<std::uint32_t> wholePicture() {
        renderer.redrawMap();
        const auto p = renderer.pixels();
        return {p.begin(), p.end()};
    }
};

TEST_F(ChunkedPicture, PiecesDrawnApartMakeTheSamePictureInEveryViewAndZoom) {
    fillMap();
    for (int zoom = 1; zoom <= 2; ++zoom) {
        for (int view = 0; view <= 2; ++view) {
            st->view.zoom = zoom;
            st->view.viewMode = view;
            const auto whole = wholePicture();
            renderer.redrawMap();
            // Windows at the corners and across chunk edges, then the rest.
            renderer.windowImage(0, 0, 1160, 900);
            renderer.windowImage(63, 63, 700, 500);
            renderer.drawPending(QRect(511, 255, 3, 300));
            renderer.windowImage(40, 10, 1160, 900);
            const auto pieced = renderer.pixels();
            EXPECT_TRUE(std::equal(whole.begin(), whole.end(), pieced.begin()))
                << "zoom " << zoom << " view " << view;
        }
    }
}

TEST_F(ChunkedPicture, ChangesToPartsNotYetDrawnShowWhenTheyAre) {
    fillMap();
    st->view.zoom = 2;
    renderer.redrawMap();
    renderer.windowImage(0, 0, 1160, 900);  // the top of the map only
    // Cells far from the window, changed through the sink: a tile and a
    // castle piece.
    test::putCell(*st, 50, 60, CellSpec{0, 0, 5});
    st->sink->cellChanged(50, 60);
    EXPECT_EQ(upperHalf(50, 60), testPixel(frameMark(5)));
    test::putCell(*st, 60, 50, CellSpec{0x80, 0, 0, 1, 0, 3});
    st->sink->buildingPieceChanged(60, 50, flags::kBuilding);
    EXPECT_EQ(upperHalf(60, 50), testPixel(frameMark(10)));  // the finished castle's part 1
}

TEST(PictureChunks, StatesCountsAndStaleAreasMakeWhatIsDrawnNext) {
    render::PictureChunks chunks;
    chunks.reset(1300, 600);  // 3 x 3 chunks, the last column and row cut short
    using State = render::PictureChunks::State;
    EXPECT_TRUE(chunks.allIn(State::Pending));
    EXPECT_EQ(chunks.startDrawing(QRect(100, 100, 500, 10)), QRegion(0, 0, 1024, 256));
    EXPECT_TRUE(chunks.startDrawing(QRect(100, 100, 500, 10)).isEmpty());
    EXPECT_EQ(chunks.startDrawing(QRect(1100, 590, 50, 50)), QRegion(1024, 512, 276, 88));
    EXPECT_TRUE(chunks.startDrawing(QRect(2000, 2000, 5, 5)).isEmpty());  // off the picture
    chunks.finishDrawing();
    EXPECT_TRUE(chunks.touches(QRect(1200, 599, 1, 1), State::Drawn));
    EXPECT_FALSE(chunks.touches(QRect(1200, 300, 1, 1), State::Drawn));
    EXPECT_EQ(chunks.region(QRect(0, 200, 1300, 100), State::Drawn), QRegion(0, 200, 1024, 56));
    // Only the drawn part of a stale area is drawn again, with whatever
    // else is drawn next, and only once.
    chunks.markStale(QRect(1000, 240, 40, 40));
    EXPECT_TRUE(chunks.hasStale());
    EXPECT_EQ(chunks.startDrawing(QRect(0, 590, 10, 10)),
              QRegion(1000, 240, 24, 16) + QRegion(0, 512, 512, 88));
    chunks.finishDrawing();
    EXPECT_FALSE(chunks.hasStale());
    EXPECT_TRUE(chunks.startDrawing(QRect(0, 590, 10, 10)).isEmpty());
    chunks.markStale(QRect(0, 0, 10, 10));
    chunks.reset(1300, 600);
    EXPECT_FALSE(chunks.hasStale());
}

}  // namespace
}  // namespace d7
