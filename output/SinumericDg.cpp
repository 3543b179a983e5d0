#include "output/SinumericDg.h"

#include <charconv>

#include "core/Glob.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "output/Sinumeric802.h"
#include "platform/Dialogs.h"
#include "platform/FormRemake.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

TSinumericDialog* SinumericDialog = nullptr;

namespace {

constexpr uint32_t RowYellow = 0x00FFFF, RowGreen = 0x008000;

// The number at the start of S (digits only): what a tool call holds after "T" or "D".
int LeadingNumber(const std::string& S) {
    int v = 0;
    std::from_chars(S.data(), S.data() + S.size(), v);
    return v;
}

// A name that begins with a tool call gives it to the tool's numbers when they are
// unset; the name keeps only its description.
void MigrateToolCalls() {
    for (int i = 1; i <= ToolLayerCount; ++i) {
        TTool& T = Glob.Tool[i];
        std::string call, rest;
        if (T.Tnum != 0 || T.Dnum != 0 || !SinumericToolName(T.JmNastroje, call, rest)) continue;
        T.JmNastroje.erase(0, call.size());
        if (!T.JmNastroje.empty() && T.JmNastroje[0] == ' ') T.JmNastroje.erase(0, 1);
        const size_t d = call.find('D');
        T.Tnum = LeadingNumber(call.substr(1, d - 1));
        T.Dnum = LeadingNumber(call.substr(d + 1));
    }
}

}  // namespace

TSinumericDialog::TSinumericDialog() : TForm("SinumericDialog") {
    Caption = "Export pro Sinumeric802";
    BorderStyle = TBorderStyle::bsSizeable;
    Width = 530;
    Height = 700;
    auto Place = [](TControl* C, int X, int Y, int W, int H) {
        C->Left = X;
        C->Top = Y;
        C->Width = W;
        C->Height = H;
    };
    GrBoxZeroPoint = Make<TGroupBox>("GrBoxZeroPoint");
    GrBoxZeroPoint->Caption = " Nulový bod ";
    Place(GrBoxZeroPoint, 8, 8, 160, 96);
    const char* zero[] = {"G54", "G55", "G56", "G57"};
    TRadioButton** btn[] = {&RBtnG54, &RBtnG55, &RBtnG56, &RBtnG57};
    for (int i = 0; i < 4; ++i) {
        *btn[i] = Make<TRadioButton>(std::string("RBtn") + zero[i], GrBoxZeroPoint);
        (*btn[i])->Caption = zero[i];
        Place(*btn[i], 10 + (i / 2) * 70, 26 + (i % 2) * 30, 64, 24);
    }
    RBtnG54->Checked = true;

    GroupBox1 = Make<TGroupBox>("GroupBox1");
    GroupBox1->Caption = "Číslování bloků";
    Place(GroupBox1, 176, 8, 160, 96);
    ChBoxLineCount = Make<TCheckBox>("ChBoxLineCount", GroupBox1);
    ChBoxLineCount->Caption = "Použít";
    Place(ChBoxLineCount, 10, 26, 140, 24);
    LabNumIncrement = Make<TLabel>("LabNumIncrement", GroupBox1);
    LabNumIncrement->Caption = "Inkrement";
    Place(LabNumIncrement, 10, 60, 70, 22);
    EditInkrement = Make<TEdit>("EditInkrement", GroupBox1);
    EditInkrement->Text = "10";
    Place(EditInkrement, 84, 56, 66, 28);

    GrBoxProgramStop = Make<TGroupBox>("GrBoxProgramStop");
    GrBoxProgramStop->Caption = "Program STOP";
    Place(GrBoxProgramStop, 344, 8, 170, 96);
    ChBoxProgStop = Make<TCheckBox>("ChBoxProgStop", GrBoxProgramStop);
    ChBoxProgStop->Caption = "Po každé hladině";
    Place(ChBoxProgStop, 10, 26, 154, 24);
    CboxProgramStopMode = Make<TComboBox>("CboxProgramStopMode", GrBoxProgramStop);
    CboxProgramStopMode->Items = {"M0", "M1"};
    Place(CboxProgramStopMode, 10, 56, 90, 28);

    RGroupStopMode = Make<TRadioGroup>("RGroupStopMode");
    RGroupStopMode->Caption = "Dojetí souřadnic";
    RGroupStopMode->Items = {"Automaticky", "Přesné (G60)", "Plynulé (G64)"};
    RGroupStopMode->ItemIndex = 0;
    RGroupStopMode->Visible = false;
    RGroupStopMode->NeverShown = true;
    RGroupStopMode->Stacked = true;
    Place(RGroupStopMode, 8, 112, 200, 90);

    DrawGrid = Make<TStringGrid>("DrawGrid");
    Place(DrawGrid, 8, 108, 506, Height - 175);
    DrawGrid->FixedCols = 0;
    DrawGrid->FixedRows = 1;
    DrawGrid->DefaultRowHeight = 24;
    DrawGrid->ColWidths = {103, 15, 188, 172, 2};
    DrawGrid->SetSize(5, 1);

    BtnSave = Make<TButton>("BtnSave");
    BtnSave->Caption = "Návodka";
    Place(BtnSave, 8, Height - 64, 100, 30);
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    Place(BitBtnOK, 300, Height - 64, 100, 30);
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Storno";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    Place(BitBtnCancel, 410, Height - 64, 100, 30);

    BitBtnOK->OnClick = [] { WriteLog("Usr:ok"); };
    BtnSave->OnClick = [this] { BtnSaveClick(); };
    OnShow = [this] { FormShow(); };
    OnResize = [this] { FormResize(); };
    OnClose = [this](TCloseAction&) {
        const int mode = RGroupStopMode->ItemIndex;
        const int stop = CboxProgramStopMode->ItemIndex;
        WriteLog("Sys:SinumericOutDg Close (Offset:" + ZeroPoint() +
                 (ChBoxLineCount->Checked ? " BlockNum:true" : " BlockNum:false") + " NumIncr:" + EditInkrement->Text +
                 (ChBoxProgStop->Checked ? " ProgStopEveryLa:true" : " ProgStopEveryLa:false") + " ProgStopMode:" +
                 (stop >= 0 && stop < int(CboxProgramStopMode->Items.size()) ? CboxProgramStopMode->Items[stop] : "") +
                 " PathMode:" + (mode == 1 ? "Exact G60" : mode == 2 ? "Cont G64" : mode == 0 ? "Auto" : "") + ")");
        Glob.SinumStopMode = mode;
    };
    LangRegisterForm("SinumericDg", this);
}

