#include "render/map_renderer.h"

#include <QPainter>
#include <algorithm>

#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/overlay_colours.h"
#include "core/tiles/tileset_file.h"
#include "render/map_window_view.h"
#include "render/qt_colour.h"
#include "render/trader_overlay.h"

namespace d7::render {

namespace {

// Castle tileset frames by part number: the full redraw's overlay pass draws
// the finished castle, a freshly placed piece shows the building site.
constexpr int kCastleOverlayFrames[4] = {8, 10, 9, 11};
constexpr int kPlacedCastleFrames[4] = {0, 2, 1, 3};
constexpr int kVillageFrame = 59;     // town tileset
constexpr int kBlacksmithFrame = 10;  // town tileset

constexpr int kDomainView = 1;

// Bytes of picture the tile pass works through at a time.
constexpr int kBandBytes = 1024 * 1024;
constexpr int kTraderView = 2;

}  // namespace

MapRenderer::MapRenderer(EditorState& st)
    // Room for the picture at the largest zoom, obtained once and kept: a new
    // picture on every zoom change would fault in every page again, which
    // costs far more than drawing it. Pages are touched only as the chunks on
    // them are drawn.
    : st_(st), store_(new std::uint32_t[kPictureCapacity]) {
    resize(1);
}

void MapRenderer::cellChanged(int x, int y) {
    redrawCell(x, y);
}

void MapRenderer::buildingPieceChanged(int x, int y, std::uint8_t bits) {
    redrawBuildingPiece(x, y, bits);
}

void MapRenderer::mapChanged() {
    redrawMap();
}

void MapRenderer::buildingsChanged() {
    redrawBuildings();
    if (st_.view.showBlacksmiths) redrawBlacksmiths();
}

std::span<const std::uint32_t> MapRenderer::pixels() {
    drawWholePicture();
    return {store_.get(), pixelCount()};
}

std::uint32_t MapRenderer::pixel(int x, int y) {
    drawPending(QRect(x, y, 1, 1));
    return store_[std::size_t(y) * width_ + x];
}

QImage MapRenderer::picture() {
    drawWholePicture();
    return QImage(reinterpret_cast<const uchar*>(store_.get()), width_, height_, width_ * 4,
                  QImage::Format_RGB32);
}

// A fresh wrapper for every painter: a QImage nobody else shares paints
// straight into the pixel store instead of detaching into a copy.
QImage MapRenderer::storeView() {
    QImage view(reinterpret_cast<uchar*>(store_.get()), width_, height_, width_ * 4,
                QImage::Format_RGB32);
    view.setDotsPerMeterX(kPictureDotsPerMeter);
    view.setDotsPerMeterY(kPictureDotsPerMeter);
    return view;
}

QImage MapRenderer::paintableView() {
    drawWholePicture();
    return storeView();
}

tiles::PixelTarget MapRenderer::target() {
    return {store_.get(), width_, height_, width_};
}

bool MapRenderer::ready() const {
    return tiles::isReady(st_);
}

bool MapRenderer::readyToDraw() {
    if (!ready()) return false;
    frames_.sync(st_.gfx, zoom_);
    return true;
}

// The picture of the new zoom in the same memory, all of it to be drawn.
void MapRenderer::resize(int zoom) {
    zoom_ = zoom;
    width_ = kMapPictureWidth * zoom;
    height_ = kMapPictureHeight * zoom;
    chunks_.reset(width_, height_);
}

void MapRenderer::redrawMap() {
    const int z = st_.view.zoom == 2 ? 2 : 1;
    resize(z);
    // A stale route is rebuilt now rather than while the window paints.
    if (ready() && st_.view.viewMode == kTraderView) ensureRouteCells(st_, st_.view.selectedTrader);
    if (repaint_) repaint_();
}

void MapRenderer::drawPending(const QRect& area) {
    // The route lines come out a pixel different where a clip cuts them, so
    // the trader view is drawn whole, and never clipped.
    const bool whole = st_.view.viewMode == kTraderView;
    if (chunks_.startDrawing(whole ? QRect(0, 0, width_, height_) : area) == 0) return;
    drawInto_ = ChunkState::Drawing;
    drawChunks();
    chunks_.finishDrawing();
    drawInto_ = ChunkState::Drawn;
}

// The full redraw of the chunks being drawn, step by step; each step clipped
// to them.
void MapRenderer::drawChunks() {
    const QRect whole(0, 0, width_, height_);
    if (!readyToDraw()) {
        const tiles::PixelTarget picture = target();
        chunks_.forEach(whole, ChunkState::Drawing, [&](const QRect& chunk) {
            for (int row = chunk.top(); row <= chunk.bottom(); ++row)
                tiles::fillPixels(picture.row(row) + chunk.left(), std::size_t(chunk.width()),
                                  tiles::kBlackPixel);
        });
        return;
    }
    // Side-by-side chunks are drawn together, in bands of rows small enough
    // to stay in the processor's cache while they are cleared and drawn.
    tilePass_.build(st_.planes, frames_, zoom_);
    chunks_.forEachRun(ChunkState::Drawing, [&](const QRect& run) {
        const int bandRows = std::max(8, kBandBytes / (run.width() * int(sizeof(std::uint32_t))));
        for (int top = run.top(); top <= run.bottom(); top += bandRows) {
            const QRect band(run.left(), top, run.width(),
                             std::min(bandRows, run.bottom() + 1 - top));
            tilePass_.draw(frames_, target(), band, true);
        }
    });
    drawBuildingPass();
    if (st_.view.showBlacksmiths) drawBlacksmithPass();
    if (st_.view.viewMode == kDomainView)
        drawDomainLabelPass();
    else if (st_.view.viewMode == kTraderView)
        drawTraderOverlayPass();
}

bool MapRenderer::reaches(const QRect& area) const {
    return chunks_.allIn(drawInto_) || chunks_.touches(area, drawInto_);
}

// The cell's box with a box's room around it: wherever its tile, its
// building or its label can draw.
QRect MapRenderer::cellArea(int x, int y) const {
    const PixelPoint at = cellToScreen(x, y, zoom_);
    return QRect(at.x - kTileWidth * zoom_, at.y - kTileHeight * zoom_, 3 * kTileWidth * zoom_,
                 3 * kTileHeight * zoom_);
}

void MapRenderer::beginPainter(QPainter& painter, QImage& view, const QRect& area) {
    view = storeView();
    painter.begin(&view);
    if (!chunks_.allIn(drawInto_)) painter.setClipRegion(chunks_.region(area, drawInto_));
}

void MapRenderer::drawFrameAtCell(int kind, int frame, int x, int y) {
    const PixelPoint at = cellToScreen(x, y, zoom_);
    if (chunks_.allIn(drawInto_)) {
        frames_.draw(target(), kind, frame, at.x, at.y);
        return;
    }
    const auto rows = frames_.rows(kind, frame);
    if (!rows) return;
    const QRect box(at.x, at.y + rows->top * zoom_, kTileWidth * zoom_,
                    (rows->bottom - rows->top) * zoom_);
    const tiles::PixelTarget picture = target();
    chunks_.forEach(box, drawInto_, [&](const QRect& piece) {
        const tiles::PixelTarget part{picture.row(piece.top()) + piece.left(), piece.width(),
                                      piece.height(), picture.stride};
        frames_.draw(part, kind, frame, at.x - piece.left(), at.y - piece.top());
    });
}

void MapRenderer::drawTile(int x, int y) {
    if (auto source = drawSource(st_.planes, x, y))
        drawFrameAtCell(source->tileset, source->frame, x, y);
}

void MapRenderer::redrawAllTiles() {
    drawWholePicture();
    if (!readyToDraw()) return;
    tilePass_.build(st_.planes, frames_, zoom_);
    tilePass_.draw(frames_, target(), QRect(0, 0, width_, height_), false);
}

void MapRenderer::drawCastlePiece(int x, int y, const int (&frameOfPart)[4]) {
    const int part = st_.planes.M3.at(x, y);
    const int frame = part < 4 ? frameOfPart[part] : st_.planes.M2.at(x, y);
    drawFrameAtCell(tiles::kCastleTiles, frame, x, y);
}

void MapRenderer::redrawBuildings() {
    if (readyToDraw()) drawBuildingPass();
}

void MapRenderer::drawBuildingPass() {
    const bool labels = st_.view.viewMode == kDomainView;
    QImage view;
    QPainter painter;
    if (labels) {
        beginPainter(painter, view, QRect(0, 0, width_, height_));
        painter.setFont(labelFont(domainLabelPointSize(zoom_)));
    }
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const bool castle = isCastle(st_.planes, x, y);
            if (!castle && !isVillage(st_.planes, x, y)) continue;
            if (!reaches(cellArea(x, y))) continue;
            if (castle)
                drawCastlePiece(x, y, kCastleOverlayFrames);
            else
                drawFrameAtCell(tiles::kTownTiles, kVillageFrame, x, y);
            if (labels) drawCellLabel(painter, x, y, st_.planes.M5.at(x, y), LabelStyle::Plain);
        }
    }
}

