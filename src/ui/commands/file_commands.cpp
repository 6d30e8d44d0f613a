// The "File" menu.
#include <QAction>
#include <QStringList>

#include "core/model/bmp_file.h"
#include "core/model/day_serial.h"
#include "core/model/map_reset.h"
#include "core/model/map_set_io.h"
#include "core/model/single_map_file.h"
#include "core/model/snapshots.h"
#include "core/tiles/graphics_commands.h"
#include "ui/commands/command_guard.h"
#include "ui/commands/menu_commands.h"
#include "ui/editor.h"
#include "ui/name_text.h"
#include "ui/recovery_ui.h"

namespace d7::ui {

namespace {

constexpr const char* kPaletteFilter = "Palette|*.256";
constexpr const char* kPaletteExtension = "256";
constexpr const char* kBitmapFilter = "Bitmap|*.bmp";
constexpr const char* kBitmapExtension = "bmp";
constexpr const char* kUnsavedCaption = "D7Irir";
constexpr const char* kUnsavedQuestion =
    "The map set has unsaved changes. Save them before closing?";

constexpr const char* kSaveCaption = "Save Mapset";
constexpr int kSavedMessageMs = 10000;

}  // namespace

QString savedMessage(const std::string& dir, const std::vector<std::string>& files) {
    QStringList names;
    for (const std::string& f : files) names << QString::fromStdString(f);
    return QStringLiteral("Saved %1 %2 into %3: %4")
        .arg(files.size())
        .arg(files.size() == 1 ? QStringLiteral("file") : QStringLiteral("files"))
        .arg(QString::fromStdString(dir), names.join(QStringLiteral(", ")));
}

QString overlayQuestion(const std::string& dir) {
    return QStringLiteral(
               "%1 holds no map store of its own. Only the changed files will be written "
               "into it; the rest of the map set is read from the game directory when "
               "\"Load Mapset..\" loads it.\n\nWrite all files of the map set instead?")
        .arg(QString::fromStdString(dir));
}

namespace {

// The current map was replaced as a whole (its names too): select it again
// and show it.
void reselectCurrentMap(Editor& ed) {
    EditorState& st = ed.state();
    Tmainform& main = ed.mainForm();
    if (QListWidgetItem* item = main.mapbox->item(st.curMap);
        item && std::size_t(st.curMap) < st.mapNames.size())
        item->setText(shownName(st.mapNames[std::size_t(st.curMap)]));
    main.selectMapAndRefresh(st.curMap);
}

void M_LoadSingleMapClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded || !confirmOverwriteMap(ctx.prompt)) return;
    const auto path = ctx.dialogs.openFile(kSingleMapFilter, kSingleMapExtension);
    if (!path) return;
    runCommand(ctx.prompt, [&] {
        loadSingleMap(ctx.st, *path);
        reselectCurrentMap(ed);
    });
}

void M_SaveSingleMapClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    const auto path = ctx.dialogs.saveFile(kSingleMapFilter, kSingleMapExtension);
    if (!path) return;
    runCommand(ctx.prompt, [&] { saveSingleMap(ctx.st, *path); });
}

void M_SaveSnapshotClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    runCommand(ctx.prompt,
               [&] { saveSnapshot(ctx.st, ctx.prompt, ctx.programDir, localDateTimeNow()); });
}

void M_LoadLastSnapshotClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    runCommand(ctx.prompt, [&] {
        if (loadLastSnapshot(ctx.st, ctx.prompt, ctx.programDir)) reselectCurrentMap(ed);
    });
}

void M_LoadMapsetClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (const auto dir = ctx.dialogs.chooseDirectory("Load Mapset")) {
        ed.recovery().beforeLoad();
        runCommand(ctx.prompt, [&] {
            loadMapSet(ctx.st, dir->string());
            ed.showLoadedMapSet();
        });
    }
    ed.mapForm().show();
}

