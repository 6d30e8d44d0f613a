#include "ui/name_text.h"

#include <array>
#include <unordered_map>

#include "core/model/windows1252.h"

namespace d7::ui {

namespace {

// The character of every byte, taken from the core's own conversion so that
// file names and shown names always agree.
struct CodePage {
    std::array<char16_t, 256> charOf{};
    std::unordered_map<char16_t, char> byteOf;

    CodePage() {
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, char(b));
            const QString text = QString::fromUtf8(utf8FromWindows1252(one));
            charOf[std::size_t(b)] = text.isEmpty() ? char16_t(b) : text.at(0).unicode();
            byteOf.emplace(charOf[std::size_t(b)], char(b));
        }
    }
};

const CodePage& codePage() {
    static const CodePage page;
    return page;
}

}  // namespace

QString textFromName(std::string_view bytes) {
    const CodePage& page = codePage();
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (char b : bytes) text.append(QChar(page.charOf[std::uint8_t(b)]));
    return text;
}

std::optional<std::string> nameFromText(const QString& text) {
    const CodePage& page = codePage();
    std::string bytes;
    bytes.reserve(std::size_t(text.size()));
    for (QChar c : text) {
        auto it = page.byteOf.find(c.unicode());
        if (it == page.byteOf.end()) return std::nullopt;
        bytes += it->second;
    }
    return bytes;
}

bool isNameCharacter(QChar c) {
    return c != QLatin1Char(';') && codePage().byteOf.contains(c.unicode());
}

}  // namespace d7::ui
