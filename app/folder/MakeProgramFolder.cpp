// Lays out the program folder beside the program: the configuration files from the
// built-in defaults, the folders and the pictures (toolbar, tool and machining dialogs,
// new-job wizard).
// Run by the build.
//   kestrilon_folder DIR
#include <QGuiApplication>
#include <cstdio>

#include "app/program/QtProgramFolder.h"
#include "core/ResetState.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrilon_folder DIR\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    ResetAllState();
    const std::string Dir = argv[1];
    const bool Ok = MakeProgramFolder(Dir);
    if (!Ok) std::fprintf(stderr, "kestrilon_folder: could not write everything into %s\n", Dir.c_str());
    return Ok ? 0 : 1;
}
