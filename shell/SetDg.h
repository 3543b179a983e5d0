// The settings dialog "Nastavení": the user settings on twelve pages chosen from a list
// on the left, the command table's names, aliases, shortcuts and repeat flags, and the
// keep-or-delete choices that ROTATE, MIRROR and OFFSET read from it directly.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/Forms.h"

class TSetDialog : public TForm {
public:
    TSetDialog();
    ~TSetDialog() override;
    // The page the next showing opens on.
    void OpenOnPage(int Page) { LastPage = Page; }

    TListBox* LBoxTabs;              // the page list
    TPageControl* PageControlSetup;  // its own tabs hidden
    std::vector<TTabSheet*> Pages;
    TBitBtn* BitBtnOK;
    TBitBtn* BitBtnCancel;
    TButton* BtnLoad;  // "Načíst Default.cfg"
    TButton* BtnSave;  // "Uložit Default.cfg"

    TCheckBox* CheckBoxWheel;    // the wheel zoom reads it directly
    TCheckBox* ChBoxZoomCenter;
    // Keep or delete the source objects of ROTATE, MIRROR and OFFSET; the commands
    // read the delete buttons directly.
    TGroupBox* GrBoxRotate;
    TRadioButton* RBtnRotLeave;
    TRadioButton* RBtnRotDel;
    TGroupBox* GrBoxMirror;
    TRadioButton* RBtnMirLeave;
    TRadioButton* RBtnMirDel;
    TGroupBox* GrBoxOffset;
    TRadioButton* RbtnOffLeave;
    TRadioButton* RbtnOffDel;
    TRadioButton* RBtnContGroup;
    TRadioButton* RBtnContObject;
    TComboBox* CboxGuiStyle;
    TLabel* LblBitMapFile;
    TStringGrid* StrGridCommands;

    // Controls from the settings and the command table, and back. EditToGlobal takes
    // nothing when some field is refused; Refused then names each such field.
    void GlobalToEdit();
    bool EditToGlobal();
    void TabCmdToEdit();
    void EditToTabCmd();
    std::vector<std::string> Refused;

    void FormShow();
    void LBoxTabsClick();
    void BitBtnOKClick();
    void BitBtnCancelClick();
    void BtnSaveClick();
    void BtnLoadClick();
    void BtnLoadBitMapClick();
    void BitBtnPickBakFilesDirClick();
    // Writes ProgramDir + "/Style" with the style name.
    bool SaveStyle();

    // The caption of the menu item that would hold Short at the next start, other than
    // the item of command row Row, with the grid's shortcuts as they stand; "" when none.
    std::string ShortCutHolder(int Row, const std::string& Short) const;
    // A shortcut typed into the grid: refused with a message naming its holder.
    void StrGridCommandsSetEditText(int32_t Col, int32_t Row, const std::string& Value);

    // The style names offered (the platform's styles, sorted) and the one the program
    // applied at start ("" when no toolkit applied one); the program sets both.
    std::vector<std::string> StyleNames{"Fusion", "Windows"};
    std::string RunningStyle;

private:
    void BuildPages();
    std::vector<std::string> TakenShort;  // each row's last accepted shortcut
    void ShowRefused();
    int LastPage = 6;  // "Edit/CAM" at the first opening
};

// Glob.GuiStyle from the first line of ProgramDir + "/Style"; a missing, unreadable
// or empty file keeps it. False when the file gave no name.
bool StyleFileToGlob();

// The one instance, created at start-up (and again by the reset between tests).
extern TSetDialog* SetDialog;
// Replaces the instance with a new one in its design-time state.
void CreateSetDialog();

// SET: shows the dialog; after it, a changed undo depth empties the undo ring and the
// autosave timer takes the autosave interval.
class TMainForm;
void ComSet(TMainForm& F);
