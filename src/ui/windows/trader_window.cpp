#include "ui/windows/trader_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "core/analysis/report_text.h"
#include "core/analysis/town_slots.h"
#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "ui/dialogs/message_prompt.h"
#include "ui/name_text.h"

namespace d7::ui {

namespace {

using render::TraderWindowMode;
using render::TraderWindowView;

constexpr int kStatusBarHeight = 20;
constexpr int kGap = 5;

struct ModeTexts {
    const char* caption;
    const char* description;
};

ModeTexts textsOf(TraderWindowMode mode) {
    switch (mode) {
        case TraderWindowMode::Routes:
            return {
                "Traderoutes",
                "A Town can be connected to three traderoutes.\n\rLeftclick: Add \n\rRightclick: "
                "Remove "};
        case TraderWindowMode::AiPreferences:
            return {"Possible AI preferences (experimental!)",
                    "At the start the AI prefers Domains where town-to-town distance is "
                    "closest.\n\r(and odd Domain numbers)."};
        case TraderWindowMode::Climate:
            break;
    }
    return {"Climate Zones",
            "Climate depends on Domain numbers and is only different in summer and winter."};
}

}  // namespace

TraderPictureBox::TraderPictureBox(Ttraderform& form, QWidget* parent)
    : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("pb_picture"));
    setAccessibleName(QStringLiteral("Map picture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(render::kTraderPictureSide, render::kTraderPictureSide);
}

void TraderPictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, form_.currentPicture());
}

void TraderPictureBox::mouseMoveEvent(QMouseEvent* event) {
    form_.pointerMoved(event->position().toPoint());
}

void TraderPictureBox::mousePressEvent(QMouseEvent* event) {
    form_.pictureClicked(event->position().toPoint(), event->button());
}

Ttraderform::Ttraderform(EditorContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("Ttraderform"));
    setWindowTitle(QStringLiteral("Traderoutes"));
    QFont font(QStringLiteral("Tahoma"));  // as the main window, so the list column fits
    font.setPointSize(8);
    setFont(font);

    auto* column = new QWidget(this);
    column->setGeometry(0, 0, kListWidth, render::kTraderPictureSide);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(4, 4, 0, 4);
    selbox = new QListWidget(column);
    selbox->setObjectName(QStringLiteral("selbox"));
    selbox->setAccessibleName(QStringLiteral("Selection"));
    layout->addWidget(selbox, 1);
    lb_desc = new QLabel(column);
    lb_desc->setObjectName(QStringLiteral("lb_desc"));
    lb_desc->setWordWrap(true);
    layout->addWidget(lb_desc);
    rd_view = new RadioGroup(QStringLiteral("rd_view"), QStringLiteral("Map"),
                             {QStringLiteral("View 1"), QStringLiteral("View 2")}, column);
    for (int i = 0; i < rd_view->count(); ++i) {
        rd_view->button(i)->setFocusPolicy(Qt::StrongFocus);
        connect(rd_view->button(i), &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) viewChosen(i);
        });
    }
    layout->addWidget(rd_view);
    cb_exclude = new QCheckBox(QStringLiteral("Exclude Startpositions"), column);
    cb_exclude->setObjectName(QStringLiteral("cb_exclude"));
    cb_exclude->hide();
    layout->addWidget(cb_exclude);
    lb_climate = new ClimateLegend(column);
    layout->addWidget(lb_climate);

    picture = new TraderPictureBox(*this, this);
    picture->move(kListWidth + kGap, 0);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, render::kTraderPictureSide,
                            kListWidth + kGap + render::kTraderPictureSide, kStatusBarHeight);
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(StatusBar1);
        panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i));
        panels_[i]->setFixedWidth(50);
        StatusBar1->addWidget(panels_[i]);
    }
    setFixedSize(kListWidth + kGap + render::kTraderPictureSide,
                 render::kTraderPictureSide + kStatusBarHeight);

    connect(selbox, &QListWidget::currentRowChanged, this, &Ttraderform::selboxRowChanged);
    // Only recomputes: the estimate takes no notice of it.
    connect(cb_exclude, &QCheckBox::clicked, this,
            [this] { selboxRowChanged(selbox->currentRow()); });
}

