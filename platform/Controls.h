// Controls as plain C++ objects. A form owns them and knows them by Name; the logic
// reads and writes their fields directly, and a native view (platform/qt) mirrors them
// both ways while the form is shown. "User" actions (Click, TypeText, ChooseItem ...)
// change the value and fire the events the way a person's input would, so tests and
// the native view drive a form alike.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Colors.h"

class TForm;
class TControl;

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Modal results (the classic values).
inline constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                     mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

// Shift state bits.
inline constexpr uint8_t ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                         ssDouble = 64;
enum class TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Virtual key codes used by the program.
inline constexpr uint16_t VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17,
                          VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35,
                          VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
                          VK_INSERT = 45, VK_DELETE = 46, VK_F1 = 112;

using TNotifyEvent = std::function<void()>;
using TKeyEvent = std::function<void(uint16_t& Key, uint8_t Shift)>;
using TKeyPressEvent = std::function<void(char32_t& Key)>;
using TMouseEvent = std::function<void(TMouseButton Button, uint8_t Shift, int32_t X, int32_t Y)>;
using TMouseMoveEvent = std::function<void(uint8_t Shift, int32_t X, int32_t Y)>;
using TMouseWheelEvent =
    std::function<void(uint8_t Shift, int32_t WheelDelta, TPoint MousePos, bool& Handled)>;

// The system pointer over a control: crDefault takes the form's (the arrow when the form's
// is crDefault too), crNone hides it, crAppStart is the arrow with the busy sign.
enum class TCursor : uint8_t { crDefault, crNone, crAppStart };

inline void Fire(const TNotifyEvent& E) {
    if (E) E();
}

class TControl {
public:
    TControl(TForm* Owner, TControl* Parent, std::string Name);
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual const char* ClassName() const { return "TControl"; }

    std::string Name;
    TForm* Owner;      // the form holding it (nullptr for a form)
    TControl* Parent;  // the container it sits in (nullptr: the form itself)
    std::vector<TControl*> Children;

    std::string Caption;  // labels, buttons, check boxes, panels, forms, menu items, tabs
    std::string Text;     // edits, combo boxes
    std::string Hint;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;  // check boxes, radio buttons, menu items
    bool ReadOnly = false;
    int32_t ItemIndex = -1;          // list boxes, combo boxes, radio groups
    std::vector<std::string> Items;  // list boxes, combo boxes, radio groups
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;  // 0 size: the native default
    TAlign Align = TAlign::alNone;
    uint32_t Color = clDefault;  // background
    TFontSpec Font{"", 0, clDefault, false, false};  // Size 0, clDefault: the native default
    int32_t Tag = 0;
    int32_t ModalResult = mrNone;  // buttons: closes a modal form with this result
    bool Stacked = false;  // shares its place with siblings on purpose (a backdrop, a marker)
    bool NeverShown = false;  // hidden for good: it only holds a value, no choice shows it
    TCursor Cursor = TCursor::crDefault;

    TNotifyEvent OnClick, OnDblClick, OnChange, OnEnter, OnExit;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    std::function<void()> OnMouseEnter, OnMouseLeave;

    bool Showing() const;  // visible and every parent visible

    // What a user's input does (the native view calls these too).
    virtual void Click();
    void TypeText(const std::string& NewText);  // sets Text, fires OnChange
    void ChooseItem(int32_t Index);             // sets ItemIndex, fires OnChange then OnClick
};

class TLabel : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TLabel"; }
};

class TEdit : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TEdit"; }
};

class TButton : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TButton"; }
    bool Default = false;  // Enter presses it
    bool Cancel = false;   // Escape presses it
    void Click() override;
};

class TBitBtn : public TButton {
public:
    using TButton::TButton;
    const char* ClassName() const override { return "TBitBtn"; }
};

// A button that can stay down; buttons of one non-zero GroupIndex under one parent
// act as radio buttons.
class TSpeedButton : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TSpeedButton"; }
    bool Down = false;
    int32_t GroupIndex = 0;
    bool AllowAllUp = false;
    bool Flat = false;
    void Click() override;
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TCheckBox"; }
    void Click() override;  // toggles Checked, fires OnClick
};

class TRadioButton : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TRadioButton"; }
    void Click() override;  // checks it, unchecks the siblings, fires OnClick
};

class TRadioGroup : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TRadioGroup"; }
    int32_t Columns = 1;
};

class TComboBox : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TComboBox"; }
    bool DropDownList = true;  // false: the text can be typed
};

class TListBox : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TListBox"; }
    // Font colour of each row (parallel to Items; a missing entry: the font colour).
    std::vector<uint32_t> ItemColors;
    // The row under the pointer, set by the native view before OnMouseMove (-1 none).
    int32_t HotIndex = -1;
};

class TMemo : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TMemo"; }
    std::vector<std::string> Lines;
    bool WordWrap = true;
    bool ScrollBars = true;
    int32_t TopLine = 0;  // the line the native view scrolls to; -1: the end
};

