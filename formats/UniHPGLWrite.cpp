// The HPGL writer: one plot file per column of the pen table, each through the
// temporary file; arcs as HPGL arcs (degrees written as DXF numbers are) or as
// chords within half a step.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniSpace.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "formats/HPOutDg.h"
#include "formats/SafeFile.h"
#include "formats/UniDXF.h"
#include "formats/UniHPGL.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// The layer a pen table cell names: "T" and the number 1..64, nothing else; 0 when none.
int CellLayer(const std::string& Cell) {
    if (Cell.size() < 2 || Cell.size() > 3 || Cell[0] != 'T') return 0;
    int n = 0;
    for (size_t i = 1; i < Cell.size(); ++i) {
        if (Cell[i] < '0' || Cell[i] > '9') return 0;
        n = n * 10 + (Cell[i] - '0');
    }
    return Cell[1] != '0' && n >= 1 && n <= 64 ? n : 0;
}

class THpWriter {
public:
    THpWriter(bool All, Extended Sx, Extended Sy, Extended Skew, bool Chords)
        : All(All), Sx(Sx), Sy(Sy), TanSkew(std::tan(Skew)), Skewed(std::fabs(Skew) > 1e-15L), Chords(Chords),
          Half(1 / (2 * std::sqrt(Sx * Sy))) {}
    void Column(const TStringGrid& G, int Col, bool Info);
    std::vector<std::string> Out;

private:
    // Step positions, halves to the even neighbour.
    long long StepX(const Osy& P) const { return std::llrint(P.x * Sx); }
    long long StepY(const Osy& P) const { return std::llrint(P.y * Sy); }
    long long WrittenX(const Osy& P) const { return std::llrint((P.x + P.y * TanSkew) * Sx); }
    std::string Pa(const Osy& P) const {
        return "PA" + std::to_string(WrittenX(P)) + "," + std::to_string(StepY(P)) + ";";
    }
    void Object(TObjHeader* P);
    void StartAt(const Osy& P);
    void Pline(TObjHeader* P);
    void Segment(const Osy& S, const TPlineSeg& G);

    bool All;
    Extended Sx, Sy, TanSkew;
    bool Skewed, Chords;
    Extended Half;
    uint8_t Layer = 0;
    long long LastX = 0, LastY = 0;
    bool Force = true;
};

void THpWriter::StartAt(const Osy& P) {
    const long long x = StepX(P), y = StepY(P);
    if (Force || x != LastX || y != LastY) {
        Out.push_back("PU;");
        Out.push_back(Pa(P));
        Out.push_back("PD;");
    }
    LastX = x;
    LastY = y;
}

void THpWriter::Segment(const Osy& S, const TPlineSeg& G) {
    const Osy& E = G.E;
    if (std::fabs(G.Alfa) > CoordTol) {
        Osy c;
        Extended r = 0;
        ArcCenter(S, E, G.Alfa, c, r);
        if (!Chords && !Skewed) {
            if (StepX(c) != LastX || StepY(c) != LastY)
                Out.push_back("AA" + std::to_string(StepX(c)) + "," + std::to_string(StepY(c)) + "," +
                              DxfExtToStr(G.Alfa * 180 / GeomPi) + ";");
        } else {
            long long n = 1;
            if (r > Half) {
                const Extended k = (r - Half) / r;
                const Extended step = 2 * std::atan(std::sqrt(1 - k * k) / k);
                n = (long long)(std::fabs(G.Alfa / step)) + 1;
            }
            Extended a = ArcStartAngle(S, E, G.Alfa);
            for (long long i = 0; i < n; ++i) {
                a += G.Alfa / Extended(n);
                const Osy p{c.x + r * std::cos(a), c.y + r * std::sin(a)};
                if (StepX(p) != LastX || StepY(p) != LastY) {
                    Out.push_back(Pa(p));
                    LastX = StepX(p);
                    LastY = StepY(p);
                }
            }
        }
    } else if (StepX(E) != LastX || StepY(E) != LastY) {
        Out.push_back(Pa(E));
    }
    LastX = StepX(E);
    LastY = StepY(E);
}

void THpWriter::Pline(TObjHeader* P) {
    Osy s = AsPline(P)->S;
    StartAt(s);
    for (int32_t i = 0; i < PlineSegCount(P); ++i) {
        Segment(s, PlineSegs(P)[i]);
        s = PlineSegs(P)[i].E;
    }
    Force = false;
}