void Ttraderform::showMode(TraderWindowMode mode) {
    options_ = render::TraderPictureOptions{};
    options_.mode = mode;
    const ModeTexts texts = textsOf(mode);
    setWindowTitle(QString::fromLatin1(texts.caption));
    lb_desc->setText(messageText(texts.description));
    const QSignalBlocker block(selbox);
    selbox->clear();
    const EditorState& st = ctx_.st;
    switch (mode) {
        case TraderWindowMode::Routes:
            for (int t = 1; t <= kTraders; ++t) selbox->addItem(shownName(traderName(st, t)));
            break;
        case TraderWindowMode::AiPreferences:
            for (int k = 1; k <= kStartPositions; ++k) {
                const int d = st.StartDomains[std::size_t(k)];
                if (d <= 0) continue;
                const std::string name =
                    d < kCountyRecords ? st.CountyTable[std::size_t(d)].name : "";
                auto* item = new QListWidgetItem(QStringLiteral("Start %1: ").arg(k) +
                                                 shownName(name) + QStringLiteral("(%1)").arg(d));
                item->setData(Qt::UserRole, k);
                selbox->addItem(item);
            }
            break;
        case TraderWindowMode::Climate:
            selbox->addItems({QStringLiteral("Summer"), QStringLiteral("Winter")});
            selbox->setCurrentRow(0);
            break;
    }
    const bool climate = mode == TraderWindowMode::Climate;
    rd_view->setVisible(!climate);
    lb_climate->setVisible(climate);
    lb_climate->setSeason(ClimateSeason::Summer);
    rd_view->setItemIndex(1);
    options_.view = TraderWindowView::Isometric;
    show();
    raise();
    redrawPicture();
}

void Ttraderform::selboxRowChanged(int row) {
    switch (options_.mode) {
        case TraderWindowMode::Routes:
            options_.trader = row >= 0 ? row + 1 : 0;
            break;
        case TraderWindowMode::AiPreferences:
            options_.prefs =
                row >= 0 ? aiPreferences(ctx_.st, selbox->item(row)->data(Qt::UserRole).toInt())
                         : AiPreference{};
            break;
        case TraderWindowMode::Climate:
            options_.season = row == 1 ? ClimateSeason::Winter : ClimateSeason::Summer;
            lb_climate->setSeason(options_.season);
            break;
    }
    redrawPicture();
}

void Ttraderform::viewChosen(int i) {
    options_.view = i == 0 ? TraderWindowView::Flat : TraderWindowView::Isometric;
    redrawPicture();
}

QImage Ttraderform::currentPicture() const {
    return render::traderWindowPicture(ctx_.st, options_);
}

void Ttraderform::redrawPicture() {
    picture->update();
}

void Ttraderform::pointerMoved(QPoint pos) {
    const Point cell = render::traderPictureCell(options_.view, pos.x(), pos.y());
    panels_[0]->setText(QStringLiteral("X: %1").arg(cell.x));
    panels_[1]->setText(QStringLiteral("Y: %1").arg(cell.y));
}

void Ttraderform::pictureClicked(QPoint pos, Qt::MouseButton button) {
    if (options_.mode != TraderWindowMode::Routes) return;
    EditorState& st = ctx_.st;
    if (options_.trader == 0) {
        ctx_.prompt.inform(kTraderouteCaption, "No trader selected!");
        return;
    }
    // Points of the isometric picture beside the diamond name no cell.
    const Point cell = render::traderPictureCell(options_.view, pos.x(), pos.y());
    if (!inMap(cell.x, cell.y) || !(st.planes.M0.at(cell.x, cell.y) & flags::kTown)) return;
    const int d = st.planes.M5.at(cell.x, cell.y);
    if (button == Qt::LeftButton)
        AddTradeStop(st, ctx_.prompt, d, options_.trader);
    else if (button == Qt::RightButton)
        RemoveTradeStop(st, ctx_.prompt, d, options_.trader);
    redrawPicture();
}

QString Ttraderform::statusPanelText(int i) const {
    return i >= 0 && i < 2 ? panels_[i]->text() : QString();
}

}  // namespace d7::ui
