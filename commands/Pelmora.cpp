#include "commands/Pelmora.h"

#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/MainVars.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/Dialogs.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TPelmoraDialog* PelmoraDialog = nullptr;

namespace {

TLabel* Label(TForm& F, const char* Name, const char* Caption, int X, int Y, int W) {
    TLabel* L = F.Make<TLabel>(Name);
    L->Caption = Caption;
    L->Left = X, L->Top = Y, L->Width = W, L->Height = 18;
    return L;
}

TEdit* Edit(TForm& F, const char* Name, const char* Text, int X, int Y) {
    TEdit* E = F.Make<TEdit>(Name);
    E->Text = Text;
    E->Left = X, E->Top = Y, E->Width = 60, E->Height = 22;
    return E;
}

}  // namespace

int FindLayerByName16(const std::string& Name) {
    const std::string Want = UpCaseStr(Name);
    int Found = 0;
    for (int n = 1; n <= 16; ++n)
        if (UpCaseStr(Glob.TabLayer[size_t(n)].Name) == Want) Found = n;
    return Found;
}

TPelmoraDialog::TPelmoraDialog() : TForm("PelmoraDialog") {
    Caption = "Speciál Pelmora";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 400;
    Height = 210;
    Label(*this, "LabMaxLen", "Uzavřené pline kratší než", 12, 14, 190);
    EditMaxLen = Edit(*this, "EditMaxLen", "3", 250, 12);
    Label(*this, "LabMm", "mm", 318, 14, 40);
    Label(*this, "LabDestLayer", "přesunout do hladiny:", 12, 44, 230);
    EditDestLayer = Edit(*this, "EditDestLayer", "T1", 250, 42);
    Label(*this, "LabPointLayer", "a do jejich středu vložit bod v hladině", 12, 74, 236);
    EditPointLayer = Edit(*this, "EditPointLayer", "T2", 250, 72);
    Label(*this, "LabGroups", "(Pozn.: Pline ve skupinách ignoruje)", 12, 104, 370);
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnStorno = Make<TBitBtn>("BitBtnStorno");
    BitBtnStorno->Caption = "Storno";
    BitBtnStorno->ModalResult = mrCancel;
    BitBtnStorno->Cancel = true;
    for (TBitBtn* B : {BitBtnOK, BitBtnStorno}) B->Top = 136, B->Width = 100, B->Height = 28;
    BitBtnOK->Left = 80;
    BitBtnStorno->Left = 210;
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
}

bool TPelmoraDialog::BitBtnOKClick() {
    const int Dest = FindLayerByName16(EditDestLayer->Text);
    const int PtLay = Dest ? FindLayerByName16(EditPointLayer->Text) : 0;
    if (!Dest || !PtLay) {
        WriteLog("Err:Pelmora wrong layer name (" + (Dest ? EditPointLayer->Text : EditDestLayer->Text) + ")");
        ShowMessage(MsgText(55));
        return false;
    }
    Extended Limit = 0;
    if (!StrToExtCalc(EditMaxLen->Text, Limit, false)) {
        WriteLog("Err:Pelmora wrong length (" + EditMaxLen->Text + ")");
        ShowMessage(MsgText(56));
        return false;
    }
    // The points are appended after the walk: the list grows while it is walked otherwise.
    TObjHeader *PtStart = nullptr, *PtEnd = nullptr;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (p->Type != ObjPline || EnPline.OpenPline(p) || !(EnPline.Length(p) < Limit)) continue;
        p->Layer = uint8_t(Dest);
        Osy Mn, Mx;
        EnPline.Envelope(p, Mn, Mx);
        EnPoint.Add({(Mn.x + Mx.x) / 2, (Mn.y + Mx.y) / 2}, uint8_t(PtLay), PtStart, PtEnd);
    }
    if (PtStart) {
        ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, PtStart, PtEnd);
        MainVars.FileSaved = false;
    }
    ComRedrawView();
    return true;
}

void CreatePelmoraDialog() { PelmoraDialog = RemakeForm<TPelmoraDialog>(); }
