// The "Test" and "Info" menus.
#include <QAction>
#include <algorithm>

#include "core/model/map_set_maintenance.h"
#include "ui/commands/command_guard.h"
#include "ui/commands/menu_commands.h"
#include "ui/editor.h"

namespace d7::ui {

namespace {

std::size_t longest(const std::vector<std::string>& names) {
    std::size_t n = 0;
    for (const std::string& s : names) n = std::max(n, s.size());
    return n;
}

void M_NameLengthClick(Editor& ed) {
    const EditorState& st = ed.state();
    ed.context().prompt.inform("Ctynames", std::to_string(longest(st.domainNames)) + " " +
                                               std::to_string(longest(st.mapNames)));
}

// The map file maintenance works on the loaded map set only.
void maintain(Editor& ed, void (*operation)(EditorState&)) {
    EditorContext& ctx = ed.context();
    if (!ctx.st.mapLoaded) return;
    runCommand(ctx.prompt, [&] { operation(ctx.st); });
}

}  // namespace

void connectTestCommands(Editor& ed) {
    MainMenu& menu = ed.mainForm().mainMenu();
    auto on = [&](const char* name, auto handler) {
        QObject::connect(menu.action(QString::fromLatin1(name)), &QAction::triggered,
                         &ed.mainForm(), handler);
    };
    on("M_NameLength", [&ed] { M_NameLengthClick(ed); });
    on("M_RecreateExtstream", [&ed] { maintain(ed, recreateExtstream); });
    on("M_RefillExt64", [&ed] { maintain(ed, refillExt64); });
    on("M_SetHeader", [&ed] { maintain(ed, setHeader); });
    on("M_About", [&ed] { ed.aboutForm().exec(); });
}

}  // namespace d7::ui
