#include "shell/ViewDg.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "platform/FormRemake.h"
#include "shell/InputBox.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"

TViewDialog* ViewDialog = nullptr;

namespace {

const uint32_t LayerCycle[8] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF, 0xC0C0C0};
const char* const SpecialSuffix[4] = {"Mat", "Upin", "Koty", "Orig"};
const char* const DirSwatch[5] = {"ShColorLeve", "ShColorPrave", "ShColorOtevrene", "ShColorPrekrizene",
                                  "ShColorTexty"};
const char* const DirBox[5] = {"ChBoxLeft", "ChBoxRight", "ChBoxOpen", "ChBoxCross", "ChBoxText"};
const char* const DirCaption[5] = {"Levotočivé", "Pravotočivé", "Otevřené", "Překřížené", "Texty"};

// Width of the tool buttons' client area and of one character of their font, pixels.
constexpr int ToolBtnWidth = 90, ToolBtnClient = ToolBtnWidth - 8, CharWidth = 7;

int Utf8Length(const std::string& S) {
    int n = 0;
    for (unsigned char c : S)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// Every record reachable from Obj (the record, group members at any depth, a text's
// outline group and its members).
void CollectRecords(TObjHeader* Obj, std::unordered_set<const TObjHeader*>& Out) {
    Out.insert(Obj);
    if (Obj->Type == ObjGroup)
        for (TObjHeader* m = AsGroup(Obj)->First; m; m = m->Next) CollectRecords(m, Out);
    if (Obj->Type == ObjText && AsText(Obj)->AdrGroup) CollectRecords(AsText(Obj)->AdrGroup, Out);
}

// Drops from every operation the links to records about to be freed.
void DropOpLinks(const std::unordered_set<const TObjHeader*>& Gone) {
    if (Gone.empty()) return;
    auto Compact = [&](std::vector<TObjHeader*>& V, int32_t& Cnt) {
        const int32_t n = std::min<int32_t>(Cnt, int32_t(V.size()));
        int32_t k = 0;
        for (int32_t i = 0; i < n; ++i)
            if (!Gone.count(V[i])) V[k++] = V[i];
        for (int32_t i = k; i < n; ++i) V[i] = nullptr;
        Cnt = k;
    };
    for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i) {
        TCamOp& Op = OpList.Cam[i];
        Compact(Op.Parents, Op.ParCnt);
        Compact(Op.Childs, Op.ChilCnt);
    }
}

int ReadLayer(const std::string& Caption) {
    return LayerNumberOf(InputBox(Caption, "T1...T64", ""));
}

}  // namespace

int LayerNumberOf(const std::string& Answer) {
    const std::string U = LangUpperCase(Answer);
    for (int n = 1; n <= 64; ++n)
        if (U == "T" + std::to_string(n)) return n;
    return 0;
}

std::string ViewModeText(int View) {
    switch (View) {
        case vToolUp: return StrToolUp;
        case vToolDn: return StrToolDn;
        case vDir: return StrDir;
        case vSort: return StrSort;
        default: return StrLayer;
    }
}

bool LayerIsEmptyOf(int Layer) { return LayerIsEmpty(MainVars.DataStart, uint8_t(Layer)); }

void DeleteLayerObjsOf(int Layer) {
    std::vector<TObjHeader*> Doomed;
    // The records are unlinked first so that the operation links to them can be
    // dropped before they are freed with everything they hold.
    UnlinkLayerObjs(MainVars.DataStart, MainVars.DataEnd, uint8_t(Layer), Doomed);
    std::unordered_set<const TObjHeader*> Gone;
    for (TObjHeader* p : Doomed) CollectRecords(p, Gone);
    DropOpLinks(Gone);
    for (TObjHeader* p : Doomed) {
        TObjHeader* S = p;
        TObjHeader* E = p;
        DeleteObj(p, S, E);
    }
}

void ChangeLayerObjsOf(int From, int To) { ChangeLayerObjs(MainVars.DataStart, uint8_t(From), uint8_t(To)); }

