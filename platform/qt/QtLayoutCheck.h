// Looks at a form's window as laid out by the binding: controls outside their parent's
// client area, visible siblings overlapping, captions wider than their control. Used by
// the layout test over every form and by the dialog pictures.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

class TControl;
class TForm;
class TQtFormView;
class TQtResponder;

// Shows the form's window as showing it would (OnShow, the window centred), without a
// modal loop, and lets the window settle; nullptr when the form closed itself on showing.
TQtFormView* QtOpenForInspection(TQtResponder& R, TForm& F);
// Hides it again (OnHide runs as for any hiding).
void QtCloseInspected(TQtResponder& R, TForm& F);
// One line per fault: "Form.Control: what is wrong", found in every state the walk
// below visits (without the controls shown later unless ShownLater).
std::vector<std::string> QtLayoutFaults(TQtFormView* V, bool ShownLater = true);
// Visits the states of a shown form a user can bring about: the form as it shows, then
// each other page of every page control; then all of them again with every control the
// form hides now shown as well (the controls a choice shows later: their places are
// looked at too). Visit gets the page's name ("" for the form as it shows), whether the
// hidden controls are shown, and which those are. The form is left as it was. A message
// box a page's handlers raise on the way is answered with its default button; the texts
// of those are returned ("Form.Page: text").
using TFormStateVisit =
    std::function<void(const std::string& Page, bool Later, const std::set<const TControl*>& Revealed)>;
std::vector<std::string> QtWalkFormStates(TQtFormView* V, const TFormStateVisit& Visit, bool ShownLater = true);
// A picture of the window (contents, without the frame).
bool QtSaveFormPicture(TQtFormView* V, const std::string& PngFile);
// A picture of every state of the walk above, named Stem + ".png", Stem + "." + page +
// ".png", and with ".later" before ".png" for the states with the hidden controls shown.
// The files written; a file that could not be written is named in Failed, the message
// boxes met on the way in Messages.
std::vector<std::string> QtSaveFormPictures(TQtFormView* V, const std::string& Stem, std::vector<std::string>& Failed,
                                            std::vector<std::string>& Messages);
// Moves a dialog's window to the centre of the main window (of the screen when there is
// none) unless the form names its own position.
void QtPlaceDialog(TQtFormView* V, TQtFormView* MainView);
