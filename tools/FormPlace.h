// Placing controls of the tool code's forms: position and size in one call.
#pragma once
#include <string>

#include "platform/Forms.h"

template <class C>
C* Place(C* Ctl, int L, int T, int W, int H) {
    Ctl->Left = L, Ctl->Top = T, Ctl->Width = W, Ctl->Height = H;
    return Ctl;
}

// A new control of form F with its caption, placed in Parent (nullptr: the form).
template <class C>
C* MakeAt(TForm& F, const std::string& Name, const std::string& Caption, TControl* Parent, int L, int T, int W,
          int H) {
    C* c = F.Make<C>(Name, Parent);
    c->Caption = Caption;
    return Place(c, L, T, W, H);
}
