// Start-up: the long-lived windows and the data module in their order, then
// the message loop, which shows the main window.
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    tolvi::prepareProcessEnvironment();
    QApplication app(argc, argv);
    return tolvi::runProgram(app);
}
