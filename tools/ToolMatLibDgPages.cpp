// The library dialog's parameter pages: a tool's identity and geometry, and a
// material's cutting data, plunges and outputs, between the working copies and the inputs.
#include <cmath>

#include "core/Glob.h"
#include "core/Global.h"
#include "platform/Dialogs.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "tools/ToolFieldText.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolMatLibDg.h"
#include "tools/ToolPageShow.h"
#include "tools/UniRezPod.h"

using ToolField::Parse;
using ToolField::Short3;
using ToolField::Whole;

namespace {

std::string Num(Extended V) { return CfgRegionalReal(V); }

void Refuse(const std::string& What) { MessageDlg(Msg[97] + What, TMsgDlgType::mtError, mbOK); }

// A real input: false (after the message) when it does not read.
bool Real(const TEdit* E, const TLabel* L, Extended& V) {
    if (Parse(E, V)) return true;
    Refuse(L->Caption);
    return false;
}

// A whole-number input, truncated.
bool Trunc(const TEdit* E, const TLabel* L, Extended& V) {
    if (!Real(E, L, V)) return false;
    V = std::trunc(V);
    return true;
}

bool Int(const TEdit* E, const TLabel* L, int32_t& V) {
    if (Whole(E, V, false)) return true;
    Refuse(L->Caption);
    return false;
}

const TToolType* TypeAt(int Index) {
    return Index >= 0 && size_t(Index) < Glob.MillToolType.size() ? &Glob.MillToolType[size_t(Index)] : nullptr;
}

// Allowed plunge methods by plunge object for a tool type.
bool TypeAllows(const TToolType& T, int Obj, int Method) {
    const bool Ena[4][6] = {
        {T.PlunEnaPointVert, T.PlunEnaOpenVert, T.PlunEnaContVert, T.PlunEnaPockRoughVert, T.PlunEnaPockFinVert,
         T.PlunEnaSurfVert},
        {T.PlunEnaPointTang, T.PlunEnaOpenTang, T.PlunEnaContTang, T.PlunEnaPockRoughTang, T.PlunEnaPockFinTang,
         T.PlunEnaSurfTang},
        {T.PlunEnaPointRamp, T.PlunEnaOpenRamp, T.PlunEnaContRamp, T.PlunEnaPockRoughRamp, T.PlunEnaPockFinRamp,
         T.PlunEnaSurfRamp},
        {T.PlunEnaPointHeli, T.PlunEnaOpenHeli, T.PlunEnaContHeli, T.PlunEnaPockRoughHeli, T.PlunEnaPockFinHeli,
         T.PlunEnaSurfHeli}};
    return Ena[Method][Obj];
}

}  // namespace

TMaterial* TToolMatLibDialog::PageMaterial(int32_t Tid, int32_t Mid, int Lib) {
    if (Mid < 0) return nullptr;
    if (Lib == 0) {
        if (Tid < 0 || size_t(Tid) >= ToolLibTmp.size()) return nullptr;
        auto& M = ToolLibTmp[size_t(Tid)].Material;
        return size_t(Mid) < M.size() ? &M[size_t(Mid)] : nullptr;
    }
    if (Lib == 1) return size_t(Mid) < MaterialTmp.size() ? &MaterialTmp[size_t(Mid)] : nullptr;
    return nullptr;
}

// Info/Geo.

void TToolMatLibDialog::ToolGeoToEdit(int32_t Tid) {
    ShowPage(0);
    GeoToInputs(Tid);
}

void TToolMatLibDialog::GeoToInputs(int32_t Tid) {
    if (Tid < 0 || size_t(Tid) >= ToolLibTmp.size()) return;
    ::GeoToInputs(*this, ToolLibTmp[size_t(Tid)].Tool);
}

