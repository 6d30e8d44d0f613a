// The tile tools wired together: the main window's "Tileset" group, its
// quick-selection buttons and brush icon, the tile selector, the brush
// editor, the tile viewer and their menu items.
#include <QAction>

#include "core/tiles/tile_palettes.h"
#include "ui/commands/menu_commands.h"
#include "ui/editor.h"
#include "ui/tools/map_tool.h"

namespace d7::ui {

namespace {

// The quick-selection pages, in their order, and the palette each chooses from.
constexpr int kQuickPagePalettes[] = {tiles::kBuildingPalette, tiles::kMountainPalette};

QAction* action(Editor& ed, const char* name) {
    return ed.mainForm().mainMenu().action(QString::fromLatin1(name));
}

void chooseEditType(Editor& ed, int type) {
    ed.editing().chooseEditType(type);
}

// The map window's cursor and "Show Closest Towns" follow the chosen tile.
void tileChosen(Editor& ed, int type, int index) {
    ed.mainForm().cb_dist->setVisible(type == tiles::kBuildingPalette &&
                                      index == tiles::kTownIndex);
    if (auto choice = tiles::tileChoice(type, index))
        ed.mapForm().setTileOverlay(*choice, ed.state().view.zoom);
}

void quickSelect(Editor& ed, int palette, int index) {
    chooseEditType(ed, kMaptilesEdit);
    ed.mainForm().rd_editor->setItemIndex(palette);
    ed.selectTile(palette, index);
}

void connectQuickSelection(Editor& ed) {
    QTabWidget* pages = ed.mainForm().quickcontrol;
    for (int page = 0; page < pages->count() && page < 2; ++page) {
        const int palette = kQuickPagePalettes[page];
        for (QPushButton* b : pages->widget(page)->findChildren<QPushButton*>()) {
            const int index = b->property("tag").toInt();
            QObject::connect(b, &QPushButton::clicked, &ed.mainForm(),
                             [&ed, palette, index] { quickSelect(ed, palette, index); });
        }
    }
}

void showWindow(QWidget& w) {
    w.show();
    w.raise();
    w.activateWindow();
}

}  // namespace

void connectTileCommands(Editor& ed) {
    Tmainform& main = ed.mainForm();
    Ttileselectform& selector = ed.tileSelectForm();
    Tbreditform& brushEditor = ed.brushEditForm();

    QObject::connect(&selector, &Ttileselectform::tileSelected, &main,
                     [&ed](int type, int index) { tileChosen(ed, type, index); });
    QObject::connect(&selector, &Ttileselectform::paletteClicked, &main,
                     [&main] { main.cb_dist->hide(); });
    QObject::connect(main.rd_editor, &RadioGroup::clicked, &selector,
                     [&ed](int type) { ed.selectTile(type, 0); });
    connectQuickSelection(ed);

    QObject::connect(main.selbrushicon, &QAbstractButton::clicked, &brushEditor,
                     [&brushEditor] { showWindow(brushEditor); });
    QObject::connect(&brushEditor, &Tbreditform::setAsBrush, &main, [&ed](const BrushMask& mask) {
        if (ed.state().view.editType != kBrushesEdit) chooseEditType(ed, kBrushesEdit);
        ed.setBrush(mask);
    });
    brushEditor.setKeyTarget([&main](int key) { main.forwardKey(key); });

    QObject::connect(&ed.mapForm(), &Tmapform::cellHovered, &ed.tileForm(),
                     &Ttileform::cellHovered);

    auto on = [&ed](const char* name, auto handler) {
        QAction* a = action(ed, name);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, &ed.mainForm(), handler);
    };
    on("M_TileScale100", [&selector] { selector.setTileScale(1); });
    on("M_TileScale200", [&selector] { selector.setTileScale(2); });
    on("ileview1", [&ed] { showWindow(ed.tileForm()); });
}

}  // namespace d7::ui
