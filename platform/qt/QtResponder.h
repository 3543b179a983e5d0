// The responder and timer backend of the real program: forms become Qt windows,
// message boxes and file dialogs are Qt's own, timers are QTimers.
#pragma once
#include <map>

#include "platform/Dialogs.h"
#include "platform/Timers.h"

class TQtFormView;
class QTimer;

class TQtResponder : public TResponder, public TTimerBackend {
public:
    TQtResponder();
    ~TQtResponder() override;
    // Installs itself as the responder and the timer backend.
    void Install();

    // The window of a form (made on first use; it lives as long as the responder).
    TQtFormView* ViewOf(TForm& Form);
    // When this form hides, the application quits.
    TForm* MainForm = nullptr;
    std::string AppTitle = "Kestrilon";

    int ShowModal(TForm& Form) override;
    int MessageDlg(const std::string& Caption, const std::string& Msg, TMsgDlgType Type, uint16_t Buttons) override;
    bool OpenDialog(TOpenDialog& D) override;
    bool SaveDialog(TSaveDialog& D) override;
    bool ColorDialog(TColorDialog& D) override;
    void ShowForm(TForm& Form) override;
    void HideForm(TForm& Form) override;
    void FormGone(TForm& Form) override;
    void FocusForm(TForm& Form) override;
    void Invalidate(TControl& C) override;
    void ProcessMessages() override;

    void TimerChanged(TTimer& T) override;
    void TimerGone(TTimer& T) override;

private:
    // A dialog about to show: centred on the main window unless it names its position.
    void Place(TQtFormView* V);
    std::map<TForm*, TQtFormView*> Views;
    std::map<TTimer*, QTimer*> Timers;
};

// "Drawings (*.dxf)|*.dxf|All (*.*)|*.*" -> "Drawings (*.dxf);;All (*.*)"
std::string QtFilterOf(const std::string& Filter);
