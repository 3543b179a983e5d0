// Writing a file the user chose: the whole file is first written into a temporary file
// of its own beside the target (core/SafeWrite.h), its size is checked against the free
// space at the target, and only then the temporary file replaces the target by rename.
// A full disk is reported before the target is touched, a failed write keeps the old
// file whole, and two programs saving at once never share a temporary file.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The temporary file of the write in progress; empty when none runs. Sections that
// other parts of the program own are appended to it by name.
std::string TempFilePath();

// Asks for the free space at Target and creates the temporary file beside it (the
// file a symbolic link names). False when it cannot be created.
bool BeginTempFile(const std::string& Target);
// Appends lines, each ended by CR LF, to the temporary file. False on failure.
bool AppendTempLines(const std::vector<std::string>& Lines);
bool AppendTempBytes(std::string_view Bytes);

// Deletes the temporary file (nothing when there is none).
void DeleteTempFile();

// Puts the temporary file in the place of Target; the temporary file is gone in every
// case. Not enough room at the target (or no answer about it): DiskFullLog is logged,
// message 24 shown, the target untouched, EndLog logged. Target not written:
// CopyFailLog (when not empty) is logged and message 25 shown with the file name; no
// EndLog. Written: EndLog logged. True when the target was written. An empty log
// text logs nothing.
bool CommitTempFile(const std::string& Target, const std::string& DiskFullLog, const std::string& CopyFailLog,
                    const std::string& EndLog);

// Free bytes at the target's folder; -1 when unknown (counts as no room). Replaceable
// by tests; ResetSafeFile restores the file system's answer.
extern std::function<int64_t(const std::string& Folder)> SafeFileDiskFree;
void ResetSafeFile();