bool TToolMatLibDialog::EditToToolGeo(int32_t Tid) {
    if (Tid < 0 || size_t(Tid) > ToolLibTmp.size()) return true;
    const int type = CboxToolTType->ItemIndex;
    int32_t tnum = 0, dnum = 0;
    if (!Whole(EditToolTnum, tnum, false)) return Refuse(Msg[98]), false;
    if (!Whole(EditToolDnum, dnum, false)) return Refuse(Msg[99]), false;
    const TToolType* Ty = TypeAt(type);
    struct TIn {
        const TEdit* E;
        const TLabel* L;
        bool On;
        Extended V = 0;
    };
    TIn in[7] = {{EditToolDSpodni, LabToolDSpodni, Ty && Ty->GeoEnaDSpodni}, {EditToolR, LabToolR, Ty && Ty->GeoEnaR},
                 {EditToolU, LabToolU, Ty && Ty->GeoEnaU},                   {EditToolV, LabToolV, Ty && Ty->GeoEnaV},
                 {EditToolDHorni, LabToolDHorni, Ty && Ty->GeoEnaDHorni},    {EditToolBrit, LabToolBrit, Ty && Ty->GeoEnaBrit},
                 {EditToolPocetBritu, LabToolPocetBritu, Ty && Ty->GeoEnaPocetBritu}};
    for (int i = 0; i < 7; ++i) {
        if (!in[i].On) continue;
        if (Parse(in[i].E, in[i].V)) continue;
        Refuse(in[i].L->Caption);
        if (i != 3) return false;
        in[i].V = 0;  // the cone height is optional
    }
    if (size_t(Tid) == ToolLibTmp.size()) ToolLibTmp.emplace_back();
    TTool& T = ToolLibTmp[size_t(Tid)].Tool;
    T.JmNastroje = EditToolJmNastroje->Text;
    T.MatNastroje = EditToolMatNastroje->Text;
    if (type >= 0) T.ToolType = type;
    T.Tnum = tnum;
    T.Dnum = dnum;
    T.SpodniPrumer = in[0].V;
    T.Radius = in[1].V;
    T.UhelSpicky = in[2].V;
    T.VyskaKuzele = in[3].V;
    T.HorniPrumer = in[4].V;
    T.DelkaBritu = in[5].V;
    const Extended edges = std::trunc(in[6].V);
    T.PocetBritu = edges > -2147483648.0L && edges < 2147483647.0L ? int32_t(edges) : 0;
    return true;
}

void TToolMatLibDialog::NewGeo() {
    ShowPage(0);
    SelTID = -1;
    for (TEdit* E : {EditToolJmNastroje, EditToolMatNastroje, EditToolTnum, EditToolDnum, EditToolDSpodni, EditToolR,
                     EditToolU, EditToolV, EditToolDHorni, EditToolBrit, EditToolPocetBritu})
        E->Text.clear();
    CboxToolTType->ItemIndex = CboxToolTType->Items.empty() ? -1 : 0;
    SetToolType(0);
}

void TToolMatLibDialog::SetToolType(int Num) {
    if (const TToolType* Ty = TypeAt(Num)) ShowTypeFields(*this, *Ty, Num, *ImgToolNastroj);
}

void TToolMatLibDialog::CboxTTypeChange() {
    const int type = CboxToolTType->ItemIndex;
    SetToolType(type);
    RezPodRecalc(rpNone, 1);
    if (SelTID >= 0 && size_t(SelTID) < ToolLibTmp.size() && type >= 0) ToolLibTmp[size_t(SelTID)].Tool.ToolType = type;
    FillLibList(Order(), false, -1);
}

// Cutting data.

void TToolMatLibDialog::TechToEdit(int32_t Tid, int32_t Mid, int Lib) {
    ShowPage(1);
    const TMaterial* M = PageMaterial(Tid, Mid, Lib);
    if (!M) return;
    TechToInputs(*this, M->Tech);
    ShownAp = EditToolAp->Text;
}

