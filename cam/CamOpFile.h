// The operation list's section of the job file: "CAMOPLIST", seven lines per
// operation (name, status, master, type, two layers, 25 parameters), "ENDCAMOPLIST".
// Links to objects are not here: the object records carry them.
#pragma once
#include <string>
#include <vector>

// Appends the section to FileName (created when missing). False when not written.
bool CamOpsToFile(const std::string& FileName);
// Reads the first section of FileName into the operation list, counting CamCnt up
// from its value (the caller empties the list first). False when the file is missing.
bool FileToCamOps(const std::string& FileName);
// The same over the lines of FileName, read already (the same log lines).
bool LinesToCamOps(const std::string& FileName, const std::vector<std::string>& Lines);
