// Sending a written file to the printer port: its bytes are copied to the parallel
// port device by our own code, with no command interpreter in between, so no file
// name is ever parsed as a command.
#pragma once
#include <string>

// The device the bytes go to ("/dev/lp0"); tests point it at a path of their own.
extern std::string PrinterPortDevice;
void ResetPrinterPort();

enum class TPortResult { Sent, NoFile, NoDevice, NotWritable, WriteFailed };

// Copies the whole file to PrinterPortDevice. The device is opened for writing only,
// never created: a missing device is reported, not made.
TPortResult CopyToPrinterPort(const std::string& File);
