#include "commands/ChangeTextDg.h"

#include "commands/ComChangeTexts.h"
#include "commands/ComText.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "shell/UniLang.h"

TChangeTextDialog* ChangeTextDialog = nullptr;

namespace {
void Place(TControl* C, int L, int T, int W, int H) {
    C->Left = L;
    C->Top = T;
    C->Width = W;
    C->Height = H;
}

// A table file: UTF-8 after a byte-order mark, else 8-bit text of the system code page.
std::vector<std::string> TableLines(std::string Bytes) {
    const bool Utf8 = Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (Utf8) Bytes.erase(0, 3);
    std::vector<std::string> Lines = SplitTextLines(Bytes);
    if (!Utf8)
        for (std::string& L : Lines) L = Cp1250ToUtf8(L);
    return Lines;
}
}  // namespace

TChangeTextDialog::TChangeTextDialog() : TForm("ChangeTextDialog") {
    Caption = "Záměna textu";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 420;
    Height = 450;
    GrBoxReplaced = Make<TGroupBox>("GrBoxReplaced");
    GrBoxReplaced->Caption = " Co nahradit ";
    Place(GrBoxReplaced, 8, 8, 396, 60);
    EditReplaced = Make<TEdit>("EditReplaced", GrBoxReplaced);
    Place(EditReplaced, 12, 24, 370, 24);

    GrBoxReplaceBy = Make<TGroupBox>("GrBoxReplaceBy");
    GrBoxReplaceBy->Caption = " Čím nahradit ";
    Place(GrBoxReplaceBy, 8, 76, 396, 310);
    auto Radio = [this](const char* N, const char* C, int Y, const char* Log) {
        TRadioButton* R = Make<TRadioButton>(N, GrBoxReplaceBy);
        R->Caption = C;
        Place(R, 12, Y, 200, 22);
        R->OnClick = [Log] { WriteLog(Log); };
        return R;
    };
    RBtnConstText = Radio("RBtnConstText", "Konstantní text", 24, "Usr:Const. text");
    EditConstText = Make<TEdit>("EditConstText", GrBoxReplaceBy);
    Place(EditConstText, 32, 48, 350, 24);
    RBtnNumSeries = Radio("RBtnNumSeries", "Číselná řada", 82, "Usr:Numbers");
    RBtnNumSeries->Checked = true;
    LabStart = Make<TLabel>("LabStart", GrBoxReplaceBy);
    LabStart->Caption = "První číslo";
    Place(LabStart, 32, 110, 90, 18);
    EditStart = Make<TEdit>("EditStart", GrBoxReplaceBy);
    EditStart->Text = "1";
    Place(EditStart, 124, 106, 70, 24);
    LabInkrement = Make<TLabel>("LabInkrement", GrBoxReplaceBy);
    LabInkrement->Caption = "Přírůstek";
    Place(LabInkrement, 212, 110, 80, 18);
    EditInkrement = Make<TEdit>("EditInkrement", GrBoxReplaceBy);
    EditInkrement->Text = "1";
    Place(EditInkrement, 294, 106, 70, 24);
    RBtnTableRow = Radio("RBtnTableRow", "Řádek z tabulky", 140, "Usr:Row from table");
    Table = Make<TMemo>("Table", GrBoxReplaceBy);
    Table->WordWrap = false;
    Table->ScrollBars = true;
    Place(Table, 32, 164, 230, 134);
    BtnLoadFile = Make<TButton>("BtnLoadFile", GrBoxReplaceBy);
    BtnLoadFile->Caption = "Načíst soubor";
    Place(BtnLoadFile, 272, 164, 112, 28);
    BtnLoadFile->OnClick = [this] { BtnLoadFileClick(); };
    BtnClear = Make<TButton>("BtnClear", GrBoxReplaceBy);
    BtnClear->Caption = "Vymazat";
    Place(BtnClear, 272, 200, 112, 28);
    BtnClear->OnClick = [this] {
        WriteLog("Usr:clear");
        Table->Lines.clear();
    };

    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    Place(BitBtnOK, 8, 398, 100, 28);
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Storno";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    Place(BitBtnCancel, 118, 398, 100, 28);
    OnShow = [] { WriteLog("Sys:ChangeTextDg Open"); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:ChangeTextDg Close"); };
    LangRegisterForm("ChangeTextDg", this);
}

TChangeTextDialog::~TChangeTextDialog() {
    LangUnregisterForm(this);
    if (ChangeTextDialog == this) ChangeTextDialog = nullptr;
}

void TChangeTextDialog::BtnLoadFileClick() {
    WriteLog("Usr:Load file");
    OpenDialog.InitialDir = ProgramDir;
    OpenDialog.Filter.clear();
    if (!OpenDialog.Execute()) return;
    WriteLog("Sys:Load file:" + OpenDialog.FileName);
    std::string Bytes;
    if (!ReadFileBytes(OpenDialog.FileName, Bytes)) {
        WriteLog("Err:Cannot read table file (" + OpenDialog.FileName + ")");
        ShowMessage("Soubor nelze přečíst: " + OpenDialog.FileName);
        return;
    }
    Table->Lines = TableLines(Bytes);
}

void TChangeTextDialog::BitBtnOKClick() {
    WriteLog("Usr:ok");
    const int N = CountSelectedTexts();
    if (N == 0) return;
    TTextSource Src;
    Src.Part = Utf8ToCp1250(EditReplaced->Text);
    if (RBtnConstText->Checked) {
        Src.Kind = TTextSource::Const;
        Src.ConstText = Utf8ToCp1250(EditConstText->Text);
    } else if (RBtnTableRow->Checked) {
        Src.Kind = TTextSource::Table;
        const int R = int(Table->Lines.size());
        // An empty table has no value to give: nothing is replaced.
        if (R == 0) {
            WriteLog("Err:Empty replacement table");
            ShowMessage("Tabulka je prázdná, texty se nezměnily.");
            return;
        }
        if (R != N)
            ShowMessage(Msg[48] + std::to_string(N) + "\n" + Msg[49] + std::to_string(R) + "\n" +
                        (R < N ? Msg[50] : Msg[51]));
        for (const std::string& L : Table->Lines) Src.Rows.push_back(Utf8ToCp1250(L));
    } else {
        Src.Kind = TTextSource::Series;
        int32_t First = 0, Step = 0;
        if (!ReadWholeNumber(EditStart->Text, First) || !ReadWholeNumber(EditInkrement->Text, Step)) {
            WriteLog("Err:Wrong number (" + EditStart->Text + ", " + EditInkrement->Text + ")");
            ShowMessage(Msg[47]);
            return;
        }
        Src.Next = First;
        Src.Increment = Step;
    }
    int Refused = 0;
    ReplaceSelectedTexts(Src, Refused);
    if (Refused > 0) TextNotBuilt(Refused);
}

void CreateChangeTextDialog() {
    delete ChangeTextDialog;
    ChangeTextDialog = new TChangeTextDialog();
}

void FreeChangeTextDialog() {
    delete ChangeTextDialog;
    ChangeTextDialog = nullptr;
}