TSinumericDialog::~TSinumericDialog() {
    LangUnregisterForm(this);
    if (SinumericDialog == this) SinumericDialog = nullptr;
}

std::string TSinumericDialog::ZeroPoint() const {
    for (const TRadioButton* b : {RBtnG54, RBtnG55, RBtnG56, RBtnG57})
        if (b->Checked) return b->Caption;
    return "G54";
}

void TSinumericDialog::FormShow() {
    WriteLog("Sys:SinumericOutDg Open");
    MigrateToolCalls();
    FillGrid();
    RGroupStopMode->ItemIndex = Glob.SinumStopMode;
}

void TSinumericDialog::FillGrid() {
    for (TGridRow& r : GridRows) r = TGridRow{};
    RowCount = 0;
    bool flag = false;
    std::string prevCall;
    for (int i = 1; i <= ToolLayerCount; ++i) {
        const TTool& T = Glob.Tool[i];
        if (!Glob.TabLayer[i].Show || T.Tnum <= 0 || T.Dnum <= 0 || T.ToolType >= 3 ||
            LayerIsEmpty(MainVars.DataStart, uint8_t(i)))
            continue;
        const std::string call = "T" + std::to_string(T.Tnum) + "D" + std::to_string(T.Dnum);
        if (RowCount == 0 || call != prevCall) flag = !flag;
        prevCall = call;
        GridRows[size_t(++RowCount)] = TGridRow{i, flag ? RowYellow : RowGreen};
    }
    DrawGrid->SetSize(5, RowCount + 1);
    DrawGrid->CellColors.assign(5, std::vector<uint32_t>(size_t(RowCount + 1), clDefault));
    DrawGrid->ColWidths[4] = 0;
    DrawGrid->Cells[0][0] = "Hladina Kestrilonu";
    DrawGrid->Cells[2][0] = "Jm.nástroje(max.24znaků)";
    DrawGrid->Cells[3][0] = "Poznámka";
    for (int r = 1; r <= RowCount; ++r) {
        const int La = GridRows[size_t(r)].La;
        const TTool& T = Glob.Tool[La];
        DrawGrid->Cells[0][r] = "T" + std::to_string(La);
        DrawGrid->CellColors[1][size_t(r)] = GridRows[size_t(r)].Color;
        DrawGrid->Cells[2][r] = "T" + std::to_string(T.Tnum) + "D" + std::to_string(T.Dnum) + " " + T.JmNastroje;
        DrawGrid->Cells[3][r] = T.Poznamka;
    }
}

void TSinumericDialog::FormResize() {
    for (TControl* b : std::initializer_list<TControl*>{BitBtnCancel, BitBtnOK, BtnSave}) b->Top = Height - 64;
    DrawGrid->Height = Height - 175;
}

void TSinumericDialog::BtnSaveClick() {
    WriteLog("Usr:Gen repor");
    std::string base = ExportFileName.substr(ExportFileName.find_last_of("/\\") + 1);
    base = base.substr(0, base.find('.'));
    TSaveDialog d;
    d.Filter = "Any file (*.*)|*.*";
    d.FileName = base + ".txt";
    d.InitialDir = Glob.IniDirExpImp;
    if (!d.Execute()) return;
    WriteLog("Sys:Save report file:" + base);
    if (!WriteSetupSheet(*this, d.FileName)) {
        WriteLog("Err:FAILED Save report file (" + d.FileName + ")");
        ShowMessage(Msg[25]);
    }
}

void CreateSinumericDialog() { SinumericDialog = RemakeForm<TSinumericDialog>(); }

void FreeSinumericDialog() {
    if (SinumericDialog) CreateSinumericDialog();
}
