#include "ui/windows/map_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "core/edit/geometry.h"
#include "core/edit/map_scale.h"
#include "render/brush_pictures.h"
#include "render/cell_labels.h"
#include "render/map_window_view.h"
#include "render/tile_pictures.h"
#include "ui/accessibility.h"
#include "ui/map_editing.h"

namespace d7::ui {

namespace {

constexpr QRgb kTransparentKey = render::kCursorTransparent;
constexpr int kBrushImageWidth = render::kBrushPreviewWidth;
constexpr int kBrushImageHeight = render::kBrushPreviewHeight;

}  // namespace

namespace {

QImage keyedImage(const QImage& image, QRgb key) {
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((row[x] | 0xFF000000u) == (key | 0xFF000000u)) row[x] = 0;
    }
    return keyed;
}

}  // namespace

QPixmap keyedPixmap(const QImage& image, QRgb key) {
    return QPixmap::fromImage(keyedImage(image, key));
}

QPixmap shownPreview(const QImage& image, int shrink) {
    if (shrink <= 1) return keyedPixmap(image);
    // Made transparent first, so that the smoothing blends the edges with
    // what lies under them rather than with the key colour.
    const QSize size((image.width() + shrink / 2) / shrink, (image.height() + shrink / 2) / shrink);
    return QPixmap::fromImage(
        keyedImage(image, kTransparentKey)
            .scaled(size.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

MapPaintBox::MapPaintBox(Tmapform& form, EditorContext& ctx, QWidget* parent)
    : QWidget(parent), form_(form), ctx_(ctx) {
    setObjectName(QStringLiteral("mapbox"));
    setAccessibleRole(this, QAccessible::Graphic);
    setAccessibleName(QStringLiteral("Map picture"));
    setAccessibleDescription(
        QStringLiteral("The current map; the arrow keys and W, A, S, D scroll it"));
    // Every paint covers the whole area, so nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void MapPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ctx_.renderer.paintWindow(painter, form_.originX(), form_.originY(), width(), height(),
                              shrinkOf(form_.mapSize()));
    painter.end();
    form_.painted();
}

void MapPaintBox::mouseMoveEvent(QMouseEvent* event) {
    // A release the box never saw (a question box took it) ends a drag too.
    if (!(event->buttons() & Qt::LeftButton) && form_.editing_) form_.editing_->mouseReleased();
    form_.clearCellMark(event->globalPosition().toPoint());
    form_.pointerMoved(event->position().toPoint());
}

void MapPaintBox::mousePressEvent(QMouseEvent* event) {
    form_.pressed(event->position().toPoint(), event->button());
}

void MapPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && form_.editing_) form_.editing_->mouseReleased();
}

void MapPaintBox::leaveEvent(QEvent*) {
    form_.pointerLeft();
}

void MapPaintBox::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (!(event->modifiers() & Qt::ControlModifier) || delta == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    emit form_.zoomRequested(delta > 0 ? 1 : -1, event->position().toPoint());
    event->accept();
}

void MapPaintBox::contextMenuEvent(QContextMenuEvent* event) {
    if (form_.editing_) form_.editing_->openPopup(event->globalPos());
}

