#include "render/map_renderer.h"

#include <QPainter>
#include <algorithm>

#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/tiles/graphics_commands.h"
#include "render/cell_labels.h"
#include "render/map_window_view.h"

namespace d7::render {

namespace {

constexpr int kTraderView = 2;

}  // namespace

MapRenderer::MapRenderer(EditorState& st)
    // Room for the picture at the largest zoom, obtained once and kept: a new
    // picture on every zoom change would fault in every page again, which
    // costs far more than drawing it. Pages are touched only as the chunks on
    // them are drawn.
    : st_(st),
      store_(new std::uint32_t[kPictureCapacity]),
      scratch_(new std::uint32_t[std::size_t(ShrunkPicture::kChunkWidth) *
                                 ShrunkPicture::kChunkHeight]) {
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
    zoom_ = zoom;
    width_ = kMapPictureWidth * zoom;
    height_ = kMapPictureHeight * zoom;
    chunks_.reset(width_, height_);
}

void MapRenderer::redrawMap() {
    shrunk_.forget();
    drawnSmiths_ = shownSmiths();
    showZoom();
}

void MapRenderer::showZoom() {
    // Blacksmiths moved since the shrunk pictures were made are made again
    // there; the picture itself is drawn afresh anyway.
    redrawBlacksmiths();
    resize(st_.view.zoom == 2 ? 2 : 1);
    // A stale route is rebuilt now rather than while the window paints.
    if (ready() && st_.view.viewMode == kTraderView) ensureRouteCells(st_, st_.view.selectedTrader);
    requestIdleWork();
    if (repaint_) repaint_();
}

void MapRenderer::markCellStale(int x, int y) {
    chunks_.markStale(cellReach(frames_.reach(), x, y, zoom_));
    shrunk_.markStale(cellReach(frames_.reach(), x, y, 1));
}

void MapRenderer::redrawCell(int x, int y) {
    if (!inMap(x, y) || !readyToDraw()) return;
    if (st_.view.viewMode == kTraderView) {
        chunks_.reset(width_, height_);
        shrunk_.forget();
    } else {
        markCellStale(x, y);
    }
    requestIdleWork();
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
            if (inMap(p.x, p.y)) markCellStale(p.x, p.y);
    }
    drawnSmiths_ = now;
    requestIdleWork();
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
}

void MapRenderer::fillBlack(const QRegion& region) {
    const tiles::PixelTarget picture = target();
    for (const QRect& r : region)
        for (int row = r.top(); row <= r.bottom(); ++row)
            tiles::fillPixels(picture.row(row) + r.left(), std::size_t(r.width()),
                              tiles::kBlackPixel);
}

void MapRenderer::drawRegion(const QRegion& region) {
    PictureSteps(st_, frames_, tilePass_, zoom_)
        .draw(Canvas{store_.get(), width_, QRect(0, 0, width_, height_)}, region);
}

bool MapRenderer::canMakeShrunk() const {
    return ready() && (st_.view.viewMode != kTraderView || zoom_ == 1);
}

tiles::PixelTarget MapRenderer::zoomOnePixels(const QRegion& region) {
    const QRect bounds = region.boundingRect();
    // The trader view comes from the picture, drawn whole at zoom 1.
    if (st_.view.viewMode == kTraderView) {
        drawWholePicture();
        return {target().row(bounds.top()) + bounds.left(), bounds.width(), bounds.height(),
                width_};
    }
    smallFrames_.sync(st_.gfx, 1);
    const Canvas block{scratch_.get(), bounds.width(), bounds};
    PictureSteps(st_, smallFrames_, smallTilePass_, 1).draw(block, region);
    return block.piece(bounds);
}

bool MapRenderer::makeShrunkInIdle(int chunks) {
    if (!ready() || st_.view.viewMode == kTraderView) return false;
    redrawBlacksmiths();
    return shrunk_.makeSome(chunks, [this](const QRegion& r) { return zoomOnePixels(r); });
}

void MapRenderer::requestIdleWork() {
    if (idleWork_ && ready() && st_.view.viewMode != kTraderView && !shrunk_.complete())
        idleWork_();
}

const QImage& MapRenderer::shrunkPicture() const {
    static const QImage none;
    return shownShrink_ > 1 ? shrunk_.image(shownShrink_) : none;
}

const QImage& MapRenderer::shrunkPicture(int s) {
    static const QImage none;
    if (!canMakeShrunk()) return none;
    redrawBlacksmiths();
    shrunk_.make(QRect(0, 0, kMapPictureWidth, kMapPictureHeight),
                 [this](const QRegion& r) { return zoomOnePixels(r); });
    return shrunk_.image(s);
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
    shownShrink_ = s;
    const int q = 4 * zoom_ / s;
    const QRect visible(shownScrollX(q, originX, originY, w) * s,
                        shownScrollY(q, originX, originY) * s, w * s, h * s);
    if (shown && w > 0 && h > 0) {
        if (s == 1) {
            drawPending(visible);
        } else {
            // Small sizes show the shrunk picture alone: the zoom-1 picture
            // need not be drawn.
            redrawBlacksmiths();
            shrunk_.make(visible, [this](const QRegion& r) { return zoomOnePixels(r); });
        }
    }
    paintMapWindow(painter, s > 1 ? shrunk_.image(s) : storeView(), shown, q, originX, originY, w,
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
