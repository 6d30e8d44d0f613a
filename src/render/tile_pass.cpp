#include "render/tile_pass.h"

#include <algorithm>

#include "core/edit/geometry.h"
#include "core/tiles/frame_drawing.h"

namespace d7::render {

namespace {

constexpr int kDiagonals = 2 * kGrid - 1;

}  // namespace

void TilePass::build(const WorkingPlanes& planes, tiles::FrameCache& frames, int zoom) {
    zoom_ = zoom;
    tiles_.assign(kCellCount, Tile{});
    diagonalTop_.assign(kDiagonals, kMapPictureHeight * zoom);
    diagonalBottom_.assign(kDiagonals, 0);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const auto source = drawSource(planes, x, y);
            if (!source) continue;
            const auto rows = frames.rows(source->tileset, source->frame);
            if (!rows) continue;
            Tile& t = tiles_[std::size_t(y * kGrid + x)];
            const PixelPoint at = cellToScreen(x, y, zoom);
            t = {at.y + rows->top * zoom,
                 at.y + rows->bottom * zoom,
                 false,
                 source->tileset,
                 source->frame,
                 at.x,
                 at.y};
            const std::size_t d = std::size_t(x + y);
            diagonalTop_[d] = std::min(diagonalTop_[d], t.top);
            diagonalBottom_[d] = std::max(diagonalBottom_[d], t.bottom);
        }
    }
}

void TilePass::draw(tiles::FrameCache& frames, const tiles::PixelTarget& piece, const QRect& rect,
                    bool clearFirst) const {
    if (rect.isEmpty() || tiles_.empty()) return;
    if (clearFirst)
        for (int row = 0; row < rect.height(); ++row)
            tiles::fillPixels(piece.row(row), std::size_t(rect.width()), tiles::kBlackPixel);

    // The diagonals x + y whose rows reach into the rectangle, and the
    // columns x - y whose boxes do (a box is the tile's width wide).
    int dlo = kDiagonals, dhi = -1;
    for (int d = 0; d < kDiagonals; ++d) {
        if (diagonalTop_[std::size_t(d)] > rect.bottom() ||
            diagonalBottom_[std::size_t(d)] <= rect.top())
            continue;
        dlo = std::min(dlo, d);
        dhi = d;
    }
    int elo = kGrid, ehi = -kGrid;
    for (int e = 1 - kGrid; e < kGrid; ++e) {
        const int left = cellToScreen(std::max(e, 0), std::max(-e, 0), zoom_).x;
        if (left > rect.right() || left + kTileWidth * zoom_ <= rect.left()) continue;
        elo = std::min(elo, e);
        ehi = e;
    }
    // Still in cell order, y then x, as the whole tiles would be drawn.
    for (int y = 0; y < kGrid && dhi >= 0 && ehi >= elo; ++y) {
        const int x0 = std::max({0, dlo - y, elo + y});
        const int x1 = std::min({kGrid - 1, dhi - y, ehi + y});
        for (int x = x0; x <= x1; ++x) {
            const Tile& t = tiles_[std::size_t(y * kGrid + x)];
            if (t.empty || t.bottom <= rect.top() || t.top > rect.bottom()) continue;
            frames.draw(piece, t.kind, t.frame, t.x - rect.left(), t.y - rect.top());
        }
    }
}

}  // namespace d7::render
