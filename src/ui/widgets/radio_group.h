// A titled group of radio buttons, one below the other, with the index of
// the chosen item (-1 for none) and a signal when the user picks one. The
// group is one stop in the Tab order (its chosen item, or the first when none
// is chosen); the arrow keys move to the next item and choose it.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

namespace d7::ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& objectName, const QString& caption, const QStringList& items,
               QWidget* parent);

    int itemIndex() const { return buttons_.checkedId(); }
    // Chooses item i without emitting clicked (as setting it from code does).
    void setItemIndex(int i);
    int count() const { return int(buttons_.buttons().size()); }
    QRadioButton* button(int i) const;
    // Makes the chosen item the group's one Tab stop.
    void updateTabStop();

  signals:
    // The user chose item i: with the mouse, with the arrow keys, or through
    // assistive technology's press or toggle action. Choosing the item that
    // is already chosen emits nothing.
    void clicked(int i);

  private:
    void itemToggled(int i, bool checked);

    QButtonGroup buttons_;
    bool settingFromCode_ = false;
};

}  // namespace d7::ui
