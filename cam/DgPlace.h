// Laying out the controls of the machining dialogs at their design positions, and the
// tool distance line their tool boxes show.
#pragma once
#include <cstdint>
#include <string>

#include "core/Types.h"
#include "platform/Forms.h"

struct TPlacer {
    TForm* F;
    template <class T>
    T* Put(const char* Name, TControl* Parent, int L, int Tp, int W, int H, const char* Cap = nullptr) const {
        T* C = F->Make<T>(Name, Parent);
        C->Left = L;
        C->Top = Tp;
        C->Width = W;
        C->Height = H;
        if (Cap) C->Caption = Cap;
        return C;
    }
    TLabel* Text(const char* Name, TControl* Parent, int L, int Tp, int W, const char* Cap) const {
        return Put<TLabel>(Name, Parent, L, Tp, W, 18, Cap);
    }
    TEdit* Field(const char* Name, TControl* Parent, int L, int Tp, int W, const char* Txt) const {
        TEdit* E = Put<TEdit>(Name, Parent, L, Tp, W, 24);
        E->Text = Txt;
        return E;
    }
};

// "Odstup: 1.25mm" for the tool of layer La at its deepest pass, or BadTool.
std::string ToolDistText(int La, const std::string& Distance, const std::string& BadTool);

struct TTool;
// The deepest pass of layer La's tool, 0 without one.
Extended LayerDepth(int La);
// The main window's drawing-layer panel shows tool layer La.
void ShowDrawLayer(int La);
// A new operation's climb buttons and overlap from the tool's cutting data.
void ApplyToolTech(const TTool& T, TRadioButton* Climb, TRadioButton* Conv, TEdit* Overlap);
// How many recorded operations are of kind OpType (naming a new one).
int CamOpCountOfType(uint8_t OpType);
