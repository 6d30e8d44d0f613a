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

}  // namespace

void readWholeFileInto(const fs::path& path, std::vector<std::uint8_t>& bytes, std::size_t limit) {
    // Without waiting: opening a FIFO would otherwise block until someone
    // writes into it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) throw FileError(path, osReason(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw FileError(path, osReason(errno));
    if (!S_ISREG(st.st_mode)) throw FileError(path, "is not a regular file");
    auto tooLarge = [&](std::uintmax_t size) {
        return FileError(path, "is " + std::to_string(size) + " bytes, more than the " +
                                   std::to_string(limit) + " such a file may have");
    };
    if (st.st_size > 0 && std::uintmax_t(st.st_size) > limit) throw tooLarge(st.st_size);
    auto readSome = [&](std::uint8_t* into, std::size_t n) {
        for (;;) {
            const ssize_t r = ::read(fd, into, n);
            if (r >= 0) return std::size_t(r);
            if (errno != EINTR) throw FileError(path, osReason(errno));
        }
    };
    // Straight into the caller's memory, sized to the file: a buffer that held
    // the file before already has its pages, a fresh one would fault every page
    // in again, and a larger one would take twice the memory.
    bytes.resize(std::size_t(std::max<off_t>(st.st_size, 0)));
    std::size_t got = 0;
    for (;;) {
        if (got < bytes.size()) {
            const std::size_t n = readSome(bytes.data() + got, bytes.size() - got);
            if (n == 0) break;  // the file shrank
            got += n;
            continue;
        }
        // Whether the file goes on past the size it gave (it grew, or it is
        // one whose size is not known beforehand), never past the limit.
        std::uint8_t more[4096];
        const std::size_t n = readSome(more, sizeof more);
        if (n == 0) break;
        if (got + n > limit) throw tooLarge(got + n);
        bytes.insert(bytes.end(), more, more + n);
        got += n;
    }
    bytes.resize(got);
}

std::vector<std::uint8_t> readWholeFile(const fs::path& path, std::size_t limit) {
    std::vector<std::uint8_t> bytes;
    readWholeFileInto(path, bytes, limit);
    return bytes;
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
