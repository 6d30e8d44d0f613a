#include "core/model/plane_bitmaps.h"

#include <array>

#include "core/model/auxiliary_planes.h"
#include "core/model/map_access.h"

namespace d7 {

namespace {

// Colour to palette index, the lowest index winning where entries repeat a
// colour: an open-addressed table of twice the palette's size, so that a
// lookup mostly compares one key.
class PaletteLookup {
  public:
    explicit PaletteLookup(const tiles::Palette& palette) {
        for (int i = 255; i >= 0; --i) {
            const std::uint32_t rgb = palette.canvas[std::size_t(i)];
            std::size_t slot = slotOf(rgb);
            while (slots_[slot].used && slots_[slot].rgb != rgb) slot = (slot + 1) % kSlots;
            slots_[slot] = {rgb, std::uint8_t(i), true};
        }
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        const std::uint32_t rgb = tiles::rgbOf(pixel);
        for (std::size_t slot = slotOf(rgb);; slot = (slot + 1) % kSlots) {
            const Slot& s = slots_[slot];
            if (!s.used) return 0;
            if (s.rgb == rgb) return s.index;
        }
    }

  private:
    static constexpr std::size_t kSlots = 512;  // never more than half full
    static std::size_t slotOf(std::uint32_t rgb) { return (rgb * 0x9E3779B1u) >> 23; }
    struct Slot {
        std::uint32_t rgb = 0;
        std::uint8_t index = 0;
        bool used = false;
    };
    std::array<Slot, kSlots> slots_{};
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
