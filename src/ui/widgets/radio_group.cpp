#include "ui/widgets/radio_group.h"

#include <QVBoxLayout>

namespace d7::ui {

namespace {

// Qt lets Tab reach only the checked button of a group (the arrow keys are
// meant to move within it), but here the arrow keys scroll the map: every
// item keeps its place in the Tab order.
void keepInTabOrder(const QButtonGroup& group) {
    for (QAbstractButton* b : group.buttons()) b->setFocusPolicy(Qt::StrongFocus);
}

class RadioItem : public QRadioButton {
  public:
    RadioItem(const QString& text, const QButtonGroup& group, QWidget* parent)
        : QRadioButton(text, parent), group_(group) {}

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QRadioButton::focusInEvent(event);
        keepInTabOrder(group_);
    }

  private:
    const QButtonGroup& group_;
};

}  // namespace

RadioGroup::RadioGroup(const QString& objectName, const QString& caption, const QStringList& items,
                       QWidget* parent)
    : QGroupBox(caption, parent), buttons_(this) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 4, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new RadioItem(items[i], buttons_, this);
        b->setObjectName(objectName + QStringLiteral("_%1").arg(i));
        buttons_.addButton(b, i);
        layout->addWidget(b);
    }
    layout->addStretch(1);
    // The item's check state, not the mouse click, tells that it was chosen:
    // keyboard and accessibility actions check a radio button without a click.
    connect(&buttons_, &QButtonGroup::idToggled, this, &RadioGroup::itemToggled);
}

void RadioGroup::itemToggled(int i, bool checked) {
    keepInTabOrder(buttons_);
    if (checked && !settingFromCode_) emit clicked(i);
}

void RadioGroup::setItemIndex(int i) {
    settingFromCode_ = true;
    if (QAbstractButton* b = buttons_.button(i)) {
        b->setChecked(true);
    } else if (QAbstractButton* checked = buttons_.checkedButton()) {
        buttons_.setExclusive(false);
        checked->setChecked(false);
        buttons_.setExclusive(true);
    }
    settingFromCode_ = false;
}

QRadioButton* RadioGroup::button(int i) const {
    return static_cast<QRadioButton*>(buttons_.button(i));
}

}  // namespace d7::ui
