#include "ui/windows/tile_view_window.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "core/edit/geometry.h"
#include "core/tiles/frame_enlargement.h"
#include "core/tiles/graphics_commands.h"
#include "render/tile_pictures.h"
#include "ui/accessibility.h"

namespace d7::ui {

namespace {

constexpr int kDefaultPixelSize = 4;
constexpr int kMaxPixelSize = 16;
constexpr int kStatusHeight = 20;
constexpr int kLabelHeight = 14;

QLabel* label(const QString& name, QWidget* parent, QRect geometry) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

}  // namespace

FramePictureBox::FramePictureBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAccessibleRole(this, QAccessible::Graphic);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Frame picture"));
}

void FramePictureBox::setPicture(QImage picture) {
    picture_ = std::move(picture);
    setMinimumHeight(std::max(picture_.height(), 1));
    update();
}

void FramePictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
}

Ttileform::Ttileform(EditorContext& ctx, QWidget* parent) : QWidget(parent, Qt::Tool), ctx_(ctx) {
    setObjectName(QStringLiteral("Ttileform"));
    setWindowTitle(QStringLiteral("Tile View"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PaintBox1 = new FramePictureBox(this);
    layout->addWidget(PaintBox1, 1);
    auto* panel = new QWidget(this);
    panel->setFixedHeight(kControlsHeight - kStatusHeight);
    layout->addWidget(panel);
    buildControls(panel);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(kStatusHeight);
    const char* const about[3] = {"Extension layers of the frame", "Kind of the extension layers",
                                  "Map cell shown"};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(StatusBar1);
        panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i + 1));
        panels_[i]->setAccessibleDescription(QString::fromLatin1(about[i]));
        panels_[i]->setMinimumWidth(50);
        StatusBar1->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
    layout->addWidget(StatusBar1);

    setLabels(tiles::hiddenCellLabels());
    setTilesetType(tiles::kBaseTiles);
    resize(kClientWidth, tiles::inspectionRows({}) * kDefaultPixelSize + kControlsHeight);
}

