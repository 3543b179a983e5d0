// Looks at a form's window as laid out by the binding: controls outside their parent's
// client area, visible siblings overlapping, captions wider than their control. Used by
// the layout test over every form and by the dialog pictures.
#pragma once
#include <string>
#include <vector>

class TForm;
class TQtFormView;
class TQtResponder;

// Shows the form's window as showing it would (OnShow, the window centred), without a
// modal loop, and lets the window settle; nullptr when the form closed itself on showing.
TQtFormView* QtOpenForInspection(TQtResponder& R, TForm& F);
// Hides it again (OnHide runs as for any hiding).
void QtCloseInspected(TQtResponder& R, TForm& F);
// One line per fault: "Form.Control: what is wrong".
std::vector<std::string> QtLayoutFaults(TQtFormView* V);
// A picture of the window (contents, without the frame).
bool QtSaveFormPicture(TQtFormView* V, const std::string& PngFile);
// Moves a dialog's window to the centre of the main window (of the screen when there is
// none) unless the form names its own position.
void QtPlaceDialog(TQtFormView* V, TQtFormView* MainView);
