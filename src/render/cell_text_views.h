// Developer views that print a text onto every cell of the map picture (cost
// and distance tables, path marks), over whatever the picture shows. The next
// redraw removes them.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "core/analysis/analysis_tables.h"
#include "render/map_renderer.h"

namespace d7::render {

// Writes textOf(x, y) in white on a transparent background, at the domain
// label size, centred in the tile box of every cell whose text is not empty.
// Nothing happens before the map can be drawn.
void printCellTexts(MapRenderer& renderer, const EditorState& st,
                    const std::function<QString(int x, int y)>& textOf);

// The numbers of a 64 x 64 table.
template <typename T>
void printCellTable(MapRenderer& renderer, const EditorState& st, const CellTable<T>& table) {
    printCellTexts(renderer, st, [&](int x, int y) { return QString::number(table.at(x, y)); });
}

// The letter "o" on each of the cells.
void printCellMarks(MapRenderer& renderer, const EditorState& st, const std::vector<Point>& cells);

}  // namespace d7::render
