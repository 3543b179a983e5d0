#include "cam/LenDg.h"

#include <charconv>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniSpace.h"
#include "core/UniText.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "core/ToolRecords.h"

TLengthDialog* LengthDialog = nullptr;

namespace {

constexpr int Cols = 9, Rows = 72, SumRow = 71;
constexpr int ColLen = 1, ColPlunge = 3, ColFeed = 4, ColRapid = 5, ColWait = 6, ColSum = 8;

// Fixed decimals with "." whatever the process locale.
std::string Fixed(Extended X, int Decimals) {
    char Buf[64];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, double(X), std::chars_format::fixed, Decimals);
    return std::string(Buf, R.ptr);
}

struct TWalk {
    uint8_t La;
    TLayerStat& St;
    Osy Cur{0, 0};

    void Path(const Osy& S, const Osy& E, Extended Length) {
        St.Travel += Dist(Cur, S);
        St.Cut += Length;
        St.Back += Dist(S, E);
        Cur = E;
    }
    // Groups take part whatever their own layer; their members count when on La.
    void List(TObjHeader* First) {
        for (TObjHeader* p = First; p; p = p->Next) {
            if (p->Type == ObjGroup) {
                List(AsGroup(p)->First);
                continue;
            }
            if (p->Layer != La) continue;
            ++St.Count;
            switch (p->Type) {
                case ObjPoint:
                    St.Travel += Dist(Cur, AsPline(p)->S);
                    Cur = AsPline(p)->S;
                    break;
                case ObjPline:
                    Path(AsPline(p)->S, PlineEndPt(p), EnPline.Length(p));
                    break;
                case ObjPline3D: {
                    const TPline3DRec* r = AsPline3D(p);
                    const int32_t n = Pline3DSegCount(p);
                    const Osy3D& L = n > 0 ? Pline3DSegs(p)[n - 1].E : r->S;
                    Path({r->S.x, r->S.y}, {L.x, L.y}, EnSpace.Length(p));
                    break;
                }
                case ObjText: {
                    TObjHeader *S = nullptr, *E = nullptr;
                    EnText.Explode(p, false, S, E);
                    List(S);
                    FreeObjList(S, E);
                    break;
                }
                default:
                    break;
            }
        }
    }
};

// The machine's time for the layer's walk with tool T, in seconds.
void Times(const TTool& T, const TSpolParObr& Par, TLayerStat& St) {
    if (St.Count == 0) return;
    const Extended n = St.Count;
    auto Used = [&T](int p) { return T.Pruchod[size_t(p)].Hloubka > -CoordTol; };
    Extended Prev = 0;
    for (int p = 1; p <= MaxPruchod; ++p) {
        const TPruchod& R = T.Pruchod[size_t(p)];
        if (!Used(p)) continue;
        if (R.Zapich >= CoordTol) {
            St.Plunge += (R.Hloubka - Prev) * n / R.Zapich;
            Prev = R.Hloubka;
        }
        if (R.Posuv >= CoordTol) St.Feed += St.Cut / R.Posuv;
    }
    if (Par.Rychloposuv >= CoordTol) {
        Extended t = T.Obrob == CelyPruchod ? 0 : St.Travel / Par.Rychloposuv;
        Prev = 0;
        for (int p = 1; p <= MaxPruchod; ++p) {
            if (!Used(p)) continue;
            const Extended H = T.Pruchod[size_t(p)].Hloubka;
            const Extended Between = T.Obrob == CelyPruchod ? St.Travel : St.Back;
            t += (n * (2 * Par.PrejezdNadMat + H + Prev) + Between) / Par.Rychloposuv;
            Prev = H;
        }
        if (T.Pruchod[1].Hloubka < -CoordTol) t = 0;
        St.Rapid = t;
    }
    St.Dwell = 4 * T.VretTime;
    for (int p = 1; p <= MaxPruchod; ++p)
        if (Used(p)) St.Dwell += n * (T.LaserTime + T.ChlazTime + T.OfukTime);
}

std::string Shown(Extended Seconds) { return Seconds < CoordTol ? std::string() : Fixed(Seconds / 60, 2); }

}  // namespace

TLayerStat LayerStat(uint8_t La) {
    TLayerStat St;
    TWalk W{La, St};
    W.List(MainVars.DataStart);
    W.St.Travel += Dist(W.Cur, {0, 0});
    if (La >= 1 && La <= ToolLayerCount) Times(Glob.Tool[La], Glob.SpolParObr, St);
    return St;
}

