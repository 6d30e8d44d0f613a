#include "render/picture_chunks.h"

namespace d7::render {

void PictureChunks::reset(int pictureWidth, int pictureHeight) {
    picture_ = QRect(0, 0, pictureWidth, pictureHeight);
    columns_ = (pictureWidth + kWidth - 1) / kWidth;
    const int rows = (pictureHeight + kHeight - 1) / kHeight;
    states_.assign(std::size_t(columns_) * std::size_t(rows), State::Pending);
    count_[index(State::Pending)] = int(states_.size());
    count_[index(State::Drawing)] = count_[index(State::Drawn)] = 0;
    stale_ = QRegion();
}

QRect PictureChunks::chunkRect(int column, int row) const {
    return QRect(column * kWidth, row * kHeight, kWidth, kHeight).intersected(picture_);
}

void PictureChunks::set(std::size_t i, State s) {
    --count_[index(states_[i])];
    states_[i] = s;
    ++count_[index(s)];
}

void PictureChunks::markStale(const QRect& area) {
    if (allIn(State::Drawn))
        stale_ += area.intersected(picture_);
    else
        forEach(area, State::Drawn, [&](const QRect& piece) { stale_ += piece; });
    // Joining one more piece to a region of many costs more than drawing
    // their bounding box (a rectangle command marks thousands of cells).
    if (stale_.rectCount() > kMostStalePieces) stale_ = QRegion(stale_.boundingRect());
}

QRegion PictureChunks::startDrawing(const QRect& area) {
    QRegion drawing = stale_;
    stale_ = QRegion();
    const QRect a = area.intersected(picture_);
    if (a.isEmpty() || count_[index(State::Pending)] == 0) return drawing;
    for (int r = a.top() / kHeight; r <= a.bottom() / kHeight; ++r) {
        for (int c = a.left() / kWidth; c <= a.right() / kWidth; ++c) {
            const std::size_t i = std::size_t(r * columns_ + c);
            if (states_[i] != State::Pending) continue;
            set(i, State::Drawing);
            drawing += chunkRect(c, r);
        }
    }
    return drawing;
}

void PictureChunks::finishDrawing() {
    if (count_[index(State::Drawing)] == 0) return;
    for (std::size_t i = 0; i < states_.size(); ++i)
        if (states_[i] == State::Drawing) set(i, State::Drawn);
}

bool PictureChunks::touches(const QRect& area, State s) const {
    bool found = false;
    forEach(area, s, [&](const QRect&) { found = true; });
    return found;
}

QRegion PictureChunks::region(const QRect& area, State s) const {
    QRegion region;
    forEach(area, s, [&](const QRect& piece) { region += piece; });
    return region;
}

}  // namespace d7::render
