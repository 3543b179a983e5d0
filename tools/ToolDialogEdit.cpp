// The tool dialog moving one layer tool between the working copy and its controls.
#include <cmath>
#include <cstdio>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"
#include "tools/ToolDialog.h"
#include "tools/ToolFieldText.h"
#include "tools/ToolPageShow.h"
#include "tools/UniRezPod.h"

using ToolField::Parse;
using ToolField::Short3;
using ToolField::Whole;

namespace {

bool LayerOk(int N) { return N >= 1 && N <= ToolLayerCount; }

// The lower diameter as typed; 0 when it does not read.
Extended TypedDs(const TEdit* E) {
    Extended ds = 0;
    Parse(E, ds);
    return ds;
}

std::string Num(Extended V) { return CfgRegionalReal(V); }

// A number field of the dialog: an invalid text keeps the field and names the label.
void Take(const TEdit* E, const TLabel* L, Extended& Field) {
    if (!Parse(E, Field)) MessageDlg(Msg[97] + L->Caption, TMsgDlgType::mtError, mbOK);
}

// The depth of cut divides a depth into passes: a typed 0 or less is refused like a bad
// number. A value left as it was shown is no typing and is not refused.
void TakeDepthOfCut(const TEdit* E, const TLabel* L, Extended& Field) {
    Extended v = 0;
    if (Parse(E, v) && (v > 0 || v == Field)) Field = v;
    else MessageDlg(Msg[97] + L->Caption, TMsgDlgType::mtError, mbOK);
}

}  // namespace

void TToolDialog::ToolToEdit(int Num, bool LayPar) {
    if (!LayerOk(Num)) return;
    const TTool& T = ToolTmp[Num];
    GeoToInputs(*this, T);
    LabToolTID->Caption = std::to_string(T.TID);
    if (!LayPar) return;
    EditLayVretTime->Text = ::Num(T.VretTime);
    EditLayLaserTime->Text = ::Num(T.LaserTime);
    EditLayLaserTimeOff->Text = ::Num(T.LaserTime2);
    EditLayChlazTime->Text = ::Num(T.ChlazTime);
    EditLayOfukTime->Text = ::Num(T.OfukTime);
    EditLayOfukCount->Text = std::to_string(T.OfukCount);
    if (T.Chlaz <= Proud) RBtnLayChlaz[T.Chlaz]->Click();
    ChBoxLayChlazPrejezd->Checked = T.ChlazPrejezd;
    ChBoxLayLaser->Checked = T.UseLaser;
    ChBoxLayOfuk->Checked = T.UseOfuk;
    if (T.VyjezdZapichem <= CyklG63) RBtnLayVyjezd[T.VyjezdZapichem]->Click();
    ChBoxLayBezVyjezdu->Checked = T.BezVyjezdu;
    MemoLayPozn->Lines.clear();
    for (size_t b = 0;;) {
        const size_t e = T.Poznamka.find('\n', b);
        std::string line = T.Poznamka.substr(b, e == std::string::npos ? std::string::npos : e - b);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (e == std::string::npos) {
            if (!line.empty() || (MemoLayPozn->Lines.empty() && !T.Poznamka.empty())) MemoLayPozn->Lines.push_back(line);
            break;
        }
        MemoLayPozn->Lines.push_back(line);
        b = e + 1;
    }
    if (T.Obrob == CelyObjekt) RBtnLayObject->Click();
    else if (T.Obrob == CelyPruchod) RBtnLayPassage->Click();
    EditLayHloubkaRychloposuvem->Text = ::Num(T.HloubkaRychloposuvem);
    EditLayAngleA->Text = ::Num(T.AngleA);
    ShapeLayColor->Color = Glob.TabLayer[size_t(Num)].Color;
    PageControl1->ActivePageIndex = 0;
    CurPlunge = 0;
    TabControlToolPlunge->ActivePageIndex = 0;
    PruchodToEdit(Num);
    TechToEdit(Num);
    PlungeToEdit(Num, 0, *this, ToolTmp);
    OutsToEdit(Num);
    SetToolTypeControls(T.ToolType);
}

