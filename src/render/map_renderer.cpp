#include "render/map_renderer.h"

#include <QPainter>
#include <algorithm>

#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/overlay_colours.h"
#include "core/tiles/tileset_file.h"
#include "render/map_window_view.h"
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
constexpr int kTraderView = 2;

// Size of the bands the tile pass works through (see drawTilePass).
constexpr int kBandBytes = 1024 * 1024;

QColor colourOf(std::uint32_t rgb) {
    return QColor::fromRgb(QRgb(tiles::pixelOf(rgb)));
}

}  // namespace

MapRenderer::MapRenderer(EditorState& st)
    // Room for the picture at the largest zoom, obtained once and kept: a new
    // picture on every zoom change would fault in every page again, which
    // costs far more than drawing it. Only the rows a picture uses are touched.
    : st_(st), store_(new std::uint32_t[kPictureCapacity]) {
    resize(1);
    tiles::fillPixels(store_.get(), pixelCount(), tiles::kBlackPixel);
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

QImage MapRenderer::picture() const {
    return QImage(reinterpret_cast<const uchar*>(store_.get()), width_, height_, width_ * 4,
                  QImage::Format_RGB32);
}

tiles::PixelTarget MapRenderer::target() {
    return {store_.get(), width_, height_, width_};
}

// A fresh wrapper for every painter: a QImage nobody else shares paints
// straight into the pixel store instead of detaching into a copy.
QImage MapRenderer::paintableView() {
    QImage view(reinterpret_cast<uchar*>(store_.get()), width_, height_, width_ * 4,
                QImage::Format_RGB32);
    view.setDotsPerMeterX(kPictureDotsPerMeter);
    view.setDotsPerMeterY(kPictureDotsPerMeter);
    return view;
}

bool MapRenderer::ready() const {
    return tiles::isReady(st_);
}

bool MapRenderer::readyToDraw() {
    if (!ready()) return false;
    frames_.sync(st_.gfx, zoom_);
    return true;
}

// The picture of the new zoom in the same memory; the full redraw that
// follows writes every pixel of it.
void MapRenderer::resize(int zoom) {
    zoom_ = zoom;
    width_ = kMapPictureWidth * zoom;
    height_ = kMapPictureHeight * zoom;
}

void MapRenderer::redrawMap() {
    const int z = st_.view.zoom == 2 ? 2 : 1;
    if (z != zoom_) resize(z);
    if (readyToDraw()) {
        drawTilePass(true);
        redrawBuildings();
        if (st_.view.showBlacksmiths) redrawBlacksmiths();
        if (st_.view.viewMode == kDomainView)
            drawDomainLabels();
        else if (st_.view.viewMode == kTraderView)
            drawTraderOverlay();
    } else {
        tiles::fillPixels(store_.get(), pixelCount(), tiles::kBlackPixel);
    }
    if (repaint_) repaint_();
}

void MapRenderer::drawFrameAtCell(int kind, int frame, int x, int y) {
    const PixelPoint at = cellToScreen(x, y, zoom_);
    frames_.draw(target(), kind, frame, at.x, at.y);
}

void MapRenderer::drawTile(int x, int y) {
    if (auto source = drawSource(st_.planes, x, y))
        drawFrameAtCell(source->tileset, source->frame, x, y);
}

// Back to front: every cell is drawn after the cells above it on screen, so
// a frame's upward layers are covered only by cells in front of it.
//
// The picture is worked through in bands of rows small enough to stay in the
// processor's cache, each band drawn with every tile that reaches into it, in
// the same cell order. Every pixel receives the same writes in the same order
// as when whole tiles are drawn one after the other, so the picture is the
// same; but each band is cleared and drawn while it is in the cache instead
// of streaming the whole picture through memory once per row of cells.
void MapRenderer::drawTilePass(bool clearFirst) {
    struct TileRows {
        int top = 0, bottom = 0;  // picture rows the tile covers
        bool empty = true;        // its frame draws nothing
        int kind = 0, frame = 0;
        PixelPoint at{0, 0};
    };
    std::vector<TileRows> tiles(kCellCount);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            TileRows& t = tiles[std::size_t(y * kGrid + x)];
            const auto source = drawSource(st_.planes, x, y);
            if (!source) continue;
            t.kind = source->tileset;
            t.frame = source->frame;
            t.at = cellToScreen(x, y, zoom_);
            const auto rows = frames_.rows(t.kind, t.frame);
            t.empty = !rows;
            t.top = t.at.y + (rows ? rows->top : 0) * zoom_;
            t.bottom = t.at.y + (rows ? rows->bottom : tiles::kDiamondRows) * zoom_;
        }
    }
    // The rows each diagonal x + y of cells reaches, so that a band looks only
    // at the diagonals that reach into it.
    constexpr int kDiagonals = 2 * kGrid - 1;
    std::vector<int> diagonalTop(kDiagonals, height_), diagonalBottom(kDiagonals, 0);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const TileRows& t = tiles[std::size_t(y * kGrid + x)];
            if (t.empty) continue;
            diagonalTop[std::size_t(x + y)] = std::min(diagonalTop[std::size_t(x + y)], t.top);
            diagonalBottom[std::size_t(x + y)] =
                std::max(diagonalBottom[std::size_t(x + y)], t.bottom);
        }
    }
    const int bandRows = std::max(8, kBandBytes / (width_ * int(sizeof(std::uint32_t))));
    for (int top = 0; top < height_; top += bandRows) {
        const int bottom = std::min(top + bandRows, height_);
        std::uint32_t* first = store_.get() + std::size_t(top) * width_;
        if (clearFirst)
            tiles::fillPixels(first, std::size_t(bottom - top) * width_, tiles::kBlackPixel);
        int dlo = kDiagonals, dhi = -1;
        for (int d = 0; d < kDiagonals; ++d) {
            if (diagonalTop[std::size_t(d)] >= bottom || diagonalBottom[std::size_t(d)] <= top)
                continue;
            dlo = std::min(dlo, d);
            dhi = d;
        }
        const tiles::PixelTarget band{first, width_, bottom - top, width_};
        // Still in cell order, y then x, as the whole tiles would be drawn.
        for (int y = 0; y < kGrid && dhi >= 0; ++y) {
            const int x1 = std::min(kGrid - 1, dhi - y);
            for (int x = std::max(0, dlo - y); x <= x1; ++x) {
                const TileRows& t = tiles[std::size_t(y * kGrid + x)];
                if (t.empty || t.bottom <= top || t.top >= bottom) continue;
                frames_.draw(band, t.kind, t.frame, t.at.x, t.at.y - top);
            }
        }
    }
}

