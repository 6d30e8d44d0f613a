// Every command of "d7irir-cli edit" against the menu item or mouse action
// it stands for: each runs after a domain click and before an undo, so a
// command that takes the undo snapshot on one side only leaves different maps.
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "../editor_fixture.h"
#include "cli/cli_run.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/edit/placement.h"
#include "core/model/bmp_file.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/tiles/test_pictures.h"
#include "ui/map_editing.h"
#include "ui/tools/map_popup.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"

namespace d7::test {
namespace {

struct Case {
    std::vector<std::string> cli;
    std::function<void()> gui;
};

class EditParity : public EditorFixture {
  protected:
    EditorState& st() { return ed->state(); }
    ui::Tmainform& main() { return ed->mainForm(); }
    ui::Tmapform& map() { return ed->mapForm(); }

    // Map 0 as grassland of domain 1 with a town and a castle, and sea from
    // column 40; saved whole into base for the command-line tool.
    void SetUp() override {
        load();
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const bool sea = x >= 40;
                setCell(st(), 0, x, y,
                        {.flags = sea ? flags::kSea : 0,
                         .tile = sea ? 22 : 6,
                         .domain = sea ? 0 : 1,
                         .code = sea ? feature::kSea : feature::kGrass});
            }
        placeTile(st(), prompt, 12, 12, building::kTown, 2, TileKind::Buildings);
        placeTile(st(), prompt, 16, 12, building::kCastle,
                  footprintOf(TileKind::Buildings, building::kCastle), TileKind::Buildings);
        st().namesChanged = true;
        st().extChanged.fill(true);
        fs::create_directories(base);
        saveMapSet(st(), base.string());
        const tiles::PixelGrid domains = tiles::domainPalettePicture();
        writeBmp32(bitmap, domains.width, domains.height, domains.pixels);
    }
    // The editor back on the saved map set, view on (4, 4).
    void reload() {
        st().gameDir = base.string();
        st().pl8Dir = defaultPl8Dir(base.string());
        loadMapSet(st(), st().gameDir);
        ed->showLoadedMapSet();
        ed->renderer().redrawMap();
        map().scrollTo(4, 4);
    }
    Bytes imageOf(const EditorState& s) {
        Bytes image(kMapImageSize);
        readMapImage(s, 0, image.data());
        return image;
    }
    Bytes cliResult(const Case& c, const fs::path& out) {
        std::vector<std::string> args = {"edit",   base.string(), out.string(),
                                         "--seed", "5",           "--answer",
                                         "yes",    "-e",          "domain 20 20 5"};
        for (const std::string& command : c.cli) args.insert(args.end(), {"-e", command});
        args.insert(args.end(), {"-e", "undo"});
        fs::create_directories(out);
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        auto saved = makeEditorState();
        saved->gameDir = base.string();
        saved->pl8Dir = defaultPl8Dir(base.string());
        loadMapSet(*saved, out.string());
        return imageOf(*saved);
    }
    Bytes guiResult(const Case& c) {
        reload();
        chooseEditType(ui::kDomainsEdit);
        main().ctybox->setCurrentRow(5);
        click(20, 20);
        c.gui();
        // Ctrl+Z belongs to the active window; a menu command may have left
        // the main window active.
        map().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&map()));
        QTest::keyClick(&map(), Qt::Key_Z, Qt::ControlModifier);
        return imageOf(st());
    }

    // Where two map images differ: the first cell of each plane that does.
    static std::string differences(const Bytes& a, const Bytes& b) {
        static const char* const kParts[] = {"M0",      "M1",   "M2",   "M3",   "M4",   "M5",
                                             "Outline", "Ext1", "Ext2", "Ext3", "Ext4", "Ext5"};
        const std::size_t starts[] = {0,
                                      kCellCount,
                                      2 * kCellCount,
                                      3 * kCellCount,
                                      4 * kCellCount,
                                      5 * kCellCount,
                                      6 * kCellCount,
                                      kBlockSize,
                                      kBlockSize + kMinimapSize,
                                      kBlockSize + 2 * kMinimapSize,
                                      kBlockSize + 2 * kMinimapSize + kCellCount,
                                      kBlockSize + 2 * kMinimapSize + 2 * kCellCount,
                                      kMapImageSize};
        std::string text;
        for (std::size_t p = 0; p < 12; ++p)
            for (std::size_t i = starts[p]; i < starts[p + 1] && i < a.size(); ++i)
                if (a[i] != b[i]) {
                    text += std::string(kParts[p]) + " byte " + std::to_string(i - starts[p]) +
                            ": " + std::to_string(a[i]) + " against " + std::to_string(b[i]) + "; ";
                    break;
                }
        return text;
    }

    void chooseEditType(int i) { main().rd_editt->button(i)->click(); }
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(map().mapbox(), button, {}, map().windowView().centre(x, y));
    }
    void popup(int x, int y, const char* item) {
        click(x, y, Qt::RightButton);
        ui::MapPopup& p = ed->editing().popup();
        p.updateItems();
        QAction* a = p.action(QString::fromLatin1(item));
        ASSERT_TRUE(a && a->isVisible()) << item;
        a->trigger();
    }
    // A selection from (ax, ay) to (bx, by), then a popup item over it.
    void onSelection(int ax, int ay, int bx, int by, const char* item) {
        chooseEditType(ui::kSelectEdit);
        click(ax, ay);
        click(bx, by);
        popup(ax, ay, item);
    }
    void listCommand(int row, const char* item) {
        main().ctybox->setCurrentRow(row);
        trigger(item);
    }

    fs::path base = tmp / "base";
    fs::path bitmap = tmp / "domains.bmp";
};

