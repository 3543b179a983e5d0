// Writing the job file and the object records.
#include "formats/UniYDF.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string_view>
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

const std::string& LayerName(uint8_t Layer) {
    static const std::string none;
    return Layer <= LayerCount ? Glob.TabLayer[Layer].Name : none;
}

// The object records written straight into one text through a cursor: each line makes
// room for its longest form once and its pieces, numbers included, are stored where
// they end up without a check each, so a drawing of millions of segments makes no text
// per line or number. With Lines set, each finished line is handed over as a line of
// its own instead (the clipboard and the checks take lines).
class TRecordText {
public:
    TRecordText(const TOpLinks* Links, std::vector<std::string>* Lines = nullptr)
        : Links(Links && !Links->empty() ? Links : nullptr), Lines(Lines) {}

    // The finished lines so far (without Lines); Clear starts over.
    std::string_view Text() const { return {Buf.data(), Used}; }
    void Clear() { Used = 0; }
    void Add(std::string_view S) {
        P = Room(S.size());
        Put(S);
        Used = size_t(P - Buf.data());
    }

    void Object(const TObjHeader* Obj, const std::string& I) {
        const std::string K = I + "  ";
        switch (Obj->Type) {
            case ObjPoint:
                Word(I, "POINT");
                OpLines(Obj, I);
                Layer(K, Obj);
                Start(K, static_cast<const TPointRec*>(Obj)->S);
                Word(I, "ENDPOINT");
                break;
            case ObjPline: {
                Word(I, "PLINE");
                OpLines(Obj, I);
                Layer(K, Obj);
                Start(K, AsPline(Obj)->S);
                const TPlineSeg* s = PlineSegs(Obj);
                for (int32_t i = 0, n = PlineSegCount(Obj); i < n; ++i) Seg(K, s[i].E, s[i].Alfa);
                Word(I, "ENDPLINE");
                break;
            }
            case ObjPline3D: {
                Word(I, "PLINE3D");
                OpLines(Obj, I);
                Layer(K, Obj);
                Start(K, AsPline3D(Obj)->S);
                const TPlineSeg3D* s = Pline3DSegs(Obj);
                for (int32_t i = 0, n = Pline3DSegCount(Obj); i < n; ++i) Seg(K, s[i].E, s[i].Alfa);
                Word(I, "ENDPLINE3D");
                break;
            }
            case ObjText: {
                const auto* t = static_cast<const TTextRec*>(Obj);
                Word(I, "TEXT");
                Layer(K, Obj);
                Field(K, "Text=", t->Text.Get());
                Field(K, "Font=", t->JmFontu.Get());
                Num(K, "Heigth=", t->Vyska);
                Num(K, "WidthFactor=", t->WidthFactor);
                Num(K, "Rotate=", t->Rotate * 180 / Pi);
                if (t->Justify & 128)
                    Num(K, "Interleave=", t->Zkos);
                else
                    Num(K, "Angle=", t->Zkos * 180 / Pi);
                Field(K, "MirrorY=", t->MirrorY ? "TRUE" : "FALSE");
                Num(K, "OriginX=", t->Origin.x);
                Num(K, "OriginY=", t->Origin.y);
                Field(K, "Justify=", std::to_string(int(t->Justify)));
                Word(I, "ENDTEXT");
                break;
            }
            case ObjGroup:
                Word(I, "GROUP");
                OpLines(Obj, I);
                for (const TObjHeader* m = static_cast<const TGroupRec*>(Obj)->First; m; m = m->Next) Object(m, K);
                Word(I, "ENDGROUP");
                break;
            default:
                break;
        }
    }

private:
    // Room for a line beside its indent, key and text: a keyword, three coordinates and
    // an angle of ExtCharsRoom characters each with their names, and the line end.
    static constexpr size_t LineRoom = 256;

    const TOpLinks* Links;  // null when no operation links anything
    std::vector<std::string>* Lines;
    std::string Buf;  // its first Used bytes are the finished lines
    size_t Used = 0;
    char* P = nullptr;  // where the line being made goes on

