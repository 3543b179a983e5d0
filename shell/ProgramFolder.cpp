#include "shell/ProgramFolder.h"

#include <vector>

#include "commands/UniCom.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ParText.h"
#include "core/TextFile.h"
#include "output/GcodeProfiles.h"
#include "platform/Files.h"
#include "shell/MainMenus.h"
#include "shell/SetCfg.h"
#include "shell/ViewDg.h"
#include "tools/UniTType.h"

bool WriteIfMissing(const std::string& Path, const std::vector<std::string>& Utf8Lines) {
    if (FileExists(Path)) return true;
    std::vector<std::string> Lines;
    for (const std::string& L : Utf8Lines) Lines.push_back(Utf8ToCp1250(L));
    return WriteTextLinesSafe(Path, Lines);
}

bool WriteProgramFolderFiles(const std::string& Dir) {
    bool Ok = ForceDirectories(Dir);
    for (const char* Sub : {"FONT", "Img", "Logs"}) Ok = ForceDirectories(Dir + "/" + Sub) && Ok;
    Ok = WriteIfMissing(Dir + "/ComSet.cfg", DefaultComSetLines()) && Ok;
    Ok = WriteIfMissing(Dir + "/Style", {"Windows"}) && Ok;
    if (!FileExists(Dir + "/FileHist")) Ok = WriteFileSafe(Dir + "/FileHist", "") && Ok;
    Ok = WriteGcodeProfileFiles(Dir) && Ok;
    if (!FileExists(Dir + "/TTypeDef.ytf")) {
        // Without the type file every plunge method is switched off.
        const auto Mill = Glob.MillToolType, Lathe = Glob.LatheToolType;
        const int32_t MillMax = MillTypeMax, LatheMax = LatheTypeMax;
        InitToolType();
        AllowBuiltInPlunges();
        Ok = ToolTypeToFile(Dir + "/TTypeDef.ytf") && Ok;
        Glob.MillToolType = Mill;
        Glob.LatheToolType = Lathe;
        MillTypeMax = MillMax;
        LatheTypeMax = LatheMax;
    }
    if (!FileExists(Dir + "/Default.cfg")) {
        // The built-in settings with the layer defaults.
        const std::string Saved = Glob.ProgramDir;
        Glob.ProgramDir = Dir;
        SetGlobDefaults();
        // The text styles a start without "Default.cfg" uses.
        SetBuiltInTextStyles();
        if (!ViewDialog) CreateViewDialog();
        ViewDialog->InitView();
        Glob.ViewPanelOps = 1;  // the operations panel shows from the first start
        Ok = WriteDefaultCfg() && Ok;
        Glob.ProgramDir = Saved;
    }
    return Ok;
}
