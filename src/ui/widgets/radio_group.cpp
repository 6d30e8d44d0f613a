#include "ui/widgets/radio_group.h"

#include <QVBoxLayout>

namespace d7::ui {

namespace {

// Qt's own focus bookkeeping changes the items' Tab focus whenever one gets
// the focus; the group puts its one Tab stop back afterwards.
class RadioItem : public QRadioButton {
  public:
    RadioItem(const QString& text, RadioGroup& group) : QRadioButton(text, &group), group_(group) {}

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QRadioButton::focusInEvent(event);
        group_.updateTabStop();
    }

  private:
    RadioGroup& group_;
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
        auto* b = new RadioItem(items[i], *this);
        b->setObjectName(objectName + QStringLiteral("_%1").arg(i));
        buttons_.addButton(b, i);
        layout->addWidget(b);
    }
    layout->addStretch(1);
    // The item's check state, not the mouse click, tells that it was chosen:
    // keyboard and accessibility actions check a radio button without a click.
    connect(&buttons_, &QButtonGroup::idToggled, this, &RadioGroup::itemToggled);
    updateTabStop();
}

void RadioGroup::updateTabStop() {
    const QList<QAbstractButton*> items = buttons_.buttons();
    QAbstractButton* stop = buttons_.checkedButton();
    if (!stop && !items.isEmpty()) stop = items.first();
    for (QAbstractButton* b : items)
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void RadioGroup::itemToggled(int i, bool checked) {
    updateTabStop();
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
