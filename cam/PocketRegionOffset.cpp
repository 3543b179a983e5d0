#include "cam/PocketRegionOffset.h"

#include "cam/UniRegion.h"
#include "core/UniPline.h"

bool PocketRegionOffset(bool Inside, TObjHeader* First, Extended Dist, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La) {
    TObjHeader *TS = nullptr, *TE = nullptr;
    const bool Ok = PocketRegionOffset(Inside, First, Dist, OutStart, OutEnd, FailStart, FailEnd, La, TS, TE);
    FreeObjList(TS, TE);
    return Ok;
}

bool PocketRegionOffset(bool Inside, TObjHeader* First, Extended Dist, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La, TObjHeader*& TouchStart,
                        TObjHeader*& TouchEnd) {
    TObjHeader* Last = First;
    while (Last && Last->Next) Last = Last->Next;
    TObjHeader *OS = nullptr, *OE = nullptr, *FS = nullptr, *FE = nullptr, *TS = nullptr, *TE = nullptr;
    OffsetRegion(Inside, First, Last, Dist, OS, OE, FS, FE, La, TS, TE);
    if (!OS && !FS) {
        FreeObjList(TS, TE);
        return false;
    }
    for (TObjHeader* p = OS; p; p = p->Next) EnPline.FindDir(p);
    ConcatObjLists(OutStart, OutEnd, OS, OE);
    ConcatObjLists(FailStart, FailEnd, FS, FE);
    ConcatObjLists(TouchStart, TouchEnd, TS, TE);
    return true;
}
