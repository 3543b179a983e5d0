// File-name pieces and the questions the file commands share.
#pragma once
#include <string>

namespace FileCmd {

std::string Folder(const std::string& File);
// The name without folder and extension.
std::string Stem(const std::string& File);
// The extension with its dot, ASCII letters lower-cased ("" when none).
std::string LowerExt(const std::string& File);
// File with Ext appended when it has no extension.
std::string WithExt(const std::string& File, const char* Ext);

// The yes/no question of message MsgNo: true for OK or Yes.
bool Confirm(int MsgNo);
// "Err:Wrong extension (" + Ext + ")".
void WrongExtension(const std::string& Ext);
// A format the commands name but this build cannot read or write: log line and message.
void NotAvailable(const std::string& Ext);

}  // namespace FileCmd
