#include "core/tiles/palette.h"

#include <cmath>

#include "core/model/file_io.h"
#include "core/model/read_limits.h"

namespace d7::tiles {

double roundHalfEven(double v) {
    const double below = std::floor(v);
    const double fraction = v - below;
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::uint8_t scaleComponent(std::uint8_t value, double factor) {
    const double v = roundHalfEven(factor * value);
    if (v <= 0) return 0;
    if (v >= 255) return 255;
    return std::uint8_t(v);
}

void computePaletteTables(Palette& palette, double factor) {
    auto component = [&](std::size_t at) -> std::uint8_t {
        return at < palette.raw.size() ? scaleComponent(palette.raw[at], factor) : 0;
    };
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t r = component(3 * i), g = component(3 * i + 1),
                            b = component(3 * i + 2);
        const std::uint32_t rgb = r << 16 | g << 8 | b;
        palette.canvas[i] = rgb;
        palette.pixel[i] = pixelOf(rgb);
    }
}

Palette makePalette(std::vector<std::uint8_t> bytes, double factor) {
    Palette p;
    p.raw = std::move(bytes);
    computePaletteTables(p, factor);
    return p;
}

Palette readPaletteFile(const std::filesystem::path& path) {
    return makePalette(readWholeFile(path, kPaletteReadLimit));
}

}  // namespace d7::tiles
