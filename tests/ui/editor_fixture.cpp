#include "editor_fixture.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QTest>

#include "core/model/map_set_io.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/graphics_loading.h"
#include "support/tileset_builder.h"

namespace d7::test {

EditorFixture::EditorFixture() : game(tmp / "game"), home(tmp / "home") {
    writeMapSet(game, 11);
    writeTestGraphics(game);
    fs::create_directories(home);
    ed = std::make_unique<ui::Editor>(prompt, dialogs, home);
    ed->state().rng.reseed(5);
}

EditorFixture::~EditorFixture() {
    ed.reset();
}

void EditorFixture::load(int zoom) {
    EditorState& st = ed->state();
    st.view.zoom = zoom;
    st.gameDir = game.string();
    st.pl8Dir = game.string();
    tiles::loadDefaultPalette(st);
    loadMapSet(st, st.gameDir);
    ed->showLoadedMapSet();
    tiles::loadTilesets(st.gfx, st.pl8Dir, 0);
    ed->prepareTileTools();
    ed->renderer().redrawMap();
    ed->mainForm().show();
    ed->mapForm().show();
    QApplication::processEvents();
}

QAction* EditorFixture::action(const char* name) {
    QAction* a = ed->mainForm().mainMenu().action(QString::fromLatin1(name));
    EXPECT_NE(a, nullptr) << name;
    return a;
}

void EditorFixture::trigger(const char* name) {
    if (QAction* a = action(name)) a->trigger();
}

void EditorFixture::typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void EditorFixture::rightClick(QWidget* viewport, QPoint pos) {
    QTest::mouseClick(viewport, Qt::RightButton, {}, pos);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &menu);
}

void EditorFixture::whenModal(std::function<void(QWidget*)> handle) {
    QTimer::singleShot(0, [handle = std::move(handle)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        handle(modal);
    });
}

}  // namespace d7::test