// Writes the map set into dir and says in the status bar what was written.
// A directory without a map store of its own gets only the changed files
// unless the user asks for every file. Returns whether the map set was written.
bool saveInto(Editor& ed, const std::filesystem::path& dir) {
    EditorContext& ctx = ed.context();
    EditorState& st = ctx.st;
    const std::string target = dir.string();
    // The change flags describe the set against the game directory; a save
    // of every file leaves them so.
    const auto changed = st.extChanged;
    const bool namesChanged = st.namesChanged;
    if (!holdsMapStore(target) &&
        ctx.prompt.askYesNo(kSaveCaption, overlayQuestion(target).toStdString()))
        markEveryFileForSaving(st);
    std::vector<std::string> written;
    const bool saved = runCommand(ctx.prompt, [&] { written = saveMapSet(st, target); });
    st.extChanged = changed;
    st.namesChanged = namesChanged;
    if (saved)
        ed.mainForm().StatusBar1->showMessage(savedMessage(target, written), kSavedMessageMs);
    return saved;
}

// "Save": back into the directory the map set came from, without a dialog.
bool M_SaveClick(Editor& ed) {
    const EditorState& st = ed.state();
    if (!st.mapLoaded || st.mapSetDir.empty()) return false;
    return saveInto(ed, st.mapSetDir);
}

bool M_SaveMapsetClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return false;
    const auto dir = ctx.dialogs.chooseDirectoryIn("Save Mapset", ctx.st.mapSetDir);
    if (!dir) return false;
    return saveInto(ed, *dir);
}

// Closing the main window ends the program: edits that were never saved
// would be lost without a word, so the user decides first.
bool mayClose(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (!hasUnsavedChanges(ctx.st)) return true;
    switch (ctx.prompt.askYesNoCancel(kUnsavedCaption, kUnsavedQuestion)) {
        case Choice::Yes:
            return M_SaveMapsetClick(ed);
        case Choice::No:
            // Thrown away on purpose: nothing is offered back at the next start.
            ed.recovery().discard();
            return true;
        case Choice::Cancel:
            break;
    }
    return false;
}

void M_ResetMapClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    runCommand(ctx.prompt, [&] {
        if (resetCurrentMap(ctx.st, ctx.prompt)) reselectCurrentMap(ed);
    });
}

void M_LoadPaletteClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    const auto path = ctx.dialogs.openFile(kPaletteFilter, kPaletteExtension);
    if (!path) return;
    // The tile palettes are pictures in the palette's colours too.
    if (runCommand(ctx.prompt, [&] { tiles::loadPaletteFile(ctx.st, *path); }))
        ed.graphicsChanged();
}

void M_SaveBMPClick(Editor& ed) {
    EditorContext& ctx = ed.context();
    const auto path = ctx.dialogs.saveFile(kBitmapFilter, kBitmapExtension);
    if (!path) return;
    render::MapRenderer& picture = ctx.renderer;
    runCommand(ctx.prompt,
               [&] { writeBmp32(*path, picture.width(), picture.height(), picture.pixels()); });
}

}  // namespace

void connectFileCommands(Editor& ed) {
    MainMenu& menu = ed.mainForm().mainMenu();
    const std::pair<const char*, void (*)(Editor&)> commands[] = {
        {"M_LoadSingleMap", M_LoadSingleMapClick},
        {"M_SaveSingleMap", M_SaveSingleMapClick},
        {"M_SaveSnapshot", M_SaveSnapshotClick},
        {"M_LoadLastSnapshot", M_LoadLastSnapshotClick},
        {"M_LoadMapset", M_LoadMapsetClick},
        {"M_Save", [](Editor& e) { M_SaveClick(e); }},
        {"M_SaveMapset", [](Editor& e) { M_SaveMapsetClick(e); }},
        {"M_ResetMap", M_ResetMapClick},
        {"M_LoadPalette", M_LoadPaletteClick},
        {"M_SaveBMP", M_SaveBMPClick},
    };
    for (const auto& [name, handler] : commands)
        QObject::connect(menu.action(QString::fromLatin1(name)), &QAction::triggered,
                         &ed.mainForm(), [&ed, handler = handler] { handler(ed); });
    // Ctrl+S saves from whichever of the editor's windows is active.
    menu.action(QStringLiteral("M_Save"))->setShortcutContext(Qt::ApplicationShortcut);
    ed.mainForm().setCloseGuard([&ed] { return mayClose(ed); });
}

}  // namespace d7::ui
