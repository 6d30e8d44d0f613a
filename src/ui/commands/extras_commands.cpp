// The commands of the auxiliary planes: deriving them from the map,
// exchanging them with bitmaps, painting the outside map, building a map
// from a painted bitmap, and the test pictures and views.
#include <QAction>
#include <functional>

#include "core/edit/bitmap_generators.h"
#include "core/model/auxiliary_planes.h"
#include "core/model/bmp_file.h"
#include "core/model/map_access.h"
#include "core/model/plane_bitmaps.h"
#include "core/tiles/test_pictures.h"
#include "render/bitmap_reading.h"
#include "ui/commands/command_guard.h"
#include "ui/editor.h"
#include "ui/windows/auxiliary_views.h"

namespace d7::ui {

namespace {

constexpr const char* kBitmapFilter = "Bitmap|*.bmp";
constexpr const char* kBitmapExtension = "bmp";

// Commands that need no map.
const char* const kAlwaysEnabled[] = {"Palette1", "ExportDomainmap64Palette1"};
// Commands of the current map.
const char* const kMapCommands[] = {"M_CreateAllSubmaps",
                                    "M_OutsideCreate",
                                    "M_OutsideExport",
                                    "M_OutsideImport",
                                    "M_Paintonoutside",
                                    "M_SetOutlineFromOutside",
                                    "M_MaskCreate",
                                    "M_MaskExport",
                                    "M_MaskImport",
                                    "M_SetMinimapImage",
                                    "M_ViewMMDomainMask",
                                    "M_ViewMMImage",
                                    "M_GenerateFromBMP64",
                                    "M_GenerateFromBitmap",
                                    "M_GenerateFromBitmap128",
                                    "M_CreateTestmap",
                                    "M_CreateVertmap",
                                    "M_CreateVDommap",
                                    "Vertmap1",
                                    "Dommap1",
                                    "Edgemap1",
                                    "ViewDommap1",
                                    "viewEdgemap1",
                                    "ViewDom641"};

// Commands that save a picture of the current map where the user says. The
// picture is built before the dialog asks (the 3712 x 1920 ones take a moment).
using PictureOf = tiles::PixelGrid (*)(const EditorState&);
const std::pair<const char*, PictureOf> kPictureSaves[] = {
    {"M_OutsideExport",
     [](const EditorState& st) { return exportPlanePicture(st, PicturePlane::OutsideMap); }},
    {"M_MaskExport",
     [](const EditorState& st) { return exportPlanePicture(st, PicturePlane::DomainMask); }},
    {"M_CreateTestmap", tiles::testMapPicture},
    {"M_CreateVertmap", tiles::vertMapPicture},
    {"M_CreateVDommap", tiles::vDomMapPicture},
};

QAction* action(Editor& ed, const char* name) {
    return ed.mainForm().mainMenu().action(QString::fromLatin1(name));
}

// Runs a command of the current map; a file error ends it with one message.
void onMap(Editor& ed, const std::function<void(EditorContext&)>& command) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    runCommand(ctx.prompt, [&] { command(ctx); });
}

// The planes the viewer and the painter show changed.
void planesChanged(Editor& ed) {
    ed.auxViews().viewform.reloadIfVisible();
    ed.auxViews().vpaintform.paintBox()->update();
}

void savePicture(EditorContext& ctx, const tiles::PixelGrid& picture) {
    if (const auto path = ctx.dialogs.saveFile(kBitmapFilter, kBitmapExtension))
        writeBmp32(*path, picture.width, picture.height, picture.pixels);
}

// Asks for a bitmap and reads it; nothing when the user cancels. A bitmap
// that cannot be read throws before anything has changed.
std::optional<tiles::PixelGrid> openPicture(EditorContext& ctx) {
    const auto path = ctx.dialogs.openFile(kBitmapFilter, kBitmapExtension);
    if (!path) return std::nullopt;
    return render::readBitmapFile(*path);
}

void M_OutsideImportClick(Editor& ed) {
    onMap(ed, [&](EditorContext& ctx) {
        if (!ctx.prompt.askYesNo(kImportCaption, kImportOutsideQuestion)) return;
        if (const auto picture = openPicture(ctx)) importOutsideMap(ctx.st, ctx.prompt, *picture);
        planesChanged(ed);
    });
}

void M_MaskImportClick(Editor& ed) {
    onMap(ed, [&](EditorContext& ctx) {
        if (!ctx.prompt.askYesNo(kMinimapCaption, kOverwriteMaskQuestion)) return;
        if (const auto picture = openPicture(ctx)) importDomainMask(ctx.st, ctx.prompt, *picture);
        planesChanged(ed);
    });
}

// An operation on the current map behind its Yes/No question.
void asked(Editor& ed, const char* caption, const char* question, void (*operation)(EditorState&)) {
    onMap(ed, [&](EditorContext& ctx) {
        if (!ctx.prompt.askYesNo(caption, question)) return;
        operation(ctx.st);
        planesChanged(ed);
    });
}

void plain(Editor& ed, void (*operation)(EditorState&)) {
    onMap(ed, [&](EditorContext& ctx) {
        operation(ctx.st);
        planesChanged(ed);
    });
}

void M_GenerateFromBMP64Click(Editor& ed) {
    onMap(ed, [&](EditorContext& ctx) {
        generateFromBmp64(ctx.st, [&ctx] { return openPicture(ctx); });
    });
}

void M_GenerateFromBitmap128Click(Editor& ed) {
    onMap(ed, [&](EditorContext& ctx) {
        if (const auto picture = openPicture(ctx)) generateFromBitmap128(ctx.st, *picture);
    });
}

// Reads the bitmap and marks the map file changed, nothing more: kept as it
// has always been, a hidden command without a use of its own.
void M_GenerateFromBitmapClick(Editor& ed) {
    onMap(ed, [&](EditorContext& ctx) {
        if (!openPicture(ctx)) return;
        markMapFileChanged(ctx.st, fileOfMap(ctx.st.curMap));
        ed.repaintViews();
    });
}

void viewPlane(Editor& ed, ViewPlane plane, bool minimapView) {
    onMap(ed, [&](EditorContext&) {
        Tviewform& view = ed.auxViews().viewform;
        view.loadPlane(plane);
        if (minimapView) {
            view.setFactor(2);
            view.show();
        } else {
            view.exec();
        }
    });
}

void showTestPicture(Editor& ed, TestPicture kind) {
    onMap(ed, [&](EditorContext&) { ed.auxViews().vertform.showPicture(kind); });
}

}  // namespace

