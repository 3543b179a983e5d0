#include "app/program/QtProgramFolder.h"

#include "platform/qt/QtCamPictures.h"
#include "platform/qt/QtIcons.h"
#include "platform/qt/QtToolPictures.h"
#include "platform/qt/QtWizardPictures.h"
#include "shell/MainMenus.h"
#include "shell/ProgramFolder.h"

bool MakeProgramFolder(const std::string& Dir) {
    bool Ok = WriteProgramFolderFiles(Dir);
    Ok = PaintIconFiles(Dir + "/Img", ToolbarPictureFiles()) && Ok;
    Ok = PaintToolPictureFiles(Dir + "/img") && Ok;
    Ok = PaintCamPictureFiles(Dir + "/Img") && Ok;
    Ok = PaintWizardPictureFiles(Dir + "/Img") && Ok;
    return Ok;
}
