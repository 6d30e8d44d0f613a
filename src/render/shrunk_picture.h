// The zoom-1 map picture shrunk by 2 or 4, as the map window shows it at 50 %
// and 25 %: each shown pixel is the mean of the s x s picture pixels under it
// (halved pairwise, to within a step of each colour byte), so roads and
// coasts stay readable. It is never drawn from the map: it is
// made from the picture's own pixels, chunk by chunk as the picture's chunks
// are drawn, and again wherever the picture is drawn again.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

#include "core/tiles/frame_drawing.h"

namespace d7::render {

// Shrinks the w x h pixels at source (rows stride words apart) by s (1, 2 or
// 4; w and h multiples of s) into target.
void shrinkPixels(const std::uint32_t* source, int stride, int w, int h, int s,
                  std::uint32_t* target, int targetStride);

// A whole picture shrunk by s (its size rounded down to multiples of s).
QImage shrunkImage(const QImage& picture, int s);

class ShrunkPicture {
  public:
    // Shrink s (1 turns it off) of a picture of that size; forgets every
    // chunk made when anything changes.
    void setShrink(int s, int pictureWidth, int pictureHeight);
    int shrink() const { return shrink_; }
    bool active() const { return shrink_ > 1; }
    // Nothing made: the picture was started afresh.
    void forget();

    // The area of the picture was drawn again: where its chunks were made,
    // they are made again there.
    void pictureDrawn(const tiles::PixelTarget& picture, const QRect& area);
    // Makes the chunks in area that are not made yet; isDrawn(area of a
    // chunk) says whether the picture's pixels there are drawn.
    template <typename IsDrawn>
    void make(const tiles::PixelTarget& picture, const QRect& area, IsDrawn isDrawn) {
        const QRect a = area.intersected(picture_);
        if (!active() || a.isEmpty()) return;
        for (int r = a.top() / kChunkHeight; r <= a.bottom() / kChunkHeight; ++r)
            for (int c = a.left() / kChunkWidth; c <= a.right() / kChunkWidth; ++c) {
                const std::size_t i = std::size_t(r * columns_ + c);
                const QRect chunk = chunkRect(c, r);
                if (made_[i] || !isDrawn(chunk)) continue;
                shrinkArea(picture, chunk);
                made_[i] = true;
            }
    }
    // The shown picture: (picture size) / s.
    const QImage& image() const { return image_; }

  private:
    static constexpr int kChunkWidth = 512;
    static constexpr int kChunkHeight = 256;
    QRect chunkRect(int column, int row) const;
    void shrinkArea(const tiles::PixelTarget& picture, const QRect& area);

    int shrink_ = 1;
    QRect picture_;
    int columns_ = 0;
    std::vector<bool> made_;
    QImage image_;
};

}  // namespace d7::render
