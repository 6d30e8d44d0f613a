// Land, sea and domains of the current map from a picture the user painted.
// The caller reads the bitmap (and, where the command keeps one, takes the
// undo record first); these write every cell and run the analysis pass once.
#pragma once

#include <functional>
#include <optional>

#include "core/model/editor_state.h"
#include "core/tiles/pixel_grid.h"

namespace d7 {

// The domain a painted colour stands for: the highest index of overlay table
// A with that colour, 0 when none has it. Indices 17 to 20 of the table are
// colours without a domain of their own; they paint land without domain (32),
// so a painter can mark such land with them.
int domainOfColour(std::uint32_t pixel);

// "Generate from BMP 64x64 with Domains": pixel (x, y) decides cell (x, y).
// Black makes random sea; any other colour random grassland with the domain
// of that colour (0 for a colour that is no domain's). Cells beyond a smaller
// picture become grassland with domain 0.
void generateFromDomainBitmap(EditorState& st, const tiles::PixelGrid& picture);

// The menu command "Generate from BMP 64x64 with Domains" as the editor and
// the command-line tool run it: the undo record first, then the picture is
// asked for (nothing more when there is none, as when the user cancels; the
// record stays), then generateFromDomainBitmap.
void generateFromBmp64(EditorState& st,
                       const std::function<std::optional<tiles::PixelGrid>()>& askPicture);

// "Generate from Bitmap 128", the counterpart of the test map: cell (x, y) is
// random grassland (its domain kept) where pixel (x - y + 32, x + y) has the
// colour of palette entry 3, random sea elsewhere and beyond the picture.
void generateFromBitmap128(EditorState& st, const tiles::PixelGrid& picture);

}  // namespace d7
