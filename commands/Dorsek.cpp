#include "commands/Dorsek.h"

#include <charconv>
#include <limits>

#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/MainVars.h"
#include "core/ParText.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "core/UniText.h"
#include "formats/HPOutDg.h"
#include "formats/UniHPGL.h"
#include "formats/UniYDF.h"
#include "platform/Dialogs.h"
#include "platform/FormRemake.h"
#include "shell/FileNames.h"
#include "shell/UniLang.h"

TDorsekDialog* DorsekDialog = nullptr;

namespace {

std::string TrimBlanks(const std::string& S) {
    const char* const Blanks = " \t\r\n";
    const size_t a = S.find_first_not_of(Blanks);
    if (a == std::string::npos) return {};
    return S.substr(a, S.find_last_not_of(Blanks) - a + 1);
}

// A whole number as typed: blanks around it allowed, nothing else; false on overflow.
bool WholeNumber(const std::string& S, int64_t& V) {
    std::string T = TrimBlanks(S);
    if (!T.empty() && T[0] == '+') T.erase(0, 1);
    if (T.empty()) return false;
    const auto [End, Ec] = std::from_chars(T.data(), T.data() + T.size(), V);
    return Ec == std::errc() && End == T.data() + T.size();
}

// V in decimal, padded with zeros after the sign to Width characters.
std::string Padded(int64_t V, size_t Width) {
    std::string Digits = std::to_string(V);
    const bool Neg = V < 0;
    if (Neg) Digits.erase(0, 1);
    const size_t Room = Width > size_t(Neg) ? Width - size_t(Neg) : 0;
    if (Digits.size() < Room) Digits.insert(0, Room - Digits.size(), '0');
    return (Neg ? "-" : "") + Digits;
}

// Hides the HPGL dialog's slant controls and empties the slant again when a run ends.
struct TSlantOff {
    bool On = false;
    ~TSlantOff() {
        if (!On || !HPOutputDialog) return;
        HPOutputDialog->EditDorsek->Text.clear();
        HPOutputDialog->LblDorsek->Visible = false;
        HPOutputDialog->EditDorsek->Visible = false;
    }
};

void Refuse(const std::string& Log, const std::string& Message) {
    WriteLog("Err:Dorsek " + Log);
    ShowMessage(Message);
}

TLabel* Label(TForm& F, TControl* Parent, const char* Name, const char* Caption, int X, int Y, int W) {
    TLabel* L = F.Make<TLabel>(Name, Parent);
    L->Caption = Caption;
    L->Left = X, L->Top = Y, L->Width = W, L->Height = 18;
    return L;
}

TEdit* Edit(TForm& F, TControl* Parent, const char* Name, const char* Text, int X, int Y, int W) {
    TEdit* E = F.Make<TEdit>(Name, Parent);
    E->Text = Text;
    E->Left = X, E->Top = Y, E->Width = W, E->Height = 22;
    return E;
}

}  // namespace

