// Rectangles of cells and the buffers the area commands copy them into.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/model/planes.h"

namespace d7 {

// A rectangle of cells, both corners included.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // The rectangle spanned by two corner cells given in any order.
    static constexpr CellRect spanning(int ax, int ay, int bx, int by) {
        return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
    }
    // The part of the rectangle on the map, with its corners in order whichever
    // two opposite corners it was given by; empty when none of it is on the map.
    constexpr CellRect onMap() const {
        const CellRect r = spanning(left, top, right, bottom);
        return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, kGrid - 1),
                std::min(r.bottom, kGrid - 1)};
    }
    constexpr bool empty() const { return right < left || bottom < top; }
    constexpr int width() const { return right - left + 1; }
    constexpr int height() const { return bottom - top + 1; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    bool operator==(const CellRect&) const = default;
};

// A copied area: M0..M3 and Ext4 of its cells, kept at the cells' own map
// positions (not moved to the origin), so that turning it is a plain mapping
// of whole planes. M4 and M5 are not part of an area: a pasted area keeps the
// target's domains and carries no starting positions or trader numbers.
struct AreaBuffer {
    CellPlane M0, M1, M2, M3, Ext4;
    CellRect rect;
    bool valid = false;
    int width = 0;
    int height = 0;

    void clear() { *this = AreaBuffer{}; }
};

}  // namespace d7
