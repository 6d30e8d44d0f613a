#include "core/model/recovery_writer.h"

#include <chrono>
#include <utility>

#include "core/model/recovery_file.h"
#include "core/model/recovery_store.h"

namespace d7 {

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

RecoveryWriter::RecoveryWriter() : thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::unique_ptr<RecoverySnapshot> RecoveryWriter::spareSnapshot() {
    std::lock_guard lock(mutex_);
    return spare_ ? std::move(spare_) : std::make_unique<RecoverySnapshot>();
}

void RecoveryWriter::write(fs::path file, std::shared_ptr<const SetImages> base,
                           std::unique_ptr<RecoverySnapshot> snapshot) {
    hand({std::move(file), std::move(base), std::move(snapshot)});
}

void RecoveryWriter::remove(fs::path file) {
    hand({std::move(file), nullptr, nullptr});
}

void RecoveryWriter::hand(Job job) {
    {
        std::lock_guard lock(mutex_);
        // A job replaced before it ran gives its snapshot back.
        if (waiting_ && waiting_->snapshot) spare_ = std::move(waiting_->snapshot);
        waiting_ = std::move(job);
    }
    wake_.notify_all();
}

void RecoveryWriter::wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_ && !waiting_; });
}

std::optional<std::string> RecoveryWriter::takeError() {
    std::lock_guard lock(mutex_);
    return std::exchange(error_, std::nullopt);
}

RecoveryWriter::Timing RecoveryWriter::lastTiming() {
    std::lock_guard lock(mutex_);
    return timing_;
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || waiting_; });
        if (!waiting_) return;  // stopping with nothing left to do
        Job job = std::move(*waiting_);
        waiting_.reset();
        busy_ = true;
        lock.unlock();

        std::optional<std::string> error;
        Timing timing;
        try {
            if (job.base) {
                const auto start = std::chrono::steady_clock::now();
                const Bytes bytes = encodeRecovery(makeRecovery(*job.base, *job.snapshot));
                timing.compareMs = msSince(start);
                const auto written = std::chrono::steady_clock::now();
                writeRecoveryFile(job.file, bytes);
                timing.writeMs = msSince(written);
                timing.bytes = bytes.size();
            } else {
                removeRecoveryFile(job.file);
            }
        } catch (const FileError& e) {
            error = e.what();
        } catch (const std::bad_alloc&) {
            error = job.file.string() + ": out of memory";
        } catch (const std::exception& e) {
            error = job.file.string() + ": " + e.what();
        }
        job.base.reset();

        lock.lock();
        if (job.snapshot) spare_ = std::move(job.snapshot);
        busy_ = false;
        if (error) error_ = error;
        if (timing.bytes) timing_ = timing;
        idle_.notify_all();
    }
}

}  // namespace d7
