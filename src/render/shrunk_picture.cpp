#include "render/shrunk_picture.h"

#include <algorithm>
#include <vector>

#include "core/edit/geometry.h"

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

void shrinkPixels(const std::uint32_t* source, std::ptrdiff_t stride, int w, int h, int s,
                  std::uint32_t* target, std::ptrdiff_t targetStride) {
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

ShrunkPicture::ShrunkPicture()
    : picture_(0, 0, kMapPictureWidth, kMapPictureHeight),
      columns_((kMapPictureWidth + kChunkWidth - 1) / kChunkWidth) {
    const int rows = (kMapPictureHeight + kChunkHeight - 1) / kChunkHeight;
    made_.assign(std::size_t(columns_) * std::size_t(rows), false);
    unmade_ = int(made_.size());
}

void ShrunkPicture::forget() {
    std::fill(made_.begin(), made_.end(), false);
    unmade_ = int(made_.size());
    stale_ = QRegion();
}

QRect ShrunkPicture::chunkRect(std::size_t i) const {
    const int c = int(i) % columns_, r = int(i) / columns_;
    return QRect(c * kChunkWidth, r * kChunkHeight, kChunkWidth, kChunkHeight)
        .intersected(picture_);
}

void ShrunkPicture::markStale(const QRect& area) {
    const QRect a = area.intersected(picture_);
    if (a.isEmpty() || unmade_ == int(made_.size())) return;
    for (int r = a.top() / kChunkHeight; r <= a.bottom() / kChunkHeight; ++r)
        for (int c = a.left() / kChunkWidth; c <= a.right() / kChunkWidth; ++c) {
            const std::size_t i = std::size_t(r * columns_ + c);
            if (made_[i]) stale_ += a.intersected(chunkRect(i));
        }
    // Past this many pieces one more costs more to join than its bounding box
    // costs to make (a rectangle command marks thousands of cells).
    if (stale_.rectCount() > 64) stale_ = QRegion(stale_.boundingRect());
}

void ShrunkPicture::make(const QRect& area, const Source& source) {
    makeStale(source);
    const QRect a = area.intersected(picture_);
    if (a.isEmpty() || unmade_ == 0) return;
    for (int r = a.top() / kChunkHeight; r <= a.bottom() / kChunkHeight; ++r)
        for (int c = a.left() / kChunkWidth; c <= a.right() / kChunkWidth; ++c)
            makeChunk(std::size_t(r * columns_ + c), source);
}

bool ShrunkPicture::makeSome(int chunks, const Source& source) {
    makeStale(source);
    for (std::size_t i = 0; i < made_.size() && chunks > 0 && unmade_ > 0; ++i) {
        if (made_[i]) continue;
        makeChunk(i, source);
        --chunks;
    }
    return unmade_ > 0;
}

void ShrunkPicture::makeStale(const Source& source) {
    if (stale_.isEmpty()) return;
    const QRegion stale = stale_;
    stale_ = QRegion();
    const QRect bounds = stale.boundingRect();
    for (int r = bounds.top() / kChunkHeight; r <= bounds.bottom() / kChunkHeight; ++r)
        for (int c = bounds.left() / kChunkWidth; c <= bounds.right() / kChunkWidth; ++c) {
            const std::size_t i = std::size_t(r * columns_ + c);
            // A chunk not made is made whole when its turn comes.
            if (!made_[i]) continue;
            // Out to whole shown pixels of both sizes; chunk edges lie on
            // them, so this stays in the chunk.
            QRegion region;
            for (const QRect& piece : stale.intersected(chunkRect(i))) {
                const int left = piece.left() / 4 * 4, top = piece.top() / 4 * 4;
                const int right = (piece.right() / 4 + 1) * 4;
                const int bottom = (piece.bottom() / 4 + 1) * 4;
                region += QRect(left, top, right - left, bottom - top);
            }
            // One drawing for all of the chunk's stale pieces.
            if (!region.isEmpty()) shrinkRegion(region, source);
        }
}

void ShrunkPicture::makeChunk(std::size_t i, const Source& source) {
    if (made_[i]) return;
    shrinkRegion(chunkRect(i), source);
    made_[i] = true;
    --unmade_;
}

void ShrunkPicture::shrinkRegion(const QRegion& region, const Source& source) {
    if (half_.isNull()) {
        half_ = QImage(picture_.width() / 2, picture_.height() / 2, QImage::Format_RGB32);
        quarter_ = QImage(picture_.width() / 4, picture_.height() / 4, QImage::Format_RGB32);
        half_.fill(Qt::black);
        quarter_.fill(Qt::black);
    }
    const tiles::PixelTarget pixels = source(region);
    const QRect bounds = region.boundingRect();
    for (const QRect& area : region) {
        const std::uint32_t* from =
            pixels.row(area.top() - bounds.top()) + (area.left() - bounds.left());
        for (QImage* shown : {&half_, &quarter_}) {
            const int s = shown == &half_ ? 2 : 4;
            const std::ptrdiff_t stride = shown->bytesPerLine() / 4;
            auto* corner = reinterpret_cast<std::uint32_t*>(shown->bits()) +
                           std::ptrdiff_t(area.top() / s) * stride + area.left() / s;
            shrinkPixels(from, pixels.stride, area.width(), area.height(), s, corner, stride);
        }
    }
}

}  // namespace d7::render
