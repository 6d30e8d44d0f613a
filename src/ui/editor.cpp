#include "ui/editor.h"

#include <chrono>
#include <initializer_list>
#include <iostream>

#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/tiles/graphics_commands.h"
#include "ui/accessibility.h"
#include "ui/commands/compare_command.h"
#include "ui/commands/menu_commands.h"
#include "ui/commands/report_commands.h"
#include "ui/history_ui.h"
#include "ui/recovery_ui.h"
#include "ui/windows/auxiliary_views.h"
#include "ui/windows/window_placement.h"

namespace d7::ui {

namespace {

constexpr int kNoticeMilliseconds = 30000;

// The commands that work on a loaded map set.
const char* const kMapSetCommands[] = {
    "M_SaveSingleMap", "M_SaveSnapshot", "M_LoadLastSnapshot",
    "M_LoadSingleMap", "M_Save",         "M_SaveMapset",
    "M_ResetMap",      "M_SaveBMP",      "M_RecreateExtstream",
    "M_RefillExt64",   "M_SetHeader",    "M_NameLength",
    "M_CompareMapset",
};

}  // namespace

Editor::Editor(Prompt& prompt, FileDialogs& dialogs, std::filesystem::path programDir)
    : st_(makeEditorState()),
      renderer_(*st_),
      ctx_{*st_, renderer_, prompt, dialogs, std::move(programDir), {}} {
    st_->sink = &renderer_;
    st_->rng.reseed(std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));

    installAccessibleRoles();
    mainform_ = std::make_unique<Tmainform>(ctx_);
    tileform_ = std::make_unique<Ttileform>(ctx_);
    minform_ = std::make_unique<Tminform>(ctx_);
    mapform_ = std::make_unique<Tmapform>(ctx_);
    statform_ = std::make_unique<Tstatform>(mainform_.get());
    tileselectform_ = std::make_unique<Ttileselectform>(ctx_);
    nchform_ = std::make_unique<Tnchform>(ctx_.names, st_->rng, prompt, mainform_.get());
    breditform_ = std::make_unique<Tbreditform>();
    tvform_ = std::make_unique<Ttvform>(mainform_.get());
    traderform_ = std::make_unique<Ttraderform>(ctx_);
    domselectform_ = std::make_unique<Tdomselectform>(*st_, mainform_.get());
    aboutform_ = std::make_unique<Taboutform>(mainform_.get());
    auxViews_ = std::make_unique<AuxiliaryViews>(ctx_);
    mainform_->attachWindows(mapform_.get(), minform_.get(), nchform_.get());
    editing_ = std::make_unique<MapEditing>(
        ctx_, EditingWindows{*mainform_, *mapform_, *minform_, *tileselectform_, *tileform_});

    minform_->setScrollTarget([this](int x, int y) { mapform_->scrollTo(x, y); });
    minform_->setKeyTarget([this](int key) { mainform_->forwardKey(key); });
    QObject::connect(mapform_.get(), &Tmapform::cellHovered, mainform_.get(),
                     &Tmainform::showCellInfo);
    QObject::connect(mapform_.get(), &Tmapform::viewChanged, minform_.get(),
                     [this] { minform_->setViewOutline(mapform_->viewOutline()); });
    minform_->setViewOutline(mapform_->viewOutline());
    renderer_.setRepaintRequest([this] { repaintViews(); });
    // The shrunk pictures of the small sizes are made a few chunks at a time,
    // so that no step keeps the interface waiting.
    idleWork_.setSingleShot(true);
    idleWork_.setInterval(0);
    QObject::connect(&idleWork_, &QTimer::timeout, &idleWork_, [this] {
        if (renderer_.makeShrunkInIdle(render::MapRenderer::kShrunkChunksPerIdleStep))
            idleWork_.start();
    });
    renderer_.setIdleWorkRequest([this] {
        if (!idleWork_.isActive()) idleWork_.start();
    });
    // The map window stays until the editor ends.
    QObject::connect(mainform_.get(), &Tmainform::closed, mapform_.get(), &Tmapform::allowClosing);
    // A report is about the map it was made for.
    QObject::connect(mainform_.get(), &Tmainform::mapRefreshed, statform_.get(), &QWidget::close);

    connectFileCommands(*this);
    connectViewCommands(*this);
    connectTestCommands(*this);
    connectMapHelperCommands(*this);
    connectExtrasCommands(*this);
    connectReportCommands(*this);
    connectCompareCommand(*this);
    connectPathfindingViews(*this);
    connectTileCommands(*this);
    connectTraderCommands(*this);
    connectWindowCommands(*this);
    // Last: it records the step of each command after the command's handlers.
    history_ = std::make_unique<EditHistoryUi>(*this);
    recovery_ = std::make_unique<EditorRecovery>(*this);
    updateCommandStates();
}

