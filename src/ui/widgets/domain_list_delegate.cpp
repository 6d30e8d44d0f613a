#include "ui/widgets/domain_list_delegate.h"

#include <QPainter>

#include "core/edit/geometry.h"
#include "core/model/map_access.h"
#include "core/tiles/overlay_colours.h"
#include "render/qt_colour.h"
#include "ui/name_text.h"

namespace d7::ui {

namespace {

constexpr int kNumberLeft = 2;
constexpr int kSwatchLeft = 20;
constexpr int kSwatchWidth = 20;
constexpr int kPlayerLeft = 25;
constexpr int kNameLeft = 42;

}  // namespace

std::vector<int> startingPlayers(const EditorState& st, int row) {
    std::vector<int> players;
    for (int p = 1; p <= kStartPositions; ++p)
        if (st.StartDomains[std::size_t(p)] == row) players.push_back(p);
    return players;
}

QString domainRowDescription(const EditorState& st, int row, const QString& name) {
    QString text = QString::number(listDomain(row));
    const std::vector<int> players = startingPlayers(st, row);
    for (std::size_t k = 0; k < players.size(); ++k)
        text += (k == 0 ? QStringLiteral(", start of player ") : QStringLiteral(", ")) +
                QString::number(players[k]);
    return text + QStringLiteral(", ") + name;
}

void DomainListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const int i = index.row();
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    painter->save();
    painter->fillRect(r, selected ? pal.highlight() : pal.base());

    const int domain = listDomain(i);
    const std::uint32_t rgb = tiles::overlayColour(domain, st_.gfx.colourSets.domain);
    painter->fillRect(QRect(r.left() + kSwatchLeft, r.top(), kSwatchWidth, r.height()),
                      render::qtColour(rgb));

    painter->setPen(selected ? pal.highlightedText().color() : pal.text().color());
    QFont font = option.font;
    painter->setFont(font);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter->drawText(r.adjusted(kNumberLeft, 0, 0, 0), flags, QString::number(domain));

    if (showStartPositions_) {
        QFont bold = font;
        bold.setBold(true);
        painter->setFont(bold);
        for (int p : startingPlayers(st_, i))
            painter->drawText(r.adjusted(kPlayerLeft, 0, 0, 0), flags, QString::number(p));
        painter->setFont(font);
    }

    painter->drawText(r.adjusted(kNameLeft, 0, 0, 0), flags,
                      shownName(domainNameSlot(st_, st_.curMap, i)));
    painter->restore();
}

QSize DomainListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kDomainItemHeight};
}

}  // namespace d7::ui
