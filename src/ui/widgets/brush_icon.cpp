#include "ui/widgets/brush_icon.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

#include "core/tiles/graphics_commands.h"
#include "render/brush_pictures.h"

namespace d7::ui {

BrushIcon::BrushIcon(const EditorState& st, QWidget* parent) : QAbstractButton(parent), st_(st) {
    setObjectName(QStringLiteral("selbrushicon"));
    setAccessibleName(QStringLiteral("Brush"));
    setAccessibleDescription(QStringLiteral("The current brush; opens the Brush Editor"));
    setToolTip(QStringLiteral("Brush Editor"));
}

void BrushIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Until a map can be drawn, the brush stays blank like every other picture.
    const BrushMask shown = tiles::isReady(st_) ? st_.view.brush : BrushMask{};
    painter.drawImage(0, 0, render::makeBrushGridImage(shown, render::kBrushIconCell, false));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace d7::ui
