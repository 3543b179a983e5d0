// The sections "TECH", "PLUNGES" and "OUTS": cutting data, plunge settings and outputs
// of the tools' materials. The layer form (Tnum -1) holds the 64 layer tools of the
// live table or of the tool dialog's working copy (TmpCopy) and goes into the job file;
// the library form (Tnum = r >= 0) holds the materials of record r of the library
// dialog's working copy ToolLibTmp (all of them for Mnum -1, else material Mnum) and
// goes into exported tool files. Append false writes the file anew (through the safe
// temporary file). Writers and readers return false, with an "Err:" line, on failure.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/ToolSectionLines.h"

// A namespace of their own: the job file's hooks (formats/UniYDFSections.h) carry the
// routines' plain names.
namespace ToolFile {

// Only: in the layer form, the layers written (all when null).
std::vector<std::string> ToolTechLines(bool TmpCopy, int32_t Tnum, int32_t Mnum, const TToolLayers* Only = nullptr);
std::vector<std::string> ToolPlungesLines(bool TmpCopy, int32_t Tnum, int32_t Mnum, const TToolLayers* Only = nullptr);
std::vector<std::string> ToolOutsLines(bool TmpCopy, int32_t Tnum, int32_t Mnum, const TToolLayers* Only = nullptr);

bool SaveToolTechSection(const std::string& JmFile, bool TmpCopy, bool Append, int32_t Tnum, int32_t Mnum);
bool SaveToolPlungesSection(const std::string& JmFile, bool TmpCopy, bool Append, int32_t Tnum, int32_t Mnum);
bool SaveToolOutsSection(const std::string& JmFile, bool TmpCopy, bool Append, int32_t Tnum, int32_t Mnum);

// Layer form readers: the first section of the file into the chosen table. A missing
// file or section changes nothing.
// Lines: the file's lines when they are read already (else the file is read).
bool LoadToolTechSection(const std::string& JmFile, bool TmpCopy, const std::vector<std::string>* Lines = nullptr);
bool LoadToolPlungesSection(const std::string& JmFile, bool TmpCopy, const std::vector<std::string>* Lines = nullptr);
bool LoadToolOutsSection(const std::string& JmFile, bool TmpCopy, const std::vector<std::string>* Lines = nullptr);

// Library form readers: the blocks of the file into the materials of library record r
// of ToolLibTmp, block j into material j, or, for Mnum >= 0, the first block into
// material Mnum. False when r or Mnum names no record or material, or the file has no
// such section.
// Lines: the file's lines when they are read already (else the file is read).
bool LoadLibToolTech(const std::string& JmFile, int32_t Tnum, int32_t Mnum,
                     const std::vector<std::string>* Lines = nullptr);
bool LoadLibToolPlunges(const std::string& JmFile, int32_t Tnum, int32_t Mnum,
                        const std::vector<std::string>* Lines = nullptr);
bool LoadLibToolOuts(const std::string& JmFile, int32_t Tnum, int32_t Mnum,
                     const std::vector<std::string>* Lines = nullptr);

}  // namespace ToolFile

// The job file's tool sections, as its hooks call them: the live layer tools, the
// TOOLS section in the form Pack chooses; the readers take the job file's lines.
bool JobSaveMillset(const std::string& File, bool Pack);
bool JobLoadMillset(const std::string& File, const std::vector<std::string>& Lines);
bool JobSaveToolTech(const std::string& File);
bool JobLoadToolTech(const std::string& File, const std::vector<std::string>& Lines);
bool JobSaveToolPlunges(const std::string& File);
bool JobLoadToolPlunges(const std::string& File, const std::vector<std::string>& Lines);
bool JobSaveToolOuts(const std::string& File);
bool JobLoadToolOuts(const std::string& File, const std::vector<std::string>& Lines);
