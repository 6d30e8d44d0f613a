// A small isometric scene on a canvas: ground over a block of cells, boxes
// with gable and pointed roofs, trees and rocks, drawn in world coordinates
// (A, B along the grid axes in cells, z up in pixels). Single-cell and
// multi-cell frames are cut from such scenes.
#pragma once

#include <cstdint>
#include <functional>

#include "samplegen/raster.h"
#include "samplegen/season_style.h"
#include "samplegen/tileset_writer.h"

namespace d7::samplegen {

// Colour of the ground at a point of a cell: (cell column i, row j, the point
// in the cell, the box pixel).
using GroundFn = std::function<std::uint8_t(int i, int j, CellPoint p, int px, int py)>;

struct Walls {
    Ramp ramp;      // wall shades
    int level = 4;  // middle shade
};

struct Roof {
    Ramp ramp;
    int level = 4;
    double height = 6;  // pixels from the eaves to the ridge or apex
};

class IsoScene {
  public:
    // A scene over a block of size x size cells with headroom pixels above it.
    IsoScene(int size, int headroom, const SeasonStyle& style);

    Canvas& canvas() { return canvas_; }
    const SeasonStyle& style() const { return style_; }
    int size() const { return size_; }

    Vec2 screen(double a, double b, double z = 0) const;
    // Top-left corner of the tile box of cell (i, j) of the block.
    Vec2i cellBox(int i, int j) const;

    // Paints every cell of the block with the ground function.
    void fillGround(const GroundFn& ground);
    // The season's ground with details, varied per cell.
    void fillSeasonGround(int variant);
    // A patch of ground colour (cell-aligned rectangle [a0, a1] x [b0, b1]).
    void groundPatch(double a0, double b0, double a1, double b1, const GroundFn& ground);

    // An upright box on [a0, a1] x [b0, b1] from z0 to z0 + h; the two faces
    // towards the viewer and the top are drawn.
    void box(double a0, double b0, double a1, double b1, double h, const Walls& w, double z0 = 0,
             bool top = true);
    // A gable roof on top of a box of height h, ridge along A (alongA) or B.
    void gableRoof(double a0, double b0, double a1, double b1, double h, const Roof& r, bool alongA,
                   const Walls& gable);
    // A four-sided pointed roof on a box of height h.
    void pointedRoof(double a0, double b0, double a1, double b1, double h, const Roof& r);
    // Battlements along the top of a box of height h.
    void battlements(double a0, double b0, double a1, double b1, double h, const Walls& w);
    // A window or door: a dark rectangle on the face towards +B (face 0) or
    // +A (face 1) at the given position along the face and height.
    void opening(int face, double along, double fixed, double z, double w, double h,
                 std::uint8_t colour);
    // A pennant on a pole standing at (a, b) from z to z + pole.
    void flag(double a, double b, double z, double pole, std::uint8_t colour);
    // Smoke puffs rising from (a, b, z).
    void smoke(double a, double b, double z);

    // Trees standing at cell point (a, b) of the block; size scales them.
    void broadTree(double a, double b, double size, std::uint32_t seed);
    void conifer(double a, double b, double size, std::uint32_t seed);
    void treeShadow(double a, double b, double size);
    // A rounded rock or boulder.
    void boulder(double a, double b, double r, double h, Ramp ramp, std::uint32_t seed);

    // Cuts the frame of cell (i, j) with layers above its whole upper outline.
    Frame cut(int i, int j, int dir = kLayersUp) const;

  private:
    const SeasonStyle& style_;
    int size_;
    int originX_, originY_;
    Canvas canvas_;
};

// Shade of a ramp at level with a little per-pixel noise.
std::uint8_t noisyShade(Ramp r, double level, int x, int y, std::uint32_t seed, double amount);

}  // namespace d7::samplegen
