// The event log: every step of the program is written as one line into a
// ring held in memory; the ring is written to the log file at shutdown
// (and at every line while the start-up flush is on).
#pragma once
#include <string>
#include <vector>

inline constexpr int DefaultLogLength = 9999;

// Stores "[hh:nn:ss.zzz] " + Text in the ring. "FirstEntry" stores the dated
// first line of a run and switches the flush on; a text containing
// "System init End" switches it off.
void WriteLog(const std::string& Text);

// Resizes the ring to Count slots (at least 1); new slots are empty.
void SetLogLength(int Count);

// Writes the non-empty slots, oldest first, to LogFilePath(), replacing the
// file and creating the "Logs" folder when missing. False when it cannot write.
bool SaveLogFile();

// ProgramDir + "/Logs/Kestrilon-<installation>.log".
std::string LogFilePath();

// The ring as stored and its write index (the slot written next).
const std::vector<std::string>& LogRing();
int LogWriteIndex();
// The text most recently passed to WriteLog, without the time.
const std::string& LogLastText();
// True while every new line is written through to the file.
bool LogFlushMode();

// The newest lines of the ring, at most Max, oldest first; empty slots skipped.
std::vector<std::string> LogNewestLines(int Max);

// Called after every stored line with the stored line and the text as
// passed; the log viewer registers here (it decides whether it shows it).
using TLogListener = void (*)(const std::string& Line, const std::string& Text);
void SetLogListener(TLogListener Listener);

// "hh:nn:ss.zzz" of now, and today's date in the short date format
// "dd.mm.yyyy" (the form the "-----[" date "]-----" lines use).
std::string LogTimeText();
std::string ShortDateText();

// Start-up state: ring of DefaultLogLength empty slots, write index 0,
// no last text, flush off. The listener stays registered.
void ResetLog();
