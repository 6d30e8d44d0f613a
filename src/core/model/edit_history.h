// The edit history: for every map of the set, the steps the user took, each
// kept as the byte ranges it changed in the map's block, its map file and the
// language file, with the bytes before and after. Undo writes the "before"
// bytes back, redo the "after" bytes. This file holds the data and the byte
// differences; history_steps.h records, undoes and redoes steps on the state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "core/model/map_layout.h"

namespace d7 {

// At offset, the bytes before[0 .. beforeSize) became after (the rest of
// bytes). The two sizes differ only when an image changed its length (a map
// file created or emptied, the language file after a rename).
struct ByteChange {
    std::uint32_t offset = 0;
    std::uint32_t beforeSize = 0;
    std::vector<std::uint8_t> bytes;  // the bytes before, then the bytes after

    std::span<const std::uint8_t> before() const { return {bytes.data(), beforeSize}; }
    std::span<const std::uint8_t> after() const {
        return {bytes.data() + beforeSize, bytes.size() - beforeSize};
    }
};
using ByteChanges = std::vector<ByteChange>;

// The changed ranges that turn before into after, in rising order. Ranges
// closer than a few bytes are joined (one range costs more than the bytes
// between). Images of different lengths give one range: what lies between
// their common start and their common end.
ByteChanges diffBytes(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after);
// Applies the changes to image forwards (before -> after) or backwards, with
// their offsets counted from origin (changes of length need origin 0).
void applyChanges(std::vector<std::uint8_t>& image, const ByteChanges& changes, bool forwards,
                  std::size_t origin = 0);

// The three images a step may change.
enum HistoryImage : int { kBlockImage = 0, kMapFileImage = 1, kLanguageImage = 2 };
inline constexpr int kHistoryImages = 3;

struct HistoryStep {
    std::string name;  // what the user did: "Place Town", "Brush", "Fill All", ...
    std::uint64_t id = 0;
    ByteChanges changes[kHistoryImages];

    bool changesNames() const { return !changes[kLanguageImage].empty(); }
    // What the step keeps in memory, bookkeeping included.
    std::size_t bytes() const;
};

// One map's steps: steps[0 .. applied) are done (the last is undone first),
// steps[applied ..) are undone and can be redone.
struct MapHistory {
    std::deque<HistoryStep> steps;
    std::size_t applied = 0;
    // The state before steps[0] and the state the set was last saved in, by
    // the id of the step that led to them (0: as the set was loaded).
    std::uint64_t baseId = 0;
    std::uint64_t savedId = 0;
    std::size_t bytes = 0;

    std::uint64_t idAt(std::size_t position) const {
        return position == 0 ? baseId : steps[position - 1].id;
    }
    bool atSavedPoint() const { return idAt(applied) == savedId; }
    // The position (0 .. steps.size()) of the saved point, -1 when it is gone.
    int savedPosition() const;
    bool canUndo() const { return applied > 0; }
    bool canRedo() const { return applied < steps.size(); }
};

struct HistoryLimits {
    std::size_t maxStepsPerMap = 1000;
    std::size_t maxBytes = std::size_t(64) << 20;
};

class EditHistory {
  public:
    explicit EditHistory(HistoryLimits limits = {}) : limits_(limits) {}

    const MapHistory& map(int n) const { return maps_[std::size_t(n)]; }
    MapHistory& map(int n) { return maps_[std::size_t(n)]; }
    std::size_t bytes() const { return bytes_; }
    const HistoryLimits& limits() const { return limits_; }
    void setLimits(HistoryLimits limits) { limits_ = limits; }

    // Forgets every step of every map (a map set was loaded).
    void clear();
    // Adds a step to map n after its applied steps (the redo steps go), then
    // drops the oldest steps until the limits hold again; the new step stays.
    void push(int n, HistoryStep step);
    // Marks every map's present point as saved.
    void markSaved();
    // True when every map stands at its saved point.
    bool allAtSavedPoints() const;

    // The copy of the current map's images as the last step left them, which
    // the next step is the difference to (baseMap -1: none taken yet).
    int baseMap = -1;
    std::vector<std::uint8_t> base[kHistoryImages];
    // The unsaved-write count the last step left behind, and whether the
    // images were written since the last save in ways no step holds.
    std::uint64_t writesSeen = 0;
    bool strayWrites = false;

  private:
    void dropFront(MapHistory& h);
    void dropBack(MapHistory& h);
    void enforceLimits(int keepMap);

    HistoryLimits limits_;
    MapHistory maps_[kMapCount];
    std::size_t bytes_ = 0;
    std::uint64_t nextId_ = 1;
};

}  // namespace d7