void MapRenderer::redrawBlacksmiths() {
    if (!st_.view.showBlacksmiths) drawWholePicture();
    if (readyToDraw()) drawBlacksmithPass();
}

void MapRenderer::drawBlacksmithPass() {
    for (int d = 1; d <= kMaxDomain; ++d) {
        const Acounty& county = st_.CountyTable[std::size_t(d)];
        if (!county.used) continue;
        const Point smith = county.smithPos;
        if (smith.isSet() && inMap(smith.x, smith.y))
            drawFrameAtCell(tiles::kTownTiles, kBlacksmithFrame, smith.x, smith.y);
        // A blacksmith that moved leaves no trace on its old cell.
        const Point old = st_.OldSmithPos[std::size_t(d)];
        if (old != smith && old.isSet()) drawTile(old.x, old.y);
    }
}

void MapRenderer::drawDomainLabels() {
    if (st_.view.viewMode != kDomainView) drawWholePicture();
    if (ready()) drawDomainLabelPass();
}

void MapRenderer::drawDomainLabelPass() {
    QImage view;
    QPainter painter;
    beginPainter(painter, view, QRect(0, 0, width_, height_));
    painter.setFont(labelFont(domainLabelPointSize(zoom_)));
    const int set = st_.gfx.colourSets.domain;
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const int domain = st_.planes.M5.at(x, y);
            if (domain == 0 || !reaches(cellArea(x, y))) continue;
            const PixelPoint box = cellToScreen(x, y, zoom_);
            drawBoxText(painter, box.x, box.y, zoom_, QString::number(domain),
                        qtColour(tiles::overlayColour(domain, set)), LabelStyle::Plain);
        }
    }
}

