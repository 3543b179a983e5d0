// Cutting-conditions calculator: keeps spindle speed, cutting speed, feed per tooth,
// feed per revolution and feed consistent while the user types, on the named inputs of
// the tool dialog (0) or the library dialog (1), and marks invalid inputs with red
// captions. It reads and writes only those controls.
#pragma once
#include <array>
#include <cstdint>
#include <functional>

class TForm;

// Kinds of the input that changed.
enum TRezPodKind : int { rpNone, rpN, rpVc, rpFz, rpFn, rpVf, rpAp, rpAe };

// The dialog whose inputs are bound; 99 (or anything but 0 and 1): none yet.
extern uint8_t RezPodDlg;
// Error flags of the parameter pages: geometry, cutting data, plunge, outputs.
extern std::array<bool, 4> RezPodPageErr;

// The form carrying the inputs of dialog Dlg (0 tool dialog, 1 library dialog);
// nullptr forgets it. Registering again makes the next run bind anew. Repaint, when
// given, runs at the end of every run of that dialog, so that its page tabs can show
// the page error flags.
void RezPodRegisterForm(int Dlg, TForm* Form, std::function<void()> Repaint = {});

// One run for the input of kind Kind that changed in dialog Dlg.
void RezPodRecalc(int Kind, int Dlg);
// Runs of the kinds 0 to 7 in order.
void RezPodRecalcAll(int Dlg);

// Nothing bound, no forms known, flags clear.
void ResetRezPod();
