// The base tiles: black, grassland, open sea and the coast tiles that shape
// the sea along the land.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "samplegen/iso_scene.h"
#include "samplegen/tileset_art.h"

namespace d7::samplegen {

namespace {

constexpr int kBlackTiles = 6;
constexpr int kFirstGrass = 6;
constexpr int kGrassTiles = 16;
constexpr int kFirstSea = 22;
constexpr int kSeaTiles = 16;

// The coast groups with the land their first pattern of the coast table
// demands; cells the table leaves open ("either") are drawn as sea, since
// they only occur next to land that the drawing covers anyway.
constexpr CoastShape kCoastShapes[] = {
    {38, 4, "010000000"},  {42, 4, "000001000"},  {46, 4, "000000010"},  {50, 4, "000100000"},
    {54, 2, "010000010"},  {56, 2, "000101000"},  {58, 4, "010001000"},  {62, 4, "000001010"},
    {66, 4, "000100010"},  {70, 4, "010100000"},  {74, 1, "010101000"},  {75, 1, "010001010"},
    {76, 1, "000101010"},  {77, 1, "010100010"},  {78, 2, "010101010"},  {80, 1, "010000001"},
    {81, 1, "010000100"},  {82, 1, "010000101"},  {83, 1, "000001100"},  {84, 1, "100001000"},
    {85, 1, "100001100"},  {86, 1, "100000010"},  {87, 1, "001000010"},  {88, 1, "101000010"},
    {89, 1, "001100000"},  {90, 1, "000100001"},  {91, 1, "001100001"},  {92, 1, "010001100"},
    {93, 1, "100001010"},  {94, 1, "001100010"},  {95, 1, "010100001"},  {96, 4, "000000100"},
    {100, 4, "100000000"}, {104, 4, "001000000"}, {108, 4, "000000001"}, {112, 1, "100000100"},
    {113, 1, "101000000"}, {114, 1, "001000001"}, {115, 1, "000000101"}, {116, 1, "001000100"},
    {117, 1, "100000001"}, {118, 1, "101000100"}, {119, 1, "101000001"}, {120, 1, "001000101"},
    {121, 1, "100000101"}, {122, 1, "101000101"},
};

// Distance from cell point p to the neighbour cell at offset (dx, dy), in cells.
double distanceToNeighbour(CellPoint p, int dx, int dy) {
    const double ex = std::max({double(dx) - p.a, 0.0, p.a - (dx + 1)});
    const double ey = std::max({double(dy) - p.b, 0.0, p.b - (dy + 1)});
    return std::sqrt(ex * ex + ey * ey);
}

// How far the land reaches into a coast cell. Periodic in both cell
// coordinates, so two coast tiles meet with the same shoreline.
double shoreReach(CellPoint p) {
    const double w = std::sin(2 * std::numbers::pi * (p.a + 2 * p.b)) * 0.5 +
                     std::sin(2 * std::numbers::pi * (3 * p.a - p.b)) * 0.5;
    return 0.30 + 0.055 * w;
}

std::uint8_t coastColour(const SeasonStyle& st, const CoastShape& shape, int variant, int px,
                         int py) {
    const CellPoint p = boxToCell(px, py);
    double nearest = 10;
    for (int k = 0; k < 9; ++k)
        if (shape.land[k] == '1')
            nearest = std::min(nearest, distanceToNeighbour(p, k % 3 - 1, k / 3 - 1));
    const double f = nearest - shoreReach(p);  // below 0 on land
    const double grain =
        hashUnit(0xC0A5u, std::uint32_t(px), std::uint32_t(py), std::uint32_t(variant));
    if (f < -0.11) return groundWithDetail(st, p, px, py, variant);
    if (f < 0.0) {
        // The beach: dry above, wet and darker at the waterline.
        const double t = -f / 0.11;
        return st.sand.at(int(std::floor(st.sandLevel - 1 + t * 3 + (grain - 0.5) * 1.6 + 0.5)));
    }
    if (f < 0.028) return st.winter() ? ramp::kIce.at(7) : colour::kFoam;
    if (f < 0.17) {
        const double t = (f - 0.028) / (0.17 - 0.028);
        if (st.winter() && grain < 0.35 * (1 - t)) return ramp::kIce.at(6);
        return st.shallows.at(
            int(std::floor((1 - t) * (st.shallows.size - 1) + (grain - 0.5) * 1.4 + 0.5)));
    }
    return seaColour(st, p, px, py, variant);
}

Frame paintedFrame(const std::function<std::uint8_t(int px, int py)>& paint) {
    Frame f;
    std::size_t k = 0;
    for (int r = 0; r < 30; ++r)
        for (int j = 0; j < rowWidth(r); ++j) f.diamond[k++] = paint(rowLeft(r) + j, r);
    return f;
}

}  // namespace

const CoastShape* coastShapeOf(int tile) {
    for (const CoastShape& s : kCoastShapes)
        if (tile >= s.firstTile && tile < s.firstTile + s.variants) return &s;
    return nullptr;
}

std::vector<Frame> baseFrames(const SeasonStyle& style) {
    std::vector<Frame> frames;
    frames.reserve(kBaseFrames);
    for (int k = 0; k < kBlackTiles; ++k) frames.push_back(solidFrame(colour::kBlack));
    for (int v = 0; v < kGrassTiles; ++v)
        frames.push_back(paintedFrame([&](int px, int py) {
            return groundWithDetail(style, boxToCell(px, py), px, py, kFirstGrass + v);
        }));
    for (int v = 0; v < kSeaTiles; ++v)
        frames.push_back(paintedFrame([&](int px, int py) {
            return seaColour(style, boxToCell(px, py), px, py, kFirstSea + v);
        }));
    for (int tile = 38; tile < kBaseFrames; ++tile) {
        const CoastShape* shape = coastShapeOf(tile);
        frames.push_back(
            paintedFrame([&](int px, int py) { return coastColour(style, *shape, tile, px, py); }));
    }
    return frames;
}

}  // namespace d7::samplegen
