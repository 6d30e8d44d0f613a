#include "ui/history_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <string_view>

#include "core/edit/geometry.h"
#include "core/edit/step_names.h"
#include "core/model/history_steps.h"
#include "ui/editor.h"
#include "ui/name_text.h"
#include "ui/tools/map_tool.h"
#include "ui/windows/history_window.h"

namespace d7::ui {

namespace {

// Commands whose step is not their item's text: the items of a sub-menu
// ("With Grassland", "X+", "3") are named after the sub-menu, and a few
// items after what they do. Matched by the start of the object name.
struct PrefixName {
    const char* prefix;
    const char* name;
};
constexpr PrefixName kPrefixNames[] = {
    {"M_FillAll", step::kFillAll},
    {"M_FillBlack", step::kFillBlack},
    {"M_Shift", step::kShiftMap},
    {"M_SetNomansland", step::kLandWithoutDomain},
    {"M_GenerateFromBMP64", step::kGenerateFromBmp},
    {"M_CreateAllSubmaps", step::kCreateAllSubmaps},
    {"M_OutsideCreate", step::kOutsideFromMap},
    {"M_OutsideImport", "Import Outside Map"},
    {"M_MaskCreate", step::kMaskFromMap},
    {"M_MaskImport", "Import Minimap Domain Mask"},
    {"M_SetMinimapImage", step::kMinimapFromMask},
    {"M_SetOutlineFromOutside", step::kOutlineFromOutside},
    {"P_Fill", step::kFillSelection},
    {"P_SetDomain", step::kSetDomain},
    {"P_SetNomansland", step::kSetDomain},
    {"P_SetNoDomain", step::kSetDomain},
    {"P_SetRoad", step::kSetRoad},
    {"bt_setroad", step::kSetRoad},
    {"P_PasteArea", step::kPasteArea},
    {"P_RemoveRoads", step::kRemoveRoads},
    {"P_StartPos", step::kStartingPosition},
    {"p_StartPos", step::kStartingPosition},
    {"p_AddTrader", step::kAddTraderoute},
    {"p_RemoveTrader", step::kRemoveTraderoute},
    {"P_Order", "Switch Trader Order"},
    {"p_Order", "Switch Trader Order"},
    {"P_SetTownvalues", step::kTownSlots},
    {"P_SwitchDomainNr", step::kSwitchDomainNr},
};

// An item's caption as a step name: no accelerator, key or trailing dots.
QString captionName(QString text) {
    text = text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')).trimmed();
    while (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text.trimmed();
}

QString caption(const QObject* command) {
    if (const auto* a = qobject_cast<const QAction*>(command)) return a->text();
    if (const auto* b = qobject_cast<const QAbstractButton*>(command)) return b->text();
    return {};
}

}  // namespace

QString stepNameOf(const QObject* command) {
    const QString object = command->objectName();
    for (const PrefixName& p : kPrefixNames)
        if (object.startsWith(QLatin1String(p.prefix))) return QString::fromUtf8(p.name);
    const QString name = captionName(caption(command));
    return name.isEmpty() ? QString::fromLatin1(kUnnamedStep) : name;
}

QString toolStepName(int editType, int tileType, int tile) {
    switch (editType) {
        case kMaptilesEdit:
            return QString::fromStdString(step::placement(TileKind(tileType), tile));
        case kDomainsEdit:
            return QString::fromUtf8(step::kPaintDomain);
        case kBrushesEdit:
            return QString::fromUtf8(step::kBrush);
        case kPasteEdit:
            return QString::fromUtf8(step::kPasteSpecial);
        case kRoadEdit:
            return QString::fromUtf8(step::kSetRoad);
        default:
            return QString::fromLatin1(kUnnamedStep);
    }
}

EditHistoryUi::EditHistoryUi(Editor& ed) : ed_(ed) {
    window_ = new Thistoryform(ed.state(), &ed.mainForm());
    buildMenu();
    for (QWidget* w : std::initializer_list<QWidget*>{
             &ed.mainForm(), &ed.mapForm(), &ed.miniForm(), &ed.tileSelectForm(), &ed.tileForm(),
             &ed.traderForm(), &ed.brushEditForm(), &ed.statForm()})
        watchCommands(w);
    for (QWidget* w : std::initializer_list<QWidget*>{&ed.mapForm(), &ed.miniForm(),
                                                      &ed.tileSelectForm(), window_})
        addKeys(w);

    MapEditing& editing = ed.editing();
    connect(&editing, &MapEditing::stepFinished, this, [this] {
        const ViewState& v = ed_.state().view;
        record(toolStepName(v.editType, v.tileType, v.selectedTile));
    });
    connect(&editing, &MapEditing::undoRequested, this, &EditHistoryUi::undo);
    connect(&ed.mainForm(), &Tmainform::mapRefreshed, this, &EditHistoryUi::refresh);
    connect(&ed.mapForm(), &Tmapform::cellHovered, this,
            [this](int x, int y) { hovered_ = QPoint(x, y); });
    connect(window_, &Thistoryform::positionChosen, this, &EditHistoryUi::goTo);

    later_.setSingleShot(true);
    later_.setInterval(0);
    connect(&later_, &QTimer::timeout, this, [this] {
        // Not while a question or a menu is open: the command is not over.
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
        record(pending_.isEmpty() ? QString::fromLatin1(kUnnamedStep) : pending_);
        pending_.clear();
    });
    qApp->installEventFilter(this);
    refresh();
}

EditHistoryUi::~EditHistoryUi() {
    qApp->removeEventFilter(this);
}

void EditHistoryUi::buildMenu() {
    QMenuBar* bar = ed_.mainForm().menuBar();
    auto* m = new QMenu(QStringLiteral("Edit"), bar);
    m->setObjectName(QStringLiteral("M_Edit"));
    m->menuAction()->setObjectName(QStringLiteral("M_Edit"));
    // Between "File" and the menu after it.
    const QList<QAction*> top = bar->actions();
    bar->insertMenu(top.size() > 1 ? top[1] : nullptr, m);
    ed_.mainForm().mainMenu().renewAltLetters();
    undo_ = m->addAction(QStringLiteral("Undo"));
    undo_->setObjectName(QStringLiteral("M_Undo"));
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = m->addAction(QStringLiteral("Redo"));
    redo_->setObjectName(QStringLiteral("M_Redo"));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m->addSeparator();
    history_ = m->addAction(QStringLiteral("History"));
    history_->setObjectName(QStringLiteral("M_History"));
    history_->setCheckable(true);
    history_->setStatusTip(QStringLiteral("Shows the steps of the current map"));
    connect(undo_, &QAction::triggered, this, &EditHistoryUi::undo);
    connect(redo_, &QAction::triggered, this, &EditHistoryUi::redo);
    connect(history_, &QAction::toggled, window_, &QWidget::setVisible);
    connect(window_, &Thistoryform::shownChanged, history_, &QAction::setChecked);
    // "View" shows every closable window again by its name, this one too.
    if (QMenu* view = ed_.mainForm().mainMenu().menu(QStringLiteral("M_View"))) {
        QAction* show = view->addAction(QStringLiteral("History"));
        show->setObjectName(QStringLiteral("M_ShowHistory"));
        connect(show, &QAction::triggered, history_, [this] { history_->setChecked(true); });
    }
}

void EditHistoryUi::addKeys(QWidget* window) {
    auto* undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), window);
    connect(undoKey, &QShortcut::activated, this, &EditHistoryUi::undo);
    for (const QKeySequence& keys : redo_->shortcuts()) {
        auto* redoKey = new QShortcut(keys, window);
        connect(redoKey, &QShortcut::activated, this, &EditHistoryUi::redo);
    }
}

