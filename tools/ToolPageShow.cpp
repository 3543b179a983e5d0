#include "tools/ToolPageShow.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/Glob.h"
#include "core/Global.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "tools/ToolFieldText.h"

using ToolField::Parse;
using ToolField::Short3;

void GeoToInputs(TToolPageControls& C, const TTool& T) {
    C.EditToolJmNastroje->Text = T.JmNastroje;
    C.EditToolMatNastroje->Text = T.MatNastroje;
    C.CboxToolTType->ItemIndex =
        T.ToolType >= 0 && size_t(T.ToolType) < C.CboxToolTType->Items.size() ? T.ToolType : -1;
    C.EditToolTnum->Text = std::to_string(T.Tnum);
    C.EditToolDnum->Text = std::to_string(T.Dnum);
    const std::pair<TEdit*, Extended> reals[] = {{C.EditToolDSpodni, T.SpodniPrumer}, {C.EditToolR, T.Radius},
                                                 {C.EditToolU, T.UhelSpicky},         {C.EditToolV, T.VyskaKuzele},
                                                 {C.EditToolDHorni, T.HorniPrumer},   {C.EditToolBrit, T.DelkaBritu}};
    for (const auto& [E, V] : reals) E->Text = CfgRegionalReal(V);
    C.EditToolPocetBritu->Text = std::to_string(T.PocetBritu);
}

void TechToInputs(TToolPageControls& C, const TToolTech& T) {
    C.SbtnToolApUnits->Caption = T.ApPercent ? "[%]" : "[mm]";
    C.SBtnToolAeUnits->Caption = T.AePercent ? "[%]" : "[mm]";
    C.EditToolMaxSpindlePower->Text = std::to_string(T.MaxPwr);
    C.EditToolMaxSpindleSpeed->Text = std::to_string(T.MaxN);
    C.EditToolN->Text = std::to_string(T.N);
    const std::pair<TEdit*, Extended> reals[] = {{C.EditToolVc, T.Vc}, {C.EditToolFz, T.Fz}, {C.EditToolFn, T.Fn},
                                                 {C.EditToolVf, T.Vf}, {C.EditToolAp, T.Ap}, {C.EditToolAe, T.Ae}};
    for (const auto& [E, V] : reals) E->Text = CfgRegionalReal(V);
    TRadioButton* dir[3] = {C.RbtnToolBothMill, C.RBtnToolClimbMill, C.RBtnToolConvMill};
    if (T.Method <= 2) dir[T.Method]->Click();
}

void OutsToInputs(TToolPageControls& C, const TToolOutputs& O) {
    C.ChBoxToolLaser->Checked = O.LaserUse;
    C.EditToolLaserTime->Text = CfgRegionalReal(O.LaserTime);
    if (O.CoolantType <= Proud) C.CBoxToolCoolantType->ItemIndex = O.CoolantType;
    C.EditToolChlazTime->Text = CfgRegionalReal(O.CoolantTime);
    C.ChBoxToolCoolCross->Checked = O.CoolantRapid;
    C.ChBoxToolOfukUse->Checked = O.OfukUse;
    C.EditToolOfukCount->Text = std::to_string(O.OfukCount);
    C.EditToolOfukTime->Text = CfgRegionalReal(O.OfukTime);
}

void ShowTypeFields(TToolPageControls& C, const TToolType& Ty, int Index, TImage& Img) {
    Img.PictureFile = ProgramDir + "/img/ImgTool" + std::to_string(Index) + ".bmp";
    C.LabToolBrit->Caption = Index == 6 ? "B =  Max. hloubka" : "B  =  Délka břitu";
    auto field = [](TEdit* E, TLabel* L, bool On, Extended Val, bool Int) {
        E->Enabled = L->Enabled = On;
        if (Val >= 0) E->Text = Int ? std::to_string(int64_t(std::trunc(std::min<Extended>(Val, 2e9L)))) : ExtToStr(Val);
        else if (Val <= -2) E->Text = "---";
    };
    field(C.EditToolDSpodni, C.LabToolDSpodni, Ty.GeoEnaDSpodni, Ty.GeoValDSpodni, false);
    field(C.EditToolR, C.LabToolR, Ty.GeoEnaR, Ty.GeoValR, false);
    field(C.EditToolU, C.LabToolU, Ty.GeoEnaU, Ty.GeoValU, false);
    field(C.EditToolV, C.LabToolV, Ty.GeoEnaV, Ty.GeoValV, false);
    field(C.EditToolDHorni, C.LabToolDHorni, Ty.GeoEnaDHorni, Ty.GeoValDHorni, false);
    field(C.EditToolBrit, C.LabToolBrit, Ty.GeoEnaBrit, Ty.GeoValBrit, false);
    field(C.EditToolPocetBritu, C.LabToolPocetBritu, Ty.GeoEnaPocetBritu, Ty.GeoValPocetBritu, false);
    field(C.EditToolMaxSpindlePower, C.LabToolMaxSpindlePower, Ty.TechEnaMaxSpPw, Ty.TechValMaxSpPw, true);
    field(C.EditToolMaxSpindleSpeed, C.LabToolMaxSpindleSpeed, Ty.TechEnaMaxSpRev, Ty.TechValMaxSpRev, true);
    field(C.EditToolN, C.LabToolN, Ty.TechEnaN, Ty.TechValN, true);
    field(C.EditToolVc, C.LabToolVc, Ty.TechEnaVc, Ty.TechValVc, false);
    field(C.EditToolFz, C.LabToolFz, Ty.TechEnaFz, Ty.TechValFz, false);
    field(C.EditToolFn, C.LabToolFn, Ty.TechEnaFn, Ty.TechValFn, false);
    field(C.EditToolVf, C.LabToolVf, Ty.TechEnaVf, Ty.TechValVf, false);
    field(C.EditToolAp, C.LabToolAp, Ty.TechEnaAp, Ty.TechValAp, false);
    field(C.EditToolAe, C.LabToolAe, Ty.TechEnaAe, Ty.TechValAe, false);
}

