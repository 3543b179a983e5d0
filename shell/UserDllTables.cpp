// The host routine tables handed to the user plug-in library. Every cell is a guard
// around the program's routine: it has the routine's own signature (the entity classes'
// routines with the instance first) and never lets an exception out.
#include <algorithm>
#include <exception>
#include <type_traits>
#include <utility>

#include "core/Builder.h"
#include "core/Global.h"
#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/UniArea.h"
#include "core/UniDim.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniHatch.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniSpace.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "shell/Main.h"
#include "shell/UserDll.h"
#include "shell/UserGuard.h"

namespace {

template <size_t N>
struct TName {
    char s[N];
    constexpr TName(const char (&a)[N]) { std::copy_n(a, N, s); }
};

// Free routines; AsMember: the cell takes an instance first and ignores it (a free
// routine standing in an entity class's table).
template <TName Name, bool AsMember, class F, F Fn>
struct TGuardFree;
template <TName Name, class R, class... A, R (*Fn)(A...)>
struct TGuardFree<Name, false, R (*)(A...), Fn> {
    static R Call(A... a) noexcept {
        return UserGuarded(Name.s, [&]() -> R { return Fn(std::forward<A>(a)...); });
    }
};
template <TName Name, class R, class... A, R (*Fn)(A...)>
struct TGuardFree<Name, true, R (*)(A...), Fn> {
    static R Call(void*, A... a) noexcept { return TGuardFree<Name, false, R (*)(A...), Fn>::Call(std::forward<A>(a)...); }
};

template <class C> C& TheInstance();
template <> TEnPoint& TheInstance<TEnPoint>() { return EnPoint; }
template <> TEnPline& TheInstance<TEnPline>() { return EnPline; }
template <> TEnGroup& TheInstance<TEnGroup>() { return EnGroup; }
template <> TEnText& TheInstance<TEnText>() { return EnText; }
template <> TEnSpace& TheInstance<TEnSpace>() { return EnSpace; }

// Methods of an entity class: the instance first; nullptr takes the program's own.
template <TName Name, class F, F Fn>
struct TGuardMethod;
template <TName Name, class C, class R, class... A, R (C::*Fn)(A...)>
struct TGuardMethod<Name, R (C::*)(A...), Fn> {
    static R Call(C* Self, A... a) noexcept {
        return UserGuarded(Name.s, [&]() -> R { return ((Self ? Self : &TheInstance<C>())->*Fn)(std::forward<A>(a)...); });
    }
};

template <class T>
void* Cell(T Fn) { return reinterpret_cast<void*>(Fn); }

void Redraw() noexcept {
    UserGuarded("ComRedraw", [] {
        if (MainForm) MainForm->ComRedraw();
    });
}

}  // namespace

#define FREE(fn) Cell(&TGuardFree<#fn, false, decltype(&fn), &fn>::Call)
#define FREE_AS(fn, type) Cell(&TGuardFree<#fn, false, type, static_cast<type>(&fn)>::Call)
#define ENTITY_FREE(fn) Cell(&TGuardFree<#fn, true, decltype(&fn), &fn>::Call)
#define METHOD(cls, fn) Cell(&TGuardMethod<#fn, decltype(&cls::fn), &cls::fn>::Call)