TViewDialog::TViewDialog() : TForm("ViewDialog") {
    Caption = "Zobrazení";
    BorderStyle = TBorderStyle::bsSizeable;
    Width = 470;
    Height = 600;
    PageControl1 = Make<TPageControl>("PageControl1");
    PageControl1->Align = TAlign::alClient;
    TabLayers = Make<TTabSheet>("TabSheetLayer", PageControl1);
    TabLayers->Caption = "Hladina";
    TabDir = Make<TTabSheet>("TabSheetDir", PageControl1);
    TabDir->Caption = "Směr";
    TabSort = Make<TTabSheet>("TabSheetSort", PageControl1);
    TabSort->Caption = "Pořadí";
    TabHelp = Make<TTabSheet>("TabSheetHelp", PageControl1);
    TabHelp->Caption = "Help";

    auto Place = [](TControl* C, int L, int T, int W, int H) {
        C->Left = L, C->Top = T, C->Width = W, C->Height = H;
    };
    auto Swatch = [&](const std::string& N, TControl* Parent, int L, int T) {
        TPanel* P = Make<TPanel>(N, Parent);
        Place(P, L, T, 30, 16);
        P->OnMouseDown = [P](TMouseButton, uint8_t, int32_t, int32_t) {
            TColorDialog D;
            if (D.Execute()) P->Color = D.Color;
        };
        return P;
    };

    // Page "Hladina": the special rows, the 64 tool rows, the view radios, the buttons.
    PanelSpecial = Make<TPanel>("PanelSpecial", TabLayers);
    Place(PanelSpecial, 4, 4, 250, 84);
    for (int i = 0; i < 4; ++i) {
        const int L = 65 + i, T = 2 + 20 * i;
        const std::string S = SpecialSuffix[i];
        RBtn[L] = Make<TRadioButton>("RBtn" + S, PanelSpecial);
        Place(RBtn[L], 4, T, 80, 18);
        RBtn[L]->OnClick = [this] {
            for (int n = 1; n <= 64; ++n) RBtn[n]->Checked = false;
        };
        ShColor[L] = Swatch("ShColor" + S, PanelSpecial, 90, T + 1);
        ChBox[L] = Make<TCheckBox>("ChBox" + S, PanelSpecial);
        Place(ChBox[L], 126, T, 20, 18);
    }
    // The 64 rows scroll inside the page.
    ScrollBox1 = Make<TScrollBox>("ScrollBox1", TabLayers);
    Place(ScrollBox1, 4, 92, 250, 420);
    for (int n = 1; n <= 64; ++n) {
        const int T = 2 + 20 * (n - 1);
        const std::string S = std::to_string(n);
        RBtn[n] = Make<TRadioButton>("RBtnT" + S, ScrollBox1);
        RBtn[n]->Caption = "T" + S;
        Place(RBtn[n], 4, T, 50, 18);
        RBtn[n]->OnClick = [this] {
            for (int L = 65; L <= 68; ++L) RBtn[L]->Checked = false;
        };
        ShColor[n] = Swatch("ShColorT" + S, ScrollBox1, 58, T + 1);
        ChBox[n] = Make<TCheckBox>("ChBoxT" + S, ScrollBox1);
        Place(ChBox[n], 94, T, 20, 18);
        BtnT[n] = Make<TButton>("BtnT" + S, ScrollBox1);
        Place(BtnT[n], 118, T, ToolBtnWidth, 18);
        BtnT[n]->OnClick = [this, n] {
            if (ShowToolDialogHook) ShowToolDialogHook(n - 1);
            AktualizaceNastroju();
        };
    }
    TGroupBox* GrView = Make<TGroupBox>("GroupBoxView", TabLayers);
    GrView->Caption = "Jak zobrazit";
    Place(GrView, 262, 4, 190, 94);
    RBtnZero = Make<TRadioButton>("RBtnZero", GrView);
    RBtnZero->Caption = "Nulová šířka";
    Place(RBtnZero, 8, 22, 170, 20);
    RBtnUp = Make<TRadioButton>("RBtnUp", GrView);
    RBtnUp->Caption = "Nástroj nahoře";
    Place(RBtnUp, 8, 44, 170, 20);
    RBtnDn = Make<TRadioButton>("RBtnDn", GrView);
    RBtnDn->Caption = "Nástroj dole";
    Place(RBtnDn, 8, 66, 170, 20);
    RBtnZero->Checked = true;
    auto Button = [&](const char* N, const char* C, int T, std::function<void()> Click) {
        TButton* B = Make<TButton>(N, TabLayers);
        B->Caption = C;
        Place(B, 262, T, 170, 26);
        B->OnClick = std::move(Click);
        return B;
    };
    BtnNone = Button("BtnNone", "Nic nezobrazit", 104, [this] { BtnNoneClick(); });
    BtnAll = Button("BtnAll", "Vše zobrazit", 134, [this] { BtnAllClick(); });
    BtnInsert = Button("BtnInsert", "Vložit hladinu", 174, [this] { BtnInsertClick(); });
    BtnChange = Button("BtnChange", "Výměna 2 hladin", 204, [this] { BtnChangeClick(); });
    BtnDelete = Button("BtnDelete", "Vyjmout hladinu", 234, [this] { BtnDeleteClick(); });

    // Page "Směr".
    for (int k = 0; k < 5; ++k) {
        ShColorDir[k] = Swatch(DirSwatch[k], TabDir, 10, 12 + 24 * k);
        ChBoxDir[k] = Make<TCheckBox>(DirBox[k], TabDir);
        ChBoxDir[k]->Caption = DirCaption[k];
        Place(ChBoxDir[k], 50, 10 + 24 * k, 200, 20);
    }
    ChBoxArrow = Make<TCheckBox>("ChBoxArrow", TabDir);
    ChBoxArrow->Caption = "Šipky";
    Place(ChBoxArrow, 50, 10 + 24 * 5 + 8, 200, 20);

    // Page "Pořadí".
    TLabel* Note = Make<TLabel>("LabelSortNote", TabSort);
    Note->Caption = "Zobrazena je jen aktivní hladina !";
    Place(Note, 10, 8, 300, 18);
    const char* SortNames[5] = {"ShColorPoint", "ShColorPline", "ShColorText", "ShColorGroup", "ShColorSpace"};
    const char* SortCaps[5] = {"Body", "Polyline", "Texty", "Skupiny", "3D Polyline"};
    TPanel** SortSw[5] = {&ShColorPoint, &ShColorPline, &ShColorText, &ShColorGroup, &ShColorSpace};
    for (int k = 0; k < 5; ++k) {
        *SortSw[k] = Swatch(SortNames[k], TabSort, 10, 36 + 24 * k);
        TLabel* L = Make<TLabel>(std::string("Lab") + SortNames[k], TabSort);
        L->Caption = SortCaps[k];
        Place(L, 50, 36 + 24 * k, 200, 18);
    }
    auto SortBox = [&](const char* N, const char* C, int T) {
        TCheckBox* B = Make<TCheckBox>(N, TabSort);
        B->Caption = C;
        Place(B, 10, T, 260, 20);
        return B;
    };
    ChBoxSortCross = SortBox("ChBoxSortCross", "Přejezdy mezi objekty", 170);
    ChBoxSortArrow = SortBox("ChBoxSortArrow", "Šipky (směry)", 194);
    ChBoxNum = SortBox("ChBoxNum", "Číselné popisky objektů", 218);
    ChBoxArrow->OnClick = [this] { ChBoxSortArrow->Checked = ChBoxArrow->Checked; };
    ChBoxSortArrow->OnClick = [this] { ChBoxArrow->Checked = ChBoxSortArrow->Checked; };

    MemoHelp = Make<TMemo>("MemoHelp", TabHelp);
    MemoHelp->Align = TAlign::alClient;

    TPanel* Bottom = Make<TPanel>("PanelButtons");
    Bottom->Align = TAlign::alBottom;
    Bottom->Height = 36;
    BitBtnOK = Make<TBitBtn>("BitBtnOK", Bottom);
    BitBtnOK->Caption = "OK";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Default = true;
    Place(BitBtnOK, 250, 4, 90, 28);
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
    BitBtnCancel = Make<TBitBtn>("BitBtnCancel", Bottom);
    BitBtnCancel->Caption = "Cancel";
    BitBtnCancel->ModalResult = mrCancel;
    BitBtnCancel->Cancel = true;
    Place(BitBtnCancel, 350, 4, 90, 28);
    BitBtnCancel->OnClick = [this] { BitBtnCancelClick(); };

    OnShow = [this] { FormShowHandler(); };
    OnClose = [](TCloseAction&) { WriteLog("Sys:ViewDg close"); };
    LangRegisterForm("ViewDg", this, [this](const std::string& K, const std::string& V) {
        std::string* T[] = {&StrDeleteLayer, &StrInvalidLayer, &StrNotEmptyLayer, &StrInsertLayer,
                            &StrNotEmptyT64, &StrFirstLayer, &StrSecondLayer};
        const char* Keys[] = {"StrDeleteLayer", "StrInvalidLayer", "StrNotEmptyLayer", "StrInsertLayer",
                              "StrNotEmptyT64", "StrFirstLayer", "StrSecondLayer"};
        for (int i = 0; i < 7; ++i)
            if (LangUpperCase(K) == LangUpperCase(Keys[i])) *T[i] = V;
    });
}

