// What assistive technology is told about the editor's own widget classes.
// Qt describes a plain QWidget as a "client" area (a filler to a screen
// reader), which says nothing about the map window or a picture; these give
// them the role they play.
#pragma once

#include <QAccessible>
#include <QWidget>

namespace d7::ui {

// Makes the roles below known to Qt's accessibility (once per process).
void installAccessibleRoles();

// The role assistive technology reports for w, a widget of one of the
// editor's own classes derived straight from QWidget. Top-level windows are
// windows without this. Set it first: Qt keeps the description it makes the
// first time anything (setting the accessible name, for one) asks for it.
void setAccessibleRole(QWidget* w, QAccessible::Role role);

}  // namespace d7::ui