void Ttileform::buildControls(QWidget* panel) {
    rd_type = new RadioGroup(
        QStringLiteral("rd_type"), QStringLiteral("Type"),
        {QString::fromLatin1(tiles::tilesetLabel(0)), QString::fromLatin1(tiles::tilesetLabel(1)),
         QString::fromLatin1(tiles::tilesetLabel(2)), QString::fromLatin1(tiles::tilesetLabel(3)),
         QString::fromLatin1(tiles::tilesetLabel(4))},
        panel);
    rd_type->setGeometry(4, 0, 90, 104);
    connect(rd_type, &RadioGroup::clicked, this, [this](int kind) {
        setTilesetType(kind);
        refreshPicture();
    });

    auto* frameLabel = label(QStringLiteral("l_frame"), panel, {4, 106, 90, kLabelHeight});
    frameLabel->setText(QStringLiteral("Frame"));
    ud_frame = new QSpinBox(panel);
    ud_frame->setObjectName(QStringLiteral("ud_frame"));
    ud_frame->setGeometry(4, 120, 90, 20);
    ud_frame->setAccessibleName(QStringLiteral("Frame"));
    frameLabel->setBuddy(ud_frame);
    connect(ud_frame, &QSpinBox::valueChanged, this, [this] { refreshPicture(); });

    auto* currentLabel = label(QStringLiteral("l_current"), panel, {4, 142, 90, kLabelHeight});
    currentLabel->setText(QStringLiteral("Current Frame"));
    ed_current = new QLineEdit(panel);
    ed_current->setObjectName(QStringLiteral("ed_current"));
    ed_current->setReadOnly(true);
    ed_current->setGeometry(4, 156, 90, 20);
    ed_current->setAccessibleName(currentLabel->text());
    currentLabel->setBuddy(ed_current);

    ed_count = new QLineEdit(panel);
    ed_count->setObjectName(QStringLiteral("ed_count"));
    ed_count->setReadOnly(true);
    ed_count->hide();
    Ud_px = new QSpinBox(panel);
    Ud_px->setObjectName(QStringLiteral("Ud_px"));
    Ud_px->setRange(1, kMaxPixelSize);
    Ud_px->setValue(kDefaultPixelSize);
    Ud_px->hide();
    connect(Ud_px, &QSpinBox::valueChanged, this, [this] { refreshPicture(); });

    // Flag names can be long: the M0 label has two lines.
    for (int p = 0; p < 6; ++p) {
        const int top = p == 0 ? 0 : 14 + p * kLabelHeight;
        lm[p] = label(QStringLiteral("lm%1").arg(p), panel,
                      {100, top, kClientWidth - 104, p == 0 ? 2 * kLabelHeight : kLabelHeight});
    }
    lm[0]->setWordWrap(true);
    lext = label(QStringLiteral("lext"), panel, {100, 14 + 6 * kLabelHeight, 196, kLabelHeight});

    Memo1 = new QPlainTextEdit(panel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setAccessibleName(QStringLiteral("Sea around the cell"));
    Memo1->setGeometry(100, 120, 80, 56);
}

void Ttileform::setLabels(const tiles::CellLabels& labels) {
    for (int p = 0; p < 6; ++p)
        lm[p]->setText(QString::fromStdString(labels.planes[std::size_t(p)]));
    lext->setText(QString::fromStdString(labels.ext4));
}

void Ttileform::setTilesetType(int kind) {
    rd_type->setItemIndex(kind);
    const int n = ctx_.st.gfx.tilesets[std::size_t(kind)].frameCount;
    const QSignalBlocker block(ud_frame);
    ud_frame->setRange(0, std::max(n - 1, 0));
    ed_count->setText(QString::number(n));
}

void Ttileform::refreshPicture() {
    const int kind = std::max(rd_type->itemIndex(), 0);
    const tiles::Tileset& ts = ctx_.st.gfx.tilesets[std::size_t(kind)];
    const int frame = ud_frame->value();
    const auto shape = tiles::frameShape(ts, frame);
    panels_[0]->setText(shape ? QStringLiteral("Ex: %1").arg(shape->ex) : QString());
    panels_[1]->setText(shape ? QStringLiteral("Dir: %1").arg(shape->dir) : QString());
    if (!tiles::isReady(ctx_.st) || !shape) {
        PaintBox1->setPicture({});
        return;
    }
    const int p = Ud_px->value();
    PaintBox1->setPicture(render::makeFrameInspectionImage(ts, ctx_.st.gfx.palette, frame, p));
    // Tall frames make the window taller; it never shrinks by itself.
    const int needed = tiles::inspectionRows(*shape) * p + kControlsHeight;
    if (height() < needed) resize(width(), needed);
}

void Ttileform::showCell(int x, int y) {
    const WorkingPlanes& planes = ctx_.st.planes;
    const tiles::CellFrame f = tiles::cellFrame(planes, x, y);
    if (f != shown_) {
        shown_ = f;
        setTilesetType(f.tileset);
        {
            const QSignalBlocker block(ud_frame);
            ud_frame->setValue(f.frame);
        }
        ed_current->setText(QString::number(f.frame));
        refreshPicture();
    }
    // The cell's own values change from cell to cell even where the frame does not.
    const auto memo = tiles::seaMemo(planes, x, y);
    Memo1->setPlainText(QString::fromStdString(memo[0] + "\n" + memo[1] + "\n" + memo[2]));
    panels_[2]->setText(QStringLiteral("X: %1 Y: %2").arg(x).arg(y));
    setLabels(tiles::cellLabels(planes, x, y));
}

void Ttileform::cellHovered(int x, int y) {
    if (!inMap(x, y)) return;
    if (!isVisible()) {
        setLabels(tiles::hiddenCellLabels());
        return;
    }
    showCell(x, y);
}

void Ttileform::graphicsChanged() {
    setTilesetType(std::max(rd_type->itemIndex(), 0));
    refreshPicture();
}

QString Ttileform::panelText(int panel) const {
    return panel >= 1 && panel <= 3 ? panels_[panel - 1]->text() : QString();
}

}  // namespace d7::ui
