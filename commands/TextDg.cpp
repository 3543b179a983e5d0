#include "commands/TextDg.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/Types.h"
#include "core/UniLog.h"
#include "core/UniText.h"
#include "core/UniTrueType.h"
#include "shell/UniLang.h"

TTextDialog* TextDialog = nullptr;

namespace {
// The instance of the run (the start-up makes it; a command makes it when missing).
// It is left to the end of the process: no form may outlive the responder's teardown.
TTextDialog* Dlg = nullptr;
}  // namespace

namespace {

constexpr Extended Pi = 3.1415926535897932385L;
constexpr const char* JustifyNames[9] = {"BottomLeft", "BottomCenter", "BottomRight",
                                         "MiddleLeft", "MiddleCenter", "MiddleRight",
                                         "TopLeft",    "TopCenter",    "TopRight"};

std::string LowerAscii(std::string S) {
    for (char& c : S)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return S;
}

// The box's number, or false (with Mark, the command line is marked " = INVALID").
bool BoxNumber(const TEdit* E, Extended& V, bool Mark) { return StrToExtCalc(E->Text, V, Mark); }

// The number shown in a box: general format, 15 digits, the user's separator.
std::string BoxText(Extended X) { return GeneralNumText(X); }

}  // namespace

bool IsStrokeFontName(const std::string& Name) {
    return Name.size() >= 4 && UpCaseStr(Name.substr(Name.size() - 4)) == ".SHP";
}

std::string StripDiacritics(const std::string& S) {
    static const std::array<uint8_t, 256> Map = [] {
        std::array<uint8_t, 256> M{};
        for (int i = 0; i < 256; ++i) M[i] = uint8_t(i);
        const std::string From = Utf8ToCp1250("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚÝŽ");
        const std::string To = "acdeeinorstuuyzACDEEINORSTUYZ";
        for (size_t i = 0; i < From.size() && i < To.size(); ++i) M[uint8_t(From[i])] = uint8_t(To[i]);
        return M;
    }();
    std::string Out = S;
    for (char& c : Out) c = char(Map[uint8_t(c)]);
    return Out;
}

std::vector<std::string> TrueTypeFamilies() {
    std::vector<std::string> Out;
    FcPattern* Pat = FcPatternCreate();
    FcPatternAddBool(Pat, FC_SCALABLE, FcTrue);
    FcObjectSet* Os = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* Set = FcFontList(nullptr, Pat, Os);
    std::set<std::string> Seen;
    if (Set) {
        for (int i = 0; i < Set->nfont; ++i) {
            FcChar8* Fam = nullptr;
            if (FcPatternGetString(Set->fonts[i], FC_FAMILY, 0, &Fam) != FcResultMatch || !Fam) continue;
            const std::string Name = reinterpret_cast<const char*>(Fam);
            if (Name.empty() || !Seen.insert(LowerAscii(Name)).second) continue;
            // Only a face that really outlines "A" is offered.
            TTrueTypeFace* Face = CachedFace(Utf8ToCp1250(Name), false, false);
            if (!Face || !Face->Ok()) continue;
            TObjHeader *S = nullptr, *E = nullptr;
            GlyphOutline(*Face, 'A', S, E, 1);
            const bool Has = S != nullptr;
            FreeObjList(S, E);
            if (Has) Out.push_back(Name);
        }
        FcFontSetDestroy(Set);
    }
    FcObjectSetDestroy(Os);
    FcPatternDestroy(Pat);
    return Out;
}