void FillUserTables(TUserTables& T) {
    T = TUserTables{};
    T.General = {FREE(ExtToStr), FREE(UpCaseStr), FREE(StrToExtCalc), FREE(StrToPt),
                 FREE_AS(GetPt, Osy (*)(const void*)), FREE(SetPt), FREE(GetSeg), FREE(SetSeg),
                 FREE_AS(GetPt3D, Osy3D (*)(const void*)), FREE(SetPt3D), FREE(GetSeg3D), FREE(SetSeg3D),
                 FREE(Angle), FREE(SamePt), FREE(Dist), FREE(Dist3D), FREE(NormAngle), FREE(AddPt),
                 FREE(ArcCenter), FREE(ArcStartAngle), FREE(ArcEndAngle), FREE(SegMidPt),
                 FREE(UnlinkObj), FREE(DeleteObj), FREE(AppendObj), FREE(ReplaceObj), FREE(SwapObjs),
                 FREE(GroupByNesting), FREE(MakeGroup), FREE(ReverseObjList), FREE(FreeObjList),
                 FREE(ConcatObjLists),
                 FREE(StartObj), FREE(AddSeg), FREE(AddLinePt), FREE(MakeObj), FREE(StartObj3D),
                 FREE(AddSeg3D), FREE(MakeObj3D),
                 FREE(PerpFootLine), FREE(PerpFootArc), FREE(IntersLineLine), FREE(IntersLineArc),
                 FREE(IntersArcLine), FREE(IntersArcArc), FREE(IntersSegSeg), FREE(ArcEnvelope),
                 FREE(ClipSegToRect),
                 FREE(DrawDot), FREE(DrawLine), FREE(DrawArc), FREE(DrawCircle), FREE(DrawRect),
                 FREE(SelectAll), FREE(ClearSelection), FREE(ChangeLayerObjs), FREE(LayerIsEmpty),
                 FREE(DeleteLayerObjs), FREE(SelectByWindow), FREE(SaveSelection), FREE(RestoreSelection),
                 FREE(CountSelection), FREE(SelEnvelope), FREE(CopySelObjects), FREE(FindDirAll),
                 FREE(HasObjOfType)};
    T.Point = {nullptr, METHOD(TEnPoint, Draw), METHOD(TEnPoint, Select), METHOD(TEnPoint, Move),
               METHOD(TEnPoint, Copy), METHOD(TEnPoint, CopyIdent), METHOD(TEnPoint, Rotate),
               METHOD(TEnPoint, Scale), METHOD(TEnPoint, NpropScale), METHOD(TEnPoint, Mirror),
               METHOD(TEnPoint, Offset), METHOD(TEnPoint, Add)};
    T.Pline = {nullptr, METHOD(TEnPline, Draw), METHOD(TEnPline, Select), METHOD(TEnPline, LineAdd),
               METHOD(TEnPline, ArcAdd), METHOD(TEnPline, CircleAdd), METHOD(TEnPline, RectangleAdd),
               METHOD(TEnPline, Move), METHOD(TEnPline, Copy), METHOD(TEnPline, CopyIdent),
               METHOD(TEnPline, Rotate), METHOD(TEnPline, Scale), METHOD(TEnPline, NpropScale),
               METHOD(TEnPline, Mirror), METHOD(TEnPline, ChangeDir), METHOD(TEnPline, ChangeStart),
               METHOD(TEnPline, Explode), METHOD(TEnPline, Envelope), METHOD(TEnPline, Length),
               METHOD(TEnPline, HalfPoint), METHOD(TEnPline, LoopTest), METHOD(TEnPline, CrossTest),
               METHOD(TEnPline, CrossTestSect), METHOD(TEnPline, OpenPline), METHOD(TEnPline, IsCircle),
               METHOD(TEnPline, FindDir), METHOD(TEnPline, DistOnPline), METHOD(TEnPline, DistPoint),
               METHOD(TEnPline, PointRight), METHOD(TEnPline, PointInside), METHOD(TEnPline, PlineInside),
               METHOD(TEnPline, Trim), METHOD(TEnPline, BreakPlineOnPoint), METHOD(TEnPline, BreakPline),
               METHOD(TEnPline, Extend), METHOD(TEnPline, Divide), METHOD(TEnPline, OffsPlineJoin),
               METHOD(TEnPline, SpecOffsPlineJoin), METHOD(TEnPline, GenOffsetClose),
               METHOD(TEnPline, GenOffsetOpen), METHOD(TEnPline, GenFillet), METHOD(TEnPline, FilletOne),
               METHOD(TEnPline, FilletAll), METHOD(TEnPline, PlineTrunc), METHOD(TEnPline, ArcToLine),
               METHOD(TEnPline, Axis), METHOD(TEnPline, Join), METHOD(TEnPline, StartPt),
               METHOD(TEnPline, EndPt), METHOD(TEnPline, TanStart), METHOD(TEnPline, TanEnd),
               ENTITY_FREE(SelectBorder), ENTITY_FREE(SelectArea), ENTITY_FREE(Duplicity),
               ENTITY_FREE(Weld), ENTITY_FREE(AreaJoin), ENTITY_FREE(Mark)};
    T.Group = {METHOD(TEnGroup, StartPt), METHOD(TEnGroup, EndPt), METHOD(TEnGroup, Contents), nullptr,
               METHOD(TEnGroup, Draw), METHOD(TEnGroup, Select), METHOD(TEnGroup, Envelope),
               METHOD(TEnGroup, Delete), METHOD(TEnGroup, Move), METHOD(TEnGroup, Copy),
               METHOD(TEnGroup, CopyIdent), METHOD(TEnGroup, Rotate), METHOD(TEnGroup, Scale),
               METHOD(TEnGroup, NpropScale), METHOD(TEnGroup, Mirror), METHOD(TEnGroup, ChangeLayer),
               ENTITY_FREE(DimHor), ENTITY_FREE(DimVert), ENTITY_FREE(DimRot), ENTITY_FREE(DimAngle),
               ENTITY_FREE(DimLeader), ENTITY_FREE(Hatch)};
    T.Text = {ENTITY_FREE(FontFreeMem), ENTITY_FREE(LoadFont), METHOD(TEnText, ReadParamText),
              METHOD(TEnText, WriteParamText), METHOD(TEnText, Draw), nullptr, METHOD(TEnText, Select),
              METHOD(TEnText, Envelope), METHOD(TEnText, ChangeLayer), METHOD(TEnText, Move),
              METHOD(TEnText, Copy), METHOD(TEnText, CopyIdent), METHOD(TEnText, Rotate),
              METHOD(TEnText, Scale), METHOD(TEnText, NpropScale), METHOD(TEnText, Mirror),
              METHOD(TEnText, Explode), METHOD(TEnText, Length), METHOD(TEnText, EditTextParam),
              METHOD(TEnText, Add), METHOD(TEnText, StartEndPt)};
    T.Space = {nullptr, METHOD(TEnSpace, Draw), METHOD(TEnSpace, Select), METHOD(TEnSpace, Envelope),
               METHOD(TEnSpace, Length), METHOD(TEnSpace, Move), METHOD(TEnSpace, Copy),
               METHOD(TEnSpace, CopyIdent), METHOD(TEnSpace, Rotate), METHOD(TEnSpace, Scale),
               METHOD(TEnSpace, NpropScale), METHOD(TEnSpace, Mirror), METHOD(TEnSpace, ChangeDir),
               METHOD(TEnSpace, OpenPline), METHOD(TEnSpace, Only2D), METHOD(TEnSpace, FindDir),
               METHOD(TEnSpace, To2D)};
    T.Redraw[0] = T.Redraw[1] = Cell(&Redraw);
}
