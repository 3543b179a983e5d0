#include "support/DrawArea.h"

#include "core/Glob.h"

void SetTestDrawArea() {
    Glob.ZoomMin = {0, 0};
    Glob.ZoomMax = {100, 75};
    Glob.BoduNaMm = 8;
    Glob.Okno = {800, 600};
    Glob.OknoStart = {0, 0};
}
