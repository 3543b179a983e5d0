// The frame of the G-code export: header, tool layers in ascending order, tool
// changes, clamp outlines, passes, dispatch by object kind, footer.
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "formats/SafeFile.h"
#include "output/NcClamps.h"
#include "output/NcOut.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

bool SameToolAs(const TTool& A, const TTool& B) {
    return A.JmNastroje == B.JmNastroje && A.MatNastroje == B.MatNastroje && A.SpodniPrumer == B.SpodniPrumer &&
           A.Radius == B.Radius && A.UhelSpicky == B.UhelSpicky && A.VyskaKuzele == B.VyskaKuzele &&
           A.HorniPrumer == B.HorniPrumer && A.DelkaBritu == B.DelkaBritu && A.Tnum == B.Tnum;
}

// The path of a file the configuration names, taken within the program folder; empty
// for no name, and for a name that leads out of the folder (by "..", or a link), which
// is refused and said once per export: the NC program must not carry a file the
// configuration was never meant to reach.
std::string ProgramFileOf(TNcRun& R, const std::string& Name) {
    if (Name.empty()) return {};
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = fs::weakly_canonical(fs::path(ProgramDir), ec);
    const fs::path path = fs::weakly_canonical(fs::path(ProgramDir + "/" + Name), ec);
    const auto [end, at] = std::mismatch(dir.begin(), dir.end(), path.begin(), path.end());
    if (!ec && end == dir.end() && at != path.end()) return path.string();
    const std::string error = "Soubor " + Name + " leží mimo složku programu, nebyl použit";
    if (std::find(R.Errors.begin(), R.Errors.end(), error) == R.Errors.end())
        WriteLog("Err:NC file outside the program folder refused (" + Name + ")");
    R.Error(error);
    return {};
}

// The lines of a file of the program folder, written as they are.
void CopyProgramFile(TNcRun& R, const std::string& Name) {
    std::vector<std::string> lines;
    const std::string path = ProgramFileOf(R, Name);
    if (path.empty() || !TextFileExists(path) || !ReadTextLines(path, lines)) return;
    for (const std::string& l : lines) WriteNcRawLine(R, l);
}

bool ChangeFileExists(TNcRun& R) {
    const std::string path = ProgramFileOf(R, R.Config.Vymena);
    return !path.empty() && TextFileExists(path);
}

void Header(TNcRun& R) {
    const TGcodeConfig& c = R.Config;
    if (!c.OddelovacKomentare.empty()) {
        WriteNcLine(R, NcComment(R, "Vytvoreno programem Kestrilon 2.5 beta 6"));
        WriteNcLine(R, NcComment(R, "Datum " + ShortDateText()));
        WriteNcLine(R, NcComment(R, "Cas " + LogTimeText().substr(0, 8)));
        WriteNcLine(R, NcComment(R, "Zdrojovy soubor " + Glob.JmSouboru));
    }
    CopyProgramFile(R, c.Hlavicka);
    WriteNcLine(R, "G90 " + NcComment(R, "Absolutni souradnice"));
    WriteNcLine(R, "G17 " + NcComment(R, "Pracovni rovina XY"));
    // Arc centres written as absolute coordinates need the control's absolute arc
    // mode; without it a control takes I and J as offsets from the arc start.
    const char style = c.StylOblouku.empty() ? ' ' : c.StylOblouku[0];
    if (style == 'A' && (!c.ObloukCW.empty() || !c.ObloukCCW.empty()))
        WriteNcLine(R, "G90.1 " + NcComment(R, "Absolutni stred oblouku"));
    R.LastX.clear();
    R.LastY.clear();
    R.LastZ.clear();
}

void SpindleAndCoolantOff(TNcRun& R) {
    NcCoolant(R, Zadne, 0);
    NcSpindle(R, 0, 0);
}

