// The fixture of the map window's mouse-editing tests: an editor on the
// generated game, a plain map to edit, and clicks, moves and popups on cells.
#pragma once

#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/model/history_steps.h"
#include "core/model/map_access.h"
#include "editor_fixture.h"
#include "ui/tools/map_popup.h"

namespace d7::test {

class MapEditingTest : public EditorFixture {
  protected:
    ui::Tmainform& main() { return ed->mainForm(); }
    ui::Tmapform& map() { return ed->mapForm(); }
    EditorState& st() { return ed->state(); }
    ui::MapPopup& popup() { return ed->editing().popup(); }

    // Map 0 as plain grassland: domain 1 left of column 32, land without
    // domain right of it, sea from column 50; the view on (10, 10).
    void loadPlainMap(int zoom = 1) {
        load(zoom);
        {
            SinkPause quiet(st());
            for (int y = 0; y < kGrid; ++y)
                for (int x = 0; x < kGrid; ++x) {
                    const bool sea = x >= 50;
                    setCell(st(), st().curMap, x, y,
                            {.flags = sea ? flags::kSea : 0,
                             .tile = sea ? 22 : 6,
                             .domain = sea      ? 0
                                       : x < 32 ? 1
                                                : kLandWithoutDomain,
                             .code = sea ? feature::kSea : feature::kGrass});
                }
        }
        AnalyseMap(st());
        st().undoValid = false;
        takeHistoryBase(st());  // the plain map is where the history starts
        ed->renderer().redrawMap();
        map().scrollTo(10, 10);
    }
    void chooseEditType(int i) { main().rd_editt->button(i)->click(); }

    QPoint at(int x, int y) { return map().windowView().centre(x, y); }
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(map().mapbox(), button, {}, at(x, y));
    }
    void moveTo(int x, int y) {
        const QPointF pos = at(x, y);
        QMouseEvent move(QEvent::MouseMove, pos, map().mapbox()->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map().mapbox(), &move);
    }
    // Opens the popup over cell (x, y) as a right click does, and closes it again.
    void popupOver(int x, int y) {
        click(x, y, Qt::RightButton);
        popup().updateItems();
    }
    bool offered(const char* item) { return popup().action(item)->isVisible(); }
    // Pixels the chosen tool draws on the selection layer.
    int overlayPixels() {
        QImage layer(map().mapbox()->size(), QImage::Format_ARGB32);
        layer.fill(Qt::transparent);
        QPainter painter(&layer);
        painter.setPen(Qt::white);
        ed->editing().paintOverlay(painter, map().windowView());
        painter.end();
        int n = 0;
        for (int y = 0; y < layer.height(); ++y)
            for (int x = 0; x < layer.width(); ++x) n += qAlpha(layer.pixel(x, y)) != 0;
        return n;
    }
    bool overMap(const QWidget* preview) {
        return preview->isVisible() && preview->geometry().intersects(map().mapbox()->geometry());
    }
    void pointerLeaves() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(map().mapbox(), &leave);
    }
    Bytes mapImage() {
        Bytes image(kMapImageSize);
        readMapImage(st(), st().curMap, image.data());
        return image;
    }
};

}  // namespace d7::test