bool TToolMatLibDialog::EditToTech(int32_t Tid, int32_t Mid, int Lib) {
    const bool record = Tid >= 0 && size_t(Tid) < ToolLibTmp.size();
    const TToolType* Ty = record ? TypeAt(ToolLibTmp[size_t(Tid)].Tool.ToolType) : nullptr;
    auto on = [&](bool Flag) { return !record || (Ty && Flag); };
    Extended pwr = 0, maxn = 0, n = 0, vc = 0, fz = 0, fn = 0, vf = 0, ae = 0, ap = 0;
    if (on(Ty && Ty->TechEnaMaxSpPw) && !Trunc(EditToolMaxSpindlePower, LabToolMaxSpindlePower, pwr)) return false;
    if (on(Ty && Ty->TechEnaMaxSpRev) && !Trunc(EditToolMaxSpindleSpeed, LabToolMaxSpindleSpeed, maxn)) return false;
    if (on(Ty && Ty->TechEnaN) && !Trunc(EditToolN, LabToolN, n)) return false;
    if (on(Ty && Ty->TechEnaVc) && !Trunc(EditToolVc, LabToolVc, vc)) return false;
    if (on(Ty && Ty->TechEnaFz) && !Real(EditToolFz, LabToolFz, fz)) return false;
    if (on(Ty && Ty->TechEnaFn) && !Real(EditToolFn, LabToolFn, fn)) return false;
    if (on(Ty && Ty->TechEnaVf) && !Real(EditToolVf, LabToolVf, vf)) return false;
    if (on(Ty && Ty->TechEnaAe) && !Real(EditToolAe, LabToolAe, ae)) return false;
    if (on(Ty && Ty->TechEnaAp)) {
        if (!Real(EditToolAp, LabToolAp, ap)) return false;
        // The depth of cut divides a depth into passes: a typed 0 or less is refused; a
        // value left as the page showed it is not.
        if (!(ap > 0) && EditToolAp->Text != ShownAp) return Refuse(LabToolAp->Caption), false;
    }
    TMaterial* M = PageMaterial(Tid, Mid, Lib);
    if (!M) return true;
    auto i32 = [](Extended V) { return V > -2147483648.0L && V < 2147483647.0L ? int32_t(V) : 0; };
    TToolTech& T = M->Tech;
    T.N = i32(n);
    T.MaxN = i32(maxn);
    T.MaxPwr = i32(pwr);
    T.Vc = vc;
    T.Fz = fz;
    T.Fn = fn;
    T.Vf = vf;
    T.Ap = ap;
    T.Ae = ae;
    T.Method = RBtnToolClimbMill->Checked ? 1 : RBtnToolConvMill->Checked ? 2 : 0;
    T.ApPercent = SbtnToolApUnits->Caption == "[%]";
    T.AePercent = SBtnToolAeUnits->Caption == "[%]";
    return true;
}

void TToolMatLibDialog::NewTech() {
    ShowPage(1);
    for (TEdit* E : {EditToolMaxSpindlePower, EditToolMaxSpindleSpeed, EditToolN, EditToolVc, EditToolFz, EditToolFn,
                     EditToolVf, EditToolAp, EditToolAe})
        E->Text.clear();
    ShownAp.clear();
    RbtnToolBothMill->Click();
}

void TToolMatLibDialog::UnitToggle(bool Ap) {
    if (SelTID < 0 || SelMID < 0 || SelPID < 0 || size_t(SelTID) >= ToolLibTmp.size()) return;
    TMaterial* M = PageMaterial(SelTID, SelMID, Order());
    if (!M) return;
    bool& percent = Ap ? M->Tech.ApPercent : M->Tech.AePercent;
    TEdit* E = Ap ? EditToolAp : EditToolAe;
    TSpeedButton* B = Ap ? SbtnToolApUnits : SBtnToolAeUnits;
    SwitchLengthUnit(*B, *E, percent, ToolLibTmp[size_t(SelTID)].Tool.SpodniPrumer, *LabToolDSpodni, Short3);
}

// Plunges.

void TToolMatLibDialog::SetPlungeControls(int32_t Tindex, int Pindex) {
    TRadioButton* btn[4] = {RbtnToolVert, RBtnToolTang, RBtnToolRamp, RBtnToolSpiral};
    for (TRadioButton* b : btn) b->Checked = false;
    if (Pindex < 0 || Pindex > 5) return;
    static const bool Fixed[6][4] = {{true, false, false, true}, {true, true, true, false}, {true, true, true, true},
                                     {true, false, true, true},  {true, true, true, true},  {true, false, true, false}};
    const TToolType* Ty = Tindex >= 0 && size_t(Tindex) < ToolLibTmp.size()
                              ? TypeAt(ToolLibTmp[size_t(Tindex)].Tool.ToolType)
                              : nullptr;
    for (int m = 0; m < 4; ++m) btn[m]->Enabled = Ty ? TypeAllows(*Ty, Pindex, m) : Fixed[Pindex][m];
}