void ShowPlungeMethod(TToolPageControls& C, TImage& Img, int Obj, int Method) {
    const std::string img = ProgramDir + "/img/";
    auto helix = [&](bool D1, bool D2Pitch, bool Angle) {
        for (TControl* c : {static_cast<TControl*>(C.LabToolSpiralRad), static_cast<TControl*>(C.EditToolSpiralRad),
                            static_cast<TControl*>(C.SbtnToolSpiralRadUnits)})
            c->Visible = D1;
        for (TControl* c :
             {static_cast<TControl*>(C.LabToolHoleRad), static_cast<TControl*>(C.EditToolHoleRad),
              static_cast<TControl*>(C.LabToolSpiralPitch), static_cast<TControl*>(C.EditToolSpiralPitch),
              static_cast<TControl*>(C.ChBoxToolSpiralupward), static_cast<TControl*>(C.ChBoxToolSpiralLeft)})
            c->Visible = D2Pitch;
        C.LabToolSpiralAngle->Visible = C.EditToolSpiralAngle->Visible = Angle;
    };
    switch (Method) {
        case 0: Img.PictureFile = img + "ImgPlungeVert.bmp"; break;
        case 1: Img.PictureFile = img + "ImgPlungeTang.bmp"; break;
        case 2: Img.PictureFile = img + "ImgPlungeRamp.bmp"; break;
        case 3:
            if (Obj == 0) {
                Img.PictureFile =
                    img + (C.ChBoxToolSpiralupward->Checked ? "ImgPlungeHelixUpPoint.bmp" : "ImgPlungeHelixDnPoint.bmp");
                helix(true, true, false);
            } else if (Obj == 2 || Obj == 4) {
                Img.PictureFile = img + "ImgPlungeHelixCont.bmp";
                helix(false, false, true);
            } else if (Obj == 3) {
                Img.PictureFile = img + "ImgPlungeHelixPock.bmp";
                helix(true, false, true);
            }
            break;
        default: break;
    }
}

void HelixToHoleDiameter(TToolPageControls& C, Extended Ds) {
    Extended d1 = 0;
    if (!Parse(C.EditToolSpiralRad, d1) || !(d1 > 0)) {
        C.LabToolSpiralRad->Font.Color = clRed;
        return;
    }
    C.LabToolSpiralRad->Font.Color = clDefault;
    C.EditToolHoleRad->Text = Short3(C.SbtnToolSpiralRadUnits->Caption == "[mm]" ? d1 + Ds : Ds / 100 * d1);
}

void HoleToHelixDiameter(TToolPageControls& C, Extended Ds) {
    Extended d2 = 0;
    const bool mm = C.SbtnToolSpiralRadUnits->Caption == "[mm]";
    // In per cent the diameter is a share of Ds: without Ds there is nothing to share.
    if (!Parse(C.EditToolHoleRad, d2) || !(d2 > Ds) || (!mm && !(Ds > 0))) {
        C.LabToolHoleRad->Font.Color = clRed;
        return;
    }
    C.LabToolHoleRad->Font.Color = clDefault;
    C.EditToolSpiralRad->Text = Short3(mm ? d2 - Ds : d2 / (Ds / 100));
}

void SwitchLengthUnit(TSpeedButton& Btn, TEdit& Edit, bool& Percent, Extended Ds, const TLabel& DsLab,
                      std::string (*Format)(Extended)) {
    Extended v = 0;
    if (!Parse(&Edit, v)) return;
    // A share of no diameter is no length, and no length is no share of it: the
    // diameter is refused and the field, the caption and the flag stay.
    if (!(Ds > 0)) {
        MessageDlg(Msg[97] + DsLab.Caption, TMsgDlgType::mtError, mbOK);
        return;
    }
    if (Percent) {
        Edit.Text = Format(Ds / 100 * v);
        Btn.Caption = "[mm]";
        Percent = false;
    } else {
        Edit.Text = Format(v / (Ds / 100));
        Btn.Caption = "[%]";
        Percent = true;
    }
}
