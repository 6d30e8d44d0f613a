// Writes recovery files on a thread of its own, so that no edit waits for a
// disk: the editor hands over a snapshot of the set (recovery.h) and goes
// on; the thread compares it with the images as loaded, encodes it and
// writes it. Only the newest job matters: one handed over while another
// waits replaces it.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/model/recovery.h"

namespace d7 {

class RecoveryWriter {
  public:
    // What the last write took on the writer's thread.
    struct Timing {
        double compareMs = 0;  // comparing and encoding
        double writeMs = 0;    // writing and flushing the file
        std::size_t bytes = 0;
    };

    RecoveryWriter();
    // Finishes the job in hand and the one waiting.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // A snapshot to fill for the next write: one a finished job gave back
    // (its memory already faulted in), else a new one.
    std::unique_ptr<RecoverySnapshot> spareSnapshot();
    void write(fs::path file, std::shared_ptr<const SetImages> base,
               std::unique_ptr<RecoverySnapshot> snapshot);
    void remove(fs::path file);
    // Returns once every job handed over is done.
    void wait();
    // The failure of a job since the last call, if any.
    std::optional<std::string> takeError();
    Timing lastTiming();

  private:
    struct Job {
        fs::path file;
        std::shared_ptr<const SetImages> base;  // none: remove the file
        std::unique_ptr<RecoverySnapshot> snapshot;
    };
    void run();
    void hand(Job job);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Job> waiting_;
    std::unique_ptr<RecoverySnapshot> spare_;
    bool busy_ = false;
    bool stopping_ = false;
    std::optional<std::string> error_;
    Timing timing_;
    std::thread thread_;  // last: started once everything above exists
};

}  // namespace d7
