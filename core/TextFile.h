// Program text files: settings, command table, recent files, language file ...
// They hold 8-bit text (Windows-1250 bytes); lines end with CR LF when written
// and with CR LF or a bare LF when read.
#pragma once
#include <string>
#include <vector>

// Reads the whole file as bytes. False when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Splits bytes into lines at LF; a CR right before the LF is dropped. A last
// line without a line end counts; nothing after the final line end does.
std::vector<std::string> SplitTextLines(const std::string& bytes);

// Reads a text file into lines (bytes as stored). False when it cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Joins lines, each ended with CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

// Replaces the file's contents safely: the bytes go to a temporary file of its own
// beside the target (core/SafeWrite.h), which is synced and renamed over the target, so
// a failed write leaves the old file untouched. A symbolic link is written through to
// the file it names. False (and no temporary file left) on any failure, and for a
// write-protected target (no write permission bit), which is left as it is. Temporary
// files of interrupted earlier writes of the same target are removed first.
bool WriteFileSafe(const std::string& path, const std::string& bytes);

// Writes the lines with CR LF through WriteFileSafe.
bool WriteTextLinesSafe(const std::string& path, const std::vector<std::string>& lines);

// Appends bytes to the file, creating it when missing. False on failure.
bool AppendFileBytes(const std::string& path, const std::string& bytes);

// True when a regular file (or a link to one) exists at the path.
bool TextFileExists(const std::string& path);
