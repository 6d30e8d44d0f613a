// The map picture is drawn in chunks, each when it is first needed: a full
// redraw only marks every chunk pending, and the map window, an export or a
// test reading pixels draws the pending chunks of the part it uses. A zoom
// change or a new map then costs the visible part of the picture, not all of
// it, and the memory of chunks nobody looks at is never touched.
//
// A chunk is either pending (its pixels mean nothing yet), being drawn, or
// drawn. An edit makes areas of drawn chunks stale: they are drawn again,
// with the rest of what is pending, the next time anything is drawn. A
// pending chunk needs no such mark, since it is drawn from the map as it
// then is.
#pragma once

#include <QRect>
#include <QRegion>
#include <cstdint>
#include <vector>

namespace d7::render {

class PictureChunks {
  public:
    enum class State : std::uint8_t { Pending, Drawing, Drawn };

    // Small enough that the visible part of the map at 200 % is a tenth of
    // the picture, large enough that drawing one stays cache-friendly.
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 256;

    // Every chunk of a picture of this size pending, nothing stale.
    void reset(int pictureWidth, int pictureHeight);

    // The part of area that lies in drawn chunks is to be drawn again. Past
    // kMostStalePieces pieces the stale region becomes its bounding box.
    void markStale(const QRect& area);
    static constexpr int kMostStalePieces = 64;
    bool hasStale() const { return !stale_.isEmpty(); }

    // Marks the pending chunks that area touches as being drawn, and returns
    // what is to be drawn now: those chunks and every stale area (stale
    // areas are small and few, so all of them go at once). Empty when
    // nothing is to be drawn.
    QRegion startDrawing(const QRect& area);
    // The chunks being drawn are drawn.
    void finishDrawing();

    // True when every chunk is in state s.
    bool allIn(State s) const { return count_[index(s)] == int(states_.size()); }
    // True when area touches a chunk in state s.
    bool touches(const QRect& area, State s) const;
    // The parts of area in chunks in state s, as one region.
    QRegion region(const QRect& area, State s) const;

    // Calls f(piece) for each chunk in state s that area touches, piece being
    // the part of area inside the chunk.
    template <typename F>
    void forEach(const QRect& area, State s, F f) const {
        const QRect a = area.intersected(picture_);
        if (a.isEmpty()) return;
        for (int r = a.top() / kHeight; r <= a.bottom() / kHeight; ++r)
            for (int c = a.left() / kWidth; c <= a.right() / kWidth; ++c)
                if (states_[std::size_t(r * columns_ + c)] == s) f(a.intersected(chunkRect(c, r)));
    }

  private:
    static int index(State s) { return int(s); }
    QRect chunkRect(int column, int row) const;
    void set(std::size_t i, State s);

    QRect picture_;
    int columns_ = 0;
    std::vector<State> states_;
    int count_[3] = {0, 0, 0};
    QRegion stale_;
};

}  // namespace d7::render
