// A pixel grid as a QImage to paint: the grid's words are already what
// Format_RGB32 holds, so this is one copy.
#pragma once

#include <QImage>
#include <cstring>

#include "core/tiles/pixel_grid.h"

namespace d7::render {

inline QImage imageOf(const tiles::PixelGrid& grid) {
    QImage image(grid.width, grid.height, QImage::Format_RGB32);
    for (int y = 0; y < grid.height; ++y)
        std::memcpy(image.scanLine(y),
                    grid.pixels.data() + std::size_t(y) * std::size_t(grid.width),
                    std::size_t(grid.width) * 4);
    return image;
}

}  // namespace d7::render
