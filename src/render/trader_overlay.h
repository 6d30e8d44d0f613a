// The trader view's overlay on the map picture: the trader numbers on the
// towns, the stop numbers of the shown trader, and its route as lines or as
// leg numbers.
#pragma once

#include "core/analysis/analysis_tables.h"
#include "core/model/editor_state.h"

class QPainter;

namespace d7::render {

// Draws the overlay for st.view.selectedTrader (0: the numbers of all
// traders on their towns only) from the analysis tables and st.RouteCells,
// with the painter on the map picture at zoom z.
void drawTraderOverlay(QPainter& painter, const EditorState& st, int z);

// The direction code 0..7 of a step between neighbouring cells; -1 for no
// move or a jump.
int stepDirection(Point from, Point to);

// How far (in units of 5 pixels, to the left) the lines of leg c are moved,
// so that legs along the same road stay apart: 0, -1, 1, -2, 2, ...
int legShift(int c);

}  // namespace d7::render
