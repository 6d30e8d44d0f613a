#include "render/map_renderer.h"

#include <QPainter>
#include <algorithm>

#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/overlay_colours.h"
#include "core/tiles/tileset_file.h"
#include "render/cell_labels.h"
#include "render/map_window_view.h"
#include "render/qt_colour.h"
#include "render/trader_overlay.h"

namespace d7::render {

namespace {

// Castle tileset frames by part number.
constexpr int kCastleOverlayFrames[4] = {8, 10, 9, 11};
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
    // The shrunk copy belongs to the zoom-1 picture.
    if (zoom != zoom_) shrunk_.setShrink(1, kMapPictureWidth, kMapPictureHeight);
    zoom_ = zoom;
    width_ = kMapPictureWidth * zoom;
    height_ = kMapPictureHeight * zoom;
    chunks_.reset(width_, height_);
}

void MapRenderer::redrawMap() {
    const int z = st_.view.zoom == 2 ? 2 : 1;
    resize(z);
    drawnSmiths_ = shownSmiths();
    // A stale route is rebuilt now rather than while the window paints.
    if (ready() && st_.view.viewMode == kTraderView) ensureRouteCells(st_, st_.view.selectedTrader);
    if (repaint_) repaint_();
}

QRect MapRenderer::cellReach(int x, int y) const {
    const PixelPoint at = cellToScreen(x, y, zoom_);
    const tiles::FrameRows rows = frames_.reach();
    return QRect(at.x, at.y + rows.top * zoom_, kTileWidth * zoom_,
                 (rows.bottom - rows.top) * zoom_);
}

void MapRenderer::redrawCell(int x, int y) {
    if (!inMap(x, y) || !readyToDraw()) return;
    if (st_.view.viewMode == kTraderView)
        chunks_.reset(width_, height_);
    else
        chunks_.markStale(cellReach(x, y));
}

MapRenderer::SmithCells MapRenderer::shownSmiths() const {
    SmithCells cells;
    cells.fill(Point{-1, -1});
    if (!st_.view.showBlacksmiths) return cells;
    for (int d = 1; d <= kMaxDomain; ++d) {
        const Acounty& county = st_.CountyTable[std::size_t(d)];
        if (county.used && inMap(county.smithPos.x, county.smithPos.y))
            cells[std::size_t(d)] = county.smithPos;
    }
    return cells;
}

void MapRenderer::redrawBlacksmiths() {
    // Every read of a pixel comes here: the common case, nothing moved, asks
    // for nothing but the comparison.
    if (!ready()) return;
    const SmithCells now = shownSmiths();
    if (now == drawnSmiths_ || !readyToDraw()) return;
    for (std::size_t d = 0; d < now.size(); ++d) {
        if (now[d] == drawnSmiths_[d]) continue;
        for (const Point p : {drawnSmiths_[d], now[d]})
            if (inMap(p.x, p.y)) chunks_.markStale(cellReach(p.x, p.y));
    }
    drawnSmiths_ = now;
}

void MapRenderer::drawPending(const QRect& area) {
    redrawBlacksmiths();
    // The route lines come out a pixel different where a clip cuts them, so
    // the trader view is drawn whole, and never clipped.
    const bool whole = st_.view.viewMode == kTraderView;
    if (whole && chunks_.hasStale()) chunks_.reset(width_, height_);
    const QRegion region = chunks_.startDrawing(whole ? QRect(0, 0, width_, height_) : area);
    if (region.isEmpty()) return;
    if (readyToDraw())
        drawRegion(region);
    else
        fillBlack(region);
    chunks_.finishDrawing();
    if (shrunk_.active())
        for (const QRect& r : region) shrunk_.pictureDrawn(target(), r);
}

void MapRenderer::fillBlack(const QRegion& region) {
    const tiles::PixelTarget picture = target();
    for (const QRect& r : region)
        for (int row = r.top(); row <= r.bottom(); ++row)
            tiles::fillPixels(picture.row(row) + r.left(), std::size_t(r.width()),
                              tiles::kBlackPixel);
}

// The full redraw of the region, step by step; each step clipped to it.
void MapRenderer::drawRegion(const QRegion& region) {
    clip_ = region;
    clipIsWhole_ = region.rectCount() == 1 && region.boundingRect() == QRect(0, 0, width_, height_);
    // Rectangles are drawn in bands of rows small enough to stay in the
    // processor's cache while they are cleared and drawn.
    tilePass_.build(st_.planes, frames_, zoom_);
    for (const QRect& r : region) {
        const int bandRows = std::max(8, kBandBytes / (r.width() * int(sizeof(std::uint32_t))));
        for (int top = r.top(); top <= r.bottom(); top += bandRows) {
            const QRect band(r.left(), top, r.width(), std::min(bandRows, r.bottom() + 1 - top));
            tilePass_.draw(frames_, target(), band, true);
        }
    }
    drawBuildingPass();
    if (st_.view.showBlacksmiths) drawBlacksmithPass();
    if (st_.view.viewMode == kDomainView)
        drawDomainLabelPass();
    else if (st_.view.viewMode == kTraderView)
        drawTraderOverlayPass();
    clip_ = QRegion();
}

bool MapRenderer::reaches(const QRect& area) const {
    return clipIsWhole_ || clip_.intersects(area);
}

void MapRenderer::beginPainter(QPainter& painter, QImage& view) {
    view = storeView();
    painter.begin(&view);
    if (!clipIsWhole_) painter.setClipRegion(clip_);
}

void MapRenderer::drawFrameAtCell(int kind, int frame, int x, int y) {
    const PixelPoint at = cellToScreen(x, y, zoom_);
    if (clipIsWhole_) {
        frames_.draw(target(), kind, frame, at.x, at.y);
        return;
    }
    const auto rows = frames_.rows(kind, frame);
    if (!rows) return;
    const QRect box(at.x, at.y + rows->top * zoom_, kTileWidth * zoom_,
                    (rows->bottom - rows->top) * zoom_);
    const tiles::PixelTarget picture = target();
    for (const QRect& r : clip_) {
        const QRect piece = r.intersected(box);
        if (piece.isEmpty()) continue;
        const tiles::PixelTarget part{picture.row(piece.top()) + piece.left(), piece.width(),
                                      piece.height(), picture.stride};
        frames_.draw(part, kind, frame, at.x - piece.left(), at.y - piece.top());
    }
}

void MapRenderer::drawCastlePiece(int x, int y) {
    const int part = st_.planes.M3.at(x, y);
    const int frame = part < 4 ? kCastleOverlayFrames[part] : st_.planes.M2.at(x, y);
    drawFrameAtCell(tiles::kCastleTiles, frame, x, y);
}

void MapRenderer::drawBuildingPass() {
    const bool labels = st_.view.viewMode == kDomainView;
    QImage view;
    QPainter painter;
    if (labels) {
        beginPainter(painter, view);
        painter.setFont(labelFont(domainLabelPointSize(zoom_)));
    }
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const bool castle = isCastle(st_.planes, x, y);
            if (!castle && !isVillage(st_.planes, x, y)) continue;
            if (!reaches(cellReach(x, y))) continue;
            if (castle)
                drawCastlePiece(x, y);
            else
                drawFrameAtCell(tiles::kTownTiles, kVillageFrame, x, y);
            const int domain = st_.planes.M5.at(x, y);
            if (labels && domain != 0) {
                const PixelPoint box = cellToScreen(x, y, zoom_);
                drawBoxText(painter, box.x, box.y, zoom_, spacedNumber(domain),
                            qtColour(tiles::overlayColour(domain, st_.gfx.colourSets.domain)),
                            LabelStyle::Plain);
            }
        }
    }
}

