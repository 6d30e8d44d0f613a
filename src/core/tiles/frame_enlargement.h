// The tile viewer's enlarged picture of one frame: every byte of the frame,
// diamond and extension layers alike, as a p x p square of its palette
// colour. Unlike the map, it shows layer bytes of 0 (as palette colour 0)
// and the downward layers of kind 1, so that nothing of a frame stays hidden.
#pragma once

#include <optional>

#include "core/tiles/frame_drawing.h"
#include "core/tiles/graphics.h"

namespace d7::tiles {

// Dir and Ex of a frame as the viewer reports them; nothing for a frame that
// does not exist or whose data runs past the end of its file.
struct FrameShape {
    int dir = 0;
    int ex = 0;
};
std::optional<FrameShape> frameShape(const Tileset& ts, int k);

// Unscaled rows the viewer's picture of a frame needs: the diamond's 30 and
// one per extension layer.
constexpr int inspectionRows(const FrameShape& f) {
    return 30 + f.ex;
}

// Draws frame k with pixel size p from the target's top-left corner: the
// diamond moved down by Ex rows when Dir is 2 or more (so that the upward
// layers stay inside the picture), then the layers of kinds 1 to 4. Draws
// nothing for a frame that does not exist.
void drawFrameInspection(const PixelTarget& target, const Tileset& ts, const Palette& palette,
                         int k, int p);

}  // namespace d7::tiles
