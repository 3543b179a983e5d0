// The event-log viewer: a borderless window over the drawing area that shows the
// newest log lines, coloured by their prefix and indented by their start/end pairs,
// and follows new lines while it is open. Not modal; created once.
#pragma once
#include <functional>
#include <string>

#include "platform/Forms.h"

class TErrLogDialog : public TForm {
public:
    TErrLogDialog();
    ~TErrLogDialog() override;

    TRichEdit* REditLog;
    TPanel* PanelButtons;
    TSpeedButton* SBtnHeight;  // height toggle
    TSpeedButton *SBtnSysLog, *SBtnErrLog, *SBtnComLog, *SBtnPLCLog;
    TSpeedButton* SBtnTime;    // "Čas": time stamps shown while down
    TSpeedButton* SBtnIndent;  // "Odsazení": indentation shown while down
    TButton* BtnOK;

    // Filters: 0 "Sys log", 1 "Error log", 2 "Com log" (user input, "Usr:"), 3 "PLC log".
    int Filter = 0;
    bool Live = false;      // new lines are appended while set
    bool Expanded = false;  // the height toggle's state
    std::string Indent;     // the running indentation while lines are shown

    // What the viewer needs of the main window (set by the main form).
    std::function<bool()> FormStarted;        // the main window is open
    std::function<int32_t()> DebugPanelWidth; // width of the debug panel while it shows, else 0
    std::function<void()> FocusMainForm;      // give the keyboard back to the main window

    // Clears the list and shows the newest lines (at most Glob.MaxShowLogCount) that
    // pass filter F, oldest first.
    void Rebuild(int F);
    // Adds one log line with its colour and the indentation rules.
    void ShowLine(const std::string& Line);
    // A new log line while the viewer is open.
    void LogLine(const std::string& Line, const std::string& Text);
    // The filter button of F.
    TSpeedButton* FilterButton(int F) const;

private:
    bool Started() const { return FormStarted && FormStarted(); }
    void BackToMain();
};

// The one viewer of the run (nullptr before it is created).
extern TErrLogDialog* ErrLogDialog;

// The colour of a log line: lime, or by the last of "ERR:", "USR:", "OPS:", "CAM:",
// "OUT:" found in the upper-cased line.
uint32_t LogLineColor(const std::string& Line);
