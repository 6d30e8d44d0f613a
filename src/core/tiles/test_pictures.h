// The small pictures that show how the map lies on the grids of the game's
// auxiliary planes, for checking those planes by eye: the test map and its
// diamond versions, the vertex, domain and edge pictures of the test view,
// and the strip of domain colours a painter works with.
#pragma once

#include "core/model/editor_state.h"
#include "core/tiles/pixel_grid.h"

namespace d7::tiles {

// "Create and save Testmap": 128 x 128 in the colour of palette entry 4;
// cell (x, y) with a domain other than 0 covers the pixels
// (x - y + 32, x + y) and (x - y + 32, x + y + 1) in entry 3.
inline constexpr int kTestMapSide = 128;
PixelGrid testMapPicture(const EditorState& st);

// "Create Vertmap" and "Create VDommap": the map picture's 3712 x 1920
// layout at 100 %, black, each cell's diamond filled in palette entry 4 for
// sea and 3 for other cells (vertmap), or in the entry of its domain for
// cells of domains other than 0 and 32 (vdommap).
PixelGrid vertMapPicture(const EditorState& st);
PixelGrid vDomMapPicture(const EditorState& st);

// The test view's pictures, width x height and black before drawing.
// Vertex picture: each cell on its point of the outside-lands layout
// (65 x 129), entry 4 for sea and 3 otherwise.
inline constexpr int kVertexWidth = 65;
inline constexpr int kVertexHeight = 129;
PixelGrid vertexPicture(const EditorState& st, int width, int height);
// Domain picture: cells of domains other than 0 and 32 in their table A
// colour at (x - y + 32, x + y) and (x - y + 32, x + y + 1).
inline constexpr int kDomainPictureSide = 128;
PixelGrid domainPicture(const EditorState& st, int width, int height);
// Edge picture: the domain picture's borders in entry 63, their neighbours in
// entry 10, the inside of domains in entry 11 or 12 at random.
PixelGrid edgePicture(EditorState& st, int width, int height);

// The palette window's picture: 160 x 160, palette index 16r + c as the
// 10 x 10 block in row block r, column block c.
inline constexpr int kPaletteSwatch = 10;
PixelGrid palettePicture(const Palette& palette);

// "Export Palette for Domains": 64 x 64, black; rows 3i to 3i + 2 of columns
// 0 to 9 in table A colour i for the domains i = 0 to 16.
inline constexpr int kDomainPaletteSide = 64;
PixelGrid domainPalettePicture();

}  // namespace d7::tiles
