// The zoom-1 map picture shrunk by 2 and by 4, as the map window shows it at
// 50 % and 25 %: each shown pixel is the mean of the s x s picture pixels
// under it (halved pairwise, to within a step of each colour byte), so roads
// and coasts stay readable.
//
// Both are kept whatever zoom the map picture is drawn at, so that going to
// a small size only shows what is made. They are made chunk by chunk from
// the zoom-1 pixels of each chunk, which a source provides (drawn into a
// small block, or the picture's own pixels): in idle time after a full
// redraw, or when the window shows a chunk not made yet. An edit marks the
// area it changes stale in the made chunks, to be made again from the
// source like the rest.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/tiles/frame_drawing.h"

namespace d7::render {

// Shrinks the w x h pixels at source (rows stride words apart) by s (1, 2 or
// 4; w and h multiples of s) into target.
void shrinkPixels(const std::uint32_t* source, std::ptrdiff_t stride, int w, int h, int s,
                  std::uint32_t* target, std::ptrdiff_t targetStride);

// A whole picture shrunk by s (its size rounded down to multiples of s).
QImage shrunkImage(const QImage& picture, int s);

class ShrunkPicture {
  public:
    static constexpr int kChunkWidth = 512;
    static constexpr int kChunkHeight = 256;

    // The zoom-1 picture's pixels of a region's bounding rectangle, right
    // inside the region (the region lies inside one chunk, the edges of its
    // rectangles on multiples of 4).
    using Source = std::function<tiles::PixelTarget(const QRegion& region)>;

    ShrunkPicture();

    // Nothing made: the picture was started afresh.
    void forget();
    // The area of the zoom-1 picture changed: where chunks are made, they
    // are made again there.
    void markStale(const QRect& area);
    // Every chunk made and nothing stale.
    bool complete() const { return unmade_ == 0 && stale_.isEmpty(); }

    // Makes every stale area and the chunks area touches that are not made.
    void make(const QRect& area, const Source& source);
    // Makes every stale area and then at most `chunks` chunks not made; true
    // when chunks not made remain.
    bool makeSome(int chunks, const Source& source);

    // The picture shrunk by s (2 or 4); black where not made.
    const QImage& image(int s) const { return s == 4 ? quarter_ : half_; }

  private:
    QRect chunkRect(std::size_t i) const;
    void makeStale(const Source& source);
    void makeChunk(std::size_t i, const Source& source);
    // region: inside one chunk, edges on multiples of 4.
    void shrinkRegion(const QRegion& region, const Source& source);

    QRect picture_;
    int columns_ = 0;
    std::vector<bool> made_;
    int unmade_ = 0;
    QRegion stale_;
    // Allocated when the first chunk is made.
    QImage half_, quarter_;
};

}  // namespace d7::render