void MapRenderer::drawTraderOverlay() {
    drawWholePicture();
    if (ready()) drawTraderOverlayPass();
}

void MapRenderer::drawTraderOverlayPass() {
    // A route is rebuilt before it is drawn whenever an edit, a new map or
    // an undo left it stale.
    ensureRouteCells(st_, st_.view.selectedTrader);
    QImage view;
    QPainter painter;
    beginPainter(painter, view, QRect(0, 0, width_, height_));
    render::drawTraderOverlay(painter, st_, zoom_);
}

// A cell's redraw draws its neighbourhood first when that is pending, so that
// it lands on the picture it would have landed on had the full redraw drawn
// everything at once.
void MapRenderer::redrawCell(int x, int y) {
    if (!inMap(x, y) || !readyToDraw()) return;
    drawPending(cellArea(x, y));
    drawTile(x, y);
    if (st_.view.viewMode == kDomainView) {
        paintCellLabel(x, y, st_.planes.M5.at(x, y), LabelStyle::Plain);
    } else if (st_.view.viewMode == kTraderView) {
        paintCellTraderLabel(x, y, st_.view.selectedTrader);
    }
}

void MapRenderer::redrawBuildingPiece(int x, int y, std::uint8_t bits) {
    if (!inMap(x, y) || !readyToDraw()) return;
    drawPending(cellArea(x, y));
    if (bits & flags::kVillage) drawFrameAtCell(tiles::kTownTiles, kVillageFrame, x, y);
    if (bits & flags::kBuilding) drawCastlePiece(x, y, kPlacedCastleFrames);
    if (st_.view.viewMode == kDomainView)
        paintCellLabel(x, y, st_.planes.M5.at(x, y), LabelStyle::Plain);
}

