// The core's colours (0xRRGGBB, any top byte) as Qt colours.
#pragma once

#include <QColor>
#include <cstdint>

#include "core/tiles/graphics.h"

namespace d7::render {

inline QColor qtColour(std::uint32_t rgb) {
    return QColor::fromRgb(QRgb(tiles::pixelOf(rgb)));
}

}  // namespace d7::render
