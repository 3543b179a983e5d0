#include "core/ViewHooks.h"

TRedrawViewFn RedrawViewHook = nullptr;
TShowCountFn ShowSelectionCountHook = nullptr;
TShowAdrFn ShowObjAdrHook = nullptr;
TShowAdrFn ListSelectedAdrHook = nullptr;
TShowAdrFn ListPickedAdrHook = nullptr;
