#include "render/trader_window_picture.h"

#include <QPainter>
#include <optional>

#include "core/analysis/town_slots.h"
#include "core/edit/geometry.h"
#include "core/tiles/overlay_colours.h"
#include "render/cell_labels.h"

namespace d7::render {

namespace {

constexpr int kFlatScale = 6;
constexpr int kIsoScale = 3;
constexpr int kIsoSide = 128;

constexpr QRgb kDomainEdge = 0xFFFFFBF0;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kDomainGreen = 0xFF008000;
constexpr QRgb kOtherDomain = 0xFF90EE90;
constexpr QRgb kFlatTown = 0xFFC0C0C0;
constexpr QRgb kFlatRoad = 0xFF808080;
constexpr QRgb kIsoTown = 0xFF2F4F4F;
constexpr QRgb kIsoRoad = 0xFFCD853F;
constexpr QRgb kServingTown = 0xFFFFFF00;
constexpr int kServingColourBase = 9;  // domain colour table entry of trader 1's towns

QRgb rgb(std::uint32_t colour) {
    return QRgb(tiles::pixelOf(colour));
}

QRgb domainColour(const EditorState& st, int d) {
    return rgb(tiles::overlayColour(d, st.gfx.colourSets.domain));
}

bool marked(const AiPreference& p, int d) {
    return d != 0 && (d == p.start || d == p.first || d == p.second);
}

// The domains whose town serves trader t (none for 0).
std::array<bool, kCountyRecords> servingDomains(const EditorState& st, int t) {
    std::array<bool, kCountyRecords> serving{};
    for (int d = 1; d <= kMaxDomain; ++d) serving[std::size_t(d)] = t > 0 && HasTrader(st, d, t);
    return serving;
}

bool serves(const std::array<bool, kCountyRecords>& serving, int d) {
    return d >= 0 && d < kCountyRecords && serving[std::size_t(d)];
}

// A cell at the edge of its domain towards east or north; neighbours off
// the grid make no edge.
bool domainEdge(const WorkingPlanes& p, int x, int y) {
    const int d = p.M5.at(x, y);
    return (x + 1 < kGrid && p.M5.at(x + 1, y) != d) || (y > 0 && p.M5.at(x, y - 1) != d);
}

QImage flatPicture(const EditorState& st, const TraderPictureOptions& options) {
    const WorkingPlanes& p = st.planes;
    const auto serving =
        servingDomains(st, options.mode == TraderWindowMode::Routes ? options.trader : 0);
    QImage image(kGrid, kGrid, QImage::Format_RGB32);
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int d = p.M5.at(x, y), m0 = p.M0.at(x, y);
            QRgb c = kDomainGreen;
            if (domainEdge(p, x, y))
                c = kDomainEdge;
            else if (d == 0)
                c = kBlack;
            else if (options.mode == TraderWindowMode::AiPreferences)
                c = marked(options.prefs, d) ? domainColour(st, options.prefs.start) : kOtherDomain;
            if (m0 == flags::kTown) c = kFlatTown;
            if (m0 & flags::kRoad) c = kFlatRoad;
            if (m0 == flags::kTown && serves(serving, d))
                c = domainColour(st, kServingColourBase + options.trader - 1);
            image.setPixel(x, y, c);
        }
    return image;
}

QImage isometricPicture(const EditorState& st, const TraderPictureOptions& options) {
    const WorkingPlanes& p = st.planes;
    const auto serving =
        servingDomains(st, options.mode == TraderWindowMode::Routes ? options.trader : 0);
    QImage image(kIsoSide, kIsoSide, QImage::Format_RGB32);
    image.fill(kBlack);
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            const int d = p.M5.at(x, y), m0 = p.M0.at(x, y);
            const bool domain = d != kNoDomain && d != kLandWithoutDomain;
            std::optional<QRgb> c;
            if (domain) c = domainColour(st, d);
            if (domain && options.mode == TraderWindowMode::AiPreferences &&
                marked(options.prefs, d))
                c = domainColour(st, options.prefs.start);
            if (domain && options.mode == TraderWindowMode::Climate)
                c = rgb(climateColour(climateValue(d, options.season)));
            if (options.mode != TraderWindowMode::Climate) {
                if (m0 == flags::kTown) c = serves(serving, d) ? kServingTown : kIsoTown;
                if (m0 & flags::kRoad) c = kIsoRoad;
            }
            if (!c) continue;
            image.setPixel(x - y + kGrid, x + y, *c);
            image.setPixel(x - y + kGrid, x + y + 1, *c);
        }
    return image;
}

// "S" on the start domain's town, "1" and "2" on the preferences' towns.
void drawPreferenceLabels(QPainter& painter, const EditorState& st,
                          const TraderPictureOptions& options) {
    const bool flat = options.view == TraderWindowView::Flat;
    painter.setFont(labelFont(flat ? 12 : 10));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(flat ? QColor(Qt::black) : QColor(Qt::white));
    painter.setPen(flat ? QColor(Qt::white)
                        : QColor::fromRgb(domainColour(st, options.prefs.start)));
    const std::pair<int, const char*> labels[] = {
        {options.prefs.start, "S"}, {options.prefs.first, "1"}, {options.prefs.second, "2"}};
    for (const auto& [d, text] : labels) {
        if (d < 1 || d > kMaxDomain) continue;
        const Point t = st.CountyTable[std::size_t(d)].townPos;
        if (!inMap(t.x, t.y)) continue;
        const QPoint at =
            flat ? QPoint(kFlatScale * t.x, kFlatScale * t.y)
                 : QPoint(kIsoScale * (t.x - t.y + kGrid) - 4, kIsoScale * (t.x + t.y));
        painter.drawText(QRect(at, QSize(60, 30)), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromLatin1(text));
    }
}

}  // namespace

QImage traderWindowPicture(const EditorState& st, const TraderPictureOptions& options) {
    const bool flat = options.view == TraderWindowView::Flat;
    const QImage small = flat ? flatPicture(st, options) : isometricPicture(st, options);
    QImage picture = small.scaled(kTraderPictureSide, kTraderPictureSide, Qt::IgnoreAspectRatio,
                                  Qt::FastTransformation);
    picture.setDotsPerMeterX(kPictureDotsPerMeter);
    picture.setDotsPerMeterY(kPictureDotsPerMeter);
    if (options.mode == TraderWindowMode::AiPreferences && options.prefs.start != 0) {
        QPainter painter(&picture);
        drawPreferenceLabels(painter, st, options);
    }
    return picture;
}

Point traderPictureCell(TraderWindowView view, int px, int py) {
    if (view == TraderWindowView::Flat) return {px / kFlatScale, py / kFlatScale};
    const int y = (py / kIsoScale - px / kIsoScale) / 2 + kGrid / 2;
    return {py / kIsoScale - y, y};
}

}  // namespace d7::render
