#include "core/model/recovery_store.h"

#include <algorithm>
#include <cstdio>

#include "core/model/program_dir.h"
#include "core/model/read_limits.h"
#include "core/model/recovery_file.h"

namespace d7 {

namespace {

constexpr std::size_t kLongestShownName = 40;

// The path with every link resolved, as far as it exists.
fs::path wholePath(const fs::path& path) {
    std::error_code ec;
    fs::path whole = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec || whole.empty() ? path.lexically_normal() : whole;
}

bool isThere(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

std::string hex8(std::uint32_t v) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", unsigned(v));
    return text;
}

}  // namespace

fs::path recoveryFilePath(const fs::path& programDir, const std::string& gameDir) {
    const fs::path whole = wholePath(gameDir);
    std::string name;
    const fs::path last = whole.has_filename() ? whole.filename() : whole.parent_path().filename();
    for (char c : last.string())
        if (name.size() < kLongestShownName && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                                (c >= '0' && c <= '9') || c == '-' || c == '_'))
            name.push_back(c);
    const std::string text = whole.string();
    const std::uint32_t crc =
        checksumOf({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    return programDir / kRecoveryFolder /
           ((name.empty() ? "game" : name) + "-" + hex8(crc) + kRecoveryExtension);
}

std::optional<std::string> recoveryPlaceProblem(const fs::path& file, const EditorState& st) {
    const fs::path folder = wholePath(file.parent_path());
    for (const std::string& place : {st.gameDir, st.pl8Dir, st.mapSetDir}) {
        if (place.empty()) continue;
        const fs::path dir = wholePath(place);
        if (std::mismatch(dir.begin(), dir.end(), folder.begin(), folder.end()).first == dir.end())
            return folder.string() + " lies in " + place +
                   ", among the game's files; recovery files are not written there";
    }
    return std::nullopt;
}

fs::path recoveryFileFor(const fs::path& programDir, const EditorState& st) {
    const fs::path file = recoveryFilePath(programDir, st.gameDir);
    if (!recoveryPlaceProblem(file, st)) return file;
    return recoveryFilePath(userDataDir(), st.gameDir);
}

void writeRecoveryFile(const fs::path& file, std::span<const std::uint8_t> bytes) {
    const fs::path folder = file.parent_path();
    if (!isExistingDirectory(folder)) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) throw FileError(folder, ec.message());
        fs::permissions(folder, fs::perms::owner_all, ec);
    }
    writeFileAtomic(file, bytes);
}

std::optional<Recovery> readRecoveryFile(const fs::path& file) {
    if (!isThere(file)) return std::nullopt;
    const Bytes bytes = readWholeFile(file, kRecoveryReadLimit);
    return decodeRecovery(bytes, file);
}

fs::path keepRecoveryAside(const fs::path& file, std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string stem = file.stem().string() + "-kept-" + stamp;
    fs::path target = file.parent_path() / (stem + kRecoveryExtension);
    for (int k = 2; isThere(target); ++k)
        target = file.parent_path() / (stem + "-" + std::to_string(k) + kRecoveryExtension);
    std::error_code ec;
    fs::rename(file, target, ec);
    if (ec) throw FileError(file, ec.message());
    return target;
}

void removeRecoveryFile(const fs::path& file) {
    std::error_code ec;
    const auto type = fs::symlink_status(file, ec).type();
    if (ec || type == fs::file_type::not_found) return;
    if (type == fs::file_type::directory) throw FileError(file, "is a directory");
    fs::remove(file, ec);
    if (ec) throw FileError(file, ec.message());
}

}  // namespace d7
