#include "shell/NewFileDg.h"

#include <cmath>

#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniWalk.h"
#include "formats/UniYDF.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "shell/FileHist.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"

TNewFileDialog* NewFileDialog = nullptr;

namespace {

const char* const MissingMark = "( CHYBA ) ";
const char* const NoTools = "( Žádné nástroje )";
const char* const OriginName[9] = {"RbtnLeftDown", "RbtnMidDown", "RbtnRightDown", "RbtnLeftMid", "RbtnCenter",
                                   "RbtnRightMid", "RbtnLeftTop", "RbtnMidTop",    "RbtnRightTop"};
const char* const OriginWord[9] = {"left-down", "mid-down", "right-down", "left-mid", "center",
                                   "right-mid", "left-top", "mid-top",    "right-top"};
const char* const JobText[5] = {"2,5D frézování / gravírování", "2,5D + 4 osá indexace",
                                "2,5D + 4 osé kontinuální", "2,5D frézování / soustružení", "Otevřít nedávno uložený"};
const char* const JobLog[4] = {"2.5D", "2.5D + 4 axis index", "2.5D + 4 axis continuous", "2.5D milling/turning"};

void Place(TControl* C, int L, int T, int W, int H) {
    C->Left = L;
    C->Top = T;
    C->Width = W;
    C->Height = H;
}

std::string Img(const std::string& Name) { return ProgramDir + "/Img/" + Name; }

// Where the stock lies on the drawing origin: the lower-left offset in units of the
// stock's width and height (origin 1 = lower left .. 9 = upper right).
Osy OriginShift(int Origin, Extended W, Extended H) {
    const int Col = (Origin - 1) % 3, Row = (Origin - 1) / 3;
    return {-W * Col / 2, -H * Row / 2};
}

}  // namespace

