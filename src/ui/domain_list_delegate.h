// How a line of a domain list is drawn: the domain number, a swatch of its
// colour, the players who start there in bold, and the name.
#pragma once

#include <QStyledItemDelegate>

#include "core/model/editor_state.h"

namespace d7::ui {

inline constexpr int kDomainItemHeight = 13;

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
