// Writing a file the user chose: the whole file is first written into one temporary
// file in the program folder, then its size is checked against the free space at the
// target and only then the target is replaced. A full disk is reported before the
// target is touched, and the target is replaced by rename, so a failed copy keeps the
// old file whole.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ProgramDir + "/TEMP.$$$": one name serves every writer; it exists only while a
// writer runs.
std::string TempFilePath();

// Creates (or empties) the temporary file. False when it cannot be created.
bool BeginTempFile();
// Appends lines, each ended by CR LF, to the temporary file. False on failure.
bool AppendTempLines(const std::vector<std::string>& Lines);

// Deletes the temporary file (nothing when there is none).
void DeleteTempFile();

// Copies the temporary file to Target and deletes the temporary file in every case.
// Not enough room at the target (or no answer about it): DiskFullLog is logged,
// message 24 shown, the target untouched, EndLog logged. Target not written:
// CopyFailLog (when not empty) is logged and message 25 shown; no EndLog. Written:
// EndLog logged. True when the target was written. An empty log text logs nothing.
bool CommitTempFile(const std::string& Target, const std::string& DiskFullLog, const std::string& CopyFailLog,
                    const std::string& EndLog);

// Free bytes at the target's folder; -1 when unknown (counts as no room). Replaceable
// by tests; ResetSafeFile restores the file system's answer.
extern std::function<int64_t(const std::string& Folder)> SafeFileDiskFree;
void ResetSafeFile();
