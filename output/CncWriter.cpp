// The Comagrav export: one temporary file per used layer, copied to the layer's file;
// the lines and motion words of the dialect.
#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniGeom.h"
#include "core/UniWalk.h"
#include "formats/SafeFile.h"
#include "output/CncRun.h"
#include "output/Comagrav.h"
#include "output/NcOut.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended ChordDeviation = 0.01L;
constexpr long MaxChords = 1000000;

std::string Coord(Extended V) { return FormatNcNumber(3, V); }

void Line(TCncRun& R, const std::string& Words) {
    CncWriteLine(R, R.PendingG + Words + R.PendingF);
    R.PendingG.clear();
    R.PendingF.clear();
}

void Dispatch(TCncRun& R, int Pass) {
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!R.All && !(p->Flags & FlagSelected)) continue;
        CncObjectOut(R, p, Pass);
    }
}

// The moves of one layer into the temporary file; false when the layer's tool has no
// pass in whole-pass order.
bool ExportLayer(TCncRun& R) {
    const TTool& T = R.Tool();
    CncWriteLine(R, "T" + std::to_string(R.CurLayer) + "M6");
    if (T.Obrob == CelyPruchod) {
        R.CurDepth = -T.HloubkaRychloposuvem;
        R.PassCount = NcPassCount(T);
        if (R.PassCount == 0) return false;
        for (int p = 1; p <= R.PassCount; ++p) {
            R.PrevDepth = R.CurDepth;
            R.CurDepth = -T.Pruchod[p].Hloubka;
            Dispatch(R, p);
        }
    } else {
        Dispatch(R, 0);
    }
    CncWriteLine(R, "M30");
    return true;
}

}  // namespace

const TTool& TCncRun::Tool() const { return Glob.Tool[CurLayer >= 1 && CurLayer <= ToolLayerCount ? CurLayer : 1]; }

void TCncRun::Flush() {
    if (Out.empty()) return;
    if (!WriteFailed && !AppendFileBytes(TempFilePath(), Out)) WriteFailed = true;
    Out.clear();
}

void TCncRun::Error(const std::string& Line) {
    for (const std::string& e : Errors)
        if (e == Line) return;
    Errors.push_back(Line);
}

void CncWriteLine(TCncRun& R, const std::string& Text) {
    if (Text.empty()) return;
    R.Out += Text;
    R.Out += "\r\n";
    if (R.Out.size() >= (1u << 20)) R.Flush();
}

void CncFeed(TCncRun& R, Extended F) {
    const std::string value = FormatNcNumber(1, F * 60);
    if (!(F > 0) || value.find_first_not_of("0.") == std::string::npos) {
        R.Error("Vrstva " + std::to_string(R.CurLayer) + ": posuv " + value + " není kladný, nezapsán");
        return;
    }
    R.PendingF = "F" + value;
}

void CncMoveZ(TCncRun& R, Extended Z) {
    const std::string zt = Coord(Z);
    if (zt == R.LastZ) return;
    Line(R, "Z" + zt);
    R.LastZ = zt;
}

void CncMoveXY(TCncRun& R, const Osy& P) {
    const std::string xt = Coord(P.x), yt = Coord(P.y);
    if (xt == R.LastX && yt == R.LastY) return;
    Line(R, "X" + xt + "Y" + yt);
    R.LastX = xt;
    R.LastY = yt;
}

void CncMoveXYZ(TCncRun& R, const Osy3D& P) {
    const std::string xt = Coord(P.x), yt = Coord(P.y), zt = Coord(P.z);
    if (xt == R.LastX && yt == R.LastY && zt == R.LastZ) return;
    Line(R, "X" + xt + "Y" + yt + "Z" + zt);
    R.LastX = xt;
    R.LastY = yt;
    R.LastZ = zt;
}

void CncArcChords(TCncRun& R, const Osy& A, const Osy& E, Extended Angle) {
    if (Coord(E.x) == R.LastX && Coord(E.y) == R.LastY) return;
    Osy C;
    Extended Rad;
    ArcCenter(A, E, Angle, C, Rad);
    long n = 1;
    if (Rad > ChordDeviation && std::isfinite(Rad)) {
        const Extended q = (Rad - ChordDeviation) / Rad;
        const Extended step = 2 * std::atan(std::sqrt(1 - q * q) / q);
        const Extended k = std::fabs(Angle / step);
        n = k < MaxChords ? long(k) + 1 : MaxChords;
    }
    Extended t = ::Angle(C, A);
    for (long k = 1; k <= n; ++k) {
        t += Angle / n;
        // The last chord ends exactly where the arc does.
        CncMoveXY(R, k == n ? E : Osy{C.x + Rad * std::cos(t), C.y + Rad * std::sin(t)});
    }
}

std::string CncLayerFile(const std::string& FileName, int La) {
    // Only the file name's own extension: a folder name may hold a point too.
    const size_t slash = FileName.find_last_of("/\\");
    const size_t dot = FileName.rfind('.');
    const std::string tag = "_T" + std::to_string(La);
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return FileName + tag;
    return FileName.substr(0, dot) + tag + FileName.substr(dot);
}

bool SaveCnc(const std::string& FileName, bool All) {
    TCncRun R;
    R.All = All;
    bool ok = true, any = false;
    for (int La = 1; La <= ToolLayerCount && ok; ++La) {
        if (!Glob.TabLayer[La].Show || LayerIsEmpty(MainVars.DataStart, uint8_t(La))) continue;
        any = true;
        R.CurLayer = uint8_t(La);
        R.LastX.clear();
        R.LastY.clear();
        R.LastZ.clear();
        R.PendingG.clear();
        R.PendingF.clear();
        R.Out.clear();
        R.WriteFailed = false;
        if (!BeginTempFile(CncLayerFile(FileName, La))) {
            ShowMessage(Msg[25]);
            ok = false;
            break;
        }
        if (!ExportLayer(R)) {
            DeleteTempFile();
            R.Error("Vrstva " + std::to_string(La) + ": nástroj nemá žádný průchod, soubor vrstvy ani dalších nebyl zapsán");
            ok = false;
            break;
        }
        R.Flush();
        if (R.WriteFailed) {
            DeleteTempFile();
            ShowMessage(Msg[25]);
            ok = false;
        } else {
            ok = CommitTempFile(CncLayerFile(FileName, La), "", "", "");
        }
    }
    if (!any) R.Error("Žádná viditelná vrstva s objekty: nebyl zapsán žádný soubor");
    if (!R.Errors.empty()) ShowNcErrors(R.Errors, "Seznam chyb");
    return ok && any;
}
