#include "formats/SafeFile.h"

#include "core/Glob.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/UniLang.h"

std::function<int64_t(const std::string&)> SafeFileDiskFree;

void ResetSafeFile() { SafeFileDiskFree = nullptr; }

std::string TempFilePath() { return ProgramDir + "/TEMP.$$$"; }

bool BeginTempFile() {
    DeleteFileAt(TempFilePath());
    return AppendFileBytes(TempFilePath(), "");
}

bool AppendTempLines(const std::vector<std::string>& Lines) {
    return AppendFileBytes(TempFilePath(), JoinTextLines(Lines));
}

// The target's folder, or its nearest existing parent: a missing folder is a failure
// to write, not a full disk.
static std::string TargetFolder(const std::string& Target) {
    std::string folder = Target;
    for (;;) {
        const size_t slash = folder.find_last_of('/');
        if (slash == std::string::npos) return ".";
        if (slash == 0) return "/";
        folder.resize(slash);
        if (DirectoryExists(folder)) return folder;
    }
}

void DeleteTempFile() { DeleteFileAt(TempFilePath()); }

bool CommitTempFile(const std::string& Target, const std::string& DiskFullLog, const std::string& CopyFailLog,
                    const std::string& EndLog) {
    const std::string temp = TempFilePath();
    std::string bytes;
    const bool readOk = ReadFileBytes(temp, bytes);
    DeleteFileAt(temp);
    if (!readOk) {
        // The temporary file vanished or cannot be read: nothing to copy.
        if (!CopyFailLog.empty()) WriteLog(CopyFailLog);
        ShowMessage(Msg[25]);
        return false;
    }
    const std::string folder = TargetFolder(Target);
    const int64_t free = SafeFileDiskFree ? SafeFileDiskFree(folder) : DiskFree(folder);
    if (free < 0 || free < int64_t(bytes.size())) {
        if (!DiskFullLog.empty()) WriteLog(DiskFullLog);
        ShowMessage(Msg[24]);
        if (!EndLog.empty()) WriteLog(EndLog);
        return false;
    }
    // The new content goes beside the target and is renamed over it: a failure while
    // writing leaves the old target as it was.
    if (!WriteFileSafe(Target, bytes)) {
        if (!CopyFailLog.empty()) WriteLog(CopyFailLog);
        ShowMessage(Msg[25]);
        return false;
    }
    if (!EndLog.empty()) WriteLog(EndLog);
    return true;
}
