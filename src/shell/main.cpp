#include "platform/datafolder.h"
#include "platform/desktopaddresshandler.h"
#include "platform/inibrowsersettingsstore.h"
#include "platform/messageboxdialogs.h"
#include "platform/networkconnectivity.h"
#include "platform/raisechannel.h"
#include "platform/singleinstance.h"
#include "shell/commandline.h"
#include "shell/commands/commands.h"
#include "submit/browserengine.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QFile>
#include <QMessageBox>
#include <QSaveFile>
#include <QTimer>

namespace {

// For the tests: the libraries the process has mapped, copied to the file
// KELVANE_MAPS_FILE names, so that they can tell what a start loaded.
void reportMappedLibraries()
{
    const QString target = qEnvironmentVariable("KELVANE_MAPS_FILE");
    if (target.isEmpty())
        return;
    QFile maps(QStringLiteral("/proc/self/maps"));
    QSaveFile copy(target);
    if (maps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly)) {
        copy.write(maps.readAll());
        copy.commit();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVANE_VERSION_TEXT));
    // The browser engine, when a page opens, shares the window's GL context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    switch (CommandLine::modeFor(argc, argv)) {
    case CommandLine::Mode::Answer: {
        // A command matches each pattern once or twice: compiling them to
        // machine code first would cost more than it saves.
        if (!qEnvironmentVariableIsSet("QT_ENABLE_REGEXP_JIT"))
            qputenv("QT_ENABLE_REGEXP_JIT", "0");
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Kelvane Submit"));
        const int code = CommandLine::handle();
        reportMappedLibraries();
        return code;
    }
    case CommandLine::Mode::AnswerPages: {
        // Pages are loaded but never shown: no display is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
            && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Nothing is drawn: the software scene graph spares the engine its
        // search for a GL context. Its account of that set-up and the pages'
        // console lines are not for a script's standard error
        // (QT_LOGGING_RULES still brings them back).
        if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
            qputenv("QT_QUICK_BACKEND", "software");
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false\njs=false"));
        QApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Kelvane Submit"));
        Commands::setSitesCheck(BrowserEngines::sitesCheckCommand);
        const int code = CommandLine::handle();
        reportMappedLibraries();
        return code;
    }
    case CommandLine::Mode::Window:
        break;
    }

    QApplication app(argc, argv);
    // Ties the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.kelvane.KelvaneSubmit"));

    SingleInstance guard;
    if (!guard.acquire()) {
        QMessageBox box;
        box.setText(QStringLiteral("      Already one instance running..      "));
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        // Then the running window comes forward, so the click did something.
        RaiseChannel::ask(guard.channelName());
        return 0;
    }

    // The name doubles as the caption of the message boxes. No display name:
    // the window manager would add it to the main window's title.
    QCoreApplication::setApplicationName(QStringLiteral("Kelvane Submit"));
    const DataFolder::Choice data = DataFolder::forThisProgram();

    MessageBoxDialogs dialogs;
    // Said before anything is loaded from the new place.
    if (!data.message.isEmpty())
        dialogs.message(QCoreApplication::applicationName(), data.message);
    DesktopAddressHandler addresses;
    NetworkConnectivity connectivity;
    IniBrowserSettingsStore browserStore(IniBrowserSettingsStore::userPath());
    TForm1 mainWindow(data.folder, dialogs, addresses, connectivity, browserStore);
    // Without a site library there is nothing to submit to: the message has
    // been shown, the program ends.
    if (mainWindow.startUpFailed())
        return 1;
    dialogs.setParentWindow(&mainWindow);
    // The about box (TFormAbout) is made at its first opening; the site user
    // and password dialog (TForm3) each time it is asked for.
    mainWindow.show();
    QTimer::singleShot(0, &mainWindow, reportMappedLibraries);
    // The connectivity backend loads once the window shows, so that its
    // state is known when the user starts a run.
    QTimer::singleShot(0, &mainWindow, [&connectivity] { connectivity.hasBackend(); });
    RaiseChannel raise(guard.channelName());
    QObject::connect(&raise, &RaiseChannel::raiseRequested, &mainWindow, [&mainWindow] {
        // A box open in the running instance is what the user must answer first.
        QWidget *front = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &mainWindow;
        if (mainWindow.isMinimized())
            mainWindow.showNormal();
        front->raise();
        front->activateWindow();
    });
    raise.listen();
    return app.exec();
}
