// Starts the program from the program folder beside it and writes pictures of the main
// window and of every dialog into DIR, each opened as showing it would: FormName.png,
// one per other page (FormName.PageName.png), and the same with the controls the form
// shows only after a choice made visible (FormName[.PageName].later.png); the layout
// faults found are printed.
//   kestrilon_dialogs DIR
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "platform/qt/QtLayoutCheck.h"
#include "app/program/QtProgram.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrilon_dialogs DIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    const std::string Dir = argv[1];
    QDir().mkpath(QString::fromStdString(Dir));
    TQtProgram Program;
    Program.Start((QCoreApplication::applicationDirPath() + "/kestrilon").toStdString(), {});
    int Rc = 0;
    QTimer::singleShot(500, [&] {
        const std::vector<TForm*> Forms = LiveForms();
        for (TForm* F : Forms) {
            const bool IsMain = F == Program.Main.get();
            TQtFormView* V = IsMain ? Program.Window->View : QtOpenForInspection(Program.Responder, *F);
            if (!V) {
                std::printf("%s: closes itself on showing\n", F->Name.c_str());
                continue;
            }
            std::vector<std::string> Failed, Messages;
            const std::vector<std::string> Files = QtSaveFormPictures(V, Dir + "/" + F->Name, Failed, Messages);
            for (const std::string& M : Messages) std::printf("message on the way: %s\n", M.c_str());
            for (const std::string& File : Failed) {
                std::fprintf(stderr, "kestrilon_dialogs: cannot write %s\n", File.c_str());
                Rc = 1;
            }
            for (const std::string& Fault : QtLayoutFaults(V)) std::printf("%s\n", Fault.c_str());
            if (!IsMain) QtCloseInspected(Program.Responder, *F);
            for (const std::string& File : Files) std::printf("%s\n", File.c_str());
        }
        MainVars.FileSaved = true;
        QCoreApplication::exit(Rc);
    });
    app.exec();
    return Rc;
}
