// The previews of the chosen tool (tile, brush, paste outline) and the marks
// it draws over the map: shown only while the pointer is over the map, and
// gone with the view, the map or the map set they were made for.
#include <QCursor>

#include "../map_editing_fixture.h"
#include "core/analysis/pathfinding.h"
#include "core/edit/area_copy.h"
#include "core/model/map_set_io.h"
#include "ui/tools/road_tool.h"

namespace d7::test {
namespace {

TEST_F(MapEditingTest, PreviewsShowOnlyWhereThePointerIsOverTheMap) {
    loadPlainMap();
    chooseEditType(ui::kMaptilesEdit);
    moveTo(20, 20);
    EXPECT_TRUE(overMap(map().overimage()));
    pointerLeaves();
    EXPECT_FALSE(overMap(map().overimage()));
    moveTo(20, 20);
    // The map scrolls (by key, minimap, report line or zoom) while the
    // pointer is elsewhere: the preview does not stay where it was.
    QCursor::setPos(map().mapbox()->mapToGlobal(QPoint(-300, -300)));
    map().handleKey(Qt::Key_Down);
    EXPECT_FALSE(overMap(map().overimage()));
    moveTo(20, 20);
    trigger("M_Zoom200");
    EXPECT_FALSE(overMap(map().overimage()));

    ed->setBrush(BrushMask::centre());
    chooseEditType(ui::kBrushesEdit);
    moveTo(20, 20);
    EXPECT_TRUE(overMap(map().brushimage()));
    pointerLeaves();
    EXPECT_FALSE(overMap(map().brushimage()));

    copyArea(st(), CellRect::spanning(20, 20, 22, 21));
    chooseEditType(ui::kPasteEdit);
    moveTo(24, 24);
    EXPECT_GT(overlayPixels(), 0);
    pointerLeaves();
    EXPECT_EQ(overlayPixels(), 0);
    moveTo(24, 24);
    map().scrollTo(12, 12);
    EXPECT_EQ(overlayPixels(), 0);
}

TEST_F(MapEditingTest, ToolMarksGoWithTheViewTheMapAndTheMapSetAndAreTheToolsOwn) {
    loadPlainMap();
    chooseEditType(ui::kRoadEdit);
    ui::RoadTool& tool = ed->editing().roadTool();
    click(20, 20);
    moveTo(24, 20);
    click(24, 20);
    const int drawn = overlayPixels();
    EXPECT_GT(drawn, 0);
    // Another search (a check, a trade route) overwrites the shared path:
    // the tool draws and lays the path it traced.
    BuildDistances(st(), st().MoveMatrix, 40, 40, false);
    TracePath(st(), 44, 46);
    const auto other = st().PathPoints;
    const int otherLength = st().PathLength;
    EXPECT_EQ(overlayPixels(), drawn);
    main().bt_setroad->click();
    EXPECT_EQ(st().planes.M0.at(22, 20), flags::kRoad);
    for (int i = 0; i < otherLength; ++i)
        EXPECT_NE(st().planes.M0.at(other[i].x, other[i].y), flags::kRoad);

    click(30, 30);  // forgets the laid path
    click(30, 30);
    moveTo(34, 30);
    EXPECT_GT(overlayPixels(), 0);
    trigger("M_Trader1");
    EXPECT_EQ(map().selState(), 0);
    EXPECT_EQ(tool.pathLength(), 0);
    EXPECT_EQ(overlayPixels(), 0);
    trigger("M_Map");

    // A paste outline, hidden with the old map's selection, comes back with
    // the new map and with a newly loaded map set.
    copyArea(st(), CellRect::spanning(20, 20, 22, 21));
    chooseEditType(ui::kPasteEdit);
    main().selectMapAndRefresh(1);
    moveTo(24, 24);
    EXPECT_GT(overlayPixels(), 0);
    loadMapSet(st(), st().gameDir);
    ed->showLoadedMapSet();
    moveTo(25, 25);
    EXPECT_GT(overlayPixels(), 0);
}

}  // namespace
}  // namespace d7::test
