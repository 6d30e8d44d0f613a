#include "core/model/language_file.h"

#include <algorithm>
#include <cstring>

#include "core/model/name_list.h"

namespace d7 {

namespace {

std::uint32_t readU32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

void writeU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

std::size_t entryOffset(const Bytes& file, int k) {
    return readU32(file, kLanguageHeaderSize + 4 * std::size_t(k));
}

// End of entry k: the next entry's offset, or for the last entry the end
// value after the table, kept within the file.
std::size_t entryEnd(const Bytes& file, int k) {
    if (k + 1 < kLanguageEntries) return entryOffset(file, k + 1);
    return std::min<std::size_t>(readU32(file, kLanguageTableEnd), file.size());
}

}  // namespace

std::optional<std::string> languageFileProblem(const Bytes& file) {
    if (file.size() < kLanguageMinSize)
        return "file is " + std::to_string(file.size()) +
               " bytes, shorter than its offset table (" + std::to_string(kLanguageMinSize) +
               " bytes)";
    std::size_t previous = kLanguageMinSize;
    for (int k = 0; k < kLanguageEntries; ++k) {
        std::size_t offset = entryOffset(file, k);
        if (offset > file.size())
            return "offset of entry " + std::to_string(k) + " (" + std::to_string(offset) +
                   ") points outside the file (" + std::to_string(file.size()) + " bytes)";
        if (offset < previous) {
            if (k == 0)
                return "offset of entry 0 (" + std::to_string(offset) +
                       ") points into the offset table";
            return "offset of entry " + std::to_string(k) + " (" + std::to_string(offset) +
                   ") runs backwards from entry " + std::to_string(k - 1) + " (" +
                   std::to_string(previous) + ")";
        }
        previous = offset;
    }
    return std::nullopt;
}

std::vector<std::string> readNameEntry(const Bytes& file, int k) {
    if (k < 0 || k >= kLanguageEntries || languageFileProblem(file)) return {};
    std::size_t a = entryOffset(file, k);
    std::size_t b = entryEnd(file, k);
    if (b <= a + 1) return {};
    // The entry without its final zero byte; the zero bytes between items
    // become the list delimiter.
    std::string text(reinterpret_cast<const char*>(file.data()) + a, b - a - 1);
    std::replace(text.begin(), text.end(), '\0', ';');
    return splitNameList(text);
}

void writeNameEntry(Bytes& file, int k, const std::vector<std::string>& items) {
    if (k < 0 || k + 1 >= kLanguageEntries || languageFileProblem(file)) return;
    std::string joined = joinNameList(items);
    joined.push_back(';');
    std::replace(joined.begin(), joined.end(), ';', '\0');

    const std::size_t a = entryOffset(file, k);
    const std::size_t b = entryOffset(file, k + 1);
    const std::size_t first = entryOffset(file, 0);
    const long long delta = static_cast<long long>(joined.size()) - static_cast<long long>(b - a);

    Bytes out;
    out.reserve(std::size_t(static_cast<long long>(file.size()) + delta));
    out.insert(out.end(), file.begin(), file.begin() + std::ptrdiff_t(first));
    for (int e = k + 1; e < kLanguageEntries; ++e)
        writeU32(out, kLanguageHeaderSize + 4 * std::size_t(e),
                 std::uint32_t(static_cast<long long>(entryOffset(file, e)) + delta));
    out.insert(out.end(), file.begin() + std::ptrdiff_t(first), file.begin() + std::ptrdiff_t(a));
    out.insert(out.end(), joined.begin(), joined.end());
    out.insert(out.end(), file.begin() + std::ptrdiff_t(b), file.end());
    file = std::move(out);
}

}  // namespace d7
