// The map picture: one 32-bit picture of the whole current map, 3712z x 1920z
// pixels at zoom z, drawn from the working planes with the game's tiles, and
// the copy of its visible part into the map window.
//
// The renderer is the editor's cell sink: attach it with st.sink = &renderer
// and every cell the editing operations change is drawn again, with all that
// lies over it, so that the picture is always what a full redraw would draw.
#pragma once

#include <QImage>
#include <QRegion>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "core/edit/geometry.h"
#include "core/model/editor_state.h"
#include "core/tiles/frame_cache.h"
#include "core/tiles/frame_drawing.h"
#include "render/picture_chunks.h"
#include "render/picture_steps.h"
#include "render/shrunk_picture.h"
#include "render/tile_pass.h"

class QPainter;

namespace d7::render {

class MapRenderer : public CellSink {
  public:
    // The picture starts black at zoom 1 (3712 x 1920).
    explicit MapRenderer(EditorState& st);

    // CellSink: a changed cell, or a building piece put on one, is drawn
    // again as redrawCell says; a whole-map change redraws the picture.
    void cellChanged(int x, int y) override { redrawCell(x, y); }
    void buildingPieceChanged(int x, int y, std::uint8_t) override { redrawCell(x, y); }
    void mapChanged() override { redrawMap(); }

    // The picture. zoom() is the zoom it was last drawn at; pixel words are
    // 0xFFRRGGBB.
    int width() const { return width_; }
    int height() const { return height_; }
    int zoom() const { return zoom_; }
    // The whole picture, drawn.
    std::span<const std::uint32_t> pixels();
    std::uint32_t pixel(int x, int y);
    // A read-only QImage over the whole pixel store, drawn (no copy). Its
    // pixels change with every redraw; its size stays until a full redraw at
    // another zoom.
    QImage picture();
    // Draws whatever of the picture is still pending.
    void drawWholePicture() { drawPending(QRect(0, 0, width_, height_)); }
    // Draws the pending chunks that area touches and every area an edit
    // left stale.
    void drawPending(const QRect& area);

    // The decoded frames the picture is drawn with.
    const tiles::FrameCache& frames() const { return frames_; }

    // Full redraw at st.view.zoom: resizes the picture when the zoom changed
    // and marks all of it to be drawn afresh: each part, when it is needed,
    // is cleared to black and, when Ready, gets the tile pass, the overlay
    // pass, the blacksmiths when shown, and the overlay of the view. Then asks
    // for a repaint of the map window. The shrunk pictures are made afresh.
    void redrawMap();
    // The same when only the zoom may have changed: the shrunk pictures,
    // which the zoom does not change, are kept.
    void showZoom();

    // The cell's tile changed: the area of the picture its tile, building
    // and label can cover (before or after the change) is drawn again, with
    // the full redraw's steps clipped to it, when it is next needed. Whatever
    // lies over that area (the tiles in front, their buildings, the labels)
    // is drawn again with it, so the picture stays the full redraw's. In the
    // trader view, whose routes and numbers any edit may change, the whole
    // picture is drawn again.
    void redrawCell(int x, int y);
    // The cells of blacksmiths that appeared, moved or went since the
    // picture was drawn are drawn again (drawing anything does this first).
    void redrawBlacksmiths();

    // Switches the view (0 map, 1 domain, 2 traders) and redraws; false, and
    // nothing done, when the view is already the one chosen.
    bool setViewMode(int mode);

    // Called when the map window should repaint (after a full redraw).
    void setRepaintRequest(std::function<void()> request) { repaint_ = std::move(request); }

    // Paints the map window's w x h area for the view origin cell: the visible
    // block of the picture, black beyond it (all black when not Ready). At
    // zoom 1 a shrink of 2 or 4 shows the shrunk picture (50 % and 25 %),
    // making first whatever of the part shown is not made yet.
    void paintWindow(QPainter& painter, int originX, int originY, int w, int h, int shrink = 1);
    // The same into a new w x h image.
    QImage windowImage(int originX, int originY, int w, int h, int shrink = 1);
    // The picture shrunk as the last paint showed it (null at shrink 1).
    const QImage& shrunkPicture() const;
    // The picture shrunk by s (2 or 4), all of it made; in the trader view
    // only at zoom 1 (null otherwise).
    const QImage& shrunkPicture(int s);

    // Idle work: the shrunk pictures are made a few chunks at a time, so that
    // a small size is shown at once whatever zoom the picture is drawn at.
    // request is called whenever there is such work; makeShrunkInIdle then
    // makes at most `chunks` chunks and says whether work remains. Nothing
    // is made in idle time in the trader view (drawn whole, never in pieces).
    void setIdleWorkRequest(std::function<void()> request) { idleWork_ = std::move(request); }
    bool makeShrunkInIdle(int chunks);
    bool shrunkComplete() const { return shrunk_.complete(); }
    static constexpr int kShrunkChunksPerIdleStep = 4;

    // A QImage over the whole pixel store, drawn, that painters draw straight
    // into (a fresh wrapper for each painter).
    QImage paintableView();

  private:
    using SmithCells = std::array<Point, kMaxDomain + 1>;

    tiles::PixelTarget target();
    QImage storeView();
    // The picture's area that the cell's tile, a building on it or its label
    // can cover, in the picture and in the shrunk pictures' zoom-1 picture,
    // is to be drawn again.
    void markCellStale(int x, int y);
    bool ready() const;
    // Ready, with the frame cache matching the graphics and the zoom.
    bool readyToDraw();
    std::size_t pixelCount() const { return std::size_t(width_) * std::size_t(height_); }
    void resize(int zoom);
    // The full redraw's steps, each clipped to the region.
    void drawRegion(const QRegion& region);
    void fillBlack(const QRegion& region);
    SmithCells shownSmiths() const;
    // The shrunk pictures can be made now: Ready, and in the trader view the
    // picture is at zoom 1.
    bool canMakeShrunk() const;
    // The zoom-1 pixels of the region for the shrunk pictures (see
    // ShrunkPicture::Source).
    tiles::PixelTarget zoomOnePixels(const QRegion& region);
    void requestIdleWork();

    static constexpr std::size_t kPictureCapacity =
        std::size_t(kMapPictureWidth) * 2 * std::size_t(kMapPictureHeight) * 2;

    EditorState& st_;
    std::unique_ptr<std::uint32_t[]> store_;
    tiles::FrameCache frames_;
    TilePass tilePass_;
    PictureChunks chunks_;
    // The shrunk pictures the window shows at 50 % and 25 %, and what their
    // chunks are drawn with at zoom 1: frames, tile pass and a block of one
    // chunk's pixels.
    ShrunkPicture shrunk_;
    int shownShrink_ = 1;
    tiles::FrameCache smallFrames_;
    TilePass smallTilePass_;
    std::unique_ptr<std::uint32_t[]> scratch_;
    std::function<void()> idleWork_;
    // The blacksmiths as the drawn parts of the picture show them.
    SmithCells drawnSmiths_{};
    int width_ = 0;
    int height_ = 0;
    int zoom_ = 0;
    std::function<void()> repaint_;
};

}  // namespace d7::render
