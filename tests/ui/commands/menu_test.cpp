#include <QMenuBar>

#include "../editor_fixture.h"
#include "core/model/map_access.h"
#include "core/model/map_layout.h"

namespace d7::test {
namespace {

class MenuTest : public EditorFixture {
  protected:
    std::vector<std::string> visibleTopMenus() {
        std::vector<std::string> names;
        for (QAction* a : ed->mainForm().menuBar()->actions())
            if (a->isVisible()) names.push_back(QString(a->text()).remove('&').toStdString());
        return names;
    }
    Bytes block(int n) {
        const auto& store = ed->state().mapStore;
        return Bytes(store.begin() + std::ptrdiff_t(blockOffset(n)),
                     store.begin() + std::ptrdiff_t(blockOffset(n) + kBlockSize));
    }
    QString mapListItem(int n) { return ed->mainForm().mapbox->item(n)->text(); }
    QString domainItem(int k) { return ed->mainForm().ctybox->item(k)->text(); }
};

TEST_F(MenuTest, TheTreeHasItsCaptionsHiddenItemsHintsAndRadioGroups) {
    EXPECT_EQ(visibleTopMenus(),
              (std::vector<std::string>{"File", "Edit", "View", "Check", "Map Helper", "Extras"}));
    EXPECT_EQ(action("M_LoadSingleMap")->text(), "Load Single Map...");
    EXPECT_EQ(action("M_SaveSingleMap")->text(), "Save Single Map..");
    EXPECT_EQ(action("M_LoadMapset")->text(), "Load Mapset..");
    EXPECT_FALSE(action("M_LoadPalette")->isVisible());
    EXPECT_FALSE(action("M_ExportMapstats")->isVisible());
    EXPECT_FALSE(action("M_Statistics")->isVisible());
    EXPECT_FALSE(action("M_ListCounties")->isVisible());
    EXPECT_TRUE(action("M_ListTownDistances")->isVisible());
    EXPECT_EQ(action("M_Refresh")->statusTip(),
              "Redraws the map (removes artifacts, updates traderoute display)");
    EXPECT_EQ(action("M_MinimapMask")->statusTip(),
              "The invisible mask behind the Minimap that determines the borders.");
    for (const char* checked : {"M_Map", "M_Spring", "M_PalBright", "M_AsLines"})
        EXPECT_TRUE(action(checked)->isChecked()) << checked;
    EXPECT_FALSE(action("M_TraderAll")->isChecked());
    // Commands of later work are there but cannot be chosen yet.
    EXPECT_FALSE(action("M_CheckMap")->isEnabled());
    EXPECT_FALSE(action("M_ShiftXPlus")->isEnabled());
    EXPECT_TRUE(action("M_Refresh")->isEnabled());
    // Nothing to save before a map set is loaded.
    EXPECT_FALSE(action("M_SaveMapset")->isEnabled());
    load();
    EXPECT_TRUE(action("M_SaveMapset")->isEnabled());
}

TEST_F(MenuTest, SingleMapRoundTripThroughResetAndLoad) {
    load();
    EditorState& st = ed->state();
    ed->mainForm().selectMapAndRefresh(2);
    const Bytes original = block(2);
    const fs::path file = tmp / "two.k7map";

    dialogs.answer(file);
    trigger("M_SaveSingleMap");
    EXPECT_EQ(dialogs.asked.back(), "save D7Irir Mapfile|*.k7map");
    ASSERT_TRUE(fs::exists(file));

    trigger("M_ResetMap");
    EXPECT_EQ(mapListItem(2), "Empty Map");
    EXPECT_EQ(domainItem(0), "Empty Lands");
    EXPECT_EQ(domainItem(16), "CTY16");
    EXPECT_NE(block(2), original);

    dialogs.answer(file);
    trigger("M_LoadSingleMap");
    EXPECT_EQ(prompt.questions.back().first, "Load Single Map");
    EXPECT_EQ(mapListItem(2), "Map 2");
    EXPECT_EQ(domainItem(7), "County 2.7");
    EXPECT_EQ(block(2), original);
    EXPECT_EQ(st.curMap, 2);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(MenuTest, MapSetSavedAndLoadedAgainKeepsEveryName) {
    load();
    EditorState& st = ed->state();
    ed->mainForm().selectMapAndRefresh(4);
    trigger("M_ResetMap");
    const Bytes store = st.mapStore;
    const fs::path out = tmp / "out";
    fs::create_directories(out);
    dialogs.answer(out);
    trigger("M_SaveMapset");
    EXPECT_TRUE(fs::exists(out / "K7_MAPS.DAT"));
    EXPECT_TRUE(fs::exists(out / "K7.ENG"));

    dialogs.answer(game);
    trigger("M_LoadMapset");
    EXPECT_EQ(mapListItem(4), "Map 4");
    dialogs.answer(out);
    trigger("M_LoadMapset");
    EXPECT_EQ(st.mapStore, store);
    EXPECT_EQ(mapListItem(4), "Empty Map");
    EXPECT_EQ(st.curMap, 0);
    EXPECT_EQ(ed->mainForm().ctybox->currentRow(), 0);
    EXPECT_TRUE(ed->mapForm().isVisible());
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(MenuTest, SnapshotIsSavedIntoTheHomeDirectoryAndRestored) {
    load();
    ed->mainForm().selectMapAndRefresh(1);
    const Bytes original = block(1);
    trigger("M_SaveSnapshot");
    ASSERT_TRUE(fs::exists(home / "snapshots"));
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "snapshots"), fs::directory_iterator{}),
              1);
    // An edit after the snapshot (a snapshot is found by the map's name, so
    // the name stays).
    storeBlockByte(ed->state(), 0x55, 3, 3, 5, 1);
    ASSERT_NE(block(1), original);
    trigger("M_LoadLastSnapshot");
    EXPECT_EQ(block(1), original);
    EXPECT_EQ(mapListItem(1), "Map 1");
}

TEST_F(MenuTest, AFileErrorEndsTheCommandWithOneMessageNamingTheFile) {
    load();
    EditorState& st = ed->state();
    const Bytes store = st.mapStore;
    const fs::path missing = tmp / "nowhere.k7map";
    dialogs.answer(missing);
    trigger("M_LoadSingleMap");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].first, "D7Irir");
    EXPECT_NE(prompt.messages[0].second.find(missing.string()), std::string::npos);
    EXPECT_EQ(st.mapStore, store);

    dialogs.answer(tmp / "no" / "such" / "dir" / "x.k7map");
    trigger("M_SaveSingleMap");
    EXPECT_EQ(prompt.messages.size(), 2u);
}

