#include "core/model/auxiliary_planes.h"

#include <array>

#include "core/model/map_access.h"

namespace d7 {

void buildDomainMask(EditorState& st) {
    domainMaskOf(st.planes.M5, st.planes.Ext1);
}

void domainMaskOf(const CellPlane& m5, MinimapPlane& mask) {
    mask.fill(0);
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const std::uint8_t d = m5.at(x, y);
            if (d == kNoDomain || d == kLandWithoutDomain) continue;
            mask.at(x - y + 64, x + y) = d;
            mask.at(x - y + 64, x + y + 1) = d;
        }
}

void buildMinimapImage(EditorState& st) {
    minimapImageOf(st.planes.Ext1, st.planes.Ext2, st.rng);
}

void minimapImageOf(const MinimapPlane& domainMask, MinimapPlane& out, Random& rng) {
    // The pixels are numbered q = column * 128 + row, and the neighbour rules
    // work on that numbering: the pixel "above" row 0 is row 127 of the
    // previous column. Work on column-major copies to follow it exactly.
    constexpr int kSide = kMinimapSide;
    std::array<std::uint8_t, kMinimapSize> mask{}, image{};
    for (int c = 0; c < kSide; ++c)
        for (int r = 0; r < kSide; ++r) mask[std::size_t(c * kSide + r)] = domainMask.at(c, r);

    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
            const int q = c * kSide + r;
            const std::uint8_t here = mask[std::size_t(q)];
            const std::uint8_t above = q > 0 ? mask[std::size_t(q - 1)] : 0;
            const bool edge = (c < kSide - 2 && here != mask[std::size_t(q + kSide)]) ||
                              (r < kSide - 2 && here != above);
            if (edge) {
                image[std::size_t(q)] = 63;
                for (int k = -1; k <= 1; ++k)
                    for (int l = -1; l <= 1; ++l) {
                        const int n = q + kSide * k + l;
                        if ((k || l) && n >= 0 && n < kMinimapSize && image[std::size_t(n)] != 63)
                            image[std::size_t(n)] = 10;
                    }
            } else if (image[std::size_t(q)] != 10 && here != 0) {
                image[std::size_t(q)] = std::uint8_t(11 + rng.below(2));
            }
        }

    for (int c = 0; c < kSide; ++c)
        for (int r = 0; r < kSide; ++r) out.at(c, r) = image[std::size_t(c * kSide + r)];
}

void buildOutsideMap(EditorState& st) {
    layOutOutsidePoints(st.planes.M0, st.planes.Ext5);
}

void layOutOutsidePoints(const CellPlane& m0, OutsidePlane& out) {
    out.fill(9);
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const std::uint8_t v = m0.at(x, y) == flags::kSea ? 4 : 3;
            const int s = x + y;
            const int c = 32 + (x - y) / 2;  // truncated towards zero
            if (s < 64) out.at(c, s) = v;
            if (s == 64) {
                out.at(c, 64) = v;
                out.at(c, 65) = v;
                out.at(0, 64) = out.at(1, 64);
                out.at(64, 64) = out.at(63, 64);
            }
            if (s >= 64) out.at(c, s + 2) = v;
        }
}

void buildOutline(EditorState& st) {
    outlineOf(st.planes.Ext5, st.planes.Outline);
}

void outlineOf(const OutsidePlane& outside, OutsidePlane& outline) {
    for (std::size_t i = 0; i < outline.bytes.size(); ++i)
        outline.bytes[i] = outside.bytes[i] > 3 ? 22 : 6;
}

namespace {

void markCurrentFileChanged(EditorState& st) {
    markMapFileChanged(st, fileOfMap(st.curMap));
}

}  // namespace

void createOutsideMapFromMap(EditorState& st) {
    markCurrentFileChanged(st);
    buildOutsideMap(st);
    writeOutsideBack(st, st.curMap);
}

void setOutlineFromOutsideMap(EditorState& st) {
    buildOutline(st);
    writeOutlineBack(st, st.curMap);
}

void createDomainMaskFromMap(EditorState& st) {
    markCurrentFileChanged(st);
    buildDomainMask(st);
    writeExtPlaneBack(st, st.curMap, kExt1);
}

void setMinimapImageFromMask(EditorState& st) {
    markCurrentFileChanged(st);
    buildMinimapImage(st);
    writeExtPlaneBack(st, st.curMap, kExt2);
}

void createAllSubmaps(EditorState& st) {
    createOutsideMapFromMap(st);
    setOutlineFromOutsideMap(st);
    createDomainMaskFromMap(st);
    setMinimapImageFromMask(st);
}

bool clickOutsidePoint(EditorState& st, int column, int row, PointerButton button) {
    if (!OutsidePlane::contains(column, row)) return false;
    markCurrentFileChanged(st);
    const std::uint8_t v = st.planes.Ext5.at(column, row);
    std::uint8_t to = v;
    if (button == PointerButton::Left) to = v == 4 ? 3 : v == 9 ? 2 : v;
    if (button == PointerButton::Right) to = v == 2 ? 9 : v == 3 ? 4 : v;
    if (to == v) return false;
    setOutsidePoint(st, to, column, row, st.curMap);
    return true;
}

}  // namespace d7
