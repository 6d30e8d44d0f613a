#include "app/startup.h"

#include "app/ini_file.h"
#include "core/model/file_io.h"
#include "core/model/game_paths.h"
#include "core/model/map_set_io.h"
#include "core/model/program_dir.h"
#include "core/model/read_limits.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/graphics_loading.h"
#include "ui/commands/command_guard.h"
#include "ui/windows/auxiliary_views.h"

namespace d7::app {

namespace {

constexpr int kSpring = 0;

std::filesystem::path iniPath(const StartupSettings& settings) {
    return pathForWriting(settings.programDir, kIniFileName);
}

void loadNames(ui::Editor& ed, const StartupSettings& settings) {
    const std::filesystem::path path = namesFilePath(settings);
    if (!isExistingFile(path)) return;  // no word list: no random names
    ui::runCommand(ed.context().prompt, [&] {
        const Bytes bytes = readWholeFile(path, kWordListReadLimit);
        ed.context().names.load(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    });
}

// Asks for the game directory; on a good answer remembers it in the
// configuration. Returns false when the program has to end.
bool askForGameDirectory(ui::Editor& ed, IniFile& ini, const StartupSettings& settings) {
    EditorState& st = ed.state();
    Prompt& prompt = ed.context().prompt;
    prompt.inform(kGameDirCaption, kNoGameDirMessage);
    const auto dir = ed.context().dialogs.chooseDirectory("Select the Thornvale2 directory");
    if (!dir) return false;
    if (!findCaseInsensitive(*dir, kMapStoreName)) {
        prompt.inform(kGameDirCaption, kNotGameDirMessage);
        return false;
    }
    st.gameDir = dir->string();
    st.pl8Dir = defaultPl8Dir(st.gameDir);
    ini.setValue("Path", "kvarpath", st.gameDir);
    ini.setValue("Path", "pl8", st.pl8Dir);
    ini.setValue("LangFile", "textfile", st.langFile);
    // The directory is good even when it cannot be remembered.
    ui::runCommand(prompt, [&] { ini.save(iniPath(settings)); });
    return true;
}

}  // namespace

std::filesystem::path namesFilePath(const StartupSettings& settings) {
    if (auto own = findCaseInsensitive(settings.programDir, kNamesFileName);
        own && isExistingFile(*own))
        return *own;
    // Beside the program in a build tree or a folder of its own; an installed
    // program's default word list is in its data directory.
    if (const auto installed = installedDataDir(settings.executableDir); !installed.empty())
        return installed / kNamesFileName;
    return pathForWriting(settings.executableDir, kNamesFileName);
}

StartupResult runStartup(ui::Editor& ed, const StartupSettings& settings) {
    EditorState& st = ed.state();
    Prompt& prompt = ed.context().prompt;

    IniFile ini;
    ui::runCommand(prompt, [&] { ini = IniFile::load(iniPath(settings)); });
    loadNames(ed, settings);

    st.gameDir = ini.value("Path", "kvarpath");
    st.langFile = ini.value("LangFile", "textfile");
    st.pl8Dir = ini.value("Path", "pl8");
    if (settings.gameDir) {
        // The configured .pl8 directory belongs to the configured game directory.
        st.gameDir = *settings.gameDir;
        st.pl8Dir.clear();
    }
    if (st.langFile.empty()) st.langFile = kDefaultLanguageFile;
    if (const auto problem = languageFileNameProblem(st.langFile)) {
        prompt.inform(ui::kErrorCaption, iniPath(settings).string() + ": " + *problem + "; " +
                                             kDefaultLanguageFile + " is read instead");
        st.langFile = kDefaultLanguageFile;
    }

    if (st.gameDir.empty() || !isExistingDirectory(st.gameDir)) {
        if (!askForGameDirectory(ed, ini, settings)) {
            ed.mainForm().close();
            return StartupResult::Ended;
        }
    }
    if (!isExistingDirectory(st.gameDir)) return StartupResult::NoMapSet;
    if (st.pl8Dir.empty()) st.pl8Dir = defaultPl8Dir(st.gameDir);

    // Without the palette or the tilesets the map stays black, but the map
    // set can still be renamed and saved, so only the map set itself stops
    // start-up.
    ui::runCommand(prompt, [&] { tiles::loadDefaultPalette(st); });
    if (!ui::runCommand(prompt, [&] { loadMapSet(st, st.gameDir); }))
        return StartupResult::NoMapSet;
    ed.showLoadedMapSet();
    ui::runCommand(prompt, [&] { tiles::loadTilesets(st.gfx, st.pl8Dir, kSpring); });
    ed.auxViews().palform.build();

    ed.prepareTileTools();
    if (st.mapLoaded) {
        ed.renderer().redrawMap();
        ed.mapForm().repaintMap();
    }
    ed.mapForm().show();
    return StartupResult::MapShown;
}

}  // namespace d7::app
