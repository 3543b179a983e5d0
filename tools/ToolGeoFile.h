// The GEO section: identity and geometry of one library tool, alone in a ".geo" file
// or at the head of a whole-tool ".tool" file that adds the tool's cutting data,
// plunge settings and outputs for every material it has. Tnum is a record index of
// the library dialog's working copy ToolLibTmp.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

std::vector<std::string> ToolGeoLines(int32_t Tnum);
// Writes the file anew. False, with "Err:" logged, for a record that does not exist or
// a file that cannot be written.
bool SaveToolGeoSection(const std::string& JmFile, int32_t Tnum);
// Reads the first GEO section into record Tnum (keys without regard to letter case);
// its materials, pass table and cone height stay. False when the record does not
// exist, the file cannot be read or holds no section.
// Lines: the file's lines when they are read already (else the file is read).
bool LoadToolGeoSection(const std::string& JmFile, bool Lib, int32_t Tnum,
                        const std::vector<std::string>* Lines = nullptr);
// GEO, then TECH, PLUNGES and OUTS in the library form for all the record's materials.
bool ExportLibTool(const std::string& JmFile, int32_t Tnum);
