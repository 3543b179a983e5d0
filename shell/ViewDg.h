// The layer table's defaults and the layer and view dialog "Zobrazení": layer colours,
// visibility and the active layer, the view mode, the direction and machining-order
// view colours, and the three tool-layer operations (delete, insert, exchange), which
// act on the drawing and the tools at once.
#pragma once
#include <array>
#include <string>

#include "platform/Forms.h"

class TViewDialog : public TForm {
public:
    TViewDialog();
    ~TViewDialog() override;

    TPageControl* PageControl1;
    TTabSheet *TabLayers, *TabDir, *TabSort, *TabHelp;  // "Hladina", "Směr", "Pořadí", "Help"
    TPanel* ScrollBox1;     // the 64 tool-layer rows
    TPanel* PanelSpecial;   // the rows of layers 65..68
    // Index 1..68 ([0] unused): radio (active layer), swatch, show box; tool buttons 1..64.
    std::array<TRadioButton*, 69> RBtn{};
    std::array<TPanel*, 69> ShColor{};
    std::array<TCheckBox*, 69> ChBox{};
    std::array<TButton*, 65> BtnT{};
    TRadioButton *RBtnZero, *RBtnUp, *RBtnDn;  // "Jak zobrazit"
    TButton *BtnNone, *BtnAll, *BtnInsert, *BtnChange, *BtnDelete;
    // Direction page, in the order of Glob.Direct (ccw, cw, open, crossing, texts).
    std::array<TPanel*, 5> ShColorDir{};
    std::array<TCheckBox*, 5> ChBoxDir{};
    TCheckBox* ChBoxArrow;
    // Machining-order page.
    TPanel *ShColorPoint, *ShColorPline, *ShColorText, *ShColorGroup, *ShColorSpace;
    TCheckBox *ChBoxSortCross, *ChBoxSortArrow, *ChBoxNum;
    TMemo* MemoHelp;
    TBitBtn *BitBtnOK, *BitBtnCancel;

    // Texts of the dialog (language file section "ViewDg").
    std::string StrDeleteLayer = "Vyjmout hladinu", StrInvalidLayer = "Neplatná hladina",
                StrNotEmptyLayer = "Hladina není prázdná, objekty této hladiny nenávratně zmizí. Pokračovat?",
                StrInsertLayer = "Vlozit hladinu",
                StrNotEmptyT64 = "Hladina T64 není prázdná, objekty této hladiny nenávratně zmizí. Pokračovat?",
                StrFirstLayer = "První hladina", StrSecondLayer = "Druhá hladina";

    // Layer-table and view defaults (once at start-up, before the settings file).
    void InitView();
    // Tool names on the 64 tool buttons; the radio of the active layer checked.
    void AktualizaceNastroju();
    // The name cut, one character at a time from its end, to the tool buttons' width.
    std::string ZkratJmeno(const std::string& S) const;

    void FormShowHandler();
    void BitBtnOKClick();
    void BitBtnCancelClick();
    void BtnDeleteClick();
    void BtnInsertClick();
    void BtnChangeClick();
    void BtnNoneClick();
    void BtnAllClick();

    // The three operations on tool layers given by number (no question asked here
    // except the not-empty warnings); false when nothing was done.
    bool DeleteLayer(int A);
    bool InsertLayer(int A);
    void ExchangeLayers(int A, int B);
};

extern TViewDialog* ViewDialog;
void CreateViewDialog();

// "T1".."T64" (upper-cased, not trimmed) -> 1..64; anything else 0.
int LayerNumberOf(const std::string& Answer);
// Mode text of a view mode (StrLayer, StrToolUp, StrToolDn, StrDir, StrSort).
std::string ViewModeText(int View);

// Walks of the drawing list used by the layer operations (group members at any
// depth; a group record keeps its own layer byte).
bool LayerIsEmptyOf(int Layer);
// Removes every object of the layer; groups left empty go too. Every operation link
// to a removed record is dropped.
void DeleteLayerObjsOf(int Layer);
void ChangeLayerObjsOf(int From, int To);
