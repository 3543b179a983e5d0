// A toolkit-free window onto the Qt side for the tests: the application and its event
// loop, pixels of canvases and shown controls as $00BBGGRR, widget state, and user
// input (clicks, typing, keys, mouse picks). Only plain types and our own classes
// appear here, so callers need no Qt headers.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TControl;
class TForm;
class TMainForm;
class TQtFormView;
class TQtProgram;

namespace QtProbe {

// Makes the application when there is none; true when this call made it.
bool EnsureApp();
// Runs the deletions the event loop still holds.
void RunDeferredDeletes();
// Runs pending deletions and ends the application made by EnsureApp (if any).
void EndApp();
// Processes events for Ms milliseconds.
void Pump(int Ms);
// Processes the events waiting now, once.
void ProcessEvents();
// When a file dialog is the active modal window: chooses Path in it and accepts it.
// False when no file dialog is showing, or when it stayed open (it was not ready yet).
bool AcceptFileDialog(const std::string& Path);
// Processes events until Done() holds or TimeoutMs passed; Done()'s last answer.
bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 30000);
// The main window has its final size and the start-up zoom to the limits has run.
bool StartupDone(TQtFormView* V);
// Calls F once, Ms milliseconds from now, from the event loop.
void After(int Ms, std::function<void()> F);
// After a model event: every shown form follows the model.
void AfterEvent();

// A colour through the toolkit's colour and back.
uint32_t ColorRoundTrip(uint32_t Color);
// $00BBGGRR of the toolkit colour made from red, green, blue.
uint32_t RgbColor(int R, int G, int B);

// A Qt canvas (back-buffer image) of the given size.
std::unique_ptr<TCanvas> MakeCanvas(int Width, int Height);
// Resizes a Qt canvas (false when C is not one).
bool ResizeCanvas(TCanvas* C, int Width, int Height);
// Turns a Qt canvas's batching of thin lines on or off (false when C is not one).
bool SetLineBatching(TCanvas* C, bool On);
// A pixel of a Qt canvas's image after pending painting ended; 0xFFFFFFFF when C is
// not a Qt canvas or the point is outside.
uint32_t CanvasPixel(TCanvas* C, int X, int Y);

// A pixel of a control's widget as shown (grabbed); 0xFFFFFFFF when it has none.
uint32_t ShownPixel(TQtFormView* V, const TControl* C, int X, int Y);
// True when the control's widget exists and is of (or derives from) class ClassName
// ("QCheckBox", "QLineEdit", "QPushButton", "QToolButton" ...).
bool WidgetIs(TQtFormView* V, const TControl* C, const char* ClassName);
std::string WidgetText(TQtFormView* V, const TControl* C);  // UTF-8
bool WidgetChecked(TQtFormView* V, const TControl* C);
bool WidgetEnabled(TQtFormView* V, const TControl* C);
bool WidgetHidden(TQtFormView* V, const TControl* C);
// A tool button's picture is set / its hint is not empty.
bool WidgetHasIcon(TQtFormView* V, const TControl* C);
bool WidgetHasToolTip(TQtFormView* V, const TControl* C);
// A picture's widget shows a loaded picture.
bool WidgetShowsPicture(TQtFormView* V, const TControl* C);
// The system pointer is hidden over the control's widget.
bool WidgetHidesPointer(TQtFormView* V, const TControl* C);
bool ViewVisible(TQtFormView* V);
// The control's widget is shown on the screen (it and every widget above it).
bool WidgetShown(TQtFormView* V, const TControl* C);
// Clicks a button-like widget as a user would (false when it has none).
bool ClickWidget(TQtFormView* V, const TControl* C);
// Item Index of a radio group clicked with the mouse (false when it is not shown).
bool ClickGroupItem(TQtFormView* V, const TControl* C, int Index);
// A tree view's node (by its index counting every node from the top) clicked with the
// mouse, or opened / closed as by its branch sign; false when it is not shown.
bool ClickTreeNode(TQtFormView* V, const TControl* C, int Index);
bool ExpandTreeNode(TQtFormView* V, const TControl* C, int Index, bool Open);
// The colour of a widget's text ($00BBGGRR).
uint32_t WidgetInk(TQtFormView* V, const TControl* C);
// Focuses a line edit, selects all and types Text over it (false when it is none).
bool TypeOver(TQtFormView* V, const TControl* C, const std::string& Text);
// Key presses to the window, one per character: letters as their upper-case key
// with the character as text, '\r' as Return, '\x1b' as Escape.
void TypeKeys(TQtFormView* V, const std::string& Keys);
// A key as the window system delivers it to the focused widget of the active window
// (menu shortcuts included): "F11", "Shift+F9", "Escape", "Return" ... (a key sequence
// in the toolkit's words).
void PressKey(const std::string& Key);
// Characters typed into the focused widget of the active window.
void TypeToFocus(const std::string& Text);
// Answers the file dialog on top as a user would: picks the file type whose text starts
// with Type from its list with the keyboard, types Name into the name field and
// presses Enter. False when no file dialog shows, it has no such type or it stayed open.
bool AnswerFileDialog(const std::string& Type, const std::string& Name);
// Opens the main menu's top item Name with a mouse click on the menu bar.
bool ClickMenuBar(TQtFormView* V, const std::string& Caption);
// A user's pointer on a control: the press and release go to whatever widget lies at
// the middle of the control's widget in its window (a control hidden under another
// is not reached). False when the control's widget is not shown or something else lies
// there.
bool UserClick(TQtFormView* V, const TControl* C);
bool UserDoubleClick(TQtFormView* V, const TControl* C);
// The pointer moved onto the control where a user's pointer would meet it.
bool UserMove(TQtFormView* V, const TControl* C);
// Item Index of a radio group's buttons, or row Index of a list box, clicked.
bool UserClickItem(TQtFormView* V, const TControl* C, int Index);
// The tab of page Index of a page control clicked.
bool UserClickTab(TQtFormView* V, const TControl* C, int Index);
// The control's widget gets the focus as from a click, then the key (a key sequence in
// the toolkit's words, "Down", "1", "Escape") goes to the focused widget.
bool UserKey(TQtFormView* V, const TControl* C, const std::string& Key);
// A grid's cell clicked, Text typed into it and Enter pressed; false when the cell is
// not on the grid.
bool TypeIntoCell(TQtFormView* V, const TControl* C, int Col, int Row, const std::string& Text);
// Where a control's widget lies in its window (empty when it has none).
struct TWidgetRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};
TWidgetRect WidgetRectInWindow(TQtFormView* V, const TControl* C);
// The form whose window is the active modal one (nullptr when none is).
TForm* ActiveModalForm();
// Names of the main menu's actions that share a shortcut with another ("A, B: F2").
std::vector<std::string> SharedShortcuts(TQtFormView* V);
// A menu item of the window's menu bar triggered as a user does: its menu opened with a
// click on the bar and the item clicked in it. False when no shown item has Caption.
bool ClickMenuItem(TQtFormView* V, const std::string& Menu, const std::string& Caption);

