#include "core/model/recovery_file.h"

#include <cstring>
#include <string_view>

namespace d7 {

namespace {

constexpr std::string_view kMagic = "D7IRIR RECOVERY\n";
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kLongestPath = 4096;
constexpr std::size_t kRangeHeader = 3 * 8;

class Writer {
  public:
    explicit Writer(Bytes& out) : out_(out) {}
    void u32(std::uint32_t v) { put(v, 4); }
    void u64(std::uint64_t v) { put(v, 8); }
    void bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    void text(const std::string& s) {
        u32(std::uint32_t(s.size()));
        out_.insert(out_.end(), s.begin(), s.end());
    }

  private:
    void put(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) out_.push_back(std::uint8_t(v >> (8 * i)));
    }
    Bytes& out_;
};

class Reader {
  public:
    Reader(std::span<const std::uint8_t> bytes, const fs::path& file) : in_(bytes), file_(file) {}
    [[noreturn]] void refuse(const std::string& why) const {
        throw FileError(file_, "not a usable recovery file: " + why);
    }
    std::size_t left() const { return in_.size() - at_; }
    std::uint64_t number(int n) {
        need(std::size_t(n));
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i) v |= std::uint64_t(in_[at_ + std::size_t(i)]) << (8 * i);
        at_ += std::size_t(n);
        return v;
    }
    std::uint32_t u32() { return std::uint32_t(number(4)); }
    std::uint64_t u64() { return number(8); }
    std::span<const std::uint8_t> bytes(std::uint64_t n) {
        if (n > left()) refuse("it ends early");
        const auto b = in_.subspan(at_, std::size_t(n));
        at_ += std::size_t(n);
        return b;
    }
    std::string text() {
        const std::uint32_t n = u32();
        if (n > kLongestPath) refuse("a directory name is too long");
        const auto b = bytes(n);
        std::string s(b.begin(), b.end());
        if (s.find('\0') != std::string::npos) refuse("a directory name holds a zero byte");
        return s;
    }

  private:
    void need(std::size_t n) const {
        if (n > left()) refuse("it ends early");
    }
    std::span<const std::uint8_t> in_;
    std::size_t at_ = 0;
    const fs::path& file_;
};

RecoveryImage readImage(Reader& in, int i) {
    RecoveryImage image;
    image.baseSize = in.u64();
    image.baseChecksum = in.u32();
    image.size = in.u64();
    image.checksum = in.u32();
    if (!isSetImageSize(i, image.baseSize) || !isSetImageSize(i, image.size))
        in.refuse("file " + std::to_string(i) + " has a size no such file has");
    const std::uint32_t count = in.u32();
    if (count > in.left() / kRangeHeader) in.refuse("it ends early");
    std::uint64_t from = 0, out = 0;
    image.ranges.reserve(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        RecoveryRange range;
        range.offset = in.u64();
        range.removed = in.u64();
        const std::uint64_t length = in.u64();
        if (range.offset < from || range.offset > image.baseSize ||
            range.removed > image.baseSize - range.offset)
            in.refuse("a change of file " + std::to_string(i) +
                      " lies outside it or overlaps another");
        out += range.offset - from;
        if (length > image.size || out + length > image.size)
            in.refuse("the changes of file " + std::to_string(i) + " make it larger than recorded");
        const auto b = in.bytes(length);
        range.bytes.assign(b.begin(), b.end());
        out += length;
        from = range.offset + range.removed;
        image.ranges.push_back(std::move(range));
    }
    if (out + (image.baseSize - from) != image.size)
        in.refuse("the changes of file " + std::to_string(i) + " do not make the size recorded");
    return image;
}

}  // namespace

Bytes encodeRecovery(const Recovery& r) {
    Bytes out;
    std::size_t size = 256;
    for (const RecoveryImage& image : r.images)
        for (const RecoveryRange& range : image.ranges) size += kRangeHeader + range.bytes.size();
    out.reserve(size);
    Writer w(out);
    w.bytes({reinterpret_cast<const std::uint8_t*>(kMagic.data()), kMagic.size()});
    w.u32(kVersion);
    w.u64(std::uint64_t(r.changedAt));
    w.u32(std::uint32_t(r.curMap));
    std::uint32_t flags = r.namesChanged ? 1 : 0;
    for (int f = 1; f <= kMapFileCount; ++f)
        if (r.extChanged[std::size_t(f)]) flags |= 1u << f;
    w.u32(flags);
    w.text(r.gameDir);
    w.text(r.mapSetDir);
    for (const RecoveryImage& image : r.images) {
        w.u64(image.baseSize);
        w.u32(image.baseChecksum);
        w.u64(image.size);
        w.u32(image.checksum);
        w.u32(std::uint32_t(image.ranges.size()));
        for (const RecoveryRange& range : image.ranges) {
            w.u64(range.offset);
            w.u64(range.removed);
            w.u64(range.bytes.size());
            w.bytes(range.bytes);
        }
    }
    w.u32(checksumOf(out));
    return out;
}

Recovery decodeRecovery(std::span<const std::uint8_t> bytes, const fs::path& file) {
    Reader whole(bytes, file);
    if (bytes.size() < kMagic.size() + 4 ||
        std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0)
        whole.refuse("it does not start as one");
    const auto body = bytes.first(bytes.size() - 4);
    Reader tail(bytes.subspan(body.size()), file);
    if (checksumOf(body) != tail.u32()) whole.refuse("it is damaged (its checksum is wrong)");

    Reader in(body, file);
    in.bytes(kMagic.size());
    if (in.u32() != kVersion) in.refuse("it was written by another version of the editor");
    Recovery r;
    r.changedAt = std::int64_t(in.u64());
    const std::uint32_t map = in.u32();
    if (map >= std::uint32_t(kMapCount)) in.refuse("no such map number");
    r.curMap = int(map);
    const std::uint32_t flags = in.u32();
    if (flags >> (kMapFileCount + 1)) in.refuse("unknown flags");
    r.namesChanged = flags & 1;
    for (int f = 1; f <= kMapFileCount; ++f) r.extChanged[std::size_t(f)] = (flags >> f) & 1;
    r.gameDir = in.text();
    r.mapSetDir = in.text();
    for (int i = 0; i < kSetImageCount; ++i) r.images[std::size_t(i)] = readImage(in, i);
    if (in.left() != 0) in.refuse("it has bytes after its end");
    return r;
}

}  // namespace d7
