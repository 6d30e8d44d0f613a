#include "ui/dialogs/list_choice_dialog.h"

namespace d7::ui {

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

ListChoiceDialog::ListChoiceDialog(const QString& listName, QSize listSize, QWidget* parent)
    : QDialog(parent) {
    list_ = new QListWidget(this);
    list_->setObjectName(listName);
    list_->setGeometry(kMargin, kMargin, listSize.width(), listSize.height());

    const int top = 2 * kMargin + listSize.height();
    const int width = std::max(listSize.width(), 2 * kButtonWidth + kMargin) + 2 * kMargin;
    bt_ok = new QPushButton(QStringLiteral("OK"), this);
    bt_ok->setObjectName(QStringLiteral("bt_ok"));
    bt_ok->setDefault(true);
    bt_ok->setGeometry(width - 2 * kButtonWidth - 2 * kMargin, top, kButtonWidth, kButtonHeight);
    bt_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    bt_cancel->setObjectName(QStringLiteral("bt_cancel"));
    bt_cancel->setAutoDefault(false);
    bt_cancel->setGeometry(width - kButtonWidth - kMargin, top, kButtonWidth, kButtonHeight);
    setFixedSize(width, top + kButtonHeight + kMargin);

    connect(bt_ok, &QPushButton::clicked, this, &ListChoiceDialog::acceptIfSelected);
    connect(bt_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ListChoiceDialog::acceptIfSelected);
}

void ListChoiceDialog::acceptIfSelected() {
    if (list_->currentRow() >= 0 && list_->currentItem()->isSelected()) accept();
}

std::optional<int> ListChoiceDialog::choose(const QStringList& lines) {
    list_->clear();
    list_->addItems(lines);
    list_->setCurrentRow(-1);
    list_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return list_->currentRow();
}

}  // namespace d7::ui
