#include <gtest/gtest.h>

#include <QSize>

#include "cli/cli_run.h"
#include "core/model/auxiliary_planes.h"
#include "core/model/bmp_file.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/tiles/overlay_colours.h"
#include "core/tiles/pixel_grid.h"
#include "support/map_builder.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using test::runCli;

class PlaneCli : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 31, "pl8");
        test::writeTestGraphics(game / "pl8");
    }
    std::string g() const { return game.path().string(); }
    std::string o() const { return out.path().string(); }
    std::string file(const char* name) const { return (files / name).string(); }
    // Map n of the map set in dir (the names come from the game directory).
    std::unique_ptr<EditorState> load(const std::string& dir, int n) {
        auto st = makeEditorState();
        st->gameDir = g();
        st->pl8Dir = defaultPl8Dir(g());
        loadMapSet(*st, dir);
        selectMap(*st, n);
        return st;
    }
    std::unique_ptr<EditorState> saved(int n) { return load(o(), n); }
    std::unique_ptr<EditorState> original(int n) { return load(g(), n); }
    bool outEmpty() const { return std::filesystem::is_empty(out.path()); }
    test::TempDir game, out, files;
};

TEST_F(PlaneCli, PlanesTravelThroughBitmapsUnderOneBrightness) {
    ASSERT_EQ(runCli({"export-plane", g(), "7", "mask", file("m.bmp"), "--dark"}).status, 0);
    ASSERT_EQ(runCli({"export-plane", g(), "7", "outside", file("o.bmp")}).status, 0);
    auto st = original(7);
    // Into another map: the pictures carry the planes of map 7.
    auto r = runCli({"import-plane", g(), "8", "mask", file("m.bmp"), o(), "--dark"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Minimap: Create Minimap Image from Domain Mask?\n");
    EXPECT_EQ(saved(8)->planes.Ext1, st->planes.Ext1);
    ASSERT_EQ(runCli({"import-plane", g(), "8", "outside", file("o.bmp"), o()}).status, 0);
    auto result = saved(8);
    EXPECT_EQ(result->planes.Ext5, st->planes.Ext5);
    buildOutline(*st);
    EXPECT_EQ(result->planes.Outline, st->planes.Outline);
}

TEST_F(PlaneCli, ABitmapOfTheWrongSizeOrOneThatCannotBeReadWritesNothing) {
    ASSERT_EQ(runCli({"export-plane", g(), "7", "minimap", file("i.bmp")}).status, 0);
    auto r = runCli({"import-plane", g(), "7", "outside", file("i.bmp"), o()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Import: Invalid bitmap size! (needs to be 65x129)\n");
    test::writeBytes(files / "bad.bmp", Bytes{'B', 'M', 1, 2});
    r = runCli({"import-plane", g(), "7", "mask", file("bad.bmp"), o()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(file("bad.bmp") + ": is not a bitmap file"), std::string::npos) << r.err;
    r = runCli(
        {"edit", g(), o(), "-e", "create-submaps", "-e", "generate-from-bmp " + file("bad.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(outEmpty());
}

TEST_F(PlaneCli, EditCommandsDerivePlanesAndBuildMapsFromBitmaps) {
    tiles::PixelGrid painted(64, 64);  // black: sea
    for (int y = 10; y < 30; ++y)
        for (int x = 5; x < 60; ++x)
            painted.at(x, y) = tiles::pixelOf(tiles::tableAColour(1 + x / 20));
    writeBmp32(files / "p.bmp", 64, 64, painted.pixels);
    auto r = runCli({"edit", g(), o(), "--map", "4", "--seed", "3", "-e",
                     "generate-from-bmp " + file("p.bmp"), "-e", "create-submaps"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto st = saved(4);
    EXPECT_EQ(st->planes.M5.at(25, 12), 2);
    EXPECT_EQ(st->planes.M0.at(25, 40), flags::kSea);
    auto expected = saved(4);
    createAllSubmaps(*expected);
    EXPECT_EQ(st->planes.Ext1, expected->planes.Ext1);
    EXPECT_EQ(st->planes.Ext5, expected->planes.Ext5);
    EXPECT_EQ(st->planes.Outline, expected->planes.Outline);
    EXPECT_EQ(st->planes.Ext1.at(64 + 25 - 12, 25 + 12), 2);
}

TEST_F(PlaneCli, PicturesHaveTheirOwnLayouts) {
    const std::pair<const char*, QSize> pictures[] = {
        {"testmap", {128, 128}},     {"vertmap", {3712, 1920}}, {"vdommap", {3712, 1920}},
        {"vertex", {65, 129}},       {"domain", {128, 128}},    {"edge", {128, 128}},
        {"domain-palette", {64, 64}}};
    for (const auto& [kind, size] : pictures) {
        const auto r = runCli({"picture", g(), "3", kind, file("t.bmp"), "--seed", "1"});
        ASSERT_EQ(r.status, 0) << kind << r.err;
        // A 32-bit file: 54 bytes of headers, then the pixels.
        const Bytes b = test::fileBytes(file("t.bmp"));
        ASSERT_GE(b.size(), 26u);
        EXPECT_EQ(QSize(b[18] | b[19] << 8, b[22] | b[23] << 8), size) << kind;
        EXPECT_EQ(b.size(), 54u + 4u * std::size_t(size.width() * size.height())) << kind;
    }
    EXPECT_EQ(runCli({"picture", g(), "3", "nothing", file("t.bmp")}).status, 2);
}

}  // namespace
}  // namespace d7
