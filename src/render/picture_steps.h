// The full redraw's steps, each clipped to a region of the picture: the tile
// pass, the buildings, the blacksmiths when shown, and the labels or routes
// of the view. They draw into a canvas, pixels that hold some rectangle of
// the picture at a zoom: the map picture itself, or a small scratch block
// that holds one piece of the zoom-1 picture for the shrunk pictures.
// Whatever the canvas, the pixels of the region come out the same.
#pragma once

#include <QRect>
#include <QRegion>
#include <cstdint>

#include "core/model/editor_state.h"
#include "core/tiles/frame_cache.h"
#include "core/tiles/frame_drawing.h"
#include "render/tile_pass.h"

class QImage;
class QPainter;

namespace d7::render {

// Pixels holding the picture's rectangle area, rows stride words apart.
struct Canvas {
    std::uint32_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;
    QRect area;
    // The pixels of r (inside area).
    tiles::PixelTarget piece(const QRect& r) const;
};

// Wherever the cell's tile, a building on it or its label can draw at zoom,
// the frames covering reach's rows.
QRect cellReach(const tiles::FrameRows& reach, int x, int y, int zoom);

class PictureSteps {
  public:
    // frames must be synced at zoom; tilePass is built here.
    PictureSteps(EditorState& st, tiles::FrameCache& frames, TilePass& tilePass, int zoom)
        : st_(st), frames_(frames), tilePass_(tilePass), zoom_(zoom) {}

    // Draws region (inside the canvas's area) as the full redraw would.
    void draw(const Canvas& canvas, const QRegion& region);

  private:
    bool reaches(const QRect& area) const;
    QRect cellReach(int x, int y) const;
    void beginPainter(QPainter& painter, QImage& view);
    void drawBuildingPass();
    void drawBlacksmithPass();
    void drawDomainLabelPass();
    void drawTraderOverlayPass();
    void drawFrameAtCell(int kind, int frame, int x, int y);
    void drawCastlePiece(int x, int y);

    EditorState& st_;
    tiles::FrameCache& frames_;
    TilePass& tilePass_;
    int zoom_;
    Canvas canvas_;
    QRegion clip_;
    // The region is the whole picture (and so is the canvas).
    bool clipIsWhole_ = false;
};

}  // namespace d7::render
