// How a line of a domain list is drawn: the domain number, a swatch of its
// colour, the players who start there in bold, and the name.
#pragma once

#include <QString>
#include <QStyledItemDelegate>
#include <vector>

#include "core/model/editor_state.h"

namespace d7::ui {

inline constexpr int kDomainItemHeight = 13;

// The players (1..5) whose starting position lies in the domain of list row i.
std::vector<int> startingPlayers(const EditorState& st, int row);

// What assistive technology reads for row i: the domain number and the
// players starting there, as the row draws them, then the name.
QString domainRowDescription(const EditorState& st, int row, const QString& name);

class DomainListDelegate : public QStyledItemDelegate {
  public:
    DomainListDelegate(const EditorState& st, bool showStartPositions, QObject* parent)
        : QStyledItemDelegate(parent), st_(st), showStartPositions_(showStartPositions) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    const EditorState& st_;
    bool showStartPositions_;
};

}  // namespace d7::ui
