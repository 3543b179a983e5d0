#include "shell/ResetShellTexts.h"

#include "cam/ContourDg.h"
#include "cam/FillDg.h"
#include "cam/MeaRepDg.h"
#include "cam/SurfaceDg.h"
#include "commands/UniCom.h"
#include "formats/DxfInDg.h"
#include "formats/DxfOutDg.h"
#include "formats/EpsInDg.h"
#include "formats/FormicaInDg.h"
#include "formats/FormicaOutDg.h"
#include "formats/HPInDg.h"
#include "formats/HPOutDg.h"
#include "shell/FileHist.h"
#include "shell/SetCfg.h"
#include "shell/SetDg.h"
#include "shell/UniLang.h"
#include "tools/ToolSmallDgs.h"

void ResetShellTexts() {
    ResetLanguage();
    InitComTable();
    ResetFileHist();
    ResetSetCfg();
    CreateHPInputDialog();
    CreateHPOutputDialog();
    CreateDxfInputDialog();
    CreateDxfOutDialog();
    CreateEpsInputDialog();
    CreateFormicaInDg();
    CreateFormicaOutDg();
    CreateSetDialog();
    CreateContourDialog();
    CreateFillDialog();
    CreateReportDialog();
    CreateSurfaceDialog();
    CreateConfirmDialog();
}
