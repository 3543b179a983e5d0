#include "shell/FileNames.h"

#include <filesystem>

#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "shell/UniLang.h"

namespace fs = std::filesystem;

namespace FileCmd {

std::string Folder(const std::string& File) { return fs::path(File).parent_path().string(); }
std::string Stem(const std::string& File) { return fs::path(File).stem().string(); }

std::string LowerExt(const std::string& File) {
    std::string e = fs::path(File).extension().string();
    for (char& c : e)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return e;
}

std::string WithExt(const std::string& File, const char* Ext) {
    return fs::path(File).extension().empty() ? File + Ext : File;
}

bool Confirm(int MsgNo) {
    const int r = MessageDlg(Msg[MsgNo], TMsgDlgType::mtConfirmation, mbYesNo);
    return r == mrYes || r == mrOk;
}

void WrongExtension(const std::string& Ext) { WriteLog("Err:Wrong extension (" + Ext + ")"); }

void NotAvailable(const std::string& Ext) {
    WriteLog("Err:Format not available (" + Ext + ")");
    ShowMessage("Formát " + Ext + " není k dispozici");
}

}  // namespace FileCmd
