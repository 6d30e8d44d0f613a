#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QListWidget>
#include <QStatusBar>

#include "app/app_options.h"
#include "app/ini_file.h"
#include "app/startup.h"
#include "core/model/file_io.h"
#include "core/model/language_file.h"
#include "core/tiles/graphics_commands.h"
#include "support/map_builder.h"
#include "support/scripted_dialogs.h"
#include "support/tileset_builder.h"

namespace d7::test {
namespace {

class StartupTest : public testing::Test {
  protected:
    StartupTest() : game(tmp / "game"), home(tmp / "home"), installed(tmp / "bin") {
        fs::create_directories(home);
        fs::create_directories(installed);
        ed = std::make_unique<ui::Editor>(prompt, dialogs, home);
        ed->state().view.zoom = 1;  // the default 200 % works the same, only slower
    }

    // A game directory whose graphics lie beside the map store (marked by base01.pl8).
    void writeGame() {
        writeMapSet(game, 3);
        writeTestGraphics(game);
        writeFile(game / "base01.pl8", "");
    }
    void writeFile(const fs::path& path, const std::string& text) {
        writeFileAtomic(path,
                        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }
    void writeIni(const std::string& text) { writeFile(home / "D7Irir.ini", text); }
    std::string iniText() {
        const Bytes b = fileBytes(home / "D7Irir.ini");
        return std::string(b.begin(), b.end());
    }
    app::StartupResult start(std::optional<std::string> gameDir = std::nullopt) {
        return app::runStartup(*ed, {home, installed, std::move(gameDir)});
    }

    TempDir tmp;
    fs::path game, home, installed;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<ui::Editor> ed;
};

TEST_F(StartupTest, ConfiguredGameDirectoryIsLoadedWithoutAsking) {
    writeGame();
    const std::string ini =
        "; mine\r\n[Path]\r\nkvarpath=" + game.string() + "\r\npl8=\r\n[LangFile]\r\ntextfile=\r\n";
    writeIni(ini);
    EXPECT_EQ(start(), app::StartupResult::MapShown);
    EditorState& st = ed->state();
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(st.langFile, "K7.ENG");
    EXPECT_EQ(st.pl8Dir, game.string());
    EXPECT_TRUE(tiles::isReady(st));
    EXPECT_EQ(ed->mainForm().mapbox->count(), 60);
    EXPECT_EQ(ed->mainForm().ctybox->currentRow(), 0);
    EXPECT_TRUE(ed->mapForm().isVisible());
    EXPECT_TRUE(ed->tileSelectForm().isVisible());
    EXPECT_EQ(ed->tileSelectForm().windowTitle(), "Tile Nr: 0");
    EXPECT_EQ(iniText(), ini);  // nothing is written when nothing was asked
}

TEST_F(StartupTest, WithoutConfigurationTheChosenDirectoryIsRemembered) {
    writeGame();
    dialogs.answer(game);
    EXPECT_EQ(start(), app::StartupResult::MapShown);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0],
              std::make_pair(std::string("Thornvale2"),
                             std::string("No valid Thornvale2 directory found. Please select a "
                                         "directory.")));
    const IniFile ini = IniFile::load(home / "D7Irir.ini");
    EXPECT_EQ(ini.value("Path", "kvarpath"), game.string());
    EXPECT_EQ(ini.value("Path", "pl8"), game.string());
    EXPECT_EQ(ini.value("LangFile", "textfile"), "K7.ENG");
}

TEST_F(StartupTest, ADirectoryWithoutTheMapStoreEndsTheProgram) {
    fs::create_directories(game);
    ed->mainForm().show();
    dialogs.answer(game);
    EXPECT_EQ(start(), app::StartupResult::Ended);
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[1].second, "Not a valid Thornvale2 directory!");
    EXPECT_FALSE(ed->mainForm().isVisible());
    EXPECT_FALSE(fs::exists(home / "D7Irir.ini"));
}

TEST_F(StartupTest, CancellingTheFolderDialogEndsTheProgram) {
    writeIni("[Path]\r\nkvarpath=" + (tmp / "gone").string() + "\r\n");
    ed->mainForm().show();
    EXPECT_EQ(start(), app::StartupResult::Ended);
    EXPECT_EQ(dialogs.asked, std::vector<std::string>{"directory"});
    EXPECT_FALSE(ed->mainForm().isVisible());
}

TEST_F(StartupTest, AConfiguredDirectoryWithoutTheMapStoreIsUsedAndItsReadFails) {
    fs::create_directories(game);
    writeIni("[Path]\r\nkvarpath=" + game.string() + "\r\n");
    EXPECT_EQ(start(), app::StartupResult::NoMapSet);
    EXPECT_TRUE(dialogs.asked.empty());
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_NE(prompt.messages.back().second.find("k7_maps.dat"), std::string::npos);
    EXPECT_EQ(ed->mainForm().mapbox->count(), 0);
    EXPECT_FALSE(ed->mapForm().isVisible());
}

