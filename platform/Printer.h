// The printer: one print job at a time whose pages are painted on a canvas in device
// pixels. The program installs the native printer; without one (tests, a machine
// without printers) printing is refused. Tests may install a printer of their own.
#pragma once
#include <cstdint>

#include "core/Types.h"
#include "platform/Canvas.h"

class TPrinter {
public:
    virtual ~TPrinter() = default;
    // The printer-setup dialog (the platform's print dialog); true when confirmed.
    virtual bool Setup() { return false; }
    // Starts a job on one page; false when there is no printer to print on.
    virtual bool BeginDoc() { return false; }
    // The page's canvas while a job runs (nullptr otherwise).
    virtual TCanvas* Canvas() { return nullptr; }
    // Ends the job: what was painted goes to the printer.
    virtual void EndDoc() {}
    // The printable area in pixels and in millimetres.
    virtual int32_t PageWidth() const { return 0; }
    virtual int32_t PageHeight() const { return 0; }
    virtual Extended PageWidthMm() const { return 0; }
    virtual Extended PageHeightMm() const { return 0; }
};

// The printer in use (a printer that refuses every job when none is installed).
TPrinter& Printer();
// Installs P (nullptr: none); returns the previous one.
TPrinter* SetPrinter(TPrinter* P);
