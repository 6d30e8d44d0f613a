// Recovery of unsaved changes in the editor. While the set has unsaved
// changes, its recovery file (core/model/recovery_store.h) is written anew on
// the schedule of core/model/recovery_schedule.h, by a thread of its own; a
// save that leaves nothing unsaved removes it. At start, what a recovery
// file holds is offered back. Nothing here ever writes into a game directory.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "core/model/recovery_schedule.h"
#include "core/model/recovery_writer.h"

namespace d7::ui {

class Editor;

inline constexpr const char* kRecoveryCaption = "Recover Changes";

class EditorRecovery : public QObject {
    Q_OBJECT
  public:
    using Clock = std::function<RecoverySchedule::Time()>;
    // Watching starts with start(); the clock is the schedule's (tests bring
    // their own and call tick()).
    explicit EditorRecovery(
        Editor& ed, Clock clock = [] { return std::chrono::steady_clock::now(); });
    ~EditorRecovery() override;
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // At start, once the game directory's set is loaded: when a recovery file
    // exists for it, asks whether to recover its changes (or says why they
    // cannot be) and keeps the file aside when they are not taken.
    void offer();
    // Starts keeping the recovery file (polled a few times a second).
    void start();
    bool started() const { return writer_ != nullptr; }

    // Looks at the set: notes a change, hands a due write to the writer,
    // removes the file once the set it holds has nothing unsaved.
    void tick();
    // Before a map set is loaded over unsaved changes: they are written now.
    void beforeLoad();
    // The user closes without saving: the file goes too.
    void discard();
    // The program ends: the last writes reach the disk.
    void finish();

    // The recovery file of the current game directory.
    std::filesystem::path file() const;
    RecoveryWriter* writer() { return writer_.get(); }

  private:
    void writeNow(RecoverySchedule::Time now);
    void showProblem(const QString& text);
    std::filesystem::path keepAside(const std::filesystem::path& file);

    Editor& ed_;
    Clock clock_;
    RecoverySchedule schedule_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer poll_;
    QTimer due_;
    std::uint64_t seenSerial_ = 0;
    std::int64_t changedAt_ = 0;  // wall time of the newest change seen
    // The set (by its load count) whose changes the file holds; 0: none.
    std::uint64_t fileHolds_ = 0;
};

}  // namespace d7::ui
