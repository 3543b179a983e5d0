#include "shell/FormOrder.h"

#include "cam/ContourDg.h"
#include "cam/ErrorDg.h"
#include "cam/FillDg.h"
#include "cam/LenDg.h"
#include "cam/MeaRepDg.h"
#include "cam/SortDg.h"
#include "cam/SelOpsDg.h"
#include "cam/SurfaceDg.h"
#include "commands/AlignDg.h"
#include "commands/ArPolDg.h"
#include "commands/ArRectDg.h"
#include "commands/ChangeTextDg.h"
#include "commands/EndDg.h"
#include "commands/FiltrDg.h"
#include "commands/Help.h"
#include "commands/InfoDg.h"
#include "commands/PrintDg.h"
#include "commands/Daskovin.h"
#include "commands/Dorsek.h"
#include "commands/Pelmora.h"
#include "commands/VUZ.h"
#include "commands/TextDg.h"
#include "core/ErrLogDg.h"
#include "formats/DxfInDg.h"
#include "formats/DxfOutDg.h"
#include "formats/EpsInDg.h"
#include "formats/FormicaInDg.h"
#include "formats/FormicaOutDg.h"
#include "formats/HPInDg.h"
#include "formats/HPOutDg.h"
#include "output/SinumericDg.h"
#include "platform/FormRemake.h"
#include "shell/MainFiles.h"
#include "shell/NewFileDg.h"
#include "shell/SetDg.h"
#include "shell/ViewDg.h"
#include "tools/ToolDialog.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolLibPick.h"
#include "tools/ToolParamDgs.h"
#include "tools/ToolSmallDgs.h"

namespace {
void CreateErrLogDialog() {
    RemakeForm<TErrLogDialog>();
}
}  // namespace

const std::vector<TFormOrderEntry>& FormOrder() {
    // A form that lands later replaces its nullptr with its create function.
    static const std::vector<TFormOrderEntry> Order = {
        {"THPInputDialog", &CreateHPInputDialog},
        {"THPOutputDialog", &CreateHPOutputDialog},
        {"TFormList", nullptr},  // made anew for every showing of the history
        {"TEpsInputDialog", &CreateEpsInputDialog},
        {"TDxfInputDialog", &CreateDxfInputDialog},
        {"TConfirmDialog", &CreateConfirmDialog},
        {"TTextDialog", &CreateTextDialog},
        {"TDxfOutDialog", &CreateDxfOutDialog},
        {"TArrRectDialog", &CreateArrRectDialog},
        {"TArrPolarDialog", &CreateArrPolarDialog},
        {"TSetDialog", &CreateSetDialog},
        {"TViewDialog", &CreateViewDialog},
        {"TToolDialog", &CreateToolDialog},
        {"TGenParamDialog", &CreateGenParamDialog},
        {"TLengthDialog", &CreateLengthDialog},
        {"TContourDialog", &CreateContourDialog},
        {"TTiskDialog", &CreateTiskDialog},
        {"THelpDialog", &CreateHelpDialog},
        {"TEndDialog", &CreateEndDialog},
        {"TSortDialog", &CreateSortDialog},
        {"TInfoDialog", &CreateInfoDialog},
        {"TChangeTextDialog", &CreateChangeTextDialog},
        {"TFillDialog", &CreateFillDialog},
        {"TReportDialog", &CreateReportDialog},
        {"TErrorDialog", &CreateErrorDialog},
        {"TDaskovinDialog", &CreateDaskovinDialog},
        {"TFiltrDialog", &CreateFiltrDialog},
        {"TPelmoraDialog", &CreatePelmoraDialog},
        {"TVuzDialog", &CreateVuzDialog},
        {"TFormicaOutDg", &CreateFormicaOutDg},
        {"TDorsekDialog", &CreateDorsekDialog},
        {"TFormicaInDg", &CreateFormicaInDg},
        {"TSinumericDialog", &CreateSinumericDialog},
        {"TAlignDialog", &CreateAlignDialog},
        {"TCMDParamDialog", &CreateCMDParamDialog},
        {"TCopyFromToolDialog", &CreateCopyFromToolDialog},
        {"TNewFileDialog", &CreateNewFileDialog},
        {"TToolMatLibDialog", &CreateToolMatLibDialog},
        {"TSurfaceDialog", &CreateSurfaceDialog},
        {"TToolLocDialog", &CreateToolLocDialog},
        {"TToolLibOpenDialog", &CreateToolLibOpenDialog},
        {"TValSelectDialog", &CreateValSelectDialog},
        {"TSelOpsDialog", &CreateSelOpsDialog},
        {"TErrLogDialog", &CreateErrLogDialog},
    };
    return Order;
}

std::vector<std::string> CreateAllForms() {
    // The job file's start-up and shutdown steps come with the forms.
    InstallFileCommands();
    std::vector<std::string> Made;
    for (const TFormOrderEntry& E : FormOrder())
        if (E.Create) {
            E.Create();
            Made.push_back(E.ClassName);
        }
    return Made;
}
