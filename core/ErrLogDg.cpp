#include "core/ErrLogDg.h"

#include <algorithm>
#include <cmath>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"

TErrLogDialog* ErrLogDialog = nullptr;

namespace {
void Listener(const std::string& Line, const std::string& Text) {
    if (ErrLogDialog) ErrLogDialog->LogLine(Line, Text);
}

// 0-based position of the first Word in S when it stands at the 7th character or later.
bool FoundFrom7th(const std::string& S, const char* Word) {
    size_t p = S.find(Word);
    return p != std::string::npos && p >= 6;
}

bool Has(const std::string& S, const char* Word) { return S.find(Word) != std::string::npos; }
}  // namespace

uint32_t LogLineColor(const std::string& Line) {
    const std::string up = UpCaseStr(Line);
    uint32_t c = clLime;
    if (Has(up, "ERR:")) c = 0x0000FF;
    if (Has(up, "USR:")) c = 0x00BBFF;
    if (Has(up, "OPS:")) c = 0x00FFFF;
    if (Has(up, "CAM:")) c = 0xFF00FF;
    if (Has(up, "OUT:")) c = 0xFFFF00;
    return c;
}

TErrLogDialog::TErrLogDialog() : TForm("ErrLogDialog") {
    BorderStyle = TBorderStyle::bsNone;
    FormStyle = TFormStyle::fsStayOnTop;
    Height = 255;
    Width = 800;
    REditLog = Make<TRichEdit>("REditLog");
    REditLog->Align = TAlign::alClient;
    REditLog->ReadOnly = true;
    REditLog->WordWrap = false;
    REditLog->Color = clBlack;
    REditLog->Font = {"monospace", 0, clLime, false, false};
    PanelButtons = Make<TPanel>("PanelButtons");
    PanelButtons->Align = TAlign::alBottom;
    PanelButtons->Height = 28;

    int32_t x = 2;
    auto button = [&](TSpeedButton*& B, const char* Name, const char* Caption, int32_t W) {
        B = Make<TSpeedButton>(Name, PanelButtons);
        B->Caption = Caption;
        B->Left = x;
        B->Top = 2;
        B->Width = W;
        B->Height = 24;
        x += W + 2;
    };
    button(SBtnHeight, "SBtnHeight", "↕", 24);
    button(SBtnSysLog, "SBtnSysLog", "Sys log", 80);
    button(SBtnErrLog, "SBtnErrLog", "Error log", 80);
    button(SBtnComLog, "SBtnComLog", "Com log", 80);
    button(SBtnPLCLog, "SBtnPLCLog", "PLC log", 80);
    button(SBtnTime, "SBtnTime", "Čas", 60);
    button(SBtnIndent, "SBtnIndent", "Odsazení", 80);
    for (int f = 0; f < 4; ++f) {
        TSpeedButton* b = FilterButton(f);
        b->GroupIndex = 1;
        b->OnClick = [this, f] {
            Filter = f;
            Rebuild(f);
        };
    }
    SBtnSysLog->Down = true;
    SBtnHeight->GroupIndex = 4;
    SBtnHeight->AllowAllUp = true;
    SBtnHeight->OnClick = [this] {
        Expanded = !Expanded;
        SBtnHeight->Down = Expanded;
        Height = Expanded ? int32_t(std::trunc(Glob.Okno.y)) : 255;
    };
    for (TSpeedButton* b : {SBtnTime, SBtnIndent}) {
        b->GroupIndex = b == SBtnTime ? 2 : 3;
        b->AllowAllUp = true;
        b->Down = true;
        b->OnClick = [this] { Rebuild(Filter); };
    }
    BtnOK = Make<TButton>("BtnOK", PanelButtons);
    BtnOK->Caption = "OK";
    BtnOK->Left = x + 10;
    BtnOK->Top = 2;
    BtnOK->Width = 60;
    BtnOK->Height = 24;
    BtnOK->OnClick = [this] { Close(); };

    auto toMain = [this](TMouseButton, uint8_t, int32_t, int32_t) { BackToMain(); };
    REditLog->OnMouseDown = toMain;
    OnMouseDown = toMain;

    OnShow = [this] {
        int32_t dbg = DebugPanelWidth ? DebugPanelWidth() : 0;
        Top = int32_t(std::trunc(2 * Glob.OknoStart.y));
        Left = int32_t(std::trunc(dbg + Glob.OknoStart.x));
        // Never narrower than the row of buttons.
        Width = std::max(int32_t(std::trunc(Glob.Okno.x - dbg)), BtnOK->Left + BtnOK->Width + 4);
        Caption = "SysLog (Zobrazeno posledních " + std::to_string(Glob.MaxShowLogCount) + " záznamů)";
        for (int f = 0; f < 4; ++f) FilterButton(f)->Down = f == Filter;
        Rebuild(Filter);
        Live = true;
    };
    OnClose = [this](TCloseAction&) {
        WriteLog("Sys:Syslog Close");
        Filter = 0;
        Live = false;
    };

    Live = false;
    ErrLogDialog = this;
    SetLogListener(&Listener);
}

TErrLogDialog::~TErrLogDialog() {
    if (ErrLogDialog == this) {
        ErrLogDialog = nullptr;
        SetLogListener(nullptr);
    }
}

TSpeedButton* TErrLogDialog::FilterButton(int F) const {
    switch (F) {
        case 1: return SBtnErrLog;
        case 2: return SBtnComLog;
        case 3: return SBtnPLCLog;
        default: return SBtnSysLog;
    }
}

void TErrLogDialog::BackToMain() {
    if (FocusMainForm) FocusMainForm();
}

void TErrLogDialog::ShowLine(const std::string& Line) {
    if (Line.find("-----[") != std::string::npos) Indent.clear();
    const uint32_t color = LogLineColor(Line);

    size_t rb = Line.find(']');
    std::string timePart = rb == std::string::npos ? std::string() : Line.substr(0, rb + 1);
    std::string rest = rb == std::string::npos ? Line : Line.substr(rb + 1);
    size_t colon = rest.find(':');
    std::string prefix = colon == std::string::npos ? std::string() : rest.substr(0, colon + 1);
    std::string msg = colon == std::string::npos ? rest : rest.substr(colon + 1);
    const std::string up = UpCaseStr(msg);

    if ((FoundFrom7th(up, "END") || Has(up, "CLOSE")) && !Indent.empty()) Indent.pop_back();
    if (!SBtnTime->Down) timePart.clear();
    if (!SBtnIndent->Down) Indent.clear();
    REditLog->AddLine(timePart + prefix + Indent + msg, color);
    if (FoundFrom7th(up, "START") || Has(up, "OPEN") || Has(up, "STARTEVENT") || Has(up, "STARTPLCEVENT"))
        Indent.insert(Indent.begin(), ' ');
}

void TErrLogDialog::Rebuild(int F) {
    REditLog->ClearLines();
    Indent.clear();
    for (const std::string& line : LogNewestLines(Glob.MaxShowLogCount)) {
        bool pass = true;
        if (F == 1) pass = Has(line, "Err:");
        if (F == 2) pass = Has(line, "Usr:");
        if (pass) ShowLine(line);
    }
    if (Started()) {
        REditLog->TopLine = -1;
        BackToMain();
    }
}

void TErrLogDialog::LogLine(const std::string&, const std::string& Text) {
    if (!Started() || !Visible) return;
    if (!Live) {
        Rebuild(0);
        return;
    }
    Indent.clear();
    ShowLine(Text);
    REditLog->DeleteLine(0);
    REditLog->TopLine = -1;
    BackToMain();
}
