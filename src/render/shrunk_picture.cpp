#include "render/shrunk_picture.h"

#include <algorithm>
#include <vector>

namespace d7::render {

namespace {

// The means of two pixels, byte by byte, rounded down and up: alternating
// them keeps the shrunk picture from drifting darker or lighter.
inline std::uint32_t meanDown(std::uint32_t a, std::uint32_t b) {
    return (a & b) + (((a ^ b) & 0xFEFEFEFEu) >> 1);
}
inline std::uint32_t meanUp(std::uint32_t a, std::uint32_t b) {
    return (a | b) - (((a ^ b) & 0xFEFEFEFEu) >> 1);
}

// Halving and halving again: first down the columns (rows of plain loops
// over contiguous pixels), then along the row.
template <int S>
void shrinkRows(const std::uint32_t* source, std::ptrdiff_t stride, int w, int h,
                std::uint32_t* target, std::ptrdiff_t targetStride) {
    std::vector<std::uint32_t> column(static_cast<std::size_t>(w));
    std::uint32_t* c = column.data();
    for (int ty = 0; ty < h / S; ++ty) {
        const std::uint32_t* r0 = source + std::ptrdiff_t(ty) * S * stride;
        const std::uint32_t* r1 = r0 + stride;
        std::uint32_t* out = target + std::ptrdiff_t(ty) * targetStride;
        if constexpr (S == 2) {
            for (int x = 0; x < w; ++x) c[x] = meanDown(r0[x], r1[x]);
            for (int tx = 0; tx < w / 2; ++tx) out[tx] = meanUp(c[2 * tx], c[2 * tx + 1]);
        } else {
            const std::uint32_t* r2 = r1 + stride;
            const std::uint32_t* r3 = r2 + stride;
            for (int x = 0; x < w; ++x)
                c[x] = meanUp(meanDown(r0[x], r1[x]), meanDown(r2[x], r3[x]));
            for (int tx = 0; tx < w / 4; ++tx)
                out[tx] = meanUp(meanDown(c[4 * tx], c[4 * tx + 1]),
                                 meanDown(c[4 * tx + 2], c[4 * tx + 3]));
        }
    }
}

}  // namespace

void shrinkPixels(const std::uint32_t* source, int stride, int w, int h, int s,
                  std::uint32_t* target, int targetStride) {
    switch (s) {
        case 2:
            shrinkRows<2>(source, stride, w, h, target, targetStride);
            break;
        case 4:
            shrinkRows<4>(source, stride, w, h, target, targetStride);
            break;
        default:
            for (int y = 0; y < h; ++y)
                std::copy_n(source + std::ptrdiff_t(y) * stride, w,
                            target + std::ptrdiff_t(y) * targetStride);
    }
}

QImage shrunkImage(const QImage& picture, int s) {
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    QImage shrunk(source.width() / s, source.height() / s, QImage::Format_RGB32);
    if (shrunk.isNull()) return shrunk;
    shrinkPixels(reinterpret_cast<const std::uint32_t*>(source.constBits()),
                 int(source.bytesPerLine() / 4), shrunk.width() * s, shrunk.height() * s, s,
                 reinterpret_cast<std::uint32_t*>(shrunk.bits()), int(shrunk.bytesPerLine() / 4));
    return shrunk;
}

void ShrunkPicture::setShrink(int s, int pictureWidth, int pictureHeight) {
    const QRect picture(0, 0, pictureWidth, pictureHeight);
    if (s == shrink_ && picture == picture_) return;
    shrink_ = s;
    picture_ = picture;
    columns_ = (pictureWidth + kChunkWidth - 1) / kChunkWidth;
    const int rows = (pictureHeight + kChunkHeight - 1) / kChunkHeight;
    made_.assign(std::size_t(columns_) * std::size_t(rows), false);
    if (!active()) {
        image_ = QImage();
        return;
    }
    image_ = QImage(pictureWidth / s, pictureHeight / s, QImage::Format_RGB32);
    image_.fill(Qt::black);
}

void ShrunkPicture::forget() {
    std::fill(made_.begin(), made_.end(), false);
}

QRect ShrunkPicture::chunkRect(int column, int row) const {
    return QRect(column * kChunkWidth, row * kChunkHeight, kChunkWidth, kChunkHeight)
        .intersected(picture_);
}

void ShrunkPicture::pictureDrawn(const tiles::PixelTarget& picture, const QRect& area) {
    const QRect a = area.intersected(picture_);
    if (!active() || a.isEmpty()) return;
    for (int r = a.top() / kChunkHeight; r <= a.bottom() / kChunkHeight; ++r)
        for (int c = a.left() / kChunkWidth; c <= a.right() / kChunkWidth; ++c)
            if (made_[std::size_t(r * columns_ + c)])
                shrinkArea(picture, a.intersected(chunkRect(c, r)));
}

void ShrunkPicture::shrinkArea(const tiles::PixelTarget& picture, const QRect& area) {
    // Out to whole shown pixels: chunk edges lie on them, so this never
    // reaches into another chunk.
    const int s = shrink_;
    const int left = area.left() / s * s, top = area.top() / s * s;
    const int right = std::min((area.right() / s + 1) * s, picture_.width() / s * s);
    const int bottom = std::min((area.bottom() / s + 1) * s, picture_.height() / s * s);
    if (right <= left || bottom <= top) return;
    auto* shown = reinterpret_cast<std::uint32_t*>(image_.bits());
    const int shownStride = int(image_.bytesPerLine() / 4);
    shrinkPixels(picture.row(top) + left, int(picture.stride), right - left, bottom - top, s,
                 shown + std::ptrdiff_t(top / s) * shownStride + left / s, shownStride);
}

}  // namespace d7::render
