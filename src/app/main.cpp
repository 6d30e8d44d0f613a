// d7irir: the map editor.
#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "app/app_options.h"
#include "app/process_clock.h"
#include "app/startup.h"
#include "app/window_layout.h"
#include "core/model/file_io.h"
#include "core/model/program_dir.h"
#include "ui/commands/command_guard.h"
#include "ui/dialogs/message_prompt.h"
#include "ui/dialogs/qt_file_dialogs.h"
#include "ui/editor.h"
#include "ui/recovery_ui.h"

namespace {

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/d7irir-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    const d7::app::ProcessClock clock;
    d7::app::AppOptions opt;
    try {
        opt = d7::app::parseAppOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << "d7irir: " << e.what() << "\n" << d7::app::appUsage();
        return 2;
    }
    if (opt.help) {
        std::cout << d7::app::appUsage();
        return 0;
    }
    if (opt.gameDir && !d7::isExistingDirectory(*opt.gameDir)) {
        std::cerr << "d7irir: --game-dir: no such directory: " << *opt.gameDir << "\n";
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("D7Irir"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.d7irir.D7Irir"));
    QApplication::setWindowIcon(appIcon());
    // Closing the main window ends the program, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::filesystem::path exeDir(QCoreApplication::applicationDirPath().toStdString());
    const std::filesystem::path programDir = opt.home ? *opt.home : d7::defaultProgramDir(exeDir);
    std::error_code ec;
    std::filesystem::create_directories(programDir, ec);  // a failure shows when it is written

    d7::ui::MessageBoxPrompt prompt;
    d7::ui::QtFileDialogs dialogs;
    d7::ui::Editor editor(prompt, dialogs, programDir);
    prompt.setParent(&editor.mainForm());
    dialogs.setParent(&editor.mainForm());

    const d7::app::StartupSettings settings{programDir, exeDir, opt.gameDir};
    const std::filesystem::path iniPath = d7::pathForWriting(programDir, d7::app::kIniFileName);
    QObject::connect(&editor.mainForm(), &d7::ui::Tmainform::closed, &app, [&] {
        // Every window opens where it was at the next start.
        d7::ui::runCommand(prompt, [&] { d7::app::saveWindowLayout(editor, iniPath); });
        editor.recovery().finish();
        QCoreApplication::quit();
    });
    QObject::connect(&editor.mapForm(), &d7::ui::Tmapform::firstPainted, &app, [&] {
        if (opt.startupTime) {
            std::printf("%.0f\n", clock.elapsedMs());
            std::fflush(stdout);
        }
        // Exits at once: quit() would first ask every window to close, and
        // the map window refuses while the editor runs.
        if (opt.quitAfterStartup) QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    });
    QObject::connect(&editor.mainForm(), &d7::ui::Tmainform::firstShown, &app, [&] {
        const auto result = d7::app::runStartup(editor, settings);
        if (result == d7::app::StartupResult::Ended) return;
        // Unsaved changes of a session that died come back first; from then
        // on the recovery file follows every change.
        if (result == d7::app::StartupResult::MapShown) editor.recovery().offer();
        editor.recovery().start();
        if (result != d7::app::StartupResult::MapShown && opt.quitAfterStartup)
            QCoreApplication::exit(1);
    });

    // Placed before the first showing: a window manager puts a window that
    // appears without a position of its own where it likes (centred).
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        editor.placeWindows(screen->availableGeometry());
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(screen->availableGeometry());
    d7::ui::runCommand(
        prompt, [&] { d7::app::restoreWindowLayout(editor, d7::IniFile::load(iniPath), screens); });
    editor.mainForm().show();
    return QApplication::exec();
}
