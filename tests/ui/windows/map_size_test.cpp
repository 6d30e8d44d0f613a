// "View" > "Map Size": the sizes' menu state, "Fit Map", the keys and the
// wheel, the pointer's cell and the previews at every size, and the
// minimap's outline of the view.
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "../editor_fixture.h"
#include "core/edit/map_scale.h"
#include "core/edit/painting.h"
#include "render/shrunk_picture.h"
#include "ui/windows/minimap_window.h"

namespace d7::test {
namespace {

const char* const kSizeItems[] = {"M_Zoom25", "M_Zoom50", "M_Zoom100", "M_Zoom200", "M_ZoomFit"};

class MapSizeTest : public EditorFixture {
  protected:
    ui::Tmapform& map() { return ed->mapForm(); }
    std::string checkedSize() {
        std::string checked;
        for (const char* name : kSizeItems)
            if (action(name)->isChecked())
                checked += std::string(checked.empty() ? "" : " ") + name;
        return checked;
    }
    // Runs the event loop until the renderer's idle work is done; false when
    // it never is.
    bool idleWorkDone() {
        for (int i = 0; i < 200 && !ed->renderer().shrunkComplete(); ++i)
            QApplication::processEvents();
        return ed->renderer().shrunkComplete();
    }
    // The shrunk pictures "Fit Map" would show against the whole zoom-1
    // picture of the same map, drawn afresh and shrunk.
    void expectShrunkPicturesFresh(const char* when) {
        ViewState& view = ed->state().view;
        const int zoom = view.zoom;
        view.zoom = 1;
        render::MapRenderer fresh(ed->state());
        fresh.redrawMap();
        const QImage picture = fresh.picture();
        view.zoom = zoom;
        for (const int s : {2, 4})
            EXPECT_TRUE(ed->renderer().shrunkPicture(s) == render::shrunkImage(picture, s))
                << "shrunk by " << s << " " << when;
    }
    void moveTo(QPointF pos) {
        QMouseEvent move(QEvent::MouseMove, pos, map().mapbox()->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map().mapbox(), &move);
    }
};

TEST_F(MapSizeTest, TheMenuChecksTheSizeShownAndFitMapWhileItIsChosen) {
    load(2);
    EXPECT_EQ(checkedSize(), "M_Zoom200");
    trigger("M_Zoom25");
    EXPECT_EQ(checkedSize(), "M_Zoom25");
    EXPECT_EQ(map().mapSize(), kQuarterSize);
    EXPECT_EQ(ed->renderer().zoom(), 1);
    trigger("M_Zoom50");
    EXPECT_EQ(checkedSize(), "M_Zoom50");
    EXPECT_EQ(ed->state().view.shrink, 2);

    map().scrollTo(30, 30);
    trigger("M_ZoomFit");
    EXPECT_EQ(checkedSize(), "M_ZoomFit");
    EXPECT_EQ(map().mapSize(), fitMapSize(map().mapbox()->width(), map().mapbox()->height()));
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(0, 0));
    // Resized while checked: the size is chosen again.
    map().resize(2100, 1100);
    QApplication::processEvents();
    EXPECT_EQ(map().mapSize(), kHalfSize);
    EXPECT_EQ(checkedSize(), "M_ZoomFit");
    trigger("M_Zoom200");
    EXPECT_EQ(checkedSize(), "M_Zoom200");
    map().resize(1160, 900);
    QApplication::processEvents();
    EXPECT_EQ(map().mapSize(), kDoubleSize);
}

TEST_F(MapSizeTest, CtrlMinusAndPlusStepThroughTheSizesAndCtrlWheelZoomsAboutThePointer) {
    load(2);
    map().scrollTo(30, 30);
    QTest::keyClick(&map(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(map().mapSize(), kFullSize);
    QTest::keyClick(&map(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&map(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&map(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(map().mapSize(), kQuarterSize);
    EXPECT_EQ(checkedSize(), "M_Zoom25");
    QTest::keyClick(&map(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(map().mapSize(), kHalfSize);
    QTest::keyClick(&map(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(map().mapSize(), kFullSize);

    const QPoint at(300, 500);
    const QPoint cell = map().cellAt(at);
    QWheelEvent wheel(at, map().mapbox()->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map().mapbox(), &wheel);
    EXPECT_EQ(map().mapSize(), kDoubleSize);
    const QPoint after = map().cellAt(at);
    EXPECT_LE((after - cell).manhattanLength(), 2) << after.x() << "," << after.y();
}

TEST_F(MapSizeTest, ThePointerFindsEveryCellFromItsCentreAtEverySize) {
    load(1);
    QSignalSpy hovered(&map(), &ui::Tmapform::cellHovered);
    for (const char* size : {"M_Zoom25", "M_Zoom50", "M_Zoom100", "M_Zoom200"}) {
        trigger(size);
        map().scrollTo(0, 0);
        const render::WindowView view = map().windowView();
        int tried = 0;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const QPoint c = view.centre(x, y);
                if (!map().mapbox()->rect().contains(c)) continue;
                ++tried;
                ASSERT_EQ(map().cellAt(c), QPoint(x, y)) << size << " cell " << x << "," << y;
            }
        EXPECT_GT(tried, 200) << size;
        hovered.clear();
        moveTo(view.centre(40, 7));
        ASSERT_EQ(hovered.size(), 1);
        EXPECT_EQ(hovered[0][0].toInt(), 40);
        EXPECT_EQ(hovered[0][1].toInt(), 7);
    }
}

TEST_F(MapSizeTest, PreviewsShrinkWithThePicture) {
    load(1);
    struct Sizes {
        const char* item;
        QSize tile;
        int brushWidth;
    };
    for (const auto& [item, size, brushWidth] :
         {Sizes{"M_Zoom100", QSize(58, 30), 290}, Sizes{"M_Zoom50", QSize(29, 15), 145},
          Sizes{"M_Zoom25", QSize(15, 8), 73}}) {
        trigger(item);
        map().setDomainOverlay(5, 1);
        EXPECT_EQ(map().overimage()->size(), size) << item;
        // Drawn smoothly over the picture: transparent corners, an opaque middle.
        const QImage shown = map().overimage()->pixmap().toImage();
        EXPECT_EQ(shown.pixelColor(0, 0).alpha(), 0) << item;
        EXPECT_EQ(shown.pixelColor(size.width() / 2, size.height() / 2).alpha(), 255) << item;
        map().setBrushPreview(BrushMask::centre(), 1);
        EXPECT_EQ(map().brushimage()->width(), brushWidth) << item;
    }
    // The cursor's box lies where the picture shows the cell under the pointer.
    map().scrollTo(10, 10);
    const render::WindowView view = map().windowView();
    moveTo(view.centre(20, 24));
    EXPECT_EQ(map().overimage()->pos(), view.at(29 * (20 - 24 - 1) + 1856, 15 * (20 + 24)));
}

TEST_F(MapSizeTest, TheMinimapOutlinesWhatTheMapWindowShowsAndADragMovesIt) {
    load(1);
    ui::MinimapBox* box = ed->miniForm().paintBox();
    map().scrollTo(20, 10);
    // The middle of the window's top edge is the origin cell's left corner.
    const QPolygonF outline = box->viewOutline();
    ASSERT_EQ(outline.size(), 4);
    const QPointF topMiddle = (outline[0] + outline[1]) / 2;
    EXPECT_NEAR(topMiddle.x(), 19.5, 0.05);
    EXPECT_NEAR(topMiddle.y(), 10.5, 0.05);
    EXPECT_EQ(outline, map().viewOutline());

    trigger("M_ZoomFit");
    for (const QPointF corner : {QPointF(0, 0), QPointF(64, 0), QPointF(64, 64), QPointF(0, 64)})
        EXPECT_TRUE(box->viewOutline().containsPoint(corner, Qt::OddEvenFill))
            << corner.x() << "," << corner.y();
    map().resize(900, 700);  // smaller: the outline follows
    QApplication::processEvents();
    EXPECT_EQ(box->viewOutline(), map().viewOutline());

    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(4 * 10 + 1, 4 * 12 + 1));
    QMouseEvent drag(QEvent::MouseMove, QPointF(4 * 30 + 1, 4 * 33 + 1),
                     box->mapToGlobal(QPointF(4 * 30 + 1, 4 * 33 + 1)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drag);
    EXPECT_EQ(QPoint(map().originX(), map().originY()), QPoint(30, 33));
}

}  // namespace
}  // namespace d7::test

namespace d7::test {
namespace {

TEST_F(MapSizeTest, TheSmallSizesAreMadeInIdleTimeAtAnyZoomAndFollowEveryEdit) {
    load(2);
    // Shown at 200 % for a moment: the event loop made them meanwhile.
    ASSERT_TRUE(idleWorkDone());
    expectShrunkPicturesFresh("after the load");

    // Edits at 200 % leave parts of made chunks stale; the idle work makes
    // them again.
    EditorState& st = ed->state();
    BrushMask mask;
    mask.cells.fill(1);
    applyBrush(st, 20, 20, mask, BrushFill::Forest, 0, true);
    applyBrush(st, 40, 12, mask, BrushFill::Sea, 0, true);
    paintCellDomain(st, 33, 33, 2);
    EXPECT_FALSE(ed->renderer().shrunkComplete());
    ASSERT_TRUE(idleWorkDone());
    expectShrunkPicturesFresh("after edits at 200 %");

    // "Fit Map" then shows what is made; a zoom change forgets nothing.
    trigger("M_ZoomFit");
    EXPECT_TRUE(ed->renderer().shrunkComplete());
    trigger("M_Zoom200");
    EXPECT_TRUE(ed->renderer().shrunkComplete());
    // A season or map change makes them afresh.
    ed->renderer().redrawMap();
    EXPECT_FALSE(ed->renderer().shrunkComplete());
    ASSERT_TRUE(idleWorkDone());
    expectShrunkPicturesFresh("after a full redraw");
}

}  // namespace
}  // namespace d7::test
