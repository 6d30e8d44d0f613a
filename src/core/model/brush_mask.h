// The 5 x 5 brush of the "Brushes" edit type: which cells around the mouse
// the brush fill covers, and the rectangle its set cells span.
#pragma once

#include <array>
#include <cstdint>

namespace d7 {

inline constexpr int kBrushSide = 5;

struct BrushMask {
    // Cell (x, y), x and y 0..4, at 5x + y; 1 when the cell belongs to the brush.
    std::array<std::uint8_t, kBrushSide * kBrushSide> cells{};

    static constexpr bool contains(int x, int y) {
        return x >= 0 && x < kBrushSide && y >= 0 && y < kBrushSide;
    }
    bool at(int x, int y) const { return contains(x, y) && cells[std::size_t(5 * x + y)] != 0; }
    void set(int x, int y, bool on) {
        if (contains(x, y)) cells[std::size_t(5 * x + y)] = on ? 1 : 0;
    }
    void clear() { cells.fill(0); }
    bool operator==(const BrushMask&) const = default;

    // The brush the editor starts with: the centre cell alone.
    static BrushMask centre() {
        BrushMask m;
        m.set(2, 2, true);
        return m;
    }
};

// The least and greatest column and row of the set cells. An empty brush
// keeps the starting values (least 4, greatest 0), which no cell satisfies.
struct BrushBounds {
    int minX = kBrushSide - 1;
    int maxX = 0;
    int minY = kBrushSide - 1;
    int maxY = 0;
    bool operator==(const BrushBounds&) const = default;
};

constexpr BrushBounds brushBounds(const BrushMask& m) {
    BrushBounds b;
    for (int y = 0; y < kBrushSide; ++y)
        for (int x = 0; x < kBrushSide; ++x)
            if (m.cells[std::size_t(5 * x + y)] != 0) {
                if (x < b.minX) b.minX = x;
                if (x > b.maxX) b.maxX = x;
                if (y < b.minY) b.minY = y;
                if (y > b.maxY) b.maxY = y;
            }
    return b;
}

}  // namespace d7
