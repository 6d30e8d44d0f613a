// The pictures of the tile windows: the four tile palettes of the tile
// selector with their selection frame, the map window's preview of the
// chosen tile, and the tile viewer's enlarged frame.
#pragma once

#include <QImage>
#include <array>

#include "core/model/editor_state.h"
#include "core/tiles/frame_drawing.h"
#include "core/tiles/tile_palettes.h"

namespace d7::render {

// Drawing straight into the pixel rows of a 32-bit image.
tiles::PixelTarget pixelTarget(QImage& image);

// The four palette pictures at tile scale s, built from the tilesets; all
// black when the editor is not Ready. Pictures that keep their size are
// drawn again in place: the palettes are rebuilt on every season and
// brightness change, and fresh memory costs more than the drawing.
using TilePalettes = std::array<QImage, tiles::kPaletteTypes>;
void rebuildTilePalettes(TilePalettes& images, const EditorState& st, int s);
TilePalettes buildTilePalettes(const EditorState& st, int s);

// White (the colour the selector leaves transparent) with a one-pixel yellow
// rectangle whose right and bottom sides lie one pixel inside the picture.
inline constexpr QRgb kSelectionFrameTransparent = 0xFFFFFFFF;
inline constexpr QRgb kSelectionFrameColour = 0xFFFFFF00;
QImage makeSelectionFrameImage(int blockSize, int s);

// The map window's preview of a chosen tile at zoom z: a block of
// 58bz x 30bz pixels in magenta (transparent) with the block drawn at (0, 0).
QImage makeTileCursorImage(const tiles::Graphics& gfx, const tiles::TileChoice& choice, int z);

// The tile viewer's picture of frame k of the tileset with pixel size p:
// 58p x (30 + Ex)p, black where the frame has no pixel. A null image for a
// frame that does not exist.
QImage makeFrameInspectionImage(const tiles::Tileset& ts, const tiles::Palette& palette, int k,
                                int p);

}  // namespace d7::render
