#include "commands/VUZ.h"

#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/MainVars.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/FormRemake.h"

TVuzDialog* VuzDialog = nullptr;

namespace {
constexpr int VuzRows = 64;
}

TVuzDialog::TVuzDialog() : TForm("VuzDialog") {
    Caption = "Speciál VUZ";
    BorderStyle = TBorderStyle::bsSizeable;
    Width = 340;
    Height = 520;
    StrGrid = Make<TStringGrid>("StrGrid");
    StrGrid->SetSize(3, VuzRows + 1);
    // Wide enough for the headers with their unit at the default font.
    StrGrid->ColWidths = {56, 122, 122};
    StrGrid->DefaultRowHeight = 20;
    StrGrid->Editing = true;
    StrGrid->Left = 0;
    StrGrid->Top = 0;
    StrGrid->Width = 332;
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Cancel";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    for (TBitBtn* B : {BitBtnOK, BitBtnCancel}) B->Width = 100, B->Height = 28;
    BitBtnOK->Left = 50;
    BitBtnCancel->Left = 180;
    FormResize();
    OnShow = [this] { FormShow(); };
    OnResize = [this] { FormResize(); };
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
}

void TVuzDialog::FormShow() {
    StrGrid->Cells[0][0] = "Hladina";
    StrGrid->Cells[1][0] = "Min.průměr [mm]";
    StrGrid->Cells[2][0] = "Max.průměr [mm]";
    for (int n = 1; n <= VuzRows; ++n) StrGrid->Cells[0][size_t(n)] = "T" + std::to_string(n);
}

void TVuzDialog::FormResize() {
    StrGrid->Height = Height - 75;
    BitBtnOK->Top = Height - 65;
    BitBtnCancel->Top = Height - 65;
}

int TVuzDialog::BitBtnOKClick() {
    TObjHeader *TmpStart = nullptr, *TmpEnd = nullptr;
    int Added = 0;
    for (int n = 1; n <= VuzRows && n < StrGrid->RowCount(); ++n) {
        Extended Mn = 0, Mx = 0;
        if (!StrToExtCalc(StrGrid->Cells[1][size_t(n)], Mn, false) ||
            !StrToExtCalc(StrGrid->Cells[2][size_t(n)], Mx, false) || Mn > Mx)
            continue;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
            Osy C;
            Extended R = 0;
            if (p->Type != ObjPline || !EnPline.IsCircle(p, C, R)) continue;
            if (Mn - 1e-15L <= 2 * R && 2 * R <= Mx + 1e-15L) {
                EnPoint.Add(C, uint8_t(n), TmpStart, TmpEnd);
                ++Added;
            }
        }
    }
    if (TmpStart) {
        ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, TmpStart, TmpEnd);
        MainVars.FileSaved = false;
    }
    ComRedrawView();
    return Added;
}

void CreateVuzDialog() { VuzDialog = RemakeForm<TVuzDialog>(); }
