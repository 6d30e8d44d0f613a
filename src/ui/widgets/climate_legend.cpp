#include "ui/widgets/climate_legend.h"

#include <QPainter>

#include "core/tiles/overlay_colours.h"
#include "render/qt_colour.h"

namespace d7::ui {

namespace {

// Where each row begins in the widget, so that a value wider than the room
// before the swatch still shows.
constexpr int kRowLeft = 6;
constexpr int kValueRight = 17;  // the value ends here
constexpr int kSwatchLeft = 20;
constexpr int kSwatchWidth = 20;
constexpr int kTextLeft = 42;

}  // namespace

ClimateLegend::ClimateLegend(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("lb_climate"));
    setAccessibleName(QStringLiteral("Climate legend"));
    setFixedHeight(kRowHeight * kClimateValueCount);
}

void ClimateLegend::setSeason(ClimateSeason season) {
    season_ = season;
    update();
}

QString ClimateLegend::rowText(int i) const {
    if (i < 0 || i >= kClimateValueCount) return {};
    const char* range = climateRangeText(kClimateLegend[std::size_t(i)].value, season_);
    return range ? QStringLiteral("Domains ") + QString::fromLatin1(range) : QString();
}

void ClimateLegend::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    for (int i = 0; i < kClimateValueCount; ++i) {
        const ClimateLegendRow& row = kClimateLegend[std::size_t(i)];
        const int top = i * kRowHeight;
        painter.setPen(palette().windowText().color());
        painter.drawText(QRect(0, top, kRowLeft + kValueRight, kRowHeight), flags | Qt::AlignRight,
                         QString::number(row.value));
        painter.fillRect(QRect(kRowLeft + kSwatchLeft, top + 1, kSwatchWidth, kRowHeight - 2),
                         render::qtColour(row.rgb));
        const int textLeft = kRowLeft + kTextLeft;
        painter.drawText(QRect(textLeft, top, width() - textLeft, kRowHeight),
                         flags | Qt::AlignLeft, rowText(i));
    }
}

}  // namespace d7::ui
