// The start-up state of the tool targets: the settings record as the program holds it
// once started, with the built-in materials, tool library and layer tools made (the
// library dialog makes them when the program starts). The zero-filled record that
// FuzzStart keeps has 255 used passes in every layer tool: a job written from it holds
// 16,000 pass lines, and each input would spend its time on them.
#pragma once
#include <string>

#include "fuzz/FuzzReaders.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"

// Made once, from FuzzStart's record.
inline const TGlob& FuzzToolStart() {
    static const TGlob start = [] {
        const TGlob kept = Glob;
        Glob = FuzzStart().Glob;
        InitMaterial();
        InitToolLib();
        InitTool();
        const TGlob made = Glob;
        Glob = kept;
        return made;
    }();
    return start;
}

// The settings record back to that start, ProgramDir kept: at the start and the end of
// every input, in place of FuzzResetGlob.
inline void FuzzRestoreToolGlob() {
    const std::string dir = Glob.ProgramDir;
    Glob = FuzzToolStart();
    Glob.ProgramDir = dir;
}
