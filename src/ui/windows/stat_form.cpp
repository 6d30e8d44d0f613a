#include "ui/windows/stat_form.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QVBoxLayout>

#include "ui/name_text.h"

namespace d7::ui {

Tstatform::Tstatform(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tstatform"));
    setWindowTitle(QStringLiteral("Statform"));
    auto* layout = new QVBoxLayout(this);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Report"));
    Memo1->setReadOnly(true);
    // A text cursor that the keys move, so that Return can choose a line.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->installEventFilter(this);
    Memo1->viewport()->installEventFilter(this);
    layout->addWidget(Memo1);

    bt_ok = new QPushButton(QStringLiteral("OK"), this);
    bt_ok->setObjectName(QStringLiteral("bt_ok"));
    bt_ok->setAutoDefault(false);
    layout->addWidget(bt_ok, 0, Qt::AlignHCenter);
    connect(bt_ok, &QPushButton::clicked, this, &QDialog::accept);
    resize(kWidth, kHeight);
}

void Tstatform::clearText() {
    Memo1->clear();
    emit textCleared();
}

void Tstatform::appendLines(const std::vector<std::string>& lines) {
    QStringList texts;
    texts.reserve(qsizetype(lines.size()));
    for (const std::string& line : lines) texts.append(textFromName(line));
    // One append for the whole report: thousands of lines stay instant.
    Memo1->appendPlainText(texts.join(QLatin1Char('\n')));
}

void Tstatform::showWindow(bool modal) {
    Memo1->moveCursor(QTextCursor::Start);
    if (modal) {
        // A window already open without modality must close before it can wait.
        if (isVisible() && !isModal()) hide();
        exec();
        return;
    }
    if (isModal() && isVisible()) return;  // a modal report is still being read
    setModal(false);
    show();
    raise();
    activateWindow();
}

void Tstatform::showReport(const std::vector<std::string>& lines, bool modal) {
    clearText();
    if (!lines.empty()) appendLines(lines);
    showWindow(modal);
}

QStringList Tstatform::lines() const {
    const QString text = Memo1->toPlainText();
    if (text.isEmpty()) return {};
    return text.split(QLatin1Char('\n'));
}

bool Tstatform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        emit lineChosen(Memo1->cursorForPosition(at).block().text());
        return true;
    }
    if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit lineChosen(Memo1->textCursor().block().text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace d7::ui
