#include "commands/ComChangeTexts.h"

#include <charconv>

#include "commands/ChangeTextDg.h"
#include "commands/ComCommon.h"
#include "commands/ComText.h"
#include "core/Entity.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/UniLog.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

int CountTexts(TObjHeader* First) {
    int N = 0;
    for (TObjHeader* p = First; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        if (p->Type == ObjText) ++N;
        else if (p->Type == ObjGroup) N += CountTexts(AsGroup(p)->First);
    }
    return N;
}

// The next value of the source.
std::string NextValue(TTextSource& Src) {
    switch (Src.Kind) {
        case TTextSource::Const:
            return Src.ConstText;
        case TTextSource::Series: {
            const std::string V = std::to_string(Src.Next);
            Src.Next += Src.Increment;
            return V;
        }
        case TTextSource::Table: {
            if (Src.Rows.empty()) return {};
            const std::string V = Src.Rows[Src.Row % Src.Rows.size()];
            Src.Row = (Src.Row + 1) % Src.Rows.size();
            return V;
        }
    }
    return {};
}

void ReplaceIn(TObjHeader* First, TTextSource& Src, int& Refused) {
    for (TObjHeader* p = First; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        p->Flags &= uint8_t(~FlagSelected);
        if (p->Type == ObjGroup) {
            ReplaceIn(AsGroup(p)->First, Src, Refused);
            continue;
        }
        if (p->Type != ObjText) continue;
        EnText.ReadParamText(p, WorkText);
        if (Src.Part.empty() || WorkText.Text.find(Src.Part) == std::string::npos) continue;
        const std::string Old = WorkText.Text;
        std::string New;
        ReplaceTextPart(Old, Src.Part, NextValue(Src), New);
        WorkText.Text = New.substr(0, 255);
        if (WorkText.Text.empty() || !EnText.EditTextParam(p)) {
            WriteLog("Err:Text not replaced, the result builds nothing (" + Cp1250ToUtf8(Old) + ")");
            WorkText.Text = Old;
            ++Refused;
        }
    }
}

}  // namespace

bool ReplaceTextPart(const std::string& S, const std::string& Part, const std::string& Value, std::string& Out) {
    Out = S;
    if (Part.empty()) return false;
    const size_t At = S.find(Part);
    if (At == std::string::npos) return false;
    Out = TrimTextBlanks(S.substr(0, At) + Value + S.substr(At + Part.size()));
    return true;
}

bool ReadWholeNumber(const std::string& S, int32_t& N) {
    std::string T = TrimTextBlanks(S);
    if (!T.empty() && T[0] == '+') T.erase(0, 1);
    if (T.empty() || T[0] == '+') return false;
    const auto R = std::from_chars(T.data(), T.data() + T.size(), N, 10);
    return R.ec == std::errc() && R.ptr == T.data() + T.size();
}

int CountSelectedTexts() { return CountTexts(MainVars.DataStart); }

void ReplaceSelectedTexts(TTextSource& Src, int& Refused) {
    Refused = 0;
    ReplaceIn(MainVars.DataStart, Src, Refused);
}

void ComChangeTexts() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComChangeTexts Start");
        V.Mouse.NextMove = mmSel;
        V.Mouse.NextDown = mdSel;
        SetPrompt(Prompt[10]);
        ComRedrawView();
        return;
    }
    if (ComInput(V.ComCnt) == "P") {
        WriteLog("Usr:Select previous");
        RestoreDrawingSelection();
        V.ComCnt = 0;
        SetPrompt(Prompt[10]);
        return;
    }
    SaveSelection();
    V.ComCnt = -1;
    V.FileSaved = false;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    ComRedrawView();
    if (!ChangeTextDialog) CreateChangeTextDialog();
    ChangeTextDialog->ShowModal();
    ClearSelection(V.DataStart);
    ComRedrawView();
    WriteLog("Sys:ComChangeTexts End");
}
