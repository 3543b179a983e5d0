// Everything that needs a person's answer or a native window goes through one
// replaceable responder: modal forms, message and question boxes, open, save and colour
// dialogs, and the showing of non-modal forms. The program installs the Qt responder;
// tests install a TScriptResponder (platform/ScriptResponder.h) that answers from a
// script and fails on a dialog nobody expected.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Forms.h"

enum class TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// Button set bits.
inline constexpr uint16_t mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32,
                          mbIgnore = 64, mbAll = 128, mbNoToAll = 256, mbYesToAll = 512;
inline constexpr uint16_t mbYesNo = mbYes | mbNo, mbYesNoCancel = mbYes | mbNo | mbCancel,
                          mbOKCancel = mbOK | mbCancel;

// Flags and answers of the classic message box.
inline constexpr uint32_t MB_OK = 0, MB_OKCANCEL = 1, MB_YESNOCANCEL = 3, MB_YESNO = 4,
                          MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30,
                          MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

// Open and save dialogs: fill in before Execute; FileName holds the choice after it.
struct TFileDialog {
    std::string Title;
    std::string Filter;      // "Drawings (*.dxf)|*.dxf|All files (*.*)|*.*"
    int32_t FilterIndex = 1; // 1-based
    std::string InitialDir;
    std::string DefaultExt;  // without the dot
    std::string FileName;
    bool OverwritePrompt = false;
};
struct TOpenDialog : TFileDialog {
    bool Execute();  // true when a file was chosen
};
struct TSaveDialog : TFileDialog {
    bool Execute();
};
struct TColorDialog {
    uint32_t Color = 0;  // $00BBGGRR, in and out
    bool Execute();
};

class TResponder {
public:
    virtual ~TResponder() = default;
    // Shows the form modally and returns its modal result. Implementations run
    // Form.DoShow() first and Form.DoClose() last.
    virtual int ShowModal(TForm& Form) = 0;
    // Answer of a message or question box: an mr... value. Caption may be empty.
    virtual int MessageDlg(const std::string& Caption, const std::string& Msg, TMsgDlgType Type,
                           uint16_t Buttons) = 0;
    virtual bool OpenDialog(TOpenDialog& D) = 0;
    virtual bool SaveDialog(TSaveDialog& D) = 0;
    virtual bool ColorDialog(TColorDialog& D) = 0;
    // Non-modal windows and repaints: nothing to do without a display.
    virtual void ShowForm(TForm& Form) {}
    virtual void HideForm(TForm& Form) {}
    // The form is being destroyed: drop whatever stands for it.
    virtual void FormGone(TForm& Form) {}
    virtual void FocusForm(TForm& Form) {}
    virtual void Invalidate(TControl& C) {}
    virtual void ProcessMessages() {}
};

// The responder in use. Without one installed, every dialog is a failure (an
// unexpected dialog) that the default responder reports by throwing EUnexpectedDialog.
TResponder& Responder();
// Installs R (nullptr: back to the default); returns the previous one.
TResponder* SetResponder(TResponder* R);

struct EUnexpectedDialog : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int MessageDlg(const std::string& Msg, TMsgDlgType Type, uint16_t Buttons);
void ShowMessage(const std::string& Msg);
// The classic message box: Flags MB_..., answer ID...
int MessageBox(const std::string& Text, const std::string& Caption, uint32_t Flags);
void ProcessMessages();