void MapRenderer::drawCellLabel(QPainter& painter, int x, int y, int number, LabelStyle style) {
    if (number == 0) return;
    const PixelPoint box = cellToScreen(x, y, zoom_);
    drawBoxText(painter, box.x, box.y, zoom_, spacedNumber(number),
                qtColour(tiles::overlayColour(number, st_.gfx.colourSets.domain)), style);
}

void MapRenderer::paintCellLabel(int x, int y, int number, LabelStyle style) {
    if (number == 0) return;
    QImage view;
    QPainter painter;
    beginPainter(painter, view, cellArea(x, y));
    painter.setFont(labelFont(domainLabelPointSize(zoom_)));
    drawCellLabel(painter, x, y, number, style);
}

void MapRenderer::drawCellLabel(int x, int y, int number, LabelStyle style) {
    if (!ready() || !inMap(x, y) || number == 0) return;
    drawPending(cellArea(x, y));
    paintCellLabel(x, y, number, style);
}

void MapRenderer::drawCellTraderLabel(QPainter& painter, int x, int y, int trader) {
    const int m4 = st_.planes.M4.at(x, y);
    if (!(st_.planes.M0.at(x, y) & flags::kTown) || m4 == 0) return;
    if (trader != 0 && m4 != trader) return;
    const PixelPoint box = cellToScreen(x, y, zoom_);
    drawBoxText(painter, box.x, box.y, zoom_, QString::number(m4),
                qtColour(tiles::overlayColour(m4 + 8, st_.gfx.colourSets.trader)),
                LabelStyle::Plain);
}

void MapRenderer::paintCellTraderLabel(int x, int y, int trader) {
    QImage view;
    QPainter painter;
    beginPainter(painter, view, cellArea(x, y));
    painter.setFont(labelFont(traderLabelPointSize(zoom_)));
    drawCellTraderLabel(painter, x, y, trader);
}

void MapRenderer::drawCellTraderLabel(int x, int y, int trader) {
    if (!ready() || !inMap(x, y)) return;
    drawPending(cellArea(x, y));
    paintCellTraderLabel(x, y, trader);
}

void MapRenderer::drawAllTraderLabels(int trader) {
    if (!ready()) return;
    QImage view = paintableView();
    QPainter painter(&view);
    painter.setFont(labelFont(traderLabelPointSize(zoom_)));
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) drawCellTraderLabel(painter, x, y, trader);
}

bool MapRenderer::setViewMode(int mode) {
    if (mode < 0 || mode > kTraderView || mode == st_.view.viewMode) return false;
    st_.view.viewMode = mode;
    redrawMap();
    return true;
}

void MapRenderer::paintWindow(QPainter& painter, int originX, int originY, int w, int h) {
    const bool shown = ready();
    if (shown && w > 0 && h > 0)
        drawPending(
            QRect(scrollX(zoom_, originX, originY, w), scrollY(zoom_, originX, originY), w, h));
    paintMapWindow(painter, storeView(), shown, zoom_, originX, originY, w, h);
}

QImage MapRenderer::windowImage(int originX, int originY, int w, int h) {
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    paintWindow(painter, originX, originY, w, h);
    return image;
}

}  // namespace d7::render
