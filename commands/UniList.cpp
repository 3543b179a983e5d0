#include "commands/UniList.h"

#include "commands/ComCommon.h"
#include "core/UniLog.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

TFormList::TFormList() : TForm("FormList") {
    Caption = "Historie";
    FormStyle = TFormStyle::fsStayOnTop;
    Width = 300;
    Memo1 = Make<TMemo>("Memo1");
    Memo1->Align = TAlign::alClient;
    Memo1->ReadOnly = true;
    Memo1->WordWrap = false;
    if (MainForm) {
        Top = MainForm->Top + 42;
        Left = MainForm->Left + MainForm->Width - Width - 5;
        Height = MainForm->Height - 80;
    }
    // The ring, oldest first: slots IndexList..100, then 1..IndexList - 1.
    const TMainVars& V = MainVars;
    const int Start = (V.IndexList < 1 || V.IndexList > HistoryLines) ? 1 : V.IndexList;
    for (int k = 0; k < HistoryLines; ++k) {
        const int i = (Start - 1 + k) % HistoryLines + 1;
        if (!V.ArrList[i].empty()) Memo1->Lines.push_back(V.ArrList[i]);
    }
    SelStart = TextLength();
    Memo1->TopLine = -1;
    Memo1->OnKeyDown = [this](uint16_t& Key, uint8_t Shift) { Memo1KeyDown(Key, Shift); };
    OnShow = [this] {
        WriteLog("Sys:HistDg Open");
        SelStart = TextLength();
        Memo1->TopLine = -1;
    };
    OnClose = [](TCloseAction&) {
        WriteLog("Sys:HistDg Close");
        ComRedrawView();
    };
}

TFormList::~TFormList() = default;

size_t TFormList::TextLength() const {
    size_t N = 0;
    for (const std::string& L : Memo1->Lines) N += L.size() + 2;
    return N;
}

void TFormList::Memo1KeyDown(uint16_t& Key, uint8_t) {
    SelStart = TextLength();
    if (Key == VK_ESCAPE) {
        Close();
    } else if (Key == VK_END) {
        SelStart = TextLength();
    } else if (Key == VK_HOME) {
        SelStart = 0;
    }
}

void ComHistory() {
    MainVars.ComCnt = -1;
    WriteLog("Sys:ComHistory Start");
    TFormList List;
    List.ShowModal();
    WriteLog("Sys:ComHistory End");
}