// The tool change of the configured style; false when the clamp outlines cannot be
// made for the new tool (the run ends).
bool ToolChange(TNcRun& R) {
    const TGcodeConfig& c = R.Config;
    const TTool& T = R.Tool();
    const int La = R.CurLayer;
    const bool written = c.StylVymeny >= 0 && c.StylVymeny <= 3;
    // Without a tool change the rapids still have to rise over the clamps of this
    // tool: the outlines are made whatever the style.
    if (!NcClampOutlines(R, La)) {
        if (c.StylVymeny != 3) WriteLog("Err:Wrong def. of tool or clamp (La:" + std::to_string(La) + ")");
        ShowMessage(Msg[39]);
        return false;
    }
    const std::string tword = c.VymenaNastroje + std::to_string(NcToolNumber(T, La));
    const std::string name = NcComment(R, T.JmNastroje);
    const std::string corr =
        c.KorekceNastroje.empty() ? std::string() : c.KorekceNastroje + std::to_string(NcCorrectionNumber(T, La));
    if (!written) {
        // A second tool in a program without tool changes cuts with the first one.
        if (R.PrevLayer != NoPrevLayer)
            R.Error("Vrstva " + std::to_string(La) + ": jiný nástroj (" + tword + "), výměna se nezapisuje (StylVymeny " +
                    std::to_string(c.StylVymeny) + ")");
        // The first move of the program still starts from the clearance height.
        NcMoveZ(R, true, Glob.SpolParObr.PrejezdNadMat);
        return true;
    }
    switch (c.StylVymeny) {
        case 0:
            WriteNcLine(R, tword + name);
            if (ChangeFileExists(R)) {
                CopyProgramFile(R, c.Vymena);
            } else {
                WriteNcLine(R, "M6" + NcComment(R, "Nasadit nastroj"));
                WriteNcLine(R, corr);
            }
            break;
        case 1:
            WriteNcLine(R, tword + c.OddelovacPrikazu + "M6" + name);
            WriteNcLine(R, corr);
            CopyProgramFile(R, c.Vymena);
            break;
        case 2:
            WriteNcLine(R, "M6" + NcComment(R, "Nasadit nastroj"));
            WriteNcLine(R, tword + name);
            WriteNcLine(R, corr);
            CopyProgramFile(R, c.Vymena);
            break;
        default:
            WriteNcLine(R, "M6" + c.OddelovacPrikazu + tword);
            WriteNcLine(R, corr);
            CopyProgramFile(R, c.Vymena);
            break;
    }
    // A tool change leaves the tool at a height of the machine's choosing: rise to the
    // clearance height before the first move across the stock. The next move is
    // still written in full, whatever the tool change did to the axes.
    R.ForceMove = true;
    NcMoveZ(R, true, Glob.SpolParObr.PrejezdNadMat);
    R.ForceMove = true;
    return true;
}

void Dispatch(TNcRun& R, int Pass) {
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!R.All && !(p->Flags & FlagSelected)) continue;
        NcObjectOut(R, p, Pass);
    }
}

// Exports one used layer; false ends the run.
bool ExportLayer(TNcRun& R) {
    const TTool& T = R.Tool();
    const uint8_t La = R.CurLayer;
    R.SameTool = R.PrevLayer != NoPrevLayer && SameToolAs(T, Glob.Tool[R.PrevLayer]);
    if (R.SpindleOn && !R.SameTool) SpindleAndCoolantOff(R);
    if (R.Config.SouradniceA.empty() && std::fabs(T.AngleA) > CoordTol)
        R.Error("Vrstva " + std::to_string(La) + ": nástroj natáčí osu A, Gcode.cfg ji nezapisuje (SouradniceA)");
    if (!R.SameTool) {
        if (!ToolChange(R)) return false;
    } else {
        // The cutting distance may differ between layers of one tool (pass tables
        // differ): the clamp outlines follow the layer, not only the tool change.
        NcClampOutlines(R, La);
    }
    if (T.Obrob == CelyPruchod) {
        R.CurDepth = -T.HloubkaRychloposuvem;
        R.PassCount = NcPassCount(T);
        if (R.PassCount == 0) {
            WriteLog("Err:No pass in layer (La:" + std::to_string(La) + ")");
            ShowMessage("Vrstva " + std::to_string(La) + ": nástroj nemá žádný průchod, program nebyl zapsán");
            return false;
        }
        for (int p = 1; p <= R.PassCount; ++p) {
            NcSpindle(R, T.Pruchod[p].Otacky, T.VretTime);
            NcCoolant(R, T.Chlaz, T.ChlazTime);
            R.PrevDepth = R.CurDepth;
            R.CurDepth = -T.Pruchod[p].Hloubka;
            Dispatch(R, p);
        }
    } else {
        Dispatch(R, 0);
    }
    return true;
}

}  // namespace


bool ToolNumberFromName(const std::string& Name, std::string& TWord, std::string& Rest) {
    TWord.clear();
    Rest = Name;
    if (Name.empty() || Name[0] != 'T') return false;
    size_t i = 1;
    while (i < Name.size() && Name[i] >= '0' && Name[i] <= '9') ++i;
    const std::string digits = Name.substr(1, i - 1);
    int v = 0;
    auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (digits.empty() || r.ec != std::errc() || v < 0) return false;
    TWord = "T" + digits;
    Rest = Name.substr(i, 24);
    return true;
}

int NcToolNumber(const TTool& T, int La) {
    if (T.Tnum >= 1) return T.Tnum;
    std::string w, rest;
    if (ToolNumberFromName(T.JmNastroje, w, rest)) return std::stoi(w.substr(1));
    return La;
}

