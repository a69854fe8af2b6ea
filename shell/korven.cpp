// Program entry: splash window, main window, preview window, message loop.

#include "PodgladProg.h"
#include "logo.h"
#include "main.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORVEN"));
    const QStringList arguments = QApplication::arguments();
    const bool testMode = arguments.size() > 1 && arguments[1] == QLatin1String("test");

    korven::TLogoForm logo;
    logo.showUntilTimerEnds();

    const QString programDir =
        QDir(QApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    korven::TMainForm mainForm(programDir, testMode);
    mainForm.startSerialPort();
    korven::TProgForm progForm;
    mainForm.setProgForm(&progForm);
    mainForm.bbtnKoniecClick();
    // The window is hidden during the shut-down pause; the program ends after it.
    QObject::connect(&mainForm, &korven::TMainForm::shutDownEnded, &app, &QCoreApplication::quit);
    mainForm.show();
    return QApplication::exec();
}
