#include "tools/ToolTechFile.h"

#include <cmath>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "tools/MillsetFile.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolSectionLines.h"

namespace {

TToolArr& Tools(bool TmpCopy) { return TmpCopy ? ToolTmp : Glob.Tool; }

std::string R(Extended V) { return ExtToStr(V); }
std::string I(int64_t V) { return std::to_string(V); }

std::string Join(const std::vector<std::string>& F) {
    std::string s;
    for (size_t i = 0; i < F.size(); ++i) s += (i ? "," : "") + F[i];
    return s;
}

bool Written(const TToolLayers* Only, int n) { return !Only || Only->test(size_t(n)); }

// Materials of library record Tnum that the library form writes: all (Mnum -1) or one.
std::vector<const TMaterial*> LibMaterials(int32_t Tnum, int32_t Mnum) {
    std::vector<const TMaterial*> m;
    if (Tnum < 0 || size_t(Tnum) >= ToolLibTmp.size()) return m;
    const std::vector<TMaterial>& all = ToolLibTmp[size_t(Tnum)].Material;
    for (size_t j = 0; j < all.size(); ++j)
        if (Mnum < 0 || size_t(Mnum) == j) m.push_back(&all[j]);
    return m;
}

// ---- TECH ----

// The feed Vf ends the line: without it a reopened job would lose the feed the user
// typed; a reader that stops at ApPercent finds no number there and keeps its own.
std::vector<std::string> TechFields(const TToolTech& T) {
    return {I(T.MaxPwr), I(T.MaxN), I(T.Method), I(T.N), R(T.Vc), R(T.Fz), R(T.Fn),
            R(T.Ae), R(T.Ap), Flag01(T.AePercent), Flag01(T.ApPercent), R(T.Vf)};
}

void ReadTechLine(std::string_view Value, TToolTech& T) {
    TFieldReader r{Value};
    std::string_view f;
    int32_t i = 0;
    if (!r.Next(f)) return;
    SecTrunc(f, T.MaxPwr);
    if (!r.Next(f)) return;
    SecTrunc(f, T.MaxN);
    if (!r.Next(f)) return;
    if (SecTrunc(f, i) && i >= 0 && i <= 255) T.Method = uint8_t(i);
    if (!r.Next(f)) return;
    SecTrunc(f, T.N);
    for (Extended* x : {&T.Vc, &T.Fz, &T.Fn, &T.Ae, &T.Ap}) {
        if (!r.Next(f)) return;
        SecNum(f, *x);
    }
    if (!r.Next(f)) return;
    SecFlag(f, T.AePercent);
    if (r.Next(f)) {
        SecFlag(f, T.ApPercent);
        SecNum(r.Rest(), T.Vf);
    } else {
        SecFlag(r.Rest(), T.ApPercent);
    }
}

// ---- PLUNGES ----

// The plunge fields after the object number, in file order.
std::vector<std::string> PlungeFields(const TToolPlunge& P) {
    return {I(P.Method),        R(P.FeedTime),  R(P.FeedPct),     Flag01(P.FeedPercent),
            R(P.RampAngle),     R(P.RampLength), Flag01(P.RampPercent), R(P.SpiralPitch),
            R(P.SpiralAngle),   R(P.SpiralRad), Flag01(P.SpiralRadPercent), Flag01(P.SpiralDownStep),
            Flag01(P.SpiralLeft), R(P.TangAngle), R(P.TangRad), Flag01(P.TangEntry),
            Flag01(P.TangExit), Flag01(P.TangCenter), Flag01(P.TangRadPercent),
            P.IgnoreDepthDiv ? "true" : "false"};
}

const char* const PlungeKeys[20] = {"Method",         "FeedTime",         "FeedPct",        "FeedPercent",
                                    "RampAngle",      "RampLength",       "RampPercent",    "SpiralPitch",
                                    "SpiralAngle",    "SpiralRad",        "SpiralRadPercent", "SpiralDownStep",
                                    "SpiralLeft",     "TangAngle",        "TangRad",        "TangEntry",
                                    "TangExit",       "TangCenter",       "TangRadPercent", "IgnoreDepthDiv"};

// Field k of the list above from its text.
void SetPlungeField(TToolPlunge& P, int k, std::string_view f) {
    int32_t i = 0;
    switch (k) {
        case 0:
            if (SecTrunc(f, i) && i >= 0 && i <= 255) P.Method = uint8_t(i);
            break;
        case 1: SecNum(f, P.FeedTime); break;
        case 2: SecNum(f, P.FeedPct); break;
        case 3: SecFlag(f, P.FeedPercent); break;
        case 4: SecNum(f, P.RampAngle); break;
        case 5: SecNum(f, P.RampLength); break;
        case 6: SecFlag(f, P.RampPercent); break;
        case 7: SecNum(f, P.SpiralPitch); break;
        case 8: SecNum(f, P.SpiralAngle); break;
        case 9: SecNum(f, P.SpiralRad); break;
        case 10: SecFlag(f, P.SpiralRadPercent); break;
        case 11: SecFlag(f, P.SpiralDownStep); break;
        case 12: SecFlag(f, P.SpiralLeft); break;
        case 13: SecNum(f, P.TangAngle); break;
        case 14: SecNum(f, P.TangRad); break;
        case 15: SecFlag(f, P.TangEntry); break;
        case 16: SecFlag(f, P.TangExit); break;
        case 17: SecFlag(f, P.TangCenter); break;
        case 18: SecFlag(f, P.TangRadPercent); break;
        default: P.IgnoreDepthDiv = SameUpper(f, "TRUE"); break;
    }
}

void ReadPlungeLine(std::string_view Value, TPlungeObjects& Z) {
    TFieldReader r{Value};
    std::string_view f;
    int32_t k = 0;
    if (!r.Next(f) || !SecTrunc(f, k) || k < 0 || k >= int32_t(Z.size())) return;
    TToolPlunge& P = Z[size_t(k)];
    for (int i = 0; i < 18; ++i) {
        if (!r.Next(f)) return;
        SetPlungeField(P, i, f);
    }
    // TangRadPercent ends a line of 20 fields; a 21st is IgnoreDepthDiv.
    if (r.Next(f)) {
        SetPlungeField(P, 18, f);
        SetPlungeField(P, 19, r.Rest());
    } else {
        SetPlungeField(P, 18, r.Rest());
    }
}

// ---- OUTS ----

std::vector<std::string> OutsFields(const TToolOutputs& O) {
    return {Flag01(O.LaserUse), R(O.LaserTime), I(O.CoolantType), R(O.CoolantTime),
            Flag01(O.CoolantRapid), Flag01(O.OfukUse), I(O.OfukCount), R(O.OfukTime)};
}

const char* const OutsKeys[8] = {"LaserUse",     "LaserTime", "CoolantType", "CoolantTime",
                                 "CoolantRapid", "OfukUse",   "OfukCount",   "OfukTime"};

void SetOutsField(TToolOutputs& O, int k, std::string_view f) {
    int32_t i = 0;
    switch (k) {
        case 0: SecFlag(f, O.LaserUse); break;
        case 1: SecNum(f, O.LaserTime); break;
        case 2:
            if (SecTrunc(f, i) && i >= Zadne && i <= Proud) O.CoolantType = TChlaz(i);
            break;
        case 3: SecNum(f, O.CoolantTime); break;
        case 4: SecFlag(f, O.CoolantRapid); break;
        case 5: SecFlag(f, O.OfukUse); break;
        case 6: SecTrunc(f, O.OfukCount); break;
        default: SecNum(f, O.OfukTime); break;
    }
}

void ReadOutsLine(std::string_view Value, TToolOutputs& O) {
    TFieldReader r{Value};
    std::string_view f;
    for (int k = 0; k < 7; ++k) {
        if (!r.Next(f)) return;
        SetOutsField(O, k, f);
    }
    SetOutsField(O, 7, r.Rest());
}

// Layer of a key that is exactly "T" + n (n 1..64); 0 otherwise.
int LayerKey(std::string_view K) {
    if (K.size() < 2 || K.size() > 3 || K[0] != 'T' || K[1] == '0') return 0;
    int n = 0;
    for (size_t i = 1; i < K.size(); ++i) {
        if (K[i] < '0' || K[i] > '9') return 0;
        n = n * 10 + (K[i] - '0');
    }
    return n <= ToolLayerCount ? n : 0;
}

// The common frame of the three layer readers.
template <typename F>
bool LoadLayerSection(const std::string& File, const std::vector<std::string>* Lines, const char* Start,
                      const char* End, const char* What, F Apply) {
    std::vector<TSectionLine> L;
    std::vector<std::string> read;
    bool found = false;
    if (Lines) {
        SectionOfLines(*Lines, Start, End, L, found);
    } else if (!TextFileExists(File)) {
        WriteLog(std::string("Err:FAILED Load tool ") + What + ", file not found");
        return false;
    } else if (!ReadSection(File, Start, End, read, L, found)) {
        return false;
    }
    for (const TSectionLine& l : L)
        if (const int n = LayerKey(l.Key); n && l.HasVal) Apply(n, l.Val);
    return found;
}

template <typename F>
bool SaveSection(const std::string& File, const char* What, bool Append, int32_t Tnum, int32_t Mnum, F Lines) {
    WriteLog(std::string("Sys:Save Tool ") + What + " Start (" + File + ", Tnum:" + I(Tnum) + ", Mnum:" + I(Mnum) + ")");
    const bool ok = WriteSectionLines(File, Lines(), Append);
    if (!ok) WriteLog(std::string("Err:FAILED Save tool ") + What);
    WriteLog(std::string("Sys:Save Tool ") + What + " End");
    return ok;
}

// Library record Tnum's material that block j of a library file goes to; nullptr: none.
TMaterial* LibTarget(int32_t Tnum, int32_t Mnum, int j) {
    if (Tnum < 0 || size_t(Tnum) >= ToolLibTmp.size()) return nullptr;
    std::vector<TMaterial>& m = ToolLibTmp[size_t(Tnum)].Material;
    const int64_t idx = Mnum >= 0 ? (j == 0 ? Mnum : -1) : j;
    return idx >= 0 && size_t(idx) < m.size() ? &m[size_t(idx)] : nullptr;
}

// Blocks "MatName=" .. "EndMat" of a library TECH or OUTS file, each key line "  " + key.
// The section of a library file, from Lines when they are read already (else from File):
// false when it is not there.
bool LibSection(const std::string& File, const std::vector<std::string>* Lines, const char* Start, const char* End,
                std::vector<std::string>& Read, std::vector<TSectionLine>& L) {
    bool found = false;
    if (Lines) SectionOfLines(*Lines, Start, End, L, found);
    else if (!TextFileExists(File) || !ReadSection(File, Start, End, Read, L, found)) return false;
    return found;
}

template <typename F>
bool LoadLibBlocks(const std::string& File, const std::vector<std::string>* Lines, const char* Start, const char* End,
                   int32_t Tnum, int32_t Mnum, F Set) {
    if (!LibTarget(Tnum, Mnum, 0)) return false;
    std::vector<TSectionLine> L;
    std::vector<std::string> read;
    if (!LibSection(File, Lines, Start, End, read, L)) return false;
    int j = -1;
    for (const TSectionLine& l : L) {
        if (l.Key == "MatName") ++j;
        else if (TMaterial* M = j >= 0 ? LibTarget(Tnum, Mnum, j) : nullptr; M && l.HasVal) Set(*M, l.Key, l.Val);
    }
    return j >= 0;
}

}  // namespace