// What a shown control's widget reads: a progress bar's or slider's value (-1 when it
// has none), a grid cell's text, a grid column's width, and how wide Text is in the
// widget's font.
int WidgetValue(TQtFormView* V, const TControl* C);
std::string CellText(TQtFormView* V, const TControl* C, int Col, int Row);
int ColumnWidth(TQtFormView* V, const TControl* C, int Col);
int TextWidth(TQtFormView* V, const TControl* C, const std::string& Text);
// The key (in the toolkit's words) to the widget that has the focus in the window, or to
// the window itself when none has.
void WindowKey(TQtFormView* V, const std::string& Key);

// Modal windows answered by the test (QtProbeAnswers.cpp).
// The text of the message box that is the active modal window, answered with its default
// button (Enter) or, WithEscape, with the button Escape presses (No, Cancel, or its only
// one); "" when no message box is the active modal window.
std::string AnswerMessageBox(bool WithEscape = false);
// While it lives, every message box that becomes the active modal window is answered as
// AnswerMessageBox does, from the event loop (modal loops inside modal loops too), and
// its text kept.
class TMessageAnswers {
public:
    explicit TMessageAnswers(bool WithEscape = false);
    ~TMessageAnswers();
    TMessageAnswers(const TMessageAnswers&) = delete;
    TMessageAnswers& operator=(const TMessageAnswers&) = delete;
    const std::vector<std::string>& Texts() const;

private:
    struct TState;
    std::shared_ptr<TState> State;
};
// When a file dialog is the active modal window: cancels it (false when none shows).
bool CancelFileDialog();
// True while a window that is not one of our forms (a message box, a file dialog) is the
// active modal window.
bool ForeignModalShowing();
// Ends every modal window, the top one first, as no user could: toolkit dialogs rejected,
// our forms' modal loops quit whatever they answer. The last resort of a test that found a
// window it cannot close, so it reports the fault instead of hanging.
void EndModalWindows();

// Mouse move to X, Y of the control's widget.
bool MouseMove(TQtFormView* V, const TControl* C, int X, int Y);
// Mouse move, left press and release at X, Y of the control's widget.
bool MouseClick(TQtFormView* V, const TControl* C, int X, int Y);

// The program's own handles, from here to LayoutFaults, are defined with the program
// (app/program/ProgramProbe.cpp): tests that use them link it.

// Writes the toolbar pictures into Dir (see PaintIconFiles).
bool PaintIcons(const std::string& Dir);

// The real program started from ProgramFile with Args (needs the application).
struct TProgramDeleter {
    void operator()(TQtProgram* P) const;
};
using TProgramPtr = std::unique_ptr<TQtProgram, TProgramDeleter>;
TProgramPtr StartProgram(const std::string& ProgramFile, const std::vector<std::string>& Args);
TMainForm& MainOf(TQtProgram& P);
TQtFormView* WindowViewOf(TQtProgram& P);
// The window of any form of the program (made on first use).
TQtFormView* FormViewOf(TQtProgram& P, TForm& F);

// Opens a form of the program as showing it would, without a modal loop, and lists its
// layout faults (a control outside its parent's client area, overlapping visible
// siblings, a clipped caption) on every page, and with the controls it shows later
// shown too unless not ShownLater; closes it again. Opened is false when the form
// closed itself on showing.
std::vector<std::string> LayoutFaults(TQtProgram& P, TForm& F, bool& Opened, bool ShownLater = true);

// Shows a form's window as showing it would (OnShow, no modal loop) and lets it settle;
// nullptr when the form closed itself on showing. CloseForm hides it again.
TQtFormView* OpenForm(TQtProgram& P, TForm& F);
void CloseForm(TQtProgram& P, TForm& F);

struct TWindowRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};
// Where a window is on the screen, frame included.
TWindowRect WindowRect(TQtFormView* V);

}  // namespace QtProbe
