// Replacing files whole: temporary files no one can predict or redirect,
// flushed to disk, then renamed over their targets.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <random>
#include <set>

#include "core/model/file_io.h"

namespace d7 {

namespace {

constexpr std::string_view kTempMarker = ".d7irir-";
constexpr std::size_t kRandomLetters = 6;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kLongestFileName = 255;

std::string osReason(int err) {
    return std::strerror(err);
}

fs::path directoryOf(const fs::path& path) {
    fs::path dir = path.parent_path();
    return dir.empty() ? fs::path(".") : dir;
}

// ".NAME.d7irir-" and random letters; NAME is cut when the whole would be
// longer than a file name may be.
std::string temporaryName(const std::string& target, std::random_device& random) {
    const std::size_t fixed = 1 + kTempMarker.size() + kRandomLetters;
    std::string name = "." + target.substr(0, kLongestFileName - fixed);
    name += kTempMarker;
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    for (std::size_t i = 0; i < kRandomLetters; ++i) name.push_back(kLetters[pick(random)]);
    return name;
}

// A temporary file being written; removed unless it was renamed into place.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    // Creates it beside target: exclusively, so an entry of the same name
    // (a link planted there, dangling or not) is never opened.
    void create(const fs::path& target) {
        const fs::path dir = directoryOf(target);
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path temp = dir / temporaryName(target.filename().string(), random);
            fd_ = createFileExclusively(temp);
            if (fd_ >= 0) {
                path_ = temp;
                return;
            }
            if (errno != EEXIST) break;
        }
        throw FileError(target, osReason(errno));
    }

    void write(const fs::path& target, std::span<const std::uint8_t> bytes) {
        // The mode of the file it replaces; a link or a new file gets the
        // mode new files get.
        struct stat old {};
        if (::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
            ::fchmod(fd_, old.st_mode & 07777);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                throw FileError(target, osReason(errno));
            }
            done += std::size_t(n);
        }
        if (::fsync(fd_) != 0) throw FileError(target, osReason(errno));
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0) throw FileError(target, osReason(errno));
    }

    // rename replaces the directory entry, so a target that is a link is
    // replaced by the file and what it names stays untouched.
    void renameOver(const fs::path& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) throw FileError(target, osReason(errno));
        path_.clear();
    }

  private:
    int fd_ = -1;
    fs::path path_;
};

// A rename into a directory is on disk only when the directory is.
void syncDirectory(const fs::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw FileError(dir, osReason(errno));
    const int synced = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (synced != 0 && err != EINVAL) throw FileError(dir, osReason(err));
}

// Temporary files an interrupted save left behind. unlink removes a link
// itself, never what it names; directories are left alone.
void removeLeftovers(const fs::path& dir) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (!isTemporaryFileName(it->path().filename().string())) continue;
        std::error_code typeError;
        if (it->symlink_status(typeError).type() == fs::file_type::directory) continue;
        ::unlink(it->path().c_str());
    }
}

}  // namespace

int createFileExclusively(const fs::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

bool isTemporaryFileName(const std::string& name) {
    const std::size_t marker = name.rfind(kTempMarker);
    if (name.size() < 2 || name[0] != '.' || marker == std::string::npos || marker < 1)
        return false;
    const std::string_view letters = std::string_view(name).substr(marker + kTempMarker.size());
    if (letters == "tmp") return true;  // the fixed name of older versions
    return letters.size() == kRandomLetters &&
           std::all_of(letters.begin(), letters.end(),
                       [](char c) { return kLetters.find(c) != std::string_view::npos; });
}

void writeFilesAtomic(const std::vector<FileToWrite>& files) {
    std::set<fs::path> dirs;
    for (const FileToWrite& f : files) dirs.insert(directoryOf(f.path));
    for (const fs::path& dir : dirs) removeLeftovers(dir);

    const auto temps = std::make_unique<TemporaryFile[]>(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path& target = files[i].path;
        // Found now, a directory in the way would stop the renames half-way.
        struct stat st {};
        if (::lstat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            throw FileError(target, osReason(EISDIR));
        temps[i].create(target);
        temps[i].write(target, files[i].bytes);
    }
    // From here to the last rename a kill can leave some files new and some
    // old: nothing but the renames happens in between.
    for (std::size_t i = 0; i < files.size(); ++i) temps[i].renameOver(files[i].path);
    for (const fs::path& dir : dirs) syncDirectory(dir);
}

void writeFileAtomic(const fs::path& path, std::span<const std::uint8_t> bytes) {
    writeFilesAtomic({FileToWrite{path, bytes}});
}

}  // namespace d7
