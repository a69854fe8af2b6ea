#include "Startup.h"

#include "PodgladProg.h"
#include "main.h"

#include <QTimer>

namespace korven {

void startMainWindow(TMainForm &mainForm, TProgForm &progForm, const StartupArguments &arguments) {
    mainForm.startSerialPort();
    mainForm.setProgForm(&progForm);
    mainForm.bbtnKoniecClick();
    mainForm.show();
    if (!arguments.programFile.isEmpty()) {
        QTimer::singleShot(0, &mainForm, [&mainForm, file = arguments.programFile] {
            mainForm.LoadProgramFromFile(file);
        });
    }
}

} // namespace korven