TNewFileDialog::TNewFileDialog() : TForm("NewFileDialog") {
    Caption = "Nový soubor";
    BorderStyle = TBorderStyle::bsDialog;
    KeyPreview = true;
    Width = 620;
    Height = 470;
    PageControl = Make<TPageControl>("PageControl");
    Place(PageControl, 8, 8, 600, 400);
    TabNewFileOpt = Make<TTabSheet>("TabNewFileOpt", PageControl);
    TabNewFileOpt->Caption = "Nový soubor";
    TabSheetNewFileMat = Make<TTabSheet>("TabSheetNewFileMat", PageControl);
    TabSheetNewFileMat->Caption = "Materiál";
    TabSheet2 = Make<TTabSheet>("TabSheet2", PageControl);
    TabSheet2->Caption = "Polotovar";
    PageControl->OnChange = [this] { SetPage(PageControl->ActivePageIndex); };

    // Page 1: the kind of job or a recent job.
    RGrJobType = Make<TRadioGroup>("RGrJobType", TabNewFileOpt);
    RGrJobType->Caption = "Možnosti";
    // Only 2.5D work and opening a recent job are offered; the other kinds stay off the list.
    RGrJobType->Items = {JobText[0], JobText[JobOpenRecent]};
    Place(RGrJobType, 8, 8, 300, 84);
    RGrJobType->OnClick = [this] { RGrJobTypeClick(); };
    ImgJobType = Make<TImage>("ImgJobType", TabNewFileOpt);
    Place(ImgJobType, 320, 8, 260, 160);
    ImgJobType->Stretch = true;
    TLabel* HistLbl = Make<TLabel>("LblFileHist", TabNewFileOpt);
    HistLbl->Caption = "Naposledy uložené soubory:";
    Place(HistLbl, 8, 176, 300, 20);  // below the kind's picture
    LBoxFileHist = Make<TListBox>("LBoxFileHist", TabNewFileOpt);
    Place(LBoxFileHist, 8, 198, 572, 140);
    LBoxFileHist->OnClick = [this] { LBoxFileHistClick(); };
    LBoxFileHist->OnDblClick = [this] { LBoxFileHistDblClick(); };
    ChBoxFullpath = Make<TCheckBox>("ChBoxFullpath", TabNewFileOpt);
    ChBoxFullpath->Caption = "Zobrazit celou cestu";
    Place(ChBoxFullpath, 8, 344, 250, 22);
    ChBoxFullpath->OnClick = [this] { ChBoxFullpathClick(); };

    // Page 2: the material and the library tools made for it.
    TLabel* MatLbl = Make<TLabel>("LblMat", TabSheetNewFileMat);
    MatLbl->Caption = "Knihovna materiálů";
    Place(MatLbl, 8, 8, 280, 20);
    LBoxMat = Make<TListBox>("LBoxMat", TabSheetNewFileMat);
    Place(LBoxMat, 8, 30, 280, 330);
    LBoxMat->OnClick = [this] { LBoxMatClick(); };
    TLabel* ToolLbl = Make<TLabel>("LblTools", TabSheetNewFileMat);
    ToolLbl->Caption = "Nástroje pro vybranný materiál";
    Place(ToolLbl, 300, 8, 280, 20);
    MemoTools = Make<TMemo>("MemoTools", TabSheetNewFileMat);
    MemoTools->ReadOnly = true;
    Place(MemoTools, 300, 30, 280, 330);

    // Page 3: the stock.
    RGrStockShape = Make<TRadioGroup>("RGrStockShape", TabSheet2);
    RGrStockShape->Caption = "Tvar";
    RGrStockShape->Items = {"Žádný", "Čtvercový (deska)", "Kruhový (válec)", "Vlastní (Soubor)"};
    Place(RGrStockShape, 8, 8, 200, 140);
    RGrStockShape->OnClick = [this] { RGrStockShapeClick(); };
    ImgStockShape = Make<TImage>("ImgStockShape", TabSheet2);
    ImgStockShape->Stretch = true;
    Place(ImgStockShape, 8, 156, 200, 200);
    GrBoxStockSizeNone = Make<TGroupBox>("GrBoxStockSizeNone", TabSheet2);
    GrBoxStockSizeNone->Caption = "Rozměry";
    Place(GrBoxStockSizeNone, 220, 8, 360, 140);
    GrBoxStockSizeBox = Make<TGroupBox>("GrBoxStockSizeBox", TabSheet2);
    GrBoxStockSizeBox->Caption = "Rozměry";
    Place(GrBoxStockSizeBox, 220, 8, 360, 140);
    auto SizeRow = [this](const char* Edit, const char* Label, const char* Def, int Row, TLabel*& Lbl) {
        Lbl = Make<TLabel>(std::string("Lbl") + Edit, GrBoxStockSizeBox);
        Place(Lbl, 12, 26 + 34 * Row, 30, 20);
        Lbl->Caption = Label;
        TEdit* E = Make<TEdit>(Edit, GrBoxStockSizeBox);
        E->Text = Def;
        Place(E, 46, 24 + 34 * Row, 120, 24);
        TLabel* U = Make<TLabel>(std::string("LblUnit") + Edit, GrBoxStockSizeBox);
        U->Caption = "[mm]";
        Place(U, 172, 26 + 34 * Row, 50, 20);
        return E;
    };
    EditStockX = SizeRow("EditStockX", "X", "100", 0, LblStockX);
    EditStockY = SizeRow("EditStockY", "Y", "50", 1, LblStockY);
    EditStockZ = SizeRow("EditStockZ", "Z", "10", 2, LblStockZ);
    LblStockZUnit = Find<TLabel>("LblUnitEditStockZ");
    GrBoxOrigin = Make<TGroupBox>("GrBoxOrigin", TabSheet2);
    GrBoxOrigin->Caption = "Počátek";
    Place(GrBoxOrigin, 220, 156, 360, 200);
    ImgStockOrig = Make<TImage>("ImgStockOrig", GrBoxOrigin);
    ImgStockOrig->Stretch = true;
    Place(ImgStockOrig, 12, 24, 150, 150);
    for (int i = 0; i < 9; ++i) {
        Origin[i] = Make<TRadioButton>(OriginName[i], GrBoxOrigin);
        // Laid out as they lie on the stock: bottom row first.
        Place(Origin[i], 190 + (i % 3) * 50, 150 - (i / 3) * 60, 24, 22);
        Origin[i]->OnClick = [this, i] { SetOrigin(i + 1); };
    }

    BitBtnBack = Make<TBitBtn>("BitBtnBack");
    BitBtnBack->Caption = "    Zpět";
    Place(BitBtnBack, 392, 420, 100, 30);
    BitBtnBack->OnClick = [this] { BitBtnBackClick(); };
    BitBtnOk = Make<TBitBtn>("BitBtnOk");
    Place(BitBtnOk, 500, 420, 100, 30);
    BitBtnOk->OnClick = [this] { BitBtnOkClick(); };
    OkForm(false);
    OnShow = [this] { FormShow(); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:NewFileDg Close"); };
    OnKeyDown = [this](uint16_t& Key, uint8_t) {
        if (Key == VK_ESCAPE) {
            ModalResult = mrCancel;
            Close();
        }
    };
    LangRegisterForm("NewFileDg", this);
}

TNewFileDialog::~TNewFileDialog() { LangUnregisterForm(this); }

int TNewFileDialog::JobChoice() const {
    const int i = RGrJobType->ItemIndex;
    return i < 0 ? 0 : i == 1 ? JobOpenRecent : 0;
}

void TNewFileDialog::SetJobChoice(int Choice) { RGrJobType->ItemIndex = Choice == JobOpenRecent ? 1 : 0; }

void TNewFileDialog::OkForm(bool Last) {
    BitBtnOk->Caption = Last ? "  Ok" : "Další ";
}

void TNewFileDialog::FormShow() {
    WriteLog("Sys:NewFileDg Open");
    Ready = false;
    SetJobChoice(0);
    ImgJobType->PictureFile = Img("JobType0.bmp");
    // Only 2.5D work and opening a recent job are offered.
    FileHistToEdit(*LBoxFileHist, ChBoxFullpath->Checked, MissingMark);
    LBoxFileHist->ItemIndex = -1;
    RGrStockShape->ItemIndex = 0;
    RGrStockShapeClick();
    OriginValue = 1;
    for (TRadioButton* R : Origin) R->Checked = false;
    TabSheetNewFileMat->Visible = TabSheet2->Visible = true;
    SetPage(0);
    Ready = true;
}

void TNewFileDialog::SetPage(int Page) {
    PageControl->ActivePageIndex = Page;
    BitBtnBack->Enabled = Page > 0;
    if (Page == 0) {
        OkForm(JobChoice() == JobOpenRecent);
    } else if (Page == 1) {
        OkForm(false);
        LBoxMat->Items.clear();
        for (const TMaterial& M : Glob.Material) LBoxMat->Items.push_back(M.Jmeno);
        LBoxMat->ItemIndex = LBoxMat->Items.empty() ? -1 : 0;
        LBoxMatClick();
    } else {
        OkForm(true);
    }
}

void TNewFileDialog::RGrJobTypeClick() {
    const int i = JobChoice();
    const bool Open = i == 4;
    OkForm(Open);
    TabSheetNewFileMat->Visible = TabSheet2->Visible = !Open;
    if (!Ready) return;
    if (i >= 0 && i < 4) {
        ImgJobType->PictureFile = Img("JobType" + std::to_string(i) + ".bmp");
        WriteLog(std::string("Usr:select job: ") + JobLog[i]);
    } else if (Open) {
        WriteLog("Usr:select job:open existing");
    }
}

namespace {
// The stored entry of list row Row (the list shows the newest first).
std::string HistPath(int Row) {
    const int n = int(FileHist.size());
    return Row >= 0 && Row < n ? FileHist[size_t(n - 1 - Row)] : std::string();
}
}  // namespace

void TNewFileDialog::LBoxFileHistClick() {
    const std::string P = HistPath(LBoxFileHist->ItemIndex);
    if (P.empty()) return;
    WriteLog("Usr:Select file:" + P);
    SetJobChoice(JobOpenRecent);
    RGrJobTypeClick();
}

void TNewFileDialog::LBoxFileHistDblClick() {
    const std::string P = HistPath(LBoxFileHist->ItemIndex);
    if (P.empty()) return;
    WriteLog("Usr:Select and Open file:" + P);
    SetJobChoice(JobOpenRecent);
    RGrJobTypeClick();
    if (OpenRecent()) ModalResult = mrOk;
}

void TNewFileDialog::ChBoxFullpathClick() { FileHistToEdit(*LBoxFileHist, ChBoxFullpath->Checked, MissingMark); }

void TNewFileDialog::LBoxMatClick() {
    MemoTools->Lines.clear();
    const int Row = LBoxMat->ItemIndex;
    if (Row < 0) {
        MemoTools->Lines.push_back(NoTools);
        return;
    }
    for (const TToolLib& L : Glob.ToolLib)
        for (const TMaterial& M : L.Material)
            if (M.MID == Row) {
                if (MemoTools->Lines.empty())
                    WriteLog("Usr:select material:" + M.Jmeno + "(MID:" + std::to_string(Row) + ")");
                MemoTools->Lines.push_back(L.Tool.JmNastroje);
            }
    if (MemoTools->Lines.empty()) MemoTools->Lines.push_back(NoTools);
}

void TNewFileDialog::RGrStockShapeClick() {
    const int S = RGrStockShape->ItemIndex;
    GrBoxStockSizeNone->Visible = S == 0;
    GrBoxStockSizeBox->Visible = S >= 1;
    EditStockZ->Visible = LblStockZ->Visible = LblStockZUnit->Visible = S == 1;
    for (TRadioButton* R : Origin) R->Visible = S >= 1;
    ImgStockOrig->PictureFile = Img(S >= 1 ? "ImgStockOriginGrid.bmp" : "ImgNoStock.bmp");
    if (S == 0) {
        ImgStockShape->PictureFile = Img("ImgNoStock.bmp");
        if (Ready) WriteLog("Usr:Selet stock:none");
    } else if (S == 1) {
        ImgStockShape->PictureFile = Img("ImgStockBox.bmp");
        LblStockX->Caption = "X";
        LblStockY->Caption = "Y";
        LblStockZ->Caption = "Z";
        if (Ready) WriteLog("Usr:Selet stock:box");
    } else if (S == 2) {
        ImgStockShape->PictureFile = Img("ImgStockCylinder.bmp");
        LblStockX->Caption = "D";
        LblStockY->Caption = "V";
        LblStockZ->Caption = "";
        if (Ready) WriteLog("Usr:Selet stock:cylinder");
    }
}

void TNewFileDialog::SetOrigin(int Value) {
    OriginValue = Value;
    if (Ready) WriteLog(std::string("Usr:Select origin to:") + OriginWord[Value - 1]);
}

bool TNewFileDialog::OpenRecent() {
    if (LBoxFileHist->ItemIndex < 0 || HistPath(LBoxFileHist->ItemIndex).empty()) {
        // Nothing chosen: the wizard stays open and says why.
        MessageDlg("Vyberte soubor ze seznamu naposledy uložených souborů.", TMsgDlgType::mtWarning, mbOK);
        return false;
    }
    return MainForm && LoadExisting(*MainForm, HistPath(LBoxFileHist->ItemIndex));
}

void TNewFileDialog::BitBtnOkClick() {
    const int Page = PageControl->ActivePageIndex;
    WriteLog(Page == 2 ? "Usr:ok" : "Usr:Next");
    if (Page < 2) {
        if (JobChoice() == JobOpenRecent) {
            if (OpenRecent()) ModalResult = mrOk;
            return;
        }
        SetPage(Page + 1);
        return;
    }
    if (Finish()) ModalResult = mrOk;
}

void TNewFileDialog::BitBtnBackClick() {
    WriteLog("Usr:Prev");
    if (PageControl->ActivePageIndex > 0) SetPage(PageControl->ActivePageIndex - 1);
}

bool TNewFileDialog::Finish() {
    const int Shape = RGrStockShape->ItemIndex;
    Glob.StockShape = uint8_t(Shape < 0 ? 0 : Shape);
    Glob.JobType = uint8_t(JobChoice() == JobOpenRecent ? 0 : JobChoice());
    Glob.StockOrigin = uint8_t(OriginValue);
    // Without a chosen material the material stays as it was.
    if (LBoxMat->ItemIndex >= 0 && size_t(LBoxMat->ItemIndex) < Glob.Material.size())
        Glob.MID = Glob.Material[size_t(LBoxMat->ItemIndex)].MID;
    auto Bad = [](const char* Axis, const std::string& Text, const char* Shown) {
        WriteLog(std::string("Err:Wrong number: stock size ") + Axis + " (" + Text + ")");
        MessageDlg(Msg[87] + Shown, TMsgDlgType::mtError, mbOK);
        return false;
    };
    auto Read = [](const TEdit* E, Extended& V, bool Positive) {
        return StrToExtCalc(E->Text, V, false) && std::isfinite(double(V)) && (!Positive || V > 0);
    };
    TObjHeader*& S = MainVars.DataStart;
    TObjHeader*& E = MainVars.DataEnd;
    const auto R = CfgRegionalReal;
    if (Shape == 1) {
        Extended X = 0, Y = 0, Z = 0;
        if (!Read(EditStockX, X, true)) return Bad("X", EditStockX->Text, " X");
        if (!Read(EditStockY, Y, true)) return Bad("Y", EditStockY->Text, " Y");
        if (!Read(EditStockZ, Z, false)) return Bad("Z", EditStockZ->Text, " Z");
        Size = {X, Y, Z};
        const Osy A = OriginShift(OriginValue, X, Y);
        WriteLog("Sys:Stock size X:" + R(X) + " Y:" + R(Y) + " Z:" + R(Z) + ")");
        EnPline.RectangleAdd(A, {A.x + X, A.y + Y}, LayerMat, S, E);
    } else if (Shape == 2) {
        Extended D = 0, V = 0;
        if (!Read(EditStockX, D, true)) return Bad("X", EditStockX->Text, " X");
        if (!Read(EditStockY, V, false)) return Bad("Y", EditStockY->Text, " Z");
        // The height is the cylinder's second dimension; no third is kept from a plate.
        Size = {D, V, 0};
        const Osy A = OriginShift(OriginValue, D, D);
        WriteLog("Sys:Stock size Dia:" + R(D) + " Height:" + R(V));
        EnPline.CircleAdd({A.x + D / 2, A.y + D / 2}, D / 2, LayerMat, S, E);
    }
    Glob.StockSize = Size;
    if (Shape >= 1)
        Glob.SpolParObr.RozmerPolot = R(Size.x) + "x" + R(Size.y) + (Shape == 2 ? "" : "x" + R(Size.z));
    if (MainForm && Shape >= 1) MainForm->ComRedraw();
    return true;
}

bool LoadExisting(TMainForm& F, std::string Path) {
    const size_t Slash = Path.find_last_of('/');
    const std::string Name = Slash == std::string::npos ? Path : Path.substr(Slash + 1);
    if (Name.find('.') == std::string::npos) Path += ".ydf";
    if (!FileExists(Path)) {
        WriteLog("Err:File not found (" + Path + ")");
        MessageDlg("Soubor " + Path + " nelze otevřít.", TMsgDlgType::mtError, mbOK);
        return false;
    }
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    F.RecalcOkno();
    F.ComZoomLimits();
    InitCamOps();
    F.CamOpsToPanel();
    Glob.IniDirOpenSave = Slash == std::string::npos ? std::string() : Path.substr(0, Slash);
    Osy Mn, Mx;
    LoadYdfFile(Path, true, Glob.ReadYdfCfg, Mx, Mn, true, true, true, true);
    FindDirAll(MainVars.DataStart);
    F.ComZoomObject();
    const std::string File = Path.substr(Slash == std::string::npos ? 0 : Slash + 1);
    Glob.JmSouboru = File.substr(0, File.rfind('.'));
    F.Caption = "Kestrilon - " + Glob.JmSouboru;
    MainVars.FileSaved = true;
    return true;
}

void CreateNewFileDialog() {
    // Left to the end of the process: no form may outlive the responder's teardown.
    delete NewFileDialog;
    NewFileDialog = new TNewFileDialog();
    NewFileDialogHook = [](bool Show) {
        if (!Show || !NewFileDialog) return -1;
        NewFileDialog->ShowModal();
        return NewFileDialog->JobChoice();
    };
}
