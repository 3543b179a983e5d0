#include "support/CmdHarness.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "cam/CamOpList.h"
#include "commands/UniCom.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniLog.h"
#include "shell/FormOrder.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"

namespace {

const char* AnswerName(int R) {
    switch (R) {
        case mrOk: return "OK";
        case mrCancel: return "CANCEL";
        case mrYes: return "YES";
        case mrNo: return "NO";
        default: return "NONE";
    }
}

// The next code point of UTF-8 text at I (a stray byte counts as one character).
char32_t NextChar(const std::string& S, size_t& I) {
    const unsigned char c = static_cast<unsigned char>(S[I++]);
    int More = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t C = More == 3 ? (c & 0x07) : More == 2 ? (c & 0x0F) : More == 1 ? (c & 0x1F) : c;
    while (More-- > 0 && I < S.size() && (static_cast<unsigned char>(S[I]) & 0xC0) == 0x80)
        C = (C << 6) | (static_cast<unsigned char>(S[I++]) & 0x3F);
    return C;
}

std::string Pt(const Osy& P) { return ExtToStr(P.x) + " " + ExtToStr(P.y); }
std::string Pt3(const Osy3D& P) { return ExtToStr(P.x) + " " + ExtToStr(P.y) + " " + ExtToStr(P.z); }

void DumpList(const TObjHeader* First, const std::string& Indent, std::vector<std::string>& Out) {
    for (const TObjHeader* p = First; p; p = p->Next) {
        const std::string Head = " layer=" + std::to_string(p->Layer) + " flags=" + std::to_string(p->Flags);
        auto* q = const_cast<TObjHeader*>(p);
        switch (p->Type) {
            case ObjPoint:
                Out.push_back(Indent + "POINT" + Head + " " + Pt(AsPoint(q)->S));
                break;
            case ObjPline: {
                std::string L = Indent + "PLINE" + Head + " pflags=" + std::to_string(AsPline(q)->PlineFlags) +
                                " " + Pt(AsPline(q)->S);
                const int n = PlineSegCount(p);
                for (int i = 0; i < n; ++i)
                    L += " | " + ExtToStr(PlineSegs(p)[i].Alfa) + " " + Pt(PlineSegs(p)[i].E);
                Out.push_back(L);
                break;
            }
            case ObjPline3D: {
                std::string L = Indent + "PLINE3D" + Head + " pflags=" +
                                std::to_string(AsPline3D(q)->PlineFlags) + " " + Pt3(AsPline3D(q)->S);
                const int n = Pline3DSegCount(p);
                for (int i = 0; i < n; ++i)
                    L += " | " + ExtToStr(Pline3DSegs(p)[i].Alfa) + " " + Pt3(Pline3DSegs(p)[i].E);
                Out.push_back(L);
                break;
            }
            case ObjGroup:
                Out.push_back(Indent + "GROUP" + Head + " count=" + std::to_string(AsGroup(q)->Count));
                DumpList(AsGroup(q)->First, Indent + "  ", Out);
                break;
            case ObjText: {
                const TTextRec* T = AsText(q);
                Out.push_back(Indent + "TEXT" + Head + " " + Pt(T->Base) + " height=" + ExtToStr(T->Vyska) +
                              " font=" + Cp1250ToUtf8(T->JmFontu.Get()) + " text=\"" +
                              Cp1250ToUtf8(T->Text.Get()) + "\"");
                break;
            }
            default:
                Out.push_back(Indent + "KIND" + std::to_string(p->Type) + Head);
                break;
        }
    }
}

}  // namespace

// ---- responder ----

int TCmdResponder::ShowModal(TForm& Form) {
    int R = mrCancel;
    if (!Answers.empty()) {
        R = Answers.front();
        Answers.pop_front();
    }
    Form.DoShow();
    if (Form.ModalResult == mrNone) Form.ModalResult = R;
    Form.DoCloseQuery();
    Form.DoClose();
    Shown.push_back("modal:" + Form.Name + " -> " + AnswerName(Form.ModalResult));
    return Form.ModalResult;
}

int TCmdResponder::MessageDlg(const std::string& Caption, const std::string& Msg, TMsgDlgType,
                              uint16_t Buttons) {
    int R = (Buttons & mbOK) ? mrOk : (Buttons & mbCancel) ? mrCancel : (Buttons & mbNo) ? mrNo : mrOk;
    if (!Answers.empty()) {
        R = Answers.front();
        Answers.pop_front();
    }
    Shown.push_back("message:" + (Caption.empty() ? Msg : Caption + "|" + Msg) + " -> " + AnswerName(R));
    return R;
}

