#include "formats/SafeFile.h"

#include <sys/stat.h>

#include "core/SafeWrite.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/UniLang.h"

std::function<int64_t(const std::string&)> SafeFileDiskFree;

namespace {

TTempFile Temp;
// The free space at the target, asked before the temporary file took any of it.
int64_t FreeAtTarget = -1;

// The target's folder, or its nearest existing parent: a missing folder is a failure
// to write, not a full disk.
std::string TargetFolder(const std::string& Target) {
    std::string folder = Target;
    for (;;) {
        const size_t slash = folder.find_last_of('/');
        if (slash == std::string::npos) return ".";
        if (slash == 0) return "/";
        folder.resize(slash);
        if (DirectoryExists(folder)) return folder;
    }
}

}  // namespace

void ResetSafeFile() {
    SafeFileDiskFree = nullptr;
    DiscardTemp(Temp);
}

std::string TempFilePath() { return Temp.Path; }

bool BeginTempFile(const std::string& Target) {
    DiscardTemp(Temp);
    const std::string target = WriteTargetOf(Target);
    const std::string folder = TargetFolder(target);
    FreeAtTarget = SafeFileDiskFree ? SafeFileDiskFree(folder) : DiskFree(folder);
    // Temporary files that earlier saves of this file left when they were killed go first.
    const size_t slash = target.find_last_of('/');
    if (slash != std::string::npos) RemoveStaleTempFiles(slash == 0 ? "/" : target.substr(0, slash), target.substr(slash + 1));
    return OpenTempFile(target, Temp);
}

bool AppendTempBytes(std::string_view Bytes) { return AppendTemp(Temp, Bytes); }

bool AppendTempLines(const std::vector<std::string>& Lines) { return AppendTemp(Temp, JoinTextLines(Lines)); }

void DeleteTempFile() { DiscardTemp(Temp); }

bool CommitTempFile(const std::string& Target, const std::string& DiskFullLog, const std::string& CopyFailLog,
                    const std::string& EndLog) {
    // Sections appended by name count as much as those written here.
    struct stat st;
    const int64_t size = Temp.Fd >= 0 && ::fstat(Temp.Fd, &st) == 0 ? int64_t(st.st_size) : -1;
    if (size < 0) {
        // No temporary file, or it cannot be asked: nothing to put in place.
        DiscardTemp(Temp);
        if (!CopyFailLog.empty()) WriteLog(CopyFailLog);
        ShowFileNotWritten(Target);
        return false;
    }
    if (FreeAtTarget < 0 || FreeAtTarget < size) {
        DiscardTemp(Temp);
        if (!DiskFullLog.empty()) WriteLog(DiskFullLog);
        ShowMessage(Msg[24]);
        if (!EndLog.empty()) WriteLog(EndLog);
        return false;
    }
    if (!CommitTemp(Temp, Target)) {
        if (!CopyFailLog.empty()) WriteLog(CopyFailLog);
        ShowFileNotWritten(Target);
        return false;
    }
    if (!EndLog.empty()) WriteLog(EndLog);
    return true;
}
