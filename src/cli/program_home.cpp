#include "cli/program_home.h"

#include <system_error>

#include "core/model/program_dir.h"

namespace d7::cli {

std::filesystem::path executableDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path programDirFromArgs(const Args& args) {
    if (auto home = args.value(kHomeOption)) return *home;
    return defaultProgramDir(executableDir());
}

}  // namespace d7::cli
