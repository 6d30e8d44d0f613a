#include "render/picture_steps.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/tiles/overlay_colours.h"
#include "core/tiles/tileset_file.h"
#include "render/cell_labels.h"
#include "render/qt_colour.h"
#include "render/trader_overlay.h"

namespace d7::render {

namespace {

// Castle tileset frames by part number.
constexpr int kCastleOverlayFrames[4] = {8, 10, 9, 11};
constexpr int kVillageFrame = 59;     // town tileset
constexpr int kBlacksmithFrame = 10;  // town tileset

constexpr int kDomainView = 1;
constexpr int kTraderView = 2;

// Bytes of picture the tile pass works through at a time.
constexpr int kBandBytes = 1024 * 1024;

}  // namespace

tiles::PixelTarget Canvas::piece(const QRect& r) const {
    return {pixels + std::ptrdiff_t(r.top() - area.top()) * stride + (r.left() - area.left()),
            r.width(), r.height(), stride};
}

QRect cellReach(const tiles::FrameRows& reach, int x, int y, int zoom) {
    const PixelPoint at = cellToScreen(x, y, zoom);
    return QRect(at.x, at.y + reach.top * zoom, kTileWidth * zoom,
                 (reach.bottom - reach.top) * zoom);
}

QRect PictureSteps::cellReach(int x, int y) const {
    return render::cellReach(frames_.reach(), x, y, zoom_);
}

void PictureSteps::draw(const Canvas& canvas, const QRegion& region) {
    canvas_ = canvas;
    clip_ = region;
    const QRect whole(0, 0, kMapPictureWidth * zoom_, kMapPictureHeight * zoom_);
    clipIsWhole_ =
        canvas.area == whole && region.rectCount() == 1 && region.boundingRect() == whole;
    // Rectangles are drawn in bands of rows small enough to stay in the
    // processor's cache while they are cleared and drawn.
    tilePass_.build(st_.planes, frames_, zoom_);
    for (const QRect& r : region) {
        const int bandRows = std::max(8, kBandBytes / (r.width() * int(sizeof(std::uint32_t))));
        for (int top = r.top(); top <= r.bottom(); top += bandRows) {
            const QRect band(r.left(), top, r.width(), std::min(bandRows, r.bottom() + 1 - top));
            tilePass_.draw(frames_, canvas_.piece(band), band, true);
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

bool PictureSteps::reaches(const QRect& area) const {
    return clipIsWhole_ || clip_.intersects(area);
}

void PictureSteps::beginPainter(QPainter& painter, QImage& view) {
    // A fresh wrapper for every painter: a QImage nobody else shares paints
    // straight into the pixels instead of detaching into a copy.
    view = QImage(reinterpret_cast<uchar*>(canvas_.pixels), canvas_.area.width(),
                  canvas_.area.height(), int(canvas_.stride * 4), QImage::Format_RGB32);
    view.setDotsPerMeterX(kPictureDotsPerMeter);
    view.setDotsPerMeterY(kPictureDotsPerMeter);
    painter.begin(&view);
    if (!canvas_.area.topLeft().isNull()) painter.translate(-canvas_.area.topLeft());
    if (!clipIsWhole_) painter.setClipRegion(clip_);
}

void PictureSteps::drawFrameAtCell(int kind, int frame, int x, int y) {
    const PixelPoint at = cellToScreen(x, y, zoom_);
    if (clipIsWhole_) {
        frames_.draw(canvas_.piece(canvas_.area), kind, frame, at.x, at.y);
        return;
    }
    const auto rows = frames_.rows(kind, frame);
    if (!rows) return;
    const QRect box(at.x, at.y + rows->top * zoom_, kTileWidth * zoom_,
                    (rows->bottom - rows->top) * zoom_);
    for (const QRect& r : clip_) {
        const QRect piece = r.intersected(box);
        if (piece.isEmpty()) continue;
        frames_.draw(canvas_.piece(piece), kind, frame, at.x - piece.left(), at.y - piece.top());
    }
}

void PictureSteps::drawCastlePiece(int x, int y) {
    const int part = st_.planes.M3.at(x, y);
    const int frame = part < 4 ? kCastleOverlayFrames[part] : st_.planes.M2.at(x, y);
    drawFrameAtCell(tiles::kCastleTiles, frame, x, y);
}

void PictureSteps::drawBuildingPass() {
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
// as a whole (MapRenderer::redrawBlacksmiths), never by one tile over its
// neighbours.
void PictureSteps::drawBlacksmithPass() {
    for (int d = 1; d <= kMaxDomain; ++d) {
        const Acounty& county = st_.CountyTable[std::size_t(d)];
        if (!county.used) continue;
        const Point smith = county.smithPos;
        if (smith.isSet() && inMap(smith.x, smith.y) && reaches(cellReach(smith.x, smith.y)))
            drawFrameAtCell(tiles::kTownTiles, kBlacksmithFrame, smith.x, smith.y);
    }
}

void PictureSteps::drawDomainLabelPass() {
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

void PictureSteps::drawTraderOverlayPass() {
    // A route is rebuilt before it is drawn whenever an edit, a new map or
    // an undo left it stale.
    ensureRouteCells(st_, st_.view.selectedTrader);
    QImage view;
    QPainter painter;
    beginPainter(painter, view);
    render::drawTraderOverlay(painter, st_, zoom_);
}

}  // namespace d7::render