TDorsekDialog::TDorsekDialog() : TForm("DorsekDialog") {
    Caption = "Záměna textu s exportem do YDF";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 740;
    Height = 450;
    GrBoxReplaced = Make<TGroupBox>("GrBoxReplaced");
    GrBoxReplaced->Caption = " Co nahradit ";
    GrBoxReplaced->Left = 8, GrBoxReplaced->Top = 8, GrBoxReplaced->Width = 270, GrBoxReplaced->Height = 56;
    EditReplaced = Edit(*this, GrBoxReplaced, "EditReplaced", "", 10, 24, 248);
    GrBoxBy = Make<TGroupBox>("GrBoxBy");
    GrBoxBy->Caption = " čím nahradit ";
    GrBoxBy->Left = 8, GrBoxBy->Top = 72, GrBoxBy->Width = 270, GrBoxBy->Height = 336;
    RBtnNumber = Make<TRadioButton>("RBtnNumber", GrBoxBy);
    RBtnNumber->Caption = "číselná řada";
    RBtnNumber->Left = 10, RBtnNumber->Top = 22, RBtnNumber->Width = 200, RBtnNumber->Height = 20;
    RBtnNumber->Checked = true;
    Label(*this, GrBoxBy, "LabStart", "První číslo", 28, 52, 110);
    EditStart = Edit(*this, GrBoxBy, "EditStart", "0001", 150, 50, 108);
    Label(*this, GrBoxBy, "LabInkrement", "Přírůstek", 28, 80, 110);
    EditInkrement = Edit(*this, GrBoxBy, "EditInkrement", "1", 150, 78, 108);
    Label(*this, GrBoxBy, "LabEnd", "Poslední číslo", 28, 108, 110);
    EditEnd = Edit(*this, GrBoxBy, "EditEnd", "3", 150, 106, 108);
    RBtnTable = Make<TRadioButton>("RBtnTable", GrBoxBy);
    RBtnTable->Caption = "řádek z tabulky";
    RBtnTable->Left = 10, RBtnTable->Top = 140, RBtnTable->Width = 200, RBtnTable->Height = 20;
    Table = Make<TMemo>("Table", GrBoxBy);
    Table->Left = 28, Table->Top = 166, Table->Width = 230, Table->Height = 124;
    Table->WordWrap = false;
    Table->ScrollBars = true;
    BtnFromFile = Make<TButton>("BtnFromFile", GrBoxBy);
    BtnFromFile->Caption = "Načíst soubor";
    BtnFromFile->Left = 28;
    BtnClear = Make<TButton>("BtnClear", GrBoxBy);
    BtnClear->Caption = "Vymazat";
    BtnClear->Left = 148;
    for (TButton* B : {BtnFromFile, BtnClear}) B->Top = 298, B->Width = 110, B->Height = 28;
    BtnFromFile->OnClick = [this] { BtnFromFileClick(); };
    BtnClear->OnClick = [this] { BtnClearClick(); };

    const int X = 292, W = 436;
    Label(*this, this, "LabText1", "Vyplivne YDF soubory (*.ydf), ktere budou mít jméno začínající", X, 14, W);
    EditName = Edit(*this, this, "EditName", "AA", X, 36, 120);
    Label(*this, this, "LabText2", "pak podtržítko, a pokračovat budou pořadovým číslem od", X, 68, W);
    EditFirst = Edit(*this, this, "EditFirst", "1", X, 90, 120);
    Label(*this, this, "LabText3", "Např: AA_1, AA_2, AA_3, atd....    Pozor na místo na disku !", X, 124, W);
    Label(*this, this, "LabText4", "Kolik je nahrazovaných stringů, tolik bude souborů. (max.9999)", X, 148, W);
    Label(*this, this, "LabText5", "U číselné řady bude bude číslo (v souboru) zleva doplněno nulami ", X, 180, W);
    Label(*this, this, "LabText6", "na stejnou délku jako je první číslo.", X, 200, W);
    BitBtnYDF = Make<TBitBtn>("BitBtnYDF");
    BitBtnYDF->Caption = "YDF";
    BitBtnPLT = Make<TBitBtn>("BitBtnPLT");
    BitBtnPLT->Caption = "PLT";
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Cancel";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    int Bx = X;
    for (TBitBtn* B : {BitBtnYDF, BitBtnPLT, BitBtnCancel}) {
        B->Left = Bx, B->Top = 370, B->Width = 110, B->Height = 30;
        Bx += 124;
    }
    BitBtnYDF->ModalResult = mrOk;
    BitBtnPLT->ModalResult = mrOk;
    BitBtnYDF->OnClick = [this] { BitBtnYDFClick(); };
    BitBtnPLT->OnClick = [this] { BitBtnPLTClick(); };
}

void TDorsekDialog::BitBtnYDFClick() {
    Hpgl = false;
    Output();
}

void TDorsekDialog::BitBtnPLTClick() {
    Hpgl = true;
    Output();
}

void TDorsekDialog::BtnFromFileClick() {
    TOpenDialog D;
    D.InitialDir = ProgramDir;
    D.Filter = "Jakýkoli soubor|*.*";
    if (!D.Execute()) return;
    std::vector<std::string> Lines;
    if (!ReadTextLines(D.FileName, Lines)) {
        Refuse("table file not read (" + D.FileName + ")", MsgText(53) + ":\r\n" + D.FileName);
        return;
    }
    // The program's text files are 8-bit; the memo shows UTF-8.
    for (std::string& L : Lines) L = Cp1250ToUtf8(L);
    Table->Lines = std::move(Lines);
}

void TDorsekDialog::BtnClearClick() { Table->Lines.clear(); }

