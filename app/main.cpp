// The program: starts Qt, creates the main form and runs the message loop.
#include <QApplication>

#include "core/Glob.h"
#include "core/UniDraw.h"
#include "platform/Forms.h"
#include "platform/qt/QtResponder.h"

namespace {
// The main window until the full main form arrives: a drawing area in the
// background colour.
class TMainWindow : public TForm {
public:
    TMainWindow() : TForm("MainForm") {
        Caption = "Kestrilon";
        Width = 1024;
        Height = 700;
        DrawArea = Make<TPaintBox>("DrawArea");
        DrawArea->Align = TAlign::alClient;
        DrawArea->OnPaint = [this] { Redraw(); };
    }
    void Redraw() {
        TCanvas* c = DrawArea->Canvas;
        if (!c) return;
        c->BeginDraw();
        c->Clear(Glob.BackColor);
        c->EndDraw();
    }
    TPaintBox* DrawArea;
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetGlobDefaults();
    TQtResponder responder;
    responder.Install();
    TMainWindow main;
    responder.MainForm = &main;
    main.Show();
    MainCanvas = main.DrawArea->Canvas;
    int rc = app.exec();
    MainCanvas = nullptr;
    return rc;
}
