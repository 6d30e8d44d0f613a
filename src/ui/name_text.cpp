#include "ui/name_text.h"

#include "core/model/name_encoding.h"
#include "core/model/windows1252.h"

namespace d7::ui {

// Every character of the code page lies in the Basic Multilingual Plane, so
// one QChar holds it.
QString textFromName(std::string_view bytes) {
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (char b : bytes) text.append(QChar(char16_t(charOfWindows1252(std::uint8_t(b)))));
    return text;
}

QString shownName(std::string_view bytes) {
    if (bytes.size() <= std::size_t(kShownNameCharacters)) return textFromName(bytes);
    return textFromName(bytes.substr(0, std::size_t(kShownNameCharacters))) + QChar(0x2026);
}

std::optional<std::string> nameFromText(const QString& text) {
    std::string bytes;
    bytes.reserve(std::size_t(text.size()));
    for (QChar c : text) {
        const auto byte = windows1252ByteOf(c.unicode());
        if (!byte) return std::nullopt;
        bytes += char(*byte);
    }
    return bytes;
}

bool isNameCharacter(QChar c) {
    return d7::isNameCharacter(c.unicode());
}

}  // namespace d7::ui
