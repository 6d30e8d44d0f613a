// "Town Values": the traders of a town's three route slots, set with up-down
// buttons.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QSpinBox>
#include <optional>

#include "core/analysis/town_slots.h"

namespace d7::ui {

class Ttvform : public QDialog {
    Q_OBJECT
  public:
    explicit Ttvform(QWidget* parent = nullptr);

    // Slot 1 always names a trader (1..6); slots 2 and 3 may be free (0..6).
    QSpinBox* ud_v1;
    QSpinBox* ud_v2;
    QSpinBox* ud_v3;
    QPushButton* bt_ok;
    QPushButton* bt_cancel;

    // Shows the dialog modally, preset with the slots; the values on OK.
    std::optional<TownSlots> askSlots(const TownSlots& preset);
};

}  // namespace d7::ui
