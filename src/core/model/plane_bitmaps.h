// Exchanging the picture planes of the current map with bitmaps: the minimap
// domain mask (Ext1, 128 x 128), the minimap image (Ext2, 128 x 128) and the
// map of the outside lands (Ext5, 65 x 129). A plane byte is a palette index
// and travels as the colour the canvas colour table gives it under the
// current brightness, so a picture imports back only under the brightness it
// was exported with. Pixel (column c, row r) is the byte at (c, r).
#pragma once

#include <cstdint>
#include <span>

#include "core/model/editor_state.h"
#include "core/tiles/pixel_grid.h"

namespace d7 {

// The questions and messages of the exchange commands, shared by every caller.
inline constexpr const char* kOutsideMapCaption = "Outside Map";
inline constexpr const char* kMinimapCaption = "Minimap";
inline constexpr const char* kImportCaption = "Import";
inline constexpr const char* kCreateOutsideQuestion =
    "This will overwrite the existing Outside Map for this Map! \n\rDo you want to continue?";
inline constexpr const char* kImportOutsideQuestion =
    "This will overwrite the existing existing Outside Map for this Map! \n\rDo you want to "
    "continue?";
inline constexpr const char* kOverwriteMaskQuestion =
    "This will overwrite the existing Minimap Domain Mask for this Map! \n\rDo you want to "
    "continue?";
inline constexpr const char* kOutsideSizeMessage = "Invalid bitmap size! (needs to be 65x129)";
inline constexpr const char* kMaskSizeMessage = "Invalid bitmap size! (needs to be 128x128)";
inline constexpr const char* kMinimapImageQuestion = "Create Minimap Image from Domain Mask?";

enum class PicturePlane { DomainMask, MinimapImage, OutsideMap };

// The plane's bytes as a picture of width x height pixels in the palette's
// canvas colours.
tiles::PixelGrid planeToPicture(std::span<const std::uint8_t> bytes, int width, int height,
                                const tiles::Palette& palette);

// The bytes of a picture: for each pixel the lowest palette index with exactly
// its colour, 0 when none has it. out holds one byte per pixel.
void pictureToPlane(const tiles::PixelGrid& picture, const tiles::Palette& palette,
                    std::span<std::uint8_t> out);

// The current map's plane as its picture ("Export as Bitmap").
tiles::PixelGrid exportPlanePicture(const EditorState& st, PicturePlane plane);

// "Map of Outside Lands" > "Import from Bitmap" after its question: marks the
// map file changed; a 65 x 129 picture becomes Ext5, any other size is
// refused with a message and Ext5 stays; in both cases the outline is then
// rebuilt from Ext5. Returns whether the picture was taken.
bool importOutsideMap(EditorState& st, Prompt& prompt, const tiles::PixelGrid& picture);

// "Minimap Domain Mask" > "Import from Bitmap" after its question: marks the
// map file changed; a 128 x 128 picture becomes Ext1, any other size is
// refused with a message; in both cases the user is then asked whether to
// build the minimap image from the mask. Returns whether the picture was taken.
bool importDomainMask(EditorState& st, Prompt& prompt, const tiles::PixelGrid& picture);

}  // namespace d7
