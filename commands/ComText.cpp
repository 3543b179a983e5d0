#include "commands/ComText.h"

#include <cmath>
#include <vector>

#include "commands/ComCommon.h"
#include "commands/TextDg.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "platform/Dialogs.h"
#include "core/ParText.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended Pi = 3.1415926535897932385L;

// The text dialog, made on first use when the start-up has not made it.
TTextDialog& Dialog() {
    if (!TextDialog) CreateTextDialog();
    return *TextDialog;
}

// Brings an angle into 0..2pi (one turn at most away).
Extended IntoTurn(Extended A) {
    if (A > 2 * Pi) A -= 2 * Pi;
    if (A < 0) A += 2 * Pi;
    return A;
}

// Step 0 of EDITTEXT and TEXTTOPLINE.
void AskTexts(const char* StartLine) {
    WriteLog(StartLine);
    SetPrompt(Prompt[10]);
    MainVars.Mouse.NextMove = mmSel;
    MainVars.Mouse.NextDown = mdSel;
    MainVars.Mouse.OsnapAuto.Search = false;
    ComRedrawView();
}

// Step 1 with "P": the previous selection, asked again. True when it was "P".
bool PreviousTexts() {
    if (ComInput(MainVars.ComCnt) != "P") return false;
    WriteLog("Usr:Select previous");
    RestoreDrawingSelection();
    MainVars.ComCnt = 0;
    SetPrompt(Prompt[10]);
    return true;
}

}  // namespace

// The string without the blanks at its ends; inner blanks stay.
std::string TrimTextBlanks(const std::string& S) {
    size_t b = 0, e = S.size();
    while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
    return S.substr(b, e - b);
}

// Texts left as they were because their new string builds nothing: the user is told.
void TextNotBuilt(int Count) {
    WriteLog("Err:Text not changed, the string builds nothing (" + std::to_string(Count) + " texts)");
    ShowMessage("Prázdný text nelze vytvořit. Beze změny zůstalo textů: " + std::to_string(Count));
}

void ComStyle() {
    WriteLog("Sys:ComStyle Start");
    WorkText = TextStyle;
    if (Dialog().ShowModal() == mrOk) TextStyle = WorkText;
    MainVars.ComCnt = -1;
    WriteLog("Sys:ComStyle End");
}

void ComNewText() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComNewText Start");
            SetPrompt(Prompt[12]);
            PointModes();
            ComRedrawView();
            return;
        case 1: {
            V.Mouse.NextMove = mmNone;
            V.Mouse.NextDown = mdNone;
            V.Mouse.OsnapAuto.Search = false;
            ComRedrawView();
            // Default: one line spacing below the style's last line, in the text's own
            // direction (above it for mirrored text).
            const ParText& S = TextStyle;
            Extended A = IntoTurn(S.Rotate + 3 * Pi / 2);
            if (S.MirrorY) A = IntoTurn(A + Pi);
            Osy P{S.Origin.x + S.MeziRadky * std::cos(A), S.Origin.y + S.MeziRadky * std::sin(A)};
            Osy Typed;
            if (StrToPt(V.Command[1], Osy{}, Typed)) {
                V.PickPoint = Typed;
                LogPickPoint();
                P = Typed;
            }
            // The point waits in PickPoint: redraws between the steps use the shared
            // text parameters.
            V.PickPoint = P;
            SetPrompt(Prompt[24]);
            return;
        }
        default:
            break;
    }
    V.ComCnt = -1;
    V.Mouse.OsnapAuto.Search = false;
    V.FileSaved = false;
    WorkText = TextStyle;
    WorkText.Origin = V.PickPoint;
    TextStyle = WorkText;
    WorkText.Text = Utf8ToCp1250(V.OrigText).substr(0, 255);
    if (!EnText.Add(Glob.LayerDraw, V.DataStart, V.DataEnd, true) && !TextStyleUsable(WorkText))
        ShowMessage("Text nebyl vytvořen: výška písma musí být větší než 0 a písmo musí být zadáno (STYLE).");
    ComLayPanelUpdate();
    WriteLog("Sys:ComNewText End");
}

void ComEditText() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) return AskTexts("Sys:ComEditText Start");
    if (PreviousTexts()) return;
    SaveSelection();
    FinalSettings();
    std::vector<TObjHeader*> Texts;
    for (TObjHeader* p = V.DataStart; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        if (p->Type == ObjText) {
            Texts.push_back(p);  // keeps its selected bit until it is edited
            continue;
        }
        p->Flags &= uint8_t(~FlagSelected);
        DrawObj(p, MainCanvas);
    }
    TTextDialog& D = Dialog();
    if (Texts.empty()) {
        WriteLog("Err:no text to edit");
    } else if (Texts.size() == 1) {
        TObjHeader* T = Texts[0];
        D.EditOriginX->Enabled = true;
        D.EditOriginY->Enabled = true;
        EnText.ReadParamText(T, WorkText);
        if (D.ShowModal() == mrOk) {
            // Blanks at the ends build nothing: a string of blanks counts as cleared.
            WorkText.Text = TrimTextBlanks(WorkText.Text);
            if (WorkText.Text.empty()) {
                WriteLog("Sys:Empty string, deleting text");
                DeleteObj(T, V.DataStart, V.DataEnd);
                ComLayPanelUpdate();
            } else if (!EnText.EditTextParam(T)) {
                TextNotBuilt(1);
            }
            ComRedrawView();
        }
    } else {
        D.EditOriginX->Enabled = false;
        D.EditOriginY->Enabled = false;
        const std::string Various = Utf8ToCp1250(Msg[23]);
        EnText.ReadParamText(Texts[0], WorkText);
        WorkText.Text = Various;
        if (D.ShowModal() == mrOk) {
            // Every text takes the dialog's parameters but keeps its insertion point and,
            // unless a new string was typed, its string. An emptied string cannot be
            // built: those texts stay as they are.
            ParText Dlg = WorkText;
            Dlg.Text = TrimTextBlanks(Dlg.Text);
            int Refused = 0;
            for (TObjHeader* T : Texts) {
                ParText Own;
                EnText.ReadParamText(T, Own);
                WorkText = Dlg;
                if (Dlg.Text == Various) WorkText.Text = Own.Text;
                WorkText.Origin = Own.Origin;
                if (WorkText.Text.empty() || !EnText.EditTextParam(T)) ++Refused;
            }
            if (Refused > 0) TextNotBuilt(Refused);
            ComRedrawView();
        }
    }
    WriteLog("Sys:ComEditText End");
}

void ComTextToPline() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) return AskTexts("Sys:ComTextToPline Start");
    if (PreviousTexts()) return;
    SaveSelection();
    FinalSettings();
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Flags & FlagSelected) {
            p->Flags &= uint8_t(~FlagSelected);
            if (p->Type == ObjText)
                EnText.Explode(p, true, V.DataStart, V.DataEnd);
            else
                DrawObj(p, MainCanvas);
        }
        p = Next;
    }
    ComRedrawView();
    ComLayPanelUpdate();
    WriteLog("Sys:ComTextToPline End");
}