void TToolDialog::EditToTool(int Num, bool LayPar) {
    if (!LayerOk(Num)) return;
    TTool& T = ToolTmp[Num];
    T.JmNastroje = EditToolJmNastroje->Text;
    T.MatNastroje = EditToolMatNastroje->Text;
    if (CboxToolTType->ItemIndex >= 0) T.ToolType = CboxToolTType->ItemIndex;
    if (!Whole(EditToolTnum, T.Tnum, true)) MessageDlg(Msg[97] + Msg[98], TMsgDlgType::mtError, mbOK);
    Whole(EditToolDnum, T.Dnum, true);
    Parse(EditToolDSpodni, T.SpodniPrumer);
    Parse(EditToolR, T.Radius);
    Parse(EditToolU, T.UhelSpicky);
    Parse(EditToolV, T.VyskaKuzele);
    Parse(EditToolDHorni, T.HorniPrumer);
    Parse(EditToolBrit, T.DelkaBritu);
    Whole(EditToolPocetBritu, T.PocetBritu, true);
    if (LayPar) {
        Parse(EditLayVretTime, T.VretTime);
        Parse(EditLayLaserTime, T.LaserTime);
        Parse(EditLayChlazTime, T.ChlazTime);
        Parse(EditLayOfukTime, T.OfukTime);
        Whole(EditLayOfukCount, T.OfukCount, true);
        for (int i = 0; i < 4; ++i)
            if (RBtnLayChlaz[i]->Checked) T.Chlaz = TChlaz(i);
        T.ChlazPrejezd = ChBoxLayChlazPrejezd->Checked;
        T.UseLaser = ChBoxLayLaser->Checked;
        T.UseOfuk = ChBoxLayOfuk->Checked;
        for (int i = 0; i < 4; ++i)
            if (RBtnLayVyjezd[i]->Checked) T.VyjezdZapichem = TVyjezd(i);
        T.BezVyjezdu = ChBoxLayBezVyjezdu->Checked;
        std::string memo;
        for (size_t i = 0; i < MemoLayPozn->Lines.size(); ++i) memo += (i ? "\r\n" : "") + MemoLayPozn->Lines[i];
        T.Poznamka = memo;
        if (RBtnLayObject->Checked) T.Obrob = CelyObjekt;
        if (RBtnLayPassage->Checked) T.Obrob = CelyPruchod;
        if (Parse(EditLayHloubkaRychloposuvem, T.HloubkaRychloposuvem))
            T.HloubkaRychloposuvem = std::fabs(T.HloubkaRychloposuvem);
        Parse(EditLayAngleA, T.AngleA);
        EditToPruchod(Num);
    }
    EditToToolTech(Num);
    EditToToolPlunge(Num, CurPlunge, *this, ToolTmp);
    EditToToolOuts(Num);
}

void TToolDialog::TechToEdit(int Tindex) {
    if (LayerOk(Tindex)) TechToInputs(*this, ToolTmp[Tindex].Material.Tech);
}

void TToolDialog::EditToToolTech(int Tindex) {
    if (!LayerOk(Tindex)) return;
    TToolTech& T = ToolTmp[Tindex].Material.Tech;
    auto whole = [](const TEdit* E, const TLabel* L, int32_t& F) {
        if (!E->Enabled) return;
        if (!Whole(E, F, false)) MessageDlg(Msg[97] + L->Caption, TMsgDlgType::mtError, mbOK);
    };
    auto real = [](const TEdit* E, const TLabel* L, Extended& F) {
        if (E->Enabled) Take(E, L, F);
    };
    whole(EditToolMaxSpindlePower, LabToolMaxSpindlePower, T.MaxPwr);
    whole(EditToolMaxSpindleSpeed, LabToolMaxSpindleSpeed, T.MaxN);
    whole(EditToolN, LabToolN, T.N);
    real(EditToolVc, LabToolVc, T.Vc);
    real(EditToolFz, LabToolFz, T.Fz);
    real(EditToolFn, LabToolFn, T.Fn);
    real(EditToolVf, LabToolVf, T.Vf);
    if (RbtnToolBothMill->Checked) T.Method = 0;
    else if (RBtnToolClimbMill->Checked) T.Method = 1;
    else if (RBtnToolConvMill->Checked) T.Method = 2;
    if (EditToolAp->Enabled) TakeDepthOfCut(EditToolAp, LabToolAp, T.Ap);
    real(EditToolAe, LabToolAe, T.Ae);
}

