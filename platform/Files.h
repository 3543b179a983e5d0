// File-system helpers the program uses (paths are UTF-8, "/" separated).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

bool FileExists(const std::string& Path);       // a regular file
bool DirectoryExists(const std::string& Path);
bool ForceDirectories(const std::string& Path);  // creates missing parents too
bool DeleteFileAt(const std::string& Path);      // false when it was not deleted
bool MoveFileTo(const std::string& From, const std::string& To);  // replaces To
bool CopyFileTo(const std::string& From, const std::string& To);  // replaces To
// Names (not paths) of the files in Dir whose name matches Mask ("*.shp", "*"; "*" and "?"
// wildcards, letters compared without case), sorted by name. Dirs: folders instead of files.
std::vector<std::string> FindFiles(const std::string& Dir, const std::string& Mask, bool Dirs = false);
// Free bytes on the volume of Path; -1 when unknown.
int64_t DiskFree(const std::string& Path);
// A file-size limit makes writes fail instead of ending the program.
void IgnoreFileSizeSignal();
