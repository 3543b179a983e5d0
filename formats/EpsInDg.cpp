#include "formats/EpsInDg.h"

#include <algorithm>

#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TEpsInputDialog* EpsInputDialog = nullptr;

namespace {

// OK stores the error and the position only when all three numbers are valid; the
// dialog closes either way.
void TakeValues(const TEpsInputDialog& D) {
    Extended err = 0, x = 0, y = 0;
    const std::pair<const TEdit*, const char*> edits[] = {
        {D.EditError, "Error"}, {D.EditXdest, "X pos"}, {D.EditYdest, "Y pos"}};
    Extended* values[] = {&err, &x, &y};
    for (int i = 0; i < 3; ++i)
        if (!StrToExtCalc(edits[i].first->Text, *values[i], false)) {
            WriteLog(std::string("Err:Wrong number ") + edits[i].second + " (" + edits[i].first->Text + ")");
            return;
        }
    Glob.ErrorConv = std::clamp<Extended>(err, 0.000001L, 1);
    Glob.Dest = Osy{x, y};
}

}  // namespace

TEpsInputDialog::TEpsInputDialog() : TForm("EpsInputDialog") {
    Caption = "Parametry vstupu EPS";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 470;
    Height = 220;
    auto Group = [this](const char* N, const char* C, int X) {
        TGroupBox* G = Make<TGroupBox>(N);
        G->Caption = C;
        G->Left = X;
        G->Top = 8;
        G->Width = 220;
        G->Height = 130;
        return G;
    };
    auto Label = [this](TGroupBox* G, const char* N, const char* C, int X, int Y) {
        TLabel* L = Make<TLabel>(N, G);
        L->Caption = C;
        L->Left = X;
        L->Top = Y + 4;
        L->Width = 60;
        return L;
    };
    auto Edit = [this](TGroupBox* G, const char* N, int X, int Y) {
        TEdit* E = Make<TEdit>(N, G);
        E->Left = X;
        E->Top = Y;
        E->Width = 110;
        E->Height = 24;
        return E;
    };
    GrBoxPosition = Group("GrBoxPosition", "Poloha levého, spodního rohu", 8);
    LabAxisX = Label(GrBoxPosition, "LabAxisX", "osa X", 10, 30);
    EditXdest = Edit(GrBoxPosition, "EditXdest", 80, 30);
    LabAxisY = Label(GrBoxPosition, "LabAxisY", "osa Y", 10, 70);
    EditYdest = Edit(GrBoxPosition, "EditYdest", 80, 70);
    GrBoxConversion = Group("GrBoxConversion", "Převod křivek", 236);
    auto Radio = [this](const char* N, const char* C, int Y) {
        TRadioButton* R = Make<TRadioButton>(N, GrBoxConversion);
        R->Caption = C;
        R->Left = 10;
        R->Top = Y;
        R->Width = 200;
        R->Height = 22;
        return R;
    };
    RBtnToLine = Radio("RBtnToLine", "Na úsečky", 20);
    RBtnToArc = Radio("RBtnToArc", "Na oblouky", 44);
    RBtnToArc->Checked = true;
    LabErrConv = Label(GrBoxConversion, "LabErrConv", "Maximální chyba", 10, 74);
    LabErrConv->Width = 110;
    EditError = Edit(GrBoxConversion, "EditError", 10, 96);
    EditError->Width = 100;
    LabErrUnit = Label(GrBoxConversion, "LabErrUnit", "[mm]", 116, 96);
    auto Btn = [this](const char* N, const char* C, int Result, int X) {
        TBitBtn* B = Make<TBitBtn>(N);
        B->Caption = C;
        B->ModalResult = Result;
        B->Left = X;
        B->Top = 150;
        B->Width = 100;
        B->Height = 28;
        return B;
    };
    BitBtnOK = Btn("BitBtnOK", "OK", mrOk, 120);
    BitBtnCancel = Btn("BitBtnCancel", "Cancel", mrCancel, 240);
    BitBtnOK->Default = true;
    BitBtnCancel->Cancel = true;
    BitBtnOK->OnClick = [this] {
        WriteLog("Usr:ok");
        TakeValues(*this);
    };
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    OnShow = [this] {
        WriteLog("Sys:EpsInDg Open");
        EditError->Text = GeneralNumText(Glob.ErrorConv);
        EditXdest->Text = GeneralNumText(Glob.Dest.x);
        EditYdest->Text = GeneralNumText(Glob.Dest.y);
    };
    OnClose = [this](TCloseAction&) {
        WriteLog("Sys:EpsInDg Close (Xpos:" + EditXdest->Text + ", Ypos:" + EditYdest->Text + ", Err;" +
                 EditError->Text + ", Curves:" + (RBtnToArc->Checked ? "Arcs" : "Lines"));
    };
    LangRegisterForm("EpsInDg", this);
}

TEpsInputDialog::~TEpsInputDialog() {
    LangUnregisterForm(this);
    if (EpsInputDialog == this) EpsInputDialog = nullptr;
}

void CreateEpsInputDialog() {
    EpsInputDialog = RemakeForm<TEpsInputDialog>();
}