    char* Room(size_t N) {
        if (Used + N + LineRoom > Buf.size()) Buf.resize(std::max(Buf.size() * 2, Used + N + LineRoom + 4096));
        return Buf.data() + Used;
    }
    void Put(std::string_view S) {
        std::memcpy(P, S.data(), S.size());
        P += S.size();
    }
    void Begin(const std::string& K, size_t Extra = 0) {
        P = Buf.data() + Used;
        if (Used + K.size() + Extra + LineRoom > Buf.size()) P = Room(K.size() + Extra);
        Put(K);
    }
    void Number(Extended V) {
        if (const size_t n = ExtToChars(V, P)) {
            P += n;
            return;
        }
        // A number of more than ExtCharsRoom characters (10^40 and up).
        const std::string t = ExtToStr(V);
        const size_t at = size_t(P - Buf.data());
        if (at + t.size() + LineRoom > Buf.size()) Buf.resize(at + t.size() + LineRoom + 4096);
        P = Buf.data() + at;
        Put(t);
    }
    void End() {
        if (Lines) {
            Lines->emplace_back(Buf.data() + Used, P);
        } else {
            std::memcpy(P, "\r\n", 2);
            Used = size_t(P + 2 - Buf.data());
        }
    }
    void Word(const std::string& I, std::string_view W) {
        Begin(I, W.size());
        Put(W);
        End();
    }
    void Field(const std::string& K, std::string_view Key, std::string_view Val) {
        Begin(K, Key.size() + Val.size());
        Put(Key);
        Put(Val);
        End();
    }
    void Num(const std::string& K, std::string_view Key, Extended V) {
        Begin(K, Key.size());
        Put(Key);
        Number(V);
        End();
    }
    void Layer(const std::string& K, const TObjHeader* Obj) { Field(K, "Layer=", LayerName(Obj->Layer)); }

    void Coords(const Osy& Pt) {
        Put(" x=");
        Number(Pt.x);
        Put(" y=");
        Number(Pt.y);
    }
    void Coords(const Osy3D& Pt) {
        Coords(Osy{Pt.x, Pt.y});
        Put(" z=");
        Number(Pt.z);
    }
    template <class TPt>
    void Start(const std::string& K, const TPt& Pt) {
        Begin(K);
        Put("Start");
        Coords(Pt);
        End();
    }
    // "LineTo x=.. y=.." or "ArcTo  x=.. y=..  a=..".
    template <class TPt>
    void Seg(const std::string& K, const TPt& E, Extended Alfa) {
        Begin(K);
        const bool arc = std::fabs(Alfa) >= CoordTol;
        Put(arc ? std::string_view("ArcTo ") : std::string_view("LineTo"));
        Coords(E);
        if (arc) {
            Put("  a=");
            Number(Alfa * 180 / Pi);
        }
        End();
    }

    void OpLines(const TObjHeader* Obj, const std::string& I) {
        if (!Links) return;
        auto it = Links->find(Obj);
        if (it == Links->end()) return;
        for (const auto& [op, kind] : it->second) Field(I, kind == 1 ? "OpParrent=" : "OpChild=", std::to_string(op));
    }
};

}  // namespace

void YdfObjectLines(const TObjHeader* Obj, const std::string& Indent, bool OpLines, std::vector<std::string>& Out) {
    if (!Obj) return;
    if (OpLines) {
        const TOpLinks links = BuildOpLinks();
        TRecordText(&links, &Out).Object(Obj, Indent);
    } else {
        TRecordText(nullptr, &Out).Object(Obj, Indent);
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
        const TOpLinks links = BuildOpLinks();
        TRecordText text(&links);
        text.Add("OBJECTS\r\n");
        const std::string indent = "  ";
        for (const TObjHeader* p = MainVars.DataStart; p && ok; p = p->Next) {
            if (!AllObjects && !(p->Flags & FlagSelected)) continue;
            text.Object(p, indent);
            if (text.Text().size() >= Chunk) {
                ok = AppendTempBytes(text.Text());
                text.Clear();
            }
        }
        text.Add("ENDOBJECTS\r\nEOF\r\n");
        ok = ok && AppendTempBytes(text.Text());
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
