// When the editor writes its recovery file: a moment after a change (so a
// drag or a run of clicks goes out as one write), within five seconds of
// it, and never sooner than five seconds after the write before. The
// caller brings the time, so tests run the schedule on a clock of their own.
#pragma once

#include <algorithm>
#include <chrono>

namespace d7 {

class RecoverySchedule {
  public:
    using Time = std::chrono::steady_clock::time_point;
    static constexpr std::chrono::milliseconds kSettle{1000};
    static constexpr std::chrono::milliseconds kSpacing{5000};

    // A change that is not written yet was seen at now.
    void changed(Time now) {
        if (!pending_) firstChange_ = now;
        pending_ = true;
    }
    bool pending() const { return pending_; }
    // When the pending changes are to be written.
    Time dueAt() const {
        const Time settled = firstChange_ + kSettle;
        return wrote_ ? std::max(settled, lastWrite_ + kSpacing) : settled;
    }
    bool due(Time now) const { return pending_ && now >= dueAt(); }
    // Everything seen so far was handed to the writer at now.
    void written(Time now) {
        pending_ = false;
        wrote_ = true;
        lastWrite_ = now;
    }
    // The pending changes need no write any more (they were saved).
    void forget() { pending_ = false; }

  private:
    bool pending_ = false;
    bool wrote_ = false;
    Time firstChange_{};
    Time lastWrite_{};
};

}  // namespace d7
