#include "ui/commands/compare_command.h"

#include <QAction>

#include "core/model/map_set_diff.h"
#include "core/model/map_set_diff_text.h"
#include "core/model/map_set_io.h"
#include "ui/commands/command_guard.h"
#include "ui/editor.h"
#include "ui/name_text.h"

namespace d7::ui {

namespace {

constexpr const char* kCompareAction = "M_CompareMapset";

// The first line says which way the values go: from dir's to the editor's.
std::string headingFor(const std::filesystem::path& dir) {
    const std::string path = dir.string();
    const std::string name = nameFromText(QString::fromStdString(path)).value_or(path);
    return "changes from \"" + name + "\" to the map set in the editor";
}

}  // namespace

void compareWithMapSet(Editor& ed, const std::filesystem::path& dir) {
    EditorContext& ctx = ed.context();
    EditorState& st = ctx.st;
    if (!st.mapLoaded) return;
    runCommand(ctx.prompt, [&] {
        const std::string d = dir.string();
        // Read as "Load Mapset.." would read it into this editor.
        const auto other = loadMapSetOf(d, st.gameDir, st.pl8Dir, st.langFile);
        const MapSetDiff diff = compareMapSets(*other, st);
        const int n = st.curMap;
        std::vector<std::string> lines{headingFor(dir)};
        for (std::string& line : mapDiffReport(diff, n, st.mapNames[std::size_t(n)]))
            lines.push_back(std::move(line));
        std::vector<Point> cells;
        for (const MapDiff& m : diff.maps)
            if (m.map == n)
                for (const CellChange& c : m.cells) cells.push_back({c.x, c.y});
        ed.mapForm().showChangedCells(std::move(cells));
        ed.mapForm().show();
        ed.statForm().showReport(lines, false);
    });
}

void connectCompareCommand(Editor& ed) {
    QAction* action = ed.mainForm().mainMenu().action(QString::fromLatin1(kCompareAction));
    QObject::connect(action, &QAction::triggered, &ed.mainForm(), [&ed] {
        if (!ed.state().mapLoaded) return;
        if (const auto dir = ed.context().dialogs.chooseDirectory("Compare with Map Set"))
            compareWithMapSet(ed, *dir);
    });
    // The outlines belong to the map they were found on.
    QObject::connect(&ed.mainForm(), &Tmainform::mapRefreshed, &ed.mapForm(),
                     [&ed] { ed.mapForm().clearChangedCells(); });
}

}  // namespace d7::ui
