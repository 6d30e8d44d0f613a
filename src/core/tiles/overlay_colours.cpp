#include "core/tiles/overlay_colours.h"

#include <array>
#include <span>

namespace d7::tiles {

namespace {

constexpr std::array<std::uint32_t, 21> kA = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
    0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xF0E68C, 0x0000FF, 0xFA8072,
    0x00FFFF, 0x4B0082, 0xDC143C, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xE6E6FA};

constexpr std::array<std::uint32_t, 21> kB = {
    0x000000, 0x4B19E6, 0x4BB43C, 0x19E1FF, 0xD86343, 0x3182F5, 0xB41E91,
    0xF0F046, 0xE632F0, 0x0CF6BC, 0xBEBEFA, 0x808000, 0xFFBEE6, 0x24639A,
    0xC8FAFF, 0x000080, 0xC3FFAA, 0x008080, 0xB1D8FF, 0x750000, 0x808080};

constexpr std::array<std::uint32_t, 24> kD = {
    0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x00FFFF, 0xFFFBF0, 0xFFA500, 0x3182F5,
    0xB41E91, 0xF0F046, 0xE632F0, 0x0CF6BC, 0xBEBEFA, 0xFFDAB9, 0xC0DCC0, 0xC8FAFF,
    0xE6E6FA, 0xFFBEE6, 0xC3FFAA, 0x000080, 0xB1D8FF, 0x008080, 0x750000, 0x808080};

std::uint32_t entryOr(std::span<const std::uint32_t> table, int index) {
    return index >= 0 && std::size_t(index) < table.size() ? table[std::size_t(index)] : kWhite;
}

}  // namespace

std::uint32_t overlayColour(int index, int set) {
    switch (set) {
        case kTableA:
            return entryOr(kA, index);
        case kTableB:
            return entryOr(kB, index);
        case kTableD:
            return entryOr(kD, index);
        default:
            return kWhite;
    }
}

std::uint32_t tableAColour(int index) {
    return entryOr(kA, index);
}

int tableAIndex(std::uint32_t rgb) {
    rgb &= 0xFFFFFF;
    for (int i = int(kA.size()) - 1; i >= 0; --i)
        if (kA[std::size_t(i)] == rgb) return i;
    return 0;
}

int paletteIndex(const Palette& palette, std::uint32_t rgb) {
    rgb &= 0xFFFFFF;
    for (int i = 0; i < 256; ++i)
        if (palette.canvas[std::size_t(i)] == rgb) return i;
    return 0;
}

}  // namespace d7::tiles
