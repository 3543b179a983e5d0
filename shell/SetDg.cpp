#include "shell/SetDg.h"

#include "commands/UniCom.h"
#include "core/Glob.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "shell/SetDgFields.h"
#include "shell/UniLang.h"

TSetDialog* SetDialog = nullptr;

namespace {

constexpr int ListWidth = 150, PageLeft = ListWidth + 16, PageWidth = 620, PageHeight = 430;
constexpr int LabelWidth = 440, EditLeft = 460, EditWidth = 120, RowStep = 27;

void Place(TControl* C, int L, int T, int W, int H) {
    C->Left = L;
    C->Top = T;
    C->Width = W;
    C->Height = H;
}

TRadioButton* Radio(TForm& F, const char* Name, const char* Caption, TControl* Parent, int L, int T, int W) {
    TRadioButton* R = F.Make<TRadioButton>(Name, Parent);
    R->Caption = Caption;
    Place(R, L, T, W, 22);
    return R;
}

}  // namespace

TSetDialog::TSetDialog() : TForm("SetDialog") {
    Caption = "Nastavení";
    BorderStyle = TBorderStyle::bsDialog;
    Width = PageLeft + PageWidth + 12;
    Height = PageHeight + 64;
    LBoxTabs = Make<TListBox>("LBoxTabs");
    Place(LBoxTabs, 8, 8, ListWidth, PageHeight);
    LBoxTabs->OnClick = [this] { LBoxTabsClick(); };
    PageControlSetup = Make<TPageControl>("PageControlSetup");
    Place(PageControlSetup, PageLeft, 8, PageWidth, PageHeight);
    PageControlSetup->TabsVisible = false;
    for (int i = 0; i < SetPageCount; ++i) {
        TTabSheet* P = Make<TTabSheet>(SetPageName[i], PageControlSetup);
        P->Caption = SetPageCaption[i];
        Pages.push_back(P);
    }
    BuildPages();
    const int BtnTop = PageHeight + 20;
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    Place(BitBtnOK, Width - 212, BtnTop, 96, 30);
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Zrušit";
    Place(BitBtnCancel, Width - 108, BtnTop, 96, 30);
    BitBtnCancel->OnClick = [this] { BitBtnCancelClick(); };
    BtnLoad = Make<TButton>("BtnLoad");
    BtnLoad->Caption = "Načíst Default.cfg";
    Place(BtnLoad, 8, BtnTop, 160, 30);
    BtnLoad->OnClick = [this] { BtnLoadClick(); };
    BtnSave = Make<TButton>("BtnSave");
    BtnSave->Caption = "Uložit Default.cfg";
    Place(BtnSave, 176, BtnTop, 160, 30);
    BtnSave->OnClick = [this] { BtnSaveClick(); };
    OnShow = [this] { FormShow(); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:ConfigDg close"); };
    LangRegisterForm("SetDg", this);
}

TSetDialog::~TSetDialog() { LangUnregisterForm(this); }

void TSetDialog::BuildPages() {
    // Number edits and check boxes in rows, each page in the order of the tables.
    std::array<int, SetPageCount> Row{};
    auto NextTop = [&Row](TSetPage P) { return 10 + RowStep * Row[size_t(P)]++; };
    for (const TSetNum& N : SetNumFields()) {
        if (N.Page == spView) continue;  // placed beside their track bars below
        TTabSheet* P = Pages[size_t(N.Page)];
        const int T = NextTop(N.Page);
        TLabel* L = Make<TLabel>(std::string("Lbl") + N.Edit, P);
        L->Caption = N.Label;
        Place(L, 10, T + 3, LabelWidth, 20);
        Place(Make<TEdit>(N.Edit, P), EditLeft, T, EditWidth, 24);
    }
    // Radio pairs: the first button stands for the field (see SetBoolFields).
    auto Pair = [&](TSetPage Pg, const char* Group, const char* Title, const char* First, const char* FirstCap,
                    const char* Second, const char* SecondCap) {
        TGroupBox* G = Make<TGroupBox>(Group, Pages[size_t(Pg)]);
        G->Caption = Title;
        const int T = NextTop(Pg);
        ++Row[size_t(Pg)];  // a group is two rows high
        Place(G, 10, T, 470, 2 * RowStep - 2);
        TRadioButton* A = Radio(*this, First, FirstCap, G, 10, 22, 220);
        TRadioButton* B = Radio(*this, Second, SecondCap, G, 240, 22, 220);
        B->Checked = true;
        return std::pair{A, B};
    };
    Pair(spDim, "GrBoxDimLay", "Kóty", "RBtnDimLayKoty", "Do hladiny Koty", "RBtnDimLayActiv", "Do aktivní hladiny");
    Pair(spDim, "GrBoxDimGroup", "Kóta", "RBtnDimGroup", "Jako skupina", "RBtnDimObject", "Jako objekty");
    Pair(spDim, "GrBoxHatchLay", "Šrafy", "RBtnHatchLayKoty", "Do hladiny Koty", "RBtnHatchLayActiv",
         "Do aktivní hladiny");
    Pair(spDim, "GrBoxHatchGroup", "Šrafa", "RBtnHatchGroup", "Jako skupina", "RBtnHatchObject", "Jako objekty");
    std::tie(RBtnContGroup, RBtnContObject) = Pair(spCam, "GrBoxCont", "Výsledek kontury", "RBtnContGroup",
                                                   "Skupina", "RBtnContObject", "Objekty");
    std::tie(RBtnRotLeave, RBtnRotDel) = Pair(spCam, "GrBoxRotate", "Rotace", "RBtnRotLeave",
                                              "Původní objekt zachovat", "RBtnRotDel", "Původní objekt smazat");
    std::tie(RBtnMirLeave, RBtnMirDel) = Pair(spCam, "GrBoxMirror", "Zrcadlení", "RBtnMirLeave",
                                              "Původní objekt zachovat", "RBtnMirDel", "Původní objekt smazat");
    std::tie(RbtnOffLeave, RbtnOffDel) = Pair(spCam, "GrBoxOffset", "Výsledek offsetu", "RbtnOffLeave",
                                              "Původní objekt zachovat", "RbtnOffDel", "Původní objekt smazat");
    // Design-time choices: rotate and offset replace their sources, mirror keeps them.
    RBtnMirLeave->Click();
    GrBoxRotate = Find<TGroupBox>("GrBoxRotate");
    GrBoxMirror = Find<TGroupBox>("GrBoxMirror");
    GrBoxOffset = Find<TGroupBox>("GrBoxOffset");
    // Check boxes of the CAM page go in two columns below its groups.
    int CamCol = 0;
    const int CamTop = 10 + RowStep * Row[spCam];
    for (const TSetBool& B : SetBoolFields()) {
        if (std::string(B.Control).rfind("RBtn", 0) == 0) continue;
        TTabSheet* P = Pages[size_t(B.Page)];
        TCheckBox* C = Make<TCheckBox>(B.Control, P);
        C->Caption = B.Caption;
        C->Visible = !B.Hidden;
        C->NeverShown = B.Hidden;
        if (B.Page == spCam) {
            if (B.Hidden) {
                Place(C, 10, CamTop, 200, 22);
                continue;
            }
            Place(C, 10 + (CamCol % 2) * 270, CamTop + (CamCol / 2) * RowStep, 265, 22);
            ++CamCol;
        } else {
            Place(C, 10, NextTop(B.Page), 470, 22);
        }
    }
    CheckBoxWheel = Find<TCheckBox>("CheckBoxWheel");
    ChBoxZoomCenter = Find<TCheckBox>("ChBoxZoomCenter");
    // Never shown: the program run after a G-code export is set through the settings file.
    TEdit* G = Make<TEdit>("EditGCodeEd", Pages[spCam]);
    G->Visible = false;
    G->NeverShown = true;
    Place(G, 10, CamTop + 3 * RowStep, 200, 24);
    TBitBtn* GB = Make<TBitBtn>("BitBtnGCodeEdSel", Pages[spCam]);
    GB->Visible = false;
    GB->NeverShown = true;
    Place(GB, 220, CamTop + 3 * RowStep, 30, 24);

    // "Zobrazení": the colours on the left; opacities and pen widths on the right.
    TTabSheet* View = Pages[spView];
    int T = 10;
    for (const TSetColour& C : SetColourFields()) {
        TLabel* L = Make<TLabel>(std::string("Lbl") + C.Shape, View);
        L->Caption = C.Label;
        Place(L, 10, T + 2, 170, 20);
        TPanel* S = Make<TPanel>(C.Shape, View);
        Place(S, 185, T, 36, 20);
        S->OnMouseDown = [S](TMouseButton, uint8_t, int32_t, int32_t) {
            TColorDialog D;
            D.Color = S->Color;
            if (D.Execute()) S->Color = D.Color;
        };
        T += RowStep;
    }
    TLabel* StyleLbl = Make<TLabel>("LblGuiStyle", View);
    StyleLbl->Caption = "Styl vzhledu programu";
    Place(StyleLbl, 10, T + 6, 170, 20);
    CboxGuiStyle = Make<TComboBox>("CboxGuiStyle", View);
    Place(CboxGuiStyle, 185, T + 4, 150, 24);
    T = 10;
    for (const TSetOpacity& O : SetOpacityFields()) {
        TLabel* L = Make<TLabel>(std::string("Lbl") + O.TrackBar, View);
        L->Caption = O.Label;
        Place(L, 240, T + 2, 160, 20);
        TTrackBar* B = Make<TTrackBar>(O.TrackBar, View);
        B->Min = 0;
        B->Max = 10;
        Place(B, 400, T, 100, 22);
        if (O.WidthEdit) Place(Make<TEdit>(O.WidthEdit, View), 505, T, 44, 24);
        T += RowStep;
    }

    // "Pomůcky": the two choice boxes after the edits.
    TTabSheet* Aids = Pages[spAids];
    for (auto [Name, Cap] : {std::pair{"CboxTypRastru", "Typ rastru"}, std::pair{"CboxCursorType", "Kurzor"}}) {
        const int Top = NextTop(spAids);
        TLabel* L = Make<TLabel>(std::string("Lbl") + Name, Aids);
        L->Caption = Cap;
        Place(L, 10, Top + 3, LabelWidth, 20);
        Place(Make<TComboBox>(Name, Aids), EditLeft, Top, EditWidth + 20, 24);
    }
    Find<TComboBox>("CboxTypRastru")->Items = {"Body", "Linky", "Křížky"};

    // "BitMapa": the file and its button.
    TTabSheet* Bmp = Pages[spBitmap];
    LblBitMapFile = Make<TLabel>("LblBitMapFile", Bmp);
    Place(LblBitMapFile, 10, NextTop(spBitmap) + 3, 440, 20);
    TButton* LoadBmp = Make<TButton>("BtnLoadBitMap", Bmp);
    LoadBmp->Caption = "Načíst";
    Place(LoadBmp, 10, NextTop(spBitmap), 100, 28);
    LoadBmp->OnClick = [this] { BtnLoadBitMapClick(); };

    // "Systém": the backup folder.
    TTabSheet* Sys = Pages[spSystem];
    const int BakTop = NextTop(spSystem);
    TLabel* BakLbl = Make<TLabel>("LblBakfilesDir", Sys);
    BakLbl->Caption = "Adresář BAK souborů";
    Place(BakLbl, 10, BakTop + 3, 150, 20);
    Place(Make<TEdit>("EditBakfilesDir", Sys), 165, BakTop, 320, 24);
    TBitBtn* Pick = Make<TBitBtn>("BitBtnPickBakFilesDir", Sys);
    Pick->Caption = "...";
    Place(Pick, 490, BakTop, 36, 24);
    Pick->OnClick = [this] { BitBtnPickBakFilesDirClick(); };

    // "Panely": four radio groups.
    const char* const Panels[4][2] = {{"RGroupPanelOps", "Panel operací"},
                                      {"RGroupPanelLays", "Panel hladin"},
                                      {"RGroupPanelIcons", "Lišta ikon"},
                                      {"RGroupPanelMenu", "Menu"}};
    for (int i = 0; i < 4; ++i) {
        TRadioGroup* R = Make<TRadioGroup>(Panels[i][0], Pages[spPanels]);
        R->Caption = Panels[i][1];
        R->Items = {"Nezobrazovat", "Vždy viditelný", "Skrývat"};
        Place(R, 10 + (i % 2) * 260, 10 + (i / 2) * 130, 250, 120);
    }

    // "Knihovna": where tools come from.
    TTabSheet* Lib = Pages[spLibrary];
    Radio(*this, "RbtnTLocAsk", "Vždy se zeptat", Lib, 10, 10 + RowStep * 1, 300);
    Radio(*this, "RbtnTLocLib", "Vždy z knihovny", Lib, 10, 10 + RowStep * 2, 300);
    Radio(*this, "RbtnTLocFile", "Vždy ze souboru", Lib, 10, 10 + RowStep * 3, 300);
    Find<TCheckBox>("ChBoxDefMatToNewTool")->Top = 10 + RowStep * 5;

    // "Příkazy": the command grid.
    StrGridCommands = Make<TStringGrid>("StrGridCommands", Pages[spCommands]);
    StrGridCommands->SetSize(5, BuiltInComCount + 1);
    StrGridCommands->FixedCols = 1;
    StrGridCommands->FixedRows = 1;
    StrGridCommands->Editing = true;  // names, aliases, shortcuts and repeats are typed in place
    StrGridCommands->OnSetEditText = [this](int32_t C, int32_t R, const std::string& V) {
        StrGridCommandsSetEditText(C, R, V);
    };
    Place(StrGridCommands, 4, 4, PageWidth - 16, PageHeight - 40);
}

void TSetDialog::FormShow() {
    WriteLog("Sys:ConfigDg Open");
    Find<TComboBox>("CboxCursorType")->Items = {"Šipka", "Kříž", "Šipka+kříž"};
    TStringGrid& G = *StrGridCommands;
    G.SetSize(5, BuiltInComCount + 1);
    for (auto& Col : G.Cells) Col.assign(size_t(BuiltInComCount + 1), std::string());
    const char* const Titles[5] = {"Příkaz", "Název v menu", "Zkrácený", "Zkratka", "Opakovat"};
    for (int c = 0; c < 5; ++c) G.Cells[size_t(c)][0] = Titles[c];
    G.ColWidths = {110, 130, 70, 60, 60};
    GlobalToEdit();
    TabCmdToEdit();
    CboxGuiStyle->Items = StyleNames;
    std::sort(CboxGuiStyle->Items.begin(), CboxGuiStyle->Items.end());
    // The box shows the style chosen last (the running one until a change waits for
    // the next start), so that OK without touching it changes nothing.
    CboxGuiStyle->ItemIndex = -1;
    for (const std::string& Want : {Glob.GuiStyle, RunningStyle})
        for (size_t i = 0; i < CboxGuiStyle->Items.size() && CboxGuiStyle->ItemIndex < 0; ++i)
            if (CboxGuiStyle->Items[i] == Want) CboxGuiStyle->ItemIndex = int32_t(i);
    if (CboxGuiStyle->ItemIndex >= 0) CboxGuiStyle->Text = CboxGuiStyle->Items[size_t(CboxGuiStyle->ItemIndex)];
    LBoxTabs->Items.assign(SetPageCaption, SetPageCaption + SetPageCount);
    LBoxTabs->ItemIndex = LastPage;
    PageControlSetup->ActivePageIndex = LastPage;
}

void TSetDialog::LBoxTabsClick() {
    const int i = LBoxTabs->ItemIndex;
    if (i < 0 || i >= SetPageCount) return;
    PageControlSetup->ActivePageIndex = i;
    LastPage = i;
    WriteLog("Usr:Select menu item:" + LBoxTabs->Items[size_t(i)]);
}

void TSetDialog::ShowRefused() {
    std::string Text = "Tyto hodnoty nebyly převzaty:";
    for (const std::string& R : Refused) Text += "\n" + R;
    MessageDlg(Text, TMsgDlgType::mtError, mbOK);
}

void TSetDialog::BitBtnOKClick() {
    WriteLog("Usr:ok");
    const std::string OldStyle = Glob.GuiStyle;
    if (!EditToGlobal()) {
        // Nothing is taken: the user corrects the named fields or cancels.
        ShowRefused();
        return;
    }
    EditToTabCmd();
    SaveComSet();
    if (MainForm) {
        MainForm->PanelsFromSettings();
        MainForm->RecalcOkno();
        MainForm->ComRedraw();
        MainForm->FormResize();
    }
    if (Glob.GuiStyle != OldStyle) {
        WriteLog("Sys:Changed style (From:" + OldStyle + " to:" + Glob.GuiStyle + ")");
        SaveStyle();
        MessageDlg(Msg[118], TMsgDlgType::mtInformation, mbOK);
    }
    ModalResult = mrOk;
}

void TSetDialog::BitBtnCancelClick() {
    WriteLog("Usr:cancel");
    ModalResult = mrCancel;
}

void TSetDialog::BtnSaveClick() {
    WriteLog("Usr:Save CFG");
    WriteLog("Sys:Save CFG Start");
    if (!EditToGlobal()) {
        ShowRefused();
        WriteLog("Sys:Save CFG End");
        return;
    }
    if (!WriteDefaultCfg()) MessageDlg("Soubor " + DefaultCfgPath() + " nelze zapsat.", TMsgDlgType::mtError, mbOK);
    SaveStyle();
    WriteLog("Sys:Save CFG End");
}

void TSetDialog::BtnLoadClick() {
    WriteLog("Usr:Load CFG");
    WriteLog("Sys:Load CFG Start");
    FileToGlobalCfg(DefaultCfgPath());
    GlobalToEdit();
    // Closed as if cancelled: the command table, panels and style steps of OK do not run.
    ModalResult = mrCancel;
    WriteLog("Sys:Load CFG End");
}

void TSetDialog::BtnLoadBitMapClick() {
    TOpenDialog D;
    D.Title = "Obrázek pro podsvícení";
    D.Filter = "Obrázky (*.bmp;*.png;*.jpg)|*.bmp;*.png;*.jpg|Všechny soubory (*.*)|*.*";
    if (!D.Execute()) return;
    if (!FileExists(D.FileName)) {
        WriteLog("Err:bitmap file not found:" + D.FileName);
        return;
    }
    WriteLog("Sys:Load bitmap file:" + D.FileName);
    LblBitMapFile->Caption = D.FileName;
}

void TSetDialog::BitBtnPickBakFilesDirClick() {
    // The platform offers file dialogs: the folder is the one the chosen file lies in
    // (or the chosen name itself when it is a folder).
    TOpenDialog D;
    D.Title = "Vyberte adresář pro BAK soubory";
    D.InitialDir = Glob.BakFilesDir.empty() ? ProgramDir : Glob.BakFilesDir;
    if (D.Execute()) {
        std::string Dir = D.FileName;
        if (!DirectoryExists(Dir)) {
            const size_t Slash = Dir.find_last_of('/');
            Dir = Slash == std::string::npos ? std::string() : Dir.substr(0, Slash);
        }
        Glob.BakFilesDir = Dir;
        Find<TEdit>("EditBakfilesDir")->Text = Dir;
    }
    WriteLog("Usr:Select bak files dir (" + Glob.BakFilesDir + ")");
}

bool StyleFileToGlob() {
    std::vector<std::string> Lines;
    if (!ReadTextLines(ProgramDir + "/Style", Lines) || Lines.empty() || Lines[0].empty()) return false;
    Glob.GuiStyle = Lines[0];
    return true;
}

bool TSetDialog::SaveStyle() {
    if (WriteTextLinesSafe(ProgramDir + "/Style", {Glob.GuiStyle})) return true;
    WriteLog("Err:FAILED Save style file");
    return false;
}

void CreateSetDialog() {
    // Left to the end of the process: no form may outlive the responder's teardown.
    delete SetDialog;
    SetDialog = new TSetDialog();
}

void ComSet(TMainForm& F) {
    WriteLog("Sys:ComSet Start");
    MainVars.ComCnt = -1;
    const int32_t OldUndo = Glob.MaxUndo;
    if (!SetDialog) CreateSetDialog();
    SetDialog->ShowModal();
    if (Glob.MaxUndo != OldUndo) F.FreeUndoSlots();
    F.Timer1.SetInterval(uint32_t(std::min<int64_t>(int64_t(Glob.AutoSave) * 60000, UINT32_MAX)));
    F.ComRedraw();
    WriteLog("Sys:ComSet End");
}
