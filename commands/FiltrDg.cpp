#include "commands/FiltrDg.h"

#include "commands/ComFiltr.h"
#include "core/UniLog.h"
#include "shell/UniLang.h"

TFiltrDialog* FiltrDialog = nullptr;

namespace {
void Place(TControl* C, int L, int T, int W, int H) {
    C->Left = L;
    C->Top = T;
    C->Width = W;
    C->Height = H;
}
}  // namespace

TFiltrDialog::TFiltrDialog() : TForm("FiltrDialog") {
    Caption = "Filtrace";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 600;
    Height = 236;
    ChBoxSmall = Make<TCheckBox>("ChBoxSmall");
    ChBoxSmall->Caption = "Filtr úseků kratších než";
    ChBoxSmall->Checked = true;
    Place(ChBoxSmall, 12, 12, 200, 22);
    EditSmall = Make<TEdit>("EditSmall");
    EditSmall->Text = "0,01";
    Place(EditSmall, 216, 11, 70, 24);
    LabMm = Make<TLabel>("LabMm");
    LabMm->Caption = "mm";
    Place(LabMm, 292, 15, 30, 18);
    ChBoxDuplicity = Make<TCheckBox>("ChBoxDuplicity");
    ChBoxDuplicity->Caption = "Smazat duplicitní polyline";
    ChBoxDuplicity->Checked = true;
    Place(ChBoxDuplicity, 12, 48, 300, 22);
    RBtnEqLayer = Make<TRadioButton>("RBtnEqLayer");
    RBtnEqLayer->Caption = "Jen ve stejné hladině";
    RBtnEqLayer->Checked = true;
    Place(RBtnEqLayer, 36, 74, 280, 22);
    RBtnAnyLayer = Make<TRadioButton>("RBtnAnyLayer");
    RBtnAnyLayer->Caption = "V jakékoli hladině";
    Place(RBtnAnyLayer, 36, 98, 280, 22);
    ChBoxArc = Make<TCheckBox>("ChBoxArc");
    ChBoxArc->Caption = "Smazat oblouky i s \"loukotěmi\"";
    Place(ChBoxArc, 12, 134, 300, 22);
    BitBtnOk = Make<TBitBtn>("BitBtnOk");
    BitBtnOk->Caption = "OK";
    BitBtnOk->ModalResult = mrOk;
    BitBtnOk->Default = true;
    Place(BitBtnOk, 12, 180, 100, 28);
    BitBtnOk->OnClick = [this] { BitBtnOkClick(); };
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Storno";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    Place(BitBtnCancel, 122, 180, 100, 28);
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    MemoHelp = Make<TMemo>("MemoHelp");
    MemoHelp->ReadOnly = true;
    MemoHelp->Lines = {
        "Filtr krátkých úseků: z vybraných polyline se vypustí úseky kratší než zadaná délka "
        "(nejvýše 1 mm); začátek a konec polyline zůstanou.",
        "Duplicitní polyline: ze stejných polyline (i nakreslených opačným směrem) zůstane jen první "
        "v pořadí obrábění.",
        "Oblouky s loukotěmi: smažou se samostatné oblouky a úsečky, které vedou ze středu oblouku na "
        "oblouk.",
    };
    Place(MemoHelp, 336, 12, 244, 196);
    OnShow = [] { WriteLog("Sys:FilterDg Open"); };
    LangRegisterForm("FiltrDg", this);
}

TFiltrDialog::~TFiltrDialog() {
    LangUnregisterForm(this);
    if (FiltrDialog == this) FiltrDialog = nullptr;
}

void TFiltrDialog::BitBtnOkClick() {
    WriteLog("Usr:ok");
    TFiltrParams P;
    P.Short = ChBoxSmall->Checked;
    P.ShortLen = EditSmall->Text;
    P.Duplicity = ChBoxDuplicity->Checked;
    P.SameLayer = RBtnEqLayer->Checked;
    P.ArcRungs = ChBoxArc->Checked;
    RunFilters(P);
}

void CreateFiltrDialog() {
    delete FiltrDialog;
    FiltrDialog = new TFiltrDialog();
}

void FreeFiltrDialog() {
    delete FiltrDialog;
    FiltrDialog = nullptr;
}
