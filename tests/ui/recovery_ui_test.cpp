// The recovery file in the editor: when it is written, when it goes, and
// what the next start offers from it.
#include "ui/recovery_ui.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/recovery_store.h"
#include "editor_fixture.h"

namespace d7::test {
namespace {

using namespace std::chrono_literals;
using Time = RecoverySchedule::Time;

class RecoveryUiTest : public EditorFixture {
  protected:
    RecoveryUiTest() {
        ed->recovery().setClock([this] { return now; });
    }
    void edit(std::uint8_t value, int n = 7) {
        selectMapIn(n);
        storeBlockByte(ed->state(), value, 5, 6, 0, n);
    }
    void selectMapIn(int n) {
        if (ed->state().curMap != n) ed->mainForm().selectMapAndRefresh(n);
    }
    // Ticks at t and waits for the writer.
    void tickAt(Time t) {
        now = t;
        ed->recovery().tick();
        ed->recovery().writer()->wait();
    }
    std::optional<Recovery> onDisk() { return readRecoveryFile(ed->recovery().file()); }
    std::vector<fs::path> keptFiles() {
        std::vector<fs::path> kept;
        for (const auto& e : fs::directory_iterator(home / kRecoveryFolder))
            if (e.path().filename().string().find("-kept-") != std::string::npos)
                kept.push_back(e.path());
        return kept;
    }
    // A second editor on the same game and home, as at the next start.
    std::unique_ptr<ui::Editor> restart(ScriptedPrompt& answers) {
        auto next = std::make_unique<ui::Editor>(answers, dialogs, home);
        EditorState& st = next->state();
        st.gameDir = st.pl8Dir = game.string();
        loadMapSet(st, st.gameDir);
        next->showLoadedMapSet();
        next->recovery().offer();
        return next;
    }
    Time now{};
};

TEST_F(RecoveryUiTest, WrittenOnScheduleAndRemovedBySavingOrDiscarding) {
    load();
    ed->recovery().start();
    edit(0x41);
    tickAt(now + 100ms);
    EXPECT_FALSE(onDisk());  // a moment after the change
    tickAt(now + 1s);
    ASSERT_TRUE(onDisk());
    EXPECT_EQ(onDisk()->curMap, 7);

    edit(0x42, 9);
    tickAt(now + 1s);
    EXPECT_EQ(onDisk()->curMap, 7);  // not five seconds since the last write yet
    tickAt(now + 4s);
    EXPECT_EQ(onDisk()->curMap, 9);

    trigger("M_Save");
    tickAt(now + 1s);
    EXPECT_FALSE(onDisk());

    // Closing without saving throws the changes away on purpose.
    edit(0x43);
    tickAt(now + 1s);
    tickAt(now + 4s);
    ASSERT_TRUE(onDisk());
    ed->recovery().discard();
    EXPECT_FALSE(onDisk());
}

TEST_F(RecoveryUiTest, ALoadOverUnsavedChangesLeavesThemOnDisk) {
    load();
    ed->recovery().start();
    edit(0x41);
    ed->recovery().tick();  // seen, not yet due
    dialogs.answer(game);
    trigger("M_LoadMapset");
    EXPECT_FALSE(hasUnsavedChanges(ed->state()));
    tickAt(now + 10s);
    ASSERT_TRUE(onDisk());
    EXPECT_EQ(onDisk()->curMap, 7);
}

TEST_F(RecoveryUiTest, TheNextStartOffersTheChangesBackOrKeepsThemAside) {
    load();
    ed->recovery().start();
    edit(0x41, 12);
    ed->state().extChanged[4] = true;
    setMapName(ed->state(), "Recovered Land");
    tickAt(now);
    tickAt(now + 1s);
    ASSERT_TRUE(onDisk());

    ScriptedPrompt yes(true);
    auto next = restart(yes);
    ASSERT_EQ(yes.questions.size(), 1u);
    EXPECT_EQ(yes.questions[0].first, ui::kRecoveryCaption);
    EXPECT_NE(yes.questions[0].second.find("The editor was closed without saving changes made on"),
              std::string::npos);
    EXPECT_EQ(next->state().mapStore, ed->state().mapStore);
    EXPECT_EQ(next->state().langStream, ed->state().langStream);
    EXPECT_EQ(next->state().extChanged, ed->state().extChanged);
    EXPECT_EQ(next->state().curMap, 12);
    EXPECT_TRUE(hasUnsavedChanges(next->state()));
    next.reset();

    ScriptedPrompt no(false);
    next = restart(no);
    EXPECT_EQ(no.questions.size(), 1u);
    EXPECT_FALSE(hasUnsavedChanges(next->state()));
    EXPECT_FALSE(onDisk());
    ASSERT_EQ(keptFiles().size(), 1u);
    EXPECT_TRUE(readRecoveryFile(keptFiles()[0]));
}

TEST_F(RecoveryUiTest, ChangedOrDamagedFilesAreReportedAndNothingIsApplied) {
    load();
    ed->recovery().start();
    edit(0x41);
    tickAt(now);
    tickAt(now + 1s);
    const fs::path file = ed->recovery().file();
    const Bytes good = fileBytes(file);

    Bytes store = fileBytes(game / "k7_maps.dat");
    store[0] ^= 1;
    writeFileAtomic(game / "k7_maps.dat", store);
    ScriptedPrompt answers(true);
    auto next = restart(answers);
    EXPECT_TRUE(answers.questions.empty());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].second.find("changed since (k7_maps.dat)"), std::string::npos);
    EXPECT_FALSE(hasUnsavedChanges(next->state()));
    EXPECT_EQ(keptFiles().size(), 1u);

    writeFileAtomic(file, std::span(good).first(good.size() / 2));  // cut short
    ScriptedPrompt again(true);
    next = restart(again);
    EXPECT_TRUE(again.questions.empty());
    ASSERT_EQ(again.messages.size(), 1u);
    EXPECT_NE(again.messages[0].second.find("cannot be recovered"), std::string::npos);
    EXPECT_EQ(keptFiles().size(), 2u);
}

}  // namespace
}  // namespace d7::test