TLengthDialog::TLengthDialog() : TForm("LengthDialog") {
    Caption = "Délky drah, předpokládané časy obrobení";
    Width = 720;
    Height = 520;
    StrGrid = Make<TStringGrid>("StrGrid");
    StrGrid->SetSize(Cols, Rows);
    StrGrid->FixedCols = 1;
    StrGrid->FixedRows = 2;
    // The value columns fit their longest heading ("Rychloposuvy") at the platform's
    // font; columns 2 and 7 are narrow separators.
    StrGrid->ColWidths = {80, 100, 3, 100, 100, 100, 100, 3, 100};
    StrGrid->ReadOnly = true;
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->Width = 90;
    BitBtnOK->Height = 28;
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    OnShow = [this] { FormShow(); };
    OnResize = [this] { FormResize(); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:LengthDg Close"); };
    LangRegisterForm("LenDg", this, [this](const std::string& Key, const std::string& Value) {
        const std::pair<const char*, std::string*> Words[] = {
            {"StrLayer", &StrLayer}, {"StrSum", &StrSum},     {"StrLen", &StrLen},  {"StrPlunge", &StrPlunge},
            {"StrFeed", &StrFeed},   {"StrCross", &StrCross}, {"StrWait", &StrWait}};
        for (const auto& [K, V] : Words)
            if (Key == K) *V = Value;
    });
    FormResize();
}

TLengthDialog::~TLengthDialog() {
    LangUnregisterForm(this);
    if (LengthDialog == this) LengthDialog = nullptr;
}

void TLengthDialog::FormResize() {
    StrGrid->Left = 4;
    StrGrid->Top = 4;
    StrGrid->Width = Width - 8;
    StrGrid->Height = Height - 90;
    BitBtnOK->Left = (Width - BitBtnOK->Width) / 2;
    BitBtnOK->Top = Height - 80;
}

void TLengthDialog::FormShow() {
    WriteLog("Sys:LengthDg Open");
    TStringGrid& G = *StrGrid;
    for (auto& Col : G.Cells) Col.assign(Rows, std::string());
    G.Cells[0][1] = StrLayer;
    for (int La = 1; La <= LayerCount; ++La) G.Cells[0][size_t(La + 1)] = Glob.TabLayer[size_t(La)].Name;
    G.Cells[0][SumRow] = StrSum;
    const std::pair<int, std::string*> Heads[] = {{ColLen, &StrLen},     {ColPlunge, &StrPlunge}, {ColFeed, &StrFeed},
                                                  {ColRapid, &StrCross}, {ColWait, &StrWait},     {ColSum, &StrSum}};
    for (const auto& [C, W] : Heads) {
        G.Cells[size_t(C)][0] = *W;
        G.Cells[size_t(C)][1] = C == ColLen ? " [mm]" : " [min]";
    }
    Extended TotalLen = 0, TotPlunge = 0, TotFeed = 0, TotRapid = 0, TotWait = 0;
    for (int La = 1; La <= LayerCount; ++La) {
        const TLayerStat St = LayerStat(uint8_t(La));
        const size_t Row = size_t(La + 1);
        if (St.Cut >= CoordTol) G.Cells[ColLen][Row] = Fixed(St.Cut, 3);
        TotalLen += St.Cut;
        if (La > ToolLayerCount) continue;
        G.Cells[ColPlunge][Row] = Shown(St.Plunge);
        G.Cells[ColFeed][Row] = Shown(St.Feed);
        G.Cells[ColRapid][Row] = Shown(St.Rapid);
        G.Cells[ColWait][Row] = Shown(St.Dwell);
        G.Cells[ColSum][Row] = Shown(St.Sum());
        TotPlunge += St.Plunge;
        TotFeed += St.Feed;
        TotRapid += St.Rapid;
        TotWait += St.Dwell;
    }
    G.Cells[ColLen][SumRow] = Fixed(TotalLen, 3);
    G.Cells[ColPlunge][SumRow] = Fixed(TotPlunge / 60, 2);
    G.Cells[ColFeed][SumRow] = Fixed(TotFeed / 60, 2);
    G.Cells[ColRapid][SumRow] = Fixed(TotRapid / 60, 2);
    G.Cells[ColWait][SumRow] = Fixed(TotWait / 60, 2);
    G.Cells[ColSum][SumRow] = Fixed((TotPlunge + TotFeed + TotRapid + TotWait) / 60, 2);
}

// Left to the end of the process: no form may outlive the responder's teardown.
void CreateLengthDialog() {
    delete LengthDialog;
    LengthDialog = new TLengthDialog();
}

void ComLength() {
    WriteLog("Sys:ComLength Start");
    MainVars.ComCnt = -1;
    if (!LengthDialog) CreateLengthDialog();
    LengthDialog->ShowModal();
    WriteLog("Sys:ComLength End");
}
