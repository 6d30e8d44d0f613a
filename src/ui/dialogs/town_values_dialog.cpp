#include "ui/dialogs/town_values_dialog.h"

#include <QLabel>
#include <QLineEdit>

namespace d7::ui {

namespace {

// A field that only the up-down buttons (and the arrow keys) change.
QSpinBox* slotField(const char* name, int lowest, const char* caption, int top, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setGeometry(16, top, 60, 22);
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(lowest, 6);
    box->findChild<QLineEdit*>()->setReadOnly(true);
    box->setGeometry(80, top, 60, 22);
    box->setAccessibleName(QString::fromLatin1(caption));
    label->setBuddy(box);
    return box;
}

}  // namespace

Ttvform::Ttvform(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Ttvform"));
    setWindowTitle(QStringLiteral("Town Values"));
    ud_v1 = slotField("ud_v1", 1, "Slot &1", 16, this);
    ud_v2 = slotField("ud_v2", 0, "Slot &2", 44, this);
    ud_v3 = slotField("ud_v3", 0, "Slot &3", 72, this);
    bt_ok = new QPushButton(QStringLiteral("OK"), this);
    bt_ok->setObjectName(QStringLiteral("bt_ok"));
    bt_ok->setDefault(true);
    bt_ok->setGeometry(16, 108, 75, 25);
    bt_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    bt_cancel->setObjectName(QStringLiteral("bt_cancel"));
    bt_cancel->setAutoDefault(false);
    bt_cancel->setGeometry(99, 108, 75, 25);
    connect(bt_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(bt_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(190, 145);
}

std::optional<TownSlots> Ttvform::askSlots(const TownSlots& preset) {
    ud_v1->setValue(preset[0]);
    ud_v2->setValue(preset[1]);
    ud_v3->setValue(preset[2]);
    ud_v1->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return TownSlots{ud_v1->value(), ud_v2->value(), ud_v3->value()};
}

}  // namespace d7::ui
