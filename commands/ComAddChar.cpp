#include "commands/ComAddChar.h"

#include <cmath>

#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniAddChar.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

bool Selected(const TObjHeader* p) { return p->Flags & FlagSelected; }

bool AnySelected() {
    for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next)
        if (Selected(p)) return true;
    return false;
}

}  // namespace

void ComAddChar() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComAddChar Start");
        SetPrompt(Prompt[8]);
        ComRedrawView();
        return;
    }
    V.ComCnt = -1;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    ComRedrawView();
    const std::string& In = ComInput(1);
    Extended N = 0;
    if (!StrToExtCalc(In, N, true)) {
        WriteLog("Err:Wrong char number (" + In + ")");
    } else {
        // Codes outside 32 bits are no character of any font.
        const Extended R = std::nearbyint(N);
        const int Code = std::fabs(R) < 2147483647.0L ? int(R) : 0;
        if (!AddCharToFont(Code, AnySelected() ? Selected : OnOrigLayer))
            ShowMessage("Znak nebyl přidán do fontu FONT/Font.shp (číslo znaku 1 až 255).");
    }
    WriteLog("Sys:ComAddChar End");
}
