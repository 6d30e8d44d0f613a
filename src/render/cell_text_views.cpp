#include "render/cell_text_views.h"

#include <QPainter>

#include "core/edit/geometry.h"
#include "core/tiles/graphics_commands.h"
#include "render/cell_labels.h"

namespace d7::render {

void printCellTexts(MapRenderer& renderer, const EditorState& st,
                    const std::function<QString(int x, int y)>& textOf) {
    if (!tiles::isReady(st)) return;
    const int z = renderer.zoom();
    QImage view = renderer.paintableView();
    QPainter painter(&view);
    painter.setFont(labelFont(domainLabelPointSize(z)));
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            const QString text = textOf(x, y);
            if (text.isEmpty()) continue;
            const PixelPoint box = cellToScreen(x, y, z);
            drawBoxText(painter, box.x, box.y, z, text, Qt::white, LabelStyle::Plain);
        }
    }
}

void printCellMarks(MapRenderer& renderer, const EditorState& st, const std::vector<Point>& cells) {
    std::vector<bool> marked(kCellCount, false);
    for (Point p : cells)
        if (inMap(p.x, p.y)) marked[std::size_t(p.y * kGrid + p.x)] = true;
    printCellTexts(renderer, st, [&](int x, int y) {
        return marked[std::size_t(y * kGrid + x)] ? QStringLiteral("o") : QString();
    });
}

}  // namespace d7::render
