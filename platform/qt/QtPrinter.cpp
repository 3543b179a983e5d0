#include "platform/qt/QtPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/qt/QtCanvas.h"

TQtPrinter::TQtPrinter() : Device(std::make_unique<QPrinter>(QPrinter::PrinterResolution)) {}

TQtPrinter::~TQtPrinter() = default;

bool TQtPrinter::Setup() {
    QPrintDialog Dlg(Device.get());
    return Dlg.exec() == QDialog::Accepted;
}

bool TQtPrinter::BeginDoc() {
    // Without a printer (and no file chosen in the setup) there is nothing to print on.
    if (Device->outputFileName().isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) return false;
    if (!Device->isValid()) return false;
    Page = std::make_unique<TQtCanvas>(std::max(1, PageWidth()), std::max(1, PageHeight()));
    return true;
}

TCanvas* TQtPrinter::Canvas() { return Page.get(); }

void TQtPrinter::EndDoc() {
    if (!Page) return;
    Page->Flush();
    QPainter Painter;
    if (Painter.begin(Device.get())) {
        Painter.drawImage(QPoint(0, 0), Page->Image());
        Painter.end();
    }
    Page.reset();
}

int32_t TQtPrinter::PageWidth() const { return Device->pageLayout().paintRectPixels(Device->resolution()).width(); }

int32_t TQtPrinter::PageHeight() const {
    return Device->pageLayout().paintRectPixels(Device->resolution()).height();
}

Extended TQtPrinter::PageWidthMm() const { return Device->pageLayout().paintRect(QPageLayout::Millimeter).width(); }

Extended TQtPrinter::PageHeightMm() const {
    return Device->pageLayout().paintRect(QPageLayout::Millimeter).height();
}

void InstallQtPrinter() {
    static TQtPrinter Native;
    SetPrinter(&Native);
}