// The moved blacksmiths' old cells need nothing here: they are drawn again
// as a whole (redrawBlacksmiths), never by one tile over its neighbours.
void MapRenderer::drawBlacksmithPass() {
    for (int d = 1; d <= kMaxDomain; ++d) {
        const Acounty& county = st_.CountyTable[std::size_t(d)];
        if (!county.used) continue;
        const Point smith = county.smithPos;
        if (smith.isSet() && inMap(smith.x, smith.y) && reaches(cellReach(smith.x, smith.y)))
            drawFrameAtCell(tiles::kTownTiles, kBlacksmithFrame, smith.x, smith.y);
    }
}

void MapRenderer::drawDomainLabelPass() {
    QImage view;
    QPainter painter;
    beginPainter(painter, view);
    painter.setFont(labelFont(domainLabelPointSize(zoom_)));
    const int set = st_.gfx.colourSets.domain;
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const int domain = st_.planes.M5.at(x, y);
            if (domain == 0 || !reaches(cellReach(x, y))) continue;
            const PixelPoint box = cellToScreen(x, y, zoom_);
            drawBoxText(painter, box.x, box.y, zoom_, QString::number(domain),
                        qtColour(tiles::overlayColour(domain, set)), LabelStyle::Plain);
        }
    }
}

void MapRenderer::drawTraderOverlayPass() {
    // A route is rebuilt before it is drawn whenever an edit, a new map or
    // an undo left it stale.
    ensureRouteCells(st_, st_.view.selectedTrader);
    QImage view;
    QPainter painter;
    beginPainter(painter, view);
    render::drawTraderOverlay(painter, st_, zoom_);
}

bool MapRenderer::setViewMode(int mode) {
    if (mode < 0 || mode > kTraderView || mode == st_.view.viewMode) return false;
    st_.view.viewMode = mode;
    redrawMap();
    return true;
}

void MapRenderer::paintWindow(QPainter& painter, int originX, int originY, int w, int h,
                              int shrink) {
    const bool shown = ready();
    const int s = zoom_ == 1 && (shrink == 2 || shrink == 4) ? shrink : 1;
    const int q = 4 * zoom_ / s;
    shrunk_.setShrink(s, width_, height_);
    const QRect visible(shownScrollX(q, originX, originY, w) * s,
                        shownScrollY(q, originX, originY) * s, w * s, h * s);
    if (shown && w > 0 && h > 0) {
        drawPending(visible);
        shrunk_.make(target(), visible, [this](const QRect& chunk) {
            return !chunks_.touches(chunk, PictureChunks::State::Pending);
        });
    }
    paintMapWindow(painter, s > 1 ? shrunk_.image() : storeView(), shown, q, originX, originY, w,
                   h);
}

QImage MapRenderer::windowImage(int originX, int originY, int w, int h, int shrink) {
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    paintWindow(painter, originX, originY, w, h, shrink);
    return image;
}

}  // namespace d7::render
