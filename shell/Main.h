// The main form: the main window's logic as a form model (no Qt). Its code is split
// over shell/Main*.cpp by topic; this header keeps one section per topic so each
// topic can grow on its own.
//
// There is one main form per run; `MainForm` points at it while it lives, and the
// command routines of commands/ and cam/ reach the command line through it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Types.h"
#include "platform/Forms.h"

class TMainForm : public TForm {
public:
    TMainForm();
    ~TMainForm() override;

    // The control of that name, made when the form has none yet: each topic makes the
    // controls it needs, whichever topic's creation runs first.
    template <class T>
    T* FindOrMake(const std::string& CName, TControl* Parent = nullptr) {
        if (T* C = Find<T>(CName)) return C;
        return Make<T>(CName, Parent);
    }

    // ---- Command line (MainInterpreter.cpp) ----

    // The command line: prompt and typed text ("?>" when idle; a prompt ends with ">").
    TLabel* ComLine2 = nullptr;
    // The echo line above it: the last line entered.
    TLabel* ComLine1 = nullptr;
    // A command's parameter hint.
    TLabel* LabelParam = nullptr;
    // Number of selected objects.
    TPanel* PanelSelect = nullptr;

    // The key-press handler: Backspace, Escape, Enter; any other character is appended
    // to the command line. Menu items, icons and picks put "?>" + a keyword (or a
    // prompt and a value) into ComLine2 and call it with Key = 13.
    void FormKeyPress(char32_t& Key);
    // FormKeyPress for a key held in a value.
    void PressKey(char32_t Key);
    // A left click in the point-typing mode at world point P: the point is typed after
    // the prompt as the pointer rule writes it ("0.000000", or the user's pattern with
    // the snap raster on) and sent with Enter. Nothing unless a left click types points.
    void PickWorldPoint(const Osy& P);

    // Stores a line in the history ring ArrList / IndexList.
    void StoreHistory(const std::string& Line);
    // The history, oldest first, empty slots left out.
    std::vector<std::string> HistoryList() const;

    // Text of the last exception caught around a command routine ("" when none).
    // The exception is logged and the command line cleaned up; it never leaves
    // FormKeyPress.
    std::string LastException;

    // ---- Undo snapshots (MainUndo.cpp) ----

    // The Undo item of the main menu ("UndoMnu").
    TMenuItem* UndoMnu = nullptr;

    // Copies the drawing and the operation list into slot UndoIndex and moves the ring on.
    void TakeUndoSnapshot();
    // Empties every slot (0..100): copies freed, operation copies released; undo disabled.
    void InitUndoSlots();
    // Frees every slot's copy; UndoCount and UndoIndex 0; the Undo item disabled.
    void FreeUndoSlots();
    // Sets the Undo item to the step now on top of the ring (disabled when none).
    void SetUndoMenuToTop();

    // ---- Distance and special commands (commands/ComDist.cpp) ----

    void ComDist();
    void ComSpecial();

    // ---- View and panels: minimal stand-ins until the view and panel code arrive
    //      (MainStandIns.cpp) ----

    // Repaints the drawing area.
    void ComRedraw();
    // Refreshes the layer panel's in-use marks.
    void LayPanelUpdate();
    // Refreshes the status panels.
    void AktualizaceListy();
    // Refills the operations list box.
    void CamOpsToPanel();

private:
    void CreateCommandLineControls();  // MainInterpreter.cpp
    void CreateUndoControls();         // MainUndo.cpp
    void Escape();
    void Enter();
    void EndCommand();
    void Dispatch();
    // Runs Step; an exception it throws is logged and kept in LastException (false).
    bool Guarded(const std::function<void()>& Step);
};

// The main form while it lives, else nullptr.
extern TMainForm* MainForm;

// UNDO: puts the newest remaining snapshot back (MainUndo.cpp).
void ComUndo();

// Frees the drawing list, the temporary lists and every undo slot's copies held in
// MainVars (MainUndo.cpp). The state reset calls it before it clears MainVars.
void FreeMainVarsLists();