void connectExtrasCommands(Editor& ed) {
    auto on = [&ed](const char* name, std::function<void()> handler) {
        QObject::connect(action(ed, name), &QAction::triggered, &ed.mainForm(),
                         [handler = std::move(handler)] { handler(); });
    };
    AuxiliaryViews& views = ed.auxViews();
    on("Palette1", [&views] { views.palform.showPalette(); });
    on("M_CreateAllSubmaps", [&ed] { plain(ed, createAllSubmaps); });
    on("M_OutsideCreate",
       [&ed] { asked(ed, kOutsideMapCaption, kCreateOutsideQuestion, createOutsideMapFromMap); });
    on("M_OutsideImport", [&ed] { M_OutsideImportClick(ed); });
    on("M_Paintonoutside",
       [&ed, &views] { onMap(ed, [&](EditorContext&) { views.vpaintform.show(); }); });
    on("M_SetOutlineFromOutside", [&ed] { plain(ed, setOutlineFromOutsideMap); });
    on("M_MaskCreate",
       [&ed] { asked(ed, kMinimapCaption, kOverwriteMaskQuestion, createDomainMaskFromMap); });
    on("M_MaskImport", [&ed] { M_MaskImportClick(ed); });
    on("M_SetMinimapImage", [&ed] { plain(ed, setMinimapImageFromMask); });
    on("M_ViewMMDomainMask", [&ed] { viewPlane(ed, ViewPlane::DomainMask, true); });
    on("M_ViewMMImage", [&ed] { viewPlane(ed, ViewPlane::MinimapImage, true); });

    on("ExportDomainmap64Palette1", [&ed] {
        EditorContext& ctx = ed.context();
        runCommand(ctx.prompt, [&] { savePicture(ctx, tiles::domainPalettePicture()); });
    });
    on("M_GenerateFromBMP64", [&ed] { M_GenerateFromBMP64Click(ed); });
    on("M_GenerateFromBitmap", [&ed] { M_GenerateFromBitmapClick(ed); });
    on("M_GenerateFromBitmap128", [&ed] { M_GenerateFromBitmap128Click(ed); });

    for (const auto& [name, build] : kPictureSaves)
        on(name, [&ed, build = build] {
            onMap(ed, [&](EditorContext& ctx) { savePicture(ctx, build(ctx.st)); });
        });
    on("Vertmap1", [&ed] { showTestPicture(ed, TestPicture::Vertex); });
    on("Dommap1", [&ed] { showTestPicture(ed, TestPicture::Domain); });
    on("Edgemap1", [&ed] { showTestPicture(ed, TestPicture::Edge); });
    on("ViewDommap1", [&ed] { viewPlane(ed, ViewPlane::DomainMask, false); });
    on("viewEdgemap1", [&ed] { viewPlane(ed, ViewPlane::MinimapImage, false); });
    on("ViewDom641", [&ed] { viewPlane(ed, ViewPlane::DomainCopy, false); });
}

void updateExtrasCommandStates(Editor& ed) {
    for (const char* name : kAlwaysEnabled) action(ed, name)->setEnabled(true);
    for (const char* name : kMapCommands) action(ed, name)->setEnabled(ed.state().mapLoaded);
}

}  // namespace d7::ui