// A memo whose lines have their own colours (LineColors parallel to Lines;
// a missing entry means the font colour).
class TRichEdit : public TMemo {
public:
    using TMemo::TMemo;
    const char* ClassName() const override { return "TRichEdit"; }
    std::vector<uint32_t> LineColors;
    void AddLine(const std::string& S, uint32_t C);
    void DeleteLine(size_t Index);
    void ClearLines();
};

class TPanel : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TPanel"; }
};

// A panel whose children may reach beyond it: the view scrolls them.
class TScrollBox : public TPanel {
public:
    using TPanel::TPanel;
    const char* ClassName() const override { return "TScrollBox"; }
};

class TGroupBox : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TGroupBox"; }
};

class TTabSheet : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TTabSheet"; }
    uint32_t TabColor = clDefault;  // the colour of its caption on the tab
};

// Its children are TTabSheets.
class TPageControl : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TPageControl"; }
    int32_t ActivePageIndex = 0;
    bool TabsVisible = true;  // false: pages change only through the program
    void ChoosePage(int32_t Index);  // user action: fires OnChange
};

class TTrackBar : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TTrackBar"; }
    int32_t Min = 0, Max = 10, Position = 0;
    void MoveTo(int32_t Pos);  // user action: fires OnChange
};

class TProgressBar : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TProgressBar"; }
    int32_t Min = 0, Max = 100, Position = 0;
};

// Cells[col][row], as the classic grid indexes them.
class TStringGrid : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TStringGrid"; }
    int32_t ColCount() const { return int32_t(Cells.size()); }
    int32_t RowCount() const { return Cells.empty() ? 0 : int32_t(Cells[0].size()); }
    void SetSize(int32_t Cols, int32_t Rows);  // keeps the cells that stay
    std::vector<std::vector<std::string>> Cells;
    // Background of Cells[col][row]; a missing entry or clDefault: the grid's own.
    std::vector<std::vector<uint32_t>> CellColors;
    std::vector<int32_t> ColWidths;
    int32_t DefaultRowHeight = 0;  // pixels; 0: the native default
    int32_t FixedCols = 1, FixedRows = 1;
    int32_t Col = 1, Row = 1;
    bool Editing = false;
    std::function<void(int32_t Col, int32_t Row, const std::string& Value)> OnSetEditText;
    std::function<void(int32_t Col, int32_t Row, bool& CanSelect)> OnSelectCell;
    void EditCell(int32_t ACol, int32_t ARow, const std::string& Value);  // user action
    void SelectCell(int32_t ACol, int32_t ARow);                         // user action
};

// A tree of text nodes. Nodes are kept in display order, each after its parent and
// its parent's earlier children (the order a depth-first walk meets them), so a node's
// index counts every node above it. ImageIndex and SelectedIndex pick pictures of
// Images (files); -1 shows none.
struct TTreeNode {
    std::string Text;
    int32_t Parent = -1;
    int32_t ImageIndex = -1, SelectedIndex = -1;
    bool Expanded = false;
};

class TTreeView : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TTreeView"; }
    std::vector<TTreeNode> Nodes;
    std::vector<std::string> Images;
    int32_t Selected = -1;
    int32_t Indent = 19;
    bool HideSelection = true;  // false: the selection stays marked without the focus
    // Appends a node under Parent (-1: the top level); Parent must be the last node or
    // one of its ancestors. Returns its index, or -1 when Parent breaks the order.
    int32_t AddNode(int32_t Parent, const std::string& Text, int32_t Image, int32_t SelImage);
    void Clear();
    int32_t Level(int32_t Index) const;  // 0 at the top level
    bool HasChildren(int32_t Index) const;
    // User actions: OnChange follows a new selection.
    void SelectNode(int32_t Index);
    void SetExpanded(int32_t Index, bool On);
};

// A picture from a file (PNG and the like), shown stretched or at its size.
class TImage : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TImage"; }
    std::string PictureFile;
    bool Stretch = false;
};

// The drawing area: the native view gives it a canvas over a back-buffer image;
// what the logic draws there shows at once. OnPaint runs when the area must be redrawn.
class TPaintBox : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TPaintBox"; }
    TCanvas* Canvas = nullptr;  // set by the native view (or a test)
    TNotifyEvent OnPaint, OnResize;
    void Invalidate();  // ask for a repaint through the responder
};

// A menu item; its children are its sub-items. ShortCut is a text such as "Ctrl+S".
class TMenuItem : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TMenuItem"; }
    std::string ShortCut;
    bool IsSeparator() const { return Caption == "-"; }
    void Click() override;  // fires OnClick when enabled
};

// The form's menu bar; its children are the top-level TMenuItems.
class TMainMenu : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TMainMenu"; }
};

// A context menu; its children are TMenuItems.
class TPopupMenu : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TPopupMenu"; }
};

std::string Utf8Of(char32_t C);
