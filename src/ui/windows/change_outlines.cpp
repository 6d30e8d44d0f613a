#include "ui/windows/change_outlines.h"

#include <QPainter>

#include "core/edit/map_scale.h"
#include "core/model/map_access.h"
#include "render/cell_outlines.h"

namespace d7::ui {

void ChangeOutlines::show(int n, std::vector<Point> cells) {
    map_ = n;
    cells_ = std::move(cells);
    image_.resize(kMapImageSize);
    readMapImage(st_, n, image_.data());
}

void ChangeOutlines::clear() {
    map_ = -1;
    cells_.clear();
}

bool ChangeOutlines::active() {
    if (cells_.empty()) return false;
    // Every edit writes through to the map store and the map file, so
    // comparing them with the copy finds any change, whichever command made it.
    current_.resize(kMapImageSize);
    if (st_.curMap == map_ && st_.mapLoaded) readMapImage(st_, map_, current_.data());
    if (st_.curMap != map_ || !st_.mapLoaded || current_ != image_) clear();
    return !cells_.empty();
}

void ChangeOutlines::paint(QPainter& painter, int q, QPoint scroll) {
    if (!active()) return;
    painter.save();
    painter.translate(-scroll);
    // Below 100 % the outlines of the zoom-1 picture, shrunk with it.
    if (q < kFullSize) painter.scale(q / 4.0, q / 4.0);
    render::drawCellOutlines(painter, cells_, pictureZoomOf(q));
    painter.restore();
}

}  // namespace d7::ui
