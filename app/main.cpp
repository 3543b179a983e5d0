// The program: starts Qt, creates the main form and every dialog in their start-up
// order and runs the message loop until the main window has closed.
#include <QApplication>

#include "app/program/QtProgram.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<std::string> Args;
    for (int i = 1; i < argc; ++i) Args.push_back(argv[i]);
    TQtProgram Program;
    Program.Start(QCoreApplication::applicationFilePath().toStdString(), Args);
    return app.exec();
}
