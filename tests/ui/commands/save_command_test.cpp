// "Save" (Ctrl+S) and "Save Mapset...": where they write, what the status bar
// then says, and the question before a directory without a map store.
#include <QTest>

#include "../editor_fixture.h"
#include "core/model/map_set_io.h"

namespace d7::test {
namespace {

std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) names.push_back(fs::relative(e.path(), dir).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

class SaveCommandTest : public EditorFixture {
  protected:
    QString statusMessage() { return ed->mainForm().StatusBar1->currentMessage(); }
};

TEST_F(SaveCommandTest, CtrlSWritesBackIntoTheLoadedDirectoryWithoutADialogAndSaysWhat) {
    load();
    EditorState& st = ed->state();
    EXPECT_EQ(st.mapSetDir, game.string());
    EXPECT_EQ(action("M_Save")->shortcut(), QKeySequence(QKeySequence::Save));
    st.mapStore[100] ^= 0xFF;
    markMapStoreChanged(st);
    markMapFileChanged(st, 3);
    QApplication::setActiveWindow(&ed->mapForm());
    QTest::keyClick(&ed->mapForm(), Qt::Key_S, Qt::ControlModifier);  // from the map window too
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(prompt.questions.empty());
    EXPECT_EQ(fileBytes(game / "k7_maps.dat"), st.mapStore);  // the file there, as it is spelt
    EXPECT_FALSE(hasUnsavedChanges(st));
    EXPECT_EQ(statusMessage(), QString::fromStdString("Saved 2 files into " + game.string() +
                                                      ": k7_maps.dat, map03.pl8"));
}

TEST_F(SaveCommandTest, SaveMapsetStartsInTheLoadedDirectoryAndAsksOnceBeforeAnOverlay) {
    load();
    EditorState& st = ed->state();
    markMapFileChanged(st, 3);
    const fs::path overlay = tmp / "overlay", whole = tmp / "whole";
    fs::create_directories(overlay);
    fs::create_directories(whole);

    prompt.setAnswer(false);  // only the changed files
    dialogs.answer(overlay);
    trigger("M_SaveMapset");
    EXPECT_EQ(dialogs.startDirs.back(), game);
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_NE(prompt.questions[0].second.find("Write all files"), std::string::npos);
    EXPECT_EQ(filesIn(overlay), (std::vector<std::string>{"K7_MAPS.DAT", "map03.pl8"}));
    EXPECT_EQ(statusMessage(), QString::fromStdString("Saved 2 files into " + overlay.string() +
                                                      ": K7_MAPS.DAT, map03.pl8"));
    dialogs.answer(overlay);  // the directory has its map store now
    trigger("M_SaveMapset");
    EXPECT_EQ(prompt.questions.size(), 1u);

    prompt.setAnswer(true);  // "Write all files": the whole set, as save --all writes it
    dialogs.answer(whole);
    trigger("M_SaveMapset");
    EXPECT_EQ(filesIn(whole).size(), 17u);
    EXPECT_EQ(fileBytes(whole / "K7.ENG"), st.langStream);
    EXPECT_TRUE(statusMessage().startsWith("Saved 17 files into "));
    EXPECT_TRUE(st.extChanged[3]);  // the flags still tell what differs from the game directory
    EXPECT_FALSE(st.extChanged[4]);
    EXPECT_FALSE(st.namesChanged);
}

}  // namespace
}  // namespace d7::test
