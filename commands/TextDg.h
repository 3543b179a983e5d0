// The text parameters dialog: edits the current text parameters WorkText (font,
// string, height, width factor, slant or letter spacing, rotation, mirror, line
// spacing, insertion point, justification, bold and italic) with a live preview.
//
// A caller copies what is to be edited into WorkText, shows the dialog modally and
// acts on WorkText only after the OK result. The dialog also owns the sorted list of
// every available font (stroke fonts of the font table and the system's TrueType
// families), which the text readers check font names against.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/ParText.h"
#include "platform/Forms.h"
#include "platform/RecordingCanvas.h"

class TTextDialog : public TForm {
public:
    TTextDialog();
    ~TTextDialog() override;

    TEdit* EditString;
    TStringGrid* DrawGridFont;  // one column, one row per font
    TComboBox* ComboBoxFont;    // hidden: the sorted font list
    TEdit *EditVyska, *EditWidthFactor, *EditZkoseni, *EditRotace, *EditMeziRadky;
    TEdit *EditOriginX, *EditOriginY;
    TLabel* LabAngleSpace;      // "Zkosení" (stroke font) / "Proložka % Vv" (TrueType)
    TCheckBox *ChBoxMirror, *ChBoxBold, *ChBoxItalic;
    TGroupBox* GrBoxJustify;
    // Justification 0..8 = 3 * row + column (row 0 bottom, column 0 left).
    std::array<TRadioButton*, 9> JustifyButtons{};
    TPaintBox* ImgPrev;
    TBitBtn *BitBtnOK, *BitBtnCancel;

    // The slant box's two captions (language keys LabAngle, LabSpace).
    std::string StrAngle = "Zkosení";
    std::string StrSpace = "Proložka % Vv";

    // The sorted font names (the hidden list's items).
    const std::vector<std::string>& FontList() const { return ComboBoxFont->Items; }
    // The list entry equal to Name without regard to case; "" when none.
    std::string FindFontName(const std::string& Name) const;
    // The selected grid row (-1: none).
    int FontRow() const { return DrawGridFont->Row; }
    // Selects a grid row as a click would (logs "Usr:Select font:").
    void SelectFontRow(int Row);

    // The canvas the preview paints on (the native view may give ImgPrev its own).
    TCanvas* PreviewCanvas();
    // Paints the preview for the selected font and the boxes' contents.
    void Preview();

private:
    void FormShow();
    void OkClick();
    void LiveWidthFactor();
    void LiveSlant();
    void StyleFromBoxes();
    bool RowIsStroke() const;
    void BuildFontList();

    // The parameters while the dialog is open: taken from WorkText at showing and put
    // back at closing, so that drawing done meanwhile (which loads texts into
    // WorkText) cannot disturb them.
    ParText Par;
    TRecordingCanvas OwnCanvas{175, 55};
};

extern TTextDialog* TextDialog;
// Replaces the instance with a new one (the font table must be loaded first).
void CreateTextDialog();
// Frees the instance (state between tests).
void FreeTextDialog();

// True for the name of a stroke font (it ends in ".SHP", any case).
bool IsStrokeFontName(const std::string& Name);
// Czech accented letters of a Windows-1250 text replaced by their base letters.
std::string StripDiacritics(const std::string& S);
// The system's TrueType families that outline the letter "A", unsorted.
std::vector<std::string> TrueTypeFamilies();
