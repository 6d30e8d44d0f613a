#include "ui/windows/tile_select_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/accessibility.h"
#include "ui/windows/map_window.h"

namespace d7::ui {

namespace {

constexpr int kKeyRowStep = 7;  // Up and Down move a row of the 7-column palettes

bool numberedPalette(int type) {
    return type == tiles::kBasePalette || type == tiles::kRoadPalette;
}

}  // namespace

TilePaletteBox::TilePaletteBox(Ttileselectform& form, QWidget* parent)
    : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("tilepalette"));
    setAccessibleRole(this, QAccessible::Graphic);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Tile palette"));
}

void TilePaletteBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, form_.paletteImage(form_.paletteType()));
}

void TilePaletteBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    form_.clickAt(p.x(), p.y());
}

void TilePaletteBox::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Right:
            step = 1;
            break;
        case Qt::Key_Up:
            step = -kKeyRowStep;
            break;
        case Qt::Key_Down:
            step = kKeyRowStep;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    const int type = form_.paletteType();
    const int next =
        tiles::neighbourPaletteIndex(form_.ctx_.st.gfx, type, form_.selectedIndex(), step);
    emit form_.paletteClicked();
    form_.select(next);
    event->accept();
}

Ttileselectform::Ttileselectform(EditorContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      ctx_(ctx),
      scroll_(new QScrollArea(this)),
      box_(new TilePaletteBox(*this, scroll_)),
      frameImage_(new QLabel(box_)) {
    setObjectName(QStringLiteral("Ttileselectform"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(false);
    scroll_->setWidget(box_);
    scroll_->setStyleSheet(QStringLiteral("QScrollArea { background: black; }"));
    frameImage_->setObjectName(QStringLiteral("frameImage"));
    frameImage_->setAccessibleName(QStringLiteral("Chosen tile"));
    frameImage_->setAttribute(Qt::WA_TransparentForMouseEvents);
    frameImage_->hide();
    buildPalettes(ctx_.st.view.tileScale);
    showPalette(ctx_.st.view.tileType);
    setWindowTitle(QStringLiteral("Tile Nr: 0"));
}

void Ttileselectform::buildPalettes(int s) {
    scale_ = s;
    render::rebuildTilePalettes(palettes_, ctx_.st, s);
    box_->update();
}

void Ttileselectform::showPalette(int type) {
    if (type < 0 || type >= tiles::kPaletteTypes) return;
    ctx_.st.view.tileType = type;
    box_->setFixedSize(paletteImage(type).size());
    frameImage_->hide();
    fitToPalette();
    box_->update();
}

void Ttileselectform::fitToPalette() {
    const QSize want = box_->size();
    QSize limit = want;
    if (const QScreen* screen = this->screen()) {
        // As large as the picture, but never beyond the screen's edge.
        const QRect avail = screen->availableGeometry();
        const QSize frame = frameGeometry().size() - size();
        const QPoint at(std::max(pos().x(), avail.left()), std::max(pos().y(), avail.top()));
        limit = QSize(std::max(avail.right() + 1 - at.x() - frame.width(), 100),
                      std::max(avail.bottom() + 1 - at.y() - frame.height(), 100));
    }
    QSize size = want.boundedTo(limit);
    // A scroll bar takes room from the other side.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (size.height() < want.height()) size.setWidth(std::min(want.width() + bar, limit.width()));
    if (size.width() < want.width()) size.setHeight(std::min(want.height() + bar, limit.height()));
    resize(size);
}

bool Ttileselectform::select(int index) {
    const int type = paletteType();
    const auto choice = tiles::tileChoice(type, index);
    if (!choice) return false;
    ctx_.st.view.selectedTile = index;
    const QImage frame = render::makeSelectionFrameImage(choice->blockSize, scale_);
    frameImage_->setPixmap(keyedPixmap(frame, render::kSelectionFrameTransparent));
    frameImage_->setGeometry(choice->frameX * scale_, choice->frameY * scale_, frame.width(),
                             frame.height());
    // The choice is always on view, however it was made.
    frameImage_->show();
    scroll_->ensureWidgetVisible(frameImage_, 0, 0);
    const QString caption =
        numberedPalette(type) ? QStringLiteral("Tile Nr: %1").arg(index) : QString::number(index);
    setWindowTitle(caption);
    box_->setAccessibleDescription(caption);
    emit tileSelected(type, index);
    return true;
}

void Ttileselectform::clickAt(int px, int py) {
    emit paletteClicked();
    if (auto index = tiles::paletteIndexAt(ctx_.st.gfx, paletteType(), px, py, scale_))
        select(*index);
}

void Ttileselectform::setTileScale(int s) {
    ctx_.st.view.tileScale = s;
    buildPalettes(s);
    showPalette(paletteType());
    if (ctx_.st.view.editType == 0) select(selectedIndex());
}

}  // namespace d7::ui
