#include "platform/Printer.h"

namespace {
TPrinter NoPrinter;
TPrinter* Current = nullptr;
}  // namespace

TPrinter& Printer() { return Current ? *Current : NoPrinter; }

TPrinter* SetPrinter(TPrinter* P) {
    TPrinter* Old = Current;
    Current = P;
    return Old;
}
