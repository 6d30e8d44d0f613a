#include "core/model/edit_history.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace d7 {

namespace {

// Unchanged runs shorter than this are kept inside one range: a range of its
// own costs more than the bytes it would save.
constexpr std::size_t kJoinGap = 48;
// Equal images are compared a chunk at a time first.
constexpr std::size_t kChunk = 256;

ByteChange makeChange(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
                      std::size_t offset, std::size_t beforeSize, std::size_t afterSize) {
    ByteChange c;
    c.offset = std::uint32_t(offset);
    c.beforeSize = std::uint32_t(beforeSize);
    c.bytes.reserve(beforeSize + afterSize);
    c.bytes.insert(c.bytes.end(), before.begin() + std::ptrdiff_t(offset),
                   before.begin() + std::ptrdiff_t(offset + beforeSize));
    c.bytes.insert(c.bytes.end(), after.begin() + std::ptrdiff_t(offset),
                   after.begin() + std::ptrdiff_t(offset + afterSize));
    return c;
}

// The first differing position at or after from, or size when none.
std::size_t nextDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t from,
                           std::size_t size) {
    std::size_t i = from;
    while (i < size) {
        const std::size_t n = std::min(kChunk, size - i);
        if (std::memcmp(a + i, b + i, n) != 0) break;
        i += n;
    }
    while (i < size && a[i] == b[i]) ++i;
    return i;
}

}  // namespace

ByteChanges diffBytes(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after) {
    ByteChanges out;
    if (before.size() != after.size()) {
        const std::size_t shorter = std::min(before.size(), after.size());
        std::size_t head = 0;
        while (head < shorter && before[head] == after[head]) ++head;
        std::size_t tail = 0;
        while (tail < shorter - head &&
               before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
            ++tail;
        out.push_back(makeChange(before, after, head, before.size() - head - tail,
                                 after.size() - head - tail));
        return out;
    }
    const std::size_t size = before.size();
    const std::uint8_t* a = before.data();
    const std::uint8_t* b = after.data();
    std::size_t i = nextDifference(a, b, 0, size);
    while (i < size) {
        const std::size_t start = i;
        std::size_t end = i + 1;  // one past the last differing byte of the range
        for (;;) {
            while (end < size && a[end] != b[end]) ++end;
            const std::size_t next = nextDifference(a, b, end, std::min(size, end + kJoinGap));
            if (next >= std::min(size, end + kJoinGap)) break;
            end = next + 1;
        }
        out.push_back(makeChange(before, after, start, end - start, end - start));
        i = nextDifference(a, b, end, size);
    }
    return out;
}

void applyChanges(std::vector<std::uint8_t>& image, const ByteChanges& changes, bool forwards,
                  std::size_t origin) {
    // Ranges of changed length move what follows them, so they are applied
    // from the last to the first.
    for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
        const std::span<const std::uint8_t> from = forwards ? it->before() : it->after();
        const std::span<const std::uint8_t> to = forwards ? it->after() : it->before();
        const auto at = image.begin() + std::ptrdiff_t(origin + it->offset);
        if (from.size() == to.size()) {
            std::copy(to.begin(), to.end(), at);
            continue;
        }
        image.erase(at, at + std::ptrdiff_t(from.size()));
        image.insert(image.begin() + std::ptrdiff_t(it->offset), to.begin(), to.end());
    }
}

std::size_t HistoryStep::bytes() const {
    std::size_t n = sizeof(HistoryStep) + name.capacity();
    for (const ByteChanges& list : changes) {
        n += list.capacity() * sizeof(ByteChange);
        for (const ByteChange& c : list) n += c.bytes.capacity();
    }
    return n;
}

int MapHistory::savedPosition() const {
    for (std::size_t p = 0; p <= steps.size(); ++p)
        if (idAt(p) == savedId) return int(p);
    return -1;
}

void EditHistory::clear() {
    for (MapHistory& h : maps_) h = MapHistory{};
    bytes_ = 0;
    baseMap = -1;
    for (auto& image : base) image.clear();
    writesSeen = 0;
    strayWrites = false;
}

void EditHistory::dropFront(MapHistory& h) {
    const std::size_t n = h.steps.front().bytes();
    h.baseId = h.steps.front().id;
    h.steps.pop_front();
    --h.applied;
    h.bytes -= n;
    bytes_ -= n;
}

void EditHistory::dropBack(MapHistory& h) {
    const std::size_t n = h.steps.back().bytes();
    h.steps.pop_back();
    h.bytes -= n;
    bytes_ -= n;
}

void EditHistory::push(int n, HistoryStep step) {
    MapHistory& h = map(n);
    while (h.steps.size() > h.applied) dropBack(h);
    step.id = nextId_++;
    const std::size_t size = step.bytes();
    h.steps.push_back(std::move(step));
    ++h.applied;
    h.bytes += size;
    bytes_ += size;
    while (h.steps.size() > std::max<std::size_t>(limits_.maxStepsPerMap, 1)) dropFront(h);
    enforceLimits(n);
}

void EditHistory::enforceLimits(int keepMap) {
    while (bytes_ > limits_.maxBytes) {
        // The oldest step of all is dropped: the first done step of a map
        // (the one just pushed excepted), or, of a map whose steps are all
        // undone, the last redo step.
        MapHistory* oldest = nullptr;
        std::uint64_t oldestId = std::numeric_limits<std::uint64_t>::max();
        for (int m = 0; m < kMapCount; ++m) {
            MapHistory& h = map(m);
            if (h.steps.empty() || (m == keepMap && h.steps.size() == 1)) continue;
            const std::uint64_t id = h.applied > 0 ? h.steps.front().id : h.steps.back().id;
            if (id < oldestId) {
                oldestId = id;
                oldest = &h;
            }
        }
        if (!oldest) return;
        if (oldest->applied > 0)
            dropFront(*oldest);
        else
            dropBack(*oldest);
    }
}

void EditHistory::markSaved() {
    for (MapHistory& h : maps_) h.savedId = h.idAt(h.applied);
    strayWrites = false;
    writesSeen = 0;
}

bool EditHistory::allAtSavedPoints() const {
    return std::all_of(std::begin(maps_), std::end(maps_),
                       [](const MapHistory& h) { return h.atSavedPoint(); });
}

}  // namespace d7
