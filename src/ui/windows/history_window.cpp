#include "ui/windows/history_window.h"

#include <QVBoxLayout>

#include "core/model/map_access.h"

namespace d7::ui {

QString historyLineText(const MapHistory& h, std::size_t position) {
    QString text = position == 0 ? (h.baseId == 0 ? QStringLiteral("As loaded")
                                                  : QStringLiteral("Before the oldest step kept"))
                                 : QString::fromStdString(h.steps[position - 1].name);
    if (h.savedPosition() == int(position)) text += QStringLiteral("  (saved)");
    return text;
}

Thistoryform::Thistoryform(const EditorState& st, QWidget* parent)
    : QWidget(parent, Qt::Tool), st_(st), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("historyform"));
    setWindowTitle(QStringLiteral("History"));
    setAccessibleName(QStringLiteral("History"));
    list_->setObjectName(QStringLiteral("historyList"));
    list_->setAccessibleName(QStringLiteral("Steps of the current map"));
    list_->setAccessibleDescription(
        QStringLiteral("Choosing a step (Enter or a click) undoes or redoes up to it"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_);
    resize(220, 320);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit positionChosen(list_->row(item)); });
    connect(list_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit positionChosen(list_->row(item)); });
}

void Thistoryform::refresh() {
    if (!isVisible()) return;
    const MapHistory& h = st_.history.map(isMapNumber(st_.curMap) ? st_.curMap : 0);
    const QSignalBlocker block(list_);
    list_->clear();
    const QColor undone = palette().color(QPalette::Disabled, QPalette::Text);
    for (std::size_t p = 0; p <= h.steps.size(); ++p) {
        auto* item = new QListWidgetItem(historyLineText(h, p), list_);
        if (p > h.applied) {
            item->setForeground(undone);
            item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("undone"));
        }
    }
    list_->setCurrentRow(int(h.applied));
    list_->scrollToItem(list_->currentItem());
}

void Thistoryform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    emit shownChanged(true);
}

void Thistoryform::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit shownChanged(false);
}

}  // namespace d7::ui