TTextDialog::TTextDialog() : TForm("TextDialog") {
    Caption = "Parametry textu";
    BorderStyle = TBorderStyle::bsSizeable;
    Width = 426;
    Height = 392;
    auto Lab = [this](const char* N, const char* C, int X, int Y, TControl* In = nullptr) {
        TLabel* L = Make<TLabel>(N, In);
        L->Caption = C;
        L->Left = X;
        L->Top = Y;
        return L;
    };
    auto Edit = [this](const char* N, int X, int Y, int W) {
        TEdit* E = Make<TEdit>(N);
        E->Left = X;
        E->Top = Y;
        E->Width = W;
        E->Height = 24;
        return E;
    };
    auto Box = [this](const char* N, const char* C, int X, int Y) {
        TCheckBox* B = Make<TCheckBox>(N);
        B->Caption = C;
        B->Left = X;
        B->Top = Y;
        return B;
    };
    Lab("LabText", "Text", 8, 4);
    EditString = Edit("EditString", 8, 22, Width - 20);
    Lab("LabFont", "Font", 8, 52);
    DrawGridFont = Make<TStringGrid>("DrawGridFont");
    DrawGridFont->Left = 8;
    DrawGridFont->Top = 70;
    DrawGridFont->Width = 186;
    DrawGridFont->Height = 170;
    DrawGridFont->FixedCols = 0;
    DrawGridFont->FixedRows = 0;
    ComboBoxFont = Make<TComboBox>("ComboBoxFont");
    ComboBoxFont->Visible = false;
    ComboBoxFont->NeverShown = true;
    Lab("LabHeight", "Výška verzálky", 204, 56);
    EditVyska = Edit("EditVyska", 320, 52, 94);
    Lab("LabWidthFactor", "Šířkový faktor", 204, 82);
    EditWidthFactor = Edit("EditWidthFactor", 320, 78, 94);
    LabAngleSpace = Lab("LabAngleSpace", "Zkosení", 204, 108);
    EditZkoseni = Edit("EditZkoseni", 320, 104, 94);
    Lab("LabRotate", "Rotace", 204, 134);
    EditRotace = Edit("EditRotace", 320, 130, 94);
    Lab("LabBetweenRows", "Mezi řádky", 204, 160);
    EditMeziRadky = Edit("EditMeziRadky", 320, 156, 94);
    Lab("LabInsertPoint", "Vkládací bod", 204, 186);
    EditOriginX = Edit("EditOriginX", 290, 182, 60);
    EditOriginY = Edit("EditOriginY", 354, 182, 60);
    ChBoxMirror = Box("ChBoxMirror", "Zrcadlení", 204, 212);
    ChBoxBold = Box("ChBoxBold", "Tučné", 204, 236);
    ChBoxItalic = Box("ChBoxItalic", "Kurzíva", 300, 236);
    // The alignment grid: columns left, centre, right; rows bottom, middle, top.
    GrBoxJustify = Make<TGroupBox>("GrBoxJustify");
    GrBoxJustify->Caption = " Zarovnání textu ";
    GrBoxJustify->Left = 8;
    GrBoxJustify->Top = 248;
    GrBoxJustify->Width = 186;
    GrBoxJustify->Height = 112;
    for (int j = 0; j < 9; ++j) {
        TRadioButton* B = Make<TRadioButton>(JustifyNames[j], GrBoxJustify);
        B->Left = 62 + 43 * (j % 3);
        B->Top = 84 - 22 * (j / 3);
        B->Width = 20;
        B->Height = 20;
        JustifyButtons[j] = B;
    }
    JustifyButtons[0]->Checked = true;
    Lab("LabTop", "Nahoře", 6, 42, GrBoxJustify);
    Lab("LabMiddle", "Střed", 6, 64, GrBoxJustify);
    Lab("LabBottom", "Dole", 6, 86, GrBoxJustify);
    Lab("LabLeft", "Vlevo", 54, 22, GrBoxJustify);
    Lab("LabCenter", "Střed", 97, 22, GrBoxJustify);
    Lab("LabRight", "Vpravo", 137, 22, GrBoxJustify);
    Lab("LabShow", "Náhled", 204, 262);
    TPanel* PanelPrev = Make<TPanel>("PanelPrev");
    PanelPrev->Left = 204;
    PanelPrev->Top = 280;
    PanelPrev->Width = 210;
    PanelPrev->Height = 64;
    ImgPrev = Make<TPaintBox>("ImgPrev", PanelPrev);
    ImgPrev->Left = 2;
    ImgPrev->Top = 2;
    ImgPrev->Width = 206;
    ImgPrev->Height = 60;
    ImgPrev->OnPaint = [this] { Preview(); };
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    BitBtnOK->Left = 204;
    BitBtnOK->Top = 354;
    BitBtnOK->Width = 100;
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel");
    BitBtnCancel->Caption = "Zrušit";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    BitBtnCancel->Left = 314;
    BitBtnCancel->Top = 354;
    BitBtnCancel->Width = 100;

    EditString->OnChange = [this] { Preview(); };
    EditWidthFactor->OnChange = [this] { LiveWidthFactor(); };
    EditZkoseni->OnChange = [this] { LiveSlant(); };
    ChBoxBold->OnClick = [this] { StyleFromBoxes(); Preview(); };
    ChBoxItalic->OnClick = [this] { StyleFromBoxes(); Preview(); };
    DrawGridFont->OnSelectCell = [this](int32_t, int32_t Row, bool&) { SelectFontRow(Row); };
    BitBtnOK->OnClick = [this] { OkClick(); };
    BitBtnCancel->OnClick = [] { WriteLog("Usr:cancel"); };
    OnShow = [this] { FormShow(); };
    OnPaint = [this] { Preview(); };
    OnResize = [this] { EditString->Width = Width - 20; };
    OnClose = [this](TCloseAction&) {
        WorkText = Par;
        WriteLog("Sys:TextDg Close");
    };

    BuildFontList();
    LangRegisterForm("TextDg", this, [this](const std::string& Key, const std::string& Value) {
        if (Key == "LabAngle") StrAngle = Value;
        if (Key == "LabSpace") StrSpace = Value;
        LabAngleSpace->Caption = RowIsStroke() ? StrAngle : StrSpace;
    });
}

