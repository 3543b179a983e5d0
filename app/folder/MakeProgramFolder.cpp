// Lays out the program folder beside the program: the configuration files from the
// built-in defaults, the folders, the toolbar pictures and the tool and machining
// dialogs' pictures.
// Run by the build.
//   kestrilon_folder DIR
#include <QGuiApplication>
#include <cstdio>

#include "core/ResetState.h"
#include "platform/qt/QtCamPictures.h"
#include "platform/qt/QtIcons.h"
#include "platform/qt/QtToolPictures.h"
#include "shell/MainMenus.h"
#include "shell/ProgramFolder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrilon_folder DIR\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    ResetAllState();
    const std::string Dir = argv[1];
    bool Ok = WriteProgramFolderFiles(Dir);
    Ok = PaintIconFiles(Dir + "/Img", ToolbarPictureFiles()) && Ok;
    Ok = PaintToolPictureFiles(Dir + "/img") && Ok;
    Ok = PaintCamPictureFiles(Dir + "/Img") && Ok;
    if (!Ok) std::fprintf(stderr, "kestrilon_folder: could not write everything into %s\n", Dir.c_str());
    return Ok ? 0 : 1;
}
