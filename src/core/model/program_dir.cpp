#include "core/model/program_dir.h"

#include <unistd.h>

#include <cstdlib>

namespace d7 {

std::filesystem::path defaultProgramDir(const std::filesystem::path& executableDir) {
    if (!executableDir.empty() && ::access(executableDir.c_str(), W_OK) == 0) return executableDir;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "d7irir";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "d7irir";
    return std::filesystem::temp_directory_path() / "d7irir";
}

}  // namespace d7
