#include "ui/accessibility.h"

#include <QAccessibleWidget>

namespace d7::ui {

namespace {

constexpr const char* kRoleProperty = "d7AccessibleRole";

QAccessibleInterface* editorWidgetInterface(const QString& className, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    // Only the widget's own class is described here; for the classes it
    // derives from (buttons, lists, ...) Qt's own descriptions apply.
    if (!w || className != QLatin1StringView(object->metaObject()->className()) ||
        !className.startsWith(QLatin1StringView("d7::ui::")))
        return nullptr;
    // Only classes derived straight from QWidget are described as "client".
    if (object->metaObject()->superClass() != &QWidget::staticMetaObject) return nullptr;
    const QVariant role = w->property(kRoleProperty);
    if (role.isValid()) return new QAccessibleWidget(w, QAccessible::Role(role.toInt()));
    if (w->isWindow()) return new QAccessibleWidget(w, QAccessible::Window);
    return nullptr;
}

}  // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(editorWidgetInterface);
        return true;
    }();
    (void)installed;
}

void setAccessibleRole(QWidget* w, QAccessible::Role role) {
    w->setProperty(kRoleProperty, int(role));
}

}  // namespace d7::ui
