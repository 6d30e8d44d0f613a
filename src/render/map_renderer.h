// The map picture: one 32-bit picture of the whole current map, 3712z x 1920z
// pixels at zoom z, drawn from the working planes with the game's tiles, and
// the copy of its visible part into the map window.
//
// The renderer is the editor's cell sink: attach it with st.sink = &renderer
// and every cell the editing operations change is redrawn in place.
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "core/edit/geometry.h"
#include "core/model/editor_state.h"
#include "core/tiles/frame_cache.h"
#include "core/tiles/frame_drawing.h"
#include "render/cell_labels.h"
#include "render/picture_chunks.h"
#include "render/tile_pass.h"

class QPainter;

namespace d7::render {

class MapRenderer : public CellSink {
  public:
    // The picture starts black at zoom 1 (3712 x 1920).
    explicit MapRenderer(EditorState& st);

    // CellSink: a changed cell is redrawn, a building piece drawn over its
    // cell, and a whole-map change redraws the picture.
    void cellChanged(int x, int y) override;
    void buildingPieceChanged(int x, int y, std::uint8_t bits) override;
    void mapChanged() override;
    void buildingsChanged() override;

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
    // Draws the pending chunks that area touches.
    void drawPending(const QRect& area);

    // The decoded frames the picture is drawn with.
    const tiles::FrameCache& frames() const { return frames_; }

    // Full redraw at st.view.zoom: resizes the picture when the zoom changed
    // and marks all of it to be drawn afresh: each part, when it is needed,
    // is cleared to black and, when Ready, gets the tile pass, the overlay
    // pass, the blacksmiths when shown, and the overlay of the view. Then asks
    // for a repaint of the map window.
    void redrawMap();

    // The steps of the full redraw, each usable alone. Those that the full
    // redraw would draw anyway (the buildings, the blacksmiths when shown, the
    // overlay of the current view) go only into the drawn part of the
    // picture; the others draw all of it first.
    void redrawAllTiles();
    void redrawBuildings();
    void redrawBlacksmiths();
    void drawDomainLabels();
    // The trader view's overlay for st.view.selectedTrader, whose route is
    // rebuilt first when it is stale.
    void drawTraderOverlay();

    // Draws the cell's tile over what is there and, in the domain view, its
    // domain label; in the trader view its trader label.
    void redrawCell(int x, int y);
    // Draws the building piece the bits name over the cell: flags::kVillage
    // the village sign, flags::kBuilding the castle piece of the cell's part
    // number; then, in the domain view, its domain label.
    void redrawBuildingPiece(int x, int y, std::uint8_t bits);
    // The cell label " n " of a domain number in the cell's box (nothing for 0).
    void drawCellLabel(int x, int y, int number, LabelStyle style);
    // The town cell's trader number when it has one and trader is 0 or that number.
    void drawCellTraderLabel(int x, int y, int trader);
    void drawAllTraderLabels(int trader);

    // Switches the view (0 map, 1 domain, 2 traders) and redraws; false, and
    // nothing done, when the view is already the one chosen.
    bool setViewMode(int mode);

    // Called when the map window should repaint (after a full redraw).
    void setRepaintRequest(std::function<void()> request) { repaint_ = std::move(request); }

    // Paints the map window's w x h area for the view origin cell: the visible
    // block of the picture, black beyond it (all black when not Ready).
    void paintWindow(QPainter& painter, int originX, int originY, int w, int h);
    // The same into a new w x h image.
    QImage windowImage(int originX, int originY, int w, int h);

    // A QImage over the whole pixel store, drawn, that painters draw straight
    // into (a fresh wrapper for each painter).
    QImage paintableView();

  private:
    using ChunkState = PictureChunks::State;

    tiles::PixelTarget target();
    QImage storeView();
    // A painter over the parts of area in the chunks drawing goes into.
    void beginPainter(QPainter& painter, QImage& view, const QRect& area);
    // True when drawing into area reaches a chunk it currently goes into.
    bool reaches(const QRect& area) const;
    QRect cellArea(int x, int y) const;
    bool ready() const;
    // Ready, with the frame cache matching the graphics and the zoom.
    bool readyToDraw();
    std::size_t pixelCount() const { return std::size_t(width_) * std::size_t(height_); }
    void resize(int zoom);
    void drawChunks();
    void drawBuildingPass();
    void drawBlacksmithPass();
    void drawDomainLabelPass();
    void drawTraderOverlayPass();
    void drawFrameAtCell(int kind, int frame, int x, int y);
    void drawTile(int x, int y);
    void drawBuildingOverlay(int x, int y);
    void drawCastlePiece(int x, int y, const int (&frameOfPart)[4]);
    void drawCellLabel(QPainter& painter, int x, int y, int number, LabelStyle style);
    void drawCellTraderLabel(QPainter& painter, int x, int y, int trader);
    void paintCellLabel(int x, int y, int number, LabelStyle style);
    void paintCellTraderLabel(int x, int y, int trader);

    static constexpr std::size_t kPictureCapacity =
        std::size_t(kMapPictureWidth) * 2 * std::size_t(kMapPictureHeight) * 2;

    EditorState& st_;
    std::unique_ptr<std::uint32_t[]> store_;
    tiles::FrameCache frames_;
    TilePass tilePass_;
    PictureChunks chunks_;
    // The chunks drawing goes into: the drawn ones, except while pending
    // chunks are being drawn.
    ChunkState drawInto_ = ChunkState::Drawn;
    int width_ = 0;
    int height_ = 0;
    int zoom_ = 0;
    std::function<void()> repaint_;
};

}  // namespace d7::render
