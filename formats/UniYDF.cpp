// Writing the job file and the object records.
#include "formats/UniYDF.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include "cam/CamOpFile.h"
#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "formats/SafeFile.h"
#include "formats/UniYDFSections.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "tools/ToolTechFile.h"

bool (*SaveMillsetSection)(const std::string&, bool) = JobSaveMillset;
bool (*LoadMillsetSection)(const std::string&, const TJobLines&) = JobLoadMillset;
bool (*CamOpsToFileSection)(const std::string&) = CamOpsToFile;
bool (*FileToCamOpsSection)(const std::string&, const TJobLines&) = LinesToCamOps;
bool (*SaveToolTechSection)(const std::string&) = JobSaveToolTech;
bool (*LoadToolTechSection)(const std::string&, const TJobLines&) = JobLoadToolTech;
bool (*SaveToolPlungesSection)(const std::string&) = JobSaveToolPlunges;
bool (*LoadToolPlungesSection)(const std::string&, const TJobLines&) = JobLoadToolPlunges;
bool (*SaveToolOutsSection)(const std::string&) = JobSaveToolOuts;
bool (*LoadToolOutsSection)(const std::string&, const TJobLines&) = JobLoadToolOuts;

namespace {

constexpr Extended Pi = 3.141592653589793238462643383279502884L;

// Object -> (operation, 1 source / 2 generated path), operations ascending. Built once
// per save from the operation list, so each record finds its links without a search.
using TOpLinks = std::unordered_map<const TObjHeader*, std::vector<std::pair<int, uint8_t>>>;

TOpLinks BuildOpLinks() {
    TOpLinks links;
    const int cnt = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps);
    for (int i = 0; i < cnt; ++i) {
        const TCamOp& op = OpList.Cam[i];
        const int pc = std::clamp<int>(op.ParCnt, 0, int(op.Parents.size()));
        for (int k = 0; k < pc; ++k) {
            auto& v = links[op.Parents[k]];
            if (op.Parents[k] && (v.empty() || v.back().first != i)) v.emplace_back(i, 1);
        }
        const int cc = std::clamp<int>(op.ChilCnt, 0, int(op.Childs.size()));
        for (int k = 0; k < cc; ++k) {
            auto& v = links[op.Childs[k]];
            // A source link of the same operation wins.
            if (op.Childs[k] && (v.empty() || v.back().first != i)) v.emplace_back(i, 2);
        }
    }
    return links;
}

std::string LayerName(uint8_t Layer) {
    return Layer <= LayerCount ? Glob.TabLayer[Layer].Name : std::string();
}

std::string XY(const Osy& P) { return " x=" + ExtToStr(P.x) + " y=" + ExtToStr(P.y); }
std::string XYZ(const Osy3D& P) {
    return " x=" + ExtToStr(P.x) + " y=" + ExtToStr(P.y) + " z=" + ExtToStr(P.z);
}
std::string Deg(Extended Rad) { return ExtToStr(Rad * 180 / Pi); }

// A segment line ("LineTo x=.. y=..", "ArcTo  x=.. y=..  a=..") made in one text.
template <class TPt>
std::string SegLine(const std::string& K, const TPt& E, Extended Alfa) {
    std::string l;
    l.reserve(K.size() + 80);
    l += K;
    const bool arc = std::fabs(Alfa) >= CoordTol;
    l += arc ? "ArcTo " : "LineTo";
    l += " x=";
    AppendExtToStr(l, E.x);
    l += " y=";
    AppendExtToStr(l, E.y);
    if constexpr (std::is_same_v<TPt, Osy3D>) {
        l += " z=";
        AppendExtToStr(l, E.z);
    }
    if (arc) {
        l += "  a=";
        AppendExtToStr(l, Alfa * 180 / Pi);
    }
    return l;
}