// The next queued file answers a file dialog; without one it is cancelled.
static bool FileAnswer(std::deque<std::string>& Files, const char* Kind, TFileDialog& D,
                       std::vector<std::string>& Shown) {
    if (Files.empty()) {
        Shown.push_back(std::string(Kind) + D.Title + " -> CANCEL");
        return false;
    }
    D.FileName = Files.front();
    Files.pop_front();
    // Shown as the script wrote it: a path in the program folder without the folder.
    const std::string dir = Glob.ProgramDir + "/";
    const bool inDir = D.FileName.compare(0, dir.size(), dir) == 0;
    Shown.push_back(std::string(Kind) + D.Title + " -> " + (inDir ? D.FileName.substr(dir.size()) : D.FileName));
    return true;
}

bool TCmdResponder::OpenDialog(TOpenDialog& D) { return FileAnswer(Files, "open:", D, Shown); }

bool TCmdResponder::SaveDialog(TSaveDialog& D) { return FileAnswer(Files, "save:", D, Shown); }

bool TCmdResponder::ColorDialog(TColorDialog&) {
    Shown.push_back("color: -> CANCEL");
    return false;
}

// ---- harness ----

TCmdHarness::TCmdHarness(const std::string& ProgramFolder, TStartUp How) {
    ResetAllState();
    Glob.ProgramDir = ProgramFolder;
    Previous = SetResponder(&Resp);
    MainFormPtr = std::make_unique<TMainForm>();
    if (How == TStartUp::Program) {
        // The program's own start-up: the main form's creation, every dialog, the
        // first showing.
        MainFormPtr->FormCreate();
        CreateAllForms();
        MainFormPtr->Show();
        return;
    }
    // The start-up steps that exist, in their order: command table, undo slots,
    // operation list, texts and language file, settings.
    LoadComSet(MainFormPtr.get());
    MainFormPtr->InitUndoSlots();
    InitCamOps();
    InitLanguage();
    LoadLanguageFile();
    FileToGlobalCfg(DefaultCfgPath());
    MainVars.FileSaved = true;
    // The window is shown: a 1000 x 700 drawing area zoomed to the limits.
    MainFormPtr->FormStarted = true;
    MainFormPtr->Width = 1000;
    MainFormPtr->Height = 700;
    MainFormPtr->ComZoomLimits();
}

TCmdHarness::~TCmdHarness() {
    MainFormPtr.reset();
    FreeMainVarsLists();
    SetResponder(Previous);
}

void TCmdHarness::Type(const std::string& Text) {
    for (size_t i = 0; i < Text.size();) MainFormPtr->PressKey(NextChar(Text, i));
}

void TCmdHarness::Enter(const std::string& Line) {
    Type(Line);
    MainFormPtr->PressKey(13);
}

void TCmdHarness::Esc() { MainFormPtr->PressKey(27); }

void TCmdHarness::MoveTo(Extended X, Extended Y) { MainFormPtr->PointerAtWorld(Osy{X, Y}); }

void TCmdHarness::Pick(Extended X, Extended Y) { Drag(X, Y, X, Y); }

void TCmdHarness::Drag(Extended X1, Extended Y1, Extended X2, Extended Y2) {
    TMainForm& F = *MainFormPtr;
    MoveTo(X1, Y1);
    F.FormMouseDown(TMouseButton::mbLeft, ssLeft, MainVars.MovePt.X, MainVars.MovePt.Y);
    if (X2 != X1 || Y2 != Y1) MoveTo(X2, Y2);
    F.FormMouseUp(TMouseButton::mbLeft, 0, MainVars.MovePt.X, MainVars.MovePt.Y);
}

bool TCmdHarness::Key(const std::string& Name) {
    TMainForm& F = *MainFormPtr;
    const std::string N = UpCaseStr(Name);
    uint16_t K = N == "LEFT" ? VK_LEFT : N == "RIGHT" ? VK_RIGHT : N == "UP" ? VK_UP : N == "DOWN" ? VK_DOWN : 0;
    if (K) {
        F.FormKeyDown(K, 0);
    } else if (N == "WHEELUP" || N == "WHEELDOWN") {
        bool Handled = false;
        F.FormMouseWheel(0, N == "WHEELUP" ? 120 : -120, MainVars.MovePt, Handled);
    } else if (N == "RCLICK") {
        F.FormMouseDown(TMouseButton::mbRight, ssRight, MainVars.MovePt.X, MainVars.MovePt.Y);
        F.FormMouseUp(TMouseButton::mbRight, 0, MainVars.MovePt.X, MainVars.MovePt.Y);
    } else {
        return false;
    }
    return true;
}

