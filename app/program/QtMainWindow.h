// The main window's binding on top of the generic form window: toolbar pictures,
// maximising, pointer events of panels and labels reaching the main form's handlers,
// the layer rows' hint, and the drawing area's canvas as the program's drawing canvas.
#pragma once
#include <QObject>

class TMainForm;
class TQtFormView;
class TQtResponder;
class QTimer;

class TQtMainWindow : public QObject {
public:
    // Builds the window of F (not shown yet) and makes its drawing area's canvas the
    // main canvas.
    TQtMainWindow(TQtResponder& R, TMainForm& F);
    ~TQtMainWindow() override;

    TQtFormView* View = nullptr;
    // Model -> window for what the generic binding does not know (pictures, maximise).
    void Sync();

private:
    TMainForm& Form;
    QTimer* Timer = nullptr;
};

// Forwards pointer presses, releases and moves over panels, labels and pictures of
// every form window to their models' handlers (buttons and edits handle their own);
// installed once.
void InstallQtPointerForwarding();
