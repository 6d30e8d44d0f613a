#include "ui/windows/report_fixes.h"

#include <QAction>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/analysis/map_fixes.h"
#include "ui/commands/command_guard.h"
#include "ui/editor.h"
#include "ui/map_editing.h"
#include "ui/windows/main_window.h"
#include "ui/windows/stat_form.h"

namespace d7::ui {

namespace {

constexpr const char* kFixCaption = "Fix";

QString titlesOf(const std::vector<MapFix>& fixes) {
    QStringList titles;
    for (const MapFix& fix : fixes) titles.append(QString::fromStdString(fixTitle(fix)));
    return titles.join(QLatin1Char('\n'));
}

}  // namespace

QString withoutFixMarker(const QString& line) {
    const QString marker = QString::fromLatin1(kFixMarker);
    return line.startsWith(marker) ? line.mid(marker.size()) : line;
}

ReportFixes::ReportFixes(Editor& ed)
    : QObject(&ed.statForm()), ed_(ed), memo_(ed.statForm().Memo1) {
    setObjectName(QStringLiteral("ReportFixes"));
    Tstatform& form = ed.statForm();
    fixAll_ = new QPushButton(QStringLiteral("Fix All"), &form);
    fixAll_->setObjectName(QStringLiteral("bt_fixall"));
    fixAll_->setAccessibleDescription(QStringLiteral("Applies every fix of the report"));
    fixAll_->setAutoDefault(false);
    fixAll_->setEnabled(false);
    if (auto* layout = qobject_cast<QVBoxLayout*>(form.layout()))
        layout->insertWidget(layout->indexOf(form.bt_ok), fixAll_, 0, Qt::AlignHCenter);
    QWidget::setTabOrder(form.Memo1, fixAll_);
    QWidget::setTabOrder(fixAll_, form.bt_ok);
    connect(fixAll_, &QPushButton::clicked, this, &ReportFixes::applyAll);

    fixLine_ = new QAction(QStringLiteral("Apply Fix of Line"), &form);
    fixLine_->setObjectName(QStringLiteral("A_FixLine"));
    fixLine_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    // Ctrl+F is read from the report's own key presses (eventFilter): the
    // action only names it, so nothing else in the window can take it.
    connect(fixLine_, &QAction::triggered, this,
            [this] { applyLineFix(ed_.statForm().Memo1->textCursor().blockNumber()); });

    form.Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(form.Memo1, &QWidget::customContextMenuRequested, this, &ReportFixes::openContextMenu);
    form.Memo1->viewport()->installEventFilter(this);
    form.Memo1->installEventFilter(this);
    connect(&form, &Tstatform::textCleared, this, &ReportFixes::forget);
}

const std::vector<MapFix>& ReportFixes::fixesOfLine(int n) const {
    static const std::vector<MapFix> none;
    return n >= 0 && std::size_t(n) < fixes_.size() ? fixes_[std::size_t(n)] : none;
}

void ReportFixes::showCheck(MapCheck check) {
    EditorContext& ctx = ed_.context();
    if (!ctx.st.mapLoaded) return;
    CheckReport report;
    if (!runCommand(ctx.prompt, [&] { report = runMapCheck(ctx.st, check); })) return;
    check_ = check;
    show(report, 0);
}

void ReportFixes::show(const CheckReport& report, int cursorLine) {
    Tstatform& form = ed_.statForm();
    std::vector<std::vector<MapFix>> fixes(report.lines.size());
    for (const OfferedFix& o : report.fixes)
        if (o.line < fixes.size()) fixes[o.line].push_back(o.fix);
    std::vector<std::string> lines = report.lines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!fixes[i].empty()) lines[i] = kFixMarker + lines[i];
    form.clearText();  // forgets the fixes of the text before
    form.appendLines(lines);
    fixes_ = std::move(fixes);
    fixAll_->setEnabled(!report.fixes.empty());
    form.showWindow(false);
    const QTextBlock block = form.Memo1->document()->findBlockByNumber(
        std::min(cursorLine, form.Memo1->document()->blockCount() - 1));
    form.Memo1->setTextCursor(QTextCursor(block));
}

void ReportFixes::forget() {
    fixes_.clear();
    fixAll_->setEnabled(false);
}

void ReportFixes::applyLineFix(int n, std::size_t k) {
    const std::vector<MapFix>& fixes = fixesOfLine(n);
    if (k >= fixes.size()) return;
    EditorContext& ctx = ed_.context();
    const MapFix fix = fixes[k];
    FixResult result;
    if (!runCommand(ctx.prompt, [&] { result = applyFix(ctx.st, fix); })) return;
    if (result.applied) afterEdit();
    CheckReport report;
    if (!runCommand(ctx.prompt, [&] { report = runMapCheck(ctx.st, check_); })) return;
    show(report, n);
    if (!result.applied) ctx.prompt.inform(kFixCaption, result.text);
}

void ReportFixes::applyAll() {
    if (fixes_.empty()) return;
    EditorContext& ctx = ed_.context();
    FixRun run;
    if (!runCommand(ctx.prompt, [&] { run = fixAll(ctx.st, check_); })) return;
    if (!run.applied.empty()) afterEdit();
    show(run.report, 0);
}

void ReportFixes::afterEdit() {
    // A renumbering renames domains, a fill redraws the whole map.
    Tmainform& main = ed_.mainForm();
    main.rebuildDomainList(main.ctybox->currentRow());
    ed_.editing().finishEdit(true);
}

void ReportFixes::openContextMenu(const QPoint& pos) {
    QPlainTextEdit* memo = ed_.statForm().Memo1;
    const int line = memo->cursorForPosition(pos).blockNumber();
    QMenu* menu = memo->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::vector<MapFix>& fixes = fixesOfLine(line);
    QAction* first = menu->actions().value(0);
    for (std::size_t k = 0; k < fixes.size(); ++k) {
        auto* item = new QAction(QString::fromStdString(fixTitle(fixes[k])), menu);
        item->setObjectName(QStringLiteral("P_Fix%1").arg(k));
        if (k == 0) item->setShortcut(fixLine_->shortcut());
        connect(item, &QAction::triggered, this, [this, line, k] { applyLineFix(line, k); });
        menu->insertAction(first, item);
    }
    if (!fixes.empty()) menu->insertSeparator(first);
    menu->popup(memo->viewport()->mapToGlobal(pos));
}

bool ReportFixes::eventFilter(QObject* watched, QEvent* event) {
    // Only the pointer is compared: events come also while the window is
    // being taken down.
    if (watched == memo_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->keyCombination() != QKeyCombination(Qt::CTRL, Qt::Key_F)) return false;
        fixLine_->trigger();
        return true;
    }
    if (watched == memo_) return false;
    if (event->type() == QEvent::ToolTip) {
        QPlainTextEdit* memo = memo_;
        const auto* help = static_cast<QHelpEvent*>(event);
        const std::vector<MapFix>& fixes =
            fixesOfLine(memo->cursorForPosition(help->pos()).blockNumber());
        if (fixes.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), titlesOf(fixes), memo->viewport());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

ReportFixes& reportFixes(Editor& ed) {
    auto* fixes = ed.statForm().findChild<ReportFixes*>(QStringLiteral("ReportFixes"));
    return fixes ? *fixes : *new ReportFixes(ed);
}

}  // namespace d7::ui
