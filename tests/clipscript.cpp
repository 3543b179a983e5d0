// clipscript: cmdscript on the Qt platform with the system clipboard, for the test
// that copies in one program process and pastes in another.
//
//   clipscript PROGRAM_FOLDER [READY_FILE HOLD_FILE] < script > output 2> log
//
// The folder is laid out as on a first start. With READY_FILE and HOLD_FILE it creates READY_FILE after the script and keeps
// serving the clipboard until HOLD_FILE exists (at most 60 s).
#include <fstream>
#include <iostream>

#include "core/UniLog.h"
#include "platform/Files.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtProbe.h"
#include "shell/ProgramFolder.h"
#include "support/CmdHarness.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: clipscript PROGRAM_FOLDER [READY_FILE HOLD_FILE] < script\n";
        return 2;
    }
    QtProbe::EnsureApp();
    int Rc = 0;
    // The folder as the program lays it out on a first start.
    if (!WriteProgramFolderFiles(argv[1])) {
        std::cerr << "cannot lay out " << argv[1] << "\n";
        return 2;
    }
    {
        TCmdHarness H(argv[1], TCmdHarness::TStartUp::Program);
        InstallQtClipboard();
        std::string Line;
        while (std::getline(std::cin, Line)) {
            if (!H.RunScriptLine(Line, std::cout)) Rc = 1;
            QtProbe::ProcessEvents();
        }
        std::cout.flush();
        if (argc == 4) {
            std::ofstream(argv[2]) << "ready\n";
            for (int i = 0; i < 6000 && !FileExists(argv[3]); ++i) QtProbe::Pump(10);
        }
        for (const std::string& L : LogNewestLines(DefaultLogLength)) std::cerr << L << "\n";
    }
    QtProbe::EndApp();
    return Rc;
}