void EditHistoryUi::watchCommands(QWidget* window) {
    for (QAction* a : window->findChildren<QAction*>()) {
        if (a == undo_ || a == redo_ || a == history_ || a->menu() || a->isSeparator()) continue;
        connect(a, &QAction::triggered, this, [this, a] { commandEnded(stepNameOf(a)); });
    }
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        connect(b, &QAbstractButton::clicked, this, [this, b] { commandEnded(stepNameOf(b)); });
}

void EditHistoryUi::commandEnded(const QString& name) {
    record(name);
    // A handler connected after this one changes the map later.
    pending_ = name;
    recordLater();
}

void EditHistoryUi::recordLater() {
    later_.start();
}

bool EditHistoryUi::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonRelease && type != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    if (pending_.isEmpty()) {
        const QWidget* window = widget->window();
        const ViewState& v = ed_.state().view;
        if (window == &ed_.mapForm())
            pending_ = toolStepName(v.editType, v.tileType, v.selectedTile);
        else if (window != &ed_.mainForm() && !window->windowTitle().isEmpty())
            pending_ = window->windowTitle();
    }
    recordLater();
    return false;
}

void EditHistoryUi::record(const QString& name) {
    recordStep(ed_.state(), name.toStdString());
    refresh();
}

std::vector<std::string> EditHistoryUi::shownNames() const {
    const EditorState& st = ed_.state();
    std::vector<std::string> names = st.curDomainNames;
    if (std::size_t(st.curMap) < st.mapNames.size())
        names.push_back(st.mapNames[std::size_t(st.curMap)]);
    return names;
}

void EditHistoryUi::undo() {
    const std::vector<std::string> names = shownNames();
    moved(undoStep(ed_.state()), names);
}

void EditHistoryUi::redo() {
    const std::vector<std::string> names = shownNames();
    moved(redoStep(ed_.state()), names);
}

void EditHistoryUi::goTo(int position) {
    if (position < 0) return;
    const std::vector<std::string> names = shownNames();
    moved(goToStep(ed_.state(), std::size_t(position)), names);
}

void EditHistoryUi::moved(bool done, const std::vector<std::string>& namesBefore) {
    if (done) {
        // As after the edit: the changed cells drawn again (the whole
        // picture after large steps), the minimap, the lists and the
        // status bar.
        EditorState& st = ed_.state();
        Tmainform& main = ed_.mainForm();
        ed_.repaintViews();
        if (shownNames() != namesBefore) {
            main.rebuildDomainList(main.ctybox->currentRow());
            if (QListWidgetItem* item = main.mapbox->item(st.curMap))
                item->setText(textFromName(st.mapNames[std::size_t(st.curMap)]));
        }
        if (inMap(hovered_.x(), hovered_.y())) main.showCellInfo(hovered_.x(), hovered_.y());
    }
    refresh();
}

void EditHistoryUi::refresh() {
    const EditorState& st = ed_.state();
    const std::string_view undoName = undoStepName(st);
    const std::string_view redoName = redoStepName(st);
    undo_->setEnabled(!undoName.empty());
    undo_->setText(undoName.empty() ? QStringLiteral("Undo")
                                    : QStringLiteral("Undo ") + QString::fromUtf8(undoName));
    redo_->setEnabled(!redoName.empty());
    redo_->setText(redoName.empty() ? QStringLiteral("Redo")
                                    : QStringLiteral("Redo ") + QString::fromUtf8(redoName));
    window_->refresh();
}

}  // namespace d7::ui