TEST_F(StartupTest, WithoutBase01TheGraphicsAndMapFilesComeFromThePl8Directory) {
    writeMapSet(game, 3, "pl8");
    writeTestGraphics(game / "pl8");
    writeIni("[Path]\r\nkvarpath=" + game.string() + "\r\npl8=\r\n");
    EXPECT_EQ(start(), app::StartupResult::MapShown);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(ed->state().pl8Dir, (game / "pl8").string());
    EXPECT_TRUE(tiles::isReady(ed->state()));
    EXPECT_FALSE(ed->state().extChanged[1]);
}

TEST_F(StartupTest, OtherLanguageFileAndGameDirOptionLeaveTheConfigurationAlone) {
    writeGame();
    fs::rename(game / "K7.ENG", game / "K7.GER");
    const std::string ini = "[Path]\nkvarpath=" + (tmp / "elsewhere").string() +
                            "\npl8=" + (tmp / "elsewhere").string() +
                            "\n[LangFile]\ntextfile=K7.GER\n";
    writeIni(ini);
    EXPECT_EQ(start(game.string()), app::StartupResult::MapShown);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(ed->state().langFile, "K7.GER");
    EXPECT_EQ(ed->state().gameDir, game.string());
    EXPECT_EQ(ed->state().pl8Dir, game.string());
    EXPECT_EQ(iniText(), ini);
}

// The language file named in the configuration must be a file of the game
// directory: a path that leads elsewhere is refused and K7.ENG read instead.
TEST_F(StartupTest, ALanguageFileOutsideTheGameDirectoryIsRefused) {
    writeGame();
    for (const char* name : {"../../etc/passwd", "/dev/zero", ".."}) {
        writeIni("[LangFile]\ntextfile=" + std::string(name) + "\n");
        prompt.messages.clear();
        ed = std::make_unique<ui::Editor>(prompt, dialogs, home);
        ASSERT_EQ(start(game.string()), app::StartupResult::MapShown) << name;
        EXPECT_EQ(ed->state().langFile, "K7.ENG");
        ASSERT_EQ(prompt.messages.size(), 1u) << name;
        EXPECT_NE(prompt.messages[0].second.find("is not a file name inside the game directory"),
                  std::string::npos)
            << prompt.messages[0].second;
    }
}

// A program directory whose configuration is a FIFO and whose word list is
// an endless device: start-up goes on without them, the map set is shown.
// Missing map files are named in the status bar; a long name is shortened in
// the map list and kept whole in the state.
TEST_F(StartupTest, HostileFilesAndNamesDoNotStopStartUp) {
    writeGame();
    fs::remove(game / "map07.pl8");
    ASSERT_EQ(::mkfifo((home / "D7Irir.ini").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", home / "names.txt");
    {
        auto st = loadTestMapSet(game);
        st->mapNames[1] = std::string(5000, 'N');
        writeNameEntry(st->langStream, kMapNamesEntry, st->mapNames);
        writeFileAtomic(game / "K7.ENG", st->langStream);
    }
    EXPECT_EQ(start(game.string()), app::StartupResult::MapShown);
    EXPECT_EQ(ed->mainForm().StatusBar1->currentMessage(),
              "Map files not found: map07.pl8; blank maps stand in for them");
    EXPECT_EQ(ed->mainForm().mapbox->item(1)->text(), QString(80, 'N') + QChar(0x2026));
    EXPECT_EQ(ed->state().mapNames[1].size(), 5000u);
}

TEST_F(StartupTest, TheProgramDirectorysNamesTxtComesBeforeTheInstalledOne) {
    writeFile(installed / "names.txt", "[Prefixes]\nInst\n[Suffixes]\nford\n");
    EXPECT_EQ(app::namesFilePath({home, installed, {}}), installed / "names.txt");
    writeFile(home / "names.txt", "[Prefixes]\nHome\n[Suffixes]\nford\n");
    EXPECT_EQ(app::namesFilePath({home, installed, {}}), home / "names.txt");
    writeGame();
    start(game.string());
    EXPECT_EQ(ed->context().names.prefixes(), std::vector<std::string>{"Home"});
}

TEST_F(StartupTest, AnInstalledProgramReadsTheWordListFromItsDataDirectory) {
    const fs::path prefix = installed / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "d7irir");
    writeFile(prefix / "share" / "d7irir" / "names.txt", "[Prefixes]\nInst\n[Suffixes]\nford\n");
    EXPECT_EQ(app::namesFilePath({home, prefix / "bin", {}}),
              prefix / "share" / "d7irir" / "names.txt");
}

TEST(AppOptions, ParsesTheOptionsAndRefusesUnknownOnes) {
    const auto opt = app::parseAppOptions(
        {"--game-dir", "/g", "--home", "/h", "--startup-time", "--quit-after-startup"});
    EXPECT_EQ(opt.gameDir, "/g");
    EXPECT_EQ(opt.home, fs::path("/h"));
    EXPECT_TRUE(opt.startupTime);
    EXPECT_TRUE(opt.quitAfterStartup);
    EXPECT_THROW(app::parseAppOptions({"--home"}), std::invalid_argument);
    EXPECT_THROW(app::parseAppOptions({"--zoom"}), std::invalid_argument);
}

}  // namespace
}  // namespace d7::test
