#include "ui/tools/editing_controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "ui/tools/map_tool.h"
#include "ui/windows/main_window.h"

namespace d7::ui {

namespace {

// "Brushfill" items that give cells a domain: only they may overwrite sea.
constexpr int kFirstDomainFill = 5;

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QCheckBox(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// One page of the quick selection: a group of six buttons, each tagged with
// the tile it selects.
QWidget* quickPage(const char* const (&captions)[6], const int (&tags)[6], QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 2, 0, 0);
    auto* group = new QGroupBox(QStringLiteral("Quick Selection"), page);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(2);
    for (int i = 0; i < 6; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(captions[i]), group);
        b->setProperty("tag", tags[i]);
        b->setFixedHeight(20);
        grid->addWidget(b, i / 3, i % 3);
    }
    outer->addWidget(group);
    return page;
}

void buildEditTypeGroups(Tmainform& m, QWidget* client) {
    m.rd_editt = new RadioGroup(
        QStringLiteral("rd_editt"), QStringLiteral("Edittype"),
        {QStringLiteral("Maptiles"), QStringLiteral("Domains"), QStringLiteral("Select/Area"),
         QStringLiteral("Brushes"), QStringLiteral("Paste Special"), QStringLiteral("Roadtool"),
         QStringLiteral("Pathfinding")},
        client);
    m.rd_editt->setGeometry(6, 154, 108, 141);
    m.rd_editt->setItemIndex(kMaptilesEdit);

    // The right column holds the controls of the chosen edit type.
    m.rd_selsub = new RadioGroup(QStringLiteral("rd_selsub"), QStringLiteral("Selecttype"),
                                 {QStringLiteral("Rectangle"), QStringLiteral("Line")}, client);
    m.rd_selsub->setGeometry(120, 154, 151, 60);
    m.rd_selsub->setItemIndex(0);
    m.rd_selsub->hide();

    m.rd_editor = new RadioGroup(QStringLiteral("rd_editor"), QStringLiteral("Tileset"),
                                 {QStringLiteral("Base"), QStringLiteral("Roads"),
                                  QStringLiteral("Mountains"), QStringLiteral("Buildings")},
                                 client);
    m.rd_editor->setGeometry(120, 154, 151, 90);
    m.rd_editor->setItemIndex(0);

    m.rd_brushfill =
        new RadioGroup(QStringLiteral("rd_brushfill"), QStringLiteral("Brushfill"),
                       {QStringLiteral("Sea"), QStringLiteral("Grassland"),
                        QStringLiteral("Forest"), QStringLiteral("Road"), QStringLiteral("Field"),
                        QStringLiteral("Domain (overwrite)"), QStringLiteral("Domain (no overw.)")},
                       client);
    m.rd_brushfill->setGeometry(120, 154, 151, 141);
    m.rd_brushfill->setItemIndex(0);
    m.rd_brushfill->hide();

    m.rd_paste = new RadioGroup(QStringLiteral("rd_paste"), QStringLiteral("Paste Options"),
                                {QStringLiteral("None"), QString::fromUtf8("Rotate 90°"),
                                 QString::fromUtf8("Rotate 180°"), QString::fromUtf8("Rotate 270°"),
                                 QStringLiteral("Mirror X-Axis"), QStringLiteral("Mirror Y-Axis")},
                                client);
    m.rd_paste->setGeometry(120, 154, 151, 124);
    m.rd_paste->setItemIndex(0);
    m.rd_paste->hide();
}

void buildBrushControls(Tmainform& m, const EditorState& st, QWidget* client) {
    m.cb_ovsea = checkBox("cb_ovsea", "Overwrite Sea?", client);
    m.cb_ovsea->setGeometry(120, 297, 151, 18);
    m.cb_ovsea->hide();

    m.brushpanel = new QFrame(client);
    m.brushpanel->setObjectName(QStringLiteral("brushpanel"));
    m.brushpanel->setFrameShape(QFrame::Box);
    m.brushpanel->setLineWidth(1);
    m.brushpanel->setStyleSheet(QStringLiteral("QFrame#brushpanel { background: navy; }"));
    m.brushpanel->setGeometry(20, 298, 77, 77);
    m.brushpanel->setAccessibleName(QStringLiteral("Brush"));
    m.selbrushicon = new BrushIcon(st, m.brushpanel);
    m.selbrushicon->setGeometry(1, 1, BrushIcon::kSide, BrushIcon::kSide);
    m.brushpanel->hide();

    QObject::connect(m.rd_brushfill, &RadioGroup::clicked, &m,
                     [&m](int fill) { m.cb_ovsea->setVisible(fill >= kFirstDomainFill); });
}

void buildToolControls(Tmainform& m, QWidget* client) {
    m.cb_dist = checkBox("cb_dist", "Show Closest Towns", client);
    m.cb_dist->setGeometry(120, 247, 151, 18);
    m.cb_dist->hide();
    m.cb_seldist = checkBox("cb_seldist", "Show Distance", client);
    m.cb_seldist->setGeometry(120, 158, 151, 18);
    m.cb_seldist->hide();
    m.bt_setroad = new QPushButton(QStringLiteral("Set Road"), client);
    m.bt_setroad->setObjectName(QStringLiteral("bt_setroad"));
    m.bt_setroad->setGeometry(120, 158, 75, 23);
    m.bt_setroad->hide();
    m.cb_roadstretch = checkBox("cb_roadstretch", "Prefer straighter roads", client);
    m.cb_roadstretch->setGeometry(120, 184, 151, 18);
    m.cb_roadstretch->hide();

    m.quickcontrol = new QTabWidget(client);
    m.quickcontrol->setObjectName(QStringLiteral("quickcontrol"));
    m.quickcontrol->setAccessibleName(QStringLiteral("Quick Selection"));
    m.quickcontrol->setGeometry(6, 378, 265, 88);
    m.quickcontrol->setDocumentMode(true);
    const char* const buildings[6] = {"Castle", "Town", "Lumber", "Quarry", "Village", "Mine"};
    const int buildingTags[6] = {5, 4, 1, 0, 3, 2};
    const char* const mountains[6] = {"2x2 I", "2x2 II", "2x2 IV", "2x2 III", "3x3", "2x2 V"};
    const int mountainTags[6] = {0, 1, 3, 2, 6, 4};
    m.quickcontrol->addTab(quickPage(buildings, buildingTags, m.quickcontrol),
                           QStringLiteral("Building"));
    m.quickcontrol->addTab(quickPage(mountains, mountainTags, m.quickcontrol),
                           QStringLiteral("Mountain"));

    m.cb_smith = checkBox("cb_smith", "Show Blacksmiths", client);
    m.cb_smith->setToolTip(QStringLiteral(
        "The game places blacksmiths automatically at a position adjacent to a field that is "
        "'closest' to the town."));
    m.cb_smith->setGeometry(6, 468, 200, 18);
}

}  // namespace

