#include "tools/UniTType.h"

#include <unordered_map>
#include <vector>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "shell/UniLang.h"
#include "tools/ToolLibFile.h"

int32_t MillTypeMax = 0;
int32_t LatheTypeMax = 0;

namespace {

// More types than any tool dialog could list.
constexpr int32_t MaxToolTypes = 1000;

// Key texts as written (the reader compares them upper-cased), with their fields.
struct TBoolKey {
    const char* Key;
    bool TToolType::*Field;
};
struct TRealKey {
    const char* Key;
    Extended TToolType::*Field;
};

const TBoolKey GeoEna[] = {
    {"  GeoEnaDLow=", &TToolType::GeoEnaDSpodni},    {"  GeoEnaRadius=", &TToolType::GeoEnaR},
    {"  GeoEnaAngle=", &TToolType::GeoEnaU},         {"  GeoEnaHeight=", &TToolType::GeoEnaV},
    {"  GeoEnaDHi=", &TToolType::GeoEnaDHorni},      {"  GeoEnaEdgeLen=", &TToolType::GeoEnaBrit},
    {"  GeoEnaEdgeCount=", &TToolType::GeoEnaPocetBritu}};
const TRealKey GeoVal[] = {
    {"  GeoValDlow=", &TToolType::GeoValDSpodni},    {"  GeoValRadius=", &TToolType::GeoValR},
    {"  GeoValAngle=", &TToolType::GeoValU},         {"  GeoValHeight=", &TToolType::GeoValV},
    {"  GeoValDHi=", &TToolType::GeoValDHorni},      {"  GeoValEdgelen=", &TToolType::GeoValBrit},
    {"  GeoValEdgeCount=", &TToolType::GeoValPocetBritu}};
const TBoolKey TechEna[] = {
    {"  TechEnaMaxSpPwr=", &TToolType::TechEnaMaxSpPw}, {"  TechEnaMaxSpRev=", &TToolType::TechEnaMaxSpRev},
    {"  TechEnaN=", &TToolType::TechEnaN},   {"  TechEnaVc=", &TToolType::TechEnaVc},
    {"  TechEnaFz=", &TToolType::TechEnaFz}, {"  TechEnaFn=", &TToolType::TechEnaFn},
    {"  TechEnaVf=", &TToolType::TechEnaVf}, {"  TechEnaAp=", &TToolType::TechEnaAp},
    {"  TechEnaAe=", &TToolType::TechEnaAe}};
const TRealKey TechVal[] = {
    {"  TechValMaxSpPwr=", &TToolType::TechValMaxSpPw}, {"  TechValMaxSpRev=   ", &TToolType::TechValMaxSpRev},
    {"  TechValN=", &TToolType::TechValN},   {"  TechValVc=", &TToolType::TechValVc},
    {"  TechValFz=", &TToolType::TechValFz}, {"  TechValFn=", &TToolType::TechValFn},
    {"  TechValVf=", &TToolType::TechValVf}, {"  TechValAp=", &TToolType::TechValAp},
    {"  TechValAe=", &TToolType::TechValAe}};
// Object by object, each object's methods Vert, Tang, Ramp, Heli.
const TBoolKey PlunEna[] = {
    {"  PlunEnaPointVert=", &TToolType::PlunEnaPointVert}, {"  PlunEnaPointTang=", &TToolType::PlunEnaPointTang},
    {"  PlunEnaPointRamp=", &TToolType::PlunEnaPointRamp}, {"  PlunEnaPointHeli=", &TToolType::PlunEnaPointHeli},
    {"  PlunEnaOpenVert=", &TToolType::PlunEnaOpenVert},   {"  PlunEnaOpenTang=", &TToolType::PlunEnaOpenTang},
    {"  PlunEnaOpenRamp=", &TToolType::PlunEnaOpenRamp},   {"  PlunEnaOpenHeli=", &TToolType::PlunEnaOpenHeli},
    {"  PlunEnaContVert=", &TToolType::PlunEnaContVert},   {"  PlunEnaContTang=", &TToolType::PlunEnaContTang},
    {"  PlunEnaContRamp=", &TToolType::PlunEnaContRamp},   {"  PlunEnaContHeli=", &TToolType::PlunEnaContHeli},
    {"  PlunEnaPockRoughVert=", &TToolType::PlunEnaPockRoughVert},
    {"  PlunEnaPockRoughTang=", &TToolType::PlunEnaPockRoughTang},
    {"  PlunEnaPockRoughRamp=", &TToolType::PlunEnaPockRoughRamp},
    {"  PlunEnaPockRoughHeli=", &TToolType::PlunEnaPockRoughHeli},
    {"  PlunEnaPockFinVert=", &TToolType::PlunEnaPockFinVert},
    {"  PlunEnaPockFinTang=", &TToolType::PlunEnaPockFinTang},
    {"  PlunEnaPockFinRamp=", &TToolType::PlunEnaPockFinRamp},
    {"  PlunEnaPockFinHeli=", &TToolType::PlunEnaPockFinHeli},
    {"  PlunEnaSurfVert=", &TToolType::PlunEnaSurfVert},   {"  PlunEnaSurfTang=", &TToolType::PlunEnaSurfTang},
    {"  PlunEnaSurfRamp=", &TToolType::PlunEnaSurfRamp},   {"  PlunEnaSurfHeli=", &TToolType::PlunEnaSurfHeli}};

// The key of a written key text as the reader sees it.
std::string ReadKey(const char* Written) {
    TLibLines L;
    L.Lines.assign(1, Written);
    L.Next();
    return L.Key;
}

// The field of each key as the reader sees it, made once.
struct TTypeField {
    bool TToolType::*Flag = nullptr;
    Extended TToolType::*Real = nullptr;
};
const std::unordered_map<std::string, TTypeField>& TypeFields() {
    static const std::unordered_map<std::string, TTypeField> fields = [] {
        std::unordered_map<std::string, TTypeField> m;
        for (const TBoolKey& b : GeoEna) m.emplace(ReadKey(b.Key), TTypeField{b.Field, nullptr});
        for (const TBoolKey& b : TechEna) m.emplace(ReadKey(b.Key), TTypeField{b.Field, nullptr});
        for (const TBoolKey& b : PlunEna) m.emplace(ReadKey(b.Key), TTypeField{b.Field, nullptr});
        for (const TRealKey& r : GeoVal) m.emplace(ReadKey(r.Key), TTypeField{nullptr, r.Field});
        for (const TRealKey& r : TechVal) m.emplace(ReadKey(r.Key), TTypeField{nullptr, r.Field});
        return m;
    }();
    return fields;
}

// Reads one type block up to "[EndMTType]"; T null skips it.
// False when the file ends before the block's end line.
bool ReadType(TLibLines& L, TToolType* T) {
    const auto& fields = TypeFields();
    while (!L.Eof()) {
        L.Next();
        const std::string& K = L.Key;
        if (K == "[ENDMTTYPE]") return true;
        if (!T) continue;
        if (K == "TYPENAME") {
            T->Name = Cp1250ToUtf8(L.Val);
            continue;
        }
        if (K == "JOBID") {
            L.Int(T->JobID);
            continue;
        }
        const auto it = fields.find(K);
        if (it == fields.end()) continue;
        if (it->second.Flag)
            T->*it->second.Flag = L.Bool();
        else
            L.Real(T->*it->second.Real);
    }
    return false;
}

}  // namespace

