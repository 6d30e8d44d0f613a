// The tile pass of the map picture: every cell's tile, back to front, drawn
// into any rectangle of the picture. Every pixel of the rectangle receives
// the same writes in the same order as when the whole tiles are drawn one
// after the other, so drawing the picture piece by piece gives the same
// picture as drawing it whole.
#pragma once

#include <QRect>
#include <vector>

#include "core/model/planes.h"
#include "core/tiles/frame_cache.h"

namespace d7::render {

class TilePass {
  public:
    // Reads the tile of every cell and the rows its frame covers.
    void build(const WorkingPlanes& planes, tiles::FrameCache& frames, int zoom);
    // Draws the tiles that reach into rect of the picture, clipped to it,
    // into piece (rect's pixels, wherever they are kept), after clearing it to
    // black when clearFirst.
    void draw(tiles::FrameCache& frames, const tiles::PixelTarget& piece, const QRect& rect,
              bool clearFirst) const;

  private:
    struct Tile {
        int top = 0, bottom = 0;  // picture rows the tile covers
        bool empty = true;        // its frame draws nothing
        int kind = 0, frame = 0;
        int x = 0, y = 0;  // top-left corner of its box
    };
    std::vector<Tile> tiles_;
    // The rows each diagonal x + y of cells reaches, so that a rectangle
    // looks only at the diagonals that reach into it.
    std::vector<int> diagonalTop_, diagonalBottom_;
    int zoom_ = 1;
};

}  // namespace d7::render
