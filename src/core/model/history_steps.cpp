#include "core/model/history_steps.h"

#include <algorithm>

#include "core/model/map_access.h"
#include "core/model/map_set_io.h"

namespace d7 {

namespace {

// Map n's bytes of image i as they stand in the set (empty when the set has
// no such bytes).
std::span<const std::uint8_t> imageOf(const EditorState& st, int n, int i) {
    switch (i) {
        case kBlockImage: {
            const std::uint8_t* block = mapBlock(st, n);
            return block ? std::span<const std::uint8_t>(block, kBlockSize)
                         : std::span<const std::uint8_t>();
        }
        case kMapFileImage:
            return st.extStreams[std::size_t(fileOfMap(n))];
        default:
            return st.langStream;
    }
}

// Writes a step's bytes into the set and into the history's copy.
void applyStep(EditorState& st, const HistoryStep& step, bool forwards) {
    EditHistory& h = st.history;
    const int n = st.curMap;
    for (int i = 0; i < kHistoryImages; ++i) {
        const ByteChanges& changes = step.changes[i];
        if (changes.empty()) continue;
        applyChanges(h.base[i], changes, forwards);
        switch (i) {
            case kBlockImage:
                applyChanges(st.mapStore, changes, forwards, blockOffset(n));
                markMapStoreChanged(st);
                break;
            case kMapFileImage:
                applyChanges(st.extStreams[std::size_t(fileOfMap(n))], changes, forwards);
                markMapFileChanged(st, fileOfMap(n));
                break;
            default:
                applyChanges(st.langStream, changes, forwards);
                markNamesChanged(st);
                break;
        }
    }
}

// The cells of the map picture a walk through the history changed: those of
// the planes M0..M5 and of Ext3 and Ext4. Past a few hundred cells the
// picture is drawn whole.
class ChangedCells {
  public:
    void add(const HistoryStep& step, int n) {
        if (step.changesNames()) whole_ = true;
        for (const ByteChange& c : step.changes[kBlockImage])
            addRange(c.offset, std::max(c.before().size(), c.after().size()), 0, 6 * kCellCount);
        const std::size_t record = extRecordOffset(n);
        for (const ByteChange& c : step.changes[kMapFileImage]) {
            const std::size_t size = std::max(c.before().size(), c.after().size());
            if (size > std::size_t(kExtRecordSize)) whole_ = true;
            if (c.offset + size <= record) continue;
            const std::size_t from = c.offset > record ? c.offset - record : 0;
            addRange(from, c.offset + size - record - from, kExt3Offset, kExt5Offset);
        }
    }
    void report(CellSink* sink) const {
        if (!sink) return;
        if (whole_) {
            sink->mapChanged();
            return;
        }
        for (int cell : cells_) sink->cellChanged(cell % kGrid, cell / kGrid);
    }

