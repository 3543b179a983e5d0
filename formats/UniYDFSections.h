// Sections of the job file that other parts of the program own: the tool sections
// and the operation list. Each owner installs its writer and reader once at start-up;
// an empty one means the section is not written or not read (the object block and the
// settings block are handled regardless). Writers append to the job file by name;
// readers get the job file's lines, read once by the opening (File names it in their
// messages), and must skip what they do not understand. ResetAllState leaves these as
// they are.
#pragma once
#include <string>
#include <vector>

using TJobLines = std::vector<std::string>;

// "TOOLS" .. "ENDTOOLS": the tools of the 64 layers (Pack: packed form).
extern bool (*SaveMillsetSection)(const std::string& File, bool Pack);
extern bool (*LoadMillsetSection)(const std::string& File, const TJobLines& Lines);
// "CAMOPLIST" .. "ENDCAMOPLIST": the operation list (cam/CamOpFile.h, installed from the start).
extern bool (*CamOpsToFileSection)(const std::string& File);
extern bool (*FileToCamOpsSection)(const std::string& File, const TJobLines& Lines);
// "TECH", "PLUNGES", "OUTS": cutting conditions, plunges and outputs of the layer tools.
extern bool (*SaveToolTechSection)(const std::string& File);
extern bool (*LoadToolTechSection)(const std::string& File, const TJobLines& Lines);
extern bool (*SaveToolPlungesSection)(const std::string& File);
extern bool (*LoadToolPlungesSection)(const std::string& File, const TJobLines& Lines);
extern bool (*SaveToolOutsSection)(const std::string& File);
extern bool (*LoadToolOutsSection)(const std::string& File, const TJobLines& Lines);
