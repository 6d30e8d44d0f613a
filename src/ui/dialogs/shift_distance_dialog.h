// "Shift Map"'s question: how many cells the map is to move.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <string>

namespace d7::ui {

class ShiftDistanceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ShiftDistanceDialog(QWidget* parent = nullptr);

    QLabel* question;
    QLineEdit* ed_distance;
    QPushButton* bt_ok;
    QPushButton* bt_cancel;

    // Shows the dialog modally with an empty field; the answer as typed, or
    // nothing on Cancel.
    std::optional<std::string> askDistance();
};

}  // namespace d7::ui