TTextDialog::~TTextDialog() {
    LangUnregisterForm(this);
    if (TextDialog == this) TextDialog = nullptr;
}

void TTextDialog::BuildFontList() {
    std::vector<std::string> Names;
    for (const TShpFont& F : FontTab)
        if (!F.Name.empty()) Names.push_back(Cp1250ToUtf8(F.Name));
    for (const std::string& N : TrueTypeFamilies()) Names.push_back(N);
    std::stable_sort(Names.begin(), Names.end(),
                     [](const std::string& A, const std::string& B) { return LowerAscii(A) < LowerAscii(B); });
    ComboBoxFont->Items = Names;
    DrawGridFont->SetSize(1, int32_t(Names.size()));
    for (size_t r = 0; r < Names.size(); ++r)
        DrawGridFont->Cells[0][r] = IsStrokeFontName(Names[r]) ? Names[r].substr(0, Names[r].size() - 4) : Names[r];
    DrawGridFont->Col = 0;
    DrawGridFont->Row = Names.empty() ? -1 : 0;
}

std::string TTextDialog::FindFontName(const std::string& Name) const {
    const std::string Key = LowerAscii(Name);
    for (const std::string& N : FontList())
        if (LowerAscii(N) == Key) return N;
    return {};
}

bool TTextDialog::RowIsStroke() const {
    const int R = FontRow();
    if (R < 0 || R >= int(FontList().size())) return IsStrokeFontName(Par.JmFontu);
    return IsStrokeFontName(FontList()[R]);
}

void TTextDialog::StyleFromBoxes() {
    TCanvas* C = PreviewCanvas();
    C->Font.Bold = ChBoxBold->Checked;
    C->Font.Italic = ChBoxItalic->Checked;
}

void TTextDialog::SelectFontRow(int Row) {
    if (Row < 0 || Row >= int(FontList().size())) return;
    const std::string& Name = FontList()[Row];
    WriteLog("Usr:Select font:" + Name);
    DrawGridFont->Row = Row;
    const bool Stroke = IsStrokeFontName(Name);
    ChBoxBold->Visible = !Stroke;
    ChBoxItalic->Visible = !Stroke;
    LabAngleSpace->Caption = Stroke ? StrAngle : StrSpace;
    if (!Stroke) {
        PreviewCanvas()->Font.Name = Name;
        StyleFromBoxes();
    }
    Preview();
}

TCanvas* TTextDialog::PreviewCanvas() { return ImgPrev->Canvas ? ImgPrev->Canvas : &OwnCanvas; }

void TTextDialog::FormShow() {
    WriteLog("Sys:TextDg Open");
    Par = WorkText;
    SelectFontRow(FontRow());
    const bool Stroke = IsStrokeFontName(Par.JmFontu);
    // The boxes are filled without their live edits: OK reads them again anyway.
    EditString->Text = Cp1250ToUtf8(Par.Text);
    EditVyska->Text = BoxText(Par.Vyska);
    EditWidthFactor->Text = BoxText(Par.WidthFactor);
    EditZkoseni->Text = BoxText(Stroke ? Par.Zkos * 180 / Pi : Par.Zkos);
    EditRotace->Text = BoxText(Par.Rotate * 180 / Pi);
    ChBoxMirror->Checked = Par.MirrorY;
    EditOriginX->Text = std::fabs(Par.Origin.x) < CoordTol ? "0" : BoxText(Par.Origin.x);
    EditOriginY->Text = std::fabs(Par.Origin.y) < CoordTol ? "0" : BoxText(Par.Origin.y);
    const int J = Par.Justify & 15;
    if (J <= 8)
        for (int j = 0; j < 9; ++j) JustifyButtons[j]->Checked = j == J;
    // A font that is not in the list selects no row: OK then keeps the record's font.
    const std::string Found = FindFontName(Cp1250ToUtf8(Par.JmFontu));
    if (Found.empty()) {
        DrawGridFont->Row = -1;
        ChBoxBold->Visible = !Stroke;
        ChBoxItalic->Visible = !Stroke;
        LabAngleSpace->Caption = Stroke ? StrAngle : StrSpace;
    } else {
        const int Row = int(std::find(FontList().begin(), FontList().end(), Found) - FontList().begin());
        if (Row != FontRow()) SelectFontRow(Row);
    }
    EditMeziRadky->Text = BoxText(Par.MeziRadky);
    Preview();
}

