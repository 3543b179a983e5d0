// The text entity: its polylines (explode), their length and the text's first and
// last stroke points.
#include "core/Entity.h"
#include "core/IntFont.h"
#include "core/UniPline.h"
#include "core/UniText.h"

int32_t TEnText::Explode(TObjHeader* Adresa, bool Erase, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    ReadParamText(Adresa, WorkText);
    int32_t n = 0;
    if (IsTrueTypeText(Adresa)) {
        if (TObjHeader* g = WorkText.AdrGroup)
            for (TObjHeader* m = AsGroup(g)->First; m; m = m->Next)
                if (CopyIdentObj(m, StartAdr, EndAdr)) ++n;
    } else {
        TObjHeader *s = nullptr, *e = nullptr;
        WalkShpText(ShpBuild, Osy{}, Osy{}, nullptr, 1, Adresa->Layer, s, e);
        // Pen-down positions from which nothing was drawn.
        for (TObjHeader* r = s; r;) {
            TObjHeader* next = r->Next;
            if (r->Type == ObjPoint) DeleteObj(r, s, e);
            else ++n;
            r = next;
        }
        ConcatObjLists(StartAdr, EndAdr, s, e);
    }
    if (Erase) DeleteObj(Adresa, StartAdr, EndAdr);
    return n;
}

Extended TEnText::Length(TObjHeader* Adresa) {
    Extended len = 0;
    if (IsTrueTypeText(Adresa)) {
        if (TObjHeader* g = AsText(Adresa)->AdrGroup)
            for (TObjHeader* m = AsGroup(g)->First; m; m = m->Next)
                if (m->Type == ObjPline) len += EnPline.Length(m);
        return len;
    }
    TObjHeader *s = nullptr, *e = nullptr;
    Explode(Adresa, false, s, e);
    for (TObjHeader* r = s; r; r = r->Next)
        if (r->Type == ObjPline) len += EnPline.Length(r);
    FreeObjList(s, e);
    return len;
}

void TEnText::StartEndPt(TObjHeader* Adresa, Osy& S, Osy& E) {
    S = E = Osy{0, 0};
    TObjHeader *s = nullptr, *e = nullptr;
    if (IsTrueTypeText(Adresa)) {
        TObjHeader* g = AsText(Adresa)->AdrGroup;
        if (!g) return;
        s = AsGroup(g)->First;
        e = AsGroup(g)->Last;
    } else {
        Explode(Adresa, false, s, e);
    }
    if (s && (s->Type == ObjPoint || s->Type == ObjPline)) S = FirstPt(s);
    if (e && (e->Type == ObjPoint || e->Type == ObjPline)) E = PlineEndPt(e);
    if (!IsTrueTypeText(Adresa)) FreeObjList(s, e);
}
