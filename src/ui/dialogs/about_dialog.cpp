#include "ui/dialogs/about_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace d7::ui {

Taboutform::Taboutform(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Taboutform"));
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    const char* lines[] = {
        "Thornvale Map Editor v 1.02",
        "For everyone who has ever drawn a kingdom on squared paper first.",
        "... and now I don't have to hexedit the maps by hand anymore.",
    };
    for (const char* line : lines) {
        auto* label = new QLabel(QString::fromUtf8(line), this);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("bt_ok"));
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(kWidth, kHeight);
}

void Taboutform::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

}  // namespace d7::ui
