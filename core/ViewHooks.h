// What the drawing walks ask of the main window: redraw the view, show the number of
// selected objects, list object addresses on the debug panel. The main window installs
// them when it is made; while they are empty nothing is shown.
#pragma once

struct TObjHeader;

using TRedrawViewFn = void (*)();
using TShowCountFn = void (*)(int Count);
using TShowAdrFn = void (*)(const TObjHeader* Adr);

extern TRedrawViewFn RedrawViewHook;
extern TShowCountFn ShowSelectionCountHook;
// The address label of the last selected object.
extern TShowAdrFn ShowObjAdrHook;
// A line of the debug memo for a selected object, while the memo is shown.
extern TShowAdrFn ListSelectedAdrHook;
// A line of the debug memo for a picked object, in debug mode.
extern TShowAdrFn ListPickedAdrHook;
