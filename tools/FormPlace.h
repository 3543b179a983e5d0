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

// A one-line label and a one-line input at the tool forms' heights.
inline TLabel* LabelAt(TForm& F, const std::string& Name, const std::string& Caption, TControl* Parent, int L, int T,
                       int W) {
    return MakeAt<TLabel>(F, Name, Caption, Parent, L, T, W, 20);
}

inline TEdit* EditAt(TForm& F, const std::string& Name, TControl* Parent, int L, int T, int W) {
    return Place(F.Make<TEdit>(Name, Parent), L, T, W, 24);
}

// The controls inside titled group boxes are placed from the top of the box's content;
// this moves them below the title once all are made.
inline void BelowGroupTitles(TForm& F, int TitleHeight = 20) {
    for (TControl* C : F.Components())
        if (C->Parent && C->Parent != &F && dynamic_cast<TGroupBox*>(C->Parent)) C->Top += TitleHeight;
}