Tmapform::Tmapform(EditorContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ctx_(ctx),
      mapbox_(new MapPaintBox(*this, ctx, this)),
      overimage_(new QLabel(this)),
      brushimage_(new QLabel(this)),
      changes_(ctx.st),
      overlayBitmap_(kTileWidth, kTileHeight, QImage::Format_RGB32),
      brushBitmap_(kBrushImageWidth, kBrushImageHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Tmapform"));
    setWindowTitle(QStringLiteral("Map"));
    setFocusPolicy(Qt::StrongFocus);
    overlayBitmap_.fill(kTransparentKey);
    brushBitmap_.fill(kTransparentKey);

    overimage_->setObjectName(QStringLiteral("overimage"));
    overimage_->setAccessibleName(QStringLiteral("Cursor preview"));
    overimage_->setAttribute(Qt::WA_TransparentForMouseEvents);
    overimage_->hide();
    brushimage_->setObjectName(QStringLiteral("brushimage"));
    brushimage_->setAccessibleName(QStringLiteral("Brush preview"));
    brushimage_->setAttribute(Qt::WA_TransparentForMouseEvents);
    brushimage_->resize(kBrushImageWidth, kBrushImageHeight);
    brushimage_->hide();

    resize(kClientWidth, kClientHeight);
    recomputeScroll();
}

void Tmapform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    selectControl_ = new Tselectcontrol(this, [this](QPainter& p) { paintOverlay(p); });
    selectControl_->setGeometry(mapbox_->geometry());
    selectControl_->raise();
    selectControl_->setChangeOutlines(&changes_);
    selectControl_->setPictureView(mapSize(), QPoint(scrollX_, scrollY_));
    selectControl_->setVisible(layerNeeded());
}

void Tmapform::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mapbox_->setGeometry(rect());
    if (selectControl_) selectControl_->setGeometry(mapbox_->geometry());
    recomputeScroll();
    emit boxResized();
}

void Tmapform::recomputeScroll() {
    const int q = mapSize();
    const int x = shownScrollX(q, originX_, originY_, mapbox_->width());
    const int y = shownScrollY(q, originX_, originY_);
    const bool moved = x != scrollX_ || y != scrollY_ || q != scrollSize_;
    const bool resized = mapbox_->width() != scrollWidth_ || mapbox_->height() != scrollHeight_;
    // A marked cell's outline would stay where the cell no longer is.
    if (moved) dropCellMark();
    scrollX_ = x;
    scrollY_ = y;
    scrollSize_ = q;
    scrollWidth_ = mapbox_->width();
    scrollHeight_ = mapbox_->height();
    if (selectControl_) selectControl_->setPictureView(q, QPoint(x, y));
    if (moved) followPointer();
    if (moved || resized) emit viewChanged();
}

int Tmapform::mapSize() const {
    return mapSizeOf(ctx_.st.view);
}

QPolygonF Tmapform::viewOutline() const {
    return render::viewOutlineInCells(mapSize(), originX_, originY_, mapbox_->width(),
                                      mapbox_->height());
}

void Tmapform::followPointer() {
    pointerLeft();
    const QPoint pointer = mapbox_->mapFromGlobal(QCursor::pos());
    if (mapbox_->rect().contains(pointer)) pointerMoved(pointer);
}

void Tmapform::pointerLeft() {
    overimage_->move(-overimage_->width(), -overimage_->height());
    brushimage_->move(-brushimage_->width(), -brushimage_->height());
    if (editing_) editing_->pointerLeft();
}

QPoint Tmapform::cellAt(QPoint boxPos) const {
    const Point c = shownPixelToCell(boxPos.x() + scrollX_, boxPos.y() + scrollY_, mapSize());
    return {c.x, c.y};
}

void Tmapform::scrollTo(int x, int y) {
    originX_ = x;
    originY_ = y;
    repaintMap();
}

bool Tmapform::handleKey(int key) {
    int x = originX_, y = originY_;
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_A:
            if (!(x > 0 && y <= 62)) return false;
            --x, ++y;
            break;
        case Qt::Key_Up:
        case Qt::Key_W:
            if (!(x > 0 && y > 0)) return false;
            --x, --y;
            break;
        case Qt::Key_Right:
        case Qt::Key_D:
            if (!(x <= 62 && y > 0)) return false;
            ++x, --y;
            break;
        case Qt::Key_Down:
        case Qt::Key_S:
            if (!(x <= 62 && y <= 52)) return false;
            ++x, ++y;
            break;
        default:
            return false;
    }
    scrollTo(x, y);
    return true;
}