void InitToolType() {
    WriteLog("Sys:Init Tool types");
    MillTypeMax = 8;
    Glob.MillToolType.assign(9, TToolType{});
    for (size_t i = 0; i < 9; ++i) {
        TToolType& T = Glob.MillToolType[i];
        T.Name = StrMillTType[i];
        for (const TBoolKey& b : GeoEna) T.*b.Field = true;
        for (const TBoolKey& b : TechEna) T.*b.Field = true;
        for (const TRealKey& r : GeoVal) T.*r.Field = -1;
        for (const TRealKey& r : TechVal) T.*r.Field = -1;
    }
}

bool ToolTypeReadOk(int32_t Type, const std::string& File, size_t Line, bool& Told) {
    if (Glob.MillToolType.empty() || (Type >= 0 && size_t(Type) < Glob.MillToolType.size())) return true;
    // Taken, it would fail every later build with "Wrong tool".
    const std::string Where = File + ", " + std::to_string(Line);
    WriteLog("Err:Wrong tool type " + std::to_string(Type) + " (" + Where + ")");
    if (!Told)
        MessageDlg("Neznámý typ nástroje " + std::to_string(Type) + ", nenačten (soubor " + File + ", řádek " +
                       std::to_string(Line) + ")",
                   TMsgDlgType::mtError, mbOK);
    Told = true;
    return false;
}

void AllowBuiltInPlunges() {
    // Objects point, open, closed contour, pocket roughing, pocket finishing, surfacing;
    // methods vertical, tangential, ramp, helix. A point has no path to ramp or arc in
    // along, and a pocket's roughing starts inside the material.
    static const bool ByObject[6][4] = {{true, false, false, true}, {true, false, true, true},
                                        {true, true, true, true},   {true, false, true, true},
                                        {true, true, true, true},   {true, false, true, false}};
    for (size_t t = 0; t < Glob.MillToolType.size() && t < 9; ++t)
        for (int o = 0; o < 6; ++o)
            for (int m = 0; m < 4; ++m) {
                bool On = ByObject[o][m];
                // A drill and a probe only go straight down; a core cutter has no centre
                // edge to ramp or spiral down with; a thread mill does not ramp.
                if (t == 7 || t == 8) On = m == 0;
                if (t == 5 && m >= 2) On = false;
                if (t == 6 && m == 2) On = false;
                Glob.MillToolType[t].*PlunEna[size_t(o * 4 + m)].Field = On;
            }
}

