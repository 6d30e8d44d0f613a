// An editor state with the test graphics and an empty map loaded, and a
// renderer attached to it.
#pragma once

#include <gtest/gtest.h>

#include "core/tiles/overlay_colours.h"
#include "render/map_renderer.h"
#include "support/map_builder.h"
#include "support/tileset_builder.h"

namespace d7::test {

class RenderTest : public ::testing::Test {
  protected:
    RenderTest() {
        installTestGraphics(st->gfx);
        st->mapLoaded = true;
        st->view.zoom = 1;
        st->sink = &renderer;
    }

    // The pixel at (dx, dy) of cell (x, y)'s tile box.
    std::uint32_t boxPixel(int x, int y, int dx, int dy) {
        const int z = renderer.zoom();
        const PixelPoint box = cellToScreen(x, y, z);
        return renderer.pixel(box.x + dx * z, box.y + dy * z);
    }
    // Which frame (upper half) and which tileset (lower half) the cell's box shows.
    std::uint32_t upperHalf(int x, int y) { return boxPixel(x, y, 29, 7); }
    std::uint32_t lowerHalf(int x, int y) { return boxPixel(x, y, 29, 22); }

    // Pixels of the colour inside cell (x, y)'s box.
    int countInBox(int x, int y, std::uint32_t rgb) {
        const int z = renderer.zoom();
        const PixelPoint box = cellToScreen(x, y, z);
        int n = 0;
        for (int py = box.y; py < box.y + 30 * z; ++py)
            for (int px = box.x; px < box.x + 58 * z; ++px)
                n += tiles::rgbOf(renderer.pixel(px, py)) == rgb;
        return n;
    }

    std::unique_ptr<EditorState> st = makeEditorState();
    render::MapRenderer renderer{*st};
};

}  // namespace d7::test