void Tmapform::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A refused key is still the map window's key: it does nothing.
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
        case Qt::Key_A:
        case Qt::Key_W:
        case Qt::Key_D:
        case Qt::Key_S:
            handleKey(event->key());
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void Tmapform::contextMenuEvent(QContextMenuEvent* event) {
    // The menu key: the popup works on the cell under the mouse pointer, or
    // on the cell in the middle of the window when the pointer is elsewhere.
    QPoint at = mapbox_->mapFromGlobal(QCursor::pos());
    if (!mapbox_->rect().contains(at)) at = mapbox_->rect().center();
    clickedCell_ = cellAt(at);
    if (editing_) editing_->openPopup(mapbox_->mapToGlobal(at));
    event->accept();
}

void Tmapform::closeEvent(QCloseEvent* event) {
    if (closingAllowed_)
        QWidget::closeEvent(event);
    else
        event->ignore();
}

void Tmapform::setSelectionEnd(int x, int y) {
    if (selRect_.end == QPoint(x, y)) return;
    selRect_.end = QPoint(x, y);
    repaintOverlay();
}

void Tmapform::setSelection(QPoint start, QPoint end) {
    if (selRect_.start == start && selRect_.end == end) return;
    selRect_ = {start, end};
    repaintOverlay();
}

void Tmapform::clearSelection() {
    selState_ = 0;
    hideOverlay();
}

bool Tmapform::layerNeeded() {
    return overlayShown_ || changes_.active() || markedCell_.x() >= 0;
}

void Tmapform::hideLayerWhenIdle() {
    if (!selectControl_) return;
    if (layerNeeded())
        selectControl_->update();
    else
        selectControl_->hide();
}

void Tmapform::showOverlay() {
    overlayShown_ = true;
    if (!selectControl_) return;
    selectControl_->show();
    selectControl_->raise();
    selectControl_->update();
}

void Tmapform::hideOverlay() {
    overlayShown_ = false;
    hideLayerWhenIdle();
}

void Tmapform::repaintOverlay() {
    if (selectControl_ && overlayShown_) selectControl_->update();
}

render::WindowView Tmapform::windowView() const {
    const int q = mapSize();
    return {pictureZoomOf(q), originX_, originY_, mapbox_->width(), shrinkOf(q)};
}

void Tmapform::paintOverlay(QPainter& painter) {
    if (editing_) editing_->paintOverlay(painter, windowView());
}

void Tmapform::setDomainOverlay(int d, int z) {
    overimage_->hide();
    overlaySize_ = 1;
    showCursorImage(render::makeDomainCursorImage(d, z, ctx_.st.gfx.colourSets));
}

void Tmapform::setTileOverlay(const tiles::TileChoice& choice, int z) {
    overimage_->hide();
    overlaySize_ = choice.blockSize;
    showCursorImage(render::makeTileCursorImage(ctx_.st.gfx, choice, z));
}

void Tmapform::showCursorImage(const QImage& image) {
    overlayBitmap_ = image;
    const QPixmap shown = shownPreview(overlayBitmap_, shrinkOf(mapSize()));
    overimage_->resize(shown.size());
    overimage_->setPixmap(shown);
    // The cursor follows the mouse; until the mouse is over the map it waits
    // out of sight rather than in the window's corner.
    const QPoint pointer = mapbox_->mapFromGlobal(QCursor::pos());
    if (mapbox_->rect().contains(pointer))
        pointerMoved(pointer);
    else
        overimage_->move(-overimage_->width(), -overimage_->height());
    overimage_->show();
    overimage_->raise();
    if (selectControl_) selectControl_->raise();
}