Editor::~Editor() {
    // The windows go before the state they show.
    recovery_.reset();
    history_.reset();
    renderer_.setRepaintRequest({});
    renderer_.setIdleWorkRequest({});
    idleWork_.stop();
    st_->sink = nullptr;
    editing_.reset();
    auxViews_.reset();
    aboutform_.reset();
    breditform_.reset();
    domselectform_.reset();
    traderform_.reset();
    tvform_.reset();
    nchform_.reset();
    statform_.reset();
    tileselectform_.reset();
    mapform_.reset();
    minform_.reset();
    tileform_.reset();
    mainform_.reset();
}

void Editor::repaintViews() {
    if (editing_) editing_->pictureRedrawn();
    mapform_->repaintMap();
    if (traderform_->isVisible()) traderform_->redrawPicture();
    minform_->refresh();
    mainform_->repaintDomainList();
}

void Editor::showLoadedMapSet() {
    // Blank maps standing in for missing files would look like real ones.
    if (const auto notice = missingMapFilesNotice(*st_)) {
        mainform_->StatusBar1->showMessage(QString::fromStdString(*notice), kNoticeMilliseconds);
        std::cerr << "d7irir: " << *notice << "\n";
    }
    mainform_->fillMapList();
    if (st_->mapLoaded) mainform_->selectMapAndRefresh(0);
    mainform_->rebuildDomainList(0);
    updateCommandStates();
}

void Editor::updateCommandStates() {
    for (const char* name : kMapSetCommands)
        if (QAction* a = mainform_->mainMenu().action(QString::fromLatin1(name)))
            a->setEnabled(st_->mapLoaded);
    for (const char* name : mapHelperCommandNames())
        mainform_->mainMenu().action(QString::fromLatin1(name))->setEnabled(st_->mapLoaded);
    updateExtrasCommandStates(*this);
    enableReportCommands(*this, st_->mapLoaded);
}

void Editor::prepareTileTools() {
    tileselectform_->buildPalettes(st_->view.tileScale);
    setBrush(BrushMask::centre());
    mapform_->brushimage()->hide();
    mainform_->rd_editor->setItemIndex(tiles::kBasePalette);
    selectTile(tiles::kBasePalette, 0);
    tileselectform_->show();
}

void Editor::graphicsChanged() {
    Ttileselectform& selector = *tileselectform_;
    selector.buildPalettes(st_->view.tileScale);
    selector.showPalette(selector.paletteType());
    if (st_->view.editType == kMaptilesEdit) selector.select(selector.selectedIndex());
    tileform_->graphicsChanged();
    mainform_->selbrushicon->update();
}

void Editor::setBrush(const BrushMask& mask) {
    st_->view.brush = mask;
    mainform_->selbrushicon->update();
    mapform_->setBrushPreview(mask, st_->view.zoom);
}

void Editor::selectTile(int type, int index) {
    tileselectform_->showPalette(type);
    tileselectform_->select(index);
}

void Editor::placeWindows(const QRect& available) {
    // Decorations as the window manager draws them around the main window
    // (none without a window manager); the other windows get the same.
    const QSize frame = mainform_->frameGeometry().size() - mainform_->size();
    WindowSizes sizes{mainform_->size() + frame,
                      QSize(Tmapform::kClientWidth, Tmapform::kClientHeight) + frame,
                      minform_->size() + frame, tileselectform_->size() + frame};
    const WindowPlacement p = placeEditorWindows(available, sizes);
    mainform_->move(p.main.topLeft());
    mapform_->move(p.map.topLeft());
    mapform_->resize(p.map.size() - frame);
    minform_->move(p.minimap.topLeft());
    tileselectform_->move(p.tiles.topLeft());
    tileselectform_->resize(p.tiles.size() - frame);
    // The windows opened later go beside the map window, not over it.
    for (QWidget* w : std::initializer_list<QWidget*>{statform_.get(), traderform_.get(),
                                                      tileform_.get(), breditform_.get()})
        w->move(placeBeside(available, p, w->size() + frame));
}

std::vector<QWidget*> Editor::layoutWindows() {
    return {mainform_.get(),       mapform_.get(),       minform_.get(),
            tileselectform_.get(), tileform_.get(),      breditform_.get(),
            statform_.get(),       traderform_.get(),    &auxViews_->palform,
            &auxViews_->viewform,  &auxViews_->vertform, &auxViews_->vpaintform};
}

}  // namespace d7::ui
