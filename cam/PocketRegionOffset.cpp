#include "cam/PocketRegionOffset.h"

#include "cam/UniRegion.h"
#include "core/UniPline.h"

bool PocketRegionOffset(bool Inside, TObjHeader* First, Extended Dist, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La) {
    TObjHeader* Last = First;
    while (Last && Last->Next) Last = Last->Next;
    TObjHeader *OS = nullptr, *OE = nullptr, *FS = nullptr, *FE = nullptr;
    OffsetRegion(Inside, First, Last, Dist, OS, OE, FS, FE, La);
    if (!OS && !FS) return false;
    for (TObjHeader* p = OS; p; p = p->Next) EnPline.FindDir(p);
    ConcatObjLists(OutStart, OutEnd, OS, OE);
    ConcatObjLists(FailStart, FailEnd, FS, FE);
    return true;
}
