#include "ui/dialogs/shift_distance_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/edit/whole_map.h"
#include "ui/dialogs/dialog_buttons.h"

namespace d7::ui {

ShiftDistanceDialog::ShiftDistanceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ShiftDistanceDialog"));
    setWindowTitle(QString::fromLatin1(kShiftCaption));

    question = new QLabel(QString::fromLatin1(kShiftQuestion), this);
    question->setObjectName(QStringLiteral("question"));
    ed_distance = new QLineEdit(this);
    ed_distance->setObjectName(QStringLiteral("ed_distance"));
    ed_distance->setAccessibleName(QString::fromLatin1(kShiftCaption));
    question->setBuddy(ed_distance);

    const DialogButtons buttons = makeOkCancelButtons(this);
    bt_ok = buttons.ok;
    bt_cancel = buttons.cancel;
    connect(bt_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(bt_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(bt_ok);
    row->addWidget(bt_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(ed_distance);
    layout->addLayout(row);
}

std::optional<std::string> ShiftDistanceDialog::askDistance() {
    ed_distance->clear();
    ed_distance->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return ed_distance->text().toStdString();
}

}  // namespace d7::ui
