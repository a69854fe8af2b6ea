// Program entry: splash window, main window, preview window, message loop.

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

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[]) {
    // Help and version before any window system is needed.
    if (argc > 1 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(korven::StartupArguments::usage().toUtf8().constData(), stdout);
        return 0;
    }
    if (argc > 1 && !std::strcmp(argv[1], "--version")) {
        std::printf("korven %s\n", korven::GetVersionText().toUtf8().constData());
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
