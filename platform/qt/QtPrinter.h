// The native printer: a page painted on an image of the printer's page size, sent to
// the system's default printer (or the one chosen in the setup dialog) at EndDoc.
#pragma once
#include <memory>

#include "platform/Printer.h"

class QPrinter;
class TQtCanvas;

class TQtPrinter : public TPrinter {
public:
    TQtPrinter();
    ~TQtPrinter() override;
    bool Setup() override;
    bool BeginDoc() override;
    TCanvas* Canvas() override;
    void EndDoc() override;
    int32_t PageWidth() const override;
    int32_t PageHeight() const override;
    Extended PageWidthMm() const override;
    Extended PageHeightMm() const override;

private:
    std::unique_ptr<QPrinter> Device;
    std::unique_ptr<TQtCanvas> Page;
};

// Installs the native printer for the rest of the run.
void InstallQtPrinter();