void TToolMatLibDialog::PlunToEdit(int32_t Tindex, int32_t Mindex, int Pindex, int Lib) {
    SetPlungeControls(Tindex, Pindex);
    ShowPage(2);
    if (const TMaterial* M = PageMaterial(Tindex, Mindex, Lib)) PlunTmp = M->Zapich;
    PlunTmpToEdit(Tindex, Pindex);
    ShownPID = Pindex;
}

void TToolMatLibDialog::PlunTmpToEdit(int32_t Tindex, int Pindex) {
    SetPlungeControls(Tindex, Pindex);
    if (Pindex < 0 || Pindex > 5) return;
    const TToolPlunge& P = PlunTmp[size_t(Pindex)];
    TRadioButton* btn[4] = {RbtnToolVert, RBtnToolTang, RBtnToolRamp, RBtnToolSpiral};
    if (P.Method <= 3 && btn[P.Method]->Enabled) btn[P.Method]->Click();
    ChBoxToolTgIn->Checked = P.TangEntry;
    ChBoxToolTgOut->Checked = P.TangExit;
    ChBoxToolFromCenter->Checked = P.TangCenter;
    EditToolTangRad->Text = Num(P.TangRad);
    EditToolTangAngle->Text = Num(P.TangAngle);
    EditToolRampAngle->Text = Num(P.RampAngle);
    EditToolRampLength->Text = Num(P.RampLength);
    EditToolSpiralPitch->Text = Num(P.SpiralPitch);
    EditToolSpiralRad->Text = Num(P.SpiralRad);
    EditToolSpiralAngle->Text = Num(P.SpiralAngle);
    ChBoxToolSpiralupward->Checked = !P.SpiralDownStep;
    SbtnToolSpiralRadUnits->Caption = P.SpiralRadPercent ? "[%]" : "[mm]";
    EditToolPlungeFeed->Text = Num(P.FeedPercent ? P.FeedPct : P.FeedTime);
    RBtnToolFeedPercent->Checked = P.FeedPercent;
    RBtnToolFeedTime->Checked = !P.FeedPercent;
    ShownPID = Pindex;
    SetPlungeType(Pindex, P.Method);
}

bool TToolMatLibDialog::EditToPlunTmp(int Pid) {
    TToolPlunge P = Pid >= 0 && Pid <= 5 ? PlunTmp[size_t(Pid)] : TToolPlunge{};
    // No button checked: the tool type forbids the stored method (or every method); the
    // stored one stays rather than turning into a vertical plunge nobody chose.
    if (RbtnToolVert->Checked) P.Method = 0;
    else if (RBtnToolTang->Checked) P.Method = 1;
    else if (RBtnToolRamp->Checked) P.Method = 2;
    else if (RBtnToolSpiral->Checked) P.Method = 3;
    if (!Real(EditToolTangRad, LabToolTangRad, P.TangRad) || !Real(EditToolTangAngle, LabToolTangAngle, P.TangAngle))
        return false;
    P.TangEntry = ChBoxToolTgIn->Checked;
    P.TangExit = ChBoxToolTgOut->Checked;
    P.TangCenter = ChBoxToolFromCenter->Checked;
    if (!Real(EditToolRampAngle, LabToolRampAngle, P.RampAngle) ||
        !Real(EditToolRampLength, LabToolRampLength, P.RampLength) ||
        !Real(EditToolSpiralPitch, LabToolSpiralPitch, P.SpiralPitch) ||
        !Real(EditToolSpiralAngle, LabToolSpiralAngle, P.SpiralAngle) ||
        !Real(EditToolSpiralRad, LabToolSpiralRad, P.SpiralRad))
        return false;
    P.SpiralDownStep = !ChBoxToolSpiralupward->Checked;
    P.SpiralRadPercent = SbtnToolSpiralRadUnits->Caption == "[%]";
    P.FeedPercent = RBtnToolFeedPercent->Checked;
    if (!Real(EditToolPlungeFeed, LabToolPlungeFeed, P.FeedPercent ? P.FeedPct : P.FeedTime)) return false;
    // No plunge object shown yet in this showing: the page is checked, nothing is kept.
    if (Pid < 0 || Pid > 5) return true;
    PlunTmp[size_t(Pid)] = P;
    return true;
}

