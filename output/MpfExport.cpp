// The frame of the Sinumerik export: the program name lines, the header, the tool
// layers in ascending order with tool changes through the fixed point, passes,
// dispatch by object kind, and the end of the program.
#include <charconv>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "formats/SafeFile.h"
#include "output/MpfRun.h"
#include "output/NcClamps.h"
#include "output/NcOut.h"
#include "output/Sinumeric802.h"
#include "output/SinumericDg.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

std::string LaText(int La) { return "(La:" + std::to_string(La) + ")"; }

// Tapping and reversal retract only points: a layer cut that way may hold nothing else.
int ThreadLayerCheck() {
    for (int L = 1; L <= ToolLayerCount; ++L) {
        const TTool& T = Glob.Tool[L];
        std::string call, rest;
        if ((T.VyjezdZapichem != Revers && T.VyjezdZapichem != CyklG63) || !Glob.TabLayer[L].Show ||
            !MpfToolCall(T, call, rest))
            continue;
        for (uint8_t kind : {ObjPline, ObjText, ObjPline3D})
            if (HasObjOfType(kind, uint8_t(L), MainVars.DataStart)) return L;
    }
    return 0;
}

int64_t BlockIncrement(const TSinumericDialog& D) {
    if (!D.ChBoxLineCount->Checked) return 0;
    const std::string& t = D.EditInkrement->Text;
    int64_t v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size() || v < 0 || v > 1000000) return 0;
    return v;
}

std::string FileNamePart(const std::string& Path) {
    const size_t s = Path.find_last_of("/\\");
    return s == std::string::npos ? Path : Path.substr(s + 1);
}

std::string Trim(const std::string& S) {
    const size_t a = S.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return S.substr(a, S.find_last_not_of(' ') - a + 1);
}

// A note of several lines stays one comment: a line break would start a block of its own.
std::string OneLine(std::string S) {
    for (char& c : S)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return S;
}

void ToolChange(TMpfRun& R, const std::string& Call, const std::string& Rest) {
    const TTool& T = R.Tool();
    if (R.SpindleOn) MpfSpindle(R, 0, 0);
    MpfWriteBlock(R, "G75 X0 Y0 Z0");
    // The fixed point lies in machine coordinates: where the tool stands in the
    // workpiece's is unknown, so every axis of the next moves is written.
    R.LastX.clear();
    R.LastY.clear();
    R.LastZ.clear();
    MpfWriteBlock(R, "M0");
    const size_t d = Call.find('D');
    MpfWriteBlock(R, Call.substr(0, d) + " " + Call.substr(d) + " ;" + Trim(OneLine(Rest)) + "," +
                         Trim(OneLine(T.Poznamka)));
    MpfWriteBlock(R, "M6");
    R.ForceMove = true;
    R.LastToolCall = Call;
}

void Dispatch(TMpfRun& R, int Pass) {
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!R.All && !(p->Flags & FlagSelected)) continue;
        MpfObjectOut(R, p, Pass);
    }
}

// Exports one used layer; false ends the run.
bool ExportLayer(TMpfRun& R, const TSinumericDialog& D, const std::string& Call, const std::string& Rest) {
    const TTool& T = R.Tool();
    const int La = R.CurLayer;
    if (!BuildClampOutlines(La, R.ClampStart, R.ClampEnd)) {
        WriteLog("Err:Wrong def. of tool or clamp " + LaText(La));
        ShowMessage(Msg[39]);
        return false;
    }
    if (Call != R.LastToolCall) {
        ToolChange(R, Call, Rest);
    } else if (D.ChBoxProgStop->Checked) {
        if (D.CboxProgramStopMode->ItemIndex == 0) MpfWriteBlock(R, "M0");
        if (D.CboxProgramStopMode->ItemIndex == 1) MpfWriteBlock(R, "M1");
    }
    if (T.ChlazPrejezd) MpfCoolant(R, T.Chlaz, T.ChlazTime);
    if (T.Obrob == CelyPruchod) {
        R.CurDepth = -T.HloubkaRychloposuvem;
        R.PassCount = NcPassCount(T);
        if (R.PassCount == 0) {
            WriteLog("Err:No pass in layer " + LaText(La));
            R.Error("Vrstva " + std::to_string(La) + ": nástroj nemá žádný průchod, program nebyl zapsán");
            return false;
        }
        for (int p = 1; p <= R.PassCount; ++p) {
            MpfSpindle(R, T.VretTime, T.Pruchod[p].Otacky);
            R.PrevDepth = R.CurDepth;
            R.CurDepth = -T.Pruchod[p].Hloubka;
            Dispatch(R, p);
        }
    } else {
        Dispatch(R, 0);
    }
    if (T.ChlazPrejezd) MpfCoolant(R, Zadne, 0);
    return true;
}

}  // namespace

