#include "ui/windows/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalBlocker>

#include "core/edit/geometry.h"
#include "core/model/map_access.h"
#include "core/model/map_set_maintenance.h"
#include "core/tiles/graphics_commands.h"
#include "ui/commands/switch_order_menu.h"
#include "ui/dialogs/name_dialog.h"
#include "ui/name_text.h"
#include "ui/tools/editing_controls.h"
#include "ui/tools/map_tool.h"
#include "ui/widgets/domain_list_delegate.h"
#include "ui/windows/map_window.h"
#include "ui/windows/minimap_window.h"

namespace d7::ui {

namespace {

constexpr int kStatusBarHeight = 20;
constexpr int kDomainListTag = 5;
constexpr int kMapListTag = 15;
// Scroll the map window this many cells above and left of a domain's town.
constexpr int kCentreMargin = 6;
constexpr std::size_t kMapListRows = 1000;  // far more names than any game file has

bool isMapKey(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_A:
        case Qt::Key_D:
        case Qt::Key_S:
        case Qt::Key_W:
            return true;
        default:
            return false;
    }
}

bool isArrowKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// A focused list or radio group moves within itself with the arrow keys.
bool keepsArrowKeys(const QWidget* widget) {
    return qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QRadioButton*>(widget);
}

}  // namespace

Tmainform::Tmainform(EditorContext& ctx, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      ctx_(ctx) {
    setObjectName(QStringLiteral("Tmainform"));
    setWindowTitle(QStringLiteral("D7Irir"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);

    menu_ = std::make_unique<MainMenu>(menuBar(), this);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    buildControls(client);
    buildStatusBar();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    connect(menu_->action(QStringLiteral("P_ChangeName")), &QAction::triggered, this,
            &Tmainform::changeNameClick);

    // Keyboard preview: keys typed anywhere in this window reach the map window.
    qApp->installEventFilter(this);
}

Tmainform::~Tmainform() {
    qApp->removeEventFilter(this);
}

void Tmainform::attachWindows(Tmapform* mapform, Tminform* minform, Tnchform* nchform) {
    mapform_ = mapform;
    minform_ = minform;
    nchform_ = nchform;
}

void Tmainform::buildControls(QWidget* client) {
    auto* mapLabel = new QLabel(QStringLiteral("Maplist (Kingdoms)"), client);
    mapLabel->setGeometry(6, 0, 104, 14);
    auto* domainLabel = new QLabel(QStringLiteral("Domains in Map"), client);
    domainLabel->setGeometry(120, 0, 151, 14);

    mapbox = new QListWidget(client);
    mapbox->setObjectName(QStringLiteral("mapbox"));
    mapbox->setProperty("tag", kMapListTag);
    mapbox->setGeometry(6, 14, 100, 137);
    ctybox = new QListWidget(client);
    ctybox->setObjectName(QStringLiteral("ctybox"));
    ctybox->setProperty("tag", kDomainListTag);
    ctybox->setGeometry(120, 14, 151, 137);
    // A buddy label does not name a list for assistive technology.
    mapbox->setAccessibleName(mapLabel->text());
    ctybox->setAccessibleName(domainLabel->text());
    ctybox->setItemDelegate(new DomainListDelegate(ctx_.st, true, ctybox));
    ctybox->setUniformItemSizes(true);
    for (QListWidget* list : {mapbox, ctybox}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->viewport()->installEventFilter(this);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](QPoint pos) { openListPopup(list, list->mapToGlobal(pos)); });
    }
    connect(mapbox, &QListWidget::currentRowChanged, this, &Tmainform::mapboxRowChanged);
    connect(ctybox, &QListWidget::itemClicked, this, [this] { ctyboxClick(); });
    connect(ctybox, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ctyboxDblClick(ctybox->row(item)); });

    buildEditingControls(*this, ctx_.st);
    connect(cb_smith, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.st.view.showBlacksmiths = on;
        ctx_.renderer.redrawMap();
    });
}