TViewDialog::~TViewDialog() {
    LangUnregisterForm(this);
    if (ViewDialog == this) ViewDialog = nullptr;
}

void CreateViewDialog() {
    ViewDialog = RemakeForm<TViewDialog>();
}

void TViewDialog::InitView() {
    for (int n = 1; n <= 64; ++n) {
        TLayer& L = Glob.TabLayer[n];
        L.Name = "T" + std::to_string(n);
        L.Show = true;
        L.Apply = false;
        L.Color = LayerCycle[(n - 1) % 8];
    }
    Glob.TabLayer[65].Name = StrLayer65Name;
    Glob.TabLayer[66].Name = StrLayer66Name;
    Glob.TabLayer[67].Name = StrLayer67Name;
    Glob.TabLayer[68].Name = StrLayer68Name;
    // Without a settings file the special layers too are drawn and can be picked (a
    // hidden stock outline could be neither seen nor selected), each in a colour of its own.
    const uint32_t Special[4] = {0x808080, 0x00A5FF, 0x00C000, 0xFFFFFF};
    for (int i = 0; i < 4; ++i) {
        Glob.TabLayer[LayerMat + i].Show = true;
        Glob.TabLayer[LayerMat + i].Color = Special[i];
    }
    Glob.LayerDraw = LayerOrig;
    const uint32_t DirColor[5] = {0x0000FF, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFFFF00};
    for (int k = 0; k < DirKindCount; ++k) Glob.Direct[k] = {true, DirColor[k]};
    Glob.Sort.Prejezdy = false;
    Glob.Sort.Cisla = true;
    Glob.Sort.PointColor = 0x00FFFF;
    Glob.Sort.PlineColor = 0x0000FF;
    Glob.Sort.TextColor = 0xFFFF00;
    Glob.Sort.GroupColor = 0x00FF00;
    Glob.Sort.SpaceColor = 0xFF00FF;
    WriteLog("Sys:Init View");
    if (MainForm && MainForm->Panel_L_D) MainForm->Panel_L_D->Caption = StrLayer;
    if (MainForm && MainForm->PanelDraw) {
        MainForm->PanelDraw->Caption = Glob.TabLayer[Glob.LayerDraw].Name;
        MainForm->PanelDraw->Color = Glob.TabLayer[Glob.LayerDraw].Color;
    }
}

