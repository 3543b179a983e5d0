#include "commands/InfoDg.h"

#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

TInfoDialog* InfoDialog = nullptr;

namespace {
// The instance of the run (the start-up makes it; a command makes it when missing).
// It is left to the end of the process: no form may outlive the responder's teardown.
TInfoDialog* Dlg = nullptr;
}  // namespace

namespace {
constexpr const char* StrKeys[10] = {"StrLayerObject", "StrPoint",      "StrPline",    "StrGroup",  "StrText",
                                     "Str3Dpline",     "StrLeftBottom", "StrRightTop", "StrCenter", "StrSize"};
constexpr int CntRows = 70, CntRowHeight = 20, SizeRows = 5, SizeRowHeight = 21;
}  // namespace

int InfoLayerRow(int Layer) { return Layer >= 65 ? Layer - 64 : Layer + 4; }

TInfoDialog::TInfoDialog() : TForm("InfoDialog") {
    Caption = "Info";
    BorderStyle = TBorderStyle::bsDialog;  // no system buttons
    Width = 450;
    Height = 400;
    Str = {"Hlad.\\Obj.", "Bod", "Polyline", "Skupina", "Text", "3D polyline", "Levý spodní", "Pravý horní",
           "Střed", "Rozměr"};
    StrGridCnt = Make<TStringGrid>("StrGridCnt");
    StrGridCnt->SetSize(6, CntRows);
    StrGridCnt->FixedCols = 1;
    StrGridCnt->FixedRows = 1;
    StrGridCnt->DefaultRowHeight = CntRowHeight;
    StrGridSize = Make<TStringGrid>("StrGridSize");
    StrGridSize->SetSize(3, SizeRows);
    StrGridSize->Enabled = false;
    StrGridSize->DefaultRowHeight = SizeRowHeight;
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->Height = 28;
    BitBtnOK->Width = 80;
    BitBtnOK->OnClick = [this] {
        WriteLog("Usr:ok");
        Close();
    };
    OnShow = [] { WriteLog("Sys:InfoDg Open"); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:InfoDg Close"); };
    OnResize = [this] { FormResize(); };
    LangRegisterForm("InfoDg", this, [this](const std::string& Key, const std::string& Value) {
        for (int i = 0; i < 10; ++i)
            if (Key == StrKeys[i]) Str[i] = Value;
    });
    FormResize();
}

TInfoDialog::~TInfoDialog() {
    LangUnregisterForm(this);
    if (InfoDialog == this) InfoDialog = nullptr;
}

void TInfoDialog::FormResize() {
    Width = 450;
    if (Height < 400) Height = 400;
    const int ColW = (StrGridCnt->Width > 35 ? StrGridCnt->Width - 35 : Width - 35) / 6;
    StrGridCnt->ColWidths.assign(6, ColW);
    StrGridSize->ColWidths.assign(3, ColW);
    // Room for every cell and the frame: the extents never scroll.
    StrGridSize->Width = 3 * ColW + 4;
    StrGridSize->Height = SizeRows * SizeRowHeight + 4;
    StrGridSize->Left = (Width - StrGridSize->Width) / 2;
    BitBtnOK->Left = (Width - BitBtnOK->Width) / 2;
    StrGridCnt->Left = 0;
    StrGridCnt->Top = 0;
    StrGridCnt->Width = Width;
    StrGridCnt->Height = Height - StrGridSize->Height - BitBtnOK->Height - 12;
    StrGridSize->Top = StrGridCnt->Height + 4;
    BitBtnOK->Top = Height - BitBtnOK->Height - 4;
}

void TInfoDialog::Aktualize() {
    TStringGrid& G = *StrGridCnt;
    for (auto& Col : G.Cells) Col.assign(CntRows, std::string());
    for (int c = 0; c < 6; ++c) G.Cells[c][0] = Str[c];
    const std::string Special[4] = {Glob.TabLayer[65].Name, Glob.TabLayer[66].Name, Glob.TabLayer[67].Name,
                                    Glob.TabLayer[68].Name};
    for (int i = 0; i < 4; ++i) G.Cells[0][2 + i] = Special[i];
    for (int l = 1; l <= 64; ++l) G.Cells[0][l + 5] = "T" + std::to_string(l);

    int Counts[6][69] = {};
    int Groups = 0;
    for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        if (p->Type == ObjGroup) {
            ++Groups;
        } else if (p->Type >= ObjPoint && p->Type <= ObjPline3D && p->Layer >= 1 && p->Layer <= 68) {
            ++Counts[p->Type][InfoLayerRow(p->Layer)];
        }
    }
    for (int k = 1; k <= 5; ++k)
        for (int d = 1; d <= 68; ++d)
            if (Counts[k][d]) G.Cells[k][d + 1] = std::to_string(Counts[k][d]);
    if (Groups) G.Cells[3][1] = std::to_string(Groups);

    TStringGrid& S = *StrGridSize;
    for (auto& Col : S.Cells) Col.assign(SizeRows, std::string());
    S.Cells[1][0] = "X [mm]";
    S.Cells[2][0] = "Y [mm]";
    S.Cells[0][1] = Str[6];
    S.Cells[0][2] = Str[8];
    S.Cells[0][3] = Str[7];
    S.Cells[0][4] = Str[9];
    const Osy& A = MainVars.SelEnv1;
    const Osy& B = MainVars.SelEnv3;
    auto Row = [&S](int r, Extended X, Extended Y) {
        S.Cells[1][r] = ExtToStr(X);
        S.Cells[2][r] = ExtToStr(Y);
    };
    Row(1, A.x, A.y);
    Row(2, (B.x + A.x) / 2, (B.y + A.y) / 2);
    Row(3, B.x, B.y);
    Row(4, B.x - A.x, B.y - A.y);
}

void CreateInfoDialog() {
    delete Dlg;
    Dlg = new TInfoDialog();
    InfoDialog = Dlg;
}

void FreeInfoDialog() {
    delete Dlg;
    Dlg = nullptr;
    InfoDialog = nullptr;
}