bool SaveMpf(const std::string& FileName, bool All) {
    WriteLog("Sys:Save MPF Start (" + FileName + ")");
    if (const int L = ThreadLayerCheck()) {
        WriteLog("Err:Thread cuting layer must be only points " + LaText(L));
        ShowMessage(Msg[62] + std::to_string(L) + Msg[63]);
        WriteLog("Sys:Save MPF End");
        return false;
    }
    if (!SinumericDialog) CreateSinumericDialog();
    const TSinumericDialog& D = *SinumericDialog;
    if (!BeginTempFile(FileName)) {
        WriteLog("Err:FAILED Save MPF");
        ShowMessage(Msg[25]);
        return false;
    }
    TMpfRun R;
    R.All = All;
    R.BlockIncrement = BlockIncrement(D);
    std::string name = FileNamePart(FileName);
    for (char& c : name)
        if (c == '.') c = '_';
    MpfWriteLine(R, "%_N_" + name);
    MpfWriteLine(R, ";$PATH=/_N_MPF_DIR");
    MpfWriteBlock(R, ";Kestrilon 2.5 beta 6");
    MpfWriteBlock(R, ";Dne: " + ShortDateText());
    MpfWriteBlock(R, "G90");
    MpfWriteBlock(R, "G17");
    MpfWriteBlock(R, D.ZeroPoint());
    bool ok = true;
    for (int La = 1; La <= ToolLayerCount && ok; ++La) {
        R.CurLayer = uint8_t(La);
        if (!Glob.TabLayer[La].Show || LayerIsEmpty(MainVars.DataStart, uint8_t(La))) continue;
        std::string call, rest;
        if (!MpfToolCall(Glob.Tool[La], call, rest)) {
            // Left out as the user may intend (a layer of another machine), but never silently.
            R.Error("Vrstva " + std::to_string(La) +
                    ": nástroj nemá volání T..D.. (číslo nástroje a korekce ani jméno T1D1...), vrstva nebyla vyvezena");
            continue;
        }
        ok = ExportLayer(R, D, call, rest);
    }
    if (ok) {
        if (R.SpindleOn) MpfSpindle(R, 0, 0);
        MpfWriteBlock(R, "G75 X0 Y0 Z0");
        MpfWriteBlock(R, "M2");
    }
    R.Flush();
    bool written = false;
    if (ok && !R.LongBlock.empty()) {
        DeleteTempFile();
        WriteLog("Err:Block longer than 39 characters (" + R.LongBlock + ")");
        ShowMessage("Blok programu je delší než 39 znaků, program nebyl zapsán:\n" + R.LongBlock);
        WriteLog("Sys:Save MPF End");
    } else if (!ok) {
        DeleteTempFile();
        WriteLog("Sys:Save MPF End");
    } else if (R.WriteFailed) {
        DeleteTempFile();
        WriteLog("Err:FAILED Save MPF");
        ShowMessage(Msg[25]);
    } else {
        written = CommitTempFile(FileName, "Err:FAILED save MPF, not enough free disk space (" + TempFilePath() + ")",
                                 "Err:FAILED Save MPF", "Sys:Save MPF End");
    }
    if (!R.Errors.empty()) ShowNcErrors(R.Errors, "Seznam chyb");
    return written;
}
