// The cells a map set comparison found changed on the current map, outlined
// in the map window until that map changes or another map is selected.
#pragma once

#include <QPoint>
#include <cstdint>
#include <span>
#include <vector>

#include "core/model/editor_state.h"

class QPainter;

namespace d7::ui {

class ChangeOutlines {
  public:
    explicit ChangeOutlines(const EditorState& st) : st_(st) {}

    // Outlines the cells of map n, which must be the current map, as it is now.
    void show(int n, std::vector<Point> cells);
    void clear();
    // Whether cells are outlined: none once their map is no longer current
    // or no longer what it was when they were found (they are dropped then).
    bool active();

    // Draws the outlines into a window showing the map at size q (quarters
    // of 100 %) whose top-left corner is the shown picture's pixel scroll.
    void paint(QPainter& painter, int q, QPoint scroll);

  private:
    const EditorState& st_;
    int map_ = -1;
    std::vector<Point> cells_;
    std::vector<std::uint8_t> image_;    // the map when the cells were found
    std::vector<std::uint8_t> current_;  // room to read the map as it is now
};

}  // namespace d7::ui