TEST_F(MenuTest, ASeasonThatCannotBeLoadedKeepsThePreviousOne) {
    load();
    fs::remove(game / "base1b.pl8");
    trigger("M_Summer");
    EXPECT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(ed->state().gfx.season, 0);
    EXPECT_TRUE(action("M_Spring")->isChecked());
    trigger("M_Winter");
    EXPECT_EQ(ed->state().gfx.season, 3);
    EXPECT_TRUE(action("M_Winter")->isChecked());
}

TEST_F(MenuTest, ViewAndBrightnessRedrawTheMap) {
    load();
    EditorState& st = ed->state();
    trigger("M_Domain");
    EXPECT_EQ(st.view.viewMode, 1);
    EXPECT_TRUE(action("M_Domain")->isChecked());
    EXPECT_FALSE(action("M_Map")->isChecked());
    trigger("M_PalDark");
    EXPECT_TRUE(st.gfx.dark);
    EXPECT_EQ(st.gfx.colourSets.domain, 0);
    trigger("M_Map");
    EXPECT_EQ(st.view.viewMode, 0);
}

TEST_F(MenuTest, SaveBmpWritesTheWholePicture) {
    load();
    const fs::path file = tmp / "map.bmp";
    dialogs.answer(file);
    trigger("M_SaveBMP");
    EXPECT_EQ(fs::file_size(file), 54u + 3712u * 1920u * 4u);
}

TEST_F(MenuTest, NameLengthReportsTheLongestNames) {
    load();
    trigger("M_NameLength");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0], std::make_pair(std::string("Ctynames"), std::string("12 6")));
}

}  // namespace
}  // namespace d7::test
