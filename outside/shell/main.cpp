// The demo client shell. Usage:
//   zrv-shell [--module PATH] [--open] [--screenshot FILE] [--quit-after MS]
// --open opens the report window at once; --screenshot saves a picture of the report window
// (after it has been shown) and implies --open; --quit-after ends the program after MS ms.

#include "ShellWindow.h"

#include "HostStandIn.h"
#include "platform/MachineRegistry.h"
#include "platform/SystemInfo.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("zrv-shell");

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption moduleOpt("module", "The module library.", "path",
        QString::fromStdString(zrv::ExecutableFolder() + "KVSR58C.so"));
    QCommandLineOption openOpt("open", "Open the report window at once.");
    QCommandLineOption shotOpt("screenshot", "Save the report window as PNG.", "file");
    QCommandLineOption quitOpt("quit-after", "Quit after this many milliseconds.", "ms");
    parser.addOptions({ moduleOpt, openOpt, shotOpt, quitOpt });
    parser.process(app);

    // The host object comes from the stand-in linked into this shell, unless the installation
    // names a host library of its own.
    if (!zrv::MachineRegistry::KeyExists(std::string("Software\\Classes\\") + zrv::kHostProgId))
        zrv::RegisterHostStandIn();

    zrv::ShellWindow shell;
    shell.show();
    if (!shell.LoadModule(parser.value(moduleOpt).toStdString()))
        return parser.isSet(shotOpt) ? 1 : app.exec();

    int exitCode = 0;
    if (parser.isSet(openOpt) || parser.isSet(shotOpt)) {
        if (!shell.OpenModule() && parser.isSet(shotOpt))
            return 1;
    }
    if (parser.isSet(shotOpt)) {
        const QString file = parser.value(shotOpt);
        // Let the window settle (show, focus, language texts) before taking the picture.
        QTimer::singleShot(800, &app, [&shell, &exitCode, file] {
            QWidget* w = shell.ModuleWindow();
            if (!w || !w->grab().save(file, "PNG")) {
                shell.Log("no report window to take a picture of");
                exitCode = 1;
            } else {
                shell.Log("screenshot saved to " + file);
            }
            // exit() rather than quit(): quitting asks every window to close first, and a
            // module window answers that by closing itself later, which cancels the quit.
            QCoreApplication::exit(exitCode);
        });
    }
    if (parser.isSet(quitOpt))
        QTimer::singleShot(parser.value(quitOpt).toInt(), &app, [] { QCoreApplication::exit(0); });
    const int rc = app.exec();
    return exitCode ? exitCode : rc;
}