void TToolDialog::PlungeToEdit(int Tindex, int PIndex, TForm& Frm, const TToolArr& ToolArr) {
    if (!LayerOk(Tindex) || PIndex < 0 || PIndex > 5) return;
    const TToolPlunge& P = ToolArr[Tindex].Material.Zapich[size_t(PIndex)];
    auto* vert = Frm.Find<TRadioButton>("RbtnToolVert");
    auto* tang = Frm.Find<TRadioButton>("RBtnToolTang");
    auto* ramp = Frm.Find<TRadioButton>("RBtnToolRamp");
    auto* heli = Frm.Find<TRadioButton>("RBtnToolSpiral");
    if (!vert || !tang || !ramp || !heli) return;
    static const bool Ena[6][4] = {{true, false, false, true}, {true, false, true, true}, {true, true, true, true},
                                   {true, false, true, true},  {true, true, true, true},  {true, false, true, false}};
    TRadioButton* btn[4] = {vert, tang, ramp, heli};
    const char* const boxes[4] = {"GrBoxToolPlungeVert", "GrBoxToolPlungeTang", "GrBoxToolPlungeRamp",
                                  "GrBoxToolPlungeSpiral"};
    for (int m = 0; m < 4; ++m) btn[m]->Enabled = Ena[PIndex][m];
    if (P.Method <= 3) {
        const bool changed = !btn[P.Method]->Checked;
        for (int m = 0; m < 4; ++m) btn[m]->Checked = m == P.Method;
        for (int m = 0; m < 4; ++m)
            if (auto* b = Frm.Find<TControl>(boxes[m])) b->Visible = m == P.Method;
        if (changed && &Frm == this) SetPlunge(P.Method);
    }
    auto set = [&](const char* Name, const std::string& Text) {
        if (auto* c = Frm.Find<TControl>(Name)) c->Text = Text;
    };
    auto check = [&](const char* Name, bool On) {
        if (auto* c = Frm.Find<TControl>(Name)) c->Checked = On;
    };
    if (&Frm == this) FeedPercentShown = P.FeedPercent;
    check("RBtnToolFeedPercent", P.FeedPercent);
    check("RBtnToolFeedTime", !P.FeedPercent);
    set("EditToolPlungeFeed", Num(P.FeedPercent ? P.FeedPct : P.FeedTime));
    set("EditToolRampAngle", Num(P.RampAngle));
    set("EditToolRampLength", Num(P.RampLength));
    if (auto* u = Frm.Find<TControl>("SbtnToolSpiralRadUnits")) u->Caption = P.SpiralRadPercent ? "[%]" : "[mm]";
    set("EditToolSpiralRad", Num(P.SpiralRad));
    set("EditToolSpiralPitch", Num(P.SpiralPitch));
    set("EditToolSpiralAngle", Num(P.SpiralAngle));
    check("ChBoxToolSpiralupward", !P.SpiralDownStep);
    check("ChBoxToolSpiralLeft", P.SpiralLeft);
    check("ChBoxTgIn", P.TangEntry);
    check("ChBoxTgOut", P.TangExit);
    check("ChBoxFromCenter", P.TangCenter);
    set("EditTangRad", Num(P.TangRad));
    set("EditTangAngle", Num(P.TangAngle));
    check("ChBoxIgnoreDepthDiv", P.IgnoreDepthDiv);
    SpiralRadToHoleRad();
}

void TToolDialog::EditToToolPlunge(int TIndex, int PIndex, TForm& Frm, TToolArr& ToolArr) {
    if (!LayerOk(TIndex) || PIndex < 0 || PIndex > 5) return;
    TToolPlunge& P = ToolArr[TIndex].Material.Zapich[size_t(PIndex)];
    auto checked = [&](const char* Name) {
        const TControl* c = Frm.Find<TControl>(Name);
        return c && c->Checked;
    };
    const char* const methods[4] = {"RbtnToolVert", "RBtnToolTang", "RBtnToolRamp", "RBtnToolSpiral"};
    for (int m = 0; m < 4; ++m)
        if (checked(methods[m])) {
            P.Method = uint8_t(m);
            break;
        }
    if (const TControl* feed = Frm.Find<TControl>("EditToolPlungeFeed")) {
        P.FeedPercent = checked("RBtnToolFeedPercent");
        Parse(feed, P.FeedPercent ? P.FeedPct : P.FeedTime);
    }
    // Messages name the field by this dialog's own label, whichever form is edited.
    auto real = [&](const char* Name, const TLabel* L, Extended& F) {
        if (const TControl* e = Frm.Find<TControl>(Name))
            if (!Parse(e, F)) MessageDlg(Msg[97] + L->Caption, TMsgDlgType::mtError, mbOK);
    };
    real("EditToolRampAngle", LabToolRampAngle, P.RampAngle);
    real("EditToolRampLength", LabToolRampLength, P.RampLength);
    real("EditToolSpiralPitch", LabToolSpiralPitch, P.SpiralPitch);
    real("EditToolSpiralAngle", LabToolSpiralAngle, P.SpiralAngle);
    real("EditToolSpiralRad", LabToolSpiralRad, P.SpiralRad);
    P.SpiralDownStep = !checked("ChBoxToolSpiralupward");
    P.SpiralLeft = checked("ChBoxToolSpiralLeft");
    real("EditTangRad", LabToolArcRadius, P.TangRad);
    real("EditTangAngle", LabToolArcAngle, P.TangAngle);
    P.TangEntry = checked("ChBoxTgIn");
    P.TangExit = checked("ChBoxTgOut");
    P.TangCenter = checked("ChBoxFromCenter");
    P.IgnoreDepthDiv = checked("ChBoxIgnoreDepthDiv");
}

