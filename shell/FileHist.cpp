#include "shell/FileHist.h"

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Controls.h"
#include "shell/UniLang.h"

std::vector<std::string> FileHist;

void AddToFileHist(const std::string& JmFile) {
    if (int(FileHist.size()) >= Glob.MaxFileHist && !FileHist.empty())
        FileHist.erase(FileHist.begin());
    FileHist.push_back(JmFile);
}

bool FileToFileHist(const std::string& JmFile) {
    WriteLog("Sys:Load file history Start");
    std::vector<std::string> lines;
    if (!TextFileExists(JmFile) || !ReadTextLines(JmFile, lines)) {
        WriteLog("Err:Load file history FAILED, file not found");
        return false;
    }
    for (const std::string& l : lines) AddToFileHist(Cp1250ToUtf8(l));
    return true;
}

bool FileHistToFile(const std::string& JmFile) {
    WriteLog("Sys:Save file history Start");
    std::vector<std::string> lines;
    for (const std::string& p : FileHist) lines.push_back(Utf8ToCp1250(p));
    if (!WriteTextLinesSafe(JmFile, lines)) {
        WriteLog("Err:Save file history FAILED");
        ShowFileNotWritten(JmFile);
        return false;
    }
    WriteLog("Sys:Save file history End");
    return true;
}

std::string FileHistPath() { return ProgramDir + "/FileHist"; }

std::vector<std::string> FileHistLines(bool FullPath, const std::string& MissingMark) {
    std::vector<std::string> out;
    for (auto it = FileHist.rbegin(); it != FileHist.rend(); ++it) {
        const std::string& path = *it;
        std::string shown = path;
        if (!FullPath) {
            size_t slash = path.find_last_of("/\\");
            if (slash != std::string::npos) shown = path.substr(slash + 1);
        }
        out.push_back((TextFileExists(path) ? std::string() : MissingMark) + shown);
    }
    return out;
}

void FileHistToEdit(TListBox& Box, bool FullPath, const std::string& MissingMark) {
    Box.Items = FileHistLines(FullPath, MissingMark);
}

void ResetFileHist() { FileHist.clear(); }
