#include "ui/editor.h"

#include <chrono>

#include "core/model/map_access.h"
#include "core/tiles/graphics_commands.h"
#include "ui/auxiliary_views.h"
#include "ui/compare_command.h"
#include "ui/menu_commands.h"
#include "ui/report_commands.h"
#include "ui/window_placement.h"

namespace d7::ui {

namespace {

// The commands that work on a loaded map set.
const char* const kMapSetCommands[] = {
    "M_SaveSingleMap", "M_SaveSnapshot", "M_LoadLastSnapshot", "M_LoadSingleMap",
    "M_SaveMapset",    "M_ResetMap",     "M_SaveBMP",          "M_RecreateExtstream",
    "M_RefillExt64",   "M_SetHeader",    "M_NameLength",       "M_CompareMapset",
};

}  // namespace

Editor::Editor(Prompt& prompt, FileDialogs& dialogs, std::filesystem::path programDir)
    : st_(makeEditorState()),
      renderer_(*st_),
      ctx_{*st_, renderer_, prompt, dialogs, std::move(programDir), {}} {
    st_->sink = &renderer_;
    st_->rng.reseed(std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()));

    mainform_ = std::make_unique<Tmainform>(ctx_);
    minform_ = std::make_unique<Tminform>(ctx_);
    mapform_ = std::make_unique<Tmapform>(ctx_);
    statform_ = std::make_unique<Tstatform>(mainform_.get());
    nchform_ = std::make_unique<Tnchform>(ctx_.names, st_->rng, prompt, mainform_.get());
    aboutform_ = std::make_unique<Taboutform>(mainform_.get());
    auxViews_ = std::make_unique<AuxiliaryViews>(ctx_);
    mainform_->attachWindows(mapform_.get(), minform_.get(), nchform_.get());

    minform_->setScrollTarget([this](int x, int y) { mapform_->scrollTo(x, y); });
    minform_->setKeyTarget([this](int key) { mainform_->forwardKey(key); });
    QObject::connect(mapform_.get(), &Tmapform::cellHovered, mainform_.get(),
                     &Tmainform::showCellInfo);
    renderer_.setRepaintRequest([this] { repaintViews(); });
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
    updateCommandStates();
}

Editor::~Editor() {
    // The windows go before the state they show.
    renderer_.setRepaintRequest({});
    st_->sink = nullptr;
    auxViews_.reset();
    aboutform_.reset();
    nchform_.reset();
    statform_.reset();
    mapform_.reset();
    minform_.reset();
    mainform_.reset();
}

void Editor::repaintViews() {
    mapform_->repaintMap();
    minform_->refresh();
    mainform_->repaintDomainList();
}

void Editor::showLoadedMapSet() {
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

void Editor::placeWindows(const QRect& available) {
    // Decorations as the window manager draws them around the main window
    // (none without a window manager); the other windows get the same.
    const QSize frame = mainform_->frameGeometry().size() - mainform_->size();
    WindowSizes sizes{mainform_->size() + frame,
                      QSize(Tmapform::kClientWidth, Tmapform::kClientHeight) + frame,
                      minform_->size() + frame};
    const WindowPlacement p = placeEditorWindows(available, sizes);
    mainform_->move(p.main.topLeft());
    mapform_->move(p.map.topLeft());
    mapform_->resize(p.map.size() - frame);
    minform_->move(p.minimap.topLeft());
    // Reports open below the main window, where they cover neither its lists
    // nor the map, when there is room for them there.
    const QPoint below(p.main.left(), p.main.bottom() + 1 + kWindowGap);
    if (below.y() + statform_->height() + frame.height() <= available.bottom())
        statform_->move(below);
}

}  // namespace d7::ui