int NcCorrectionNumber(const TTool& T, int La) {
    if (T.Dnum >= 1) return T.Dnum;
    std::string w, rest;
    if (T.Tnum < 1 && ToolNumberFromName(T.JmNastroje, w, rest)) return std::stoi(w.substr(1));
    return La;
}

int NcPassCount(const TTool& T) {
    int n = 0;
    while (n < MaxPruchod && T.Pruchod[n + 1].Hloubka > -CoordTol) ++n;
    return n;
}

Extended NcPlungeFeed(const TTool& T, int P, int K) {
    const TPruchod& row = T.Pruchod[P];
    if (row.Zapich != -1) return row.Zapich;
    const TToolPlunge& pl = T.Material.Zapich[K];
    return pl.FeedPercent ? row.Posuv / 100 * pl.FeedPct : pl.FeedTime;
}

bool NcClampOutlines(TNcRun& R, int La) { return BuildClampOutlines(La, R.ClampStart, R.ClampEnd); }

void NcClampRapid(TNcRun& R, const Osy& From, const Osy& To) {
    if (RapidCrossesClamp(R.ClampStart, From, To)) NcMoveZ(R, true, Glob.SpolParObr.PrejezdNadUpin);
}

bool UnderClamp(TNcRun& R, const Osy& P) { return PointUnderClamp(R.ClampStart, P); }

void NcRapidToStart(TNcRun& R, const Osy& S, Extended Z) {
    NcClampRapid(R, R.LastPos, S);
    // A slanting rapid is written only where it stays above the material top: below
    // it the straight line would pass through material not yet cut.
    if (R.Config.RozkladRychloposuvu) {
        NcMoveXY(R, true, S);
        NcMoveZ(R, true, Z);
    } else if (Z < 0) {
        // Split only for safety: the configuration asked for no A word on these rapids.
        const bool a = R.APending;
        R.APending = false;
        NcMoveXY(R, true, S);
        R.APending = a;
        NcMoveZ(R, true, Z);
    } else {
        NcMoveXYZ(R, true, Osy3D{S.x, S.y, Z});
    }
}

void NcObjectOut(TNcRun& R, TObjHeader* Adresa, int Pass) {
    switch (Adresa->Type) {
        case ObjPoint: PointOut(R, Adresa, Pass); break;
        case ObjPline: PlineOut(R, Adresa, Pass); break;
        case ObjGroup: GroupOut(R, Adresa, Pass); break;
        case ObjText: TextObjOut(R, Adresa, Pass); break;
        case ObjPline3D: Pline3DOut(R, Adresa, Pass); break;
        default: break;
    }
}

namespace {

bool WriteNc(const std::string& FileName, bool All) {
    WriteLog("Sys:Save NC Start (" + FileName + ")");
    TNcRun R;
    R.All = All;
    LoadGcodeCfg(R.Config, R.Errors);
    if (!BeginTempFile(FileName)) {
        WriteLog("Err:FAILED Save NC");
        ShowFileNotWritten(FileName);
        WriteLog("Sys:Save NC End");
        return false;
    }
    Header(R);
    bool ok = true;
    for (int La = 1; La <= ToolLayerCount && ok; ++La) {
        R.CurLayer = uint8_t(La);
        R.APending = true;
        if (!Glob.TabLayer[La].Show || LayerIsEmpty(MainVars.DataStart, uint8_t(La))) continue;
        ok = ExportLayer(R);
        R.PrevLayer = uint8_t(La);
        R.SameTool = false;
    }
    if (ok) {
        if (R.SpindleOn) SpindleAndCoolantOff(R);
        CopyProgramFile(R, R.Config.Paticka);
        WriteNcLine(R, "M30 " + NcComment(R, "Konec programu"));
    }
    R.Flush();
    bool written = false;
    if (!ok) {
        DeleteTempFile();
        WriteLog("Sys:Save NC End");
    } else if (R.WriteFailed) {
        DeleteTempFile();
        WriteLog("Err:FAILED Save NC");
        ShowFileNotWritten(FileName);
    } else {
        written = CommitTempFile(FileName, "Err:FAILED save NC, not enough free disk space (" + FileName + ")",
                                 "Err:FAILED Save NC", "Sys:Save NC End");
    }
    if (!R.Errors.empty()) ShowNcErrors(R.Errors, "Seznam chyb");
    return written;
}

}  // namespace

bool SaveNc(const std::string& FileName, bool All) {
    try {
        return WriteNc(FileName, All);
    } catch (const std::exception& E) {
        // Out of memory while the program is made: nothing is written, the job stays.
        DeleteTempFile();
        WriteLog(std::string("Err:Exception in Save NC: ") + E.what());
        WriteLog("Err:FAILED Save NC");
        ShowFileNotWritten(FileName);
        return false;
    }
}
