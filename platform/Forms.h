// A form: a window model that owns its controls and finds them by Name.
// Forms are created once and keep their control values between showings.
// Showing goes through the responder (platform/Dialogs.h): the native view in the
// program, a script in tests.
#pragma once
#include <map>
#include <unordered_map>
#include <memory>

#include "platform/Controls.h"

enum class TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum class TBorderStyle : uint8_t { bsSizeable, bsDialog, bsNone, bsToolWindow };
enum class TFormStyle : uint8_t { fsNormal, fsStayOnTop };
enum class TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };

class TForm : public TControl {
public:
    explicit TForm(std::string Name);
    ~TForm() override;
    const char* ClassName() const override { return "TForm"; }

    // Makes a control owned by this form; Parent nullptr puts it on the form itself.
    template <class T>
    T* Make(const std::string& CName, TControl* Parent = nullptr) {
        auto p = std::make_unique<T>(this, Parent ? Parent : static_cast<TControl*>(this), CName);
        T* raw = p.get();
        Adopt(std::move(p));
        return raw;
    }
    // The control of that name (nullptr when there is none); the form itself by its own name.
    TControl* FindComponent(const std::string& CName) const;
    template <class T>
    T* Find(const std::string& CName) const {
        return dynamic_cast<T*>(FindComponent(CName));
    }
    // Every control, in creation order.
    const std::vector<TControl*>& Components() const { return Order; }

    TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
    TFormStyle FormStyle = TFormStyle::fsNormal;
    TWindowState WindowState = TWindowState::wsNormal;
    bool KeyPreview = false;  // the form's key events run before the focused control's
    TMainMenu* Menu = nullptr;
    bool Modal = false;       // set while ShowModal runs

    TNotifyEvent OnShow, OnHide, OnResize, OnActivate, OnPaint;
    std::function<void(TCloseAction& Action)> OnClose;
    std::function<void(bool& CanClose)> OnCloseQuery;

    int ShowModal();  // returns the modal result
    void Show();      // not modal
    void Hide();
    void Close();     // asks OnCloseQuery, runs OnClose, hides; a modal form gets mrCancel
    void BringToFront();
    void SetFocus();  // gives this window the keyboard focus

    // Steps of showing and closing; responders call these.
    void DoShow();          // Visible, OnShow
    bool DoCloseQuery();    // OnCloseQuery's answer
    void DoClose();         // OnClose, then hides unless the action says no
    void DoResize(int32_t NewWidth, int32_t NewHeight);  // the window got a new client size

    // Presses the button of that name as a user would (tests).
    void ClickButton(const std::string& CName);

private:
    void Adopt(std::unique_ptr<TControl> C);
    std::vector<std::unique_ptr<TControl>> Owned;
    std::vector<TControl*> Order;
    // Keyed upper-cased: names compare without case. Hashed: forms and menus look
    // their controls up by name often.
    std::unordered_map<std::string, TControl*> ByName;
};

// Every form alive, in creation order: the program's forms are made once at start-up,
// so this is the list of its windows (the dialog pictures and layout checks walk it).
const std::vector<TForm*>& LiveForms();
