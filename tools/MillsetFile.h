// The machining set: the section "TOOLS" .. "ENDTOOLS" with the 64 layer tools and the
// common machining parameters, in the job file and alone in a ".set" file.
#pragma once
#include <string>
#include <vector>

#include "tools/ToolSectionLines.h"

// The section's lines: Pack the compact form (one line per tool), else the keyed
// form; TmpCopy the tool dialog's working copy, else the live tools. The common
// parameters always come from Glob.SpolParObr. Only: the layers written (all when null).
std::vector<std::string> MillsetLines(bool Pack, bool TmpCopy, const TToolLayers* Only = nullptr);

// Appends the section to JmFile, or writes a new file when it does not exist.
// False, with "Err:" logged, when it cannot be written.
bool SaveMillset(const std::string& JmFile, bool Pack, bool TmpCopy);

// Reads the first TOOLS section of JmFile into the chosen tool table and
// Glob.SpolParObr. Nothing changes unless the section is there: false, with an "Err:"
// line, for a missing or unreadable file or one without the section.
bool LoadMillset(const std::string& JmFile, bool TmpCopy);
// The same over the lines of JmFile, read already (the same log lines).
bool LoadMillsetLines(const std::string& JmFile, const std::vector<std::string>& Lines, bool TmpCopy);
// The same over lines already read (Found: the section was there).
// File names the lines' file in the messages of refused values.
void LinesToMillset(const std::vector<std::string>& Lines, bool TmpCopy, bool& Found, const std::string& File = "");
