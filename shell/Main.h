// The main form: the main window's logic as a form model (no Qt). Its code is split
// over shell/Main*.cpp by topic; this header keeps one section per topic so each
// topic can grow on its own.
//
// There is one main form per run; `MainForm` points at it while it lives, and the
// command routines of commands/ and cam/ reach the command line through it.
#pragma once
#include <cstdint>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/Types.h"
#include "platform/Forms.h"
#include "platform/Timers.h"

struct TObjHeader;

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

    // Repaints the drawing area; the canvas keeps the picture of the drawing alone.
    void ComRedraw();
    // After a pointer move: the kept picture of the drawing with the pointer's marks
    // (cross-hair, rubber band, snap marker, highlights) painted over it, while the
    // view is the one that picture was painted for; else the full repaint.
    void RedrawPointer();
    // Refreshes the layer panel's in-use marks.
    void LayPanelUpdate();
    // Refreshes the status panels.
    void AktualizaceListy();
    // Refills the operations list box.
    void CamOpsToPanel();

    // ---- Drawing view, zoom, pointer and object snaps (hw1: MainView.cpp,
    //      MainZoom.cpp, MainPointer.cpp, Osnap.cpp) ----

    // Set only while FormResize forces a repaint: the Redraw menu item does nothing.
    bool NotCmd = false;
    // The main form is the active window (pointer moves over the area count only then).
    bool Active = true;
    // The pointer's coordinates under the command line.
    TLabel* LabelCoord = nullptr;
    // Run by a pointer move over the drawing area after the hint is dropped: the panels
    // that open on demand collapse (installed by the panel code).
    TNotifyEvent OnPointerInArea;
    // Set by PointerAtWorld: the next redraws take PointerWorld as the pointer's world
    // position instead of the world point of NewPosPix (until a real pointer move).
    bool PointerExact = false;
    Osy PointerWorld;
    // What the canvas's kept picture of the drawing was painted for: a different one
    // (another zoom, area, view mode, list or canvas) needs a full repaint.
    struct TPaintedView {
        Extended Values[9] = {};
        int32_t Width = 0, Height = 0;
        uint8_t View = 0;
        const void* Canvas = nullptr;
        const void* First = nullptr;
        const void* Last = nullptr;
        bool operator==(const TPaintedView&) const = default;
    };
    TPaintedView PaintedView;
    bool PictureKept = false;
    TPaintedView ViewNow() const;
    // The pointer's marks over the drawing, inside an open BeginDraw bracket.
    void PaintPointerMarks(TCanvas* C);

    // Recomputes Glob.Okno and Glob.OknoStart from the client size and the panels.
    void RecalcOkno();
    // The two highlight passes of the redraw.
    void DrawOpHighlight();
    void DrawLayerHighlight();

    // Zoom, grid and snap routines (keywords ZOOMW, ZOOMIN ... and the View menu).
    void ComZoomWindow();
    void ComZoomIn();
    void ComZoomPreview();
    void ComZoomObject();
    void ComZoomLimits();
    void ComGrid();
    void ComOrtho();
    void ComSnap();
    void ComSnapUp();
    void ComSnapDn();
    void ComASnap();
    void ComASnapUp();
    void ComASnapDn();
    // Wheel at the pointer; a positive delta is a turn away from the user.
    void FormMouseWheel(uint8_t Shift, int32_t WheelDelta, TPoint MousePos, bool& Handled);
    // The View menu items' handlers: log "Usr:..." and run the routine directly, so a
    // running command is not disturbed (Zoom Window replaces it).
    void RedrawMnuClick();
    void ZoomWindowMnuClick();
    void ZoomInMnuClick();
    void ZoomPreviewMnuClick();
    void ZoomObjectMnuClick();
    void ZoomLimitsMnuClick();
    void GridOnMnuClick();
    void OrthoOnMnuClick();
    void SnapOnMnuClick();
    void SnapUpMnuClick();
    void SnapDnMnuClick();
    void ASnapOnMnuClick();
    void ASnapUpMnuClick();
    void ASnapDnMnuClick();
    void OnsapOnMNUClick();
    // The status panels' texts of the two steps ("1.0000", "15.0").
    static std::string SnapStepText();
    static std::string ASnapStepText();

    // Pointer and keys of the drawing area (X, Y: client pixels).
    void FormMouseDown(TMouseButton Button, uint8_t Shift, int32_t X, int32_t Y);
    void FormMouseUp(TMouseButton Button, uint8_t Shift, int32_t X, int32_t Y);
    void FormMouseMove(uint8_t Shift, int32_t X, int32_t Y);
    void FormMouseEnter();
    // Arrow keys pan; other keys do nothing here.
    void FormKeyDown(uint16_t& Key, uint8_t Shift);
    // A pointer move to world point P, exactly (scripts and tests): as FormMouseMove to
    // P's pixel, but the redraw takes P itself instead of the pixel's world point.
    void PointerAtWorld(const Osy& P);
    // Computes PosMouse and draws the cross-hair, aperture and rubber band (end of redraw).
    void RedrawCursor();
    void DrawCrossHair(TPoint P);

    // Object snaps: the six kind buttons, the main switch, the command-panel click.
    void SpdBtnEndClick();
    void SpdBtnMidClick();
    void SpdBtnCenClick();
    void SpdBtnIntClick();
    void SpdBtnPerClick();
    void SpdBtnTanClick();
    void SbtnOsnapSwitchClick();
    void ComPanelClick();
    // The pointer entered a panel around the drawing area.
    void Shape1MouseEnter();
    // A double click on the snap (Angle: angle-snap) status panel: the settings dialog
    // on its view page, then the switch toggled back.
    void PanelSnapDblClick(bool Angle);
    void UpdateOsnapNone();
    // The search and its marker (part of every redraw).
    void DrawOsnap();

    // ---- end of the drawing-view section ----

    // ---- Start-up and shutdown, menus and icon toolbar, panels, layer panel (hw2:
    //      MainStartup.cpp, MainMenus.cpp, MainPanels.cpp, LayPanel.cpp) ----

    // The command-line arguments after the program name (set before FormShow).
    std::vector<std::string> Args;
    // False until the end of the first FormShow; cleared again when the shutdown starts.
    // While it is false the redraw paints nothing.
    bool FormStarted = false;
    // The first argument contains "debug": the debug panel shows.
    bool DebugMode = false;
    // The application's title (the job's name; empty when none was opened).
    std::string AppTitle;
    // Autosave (every AutoSave minutes, enabled from creation) and the one-shot timer
    // 50 ms after the first showing.
    TTimer Timer1{"Timer1", 300000, true};
    TTimer Timer2{"Timer2", 50, false};

    // Start-up, in the order of the program's main routine: FormCreate runs when the
    // form is made (the program calls it right after construction), FormShow at every
    // showing (only the first one acts).
    void FormCreate();
    void FormShow();
    // Close request: the end question when the job is not saved; Action caNone keeps
    // the program running.
    void FormClose(TCloseAction& Action);
    void FormResize();
    void MaxWin();
    void Timer1Timer();
    void Timer2Timer();
    void ReloadFontsMnuClick();
    void mHelpMnuClick();
    // Debug panel.
    TPanel* PanelDebug = nullptr;
    TLabel* LabMosPosPX = nullptr;
    TMemo* MemoDebugOps = nullptr;
    void SbtnDumpUndoClick();
    void SbtnDumpCamOpClick();
    void SbtnCountLastSelClick();
    void SpeedButton4Click();
    void PanelDebugClick();

    // Menus: the main menu model; keyword items type "?>" + keyword and press Enter.
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* MenuItem(const std::string& ItemName) const { return Find<TMenuItem>(ItemName); }
    // The drawing area: the whole client area, the panels lie over it.
    TPaintBox* PaintBoxDraw = nullptr;
    void RunMenuKeyword(const std::string& Keyword);
    void ExitMnuClick();
    void Knihovnanstroj1Click();
    // Icon toolbar: eight group buttons, 19 item buttons, the group shown.
    TPanel* IconsPanel = nullptr;
    TPanel* ShMainMenuBtns = nullptr;
    std::array<TSpeedButton*, 8> GroupButtons{};
    std::array<TSpeedButton*, 19> ItemButtons{};  // [0] is SbtnMNUSelectItem1
    int IconGroup = 0;
    // Picture file of each toolbar button ("" none), kept by button.
    std::map<const TControl*, std::string> ButtonPicture;
    void LoadIconBitmaps();
    void SelectIconsMNU(int MNU, bool ImgLoad);
    void SbtnMNUSelectFileClick(int Group);
    // Item button Button (1..19) of the group shown.
    void IcoSelectClick(int Button);
    void IconsPanelMouseMove(uint8_t Shift, int32_t X, int32_t Y);
    void PanelDrawClick();
    void Panel_L_DClick();

    // Panels around the drawing area and the status panels of the command panel.
    TPanel* OpsPanel = nullptr;
    TListBox* ListBoxOps = nullptr;
    TPanel* LayPanel = nullptr;
    TPanel* ScrollBoxLay = nullptr;
    TPanel* ComPanel = nullptr;
    TPanel* PanelInfo = nullptr;
    TPanel* PanelDraw = nullptr;
    TPanel* Panel_L_D = nullptr;
    TPanel* PanelOrtho = nullptr;
    TPanel* PanelSnap = nullptr;
    TPanel* PanelASnap = nullptr;
    TPanel* PanelCoords = nullptr;
    bool OpsPanelOpen = false, LayPanelOpen = false, IconsPanelOpen = false, MenuBarShown = true;
    void PanelsFromSettings();
    void PanelOpsOn();
    void PanelOpsOff();
    void PanelLayOn();
    void PanelLayOff();
    void PanelIconsOn();
    void PanelIconsOff();
    void PanelMenuOn();
    void PanelMenuOff();
    void MenuOn();
    void MenuOff();
    void PanelInfoMouseMove(uint8_t Shift, int32_t X, int32_t Y);

    // Layer panel: 32 rows of one bank and the four special rows (LayPanel.cpp).
    bool ShowAllNext = false;
    TPanel* PanelHint = nullptr;
    void MarkUsedLayers(TObjHeader* First);
    // Button: a click on row Row (1..32, 65..68).
    void LayerRowMouseDown(TMouseButton Button, int Row);
    void LayerRowToggleShow(int Row);
    void SpecialRowToggleShow(int Layer);
    void InitLayerPanelEvents();
    void SpBtnAllClick();
    void SpBtnInvertClick();
    void SpBtnStyleClick();
    void SpBtnLoHiClick();
    void LayerRowMouseEnter(int Row);
    void LayerRowMouseLeave();
    void LayPanelMouseMove(uint8_t Shift, int32_t X, int32_t Y);
    // LAYER: the layer and view dialog.
    void ComLayer();

    // Picture file of each toolbar picture number 0..110 ("" when missing).
    std::vector<std::string> IconPictures;
    // Made once by the constructor (MainMenus.cpp, MainPanels.cpp, LayPanel.cpp).
    void CreateMainWindowControls();

    // ---- end of the start-up, menus and panels section ----

    // ---- User plug-in library and update check (UserDll.cpp, UpdateCheck.cpp) ----

    // A USER keyword: the plug-in library's UserCmd, then the layer panel refreshed.
    void ComUser();

private:
    void CreateCommandLineControls();  // MainInterpreter.cpp
    void CreateUndoControls();         // MainUndo.cpp
    // What Escape and a toolbar icon do to a running command: the selection
    // remembered and cleared, the working lists freed, " CANCEL" on the command line.
    void CancelCommand();
    void Escape();
    void Enter();
    void EndCommand();
    void Dispatch();
    // Start-up, menus and panels (hw2).
    void CreateMenuControls();
    void CreateToolbarControls();
    void CreatePanelControls();
    void CreateLayerPanelControls();
    void CancelForIcon();
    // Runs Step; an exception it throws is logged and kept in LastException (false).
    bool Guarded(const std::function<void()>& Step);
};

// The main form while it lives, else nullptr.
extern TMainForm* MainForm;

// UNDO: puts the newest remaining snapshot back (MainUndo.cpp).
void ComUndo();