int64_t TDorsekDialog::Output() {
    const std::string Part = Utf8ToCp1250(EditReplaced->Text);
    TObjHeader* Target = nullptr;
    if (!Part.empty())
        for (TObjHeader* p = MainVars.DataStart; p && !Target; p = p->Next)
            if (p->Type == ObjText && AsText(p)->Text.Get().find(Part) != std::string::npos) Target = p;
    if (!Target) {
        Refuse("nothing to replace (" + EditReplaced->Text + ")", MsgText(57));
        return 0;
    }
    TSlantOff SlantOff;
    if (Hpgl) {
        if (!HPOutputDialog) CreateHPOutputDialog();
        SlantOff.On = true;
        THPOutputDialog& H = *HPOutputDialog;
        H.LblDorsek->Visible = true;
        H.EditDorsek->Visible = true;
        H.EditDorsek->Text = Slant;
        const bool Ok = H.ShowModal() == mrOk;
        // The slant belongs to these runs: an ordinary HPGL export writes without it.
        Slant = H.EditDorsek->Text;
        if (!Ok) return 0;
    }
    int64_t F = 0;
    if (!WholeNumber(EditFirst->Text, F)) {
        Refuse("wrong file number (" + EditFirst->Text + ")", MsgText(58));
        return 0;
    }
    // The values, all of them known before the first file is written.
    std::vector<std::string> Values;
    bool Many = false;
    if (RBtnNumber->Checked) {
        int64_t V = 0, D = 0, E = 0;
        if (!WholeNumber(EditStart->Text, V)) {
            Refuse("wrong first number (" + EditStart->Text + ")", MsgText(59));
            return 0;
        }
        if (!WholeNumber(EditInkrement->Text, D) || D < 1) {
            Refuse("wrong increment (" + EditInkrement->Text + ")", MsgText(60));
            return 0;
        }
        if (!WholeNumber(EditEnd->Text, E)) {
            Refuse("wrong last number (" + EditEnd->Text + ")", MsgText(61));
            return 0;
        }
        const size_t Width = EditStart->Text.size();
        for (__int128 X = V; X <= E; X += D) {
            if (int64_t(Values.size()) == DorsekMaxFiles) {
                Many = true;
                break;
            }
            Values.push_back(Padded(int64_t(X), Width));
        }
    } else {
        for (const std::string& L : Table->Lines) {
            if (int64_t(Values.size()) == DorsekMaxFiles) {
                Many = true;
                break;
            }
            Values.push_back(Utf8ToCp1250(TrimBlanks(L)));
        }
    }
    if (Many) {
        Refuse("more than 9999 files", "Kolik je nahrazovaných stringů, tolik bude souborů. (max.9999)");
        return 0;
    }
    if (Values.empty()) return 0;
    if (F > std::numeric_limits<int64_t>::max() - int64_t(Values.size())) {
        Refuse("file number too large (" + EditFirst->Text + ")", MsgText(58));
        return 0;
    }
    const std::string Old = AsText(Target)->Text.Get();
    const size_t At = Old.find(Part);
    auto Replaced = [&](const std::string& X) { return (Old.substr(0, At) + X + Old.substr(At + Part.size())).substr(0, 255); };
    for (size_t i = 0; i < Values.size(); ++i)
        if (TrimBlanks(Replaced(Values[i])).empty()) {
            Refuse("empty text for value " + std::to_string(i + 1),
                   "Záměnou vznikne prázdný text (" + std::to_string(i + 1) + ". hodnota)");
            return 0;
        }
    // Beside the job; a job never saved asks where.
    const char* Ext = Hpgl ? ".PLT" : ".YDF";
    std::string Dir = Glob.JmSouboru.empty() ? std::string() : Glob.IniDirOpenSave;
    if (Dir.empty()) {
        TSaveDialog S;
        S.InitialDir = Glob.IniDirOpenSave.empty() ? ProgramDir : Glob.IniDirOpenSave;
        S.FileName = EditName->Text + "_" + std::to_string(F) + Ext;
        S.Filter = Hpgl ? "HPGL (*.plt)|*.plt" : "Yorvan Data Format (*.ydf)|*.ydf";
        if (!S.Execute()) return 0;
        Dir = FileCmd::Folder(S.FileName);
    }
    int64_t Written = 0;
    for (const std::string& X : Values) {
        const std::string Name = Dir + "/" + EditName->Text + "_" + std::to_string(F) + Ext;
        EnText.ReadParamText(Target, WorkText);
        const ParText Kept = WorkText;
        WorkText.Text = Replaced(X);
        bool Ok = EnText.EditTextParam(Target);
        if (!Ok) Refuse("text not built (" + Cp1250ToUtf8(WorkText.Text) + ")", MsgText(57));
        else Ok = Hpgl ? SaveHPGL(Name, true) : SaveYdfFile(Name, true, false);
        WorkText = Kept;
        EnText.EditTextParam(Target);
        if (!Ok) break;  // the writer showed why
        ++Written;
        ++F;
    }
    ComRedrawView();
    return Written;
}

void CreateDorsekDialog() { DorsekDialog = RemakeForm<TDorsekDialog>(); }
