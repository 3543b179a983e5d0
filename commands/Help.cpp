#include "commands/Help.h"

#include "core/ErrLogDg.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Files.h"
#include "shell/StartupHooks.h"

THelpDialog* HelpDialog = nullptr;

namespace {
// The instance of the run (the start-up makes it; a command makes it when missing).
// It is left to the end of the process: no form may outlive the responder's teardown.
THelpDialog* Dlg = nullptr;
}  // namespace

namespace {
std::string Trim(const std::string& S) {
    size_t b = 0, e = S.size();
    while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
    return S.substr(b, e - b);
}
}  // namespace

THelpDialog::THelpDialog() : TForm("HelpDialog") {
    Caption = "Help, O programu";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 520;  // room for the longest line at the default font
    Height = 220;
    int Y = 8;
    auto Lab = [this, &Y](const char* N, const std::string& C, int X = 8, bool Next = true) {
        TLabel* L = Make<TLabel>(N);
        L->Caption = C;
        L->Left = X;
        L->Top = Y;
        if (Next) Y += 20;
        return L;
    };
    Label1 = Lab("Label1", "Help není přímo součástí programu, otevřete si soubor Manual.htm ");
    Label2 = Lab("Label2", "v HTML prohlížeči, např. MS Internet Explorer. Netscape Navigator apod.");
    Label3 = Lab("Label3", "Program: KESTRILON");
    Label4 = Lab("Label4", "Verze:");
    Label5 = Lab("Label5", "Datum:");
    LabEmail = Lab("LabEmail", "Email:", 8, false);
    LabEmailValue = Lab("LabEmailValue", "-", 80);
    LabPhone = Lab("LabPhone", "Tel: ", 8, false);
    LabPhoneValue = Lab("LabPhoneValue", "-", 80);
    Button1 = Make<TButton>("Button1");
    Button1->Caption = "Zobrazit SysLog";
    Button1->Left = 8;
    Button1->Width = 140;
    Button1->Top = Y + 4;
    Button1->OnClick = [this] { Button1Click(); };
    KeyPreview = true;
    OnKeyPress = [this](char32_t& Key) {
        if (Key == 27) Close();
    };
    OnShow = [this] {
        Loadhelp();
        Height = 220;
        Label4->Caption = "Verze: 2.5 beta 6 ";
        Label5->Caption = "Datum: 09.02.2023";
    };
}

THelpDialog::~THelpDialog() {
    if (HelpDialog == this) HelpDialog = nullptr;
}

void THelpDialog::Loadhelp() {
    const std::string Path = Glob.ProgramDir + "/Info";
    std::vector<std::string> Lines;
    if (!FileExists(Path) || !ReadTextLines(Path, Lines)) return;
    // Lines of any length are split at their first "="; the file is 8-bit text.
    std::string Value;
    for (const std::string& Line : Lines) {
        std::string Key;
        const size_t Eq = Line.find('=');
        if (Eq == std::string::npos) {
            Key = Trim(Line);  // the value of the previous line stays
        } else {
            Key = Trim(Line.substr(0, Eq));
            Value = Trim(Line.substr(Eq + 1));
        }
        if (Key == "Email") LabEmailValue->Caption = Cp1250ToUtf8(Value);
        if (Key == "Phone") LabPhoneValue->Caption = Cp1250ToUtf8(Value);
    }
}

void THelpDialog::Button1Click() {
    Close();
    if (!ErrLogDialog) return;
    ErrLogDialog->Filter = 0;
    ErrLogDialog->Show();
}

void CreateHelpDialog() {
    delete Dlg;
    Dlg = new THelpDialog();
    HelpDialog = Dlg;
    ShowHelpDialogHook = [] {
        if (HelpDialog) HelpDialog->ShowModal();
    };
}

void FreeHelpDialog() {
    delete Dlg;
    Dlg = nullptr;
    HelpDialog = nullptr;
}