void MapRenderer::redrawAllTiles() {
    if (readyToDraw()) drawTilePass(false);
}

void MapRenderer::drawCastlePiece(int x, int y, const int (&frameOfPart)[4]) {
    const int part = st_.planes.M3.at(x, y);
    const int frame = part < 4 ? frameOfPart[part] : st_.planes.M2.at(x, y);
    drawFrameAtCell(tiles::kCastleTiles, frame, x, y);
}

void MapRenderer::redrawBuildings() {
    if (!readyToDraw()) return;
    const bool labels = st_.view.viewMode == kDomainView;
    QImage view;
    QPainter painter;
    if (labels) {
        view = paintableView();
        painter.begin(&view);
        painter.setFont(labelFont(domainLabelPointSize(zoom_)));
    }
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            if (isCastle(st_.planes, x, y))
                drawCastlePiece(x, y, kCastleOverlayFrames);
            else if (isVillage(st_.planes, x, y))
                drawFrameAtCell(tiles::kTownTiles, kVillageFrame, x, y);
            else
                continue;
            if (labels) drawCellLabel(painter, x, y, st_.planes.M5.at(x, y), LabelStyle::Plain);
        }
    }
}

void MapRenderer::redrawBlacksmiths() {
    if (!readyToDraw()) return;
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
    if (!ready()) return;
    QImage view = paintableView();
    QPainter painter(&view);
    painter.setFont(labelFont(domainLabelPointSize(zoom_)));
    const int set = st_.gfx.colourSets.domain;
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const int domain = st_.planes.M5.at(x, y);
            if (domain == 0) continue;
            const PixelPoint box = cellToScreen(x, y, zoom_);
            drawBoxText(painter, box.x, box.y, zoom_, QString::number(domain),
                        colourOf(tiles::overlayColour(domain, set)), LabelStyle::Plain);
        }
    }
}