void Tmainform::buildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(kStatusBarHeight);
    const int widths[3] = {34, 34, 50};
    // The panels' own text is what assistive technology reads; the
    // description says what it is about.
    const char* const about[3] = {"Column of the map cell under the mouse",
                                  "Row of the map cell under the mouse",
                                  "Domain under the mouse and its buildings"};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(StatusBar1);
        panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i));
        panels_[i]->setAccessibleDescription(QString::fromLatin1(about[i]));
        panels_[i]->setMinimumWidth(widths[i]);
        if (i < 2) panels_[i]->setFixedWidth(widths[i]);
        StatusBar1->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
    StatusBar1->setProperty("tag", 0);
    // A message longer than the narrow window is read whole from its tool tip.
    connect(StatusBar1, &QStatusBar::messageChanged, StatusBar1, &QWidget::setToolTip);
}

void Tmainform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // Start-up loading runs once the window is on the screen, so that its
    // questions and messages have a window to belong to.
    QMetaObject::invokeMethod(this, &Tmainform::firstShown, Qt::QueuedConnection);
}

void Tmainform::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !nameDialogOpen_) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain =
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        // The menu bar keeps its own arrow keys (keyboard navigation of the
        // menus), and so do the lists and radio groups.
        if (widget && widget->window() == this && !qobject_cast<QMenuBar*>(widget) && plain &&
            isMapKey(key->key()) && !(isArrowKey(key->key()) && keepsArrowKeys(widget))) {
            forwardKey(key->key());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == ctybox->viewport()) {
            // The popup acts on the domain under the pointer: select it first.
            const int row = ctybox->indexAt(mouse->position().toPoint()).row();
            if (row >= 0) ctybox->setCurrentRow(row);
            return true;
        }
        if (watched == mapbox->viewport()) return true;  // selecting a map takes a left click
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tmainform::forwardKey(int key) {
    if (!mapform_) return;
    mapform_->activateWindow();
    mapform_->setFocus();
    mapform_->handleKey(key);
}

void Tmainform::fillMapList() {
    const QSignalBlocker block(mapbox);
    mapbox->clear();
    // Names past the sixty maps name no map; a damaged or hostile language
    // file may hold millions of them, of which the list shows the first ones.
    const std::size_t rows = std::min(ctx_.st.mapNames.size(), kMapListRows);
    for (std::size_t k = 0; k < rows; ++k) mapbox->addItem(shownName(ctx_.st.mapNames[k]));
    mapbox->setCurrentRow(mapbox->count() > 0 ? 0 : -1);
}

void Tmainform::syncMapListSelection() {
    const QSignalBlocker block(mapbox);
    if (ctx_.st.curMap < mapbox->count()) mapbox->setCurrentRow(ctx_.st.curMap);
}

void Tmainform::mapboxRowChanged(int row) {
    if (row < 0) return;
    if (!isMapNumber(row) || !ctx_.st.mapLoaded) {
        // Names beyond the sixty maps of the store name no map.
        syncMapListSelection();
        return;
    }
    selectMapAndRefresh(row);
}

void Tmainform::rebuildDomainList(int sel) {
    const QSignalBlocker block(ctybox);
    ctybox->clear();
    for (const std::string& name : ctx_.st.curDomainNames) ctybox->addItem(shownName(name));
    ctybox->setCurrentRow(sel < ctybox->count() ? sel : -1);
    describeDomainItems();
}

void Tmainform::describeDomainItems() {
    for (int i = 0; i < ctybox->count(); ++i)
        ctybox->item(i)->setData(Qt::AccessibleTextRole,
                                 domainRowDescription(ctx_.st, i, ctybox->item(i)->text()));
}

void Tmainform::selectMapAndRefresh(int n) {
    EditorState& st = ctx_.st;
    if (!isMapNumber(n)) return;
    selectMap(st, n);
    syncMapListSelection();
    rebuildDomainList(1);
    if (mapform_) mapform_->clearSelection();
    for (std::size_t t = 1; t < st.routeStale.size(); ++t) st.routeStale[t] = true;
    // Until the tilesets are in, the window shows black whatever the picture
    // holds, so the (large) picture is only drawn once it can show something.
    if (tiles::isReady(st)) ctx_.renderer.redrawMap();
    if (minform_) {
        minform_->show();
        minform_->refresh();
    }
    if (mapform_) mapform_->repaintMap();
    emit mapRefreshed();
}

void Tmainform::repaintDomainList() {
    describeDomainItems();
    ctybox->viewport()->update();
}

