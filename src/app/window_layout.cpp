#include "app/window_layout.h"

#include <charconv>

#include "ui/windows/window_placement.h"

namespace d7::app {

std::optional<QRect> parseWindowRect(const std::string& text) {
    int v[4];
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        while (p < end && *p == ' ') ++p;
        const auto [next, ec] = std::from_chars(p, end, v[i]);
        if (ec != std::errc()) return std::nullopt;
        p = next;
        while (p < end && *p == ' ') ++p;
        if (i < 3) {
            if (p == end || *p != ',') return std::nullopt;
            ++p;
        }
    }
    if (p != end || v[2] <= 0 || v[3] <= 0) return std::nullopt;
    return QRect(v[0], v[1], v[2], v[3]);
}

std::string windowRectText(const QRect& rect) {
    return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + "," +
           std::to_string(rect.width()) + "," + std::to_string(rect.height());
}

void storeWindowLayout(ui::Editor& ed, IniFile& ini) {
    for (QWidget* w : ed.layoutWindows())
        ini.setValue(kWindowSection, w->objectName().toStdString(),
                     windowRectText(QRect(w->pos(), w->size())));
}

void restoreWindowLayout(ui::Editor& ed, const IniFile& ini, const QList<QRect>& screens) {
    for (QWidget* w : ed.layoutWindows()) {
        const auto rect = parseWindowRect(ini.value(kWindowSection, w->objectName().toStdString()));
        if (!rect || !ui::reachableOnScreens(*rect, screens)) continue;
        w->move(rect->topLeft());
        // Fixed-size windows keep their size; the others no larger than a screen.
        if (w->minimumSize() == w->maximumSize()) continue;
        QSize size = rect->size();
        for (const QRect& screen : screens)
            if (screen.intersects(*rect)) size = size.boundedTo(screen.size());
        w->resize(size);
    }
}

void saveWindowLayout(ui::Editor& ed, const std::filesystem::path& iniPath) {
    IniFile ini = IniFile::load(iniPath);
    storeWindowLayout(ed, ini);
    ini.save(iniPath);
}

}  // namespace d7::app