namespace ToolFile {

std::vector<std::string> ToolTechLines(bool TmpCopy, int32_t Tnum, int32_t Mnum, const TToolLayers* Only) {
    std::vector<std::string> W{"TECH"};
    if (Tnum < 0) {
        const TToolArr& A = Tools(TmpCopy);
        for (int n = 1; n <= ToolLayerCount; ++n)
            if (Written(Only, n)) W.push_back("  T" + I(n) + "=" + Join(TechFields(A[n].Material.Tech)));
    } else {
        for (const TMaterial* M : LibMaterials(Tnum, Mnum)) {
            const TToolTech& T = M->Tech;
            W.push_back("MatName=" + Utf8ToCp1250(M->Jmeno));
            W.push_back("  MaxPwr=" + I(T.MaxPwr));
            W.push_back("  MaxN=" + I(T.MaxN));
            W.push_back("  Method=" + I(T.Method));
            W.push_back("  N=" + I(T.N));
            W.push_back("  Vc=" + R(T.Vc));
            W.push_back("  Fz=" + R(T.Fz));
            W.push_back("  Fn=" + R(T.Fn));
            W.push_back("  Ae=" + R(T.Ae));
            W.push_back("  Ap=" + R(T.Ap));
            W.push_back(std::string("  Aepercent=") + Flag01(T.AePercent));
            W.push_back(std::string("  ApPercent=") + Flag01(T.ApPercent));
            W.push_back("EndMat");
        }
    }
    W.push_back("ENDTECH");
    return W;
}

std::vector<std::string> ToolPlungesLines(bool TmpCopy, int32_t Tnum, int32_t Mnum, const TToolLayers* Only) {
    std::vector<std::string> W{"PLUNGES", "obj,typ,Ftim,Fpct,FPB,RA,RL,RPB,SP,SR,SRPB,SDS,SL,TA,TR,TIN,TOU,TCN,TRPB"};
    // All six plunge objects, surfacing included, so that a reopened job keeps it.
    if (Tnum < 0) {
        const TToolArr& A = Tools(TmpCopy);
        for (int n = 1; n <= ToolLayerCount; ++n)
            for (size_t k = 0; Written(Only, n) && k < A[n].Material.Zapich.size(); ++k)
                W.push_back("  T" + I(n) + "=" + I(int64_t(k)) + "," + Join(PlungeFields(A[n].Material.Zapich[k])));
    } else {
        for (const TMaterial* M : LibMaterials(Tnum, Mnum))
            for (size_t k = 0; k < M->Zapich.size(); ++k) {
                const std::vector<std::string> f = PlungeFields(M->Zapich[k]);
                for (int i = 0; i < 20; ++i)
                    W.push_back("  Plunge" + I(int64_t(k)) + PlungeKeys[i] + "=" + f[size_t(i)]);
            }
    }
    W.push_back("ENDPLUNGES");
    return W;
}

std::vector<std::string> ToolOutsLines(bool TmpCopy, int32_t Tnum, int32_t Mnum, const TToolLayers* Only) {
    std::vector<std::string> W{"OUTS"};
    if (Tnum < 0) {
        const TToolArr& A = Tools(TmpCopy);
        for (int n = 1; n <= ToolLayerCount; ++n)
            if (Written(Only, n)) W.push_back("  T" + I(n) + "=" + Join(OutsFields(A[n].Material.Vystup)));
    } else {
        for (const TMaterial* M : LibMaterials(Tnum, Mnum)) {
            const std::vector<std::string> f = OutsFields(M->Vystup);
            W.push_back("MatName=" + Utf8ToCp1250(M->Jmeno));
            for (int i = 0; i < 8; ++i) W.push_back(std::string("  ") + OutsKeys[i] + "=" + f[size_t(i)]);
            W.push_back("EndMat");
        }
    }
    W.push_back("ENDOUTS");
    return W;
}

bool SaveToolTechSection(const std::string& JmFile, bool TmpCopy, bool Append, int32_t Tnum, int32_t Mnum) {
    return SaveSection(JmFile, "tech", Append, Tnum, Mnum, [&] { return ToolTechLines(TmpCopy, Tnum, Mnum); });
}
bool SaveToolPlungesSection(const std::string& JmFile, bool TmpCopy, bool Append, int32_t Tnum, int32_t Mnum) {
    return SaveSection(JmFile, "plunges", Append, Tnum, Mnum, [&] { return ToolPlungesLines(TmpCopy, Tnum, Mnum); });
}
bool SaveToolOutsSection(const std::string& JmFile, bool TmpCopy, bool Append, int32_t Tnum, int32_t Mnum) {
    return SaveSection(JmFile, "outs", Append, Tnum, Mnum, [&] { return ToolOutsLines(TmpCopy, Tnum, Mnum); });
}

bool LoadToolTechSection(const std::string& JmFile, bool TmpCopy, const std::vector<std::string>* Lines) {
    WriteLog("Sys:Load Tool tech Start (" + JmFile + ", Tnum:-1, Mnum:-1)");
    TToolArr& A = Tools(TmpCopy);
    const bool ok = LoadLayerSection(JmFile, Lines, "TECH", "ENDTECH", "tech",
                                     [&](int n, std::string_view V) { ReadTechLine(V, A[n].Material.Tech); });
    WriteLog("Sys:Load Tool tech End");
    return ok;
}

bool LoadToolPlungesSection(const std::string& JmFile, bool TmpCopy, const std::vector<std::string>* Lines) {
    WriteLog("Sys:Load Tool plunges Start (" + JmFile + ")");
    TToolArr& A = Tools(TmpCopy);
    const bool ok = LoadLayerSection(JmFile, Lines, "PLUNGES", "ENDPLUNGES", "plunges",
                                     [&](int n, std::string_view V) { ReadPlungeLine(V, A[n].Material.Zapich); });
    WriteLog("Sys:Load Tool plunges End");
    return ok;
}

bool LoadToolOutsSection(const std::string& JmFile, bool TmpCopy, const std::vector<std::string>* Lines) {
    WriteLog("Sys:Load Tool outs Start (" + JmFile + ")");
    TToolArr& A = Tools(TmpCopy);
    const bool ok = LoadLayerSection(JmFile, Lines, "OUTS", "ENDOUTS", "outs",
                                     [&](int n, std::string_view V) { ReadOutsLine(V, A[n].Material.Vystup); });
    WriteLog("Sys:Load Tool outs End");
    return ok;
}

bool LoadLibToolTech(const std::string& JmFile, int32_t Tnum, int32_t Mnum, const std::vector<std::string>* Lines) {
    static const char* const Keys[11] = {"MaxPwr", "MaxN", "Method", "N", "Vc", "Fz", "Fn", "Ae", "Ap", "Aepercent", "ApPercent"};
    return LoadLibBlocks(JmFile, Lines, "TECH", "ENDTECH", Tnum, Mnum, [](TMaterial& M, std::string_view K, std::string_view V) {
        TToolTech& T = M.Tech;
        int32_t i = 0;
        int k = 0;
        while (k < 11 && K != Keys[k]) ++k;
        switch (k) {
            case 0: SecTrunc(V, T.MaxPwr); break;
            case 1: SecTrunc(V, T.MaxN); break;
            case 2:
                if (SecTrunc(V, i) && i >= 0 && i <= 2) T.Method = uint8_t(i);
                break;
            case 3: SecTrunc(V, T.N); break;
            case 4: SecNum(V, T.Vc); break;
            case 5: SecNum(V, T.Fz); break;
            case 6: SecNum(V, T.Fn); break;
            case 7: SecNum(V, T.Ae); break;
            case 8: SecNum(V, T.Ap); break;
            case 9: SecFlag(V, T.AePercent); break;
            case 10: SecFlag(V, T.ApPercent); break;
            default: break;
        }
    });
}

bool LoadLibToolOuts(const std::string& JmFile, int32_t Tnum, int32_t Mnum, const std::vector<std::string>* Lines) {
    return LoadLibBlocks(JmFile, Lines, "OUTS", "ENDOUTS", Tnum, Mnum, [](TMaterial& M, std::string_view K, std::string_view V) {
        for (int k = 0; k < 8; ++k)
            if (K == OutsKeys[k]) SetOutsField(M.Vystup, k, V);
    });
}

bool LoadLibToolPlunges(const std::string& JmFile, int32_t Tnum, int32_t Mnum, const std::vector<std::string>* Lines) {
    if (!LibTarget(Tnum, Mnum, 0)) return false;
    std::vector<TSectionLine> L;
    std::vector<std::string> read;
    if (!LibSection(JmFile, Lines, "PLUNGES", "ENDPLUNGES", read, L)) return false;
    // A material's group of blocks starts with the method of its first plunge object.
    int j = -1;
    for (const TSectionLine& l : L) {
        if (l.Key.substr(0, 6) != "Plunge" || l.Key.size() < 7 || !l.HasVal) continue;
        const int k = l.Key[6] - '0';
        if (k < 0 || k > 5) continue;
        const std::string_view key = l.Key.substr(7);
        if (k == 0 && key == "Method") ++j;
        TMaterial* M = j >= 0 ? LibTarget(Tnum, Mnum, j) : nullptr;
        if (!M) continue;
        for (int i = 0; i < 20; ++i)
            if (key == PlungeKeys[i]) SetPlungeField(M->Zapich[size_t(k)], i, l.Val);
    }
    return j >= 0;
}

}  // namespace ToolFile

bool JobSaveMillset(const std::string& File, bool Pack) { return SaveMillset(File, Pack, false); }
bool JobLoadMillset(const std::string& File, const std::vector<std::string>& Lines) {
    return LoadMillsetLines(File, Lines, false);
}
bool JobSaveToolTech(const std::string& File) { return ToolFile::SaveToolTechSection(File, false, true, -1, -1); }
bool JobLoadToolTech(const std::string& File, const std::vector<std::string>& Lines) {
    return ToolFile::LoadToolTechSection(File, false, &Lines);
}
bool JobSaveToolPlunges(const std::string& File) { return ToolFile::SaveToolPlungesSection(File, false, true, -1, -1); }
bool JobLoadToolPlunges(const std::string& File, const std::vector<std::string>& Lines) {
    return ToolFile::LoadToolPlungesSection(File, false, &Lines);
}
bool JobSaveToolOuts(const std::string& File) { return ToolFile::SaveToolOutsSection(File, false, true, -1, -1); }
bool JobLoadToolOuts(const std::string& File, const std::vector<std::string>& Lines) {
    return ToolFile::LoadToolOutsSection(File, false, &Lines);
}
