// The native window of one form model while it is shown. Widgets are made from the
// controls once; afterwards user input updates the model and fires its events, and
// model changes reach the widgets at the next sync (after every event and on a
// short timer).
#pragma once
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "platform/Forms.h"

class TQtCanvas;
class QMenuBar;

class TQtFormView : public QWidget {
public:
    explicit TQtFormView(TForm& F);
    ~TQtFormView() override;

    TForm& Form;
    // Model -> widgets.
    void SyncToWidgets();
    // The widget standing for a control (nullptr when it has none).
    QWidget* WidgetOf(const TControl* C) const;
    // The control a widget of this window belongs to: its own widget, or the nearest
    // one above it (a list's viewport, a grid's cell editor, a group box's inner area).
    // nullptr for the window itself and its menus.
    TControl* ControlOf(const QWidget* W) const;
    // True when W is the control's own widget (not a part inside it).
    bool IsOwnWidget(const QWidget* W) const;
    // Runs a modal loop until the form's ModalResult is set and the close is allowed.
    int RunModal();
    // Lays the controls of one container out (aligned ones first, then positioned ones).
    void LayoutContainer(QWidget* Host, TControl* Container);
    // The room a container's children take (controls without a position flow down from
    // FlowTop).
    QSize ContentsHint(TControl* Container, int FlowTop) const;

protected:
    void closeEvent(QCloseEvent* E) override;
    void resizeEvent(QResizeEvent* E) override;
    void showEvent(QShowEvent* E) override;

private:
    struct TBinding {
        TControl* C = nullptr;
        QWidget* W = nullptr;
        std::function<void()> Push;  // model -> widget
    };
    QWidget* Build(TControl* C, QWidget* Host);
    void BuildChildren(TControl* Container, QWidget* Host);
    void BuildMenu();
    void SyncMenu();
    void PushCommon(TControl* C, QWidget* W);
    std::vector<TBinding> Bindings;
    std::map<const TControl*, QWidget*> Widgets;
    std::map<const QWidget*, TControl*> Controls;  // the reverse of Widgets, menus left out
    QWidget* Client = nullptr;
    QMenuBar* MenuBar = nullptr;
    std::string MenuShape;
    bool Pushing = false;
    bool SizedOnce = false;
    friend class TQtContainer;
};

// After a model event ran: every shown form follows the model, and modal loops look
// at their results.
void QtAfterEvent();
// Quits every form's modal loop, whatever its close query would answer: the tests' last
// resort against a window no input closes.
void QtQuitModalLoops();
// Qt key code -> virtual key code (0 when it has none).
uint16_t QtKeyToVk(int Key);
uint8_t QtShift(Qt::KeyboardModifiers M, Qt::MouseButtons B = Qt::NoButton);