  private:
    static constexpr std::size_t kMostCells = 512;
    // Bytes [offset, offset + size) of an image whose planes of kCellCount
    // bytes each lie in [first, end).
    void addRange(std::size_t offset, std::size_t size, std::size_t first, std::size_t end) {
        const std::size_t lo = std::max(offset, first), hi = std::min(offset + size, end);
        for (std::size_t o = lo; o < hi && !whole_; ++o) {
            const int cell = int((o - first) % kCellCount);
            if (!seen_[std::size_t(cell)]) {
                seen_[std::size_t(cell)] = true;
                cells_.push_back(cell);
            }
            if (cells_.size() > kMostCells) whole_ = true;
        }
    }
    std::vector<bool> seen_ = std::vector<bool>(kCellCount);
    std::vector<int> cells_;
    bool whole_ = false;
};

// The unsaved-changes count follows the history: none when every map stands
// where it was saved and nothing was written that no step holds.
void settleUnsavedWrites(EditorState& st) {
    EditHistory& h = st.history;
    if (!h.strayWrites && h.allAtSavedPoints())
        st.unsavedWrites = 0;
    else
        st.unsavedWrites = std::max<std::uint64_t>(st.unsavedWrites, 1);
    h.writesSeen = st.unsavedWrites;
}

}  // namespace

void takeHistoryBase(EditorState& st) {
    EditHistory& h = st.history;
    h.baseMap = st.curMap;
    for (int i = 0; i < kHistoryImages; ++i) {
        const std::span<const std::uint8_t> image = imageOf(st, st.curMap, i);
        h.base[i].assign(image.begin(), image.end());
    }
    h.writesSeen = st.unsavedWrites;
}

bool recordStep(EditorState& st, std::string_view name) {
    EditHistory& h = st.history;
    if (!isMapNumber(st.curMap)) return false;
    if (h.baseMap != st.curMap) {
        takeHistoryBase(st);
        return false;
    }
    HistoryStep step;
    bool changed = false;
    for (int i = 0; i < kHistoryImages; ++i) {
        step.changes[i] = diffBytes(h.base[i], imageOf(st, st.curMap, i));
        changed = changed || !step.changes[i].empty();
    }
    if (!changed) {
        // Written, but to the same bytes, or outside the current map's images.
        if (st.unsavedWrites != h.writesSeen) h.strayWrites = true;
        h.writesSeen = st.unsavedWrites;
        return false;
    }
    for (int i = 0; i < kHistoryImages; ++i) applyChanges(h.base[i], step.changes[i], true);
    step.name = std::string(name);
    h.push(st.curMap, std::move(step));
    st.unsavedWrites = std::max<std::uint64_t>(st.unsavedWrites, 1);
    h.writesSeen = st.unsavedWrites;
    return true;
}

namespace {

// Walks the current map's history to position (the current map is valid).
bool moveTo(EditorState& st, std::size_t position) {
    MapHistory& m = st.history.map(st.curMap);
    if (position > m.steps.size() || position == m.applied) return false;
    bool names = false;
    ChangedCells cells;
    while (m.applied != position) {
        const bool back = m.applied > position;
        const HistoryStep& step = m.steps[back ? --m.applied : m.applied++];
        applyStep(st, step, !back);
        names = names || step.changesNames();
        cells.add(step, st.curMap);
    }
    // As loading the set and selecting the map: the names, the working
    // planes, the analysis pass, every route to be computed again.
    if (names) readNameLists(st);
    selectMap(st, st.curMap);
    settleUnsavedWrites(st);
    cells.report(st.sink);
    return true;
}

}  // namespace

bool goToStep(EditorState& st, std::size_t position) {
    if (!isMapNumber(st.curMap)) return false;
    recordStep(st, kUnnamedStep);
    return moveTo(st, position);
}

bool undoStep(EditorState& st) {
    if (!isMapNumber(st.curMap)) return false;
    recordStep(st, kUnnamedStep);
    const MapHistory& m = st.history.map(st.curMap);
    return m.canUndo() && moveTo(st, m.applied - 1);
}

bool redoStep(EditorState& st) {
    if (!isMapNumber(st.curMap)) return false;
    recordStep(st, kUnnamedStep);
    const MapHistory& m = st.history.map(st.curMap);
    return m.canRedo() && moveTo(st, m.applied + 1);
}

std::string_view undoStepName(const EditorState& st) {
    if (!isMapNumber(st.curMap)) return {};
    const MapHistory& m = st.history.map(st.curMap);
    return m.canUndo() ? std::string_view(m.steps[m.applied - 1].name) : std::string_view();
}

std::string_view redoStepName(const EditorState& st) {
    if (!isMapNumber(st.curMap)) return {};
    const MapHistory& m = st.history.map(st.curMap);
    return m.canRedo() ? std::string_view(m.steps[m.applied].name) : std::string_view();
}

void markHistorySaved(EditorState& st) {
    st.history.markSaved();
}

}  // namespace d7
