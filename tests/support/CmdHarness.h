// Drives the program headless as a person would through the command line: starts it
// on a program folder, types lines followed by Enter, presses Escape, clicks world
// points, answers dialogs and dumps the drawing. tests/cmdscript runs scripts through
// it; integration tests use it in-process.
//
//   TCmdHarness H(Dir());
//   H.Enter("LINE"); H.Enter("0 0"); H.Pick(10, 0); H.Esc();
//   EXPECT_EQ(H.DumpLines().size(), 1u);
#pragma once
#include <deque>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "core/Types.h"
#include "platform/Dialogs.h"

class TMainForm;

// Answers every dialog: the next queued answer, else a default (OK for a message box
// that has an OK button, else Cancel or No; Cancel for a modal form; a colour dialog is
// cancelled, a file dialog takes the next queued file or is cancelled). Each dialog is recorded as "<kind>:<name or text> -> <ANSWER>".
class TCmdResponder : public TResponder {
public:
    std::deque<int> Answers;  // mr... values
    // Paths that answer the next open or save dialogs, in order (a dialog without one
    // is cancelled).
    std::deque<std::string> Files;
    std::vector<std::string> Shown;

    int ShowModal(TForm& Form) override;
    int MessageDlg(const std::string& Caption, const std::string& Msg, TMsgDlgType Type,
                   uint16_t Buttons) override;
    bool OpenDialog(TOpenDialog& D) override;
    bool SaveDialog(TSaveDialog& D) override;
    bool ColorDialog(TColorDialog& D) override;
};

class TCmdHarness {
public:
    // How the program starts.
    enum class TStartUp {
        // The start-up steps the command line needs: command table and "ComSet.cfg",
        // texts and the language file, "Default.cfg", empty undo ring, idle command
        // line, a 1000 x 700 drawing area zoomed to the limits; snap raster, grid and
        // ortho switched off.
        Steps,
        // As the program starts: the main form's creation, every dialog, the first
        // showing (the snap raster and the grid are then on, as in the program).
        Program,
    };
    // Resets the program state and starts it on ProgramFolder. Installs a TCmdResponder
    // first, so dialogs of the start-up are answered too.
    explicit TCmdHarness(const std::string& ProgramFolder, TStartUp How = TStartUp::Steps);
    ~TCmdHarness();
    TCmdHarness(const TCmdHarness&) = delete;
    TCmdHarness& operator=(const TCmdHarness&) = delete;

    TMainForm& Form() { return *MainFormPtr; }
    TCmdResponder& Responder() { return Resp; }

    // Types the characters of Text (UTF-8) into the command line.
    void Type(const std::string& Text);
    // Types Line and presses Enter.
    void Enter(const std::string& Line = "");
    void Esc();
    // A left click at world point (X, Y) through the real pointer path: the pointer
    // moves there (snap raster, orthogonal mode and object snaps apply in the redraw),
    // then the left button goes down and up.
    void Pick(Extended X, Extended Y);
    // The pointer moves to (X, Y) without a click.
    void MoveTo(Extended X, Extended Y);
    // The left button pressed at (X1, Y1), the pointer moved to (X2, Y2) and released
    // there (a selection window when the command selects).
    void Drag(Extended X1, Extended Y1, Extended X2, Extended Y2);
    // A key of the drawing area by name: LEFT, RIGHT, UP, DOWN (arrow keys),
    // WHEELUP / WHEELDOWN (one wheel step away from / towards the user), RCLICK (the
    // right button). False for an unknown name.
    bool Key(const std::string& Name);
    // Queues the answer of the next dialog: an mr... value.
    void Answer(int ModalResult);
    // Queues the file chosen in the next open or save dialog: Path as it is when
    // absolute, else relative to the program folder.
    void ChooseFile(const std::string& Path);

    // The command line and echo line.
    std::string Prompt() const;
    std::string Echo() const;

    // The drawing list, one line per record, members of groups indented by two blanks.
    std::vector<std::string> DumpLines() const;
    // The texts of the log (without the time), oldest first.
    static std::vector<std::string> LogTexts();
    // True when some log text equals Text.
    static bool LogHas(const std::string& Text);

    // One script line: a directive ("#esc", "#pick X Y", "#move X Y",
    // "#drag X1 Y1 X2 Y2", "#key NAME", "#answer OK|CANCEL|YES|NO", "#file PATH", "#dump"; any other
    // line beginning with "#" is a comment) or a line typed with
    // Enter. Output of "#dump" and dialog records go to Out. False for a malformed
    // directive (reported on Out as "#error ...").
    bool RunScriptLine(const std::string& Line, std::ostream& Out);
    // Every line of In; the lines of Out as RunScriptLine writes them.
    void RunScript(std::istream& In, std::ostream& Out);

private:
    TCmdResponder Resp;
    TResponder* Previous = nullptr;
    std::unique_ptr<TMainForm> MainFormPtr;
    size_t DialogsReported = 0;
};
