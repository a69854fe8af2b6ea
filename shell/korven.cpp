// Program entry: splash window, main window, preview window, message loop.

#include "ConsolePlatform.h"
#include "PodgladProg.h"
#include "QtTranslations.h"
#include "Startup.h"
#include "StartupArguments.h"
#include "VersionText.h"
#include "logo.h"
#include "main.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstring>

int main(int argc, char *argv[]) {
    // Help and version before any window system is needed (on Windows the window has no
    // console of its own: they go to the one it was started from).
    if (argc > 1 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        korven::platform::attachToParentConsole();
        korven::platform::writeLine(stdout, korven::StartupArguments::usage().chopped(1));
        return 0;
    }
    if (argc > 1 && !std::strcmp(argv[1], "--version")) {
        korven::platform::attachToParentConsole();
        korven::platform::writeLine(stdout, QStringLiteral("korven ") + korven::GetVersionText());
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORVEN"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/korven.png")));
    const korven::StartupArguments arguments =
        korven::StartupArguments::parse(QApplication::arguments());
    const QString programDir =
        QDir(QApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    korven::installPolishQtTranslations(programDir);

    korven::TLogoForm logo;
    logo.showUntilTimerEnds();

    korven::TMainForm mainForm(programDir, arguments.testMode);
    korven::TProgForm progForm;
    // The window is hidden during the shut-down pause; the program ends after it.
    QObject::connect(&mainForm, &korven::TMainForm::shutDownEnded, &app, &QCoreApplication::quit);
    korven::startMainWindow(mainForm, progForm, arguments);
    return QApplication::exec();
}
