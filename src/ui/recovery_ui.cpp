#include "ui/recovery_ui.h"

#include <QStatusBar>
#include <ctime>
#include <iostream>

#include "core/model/day_serial.h"
#include "core/model/map_set_io.h"
#include "core/model/recovery_store.h"
#include "ui/commands/command_guard.h"
#include "ui/editor.h"

namespace d7::ui {

namespace {

constexpr int kPollMs = 200;
constexpr int kProblemMessageMs = 30000;

std::string madeOn(std::int64_t when) {
    return formatLocalDateTime(std::time_t(when));
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

EditorRecovery::EditorRecovery(Editor& ed, Clock clock) : ed_(ed), clock_(std::move(clock)) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &EditorRecovery::tick);
    due_.setSingleShot(true);
    connect(&due_, &QTimer::timeout, this, &EditorRecovery::tick);
}

EditorRecovery::~EditorRecovery() = default;

std::filesystem::path EditorRecovery::file() const {
    return recoveryFileFor(ed_.context().programDir, ed_.state());
}

void EditorRecovery::start() {
    if (!writer_) writer_ = std::make_unique<RecoveryWriter>();
    seenSerial_ = ed_.state().writeSerial;
    if (hasUnsavedChanges(ed_.state())) {
        // Recovered changes are written out again as they stand now.
        changedAt_ = std::int64_t(std::time(nullptr));
        schedule_.changed(clock_());
    }
    poll_.start();
}

void EditorRecovery::showProblem(const QString& text) {
    ed_.mainForm().StatusBar1->showMessage(text, kProblemMessageMs);
}

void EditorRecovery::tick() {
    if (!writer_) return;
    if (auto error = writer_->takeError())
        showProblem(
            QStringLiteral("Recovery file not written: %1").arg(QString::fromStdString(*error)));
    const EditorState& st = ed_.state();
    if (!st.mapLoaded) return;
    const auto now = clock_();
    if (st.writeSerial != seenSerial_) {
        seenSerial_ = st.writeSerial;
        if (hasUnsavedChanges(st)) {
            changedAt_ = std::int64_t(std::time(nullptr));
            schedule_.changed(now);
        } else {
            // Saved (or undone back to the saved state). A file that holds
            // the changes of a set loaded before stays: they were never saved.
            schedule_.forget();
            if (fileHolds_ == st.setLoads) {
                writer_->remove(file());
                fileHolds_ = 0;
            }
        }
    }
    if (schedule_.due(now)) {
        writeNow(now);
    } else if (schedule_.pending()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(schedule_.dueAt() - now);
        due_.start(int(std::max<std::int64_t>(wait.count(), 0)));
    }
}

void EditorRecovery::writeNow(RecoverySchedule::Time now) {
    EditorState& st = ed_.state();
    schedule_.written(now);
    if (!st.loadedImages) return;
    const std::filesystem::path target = file();
    if (const auto problem = recoveryPlaceProblem(target, st)) {
        showProblem(
            QStringLiteral("Recovery file not written: %1").arg(QString::fromStdString(*problem)));
        return;
    }
    std::unique_ptr<RecoverySnapshot> snapshot = writer_->spareSnapshot();
    takeRecoverySnapshot(st, changedAt_, *snapshot);
    writer_->write(target, st.loadedImages, std::move(snapshot));
    fileHolds_ = st.setLoads;
}

void EditorRecovery::beforeLoad() {
    if (!writer_ || !ed_.state().mapLoaded || !hasUnsavedChanges(ed_.state())) return;
    tick();
    if (schedule_.pending()) writeNow(clock_());
    // The load may meet a damaged set; what was on screen is on disk first.
    writer_->wait();
}

void EditorRecovery::discard() {
    if (!writer_) return;
    schedule_.forget();
    writer_->remove(file());
    fileHolds_ = 0;
    writer_->wait();
}

void EditorRecovery::finish() {
    if (!writer_) return;
    poll_.stop();
    tick();
    writer_->wait();
}

std::filesystem::path EditorRecovery::keepAside(const std::filesystem::path& path) {
    std::filesystem::path kept;
    runCommand(ed_.context().prompt, [&] { kept = keepRecoveryAside(path, std::time(nullptr)); });
    return kept;
}

void EditorRecovery::offer() {
    EditorContext& ctx = ed_.context();
    EditorState& st = ctx.st;
    if (!st.mapLoaded) return;
    const std::filesystem::path path = file();
    const auto tellAndKeep = [&](const std::string& why) {
        const std::filesystem::path kept = keepAside(path);
        ctx.prompt.inform(
            kRecoveryCaption,
            why + (kept.empty() ? "" : "\nThe recovery file was kept as " + kept.string() + "."));
    };
    std::optional<Recovery> recovery;
    try {
        recovery = readRecoveryFile(path);
    } catch (const FileError& e) {
        tellAndKeep(std::string("The changes of the last session cannot be recovered: ") +
                    e.what());
        return;
    }
    // A file of another game directory whose name came out the same: not ours.
    if (!recovery || !isSameDirectory(recovery->gameDir, st.gameDir)) return;
    const std::string when = madeOn(recovery->changedAt);

    // The changes apply to the set they were made on, as its files were then.
    std::unique_ptr<EditorState> other;
    const MapSet* loaded = &st;
    if (!isSameDirectory(recovery->mapSetDir, st.mapSetDir)) {
        try {
            other = loadMapSetOf(recovery->mapSetDir, st.gameDir, st.pl8Dir, st.langFile);
        } catch (const FileError& e) {
            tellAndKeep("The changes made on " + when + " cannot be recovered: " + e.what());
            return;
        }
        loaded = other.get();
    }
    if (const auto changed = recoveryBaseMismatches(*loaded, *recovery, st.langFile);
        !changed.empty()) {
        tellAndKeep("The editor was closed without saving changes made on " + when +
                    ", but the files they were made on changed since (" + joined(changed) +
                    "). Nothing was recovered.");
        return;
    }
    if (!ctx.prompt.askYesNo(kRecoveryCaption,
                             "The editor was closed without saving changes "
                             "made on " +
                                 when + ". Recover them?")) {
        // The status bar has room for the name; the whole path goes to stderr.
        const std::filesystem::path kept = keepAside(path);
        if (!kept.empty()) {
            showProblem(QStringLiteral("Not recovered; kept as %1")
                            .arg(QString::fromStdString(kept.filename().string())));
            std::cerr << "d7irir: the changes were not recovered; they are kept in "
                      << kept.string() << "\n";
        }
        return;
    }
    const bool applied = runCommand(ctx.prompt, [&] {
        // Tried on the other set first, so a refusal leaves the editor's as it is.
        if (other) {
            applyRecovery(*other, *recovery, path);
            loadMapSet(st, recovery->mapSetDir);
        }
        applyRecovery(st, *recovery, path);
    });
    if (!applied) {
        keepAside(path);
        return;
    }
    const int map = st.curMap;
    ed_.showLoadedMapSet();
    ed_.mainForm().selectMapAndRefresh(map);
    fileHolds_ = st.setLoads;
}

}  // namespace d7::ui
