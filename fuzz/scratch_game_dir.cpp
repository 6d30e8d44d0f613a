#include "fuzz/scratch_game_dir.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace d7::fuzz {

namespace {

constexpr std::size_t kZeroBlock = 65536;
// Files are compared in pieces of this size: what differs is written whole.
constexpr std::size_t kPiece = 4096;

// Bytes [from, to) of a file that holds `bytes` and zeros after them; the
// range lies on one side of bytes.size() and within kZeroBlock past it.
Input slice(Input bytes, std::size_t from, std::size_t to) {
    return from >= bytes.size() ? zeros(to - from) : bytes.subspan(from, to - from);
}

// Calls use(from, to) for consecutive ranges covering [from, to), each on one
// side of both cuts and at most kZeroBlock long.
template <typename Use>
bool forEachRange(std::size_t from, std::size_t to, std::size_t cut1, std::size_t cut2, Use use) {
    while (from < to) {
        std::size_t end = std::min(to, from + kZeroBlock);
        for (std::size_t cut : {cut1, cut2})
            if (cut > from) end = std::min(end, cut);
        if (!use(from, end)) return false;
        from = end;
    }
    return true;
}

// Whether files holding a and b (each followed by zeros) agree on [from, to).
bool sameRange(Input a, Input b, std::size_t from, std::size_t to) {
    return forEachRange(from, to, a.size(), b.size(), [&](std::size_t f, std::size_t t) {
        return std::memcmp(slice(a, f, t).data(), slice(b, f, t).data(), t - f) == 0;
    });
}

bool writeRange(int fd, Input bytes, std::size_t from, std::size_t to) {
    return forEachRange(from, to, bytes.size(), bytes.size(), [&](std::size_t f, std::size_t t) {
        for (Input piece = slice(bytes, f, t); !piece.empty();) {
            const ssize_t n = ::pwrite(fd, piece.data(), piece.size(), off_t(f));
            if (n <= 0) return false;
            piece = piece.subspan(std::size_t(n));
            f += std::size_t(n);
        }
        return true;
    });
}

}  // namespace

Input zeros(std::size_t n) {
    static const Bytes kZeros(kZeroBlock, 0);
    return Input(kZeros).first(std::min(n, kZeros.size()));
}

bool PaddedPart::isIn(const Bytes& file) const {
    return file.size() == size() && sameRange(bytes, file, 0, size());
}

ScratchGameDir::ScratchGameDir() {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string templ = (base / "d7irir-fuzz-XXXXXX").string();
    if (::mkdtemp(templ.data())) path_ = templ;
}

ScratchGameDir::~ScratchGameDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

bool ScratchGameDir::put(const std::string& name, const PaddedPart& part) {
    Held& held = held_[name];
    // Of a file in an unknown state everything is written. Beyond the longer
    // of the two parts both hold zeros (cutting a file to a larger size
    // fills it with zeros), so only the range up to there can differ.
    std::size_t from = 0, to = part.size();
    const bool holds = held.state == Held::State::Holds;
    if (holds) {
        to = std::min(std::max(held.bytes.size(), part.bytes.size()), part.size());
        while (from < to && sameRange(held.bytes, part.bytes, from, std::min(to, from + kPiece)))
            from += kPiece;
        std::size_t last = from < to ? (to - 1) / kPiece * kPiece : from;
        while (last > from && sameRange(held.bytes, part.bytes, last, std::min(to, last + kPiece)))
            last -= kPiece;
        to = from < to ? std::min(to, last + kPiece) : from;
        if (from == to && held.size == part.size()) return true;
    }
    const bool sameSize = holds && held.size == part.size();
    held.state = Held::State::Unknown;  // until it is written whole
    const int fd = ::open((path_ / name).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool good = writeRange(fd, part.bytes, from, to);
    if (good && !sameSize) good = ::ftruncate(fd, off_t(part.size())) == 0;
    if (::close(fd) != 0 || !good) return false;
    held.bytes.assign(part.bytes.begin(), part.bytes.end());
    held.size = part.size();
    held.state = Held::State::Holds;
    return true;
}

void ScratchGameDir::remove(const std::string& name) {
    Held& held = held_[name];
    if (held.state == Held::State::Absent) return;
    ::unlink((path_ / name).c_str());
    held.state = Held::State::Absent;
}

}  // namespace d7::fuzz
