#include "core/model/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace d7 {

namespace {

std::string osReason(int err) {
    return std::strerror(err);
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char p, unsigned char q) {
               auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
               return lower(p) == lower(q);
           });
}

// Closes the descriptor and removes the temporary file unless released.
class TemporaryFile {
  public:
    TemporaryFile(int fd, fs::path path) : fd_(fd), path_(std::move(path)) {}
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    int close() {
        int r = ::close(fd_);
        fd_ = -1;
        return r;
    }
    void release() { path_.clear(); }

  private:
    int fd_;
    fs::path path_;
};

}  // namespace

void readWholeFileInto(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw FileError(path, osReason(EISDIR));
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(path, osReason(errno));
    auto readSome = [&](std::uint8_t* into, std::size_t n) {
        for (;;) {
            const ssize_t r = ::read(fd, into, n);
            if (r >= 0) return std::size_t(r);
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            throw FileError(path, osReason(err));
        }
    };
    // Straight into the caller's memory, sized to the file: a buffer that held
    // the file before already has its pages, a fresh one would fault every page
    // in again, and a larger one would take twice the memory.
    struct stat st {};
    std::size_t expected = 0;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) expected = std::size_t(st.st_size);
    bytes.resize(expected);
    std::size_t got = 0;
    for (;;) {
        if (got < bytes.size()) {
            const std::size_t n = readSome(bytes.data() + got, bytes.size() - got);
            if (n == 0) break;  // the file shrank
            got += n;
            continue;
        }
        // Whether the file goes on past the size it gave (it grew, or it is
        // one whose size is not known beforehand).
        std::uint8_t more[4096];
        const std::size_t n = readSome(more, sizeof more);
        if (n == 0) break;
        bytes.insert(bytes.end(), more, more + n);
        got += n;
    }
    ::close(fd);
    bytes.resize(got);
}

std::vector<std::uint8_t> readWholeFile(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    readWholeFileInto(path, bytes);
    return bytes;
}

void writeFileAtomic(const fs::path& path, std::span<const std::uint8_t> bytes) {
    fs::path dir = path.parent_path();
    if (dir.empty()) dir = ".";
    // The temporary name is fixed per target so that an interrupted save leaves
    // at most one stray file, never a damaged game file.
    fs::path temp = dir / ("." + path.filename().string() + ".d7irir-tmp");
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw FileError(path, osReason(errno));
    TemporaryFile guard(fd, temp);

    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError(path, osReason(errno));
        }
        done += std::size_t(n);
    }
    if (::fsync(fd) != 0) throw FileError(path, osReason(errno));
    if (guard.close() != 0) throw FileError(path, osReason(errno));
    if (::rename(temp.c_str(), path.c_str()) != 0) throw FileError(path, osReason(errno));
    guard.release();
}

std::optional<fs::path> findCaseInsensitive(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (fs::exists(exact, ec)) return exact;
    fs::directory_iterator it(dir, ec);
    if (ec) return std::nullopt;
    std::optional<fs::path> found;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::string entry = it->path().filename().string();
        // The smallest matching name wins, so the choice does not depend on
        // the order in which the directory lists its entries.
        if (equalsIgnoringCase(entry, name) && (!found || entry < found->filename().string()))
            found = it->path();
    }
    return found;
}

std::optional<fs::path> findPathCaseInsensitive(const fs::path& dir,
                                                const std::vector<std::string>& components) {
    fs::path current = dir;
    for (const std::string& part : components) {
        if (part.empty()) continue;
        auto next = findCaseInsensitive(current, part);
        if (!next) return std::nullopt;
        current = *next;
    }
    return current;
}

fs::path pathForWriting(const fs::path& dir, const std::string& name) {
    if (auto existing = findCaseInsensitive(dir, name)) return *existing;
    return dir / name;
}

bool isExistingFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool isExistingDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

}  // namespace d7