void THpWriter::Object(TObjHeader* P) {
    if (P->Type == ObjGroup) {
        for (TObjHeader* m = AsGroup(P)->First; m; m = m->Next) Object(m);
        return;
    }
    if (P->Layer != Layer) return;
    switch (P->Type) {
        case ObjPoint:
            StartAt(AsPoint(P)->S);
            Force = false;
            break;
        case ObjPline: Pline(P); break;
        case ObjText: {
            TObjHeader *f = nullptr, *l = nullptr;
            EnText.Explode(P, false, f, l);
            for (TObjHeader* q = f; q; q = q->Next)
                if (q->Type == ObjPline) Pline(q);
            FreeObjList(f, l);
            break;
        }
        case ObjPline3D:
            if (TObjHeader* flat = EnSpace.Only2D(P)) {
                if (flat->Type == ObjPline) Pline(flat);
                FreeObjBlock(flat);
            }
            break;
        default: break;
    }
}

void THpWriter::Column(const TStringGrid& G, int Col, bool Info) {
    Out.clear();
    if (Info) {
        Out.push_back("NX0;");
        Out.push_back("NY0;");
        Out.push_back("KX" + ExtToStr(Sx) + ";");
        Out.push_back("KY" + ExtToStr(Sy) + ";");
        Out.push_back("ES" + ExtToStr(Half) + ";");
    }
    Force = true;
    for (int pen = 1; pen <= 8; ++pen) {
        const int l = CellLayer(G.Cells[Col][pen]);
        if (l == 0 || !Glob.TabLayer[l].Show || LayerIsEmpty(MainVars.DataStart, uint8_t(l))) continue;
        Layer = uint8_t(l);
        Out.push_back("PU;");
        Force = true;
        Out.push_back("SP" + std::to_string(pen) + ";");
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (All || (p->Flags & FlagSelected)) Object(p);
    }
    Out.push_back("PU;");
}

bool ColumnLive(const TStringGrid& G, int Col) {
    for (int pen = 1; pen <= 8; ++pen) {
        const int l = CellLayer(G.Cells[Col][pen]);
        if (l != 0 && Glob.TabLayer[l].Show && !LayerIsEmpty(MainVars.DataStart, uint8_t(l))) return true;
    }
    return false;
}

bool Scale(const std::string& Text, const char* Axis, Extended& V) {
    // A scale of zero or below has no steps to write in.
    if (StrToExtCalc(Text, V, false) && std::isfinite(V) && V > 0) return true;
    WriteLog(std::string("Err:Wrong scale ") + Axis + " (" + Text + ")");
    ShowMessage(Msg[28]);
    return false;
}

}  // namespace

bool SaveHPGL(const std::string& FileName, bool All) {
    WriteLog("sys:Save HPGL Start (" + FileName + ")");
    if (!HPOutputDialog) CreateHPOutputDialog();
    THPOutputDialog& D = *HPOutputDialog;
    Extended skew = 0;
    if (!StrToExtCalc(D.EditDorsek->Text, skew, false) || !std::isfinite(skew)) skew = 0;
    skew = skew * GeomPi / 180;
    Extended sx = 0, sy = 0;
    if (!Scale(D.EditXscale->Text, "X", sx) || !Scale(D.EditYscale->Text, "Y", sy)) {
        WriteLog("Sys:Save HPGL End");
        return false;
    }
    TStringGrid& G = *D.StrGrid;
    if (G.ColCount() < 9 || G.RowCount() < 9) G.SetSize(std::max(9, G.ColCount()), std::max(9, G.RowCount()));
    THpWriter w(All, sx, sy, skew, D.ChBoxExplodeArc->Checked || std::fabs(sx - sy) > CoordTol);
    bool ok = true, committed = false;
    for (int col = 1; col <= 8; ++col) {
        if (!ColumnLive(G, col)) continue;
        w.Column(G, col, D.ChBoxInfoToPlt->Checked);
        std::string target = FileName;
        if (!D.ChBoxOnlyOne->Checked) {
            const size_t slash = FileName.find_last_of('/');
            const size_t dot = FileName.find_last_of('.');
            const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
            const std::string letter(1, char('A' + col - 1));
            target = hasExt ? FileName.substr(0, dot) + letter + FileName.substr(dot) : FileName + letter;
        }
        if (!BeginTempFile(target) || !AppendTempLines(w.Out)) {
            DeleteTempFile();
            WriteLog("Err:FAILED Save HPGL, temporary file not written");
            ShowMessage(Msg[25]);
            ok = false;
            break;
        }
        // Every file written (or refused for want of room) ends with the end line.
        committed = true;
        if (!CommitTempFile(target, "Err:FAILED Save HPGL, not enough free disk space", "", "Sys:Save HPGL End")) {
            ok = false;
            break;
        }
        if (D.ChBoxOnlyOne->Checked) break;
    }
    if (!committed) WriteLog("Sys:Save HPGL End");
    return ok;
}