void Tmainform::showCellInfo(int x, int y) {
    const EditorState& st = ctx_.st;
    QString domainText;
    if (inMap(x, y)) {
        const int d = st.planes.M5.at(x, y);
        statusDomain_ = d;
        StatusBar1->setProperty("tag", d);
        if (d != kNoDomain && d != kLandWithoutDomain && d < kCountyRecords) {
            const Acounty& c = st.CountyTable[std::size_t(d)];
            domainText = QStringLiteral("%1: Q: %2 M: %3 L: %4 V: %5 F: %6")
                             .arg(d)
                             .arg(c.quarries)
                             .arg(c.mines)
                             .arg(c.lumbers)
                             .arg(c.villages)
                             .arg(c.fields);
        }
    }
    panels_[2]->setText(domainText);
    if (!inMap(x, y)) return;
    panels_[0]->setText(QStringLiteral("X: %1").arg(x));
    panels_[1]->setText(QStringLiteral("Y: %1").arg(y));
}

QString Tmainform::statusPanelText(int i) const {
    return i >= 0 && i < 3 ? panels_[i]->text() : QString();
}

void Tmainform::ctyboxClick() {
    if (ctx_.st.view.editType != kDomainsEdit || ctybox->currentRow() < 0 || !mapform_) return;
    mapform_->setDomainOverlay(listDomain(ctybox->currentRow()), ctx_.st.view.zoom);
}

void Tmainform::ctyboxDblClick(int row) {
    const EditorState& st = ctx_.st;
    // Item 0, the land without domain, has no town and no place of its own.
    if (row <= 0 || row >= kCountyRecords || !mapform_) return;
    const Acounty& county = st.CountyTable[std::size_t(row)];
    if (!county.used) return;
    int x = -1, y = -1;
    if (county.towns == 1) {
        x = county.townPos.x;
        y = county.townPos.y;
    } else {
        for (int cx = 0; cx < kGrid && x < 0; ++cx)
            for (int cy = 0; cy < kGrid; ++cy)
                if (st.planes.M5.at(cx, cy) == row) {
                    x = cx;
                    y = cy;
                    break;
                }
    }
    if (x < 0) return;
    mapform_->scrollTo(std::max(x - kCentreMargin, 0), std::max(y - kCentreMargin, 0));
}

void Tmainform::updatePopupItems(bool overDomainList) {
    QAction* start = menu_->action(QStringLiteral("P_StartingPosition"));
    QAction* switchDomain = menu_->action(QStringLiteral("P_SwitchDomainNr"));
    menu_->action(QStringLiteral("P_ChangeName"))->setVisible(true);
    bool oneTown = false;
    const int row = ctybox->currentRow();
    if (overDomainList && row >= 0 && row < kCountyRecords) {
        const Acounty& c = ctx_.st.CountyTable[std::size_t(row)];
        oneTown = c.used && c.towns == 1;
    }
    start->setVisible(oneTown);
    switchDomain->setVisible(oneTown && row != 0);
    if (oneTown && row != 0)
        relabelOrderItems(orderItemsOf(menu_->menu(QStringLiteral("P_SwitchTraderOrder"))), ctx_.st,
                          row);
}

void Tmainform::openListPopup(QListWidget* list, QPoint globalPos) {
    popupList_ = list;
    updatePopupItems(list == ctybox);
    menu_->listPopup()->popup(globalPos);
}

void Tmainform::changeNameClick() {
    if (!popupList_ || !nchform_ || !ctx_.st.mapLoaded) return;
    menu_->listPopup()->hide();
    EditorState& st = ctx_.st;
    nameDialogOpen_ = true;
    if (popupList_ == ctybox) {
        const int row = ctybox->currentRow();
        if (row >= 0 && row < kDomainListEntries) {
            if (auto name = nchform_->askName(kCountyNameLength, true)) {
                setDomainName(st, row, *name);
                ctybox->item(row)->setText(shownName(*name));
                repaintDomainList();
            }
        }
    } else if (auto name = nchform_->askName(kMapNameLength, false)) {
        setMapName(st, *name);
        if (QListWidgetItem* item = mapbox->item(st.curMap)) item->setText(shownName(*name));
    }
    nameDialogOpen_ = false;
}

}  // namespace d7::ui