void Tmapform::setBrushPreview(const BrushMask& brush, int z) {
    brushBounds_ = d7::brushBounds(brush);
    brushBitmap_ = render::makeBrushPreviewImage(brush, z);
    const QPixmap shown = shownPreview(brushBitmap_, shrinkOf(mapSize()));
    brushimage_->resize(shown.size());
    brushimage_->setPixmap(shown);
    brushimage_->move(-brushimage_->width(), -brushimage_->height());
    const QPoint pointer = mapbox_->mapFromGlobal(QCursor::pos());
    if (mapbox_->rect().contains(pointer)) placeBrushPreview(cellAt(pointer));
}

void Tmapform::placeBrushPreview(QPoint cell) {
    const int x = cell.x(), y = cell.y();
    const BrushBounds& b = brushBounds_;
    // The preview moves only where every set cell of the brush lies on the map.
    if (x - 2 + b.minX < 0 || x + 2 - (4 - b.maxX) > kGrid - 1 || y - 2 + b.minY < 0 ||
        y + 2 - (4 - b.maxY) > kGrid - 1)
        return;
    // The preview's cell (0, 0), whose top corner is 145 pixels (at 100 %)
    // right of the preview's left edge, is the map's cell (x - 2, y - 2).
    brushimage_->move(windowView().at(29 * (x - y) + 1856 - 145, 15 * (x + y - 4)));
}

void Tmapform::pointerMoved(QPoint boxPos) {
    const QPoint cell = cellAt(boxPos);
    const int f = overlaySize_;
    // The cursor preview's top-left corner: the box of the f x f block whose
    // top cell (where placement puts the block's first cell) is under the mouse.
    overimage_->move(
        windowView().at(29 * (cell.x() - cell.y() - f) + 1856, 15 * (cell.x() + cell.y())));
    placeBrushPreview(cell);
    if (editing_) editing_->mouseMoved(cell);
    emit cellHovered(cell.x(), cell.y());
}

void Tmapform::pressed(QPoint boxPos, Qt::MouseButton button) {
    // The cell of the latest click is what the map's popup commands act on.
    clickedCell_ = cellAt(boxPos);
    if (!inMap(clickedCell_.x(), clickedCell_.y()) || button != Qt::LeftButton) return;
    if (editing_) editing_->mousePressed(clickedCell_);
    repaintMap();
}

void Tmapform::repaintMap() {
    recomputeScroll();
    mapbox_->update();
}

void Tmapform::painted() {
    if (paintedOnce_) return;
    paintedOnce_ = true;
    emit firstPainted();
}

void Tmapform::markCell(int x, int y) {
    if (!inMap(x, y)) return;
    // The origin cell is at the top centre and each step down both
    // coordinates lowers a cell by one tile height: the cell goes half a
    // window below the top.
    const int margin = std::max(1, mapbox_->height() * 4 / (2 * kTileHeight * mapSize()));
    scrollTo(std::max(x - margin, 0), std::max(y - margin, 0));
    markedCell_ = QPoint(x, y);
    markPointer_ = QCursor::pos();
    if (!selectControl_) return;
    const render::WindowView view = windowView();
    selectControl_->markCell(
        QPolygon({view.top(x, y), view.right(x, y), view.bottom(x, y), view.left(x, y)}));
    selectControl_->show();
    selectControl_->raise();
}

void Tmapform::clearCellMark(QPoint globalPos) {
    // Windows moving under a still pointer send moves too: only a real move clears.
    if (globalPos != markPointer_) dropCellMark();
}

void Tmapform::dropCellMark() {
    if (markedCell_.x() < 0) return;
    markedCell_ = QPoint(-1, -1);
    if (!selectControl_) return;
    selectControl_->clearMark();
    hideLayerWhenIdle();
}

void Tmapform::showChangedCells(std::vector<Point> cells) {
    changes_.show(ctx_.st.curMap, std::move(cells));
    if (!selectControl_) return;  // the first showing shows them
    selectControl_->show();
    selectControl_->raise();
    selectControl_->update();
}

void Tmapform::clearChangedCells() {
    changes_.clear();
    hideLayerWhenIdle();
}

}  // namespace d7::ui