void TToolDialog::OutsToEdit(int Tindex) {
    if (LayerOk(Tindex)) OutsToInputs(*this, ToolTmp[Tindex].Material.Vystup);
}

void TToolDialog::EditToToolOuts(int Tindex) {
    if (!LayerOk(Tindex)) return;
    TToolOutputs& O = ToolTmp[Tindex].Material.Vystup;
    // Whole seconds: the outputs are switched by the machine's dwell in seconds.
    auto secs = [](const TEdit* E, const TLabel* L, Extended& F) {
        Extended v = 0;
        if (!Parse(E, v)) MessageDlg(Msg[97] + L->Caption, TMsgDlgType::mtError, mbOK);
        else F = std::trunc(v);
    };
    O.LaserUse = ChBoxToolLaser->Checked;
    secs(EditToolLaserTime, LabToolLaserWaitStart, O.LaserTime);
    if (CBoxToolCoolantType->ItemIndex >= 0 && CBoxToolCoolantType->ItemIndex <= 3)
        O.CoolantType = TChlaz(CBoxToolCoolantType->ItemIndex);
    secs(EditToolChlazTime, LabToolCoolantTime, O.CoolantTime);
    O.CoolantRapid = ChBoxToolCoolCross->Checked;
    O.OfukUse = ChBoxToolOfukUse->Checked;
    if (!Whole(EditToolOfukCount, O.OfukCount, false))
        MessageDlg(Msg[97] + LabToolOfukCount->Caption, TMsgDlgType::mtError, mbOK);
    secs(EditToolOfukTime, LabToolOfukTime, O.OfukTime);
}

namespace {
Extended FeedShown(Extended V) { return Glob.SpolParObr.VelUnit == MmPerMin ? V * 60 : V; }

void ClearGrid(TStringGrid& G) {
    for (int c = 0; c < G.ColCount(); ++c)
        for (int r = 0; r < G.RowCount(); ++r) G.Cells[size_t(c)][size_t(r)] = c == 0 ? std::to_string(r + 1) + "." : "";
}

// A complete grid row in storage units; false when it does not read. A cell left as
// Old's value is shown keeps that exact value.
bool GridRow(const TStringGrid& G, int R, TPruchod& P, const TPruchod* Old = nullptr) {
    auto cell = [&](int C) { return G.Cells[size_t(C)][size_t(R)]; };
    auto num = [&](int C, Extended& V) {
        Extended x = 0;
        if (!StrToExtCalc(cell(C), x, false) || !std::isfinite(x)) return false;
        V = x;
        return true;
    };
    Extended d = 0, z = 0, f = 0, s = 0;
    if (!num(1, d)) return false;
    if (cell(2) == "?") z = -1;
    else if (!num(2, z)) return false;
    if (!num(3, f) || !num(4, s)) return false;
    if (d < -CoordTol || f < -CoordTol || s < -CoordTol) return false;
    const bool perMin = Glob.SpolParObr.VelUnit == MmPerMin;
    P.Hloubka = d;
    P.Zapich = perMin && z > 0 ? z / 60 : z;
    P.Posuv = perMin ? f / 60 : f;
    P.Otacky = s;
    if (Old && Old->Hloubka > -CoordTol) {
        if (cell(1) == ::Num(Old->Hloubka)) P.Hloubka = Old->Hloubka;
        if (Old->Zapich != -1 && cell(2) == ::Num(FeedShown(Old->Zapich))) P.Zapich = Old->Zapich;
        if (cell(3) == ::Num(FeedShown(Old->Posuv))) P.Posuv = Old->Posuv;
        if (cell(4) == ::Num(Old->Otacky)) P.Otacky = Old->Otacky;
    }
    return true;
}
}  // namespace

