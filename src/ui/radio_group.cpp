#include "ui/radio_group.h"

#include <QVBoxLayout>

namespace d7::ui {

RadioGroup::RadioGroup(const QString& objectName, const QString& caption, const QStringList& items,
                       QWidget* parent)
    : QGroupBox(caption, parent), buttons_(this) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 4, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setFocusPolicy(Qt::NoFocus);
        buttons_.addButton(b, i);
        layout->addWidget(b);
    }
    layout->addStretch(1);
    connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

void RadioGroup::setItemIndex(int i) {
    if (QAbstractButton* b = buttons_.button(i)) {
        b->setChecked(true);
    } else if (QAbstractButton* checked = buttons_.checkedButton()) {
        buttons_.setExclusive(false);
        checked->setChecked(false);
        buttons_.setExclusive(true);
    }
}

QRadioButton* RadioGroup::button(int i) const {
    return static_cast<QRadioButton*>(buttons_.button(i));
}

}  // namespace d7::ui
