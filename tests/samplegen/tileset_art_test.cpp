// The sample tilesets as the editor reads them: every frame it draws exists
// in every season, and the frames show what the editor's tile rules say they
// are (land where the coast rule sees land, road towards the road neighbours,
// the domain edge on the sides a border tile names).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

#include "core/edit/borders.h"
#include "core/edit/coast.h"
#include "core/edit/roads.h"
#include "core/model/planes.h"
#include "core/tiles/graphics_loading.h"
#include "core/tiles/tileset_file.h"
#include "sample_fixture.h"
#include "samplegen/palette_art.h"
#include "samplegen/raster.h"

namespace d7 {
namespace {

using samplegen::Ramp;
namespace ramp = samplegen::ramp;
namespace colour = samplegen::colour;

tiles::Graphics loadedGraphics(int season) {
    tiles::Graphics gfx;
    const auto& dir = test::generatedSample().dir;
    tiles::loadPalette(gfx,
                       tiles::gameFilePath((dir / "pl8").string(), tiles::kDefaultPaletteName));
    tiles::loadTilesets(gfx, (dir / "pl8").string(), season);
    return gfx;
}

// The palette index of the diamond pixel at cell point (a, b) of frame k.
int diamondIndexAt(const tiles::Tileset& ts, int k, double a, double b) {
    const auto data = tiles::frameData(ts, k);
    if (!data) return -1;
    const samplegen::Vec2 p = samplegen::cellToBox(a, b);
    const int px = int(std::floor(p.x)), py = std::min(29, int(std::floor(p.y)));
    if (!samplegen::inDiamond(px, py)) return -1;
    return data->pixels[tiles::diamondRowStart(py) + px - tiles::diamondRowLeft(py)];
}

bool isWater(int index) {
    return ramp::kSea.contains(index) || ramp::kShallows.contains(index) ||
           ramp::kIce.contains(index) || index == colour::kFoam;
}

bool isRoadSurface(int index) {
    return ramp::kEarth.contains(index) || ramp::kStone.contains(index);
}

bool isBorderMark(int index) {
    return index == colour::kBorderDark || index == colour::kBorderLight;
}

// Just inside the edge towards each of the eight neighbours, in the order of
// the 3 x 3 neighbourhood row by row (centre skipped).
struct Probe {
    int dx, dy;
    double a, b;
};
constexpr Probe kProbes[] = {{-1, -1, 0.05, 0.05}, {0, -1, 0.5, 0.04}, {1, -1, 0.95, 0.05},
                             {-1, 0, 0.04, 0.5},   {1, 0, 0.96, 0.5},  {-1, 1, 0.05, 0.95},
                             {0, 1, 0.5, 0.96},    {1, 1, 0.95, 0.95}};

TEST(SampleTilesets, EveryFrameTheEditorDrawsExistsInEverySeason) {
    const std::array<std::set<int>, tiles::kTilesetCount> used = [] {
        std::array<std::set<int>, tiles::kTilesetCount> u;
        for (int k = 0; k <= 122; ++k) u[tiles::kBaseTiles].insert(k);
        for (int k = 0; k <= 83; ++k)
            if (k != 79) u[tiles::kRoadTiles].insert(k);
        for (int k = 0; k <= 24; ++k) u[tiles::kMountainTiles].insert(k);
        u[tiles::kTownTiles] = {0, 10, 20, 30, 47, 48, 49, 50, 59};
        u[tiles::kCastleTiles] = {0, 1, 2, 3, 8, 9, 10, 11};
        return u;
    }();
    constexpr int kMinimumFrames[] = {123, 84, 25, 60, 12};
    for (int season = 0; season < 4; ++season) {
        const tiles::Graphics gfx = loadedGraphics(season);
        for (int kind = 0; kind < tiles::kTilesetCount; ++kind) {
            const tiles::Tileset& ts = gfx.tilesets[std::size_t(kind)];
            EXPECT_GE(ts.frameCount, kMinimumFrames[kind])
                << "tileset " << kind << " season " << season;
            for (int k : used[std::size_t(kind)]) {
                const auto data = tiles::frameData(ts, k);
                ASSERT_TRUE(data.has_value())
                    << "tileset " << kind << " frame " << k << " season " << season;
                // Only the black tiles paint palette colour 0; elsewhere it would be a hole.
                const bool black = kind == tiles::kBaseTiles && k <= 5;
                const int zeros = int(std::count(data->pixels, data->pixels + 900, 0));
                EXPECT_EQ(zeros, black ? 900 : 0)
                    << "tileset " << kind << " frame " << k << " season " << season;
            }
        }
    }
}

TEST(SampleTilesets, TallObjectsRiseIntoExtensionLayers) {
    const tiles::Graphics gfx = loadedGraphics(0);
    auto rises = [&](int kind, int k) {
        const auto e = tiles::frameEntry(gfx.tilesets[std::size_t(kind)], k);
        return e && e->dir >= 2 && e->dir <= 4 && e->ex > 0;
    };
    for (int k = 30; k <= 37; ++k) EXPECT_TRUE(rises(tiles::kRoadTiles, k)) << "forest " << k;
    for (int t = 0; t < 4; ++t)
        EXPECT_TRUE(rises(tiles::kMountainTiles, 4 * t)) << "mountain " << t;
    EXPECT_TRUE(rises(tiles::kMountainTiles, 16));
    for (int k : {47, 48, 49, 50}) EXPECT_TRUE(rises(tiles::kTownTiles, k)) << "town " << k;
    for (int k : {0, 1, 2, 3, 8, 9, 10, 11})
        EXPECT_TRUE(rises(tiles::kCastleTiles, k)) << "castle " << k;
    // A plain grass tile has nothing above it.
    EXPECT_EQ(tiles::frameEntry(gfx.tilesets[tiles::kBaseTiles], 6)->ex, 0);
}

// For every way land can lie around a sea cell: the coast tile the editor
// picks shows land towards each land neighbour and water towards each sea
// neighbour along the four edges; with no land along an edge, the corners
// show exactly the land at the corners.
TEST(SampleTilesets, CoastTilesShowLandWhereTheEditorSeesLand) {
    for (int season = 0; season < 4; ++season) {
        const tiles::Graphics gfx = loadedGraphics(season);
        const tiles::Tileset& base = gfx.tilesets[tiles::kBaseTiles];
        for (int config = 1; config < 256; ++config) {
            WorkingPlanes p;
            p.M0.fill(flags::kSea);
            for (int i = 0; i < 8; ++i)
                if (config & (1 << i)) p.M0.at(10 + kProbes[i].dx, 10 + kProbes[i].dy) = 0;
            const int group = coastTileFor(p, 10, 10);
            ASSERT_GE(group, 38) << "config " << config;
            const bool anyEdge = (config & 0b01011010) != 0;  // the four orthogonal neighbours
            for (int i = 0; i < 8; ++i) {
                const bool edge = kProbes[i].dx == 0 || kProbes[i].dy == 0;
                if (!edge && anyEdge) continue;
                const int index = diamondIndexAt(base, group, kProbes[i].a, kProbes[i].b);
                const bool land = config & (1 << i);
                EXPECT_EQ(!isWater(index), land)
                    << "season " << season << " config " << config << " tile " << group
                    << " towards (" << kProbes[i].dx << "," << kProbes[i].dy << ") index " << index;
            }
        }
    }
}

// For every set of road neighbours: each variant of the road piece the editor
// picks, plain and bordered, carries road to each neighbour that is road and,
// for pieces with two or more connections, to no other side.
TEST(SampleTilesets, RoadPiecesRunToTheirRoadNeighbours) {
    constexpr int kSides[4] = {1, 3, 4, 6};  // (x, y-1), (x-1, y), (x+1, y), (x, y+1) in kProbes
    for (int season = 0; season < 3; ++season) {  // winter roads lie under snow
        const tiles::Graphics gfx = loadedGraphics(season);
        const tiles::Tileset& roads = gfx.tilesets[tiles::kRoadTiles];
        for (int config = 1; config < 16; ++config) {
            WorkingPlanes p;
            p.M0.at(10, 10) = flags::kRoad;
            for (int s = 0; s < 4; ++s)
                if (config & (1 << s)) {
                    const Probe& pr = kProbes[kSides[s]];
                    p.M0.at(10 + pr.dx, 10 + pr.dy) = flags::kRoad;
                }
            const int group = roadTileFor(p, 10, 10);
            ASSERT_GE(group, 0);
            const int variants = group < 24 ? 4 : group == 28 ? 2 : 1;
            std::vector<int> tiles;
            for (int v = 0; v < variants; ++v) tiles.push_back(group + v);
            for (int s = 1; s <= 3; ++s) tiles.push_back(borderBase(1, group) + s - 1);
            const bool exact = std::popcount(unsigned(config)) >= 2;
            for (int tile : tiles)
                for (int s = 0; s < 4; ++s) {
                    const Probe& pr = kProbes[kSides[s]];
                    // Half way between the middle and the edge, clear of the border marks.
                    const int index = diamondIndexAt(roads, tile, 0.5 + (pr.a - 0.5) * 0.8,
                                                     0.5 + (pr.b - 0.5) * 0.8);
                    const bool connected = config & (1 << s);
                    if (connected || exact) {
                        EXPECT_EQ(isRoadSurface(index), connected)
                            << "season " << season << " config " << config << " tile " << tile
                            << " side " << s << " index " << index;
                    }
                }
        }
    }
}

// Every bordered tile shows the border marks along the upper sides it names
// and nowhere else along its upper edges.
TEST(SampleTilesets, BorderTilesMarkTheSidesTheyName) {
    for (int season = 0; season < 4; ++season) {
        const tiles::Graphics gfx = loadedGraphics(season);
        const tiles::Tileset& roads = gfx.tilesets[tiles::kRoadTiles];
        for (int tile = 0; tile < roads.frameCount; ++tile) {
            const int sides = borderOf(tile);
            int towardsUp = 0, towardsLeft = 0;  // marks along the edge to (x, y-1) and to (x-1, y)
            for (int i = 1; i < 40; ++i) {
                const double t = i / 40.0;
                towardsUp += isBorderMark(diamondIndexAt(roads, tile, t, 0.02));
                towardsLeft += isBorderMark(diamondIndexAt(roads, tile, 0.02, t));
            }
            EXPECT_EQ(towardsUp > 4, (sides & 1) != 0) << "season " << season << " tile " << tile;
            EXPECT_EQ(towardsLeft > 4, (sides & 2) != 0) << "season " << season << " tile " << tile;
        }
    }
}

std::array<double, 3> meanColour(const tiles::Graphics& gfx, int kind, int k) {
    const auto data = tiles::frameData(gfx.tilesets[std::size_t(kind)], k);
    std::array<double, 3> sum{};
    for (int i = 0; i < 900; ++i) {
        const std::uint32_t rgb = gfx.palette.canvas[data->pixels[i]];
        sum[0] += (rgb >> 16) & 0xFF;
        sum[1] += (rgb >> 8) & 0xFF;
        sum[2] += rgb & 0xFF;
    }
    for (double& v : sum) v /= 900;
    return sum;
}

TEST(SampleTilesets, SeasonsDifferAtAGlance) {
    std::array<std::array<double, 3>, 4> grass, forest;
    for (int s = 0; s < 4; ++s) {
        const tiles::Graphics gfx = loadedGraphics(s);
        grass[std::size_t(s)] = meanColour(gfx, tiles::kBaseTiles, 6);
        forest[std::size_t(s)] = meanColour(gfx, tiles::kRoadTiles, 30);
    }
    auto distance = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
        return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
    };
    for (int s = 0; s < 4; ++s)
        for (int t = s + 1; t < 4; ++t)
            EXPECT_GT(distance(grass[std::size_t(s)], grass[std::size_t(t)]), 25.0)
                << s << " vs " << t;
    // Spring is the greenest, autumn the reddest, winter the brightest.
    auto greenness = [](const std::array<double, 3>& c) { return c[1] - (c[0] + c[2]) / 2; };
    for (int s = 1; s < 4; ++s) EXPECT_GT(greenness(grass[0]), greenness(grass[std::size_t(s)]));
    for (int s : {0, 1, 3})
        EXPECT_GT(grass[2][0] - grass[2][1], grass[std::size_t(s)][0] - grass[std::size_t(s)][1]);
    for (int s = 0; s < 3; ++s) EXPECT_GT(grass[3][2], grass[std::size_t(s)][2] + 60);
    EXPECT_GT(distance(forest[0], forest[2]), 15.0);
}

TEST(SamplePalette, LandAndSeaAtThreeAndFourAndSixBitComponents) {
    const auto bytes = samplegen::makePaletteFile();
    ASSERT_EQ(bytes.size(), 768u);
    for (std::uint8_t v : bytes) EXPECT_LE(v, 63);
    const auto land = samplegen::paletteColour(3), sea = samplegen::paletteColour(4);
    EXPECT_GT(land[1], land[0]);
    EXPECT_GT(land[1], land[2]);
    EXPECT_GT(sea[2], sea[0]);
    EXPECT_GT(sea[2], sea[1]);
    EXPECT_EQ(samplegen::paletteColour(0), (std::array<std::uint8_t, 3>{0, 0, 0}));
}

}  // namespace
}  // namespace d7
