// Bitmap files as paint programs and image converters write them, built byte
// by byte: 1, 4, 8, 24 and 32 bits per pixel, colour tables, run-length
// compression, rows top-down or bottom-up, the short and the long headers.
#pragma once

#include "core/model/map_set.h"
#include "core/tiles/pixel_grid.h"

namespace d7::test {

struct BmpVariant {
    int bits = 24;         // 1, 4, 8 (colour table of the picture's colours), 24 or 32
    bool rle = false;      // run-length compressed (4 and 8 bits)
    bool topDown = false;  // rows from the top (negative height)
    int headerSize = 40;   // 12, 40 or 124 (124: 32 bits with colour masks)
};

// The file; a picture with more colours than the bit depth holds is a test mistake.
Bytes makeBmp(const tiles::PixelGrid& picture, const BmpVariant& variant);

}  // namespace d7::test
