#include <gtest/gtest.h>

#include <QImage>
#include <sstream>

#include "cli/cli_run.h"
#include "cli/commands.h"
#include "core/edit/geometry.h"
#include "core/model/file_io.h"
#include "core/model/map_access.h"
#include "core/tiles/overlay_colours.h"
#include "support/map_builder.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using test::frameMark;
using test::kindMark;
using test::testPixel;

using test::CliRun;

CliRun run(const std::vector<std::string>& args) {
    return test::runCli(args);
}

// A game directory whose map 3 is empty but for a town cell at (5, 6) of
// domain 2, with the test graphics in its "PL8" sub-directory.
class RenderCli : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 11, "PL8");
        test::writeTestGraphics(game / "PL8");
        Bytes store = test::fileBytes(game / "k7_maps.dat");
        std::uint8_t* block = store.data() + blockOffset(3);
        std::fill(block, block + 6 * kCellCount, 0);
        auto cell = [&](int plane, int x, int y) -> std::uint8_t& {
            return block[plane * kCellCount + y * kGrid + x];
        };
        cell(0, 5, 6) = flags::kTown;
        cell(1, 5, 6) = tileset::kTown;
        cell(2, 5, 6) = 1;
        cell(5, 5, 6) = 2;
        writeFileAtomic(game / "k7_maps.dat", store);
    }

    QImage render(std::vector<std::string> options, const std::string& name = "map.png") {
        std::vector<std::string> args{"render", game.path().string(), "3", (out / name).string()};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return QImage(QString::fromStdString((out / name).string()));
    }

    // The pixel at (dx, dy) of cell (x, y)'s box, as 0xFFRRGGBB.
    static QRgb boxPixel(const QImage& image, int z, int x, int y, int dx, int dy) {
        const PixelPoint box = cellToScreen(x, y, z);
        return image.pixel(box.x + dx * z, box.y + dy * z);
    }
    static int countInBox(const QImage& image, int z, int x, int y, std::uint32_t rgb) {
        const PixelPoint box = cellToScreen(x, y, z);
        int n = 0;
        for (int py = box.y; py < box.y + 30 * z; ++py)
            for (int px = box.x; px < box.x + 58 * z; ++px)
                n += (image.pixel(px, py) & 0xFFFFFF) == rgb;
        return n;
    }

    test::TempDir game, out;
};

TEST_F(RenderCli, WritesTheMapPictureAsPng) {
    const QImage image = render({});
    ASSERT_EQ(image.size(), QSize(3712, 1920));
    EXPECT_EQ(boxPixel(image, 1, 5, 6, 29, 7), testPixel(frameMark(48)));  // town cell: M2 + 47
    EXPECT_EQ(boxPixel(image, 1, 5, 6, 29, 22), testPixel(kindMark(tiles::kTownTiles, 0)));
    EXPECT_EQ(boxPixel(image, 1, 7, 7, 29, 22), testPixel(kindMark(tiles::kBaseTiles, 0)));
    EXPECT_EQ(image.pixel(0, 0), 0xFF000000);
}

TEST_F(RenderCli, SeasonZoomAndDarkReachTheBmp) {
    const QImage image = render({"--zoom", "2", "--season", "autumn", "--dark"}, "map.BMP");
    ASSERT_EQ(image.size(), QSize(7424, 3840));
    EXPECT_EQ(boxPixel(image, 2, 7, 7, 29, 7), testPixel(frameMark(0), 1.5));
    EXPECT_EQ(boxPixel(image, 2, 7, 7, 29, 22), testPixel(kindMark(tiles::kBaseTiles, 2), 1.5));
}

TEST_F(RenderCli, SmallZoomsShrinkTheHundredPercentPicture) {
    const QImage full = render({}, "full.png");
    for (const auto& [zoom, s] : {std::pair<std::string, int>{"0.5", 2}, {"0.25", 4}}) {
        const QImage shrunk = render({"--zoom", zoom}, "small.png");
        ASSERT_EQ(shrunk.size(), QSize(3712 / s, 1920 / s)) << zoom;
        // Inside a plain base tile every shown pixel is the tile's own colour.
        const PixelPoint box = cellToScreen(7, 7, 1);
        EXPECT_EQ(shrunk.pixel((box.x + 28) / s, (box.y + 20) / s),
                  full.pixel(box.x + 28, box.y + 20))
            << zoom;
    }
    EXPECT_EQ(run({"render", game.path().string(), "3", (out / "x.png").string(), "--zoom", "0.3"})
                  .status,
              2);
}

TEST_F(RenderCli, DomainViewLabelsTheDomainsInTheirColourSet) {
    const QImage bright = render({"--view", "domain"});
    EXPECT_GT(countInBox(bright, 1, 5, 6, tiles::overlayColour(2, tiles::kTableD)), 5);
    EXPECT_EQ(countInBox(bright, 1, 7, 7, tiles::overlayColour(2, tiles::kTableD)), 0);
    const QImage dark = render({"--view", "domain", "--dark"});
    EXPECT_GT(countInBox(dark, 1, 5, 6, tiles::overlayColour(2, tiles::kTableA)), 5);
}

TEST_F(RenderCli, BadOptionsAndMissingGraphicsWriteNothing) {
    const std::string dir = game.path().string();
    const std::string png = (out / "x.png").string();
    EXPECT_EQ(run({"render", dir, "3", (out / "x.gif").string()}).status, 2);
    EXPECT_EQ(run({"render", dir, "3", png, "--zoom", "3"}).status, 2);
    EXPECT_EQ(run({"render", dir, "3", png, "--view", "towns"}).status, 2);
    EXPECT_EQ(run({"render", dir, "3", png, "--season", "monsoon"}).status, 2);
    EXPECT_EQ(run({"render", dir, "60", png}).status, 2);
    fs::remove(game / "PL8" / "castle1a.pl8");
    const CliRun missing = run({"render", dir, "3", png});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("castle1a.pl8"), std::string::npos) << missing.err;
    EXPECT_TRUE(fs::is_empty(out.path()));
}

TEST_F(RenderCli, EveryMapOfAPatternMapSetRenders) {
    // Maps 0..2 hold arbitrary bytes: frames that do not exist are left out.
    for (const char* n : {"0", "1", "2"}) {
        const CliRun r = run({"render", game.path().string(), n, (out / "m.bmp").string()});
        EXPECT_EQ(r.status, 0) << r.err;
    }
}

}  // namespace
}  // namespace d7