void MapRenderer::drawTraderOverlay() {
    if (!ready()) return;
    // A route is rebuilt before it is drawn whenever an edit, a new map or
    // an undo left it stale.
    ensureRouteCells(st_, st_.view.selectedTrader);
    QImage view = paintableView();
    QPainter painter(&view);
    render::drawTraderOverlay(painter, st_, zoom_);
}

void MapRenderer::redrawCell(int x, int y) {
    if (!inMap(x, y) || !readyToDraw()) return;
    drawTile(x, y);
    if (st_.view.viewMode == kDomainView) {
        drawCellLabel(x, y, st_.planes.M5.at(x, y), LabelStyle::Plain);
    } else if (st_.view.viewMode == kTraderView) {
        drawCellTraderLabel(x, y, st_.view.selectedTrader);
    }
}

void MapRenderer::redrawBuildingPiece(int x, int y, std::uint8_t bits) {
    if (!inMap(x, y) || !readyToDraw()) return;
    if (bits & flags::kVillage) drawFrameAtCell(tiles::kTownTiles, kVillageFrame, x, y);
    if (bits & flags::kBuilding) drawCastlePiece(x, y, kPlacedCastleFrames);
    if (st_.view.viewMode == kDomainView)
        drawCellLabel(x, y, st_.planes.M5.at(x, y), LabelStyle::Plain);
}

void MapRenderer::drawCellLabel(QPainter& painter, int x, int y, int number, LabelStyle style) {
    if (number == 0) return;
    const PixelPoint box = cellToScreen(x, y, zoom_);
    drawBoxText(painter, box.x, box.y, zoom_, spacedNumber(number),
                colourOf(tiles::overlayColour(number, st_.gfx.colourSets.domain)), style);
}

void MapRenderer::drawCellLabel(int x, int y, int number, LabelStyle style) {
    if (!ready() || !inMap(x, y) || number == 0) return;
    QImage view = paintableView();
    QPainter painter(&view);
    painter.setFont(labelFont(domainLabelPointSize(zoom_)));
    drawCellLabel(painter, x, y, number, style);
}

void MapRenderer::drawCellTraderLabel(QPainter& painter, int x, int y, int trader) {
    const int m4 = st_.planes.M4.at(x, y);
    if (!(st_.planes.M0.at(x, y) & flags::kTown) || m4 == 0) return;
    if (trader != 0 && m4 != trader) return;
    const PixelPoint box = cellToScreen(x, y, zoom_);
    drawBoxText(painter, box.x, box.y, zoom_, QString::number(m4),
                colourOf(tiles::overlayColour(m4 + 8, st_.gfx.colourSets.trader)),
                LabelStyle::Plain);
}

void MapRenderer::drawCellTraderLabel(int x, int y, int trader) {
    if (!ready() || !inMap(x, y)) return;
    QImage view = paintableView();
    QPainter painter(&view);
    painter.setFont(labelFont(traderLabelPointSize(zoom_)));
    drawCellTraderLabel(painter, x, y, trader);
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

void MapRenderer::paintWindow(QPainter& painter, int originX, int originY, int w, int h) const {
    paintMapWindow(painter, picture(), ready(), zoom_, originX, originY, w, h);
}

QImage MapRenderer::windowImage(int originX, int originY, int w, int h) const {
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    paintWindow(painter, originX, originY, w, h);
    return image;
}

}  // namespace d7::render
