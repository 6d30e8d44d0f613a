// Drawing in palette indices for the tileset art: a canvas with transparency,
// filled shapes, deterministic noise, and the isometric cell geometry that
// every frame is cut from.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/tiles/tileset_file.h"

namespace d7::samplegen {

// Pixels of palette indices; 0 is transparent (the art never paints black
// except in the black tiles, which are written directly). Coordinates may be
// negative: the canvas covers [left, left + width) x [top, top + height).
class Canvas {
  public:
    Canvas(int left, int top, int width, int height);

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const {
        return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
    }
    std::uint8_t get(int x, int y) const { return contains(x, y) ? pixels_[index(x, y)] : 0; }
    void set(int x, int y, std::uint8_t c) {
        if (contains(x, y) && c != 0) pixels_[index(x, y)] = c;
    }
    void clear(int x, int y) {
        if (contains(x, y)) pixels_[index(x, y)] = 0;
    }

  private:
    std::size_t index(int x, int y) const {
        return std::size_t(y - top_) * std::size_t(width_) + std::size_t(x - left_);
    }
    int left_, top_, width_, height_;
    std::vector<std::uint8_t> pixels_;
};

struct Vec2 {
    double x = 0, y = 0;
};
struct Vec2i {
    int x = 0, y = 0;
};

// Colour of a pixel (x, y) inside a filled shape; 0 leaves the pixel alone.
using Shader = std::function<std::uint8_t(int x, int y)>;

// Fills the polygon (even-odd rule, pixel centres) with the shader's colours.
void fillPolygon(Canvas& c, const std::vector<Vec2>& points, const Shader& shade);
// Fills the polygon with one colour.
void fillPolygon(Canvas& c, const std::vector<Vec2>& points, std::uint8_t colour);
// Fills the ellipse centred at (cx, cy) with radii rx, ry.
void fillEllipse(Canvas& c, double cx, double cy, double rx, double ry, const Shader& shade);
void fillEllipse(Canvas& c, double cx, double cy, double rx, double ry, std::uint8_t colour);
// A line one pixel wide.
void drawLine(Canvas& c, Vec2 a, Vec2 b, std::uint8_t colour);

// Deterministic hashing and noise.
std::uint32_t hash32(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0,
                     std::uint32_t d = 0);
// A value in [0, 1) from the hash of the arguments.
double hashUnit(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0, std::uint32_t d = 0);

// Smooth value noise over the plane: hashed values at the integer lattice
// points (shifted by latticeOffset, which picks the pattern), blended with a
// smoothstep. Result in [0, 1].
double valueNoise(double x, double y, std::uint32_t seed, int latticeOffset);

// Value noise over the cell, periodic with period 1 in both cell coordinates
// so that tiles join without seams. The lattice points on the cell's edges
// come from edgeSeed only, the inner ones from innerSeed: tiles that share
// edgeSeed and differ in innerSeed still join seamlessly. Result in [0, 1].
double cellNoise(double a, double b, int cells, std::uint32_t edgeSeed, std::uint32_t innerSeed);

// The isometric cell. A point of the cell is (a, b), each 0..1: a runs
// towards the neighbour (x + 1, y) (to the lower right on screen), b towards
// (x, y + 1) (to the lower left). In the 58 x 30 tile box the top corner
// (0, 0) lies at (29, 0), the right corner (1, 0) at (58, 15), the bottom
// corner (1, 1) at (29, 30) and the left corner (0, 1) at (0, 15).
struct CellPoint {
    double a = 0, b = 0;
};
// The box pixel position of a cell point raised by height z pixels.
Vec2 cellToBox(double a, double b, double z = 0);
// The cell point seen at the centre of box pixel (px, py) on the ground.
CellPoint boxToCell(int px, int py);

// Diamond rows of a frame: row r (0..29) covers box columns
// rowLeft(r) .. rowLeft(r) + rowWidth(r) - 1.
constexpr int rowWidth(int r) {
    return tiles::diamondRowWidth(r);
}
constexpr int rowLeft(int r) {
    return tiles::diamondRowLeft(r);
}
// Whether box pixel (px, py) belongs to the diamond.
constexpr bool inDiamond(int px, int py) {
    return py >= 0 && py < 30 && px >= rowLeft(py) && px < rowLeft(py) + rowWidth(py);
}

double clamp01(double v);
double smoothstep(double e0, double e1, double v);

}  // namespace d7::samplegen
