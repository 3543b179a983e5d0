// The recent-files list: job files saved under a new name, oldest first, offered by
// the new-job wizard. Kept in memory as FileHist and in the file ProgramDir + "/FileHist"
// (one path per line, 8-bit text).
#pragma once
#include <string>
#include <vector>

class TListBox;

// Full paths (UTF-8), oldest first.
extern std::vector<std::string> FileHist;

// Appends a path; a list already Glob.MaxFileHist long drops its oldest entry first.
// Duplicates are kept.
void AddToFileHist(const std::string& JmFile);
// Adds every line of the file in order (empty lines too). False when it is missing.
bool FileToFileHist(const std::string& JmFile);
// Rewrites the file from the list (through a temporary file). False when it fails.
bool FileHistToFile(const std::string& JmFile);
// ProgramDir + "/FileHist".
std::string FileHistPath();

// The wizard's lines, newest first: MissingMark (when the file does not exist) followed
// by the full path or by the file name with its extension.
std::vector<std::string> FileHistLines(bool FullPath, const std::string& MissingMark);
// Fills the wizard's list box with FileHistLines.
void FileHistToEdit(TListBox& Box, bool FullPath, const std::string& MissingMark);

// Start-up state: an empty list.
void ResetFileHist();