void TToolMatLibDialog::PlunTmpToMat(int32_t Tid, int32_t Mid, int Lib) {
    if (TMaterial* M = PageMaterial(Tid, Mid, Lib)) M->Zapich = PlunTmp;
}

void TToolMatLibDialog::TabControlPlungeChange() {
    // Only inputs that hold a selected node's plunge object are checked and kept; with no
    // node selected or no object shown yet they hold no record's values (empty, or left
    // from an earlier showing), and refusing them would only puzzle the user.
    if (SelPar >= 0 && ShownPID >= 0) EditToPlunTmp(ShownPID);
    SelPID = ShownPID = TabControlToolPlunge->ActivePageIndex;
    PlunTmpToEdit(SelTID, SelPID);
}

void TToolMatLibDialog::SetPlunge(int Method) {
    GrBoxToolPlungeVert->Visible = Method == 0;
    GrBoxToolPlungeTang->Visible = Method == 1;
    GrBoxToolPlungeRamp->Visible = Method == 2;
    GrBoxToolPlungeSpiral->Visible = Method == 3;
    SetPlungeType(TabControlToolPlunge->ActivePageIndex, Method);
}

void TToolMatLibDialog::SetPlungeType(int Pid, int Method) { ShowPlungeMethod(*this, *ImgToolPlunge, Pid, Method); }

Extended TToolMatLibDialog::LowerDiameter() {
    Extended ds = 0;
    if (Parse(EditToolDSpodni, ds)) LastDs = ds;
    return LastDs;
}

void TToolMatLibDialog::SpiralRadToHoleRad() { HelixToHoleDiameter(*this, LowerDiameter()); }

void TToolMatLibDialog::HoleRadToSpiralRad() { HoleToHelixDiameter(*this, LowerDiameter()); }

void TToolMatLibDialog::SbtnSpiralRadUnitsClick() {
    if (SelTID < 0 || size_t(SelTID) >= ToolLibTmp.size() || SelPID < 0 || SelPID > 5) return;
    SwitchLengthUnit(*SbtnToolSpiralRadUnits, *EditToolSpiralRad, PlunTmp[size_t(SelPID)].SpiralRadPercent,
                     ToolLibTmp[size_t(SelTID)].Tool.SpodniPrumer, *LabToolDSpodni, Num);
}

// Outputs.

void TToolMatLibDialog::OutsToEdit(int32_t Tid, int32_t Mid, int Lib) {
    ShowPage(3);
    const TMaterial* M = PageMaterial(Tid, Mid, Lib);
    if (!M) return;
    OutsToInputs(*this, M->Vystup);
}

bool TToolMatLibDialog::EditToOuts(int32_t Tid, int32_t Mid, int Lib) {
    TToolOutputs O;
    O.LaserUse = ChBoxToolLaser->Checked;
    if (!Trunc(EditToolLaserTime, LabToolLaserTime, O.LaserTime)) return false;
    const int c = CBoxToolCoolantType->ItemIndex;
    O.CoolantType = c >= 1 && c <= 3 ? TChlaz(c) : Zadne;
    if (!Trunc(EditToolChlazTime, LabToolChlazTime, O.CoolantTime)) return false;
    O.CoolantRapid = ChBoxToolCoolCross->Checked;
    O.OfukUse = ChBoxToolOfukUse->Checked;
    if (!Int(EditToolOfukCount, LabToolOfukCount, O.OfukCount)) return false;
    if (!Trunc(EditToolOfukTime, LabToolOfukTime, O.OfukTime)) return false;
    if (TMaterial* M = PageMaterial(Tid, Mid, Lib)) M->Vystup = O;
    return true;
}