void TToolDialog::PruchodToEdit(int Num) {
    if (!LayerOk(Num)) return;
    TStringGrid& G = *StrGridLayParam;
    ClearGrid(G);
    const TTool& T = ToolTmp[Num];
    for (int i = 1; i <= MaxPruchod; ++i) {
        const TPruchod& P = T.Pruchod[i];
        if (!(P.Hloubka > -CoordTol)) continue;
        const size_t r = size_t(i - 1);
        G.Cells[1][r] = ::Num(P.Hloubka);
        G.Cells[2][r] = P.Zapich == -1 ? "?" : ::Num(FeedShown(P.Zapich));
        G.Cells[3][r] = ::Num(FeedShown(P.Posuv));
        G.Cells[4][r] = ::Num(P.Otacky);
    }
}

void TToolDialog::EditToPruchod(int Num) {
    if (!LayerOk(Num)) return;
    TTool& T = ToolTmp[Num];
    const auto Old = T.Pruchod;
    for (int i = 1; i <= MaxPruchod; ++i) T.Pruchod[i] = TPruchod{-1, -1, NoFeedValue, NoSpeedValue};
    for (int r = 0; r < MaxPruchod && r < StrGridLayParam->RowCount(); ++r) {
        TPruchod P;
        if (!GridRow(*StrGridLayParam, r, P, &Old[size_t(r + 1)])) break;
        T.Pruchod[r + 1] = P;
    }
}

void TToolDialog::BtnLayConstIncrementClick() {
    WriteLog("Usr:Incremental pass table");
    const int L = CurLayer();
    EditToTool(L, true);
    TPruchod last;
    int k = -1;
    for (int r = MaxPruchod - 2; r >= 0; --r)
        if (GridRow(*StrGridLayParam, r, last)) {
            k = r;
            break;
        }
    if (k <= 0) return;
    Extended d0 = 0;
    if (!StrToExtCalc(StrGridLayParam->Cells[1][0], d0, false) || !std::isfinite(d0)) d0 = 0;
    TTool& T = ToolTmp[L];
    for (int i = 0; i <= k; ++i) {
        TPruchod& P = T.Pruchod[i + 1];
        P.Hloubka = d0 >= CoordTol ? d0 + (last.Hloubka - d0) * i / k : last.Hloubka * (i + 1) / (k + 1);
        P.Zapich = last.Zapich;
        P.Posuv = last.Posuv;
        P.Otacky = last.Otacky;
    }
    ToolToEdit(L, true);
}

void TToolDialog::BtnLayClearTabClick() {
    WriteLog("Usr:Delete pass table");
    ClearGrid(*StrGridLayParam);
}

void TToolDialog::SetToolTypeControls(int Index) {
    if (Index < 0 || size_t(Index) >= Glob.MillToolType.size()) return;
    ShowTypeFields(*this, Glob.MillToolType[size_t(Index)], Index, *ImgToolGeo);
}

void TToolDialog::ShowPlungeControls(int Obj, int Method) { ShowPlungeMethod(*this, *ImgPlunge, Obj, Method); }

void TToolDialog::SpiralRadToHoleRad() { HelixToHoleDiameter(*this, TypedDs(EditToolDSpodni)); }

void TToolDialog::HoleRadToSpiralRad() { HoleToHelixDiameter(*this, TypedDs(EditToolDSpodni)); }

void TToolDialog::UnitClick(TSpeedButton* Btn, TEdit* Edit, bool& Percent, Extended Ds) {
    SwitchLengthUnit(*Btn, *Edit, Percent, Ds, *LabToolDSpodni, Short3);
}

void TToolDialog::PageControl1DrawTab() {
    TTabSheet* Pages[4] = {TabInfo, TabRezPod, TabZapich, TabVystupy};
    for (size_t i = 0; i < 4; ++i) Pages[i]->TabColor = RezPodPageErr[i] ? clRed : clDefault;
}

void TToolDialog::FeedUnitSwitch(bool ToPercent) {
    TRadioButton* to = ToPercent ? RBtnToolFeedPercent : RBtnToolFeedTime;
    TRadioButton* from = ToPercent ? RBtnToolFeedTime : RBtnToolFeedPercent;
    Extended v = 0;
    if (ToPercent == FeedPercentShown) return;  // already the chosen unit: nothing moves
    if (!Parse(EditToolPlungeFeed, v)) {
        // The field does not read: the unit stays as it was.
        from->Checked = true;
        to->Checked = false;
        return;
    }
    TToolPlunge& P = ToolTmp[CurLayer()].Material.Zapich[size_t(CurPlunge)];
    (ToPercent ? P.FeedTime : P.FeedPct) = v;
    FeedPercentShown = ToPercent;
    EditToolPlungeFeed->Text = Num(ToPercent ? P.FeedPct : P.FeedTime);
}