void TCmdHarness::Answer(int ModalResult) { Resp.Answers.push_back(ModalResult); }

void TCmdHarness::ChooseFile(const std::string& Path) {
    Resp.Files.push_back(!Path.empty() && Path[0] == '/' ? Path : Glob.ProgramDir + "/" + Path);
}

std::string TCmdHarness::Prompt() const { return MainFormPtr->ComLine2->Caption; }

std::string TCmdHarness::Echo() const { return MainFormPtr->ComLine1->Caption; }

std::vector<std::string> TCmdHarness::DumpLines() const {
    std::vector<std::string> Out;
    DumpList(MainVars.DataStart, "", Out);
    return Out;
}

std::vector<std::string> TCmdHarness::LogTexts() {
    std::vector<std::string> Out;
    for (const std::string& L : LogNewestLines(DefaultLogLength)) {
        // "[hh:nn:ss.zzz] " precedes the text.
        const size_t P = L.find("] ");
        Out.push_back(P == std::string::npos ? L : L.substr(P + 2));
    }
    return Out;
}

bool TCmdHarness::LogHas(const std::string& Text) {
    for (const std::string& L : LogTexts())
        if (L == Text) return true;
    return false;
}

bool TCmdHarness::RunScriptLine(const std::string& RawLine, std::ostream& Out) {
    std::string Line = RawLine;
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    bool Ok = true;
    if (!Line.empty() && Line[0] == '#') {
        std::istringstream In(Line.substr(1));
        std::string Word;
        In >> Word;
        Word = UpCaseStr(Word);
        if (Word == "ESC") {
            Esc();
        } else if (Word == "PICK") {
            std::string XS, YS;
            Extended X = 0, Y = 0;
            if (In >> XS >> YS && StrToExtCalc(XS, X, false) && StrToExtCalc(YS, Y, false)) {
                Pick(X, Y);
            } else {
                Out << "#error " << Line << "\n";
                Ok = false;
            }
        } else if (Word == "MOVE" || Word == "DRAG") {
            const int N = Word == "MOVE" ? 2 : 4;
            Extended V[4] = {};
            bool Good = true;
            for (int i = 0; i < N && Good; ++i) {
                std::string T;
                Good = (In >> T) && StrToExtCalc(T, V[i], false);
            }
            if (!Good) {
                Out << "#error " << Line << "\n";
                Ok = false;
            } else if (N == 2) {
                MoveTo(V[0], V[1]);
            } else {
                Drag(V[0], V[1], V[2], V[3]);
            }
        } else if (Word == "KEY") {
            std::string K;
            In >> K;
            if (!Key(K)) {
                Out << "#error " << Line << "\n";
                Ok = false;
            }
        } else if (Word == "ANSWER") {
            std::string A;
            In >> A;
            A = UpCaseStr(A);
            const int R = A == "OK" ? mrOk : A == "CANCEL" ? mrCancel : A == "YES" ? mrYes : A == "NO" ? mrNo : mrNone;
            if (R == mrNone) {
                Out << "#error " << Line << "\n";
                Ok = false;
            } else {
                Answer(R);
            }
        } else if (Word == "FILE") {
            // The rest of the line, blanks included, is the path.
            std::string Path;
            std::getline(In >> std::ws, Path);
            if (Path.empty()) {
                Out << "#error " << Line << "\n";
                Ok = false;
            } else {
                ChooseFile(Path);
            }
        } else if (Word == "DUMP") {
            for (const std::string& L : DumpLines()) Out << L << "\n";
        }
        // Anything else after "#" is a comment.
    } else {
        Enter(Line);
    }
    for (; DialogsReported < Resp.Shown.size(); ++DialogsReported)
        Out << "#dialog " << Resp.Shown[DialogsReported] << "\n";
    return Ok;
}

void TCmdHarness::RunScript(std::istream& In, std::ostream& Out) {
    std::string Line;
    while (std::getline(In, Line)) RunScriptLine(Line, Out);
}