std::string TViewDialog::ZkratJmeno(const std::string& S) const {
    std::string R = S;
    while (!R.empty() && Utf8Length(R) * CharWidth > ToolBtnClient) {
        R.pop_back();
        while (!R.empty() && (static_cast<unsigned char>(R.back()) & 0xC0) == 0x80) R.pop_back();
        // A lead byte left without its continuation bytes goes too.
        if (!R.empty() && (static_cast<unsigned char>(R.back()) & 0xC0) == 0xC0) R.pop_back();
    }
    return R;
}

void TViewDialog::AktualizaceNastroju() {
    for (int n = 1; n <= 64; ++n) BtnT[n]->Caption = ZkratJmeno(Glob.Tool[n].JmNastroje);
    const int L = Glob.LayerDraw;
    if (L >= 1 && L <= 68) {
        for (int i = 1; i <= 68; ++i) RBtn[i]->Checked = i == L;
    }
}

void TViewDialog::FormShowHandler() {
    WriteLog("Sys:ViewDg Open");
    for (int i = 0; i < 4; ++i) RBtn[65 + i]->Caption = Glob.TabLayer[65 + i].Name;
    for (int L = 1; L <= 68; ++L) {
        ChBox[L]->Checked = Glob.TabLayer[L].Show;
        ShColor[L]->Color = Glob.TabLayer[L].Color;
    }
    AktualizaceNastroju();
    for (int k = 0; k < 5; ++k) {
        ShColorDir[k]->Color = Glob.Direct[k].Color;
        ChBoxDir[k]->Checked = Glob.Direct[k].Show;
    }
    ChBoxArrow->Checked = Glob.Arrow;
    ChBoxSortArrow->Checked = Glob.Arrow;
    ChBoxSortCross->Checked = Glob.Sort.Prejezdy;
    ChBoxNum->Checked = Glob.Sort.Cisla;
    ShColorPoint->Color = Glob.Sort.PointColor;
    ShColorPline->Color = Glob.Sort.PlineColor;
    ShColorText->Color = Glob.Sort.TextColor;
    ShColorGroup->Color = Glob.Sort.GroupColor;
    ShColorSpace->Color = Glob.Sort.SpaceColor;
    auto Only = [this](TRadioButton* R) {
        for (TRadioButton* B : {RBtnZero, RBtnUp, RBtnDn}) B->Checked = B == R;
    };
    switch (Glob.View) {
        case vLayer: PageControl1->ActivePageIndex = 0, Only(RBtnZero); break;
        case vToolUp: PageControl1->ActivePageIndex = 0, Only(RBtnUp); break;
        case vToolDn: PageControl1->ActivePageIndex = 0, Only(RBtnDn); break;
        case vDir: PageControl1->ActivePageIndex = 1; break;
        case vSort: PageControl1->ActivePageIndex = 2; break;
    }
}

