#include "core/tiles/test_pictures.h"

#include "core/edit/geometry.h"
#include "core/model/auxiliary_planes.h"
#include "core/tiles/overlay_colours.h"

namespace d7::tiles {

namespace {

std::uint32_t entry(const EditorState& st, int index) {
    return pixelOf(st.gfx.palette.canvas[std::size_t(index)]);
}

bool hasDomain(int d) {
    return d != kNoDomain && d != kLandWithoutDomain;
}

// The two pixels a cell covers on the 128-square isometric grids of the test pictures.
void putCellPixels(PixelGrid& picture, int x, int y, std::uint32_t pixel) {
    picture.put(x - y + 32, x + y, pixel);
    picture.put(x - y + 32, x + y + 1, pixel);
}

template <class ColourOf>
PixelGrid diamondPicture(ColourOf colourOf) {
    PixelGrid picture(kMapPictureWidth, kMapPictureHeight);
    const PixelTarget target = picture.target();
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            if (const auto pixel = colourOf(x, y)) {
                const PixelPoint at = cellToScreen(x, y, 1);
                fillDiamond(target, at.x, at.y, *pixel);
            }
    return picture;
}

}  // namespace

PixelGrid testMapPicture(const EditorState& st) {
    PixelGrid picture(kTestMapSide, kTestMapSide, entry(st, 4));
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            if (st.planes.M5.at(x, y) != kNoDomain) putCellPixels(picture, x, y, entry(st, 3));
    return picture;
}

PixelGrid vertMapPicture(const EditorState& st) {
    return diamondPicture([&](int x, int y) -> std::optional<std::uint32_t> {
        return st.gfx.palette.pixel[st.planes.M0.at(x, y) == flags::kSea ? 4 : 3];
    });
}

PixelGrid vDomMapPicture(const EditorState& st) {
    return diamondPicture([&](int x, int y) -> std::optional<std::uint32_t> {
        const int d = st.planes.M5.at(x, y);
        if (!hasDomain(d)) return std::nullopt;
        return st.gfx.palette.pixel[std::size_t(d)];
    });
}

PixelGrid vertexPicture(const EditorState& st, int width, int height) {
    OutsidePlane points;
    layOutOutsidePoints(st.planes.M0, points);
    PixelGrid picture(width, height);
    for (int r = 0; r < kOutsideHeight; ++r)
        for (int c = 0; c < kOutsideWidth; ++c)
            if (const int v = points.at(c, r); v == 3 || v == 4) picture.put(c, r, entry(st, v));
    return picture;
}

PixelGrid domainPicture(const EditorState& st, int width, int height) {
    PixelGrid picture(width, height);
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            if (const int d = st.planes.M5.at(x, y); hasDomain(d))
                putCellPixels(picture, x, y, pixelOf(tableAColour(d)));
    return picture;
}

PixelGrid edgePicture(EditorState& st, int width, int height) {
    const PixelGrid domains = domainPicture(st, width, height);
    // The palette entry each point gets (0: stays black), kept apart from the
    // colours so that two entries of one colour cannot be mistaken for each other.
    std::vector<std::uint8_t> marks(domains.pixels.size(), 0);
    auto mark = [&](int x, int y) -> std::uint8_t& {
        return marks[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t here = domains.at(x, y);
            const bool edge = (x < width - 1 && here != domains.at(x + 1, y)) ||
                              (y < height - 1 && here != domains.at(x, y + 1));
            if (edge) {
                mark(x, y) = 63;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if ((dx || dy) && domains.contains(x + dx, y + dy) &&
                            mark(x + dx, y + dy) != 63)
                            mark(x + dx, y + dy) = 10;
            } else if (mark(x, y) != 10 && rgbOf(here) != 0) {
                mark(x, y) = std::uint8_t(11 + st.rng.below(2));
            }
        }
    PixelGrid picture(width, height);
    for (std::size_t i = 0; i < marks.size(); ++i)
        if (marks[i]) picture.pixels[i] = entry(st, marks[i]);
    return picture;
}

PixelGrid palettePicture(const Palette& palette) {
    PixelGrid picture(16 * kPaletteSwatch, 16 * kPaletteSwatch);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.at(x, y) =
                palette.pixel[std::size_t(16 * (y / kPaletteSwatch) + x / kPaletteSwatch)];
    return picture;
}

PixelGrid domainPalettePicture() {
    PixelGrid picture(kDomainPaletteSide, kDomainPaletteSide);
    for (int i = 0; i <= kMaxDomain; ++i)
        for (int r = 3 * i; r < 3 * i + 3; ++r)
            for (int c = 0; c < 10; ++c) picture.at(c, r) = pixelOf(tableAColour(i));
    return picture;
}

}  // namespace d7::tiles