TEST_F(EditParity, EveryEditCommandLeavesWhatItsEditorCommandLeaves) {
    const auto menu = [this](const char* item) { return [this, item] { trigger(item); }; };
    const auto select = [this](int ax, int ay, int bx, int by, const char* item) {
        return [=, this] { onSelection(ax, ay, bx, by, item); };
    };
    const auto copied = [this] { onSelection(14, 16, 15, 17, "P_CopyArea"); };
    const std::vector<Case> cases = {
        {{"place 18 18 buildings 4"},
         [this] {
             for (QPushButton* b : main().quickcontrol->widget(0)->findChildren<QPushButton*>())
                 if (b->text() == QLatin1String("Town")) b->click();
             click(18, 18);
         }},
        {{"domain 18 18 32"},
         [this] {
             main().ctybox->setCurrentRow(0);
             click(18, 18);
         }},
        {{"brush 18 18 road"},
         [this] {
             chooseEditType(ui::kBrushesEdit);
             main().rd_brushfill->button(3)->click();
             click(18, 18);
         }},
        {{"road-path 14 18 20 18"},
         [this] {
             chooseEditType(ui::kRoadEdit);
             click(14, 18);
             const QPointF end = map().windowView().centre(20, 18);
             QMouseEvent move(QEvent::MouseMove, end, map().mapbox()->mapToGlobal(end),
                              Qt::NoButton, Qt::NoButton, Qt::NoModifier);
             QApplication::sendEvent(map().mapbox(), &move);
             click(20, 18);
             main().bt_setroad->click();
         }},
        {{"recalc-roads"}, menu("M_RecalcRoads")},
        {{"create-cliffs"}, menu("M_CreateCliffs")},
        {{"fix-borders"}, menu("M_SetBordertiles")},
        {{"copy 14 16 15 17", "paste 19 19"},
         [this, copied] {
             copied();
             popup(19, 19, "P_PasteArea");
         }},
        {{"copy 14 16 15 17", "transform 1", "paste-special 19 19 transformed"},
         [this, copied] {
             copied();
             chooseEditType(ui::kPasteEdit);
             main().rd_paste->button(1)->click();
             click(19, 19);
         }},
        {{"fill 14 16 15 17 forest"}, select(14, 16, 15, 17, "P_FillForest")},
        {{"fill 14 16 15 17 black"}, select(14, 16, 15, 17, "P_FillBlack")},
        {{"domain-rect 14 16 15 17 5"}, select(14, 16, 15, 17, "P_SetDomain")},
        {{"remove-roads 14 16 15 17"}, select(14, 16, 15, 17, "P_RemoveRoads")},
        {{"road-line 14 16 14 19"}, select(14, 16, 14, 19, "P_SetRoadLine")},
        {{"fill-map sea"}, menu("M_FillAllSea")},
        {{"fill-black grass"}, menu("M_FillBlackGrass")},
        {{"land-without-domain"}, menu("M_SetNomansland")},
        {{"shift y- 3"},
         [this] {
             whenModal([](QWidget* dialog) {
                 QTest::keyClicks(dialog->findChild<QLineEdit*>("ed_distance"), "3");
                 QTest::mouseClick(dialog->findChild<QPushButton*>("bt_ok"), Qt::LeftButton);
             });
             trigger("M_ShiftYMinus");
         }},
        {{"create-submaps"}, menu("M_CreateAllSubmaps")},
        {{"outside-from-map"}, menu("M_OutsideCreate")},
        {{"outline-from-outside"}, menu("M_SetOutlineFromOutside")},
        {{"mask-from-map"}, menu("M_MaskCreate")},
        {{"minimap-from-mask"}, menu("M_SetMinimapImage")},
        {{"generate-from-bmp " + bitmap.string()},
         [this] {
             dialogs.answer(bitmap);
             trigger("M_GenerateFromBMP64");
         }},
        {{"add-trader 1 2", "add-trader 1 3", "remove-trader 1 2", "set-slots 1 3 0 0"},
         [this] {
             popup(12, 12, "p_AddTrader2");
             popup(12, 12, "p_AddTrader3");
             popup(12, 12, "p_RemoveTrader2");
             popup(12, 12, "p_Order213");  // slots 0 3 0 as "bac": 3 0 0
         }},
        {{"start 2 1"}, [this] { listCommand(1, "P_StartPos2"); }},
        {{"start-at 16 12 3"}, [this] { popup(16, 12, "p_StartPos3"); }},
        {{"switch-domain 1 2"},
         [this] {
             whenModal([](QWidget* dialog) {
                 dialog->findChild<QListWidget*>("dombox")->setCurrentRow(2);
                 QTest::mouseClick(dialog->findChild<QPushButton*>("bt_ok"), Qt::LeftButton);
             });
             listCommand(1, "P_SwitchDomainNr");
         }},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(differences(guiResult(c), cliResult(c, tmp / ("out" + std::to_string(i)))), "")
            << c.cli.back();
    }
}

}  // namespace
}  // namespace d7::test