void TViewDialog::BitBtnOKClick() {
    WriteLog("Usr:ok");
    for (int L = 1; L <= 68; ++L) Glob.TabLayer[L].Show = ChBox[L]->Checked;
    for (int L = 1; L <= 68; ++L) Glob.TabLayer[L].Color = ShColor[L]->Color;
    for (int L = 1; L <= 68; ++L)
        if (RBtn[L]->Checked) {
            Glob.LayerDraw = uint8_t(L);
            break;
        }
    for (int k = 0; k < 5; ++k) Glob.Direct[k].Color = ShColorDir[k]->Color;
    for (int k = 0; k < 5; ++k) Glob.Direct[k].Show = ChBoxDir[k]->Checked;
    Glob.Arrow = ChBoxArrow->Checked;
    Glob.Sort.Prejezdy = ChBoxSortCross->Checked;
    Glob.Arrow = ChBoxSortArrow->Checked;
    Glob.Sort.Cisla = ChBoxNum->Checked;
    Glob.Sort.PointColor = ShColorPoint->Color;
    Glob.Sort.PlineColor = ShColorPline->Color;
    Glob.Sort.TextColor = ShColorText->Color;
    Glob.Sort.GroupColor = ShColorGroup->Color;
    Glob.Sort.SpaceColor = ShColorSpace->Color;
    switch (PageControl1->ActivePageIndex) {
        case 0:
            if (RBtnZero->Checked) Glob.View = vLayer;
            else if (RBtnUp->Checked) Glob.View = vToolUp;
            else if (RBtnDn->Checked) Glob.View = vToolDn;
            break;
        case 1: Glob.View = vDir; break;
        case 2: Glob.View = vSort; break;
        default: break;
    }
    if (MainForm && MainForm->Panel_L_D) MainForm->Panel_L_D->Caption = ViewModeText(Glob.View);
    if (MainForm && MainForm->PanelDraw) {
        MainForm->PanelDraw->Caption = Glob.TabLayer[Glob.LayerDraw].Name;
        MainForm->PanelDraw->Color = Glob.TabLayer[Glob.LayerDraw].Color;
    }
}