bool FileToToolType(const std::string& JmFile) {
    if (!TextFileExists(JmFile)) {
        WriteLog("Err:FAILED, load tool types, file not found (" + JmFile + ")");
        return true;
    }
    WriteLog("Sys:Load tool types (" + JmFile + ")");
    TLibLines L;
    // A negative or absurd count is not taken. Like it, a value that does not read, a
    // type block or the file without its end line, or fewer type blocks than the file
    // counts make the file damaged: the user is told once.
    bool damaged = !ReadTextLines(JmFile, L.Lines);
    int32_t millCount = -1, millBlocks = 0;
    if (!damaged) {
        auto count = [&](int32_t& Max) {
            int32_t n = 0;
            if (!L.Int(n)) return;
            if (n >= 0 && n <= MaxToolTypes) {
                Max = n;
                return;
            }
            WriteLog("Err:Tool types, count refused (" + L.Val + ", " + JmFile + ")");
            damaged = true;
        };
        if (!L.Eof()) ++L.Pos;  // the header line, not checked
        while (!L.Eof() && L.Key != "[ENDTOOLTYPEDEF]") {
            L.Next();
            const std::string& K = L.Key;
            if (K == "MILLTYPESCOUNT") {
                count(MillTypeMax);
                millCount = MillTypeMax + 1;
            } else if (K == "LATHETYPESCOUNT") count(LatheTypeMax);
            else if (K == "[MILLTYPESDEF]") Glob.MillToolType.resize(size_t(MillTypeMax) + 1);
            else if (K == "[LATHETYPESDEF]") Glob.LatheToolType.resize(size_t(LatheTypeMax) + 1);
            else if (K == "[MTTYPE]") {
                ++millBlocks;
                int32_t i = 0;
                if (!L.Int(i)) continue;
                const bool ok = i >= 0 && size_t(i) < Glob.MillToolType.size();
                if (!ReadType(L, ok ? &Glob.MillToolType[size_t(i)] : nullptr)) damaged = true;
            }
        }
        damaged = damaged || L.BadValue || L.Key != "[ENDTOOLTYPEDEF]" || millBlocks != millCount;
    }
    if (damaged) {
        WriteLog("Err:FAILED, load tool types, damaged file (" + JmFile + ")");
        MessageDlg(MsgText(54) + " (" + JmFile + ")" + KeepDamagedFile(JmFile), TMsgDlgType::mtError, mbOK);
    }
    // The dialogs list types 0..MillTypeMax: the counts follow the lists whatever the
    // order of the file's lines.
    MillTypeMax = int32_t(Glob.MillToolType.size()) - 1;
    if (!Glob.LatheToolType.empty()) LatheTypeMax = int32_t(Glob.LatheToolType.size()) - 1;
    return !damaged;
}

std::vector<std::string> ToolTypeLines() {
    std::vector<std::string> W;
    W.push_back("[Yorvan tool type definition file]");
    W.push_back("MillTypesCount=" + std::to_string(int32_t(Glob.MillToolType.size()) - 1));
    W.push_back("LatheTypesCount=" + std::to_string(LatheTypeMax));
    W.push_back("[MillTypesDef]");
    for (size_t i = 0; i < Glob.MillToolType.size(); ++i) {
        const TToolType& T = Glob.MillToolType[i];
        W.push_back("[MTType]=" + std::to_string(i));
        W.push_back("  TypeName=" + Utf8ToCp1250(T.Name));
        W.push_back("  JobID=" + std::to_string(T.JobID));
        for (const TBoolKey& b : GeoEna) W.push_back(std::string(b.Key) + LibBool(T.*b.Field));
        for (const TRealKey& r : GeoVal) W.push_back(r.Key + ExtToStr(T.*r.Field));
        for (const TBoolKey& b : TechEna) W.push_back(std::string(b.Key) + LibBool(T.*b.Field));
        for (const TRealKey& r : TechVal) W.push_back(r.Key + ExtToStr(T.*r.Field));
        for (const TBoolKey& b : PlunEna) W.push_back(std::string(b.Key) + LibBool(T.*b.Field));
        W.push_back("[EndMTType]");
    }
    W.push_back("[EndMillTypesDef]");
    W.push_back("[LatheTypesDef]");
    for (size_t i = 0; i < Glob.LatheToolType.size(); ++i) {
        const TToolType& T = Glob.LatheToolType[i];
        W.push_back("[LTType]=" + std::to_string(i));
        W.push_back("  TypeName=" + Utf8ToCp1250(T.Name));
        W.push_back("  JobID=" + std::to_string(T.JobID));
        W.push_back(std::string("  GeoEnaRadius=") + LibBool(T.GeoEnaR));
        W.push_back("[EndLTType]");
    }
    W.push_back("[EndLatheTypesDef]");
    W.push_back("[EndToolTypeDef]");
    return W;
}

bool ToolTypeToFile(const std::string& JmFile) { return WriteTextLinesSafe(JmFile, ToolTypeLines()); }