void buildEditingControls(Tmainform& main, const EditorState& st) {
    QWidget* client = main.centralWidget();
    buildEditTypeGroups(main, client);
    buildBrushControls(main, st, client);
    buildToolControls(main, client);
}

void hideEditTypeControls(Tmainform& m) {
    for (QWidget* w : std::initializer_list<QWidget*>{m.rd_editor, m.rd_brushfill, m.brushpanel,
                                                      m.rd_paste, m.cb_dist, m.cb_seldist,
                                                      m.bt_setroad, m.cb_roadstretch, m.cb_ovsea})
        w->hide();
    m.rd_paste->setItemIndex(0);
}

void showEditTypeControls(Tmainform& m, int editType) {
    switch (editType) {
        case kMaptilesEdit:
            m.rd_editor->show();
            break;
        case kSelectEdit:
            m.cb_seldist->show();
            break;
        case kBrushesEdit:
            m.rd_brushfill->show();
            m.brushpanel->show();
            m.cb_ovsea->setVisible(m.rd_brushfill->itemIndex() >= kFirstDomainFill);
            break;
        case kPasteEdit:
            m.rd_paste->show();
            break;
        case kRoadEdit:
            m.bt_setroad->show();
            m.cb_roadstretch->show();
            break;
        default:
            break;
    }
}

}  // namespace d7::ui