void TTextDialog::LiveWidthFactor() {
    Extended V = 0;
    if (BoxNumber(EditWidthFactor, V, false) && std::fabs(V) > CoordTol) Par.WidthFactor = V;
    Preview();
}

void TTextDialog::LiveSlant() {
    Extended V = 0;
    if (BoxNumber(EditZkoseni, V, false) && V > -89 && V < 89) Par.Zkos = RowIsStroke() ? V * Pi / 180 : V;
    Preview();
}

void TTextDialog::OkClick() {
    WriteLog("Usr:ok");
    const int R = FontRow();
    if (R >= 0 && R < int(FontList().size())) Par.JmFontu = Utf8ToCp1250(FontList()[R]).substr(0, FontNameMax);
    const bool Stroke = IsStrokeFontName(Par.JmFontu);
    Par.Text = Utf8ToCp1250(EditString->Text).substr(0, 255);
    Extended V = 0;
    if (BoxNumber(EditVyska, V, true)) Par.Vyska = V;
    if (BoxNumber(EditWidthFactor, V, true)) Par.WidthFactor = V;
    if (BoxNumber(EditZkoseni, V, true)) Par.Zkos = Stroke ? V * Pi / 180 : V;
    if (BoxNumber(EditRotace, V, true)) Par.Rotate = V * Pi / 180;
    if (BoxNumber(EditOriginX, V, true)) Par.Origin.x = V;
    if (BoxNumber(EditOriginY, V, true)) Par.Origin.y = V;
    Par.MirrorY = ChBoxMirror->Checked;
    uint8_t J = 0;
    for (int j = 0; j < 9; ++j)
        if (JustifyButtons[j]->Checked) J = uint8_t(j);
    if (!Stroke) {
        J |= JustifyTrueType;
        if (ChBoxBold->Checked) J |= JustifyBold;
        if (ChBoxItalic->Checked) J |= JustifyItalic;
    }
    Par.Justify = J;
    if (BoxNumber(EditMeziRadky, V, true)) Par.MeziRadky = V;
    WorkText = Par;
}

void TTextDialog::Preview() {
    TCanvas* C = PreviewCanvas();
    const TRect Box = C->ClipRect();
    const int R = FontRow();
    const bool HasRow = R >= 0 && R < int(FontList().size());
    if (!RowIsStroke()) {
        C->PenColor = 0x00FFFFFF;
        C->BrushColor = 0x00FFFFFF;
        C->BrushStyle = TBrushStyle::bsSolid;
        C->FillRect(Box);
        C->Font.Color = 0x00FF0000;
        // A cap height of about half the box: the sample stays whole in it.
        C->Font.Size = std::max(6, Box.Height() * 2 / 5);
        C->TextOut(2, 2, EditString->Text.empty() ? std::string("Text") : EditString->Text);
        return;
    }
    // Stroke font: the text is built in a private list with the dialog's parameters;
    // the shared parameters are put back afterwards.
    const ParText Saved = WorkText;
    ParText P = Par;
    if (HasRow) P.JmFontu = Utf8ToCp1250(FontList()[R]).substr(0, FontNameMax);
    P.Vyska = Box.Height() / 2.0L;
    P.Origin = {1, Box.Height() / 4.0L};
    P.Justify = 0;
    auto Count = [&P](const std::string& S) {
        WorkText = P;
        WorkText.Text = S;
        TObjHeader *First = nullptr, *Last = nullptr;
        int N = 0;
        if (TObjHeader* T = EnText.Add(1, First, Last, false)) {
            EnText.Explode(T, true, First, Last);
            for (TObjHeader* p = First; p; p = p->Next) ++N;
        }
        FreeObjList(First, Last);
        return N;
    };
    const bool Czech = Count(Utf8ToCp1250("č")) > Count("c");
    std::string S = EditString->Text.empty() ? std::string("Text") : Utf8ToCp1250(EditString->Text).substr(0, 255);
    if (!Czech) S = StripDiacritics(S);
    WorkText = P;
    WorkText.Text = S;
    TObjHeader *First = nullptr, *Last = nullptr;
    EnText.Add(1, First, Last, false);
    C->PenColor = 0x00FFFFFF;
    C->BrushColor = 0x00FFFFFF;
    C->BrushStyle = TBrushStyle::bsSolid;
    C->FillRect(Box);
    C->PenWidth = 2;
    C->PenColor = 0x000000FF;
    if (First) EnText.PrevDraw(First, C);
    FreeObjList(First, Last);
    WorkText = Saved;
}

void CreateTextDialog() {
    delete Dlg;
    Dlg = new TTextDialog();
    TextDialog = Dlg;
}

void FreeTextDialog() {
    delete Dlg;
    Dlg = nullptr;
    TextDialog = nullptr;
}
