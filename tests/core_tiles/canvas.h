// A small 32-bit picture for drawing tests.
#pragma once

#include <cstdint>
#include <vector>

#include "core/tiles/frame_drawing.h"

namespace d7::test {

inline constexpr std::uint32_t kBackground = 0xFF123456;

struct Canvas {
    Canvas(int w, int h)
        : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), kBackground) {}
    tiles::PixelTarget target() { return {pixels.data(), width, height, width}; }
    std::uint32_t at(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
    int count(std::uint32_t value) const {
        int n = 0;
        for (auto p : pixels) n += p == value;
        return n;
    }
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
};

}  // namespace d7::test
