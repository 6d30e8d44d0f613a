// The commands of d7irir-cli. Each command is one function that gets the
// words after its name and writes its output and errors to the given streams.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace d7::cli {

struct Command {
    const char* name;
    const char* usage;    // arguments, e.g. "DIR OUT [--all]"
    const char* summary;  // one line
    const char* help;     // further lines for "--help", may be empty
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

std::span<const Command> allCommands();

// Runs the tool: argv without the program name. Returns the exit status.
int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

// The commands, grouped by what they work on.
int runInfo(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runSave(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runRenameMap(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runRenameDomain(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runRender(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runAnalyse(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runPath(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runFix(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runCheck(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runReport(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runExportStats(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runExportMap(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runImportMap(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runSnapshot(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runRestoreSnapshot(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runResetMap(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runEdit(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runExportPlane(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runImportPlane(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runPicture(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runRoutes(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runAiPrefs(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runDiff(const std::vector<std::string>&, std::ostream&, std::ostream&);
int runMakeSample(const std::vector<std::string>&, std::ostream&, std::ostream&);

}  // namespace d7::cli
