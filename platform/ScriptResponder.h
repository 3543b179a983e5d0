// The responder for tests: answers dialogs from a script, in order, and treats any
// dialog the script did not expect as a failure (it throws EUnexpectedDialog, which
// the test framework reports). Installs itself on construction and puts the previous
// responder back on destruction.
//
//   TScriptResponder R;
//   R.ExpectModal("ToolDialog", [](TForm& F) { F.Find<TEdit>("EditD")->Text = "3"; return mrOk; });
//   R.ExpectMessage(mrYes, "Uložit");         // the next dialog is a box whose text has "Uložit"
//   R.ExpectOpen("/tmp/a.dxf");               // the next dialog is an open dialog
//   ... run the code ...
//   EXPECT_TRUE(R.Done());                    // every answer was used
#pragma once
#include <deque>
#include <functional>

#include "platform/Dialogs.h"

class TScriptResponder : public TResponder {
public:
    TScriptResponder();
    ~TScriptResponder() override;

    // The script's answer to a modal form: it may change controls and click buttons;
    // its return value is the modal result unless a button already set one.
    using TModalScript = std::function<int(TForm& Form)>;
    void ExpectModal(const std::string& FormName, TModalScript Script);
    void ExpectModal(const std::string& FormName, int Result);
    // A message or question box whose caption or text contains TextPart (empty: any).
    void ExpectMessage(int Answer, const std::string& TextPart = {});
    // An open/save dialog choosing FileName ("" cancels).
    void ExpectOpen(const std::string& FileName);
    void ExpectSave(const std::string& FileName);
    // A colour dialog choosing Color; Cancel leaves it.
    void ExpectColor(uint32_t Color);
    void ExpectColorCancel();

    // True when every expected dialog came.
    bool Done() const { return Queue.empty(); }
    size_t Pending() const { return Queue.size(); }
    // Every dialog shown, in order: "modal:Name", "message:Caption|Text", "open:", "save:", "color:".
    std::vector<std::string> Shown;
    // Forms shown non-modally and currently showing, by name.
    std::vector<std::string> OpenForms;
    size_t Invalidations = 0;

    int ShowModal(TForm& Form) override;
    int MessageDlg(const std::string& Caption, const std::string& Msg, TMsgDlgType Type,
                   uint16_t Buttons) override;
    bool OpenDialog(TOpenDialog& D) override;
    bool SaveDialog(TSaveDialog& D) override;
    bool ColorDialog(TColorDialog& D) override;
    void ShowForm(TForm& Form) override;
    void HideForm(TForm& Form) override;
    void FormGone(TForm& Form) override { HideForm(Form); }
    void Invalidate(TControl& C) override { ++Invalidations; }

private:
    enum class TKind { Modal, Message, Open, Save, Color };
    struct TItem {
        TKind Kind = TKind::Modal;
        std::string Name;  // form name, text part or file name
        TModalScript Script;
        int Answer = 0;
        uint32_t Color = 0;
        bool Cancel = false;
    };
    TItem Take(TKind Kind, const std::string& What);
    std::deque<TItem> Queue;
    TResponder* Previous;
};