void ObjectLines(const TObjHeader* Obj, const std::string& I, const TOpLinks* Links, std::vector<std::string>& Out,
                 int Depth) {
    auto opLines = [&] {
        if (!Links) return;
        auto it = Links->find(Obj);
        if (it == Links->end()) return;
        for (const auto& [op, kind] : it->second)
            Out.push_back(I + (kind == 1 ? "OpParrent=" : "OpChild=") + std::to_string(op));
    };
    const std::string K = I + "  ";
    switch (Obj->Type) {
        case ObjPoint: {
            Out.push_back(I + "POINT");
            opLines();
            Out.push_back(K + "Layer=" + LayerName(Obj->Layer));
            Out.push_back(K + "Start" + XY(static_cast<const TPointRec*>(Obj)->S));
            Out.push_back(I + "ENDPOINT");
            break;
        }
        case ObjPline: {
            Out.push_back(I + "PLINE");
            opLines();
            Out.push_back(K + "Layer=" + LayerName(Obj->Layer));
            Out.push_back(K + "Start" + XY(AsPline(Obj)->S));
            const TPlineSeg* s = PlineSegs(Obj);
            for (int32_t i = 0, n = PlineSegCount(Obj); i < n; ++i) Out.push_back(SegLine(K, s[i].E, s[i].Alfa));
            Out.push_back(I + "ENDPLINE");
            break;
        }
        case ObjPline3D: {
            Out.push_back(I + "PLINE3D");
            opLines();
            Out.push_back(K + "Layer=" + LayerName(Obj->Layer));
            Out.push_back(K + "Start" + XYZ(AsPline3D(Obj)->S));
            const TPlineSeg3D* s = Pline3DSegs(Obj);
            for (int32_t i = 0, n = Pline3DSegCount(Obj); i < n; ++i) Out.push_back(SegLine(K, s[i].E, s[i].Alfa));
            Out.push_back(I + "ENDPLINE3D");
            break;
        }
        case ObjText: {
            const auto* t = static_cast<const TTextRec*>(Obj);
            Out.push_back(I + "TEXT");
            Out.push_back(K + "Layer=" + LayerName(Obj->Layer));
            Out.push_back(K + "Text=" + t->Text.Get());
            Out.push_back(K + "Font=" + t->JmFontu.Get());
            Out.push_back(K + "Heigth=" + ExtToStr(t->Vyska));
            Out.push_back(K + "WidthFactor=" + ExtToStr(t->WidthFactor));
            Out.push_back(K + "Rotate=" + Deg(t->Rotate));
            if (t->Justify & 128)
                Out.push_back(K + "Interleave=" + ExtToStr(t->Zkos));
            else
                Out.push_back(K + "Angle=" + Deg(t->Zkos));
            Out.push_back(K + "MirrorY=" + std::string(t->MirrorY ? "TRUE" : "FALSE"));
            Out.push_back(K + "OriginX=" + ExtToStr(t->Origin.x));
            Out.push_back(K + "OriginY=" + ExtToStr(t->Origin.y));
            Out.push_back(K + "Justify=" + std::to_string(int(t->Justify)));
            Out.push_back(I + "ENDTEXT");
            break;
        }
        case ObjGroup: {
            Out.push_back(I + "GROUP");
            opLines();
            for (const TObjHeader* m = static_cast<const TGroupRec*>(Obj)->First; m; m = m->Next)
                ObjectLines(m, K, Links, Out, Depth + 1);
            Out.push_back(I + "ENDGROUP");
            break;
        }
        default:
            break;
    }
}

}  // namespace

void YdfObjectLines(const TObjHeader* Obj, const std::string& Indent, bool OpLines, std::vector<std::string>& Out) {
    if (!Obj) return;
    if (OpLines) {
        const TOpLinks links = BuildOpLinks();
        ObjectLines(Obj, Indent, &links, Out, 0);
    } else {
        ObjectLines(Obj, Indent, nullptr, Out, 0);
    }
}

namespace {

// The whole job into the temporary file of the save; false when it could not be written.
bool WriteYdfTemp(const std::string& FileName, bool AllObjects, bool Pack) {
    const TDateTimeParts now = Now();
    char time[16];
    std::snprintf(time, sizeof time, "%d:%02d:%02d", int(now.Hour), int(now.Minute), int(now.Second));
    bool ok = BeginTempFile(FileName) &&
              AppendTempLines({DefaultCfgVersionLine, "Date=" + FormatShortDate(now), std::string("Time=") + time});
    const std::string temp = TempFilePath();
    ok = ok && GlobalCfgToFile(temp, Pack);
    if (ok && SaveMillsetSection) ok = SaveMillsetSection(temp, Pack);
    if (ok && CamOpsToFileSection) ok = CamOpsToFileSection(temp);
    if (ok && SaveToolTechSection) ok = SaveToolTechSection(temp);
    if (ok && SaveToolPlungesSection) ok = SaveToolPlungesSection(temp);
    if (ok && SaveToolOutsSection) ok = SaveToolOutsSection(temp);
    if (ok) {
        // The object block streams into the temporary file a few hundred kilobytes at a
        // time: a big drawing is never held twice over as text.
        constexpr size_t Chunk = 1 << 19;
        std::string out = "OBJECTS\r\n";
        std::vector<std::string> lines;
        const TOpLinks links = BuildOpLinks();
        for (const TObjHeader* p = MainVars.DataStart; p && ok; p = p->Next) {
            if (!AllObjects && !(p->Flags & FlagSelected)) continue;
            lines.clear();
            ObjectLines(p, "  ", &links, lines, 0);
            for (const std::string& l : lines) {
                out += l;
                out += "\r\n";
            }
            if (out.size() >= Chunk) {
                ok = AppendTempBytes(out);
                out.clear();
            }
        }
        out += "ENDOBJECTS\r\nEOF\r\n";
        ok = ok && AppendTempBytes(out);
    }
    return ok;
}

}  // namespace

bool SaveYdfFile(const std::string& FileName, bool AllObjects, bool Pack) {
    WriteLog("Sys:Save YDF Start (" + FileName + ")");
    bool ok = false;
    try {
        ok = WriteYdfTemp(FileName, AllObjects, Pack);
    } catch (const std::exception& E) {
        // Out of memory while the lines are made: the save fails like a full disk
        // would, and the job in memory stays as it was.
        WriteLog(std::string("Err:Exception in Save YDF: ") + E.what());
    }
    if (!ok) {
        // The temporary file could not be written: the target is not touched.
        DeleteTempFile();
        WriteLog("ERR:FAILED Save YDF");
        ShowFileNotWritten(FileName);
        return false;
    }
    return CommitTempFile(FileName, "Err:not enough free disk space, exit", "ERR:FAILED Save YDF",
                          "Sys:Save YDF End");
}
