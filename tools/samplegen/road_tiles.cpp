// The road tileset: road pieces, forest, fields and their bordered variants
// that show a domain edge on the upper side or sides of a cell.
#include <algorithm>
#include <bit>
#include <cmath>

#include "samplegen/iso_scene.h"
#include "samplegen/tileset_art.h"

namespace d7::samplegen {

namespace {

// Sides a road piece connects to.
enum Side : unsigned {
    kToLeft = 1,   // (x-1, y): the upper-left edge, a = 0
    kToUp = 2,     // (x, y-1): the upper-right edge, b = 0
    kToRight = 4,  // (x+1, y): the lower-right edge, a = 1
    kToDown = 8,   // (x, y+1): the lower-left edge, b = 1
};

struct RoadGroup {
    int first;
    int variants;
    unsigned sides;
};

// The road groups in the order of their bordered variants (three tiles each from 46).
constexpr RoadGroup kRoadGroups[] = {
    {0, 4, kToUp | kToDown},
    {4, 4, kToLeft | kToRight},
    {8, 4, kToUp | kToRight},
    {12, 4, kToRight | kToDown},
    {16, 4, kToLeft | kToDown},
    {20, 4, kToLeft | kToUp},
    {24, 1, kToUp | kToRight | kToDown},
    {25, 1, kToLeft | kToRight | kToDown},
    {26, 1, kToLeft | kToUp | kToDown},
    {27, 1, kToLeft | kToUp | kToRight},
    {28, 2, kToLeft | kToUp | kToRight | kToDown},
};

constexpr int kFirstForest = 30;
constexpr int kForestTiles = 8;
constexpr int kFirstBorderedGrass = 38;
constexpr int kFirstBorderedForest = 41;
constexpr int kFirstBorderedRoad = 46;
constexpr int kField = 80;
constexpr int kFirstBorderedField = 81;

constexpr double kRoadHalfWidth = 0.155;

double segmentDistance(CellPoint p, CellPoint a, CellPoint b) {
    const double vx = b.a - a.a, vy = b.b - a.b;
    const double t =
        std::clamp(((p.a - a.a) * vx + (p.b - a.b) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    const double dx = p.a - (a.a + t * vx), dy = p.b - (a.b + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

CellPoint edgeMiddle(unsigned side) {
    switch (side) {
        case kToLeft:
            return {0.0, 0.5};
        case kToUp:
            return {0.5, 0.0};
        case kToRight:
            return {1.0, 0.5};
        default:
            return {0.5, 1.0};
    }
}

// Distance from p to the middle line of the road. Two sides at a right angle
// make a curve around their common corner; other combinations meet in the middle.
double roadDistance(CellPoint p, unsigned sides) {
    const bool bend =
        std::popcount(sides) == 2 && sides != (kToUp | kToDown) && sides != (kToLeft | kToRight);
    if (bend) {
        const double ca = (sides & kToRight) ? 1.0 : 0.0;
        const double cb = (sides & kToDown) ? 1.0 : 0.0;
        return std::fabs(std::hypot(p.a - ca, p.b - cb) - 0.5);
    }
    double d = 10;
    for (unsigned s : {kToLeft, kToUp, kToRight, kToDown})
        if (sides & s) d = std::min(d, segmentDistance(p, {0.5, 0.5}, edgeMiddle(s)));
    return d;
}

std::uint8_t roadSurface(const SeasonStyle& st, double d, int px, int py, int variant) {
    const double grain =
        hashUnit(0x70ADu, std::uint32_t(px), std::uint32_t(py), std::uint32_t(variant));
    const bool rut = std::fabs(d - 0.07) < 0.02;
    const bool rim = d > kRoadHalfWidth - 0.035;
    if (st.winter()) {
        // Trodden snow, the ruts showing the earth below.
        if (rim) return ramp::kSnow.at(5);
        if (rut) return grain < 0.4 ? ramp::kEarth.at(5) : ramp::kSnow.at(5);
        return grain < 0.22 ? ramp::kEarth.at(6) : ramp::kSnow.at(6 + int(grain * 2));
    }
    if (grain < 0.03) return ramp::kStone.at(8);  // pebbles
    if (rim) return ramp::kEarth.at(2);
    if (rut) return ramp::kEarth.at(4);
    return ramp::kEarth.at(int(std::floor(6.2 + (grain - 0.5) * 1.6)));
}

// The domain edge on the upper side(s): s = 1 the edge to (x, y-1), 2 the edge
// to (x-1, y), 3 both. A dashed line of border stones.
std::uint8_t borderMark(CellPoint p, int s) {
    constexpr double kDepth = 0.085;
    auto dash = [](double along) { return std::fmod(along * 5.0 + 10.0, 1.0) < 0.62; };
    if ((s & 1) && p.b < kDepth && dash(p.a))
        return p.b < kDepth / 2 ? colour::kBorderDark : colour::kBorderLight;
    if ((s & 2) && p.a < kDepth && dash(p.b))
        return p.a < kDepth / 2 ? colour::kBorderDark : colour::kBorderLight;
    return 0;
}

void paintBorder(IsoScene& scene, int s) {
    if (s == 0) return;
    const Vec2i box = scene.cellBox(0, 0);
    for (int py = 0; py < 30; ++py)
        for (int px = rowLeft(py); px < rowLeft(py) + rowWidth(py); ++px)
            if (std::uint8_t c = borderMark(boxToCell(px, py), s))
                scene.canvas().set(box.x + px, box.y + py, c);
}

Frame roadFrame(const SeasonStyle& st, unsigned sides, int variant, int borderSides) {
    IsoScene scene(1, 0, st);
    scene.fillGround([&](int, int, CellPoint p, int px, int py) {
        const double d = roadDistance(p, sides);
        if (d < kRoadHalfWidth) return roadSurface(st, d, px, py, variant);
        const std::uint8_t g = groundWithDetail(st, p, px, py, 40 + variant);
        return d < kRoadHalfWidth + 0.03 ? shadeWithin(g, -1) : g;  // trodden verge
    });
    paintBorder(scene, borderSides);
    return scene.cut(0, 0, kLayersNone);
}

Frame grassFrame(const SeasonStyle& st, int variant, int borderSides) {
    IsoScene scene(1, 0, st);
    scene.fillSeasonGround(60 + variant);
    paintBorder(scene, borderSides);
    return scene.cut(0, 0, kLayersNone);
}

Frame forestFrame(const SeasonStyle& st, int variant, int borderSides) {
    IsoScene scene(1, 48, st);
    // Darker ground under the canopy.
    scene.fillGround([&](int, int, CellPoint p, int px, int py) {
        return shadeWithin(groundWithDetail(st, p, px, py, 80 + variant), -1);
    });
    paintBorder(scene, borderSides);
    struct Spot {
        double a, b;
    };
    // Five trees on a jittered pattern; drawn from the back to the front.
    constexpr Spot kSpots[] = {{0.24, 0.24}, {0.74, 0.22}, {0.48, 0.5}, {0.22, 0.74}, {0.74, 0.74}};
    struct Tree {
        double a, b, size;
        bool conifer;
        std::uint32_t seed;
    };
    std::vector<Tree> trees;
    for (int i = 0; i < 5; ++i) {
        const std::uint32_t seed = hash32(0xF0E5u, std::uint32_t(variant), std::uint32_t(i));
        const double ja = (hashUnit(seed, 1) - 0.5) * 0.12, jb = (hashUnit(seed, 2) - 0.5) * 0.12;
        const double coniferShare = st.winter() ? 0.45 : 0.35;
        trees.push_back({kSpots[i].a + ja, kSpots[i].b + jb, 0.85 + 0.3 * hashUnit(seed, 3),
                         hashUnit(seed, 4) < coniferShare, seed});
    }
    std::sort(trees.begin(), trees.end(),
              [](const Tree& x, const Tree& y) { return x.a + x.b < y.a + y.b; });
    for (const Tree& t : trees) scene.treeShadow(t.a, t.b, t.size);
    for (const Tree& t : trees) {
        if (t.conifer)
            scene.conifer(t.a, t.b, t.size, t.seed);
        else
            scene.broadTree(t.a, t.b, t.size, t.seed);
    }
    return scene.cut(0, 0, kLayersUp);
}

// Furrows along the cell's A axis (or B axis for the second look).
Frame fieldFrame(const SeasonStyle& st, int variant, int borderSides, bool acrossB) {
    IsoScene scene(1, 6, st);
    scene.fillGround([&](int, int, CellPoint p, int px, int py) -> std::uint8_t {
        const double across = acrossB ? p.a : p.b;
        const double row = std::fmod(across * 7.0 + 10.0, 1.0);
        const double grain =
            hashUnit(0xF1E1u, std::uint32_t(px), std::uint32_t(py), std::uint32_t(variant));
        switch (st.season) {
            case Season::Spring:
                if (row < 0.45) return ramp::kLeaves.at(int(7 + grain * 3));
                return ramp::kPloughed.at(int(3 + grain * 2.5));
            case Season::Summer:
                if (grain < 0.05) return colour::kFlowerRed;  // poppies
                return ramp::kWheat.at(int((row < 0.3 ? 3 : 5) + grain * 2.5));
            case Season::Autumn:
                if (row < 0.25) return ramp::kWheat.at(int(1 + grain * 2));
                return ramp::kPloughed.at(int(2 + grain * 3));
            case Season::Winter:
            default:
                if (row < 0.25) return grain < 0.5 ? ramp::kPloughed.at(3) : ramp::kSnow.at(5);
                return ramp::kSnow.at(int(8 + grain * 3));
        }
    });
    paintBorder(scene, borderSides);
    // Sheaves standing in the summer field rise a little above the ground.
    if (st.season == Season::Summer)
        for (int i = 0; i < 3; ++i) {
            const std::uint32_t seed = hash32(0x5EAFu, std::uint32_t(variant), std::uint32_t(i));
            const Vec2 p =
                scene.screen(0.25 + 0.5 * hashUnit(seed, 1), 0.25 + 0.5 * hashUnit(seed, 2));
            fillPolygon(scene.canvas(), {{p.x - 2, p.y}, {p.x, p.y - 5}, {p.x + 2, p.y}},
                        ramp::kWheat.at(6));
            scene.canvas().set(int(p.x), int(p.y) - 1, ramp::kWheat.at(2));
        }
    return scene.cut(0, 0, kLayersUp);
}

}  // namespace

std::vector<Frame> roadFrames(const SeasonStyle& st) {
    std::vector<Frame> frames(kRoadFrames);
    for (const RoadGroup& g : kRoadGroups)
        for (int v = 0; v < g.variants; ++v)
            frames[std::size_t(g.first + v)] = roadFrame(st, g.sides, g.first + v, 0);
    for (int v = 0; v < kForestTiles; ++v)
        frames[std::size_t(kFirstForest + v)] = forestFrame(st, v, 0);
    for (int s = 1; s <= 3; ++s)
        frames[std::size_t(kFirstBorderedGrass + s - 1)] = grassFrame(st, s, s);
    // Forest with a border: two looks each for the sides 1 and 2, one for both.
    constexpr int kForestBorder[] = {1, 1, 2, 2, 3};
    for (int i = 0; i < 5; ++i)
        frames[std::size_t(kFirstBorderedForest + i)] = forestFrame(st, 10 + i, kForestBorder[i]);
    for (std::size_t g = 0; g < std::size(kRoadGroups); ++g)
        for (int s = 1; s <= 3; ++s)
            frames[std::size_t(kFirstBorderedRoad) + 3 * g + std::size_t(s - 1)] =
                roadFrame(st, kRoadGroups[g].sides, kRoadGroups[g].first, s);
    frames[79] = fieldFrame(st, 79, 0, true);
    frames[kField] = fieldFrame(st, kField, 0, false);
    for (int s = 1; s <= 3; ++s)
        frames[std::size_t(kFirstBorderedField + s - 1)] = fieldFrame(st, kField, s, false);
    return frames;
}

}  // namespace d7::samplegen