void TViewDialog::BitBtnCancelClick() { WriteLog("Usr:cancel"); }

void TViewDialog::BtnNoneClick() {
    WriteLog("Usr:show none");
    for (int L = 65; L <= 68; ++L) ChBox[L]->Checked = false;
    for (int L = 1; L <= 64; ++L) ChBox[L]->Checked = false;
}

void TViewDialog::BtnAllClick() {
    WriteLog("Usr:show all");
    for (int L = 65; L <= 68; ++L) ChBox[L]->Checked = true;
    for (int L = 1; L <= 64; ++L) ChBox[L]->Checked = true;
}

bool TViewDialog::DeleteLayer(int A) {
    if (A < 1 || A > 64) return false;
    if (!LayerIsEmptyOf(A) && MessageDlg(StrNotEmptyLayer, TMsgDlgType::mtWarning, mbYesNo) == mrNo) return false;
    DeleteLayerObjsOf(A);
    for (int k = A; k <= 63; ++k) ChangeLayerObjsOf(k + 1, k);
    for (int k = A; k <= 63; ++k) Glob.Tool[k] = Glob.Tool[k + 1];
    MainVars.FileSaved = false;
    return true;
}

bool TViewDialog::InsertLayer(int A) {
    if (A < 1 || A > 64) return false;
    if (!LayerIsEmptyOf(64) && MessageDlg(StrNotEmptyT64, TMsgDlgType::mtWarning, mbYesNo) == mrNo) return false;
    DeleteLayerObjsOf(64);
    MainVars.FileSaved = false;
    if (A == 64) return true;
    for (int k = 63; k >= A; --k) ChangeLayerObjsOf(k, k + 1);
    for (int k = 63; k >= A; --k) Glob.Tool[k + 1] = Glob.Tool[k];
    return true;
}

void TViewDialog::ExchangeLayers(int A, int B) {
    ChangeLayerObjsOf(A, 0);
    ChangeLayerObjsOf(B, A);
    ChangeLayerObjsOf(0, B);
    std::swap(Glob.Tool[A], Glob.Tool[B]);
    if (A != B) MainVars.FileSaved = false;
    if (MainForm) MainForm->ComRedraw();
}

void TViewDialog::BtnDeleteClick() {
    WriteLog("Usr:delete layer");
    const int A = ReadLayer(StrDeleteLayer);
    if (A == 0) {
        WriteLog("Err:Invalid layer, T" + std::to_string(A));
        ShowMessage(StrInvalidLayer);
        return;
    }
    DeleteLayer(A);
}

void TViewDialog::BtnInsertClick() {
    WriteLog("Usr:insert layer");
    const int A = ReadLayer(StrInsertLayer);
    if (A == 0) {
        WriteLog("Err:Invalid layer, T" + std::to_string(A));
        ShowMessage(StrInvalidLayer);
        return;
    }
    InsertLayer(A);
}

void TViewDialog::BtnChangeClick() {
    WriteLog("Usr:Change layer");
    const int A = ReadLayer(StrFirstLayer);
    if (A == 0) {
        WriteLog("Err:Invalid layer2, T" + std::to_string(A));
        ShowMessage(Msg[30]);
        return;
    }
    const int B = ReadLayer(StrSecondLayer);
    if (B == 0) {
        WriteLog("Err:Invalid layer2, T" + std::to_string(B));
        ShowMessage(StrInvalidLayer);
        return;
    }
    ExchangeLayers(A, B);
}
