#include "core/model/plane_bitmaps.h"

#include <unordered_map>

#include "core/model/auxiliary_planes.h"
#include "core/model/map_access.h"

namespace d7 {

namespace {

// Colour to palette index, the lowest index winning where entries repeat a colour.
class PaletteLookup {
  public:
    explicit PaletteLookup(const tiles::Palette& palette) {
        for (int i = 255; i >= 0; --i) index_[palette.canvas[std::size_t(i)]] = std::uint8_t(i);
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        const auto it = index_.find(tiles::rgbOf(pixel));
        return it == index_.end() ? 0 : it->second;
    }

  private:
    std::unordered_map<std::uint32_t, std::uint8_t> index_;
};

bool hasSize(const tiles::PixelGrid& picture, int width, int height) {
    return picture.width == width && picture.height == height;
}

void markCurrentFileChanged(EditorState& st) {
    markMapFileChanged(st, fileOfMap(st.curMap));
}

}  // namespace

tiles::PixelGrid planeToPicture(std::span<const std::uint8_t> bytes, int width, int height,
                                const tiles::Palette& palette) {
    tiles::PixelGrid picture(width, height);
    for (std::size_t i = 0; i < picture.pixels.size() && i < bytes.size(); ++i)
        picture.pixels[i] = tiles::pixelOf(palette.canvas[bytes[i]]);
    return picture;
}

void pictureToPlane(const tiles::PixelGrid& picture, const tiles::Palette& palette,
                    std::span<std::uint8_t> out) {
    const PaletteLookup lookup(palette);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = i < picture.pixels.size() ? lookup(picture.pixels[i]) : 0;
}

tiles::PixelGrid exportPlanePicture(const EditorState& st, PicturePlane plane) {
    const tiles::Palette& palette = st.gfx.palette;
    switch (plane) {
        case PicturePlane::DomainMask:
            return planeToPicture(st.planes.Ext1.bytes, kMinimapSide, kMinimapSide, palette);
        case PicturePlane::MinimapImage:
            return planeToPicture(st.planes.Ext2.bytes, kMinimapSide, kMinimapSide, palette);
        case PicturePlane::OutsideMap:
            break;
    }
    return planeToPicture(st.planes.Ext5.bytes, kOutsideWidth, kOutsideHeight, palette);
}

bool importOutsideMap(EditorState& st, Prompt& prompt, const tiles::PixelGrid& picture) {
    markCurrentFileChanged(st);
    const bool taken = hasSize(picture, kOutsideWidth, kOutsideHeight);
    if (taken) {
        pictureToPlane(picture, st.gfx.palette, st.planes.Ext5.bytes);
        writeOutsideBack(st, st.curMap);
    } else {
        prompt.inform(kImportCaption, kOutsideSizeMessage);
    }
    setOutlineFromOutsideMap(st);
    return taken;
}

bool importDomainMask(EditorState& st, Prompt& prompt, const tiles::PixelGrid& picture) {
    markCurrentFileChanged(st);
    const bool taken = hasSize(picture, kMinimapSide, kMinimapSide);
    if (taken) {
        pictureToPlane(picture, st.gfx.palette, st.planes.Ext1.bytes);
        writeExtPlaneBack(st, st.curMap, kExt1);
    } else {
        prompt.inform(kMinimapCaption, kMaskSizeMessage);
    }
    if (prompt.askYesNo(kMinimapCaption, kMinimapImageQuestion)) setMinimapImageFromMask(st);
    return taken;
}

}  // namespace d7
