// An editor on a generated game directory (pattern map set and the test
// graphics), with scripted answers for its questions and dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

#include "support/map_builder.h"
#include "support/scripted_dialogs.h"
#include "ui/editor.h"

namespace d7::test {

class EditorFixture : public testing::Test {
  protected:
    EditorFixture();
    ~EditorFixture() override;

    // Loads the game directory as start-up does, at the given zoom, and
    // shows the windows.
    void load(int zoom = 1);

    QAction* action(const char* name);
    // Triggers a menu command.
    void trigger(const char* name);

    // Types text (any characters, not only those with a key of their own).
    static void typeText(QWidget* widget, const QString& text);
    // Right-clicks a list line as the platform does: the press, then the
    // request for the context menu.
    static void rightClick(QWidget* viewport, QPoint pos);

    // Runs what the next modal dialog needs (typing, clicking) once it is shown.
    static void whenModal(std::function<void(QWidget*)> handle);

    TempDir tmp;
    fs::path game;
    fs::path home;
    ScriptedPrompt prompt{true};
    ScriptedFileDialogs dialogs;
    std::unique_ptr<ui::Editor> ed;
};

}  // namespace d7::test
