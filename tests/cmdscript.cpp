// cmdscript: runs a command-line script against the headless program.
//
//   cmdscript PROGRAM_FOLDER < script > output 2> log
//
// Every script line is typed into the command line followed by Enter, except the
// directives "#esc", "#pick X Y", "#answer OK|CANCEL|YES|NO", "#file PATH" and "#dump"
// (tests/README.md).
// At the end the event log goes to standard error.
#include <iostream>

#include "core/UniLog.h"
#include "support/CmdHarness.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: cmdscript PROGRAM_FOLDER < script\n";
        return 2;
    }
    int Rc = 0;
    {
        TCmdHarness H(argv[1], TCmdHarness::TStartUp::Program);
        std::string Line;
        while (std::getline(std::cin, Line))
            if (!H.RunScriptLine(Line, std::cout)) Rc = 1;
        std::cout.flush();
        for (const std::string& L : LogNewestLines(DefaultLogLength)) std::cerr << L << "\n";
    }
    return Rc;
}
