#include "output/NcDialect.h"

#include <cmath>
#include <cstring>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "formats/SafeFile.h"
#include "output/NcClamps.h"
#include "output/NcOut.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

int64_t RoundHalfEven(Extended V) {
    if (!std::isfinite(V)) return 0;
    // Far beyond any machine: kept in range so the conversion is defined.
    constexpr Extended Limit = 9e18L;
    if (V > Limit) V = Limit;
    if (V < -Limit) V = -Limit;
    return int64_t(std::nearbyint(V));
}

std::string ProgramText(const std::string& Utf8, const char* Closing) {
    std::string s = Utf8ToCp1250(Utf8);
    for (char& c : s)
        if (c == '\r' || c == '\n' || (c != 0 && std::strchr(Closing, c))) c = ' ';
    return s;
}

bool TNcDialect::ClampOutlinesOrFail() {
    if (NcClampOutlines(R, R.CurLayer)) return true;
    WriteLog("Err:Wrong def. of tool or clamp (La:" + std::to_string(R.CurLayer) + ")");
    ShowMessage(Msg[39]);
    return false;
}

Extended TNcDialect::PlungeFeed(int P, int K) const { return NcPlungeFeed(R.Tool(), P, K); }

int TNcDialect::PlungeKind(TObjHeader* Pline) { return EnPline.OpenPline(Pline) ? poOpen : poContour; }

bool TNcDialect::Save(const std::string& FileName, const TTexts& Texts) {
    if (!Texts.Start.empty()) WriteLog(Texts.Start);
    if (!BeginTempFile(FileName)) {
        WriteLog(Texts.CopyFail);
        ShowMessage(Msg[25]);
        WriteLog(Texts.End);
        return false;
    }
    R.LastPos = Osy{0, 0};
    R.SpindleOn = false;
    R.LastSpeed = 0;
    Header();
    bool ok = true;
    for (int La = 1; La <= ToolLayerCount && ok; ++La) {
        if (!Glob.TabLayer[La].Show || LayerIsEmpty(MainVars.DataStart, uint8_t(La))) continue;
        R.CurLayer = uint8_t(La);
        ok = ExportLayer();
    }
    if (ok) Footer();
    R.Flush();
    FreeObjList(R.ClampStart, R.ClampEnd);
    if (!ok) {
        DeleteTempFile();
        WriteLog(Texts.End);
        return false;
    }
    if (R.WriteFailed) {
        DeleteTempFile();
        WriteLog(Texts.CopyFail);
        ShowMessage(Msg[25]);
        return false;
    }
    return CommitTempFile(FileName, Texts.DiskFull, Texts.CopyFail, Texts.End);
}

bool TNcDialect::ExportLayer() {
    if (!LayerStart()) return false;
    const TTool& T = R.Tool();
    if (T.Obrob == CelyPruchod) {
        R.CurDepth = -T.HloubkaRychloposuvem;
        R.PassCount = NcPassCount(T);
        if (R.PassCount == 0) {
            WriteLog("Err:No pass in layer (La:" + std::to_string(R.CurLayer) + ")");
            return false;
        }
        const int passes = R.PassCount;
        for (int p = 1; p <= passes; ++p) {
            PassOpening(p);
            R.PrevDepth = R.CurDepth;
            R.CurDepth = -T.Pruchod[p].Hloubka;
            Dispatch(p);
        }
    } else {
        Dispatch(0);
    }
    LayerEnd();
    return true;
}

void TNcDialect::Dispatch(int Pass) {
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!R.All && !(p->Flags & FlagSelected)) continue;
        ObjectOut(p, Pass);
    }
}

void TNcDialect::ObjectOut(TObjHeader* A, int Pass) {
    switch (A->Type) {
        case ObjPoint: PointOut(A, Pass); break;
        case ObjPline: PlineOut(A, Pass); break;
        case ObjGroup:
            for (TObjHeader* m = AsGroup(A)->First; m; m = m->Next) ObjectOut(m, Pass);
            break;
        case ObjText: TextOut(A, Pass); break;
        case ObjPline3D: Pline3DOut(A, Pass); break;
        default: break;
    }
}

template <class F>
void TNcDialect::Passes(int Pass, F One) {
    const TTool& T = R.Tool();
    if (T.Obrob == CelyPruchod) {
        One(Pass);
        return;
    }
    // The object runs through all passes itself; a tool without passes cuts nothing.
    R.CurDepth = -T.HloubkaRychloposuvem;
    R.PassCount = NcPassCount(T);
    for (int p = 1; p <= R.PassCount; ++p) {
        PassOpening(p);
        R.PrevDepth = R.CurDepth;
        R.CurDepth = -T.Pruchod[p].Hloubka;
        One(p);
    }
}

void TNcDialect::PointOut(TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    const Osy P = FirstPt(A);
    if (UnderClamp(R, P)) {
        ShowMessage(Msg[37]);
        return;
    }
    Passes(Pass, [&](int p) { PointPass(P, p); });
}

void TNcDialect::PlineOut(TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    Osy x;
    for (TObjHeader* c = R.ClampStart; c; c = c->Next)
        if (EnPline.PointInside(c, AsPline(A)->S) || EnPline.CrossTest(A, c, x)) {
            ShowMessage(Msg[38]);
            return;
        }
    Passes(Pass, [&](int p) { PlinePass(A, p); });
}

void TNcDialect::Pline3DOut(TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    if (Pline3DUnderClamp(R.ClampStart, A)) {
        ShowMessage(Msg[38]);
        return;
    }
    Passes(Pass, [&](int p) { Pline3DPass(A, p); });
}

void TNcDialect::TextOut(TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    TObjHeader *s = nullptr, *e = nullptr;
    EnText.Explode(A, false, s, e);
    for (TObjHeader* p = s; p; p = p->Next)
        if (p->Type == ObjPline) PlineOut(p, Pass);
    FreeObjList(s, e);
}
