// The command-line interpreter: key handling, Enter with the repeat rule, the dispatch
// of keywords to command routines, the clean-up after a command, Escape and the
// history ring.
#include <exception>
#include <functional>
#include <new>

#include "cam/ComBridge.h"
#include "cam/ComCamOpEdit.h"
#include "cam/ComContour.h"
#include "cam/ComPocket.h"
#include "cam/LenDg.h"
#include "cam/SortDg.h"
#include "commands/ComCommon.h"
#include "commands/ComAddChar.h"
#include "commands/ComChangeTexts.h"
#include "commands/ComClip.h"
#include "commands/ComDelete.h"
#include "commands/ComDim.h"
#include "commands/ComDraw.h"
#include "commands/ComExplode.h"
#include "commands/ComFiltr.h"
#include "commands/ComFillet.h"
#include "commands/ComLayer.h"
#include "commands/ComOffset.h"
#include "commands/ComTrim.h"
#include "commands/ComWeld.h"
#include "commands/ComInfo.h"
#include "commands/ComPrint.h"
#include "commands/ComText.h"
#include "commands/UniList.h"
#include "commands/ComHatch.h"
#include "commands/ComCopy.h"
#include "commands/ComMove.h"
#include "commands/ComOrder.h"
#include "commands/ComTransform.h"
#include "commands/ComPolyline.h"
#include "commands/UniCom.h"
#include "core/Glob.h"
#include "platform/Dialogs.h"
#include "shell/MainCursor.h"
#include "core/Global.h"
#include "core/ObjIndex.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "shell/Main.h"
#include "shell/SetDg.h"
#include "shell/MainFiles.h"
#include "shell/MainVars.h"
#include "tools/ToolDialog.h"

