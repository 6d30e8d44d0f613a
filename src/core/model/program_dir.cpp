#include "core/model/program_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace d7 {

namespace {

constexpr const char* kDataSubdir = "d7irir";
constexpr const char* kDefaultWordList = "names.txt";

}  // namespace

std::filesystem::path installedDataDir(const std::filesystem::path& executableDir) {
    if (executableDir.empty() || executableDir.filename() != "bin") return {};
    const std::filesystem::path dir = executableDir.parent_path() / "share" / kDataSubdir;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(dir / kDefaultWordList, ec)) return {};
    return dir;
}

std::filesystem::path userDataDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / kDataSubdir;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / kDataSubdir;
    return std::filesystem::temp_directory_path() / kDataSubdir;
}

std::filesystem::path defaultProgramDir(const std::filesystem::path& executableDir) {
    if (!executableDir.empty() && installedDataDir(executableDir).empty() &&
        ::access(executableDir.c_str(), W_OK) == 0)
        return executableDir;
    return userDataDir();
}

}  // namespace d7
