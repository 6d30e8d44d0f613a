// export-map, import-map, snapshot, restore-snapshot, reset-map: one map of
// the map set against single-map files and snapshots.
#include <ostream>

#include "cli/commands.h"
#include "cli/game_session.h"
#include "cli/program_home.h"
#include "core/model/map_reset.h"
#include "core/model/map_set_io.h"
#include "core/model/single_map_file.h"
#include "core/model/snapshots.h"

namespace d7::cli {

namespace {

constexpr const char* kYesFlag = "--yes";

// Message texts break lines with "\n\r"; a terminal wants one line each.
std::string oneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        line += c == '\n' ? ' ' : c;
    }
    return line;
}

// Prints what the operation told the user; returns whether it told anything.
bool reportMessages(const ScriptedPrompt& prompt, const char* command, std::ostream& err) {
    for (const auto& [caption, text] : prompt.messages)
        err << "d7irir-cli " << command << ": " << caption << ": " << oneLine(text) << "\n";
    return !prompt.messages.empty();
}

// After a question answered No: says so and that nothing was written.
int reportDeclined(const ScriptedPrompt& prompt, const char* command, std::ostream& err) {
    if (reportMessages(prompt, command, err)) return 1;
    for (const auto& [caption, text] : prompt.questions)
        err << "d7irir-cli " << command << ": " << caption << ": " << oneLine(text)
            << " -- answered No (give --yes to answer Yes); nothing written\n";
    return 1;
}

}  // namespace

int runExportMap(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option}, {}});
    args.expectCount(3);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    saveSingleMap(*st, args.at(2, "OUT.k7map"));
    return 0;
}

int runImportMap(const std::vector<std::string>& words, std::ostream&, std::ostream&) {
    Args args(words, {{kPl8Option}, {}});
    args.expectCount(4);
    const std::string& in = args.at(2, "IN.k7map");
    const std::string& outDir = args.at(3, "OUT");
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    loadSingleMap(*st, in);
    saveMapSet(*st, outDir);
    return 0;
}

int runSnapshot(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Args args(words, {{kPl8Option, kHomeOption}, {}});
    args.expectCount(2);
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    ScriptedPrompt prompt;
    auto written = saveSnapshot(*st, prompt, programDirFromArgs(args), localDateTimeNow());
    reportMessages(prompt, "snapshot", err);
    if (!written) return 1;
    out << written->string() << "\n";
    return 0;
}

int runRestoreSnapshot(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    Args args(words, {{kPl8Option, kHomeOption}, {kYesFlag}});
    args.expectCount(3);
    const std::string& outDir = args.at(2, "OUT");
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    ScriptedPrompt prompt(args.has(kYesFlag));
    if (!loadLastSnapshot(*st, prompt, programDirFromArgs(args)))
        return reportDeclined(prompt, "restore-snapshot", err);
    saveMapSet(*st, outDir);
    return 0;
}

int runResetMap(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    Args args(words, {{kPl8Option}, {kYesFlag}});
    args.expectCount(3);
    const std::string& outDir = args.at(2, "OUT");
    auto st = openGameDir(args.at(0, "DIR"), args);
    selectMapArg(*st, args.at(1, "MAP"));
    ScriptedPrompt prompt(args.has(kYesFlag));
    if (!resetCurrentMap(*st, prompt)) return reportDeclined(prompt, "reset-map", err);
    saveMapSet(*st, outDir);
    return 0;
}

}  // namespace d7::cli