namespace {

// One row of the dispatch table. Run is nullptr for a routine that this build does not
// have yet: the command then logs that and ends at once.
struct TDispatchRow {
    const char* Keyword;
    void (*Run)(TMainForm& F);
    bool OneShot;  // the command ends with the Enter that starts it
};

// In compare order.
const TDispatchRow DispatchTable[] = {
    {"NEW", [](TMainForm& F) { ComNew(F); }, true},
    {"OPEN", [](TMainForm& F) { ComOpen(F); }, true},
    {"IMPORT", [](TMainForm& F) { ComImport(F); }, true},
    {"SET", [](TMainForm& F) { ComSet(F); }, false},
    {"REDRAW", [](TMainForm& F) { F.ComRedraw(); }, true},
    {"ZOOMW", [](TMainForm& F) { F.ComZoomWindow(); }, false},
    {"ZOOMIN", [](TMainForm& F) { F.ComZoomIn(); }, true},
    {"ZOOMPR", [](TMainForm& F) { F.ComZoomPreview(); }, true},
    {"ZOOMOBJ", [](TMainForm& F) { F.ComZoomObject(); }, true},
    {"ZOOMLIM", [](TMainForm& F) { F.ComZoomLimits(); }, true},
    {"LAYER", [](TMainForm& F) { F.ComLayer(); }, true},
    {"GRID", [](TMainForm& F) { F.ComGrid(); }, true},
    {"ORTHO", [](TMainForm& F) { F.ComOrtho(); }, true},
    {"SNAP", [](TMainForm& F) { F.ComSnap(); }, true},
    {"SNAPUP", [](TMainForm& F) { F.ComSnapUp(); }, true},
    {"SNAPDN", [](TMainForm& F) { F.ComSnapDn(); }, true},
    {"POINT", [](TMainForm&) { ComPoint(); }, false},
    {"LINE", [](TMainForm&) { ComLine(); }, false},
    {"ARC", [](TMainForm&) { ComArc(); }, false},
    {"CIRCLE", [](TMainForm&) { ComCircle(); }, false},
    {"RECTANGLE", [](TMainForm&) { ComRectangle(); }, false},
    {"POLYLINE", [](TMainForm&) { ComPolyline(); }, false},
    {"DIMSTYLE", [](TMainForm&) { ComDimStyle(); }, false},
    {"DIMHOR", [](TMainForm&) { ComDimLinear(); }, false},
    {"DIMVERT", [](TMainForm&) { ComDimLinear(); }, false},
    {"DIMROT", [](TMainForm&) { ComDimLinear(); }, false},
    {"DIMANGLE", [](TMainForm&) { ComDimAngle(); }, false},
    {"DIMLEADER", [](TMainForm&) { ComDimLeader(); }, false},
    {"HATCH", [](TMainForm&) { ComHatch(); }, false},
    {"INTELIHATCH", [](TMainForm&) { ComInteliHatch(); }, false},
    {"UNDO", [](TMainForm&) { ComUndo(); }, false},
    {"CLIPPASTE", [](TMainForm&) { ComClipPaste(); }, false},
    {"DELETE", [](TMainForm&) { ComDelete(); }, false},
    {"MOVE", [](TMainForm&) { ComMove(); }, false},
    {"MOVETOCEN", [](TMainForm&) { ComMoveToCen(); }, false},
    {"ALIGN", [](TMainForm&) { ComAlign(); }, false},
    {"COPY", [](TMainForm&) { ComCopy(); }, false},
    {"COPYTOACTIVE", [](TMainForm&) { ComCopyToActive(); }, false},
    {"RECTARR", [](TMainForm&) { ComArrRect(); }, false},
    {"POLARARR", [](TMainForm&) { ComArrPolar(); }, false},
    {"ROTATE", [](TMainForm&) { ComRotate(); }, false},
    {"MIRROR", [](TMainForm&) { ComMirror(); }, false},
    {"SCALE", [](TMainForm&) { ComScale(); }, false},
    {"SIZE", [](TMainForm&) { ComSize(); }, false},
    {"CHANGELAYER", [](TMainForm&) { ComChangeLayer(); }, false},
    {"GROUP", [](TMainForm&) { ComGroup(); }, false},
    {"UNGROUP", [](TMainForm&) { ComUngroup(); }, false},
    {"CHANGESTART", [](TMainForm&) { ComChangeStart(); }, false},
    {"CHANGEDIR", [](TMainForm&) { ComChangeDir(); }, false},
    {"FILTR", [](TMainForm&) { ComFiltr(); }, false},
    {"DIVIDE", [](TMainForm&) { ComDivide(); }, false},
    {"TRIM", [](TMainForm&) { ComTrim(); }, false},
    {"BREAK", [](TMainForm&) { ComBreak(); }, false},
    {"EXTEND", [](TMainForm&) { ComExtend(); }, false},
    {"FILLETONE", [](TMainForm&) { ComFilletOne(false); }, false},
    {"FILLETALL", [](TMainForm&) { ComFilletAll(false); }, false},
    {"FILLETOFFS", [](TMainForm&) { ComFilletOffs(); }, false},
    {"CHAMFERONE", [](TMainForm&) { ComFilletOne(true); }, false},
    {"CHAMFERALL", [](TMainForm&) { ComFilletAll(true); }, false},
    {"EXPLODE", [](TMainForm&) { ComExplode(); }, false},
    {"JOIN", [](TMainForm&) { ComJoin(); }, false},
    {"OFFSET", [](TMainForm&) { ComOffset(); }, false},
    {"WELD", [](TMainForm&) { ComWeld(); }, false},
    {"MARK", [](TMainForm&) { ComMark(); }, false},
    {"STYLE", [](TMainForm&) { ComStyle(); }, false},
    {"TEXT", [](TMainForm&) { ComNewText(); }, false},
    {"EDITTEXT", [](TMainForm&) { ComEditText(); }, false},
    {"TEXTTOPLINE", [](TMainForm&) { ComTextToPline(); }, false},
    {"CHANGETEXTS", [](TMainForm&) { ComChangeTexts(); }, false},
    {"STATISTIC", [](TMainForm&) { ComLength(); }, false},
    {"HISTORY", [](TMainForm&) { ComHistory(); }, false},
    {"TOOL", [](TMainForm&) { ComTool(); }, false},
    {"BRIDGE", [](TMainForm&) { ComBridge(); }, false},
    {"ENGRBLOCK", [](TMainForm&) { ComEngrBlock(); }, false},
    {"OPEDIT", [](TMainForm&) { ComCamOpEdit(); }, false},
    {"OPDELETE", [](TMainForm&) { ComCamOpDelete(); }, false},
    {"TOSTART", [](TMainForm&) { ComToStart(); }, false},
    {"TOEND", [](TMainForm&) { ComToEnd(); }, false},
    {"ONETOSTART", [](TMainForm&) { ComOneToStart(); }, false},
    {"ONETOEND", [](TMainForm&) { ComOneToEnd(); }, false},
    {"TOPOS", [](TMainForm&) { ComToPos(); }, false},
    {"ORIGTOFRONT", [](TMainForm&) { ComOrigToFront(); }, false},
    {"DIST", [](TMainForm& F) { F.ComDist(); }, false},
    {"POINTTOCIR", [](TMainForm&) { ComPointToCircle(); }, false},
    {"ADDCHAR", [](TMainForm&) { ComAddChar(); }, false},
    {"INFO", [](TMainForm&) { ComInfo(); }, false},
    {"SPEC", [](TMainForm& F) { F.ComSpecial(); }, false},
    {"SAVE", [](TMainForm& F) { ComSave(F); }, true},
    {"SAVEAS", [](TMainForm& F) { ComSaveAs(F); }, true},
    {"EXPORT", [](TMainForm& F) { ComExport(F); }, true},
    {"EXPORTSEL", [](TMainForm& F) { ComExportSel(F); }, false},
    {"PRINT", [](TMainForm&) { ComPrint(); }, false},
    {"CONTOUR", [](TMainForm&) { ComContour(); }, false},
    {"MEANDR", [](TMainForm&) { ComMeandr(); }, false},
    {"SURFACE", [](TMainForm&) { ComSurface(); }, false},
    {"INTELIMEANDR", [](TMainForm&) { ComInteliMeandr(); }, false},
    {"SORT", [](TMainForm&) { ComSort(); }, false},
    {"CLIPCUT", [](TMainForm&) { ComClipCopy(true); }, false},
    {"CLIPCOPY", [](TMainForm&) { ComClipCopy(false); }, false},
};

// The dimension keywords choose the kind of linear dimension before the routine runs.
void SetDimMode(const std::string& Keyword) {
    if (Keyword == "DIMHOR") MainVars.DimLinearMode = Horizontal;
    if (Keyword == "DIMVERT") MainVars.DimLinearMode = Vertical;
    if (Keyword == "DIMROT") MainVars.DimLinearMode = Rotated;
}

// A keyword whose routine this build lacks ends at once, so the line stays usable.
void NotAvailable(const std::string& Keyword) {
    WriteLog("Err:Command " + Keyword + " not available");
    MainVars.ComCnt = -1;
}

// Blanks and control characters removed at both ends.
std::string TrimInput(const std::string& S) {
    size_t b = 0, e = S.size();
    while (b < e && static_cast<unsigned char>(S[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(S[e - 1]) <= ' ') --e;
    return S.substr(b, e - b);
}

// Removes the last UTF-8 character of S.
void PopUtf8Char(std::string& S) {
    while (!S.empty()) {
        const unsigned char c = static_cast<unsigned char>(S.back());
        S.pop_back();
        if ((c & 0xC0) != 0x80) break;  // the lead byte (or a plain ASCII byte) ends it
    }
}

// Commands that change nothing in the drawing.
bool ViewOnlyCommand(const std::string& Keyword) {
    static const char* const Keywords[] = {"REDRAW", "ZOOMW", "ZOOMIN", "ZOOMPR", "ZOOMOBJ", "ZOOMLIM",
                                           "GRID", "ORTHO", "SNAP", "SNAPUP", "SNAPDN", "SAVE",
                                           "SAVEAS", "EXPORT", "EXPORTSEL", "PRINT", "CLIPCOPY", "HISTORY",
                                           "STATISTIC"};
    for (const char* K : Keywords)
        if (Keyword == K) return true;
    return false;
}

}  // namespace

void TMainForm::CreateCommandLineControls() {
    ComLine1 = FindOrMake<TLabel>("ComLine1");
    ComLine2 = FindOrMake<TLabel>("ComLine2");
    LabelParam = FindOrMake<TLabel>("LabelParam");
    PanelSelect = FindOrMake<TPanel>("PanelSelect");
    ComLine2->Caption = "?>";
    PanelSelect->Caption = "0";
}

void TMainForm::PressKey(char32_t Key) { FormKeyPress(Key); }

void TMainForm::FormKeyPress(char32_t& Key) {
    std::string& Line = ComLine2->Caption;
    switch (Key) {
        case 8: {
            const size_t P = Line.find('>');
            const size_t Keep = P == std::string::npos ? 0 : P + 1;
            if (Line.size() > Keep) PopUtf8Char(Line);
            return;
        }
        case 27:
            Escape();
            return;
        case 13:
            Enter();
            return;
        default:
            // A control character (Ctrl+Z when nothing is left to undo, Tab ...) is no
            // text: it would reach the command line unseen and spoil the keyword.
            if (Key < 32 || Key == 127 || (Key >= 0x80 && Key < 0xA0)) return;
            Line += Utf8Of(Key);
            return;
    }
}

void TMainForm::CancelCommand() {
    TMainVars& V = MainVars;
    SaveSelection();
    ClearSelection(V.DataStart);
    PanelSelect->Caption = "0";
    FreeObjList(V.SaveStart, V.SaveEnd);
    FreeObjList(V.AreaStart, V.AreaEnd);
    FreeObjList(V.ViewStart, V.ViewEnd);
    V.Mouse.NextMove = mmCross;
    V.Mouse.NextDown = mdNone;
    ComLine2->Caption += " CANCEL";
    ComLine1->Caption = ComLine2->Caption;
    StoreHistory(ComLine1->Caption);
    ComLine2->Caption = "?>";
    V.Command[0].clear();
    V.ComCnt = -1;
}

void TMainForm::Escape() {
    CancelCommand();
    MainVars.Mouse.OsnapAuto.Search = false;
    LabelParam->Caption.clear();
    Guarded([&] { LayPanelUpdate(); });
}

void TMainForm::Enter() {
    TMainVars& V = MainVars;
    const std::string& Line = ComLine2->Caption;
    const size_t P = Line.find('>');
    std::string Input = TrimInput(P == std::string::npos ? Line : Line.substr(P + 1));
    V.OrigText = Input;
    Input = UpCaseStr(Input);

    // Repeat rule: LastCom turns into the alias of its row; an empty Enter on the idle
    // line runs that alias, unless it is PRINT's.
    for (int i = 1; i <= ComCount; ++i)
        if (V.LastCom == Prikaz[i].Orig) V.LastCom = Prikaz[i].User;
    if (Input.empty() && V.ComCnt == -1 && UpCaseStr(V.LastCom) != UpCaseStr(Prikaz[9].User))
        Input = UpCaseStr(V.LastCom);

    bool TooMany = false;
    if (V.ComCnt >= 0) {
        if (V.ComCnt >= MaxComInputs) {
            // Command[] holds ten inputs: the command ends instead of taking an 11th.
            TooMany = true;
        } else {
            ++V.ComCnt;
            V.Command[V.ComCnt] = Input;
        }
    } else {
        // The first row whose keyword or alias is the input; aliases compare upper-cased.
        int Row = 0;
        if (!Input.empty())
            for (int i = 1; i <= ComCount && Row == 0; ++i)
                if (Prikaz[i].Orig == Input || (!Prikaz[i].User.empty() && UpCaseStr(Prikaz[i].User) == Input))
                    Row = i;
        if (Row == 0) {
            // Nothing runs, so the echo line says why the word went.
            if (!Input.empty()) ComLine1->Caption = "?>" + V.OrigText + " - neznámý příkaz";
            ComLine2->Caption = "?>";
            return;
        }
        const TPrikaz& R = Prikaz[Row];
        WriteLog("Usr:" + R.Orig);
        V.ComCnt = 0;
        V.Command[0] = R.Orig;
        if (R.RBtnRep) V.LastCom = R.Orig;
        ComLine2->Caption = "?>" + R.User;
    }
    ComLine1->Caption = ComLine2->Caption;

    // The routine and the clean-up run guarded: whatever they throw is logged and goes
    // no further, and the line is idle again once the command has ended.
    Guarded([&] {
        if (TooMany) {
            WriteLog("Err:Too many inputs, command " + V.Command[0] + " ended");
            V.ComCnt = -1;
            return;
        }
        if (V.ComCnt == 0) {
            bool Undo = false;
            for (int i = 1; i <= ComCount; ++i)
                if (Prikaz[i].Orig == V.Command[0]) Undo = Prikaz[i].Undo;
            if (Undo) TakeUndoSnapshot();
        }
        Dispatch();
    });
    // A command step may have changed records in place by routes the drawing's index
    // does not hear of: it checks them on its next use, unless the command only looks.
    if (!ViewOnlyCommand(V.Command[0])) DrawingIndex().Recheck();
    if (V.ComCnt == -1 && !Guarded([&] { EndCommand(); })) {
        ComLine2->Caption = "?>";
        V.Command[0].clear();
        LabelParam->Caption.clear();
        V.Mouse.NextMove = mmCross;
        V.Mouse.NextDown = mdNone;
    }
    StoreHistory(ComLine1->Caption);
}

bool TMainForm::Guarded(const std::function<void()>& Step) {
    bool outOfMemory = false;
    try {
        Step();
        return true;
    } catch (const std::bad_alloc& E) {
        LastException = E.what();
        outOfMemory = true;
    } catch (const std::exception& E) {
        LastException = E.what();
    } catch (...) {
        LastException = "unknown exception";
    }
    WriteLog("Err:Exception in command " + MainVars.Command[0] + ": " + LastException);
    // The user hears of it: the command did not finish, the job is still there to save.
    if (outOfMemory)
        ShowMessage("Nedostatek paměti, příkaz " + MainVars.Command[0] + " nebyl dokončen. Výkres zůstává, uložte jej.");
    return false;
}

void TMainForm::Dispatch() {
    TMainVars& V = MainVars;
    bool Ran = false;
    for (const TDispatchRow& R : DispatchTable) {
        if (V.Command[0] != R.Keyword) continue;
        Ran = true;
        SetDimMode(R.Keyword);
        if (R.OneShot) V.ComCnt = -1;
        if (R.Run)
            R.Run(*this);
        else
            NotAvailable(R.Keyword);
    }
    if (V.Command[0].find("USER") != std::string::npos) {
        Ran = true;
        ComUser();
    }
    // Keywords without a routine here (EXIT, RELOADFONTS) end at once.
    if (!Ran) NotAvailable(V.Command[0]);
}

void TMainForm::EndCommand() {
    TMainVars& V = MainVars;
    ResetMainCursor();
    ClearSelection(V.DataStart);
    PanelSelect->Caption = "0";
    FreeObjList(V.SaveStart, V.SaveEnd);
    AktualizaceListy();
    ComLine1->Caption = ComLine2->Caption;
    V.Mouse.NextMove = mmCross;
    V.Mouse.NextDown = mdNone;
    ComRedraw();
    ComLine2->Caption = "?>";
    V.Command[0].clear();
    LabelParam->Caption.clear();
    Glob.OpEditAdr.clear();
    Glob.OpEditAdrCnt = 0;
    if (Glob.View == vSort) ComRedraw();
}

void TMainForm::StoreHistory(const std::string& Line) {
    TMainVars& V = MainVars;
    if (V.IndexList < 1 || V.IndexList > HistoryLines) V.IndexList = 1;
    V.ArrList[V.IndexList] = Line;
    if (++V.IndexList > HistoryLines) V.IndexList = 1;
}

std::vector<std::string> TMainForm::HistoryList() const {
    std::vector<std::string> Out;
    const TMainVars& V = MainVars;
    const int Start = (V.IndexList < 1 || V.IndexList > HistoryLines) ? 1 : V.IndexList;
    for (int k = 0; k < HistoryLines; ++k) {
        const int i = (Start - 1 + k) % HistoryLines + 1;
        if (!V.ArrList[i].empty()) Out.push_back(V.ArrList[i]);
    }
    return Out;
}

void TMainForm::PickWorldPoint(const Osy& P) {
    // The pointer moves to P and the left button goes down there: the view takes the
    // snap raster and the object snaps into account, and the click types the point
    // when the running command waits for one.
    PointerAtWorld(P);
    const TPoint Px = WorldToPixel(P);
    Guarded([&] { FormMouseDown(TMouseButton::mbLeft, 0, Px.X, Px.Y); });
}
