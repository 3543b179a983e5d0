#include "formats/UniClip.h"

#include <algorithm>

#include "cam/CamOpList.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "formats/UniYDF.h"
#include "shell/MainVars.h"

namespace {

// Drops every operation link to Obj and, for a group, to its members: a deleted record
// must not stay in the operation list.
void DropLinks(const TObjHeader* Obj) {
    if (Obj->Type == ObjGroup)
        for (const TObjHeader* m = AsGroup(const_cast<TObjHeader*>(Obj))->First; m; m = m->Next) DropLinks(m);
    const int cnt = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps);
    for (int i = 0; i < cnt; ++i) {
        TCamOp& op = OpList.Cam[i];
        auto drop = [Obj](std::vector<TObjHeader*>& links, int32_t& used) {
            used = std::clamp<int32_t>(used, 0, int32_t(links.size()));
            auto end = std::remove(links.begin(), links.begin() + used, Obj);
            const int32_t kept = int32_t(end - links.begin());
            std::fill(end, links.begin() + used, nullptr);
            used = kept;
        };
        drop(op.Parents, op.ParCnt);
        drop(op.Childs, op.ChilCnt);
    }
}

}  // namespace

void ClipWriteObjects(std::vector<std::string>& Memo, bool Cut, bool SelectedOnly) {
    Memo.push_back("OBJECTS");
    std::vector<std::string> lines;
    for (TObjHeader *p = MainVars.DataStart, *next = nullptr; p; p = next) {
        next = p->Next;
        if (SelectedOnly && !(p->Flags & FlagSelected)) continue;
        lines.clear();
        YdfObjectLines(p, "  ", false, lines);
        for (const std::string& l : lines) Memo.push_back(Cp1250ToUtf8(l));
        if (Cut) {
            DropLinks(p);
            DeleteObj(p, MainVars.DataStart, MainVars.DataEnd);
        }
    }
    Memo.push_back("ENDOBJECTS");
}

void ClipReadObjects(const std::vector<std::string>& Memo, const Osy& PastePoint, TObjHeader*& First,
                     TObjHeader*& Last) {
    if (Memo.empty() || Memo[0].find("BasePoint") == std::string::npos) return;
    const std::string first = UpCaseStr(Memo[0]);
    const Osy base{NumAfterKey(first, "X"), NumAfterKey(first, "Y")};
    const Extended keptFiltr = Glob.InputFiltr;
    Glob.InputFiltr = CoordTol;
    std::vector<std::string> lines;
    lines.reserve(Memo.size());
    for (const std::string& l : Memo) lines.push_back(Utf8ToCp1250(l));
    size_t pos = 0;
    while (pos < lines.size() && YdfLine(lines[pos], true, false) != "OBJECTS") ++pos;
    if (pos < lines.size()) {
        ++pos;
        TYdfReadOptions opt;
        opt.OpLinks = false;
        opt.Extents = false;
        opt.DebugLines = false;
        opt.TrimBoth = true;
        TObjHeader* before = Last;
        Osy mn, mx;
        bool missingFont = false;
        YdfReadRecords(lines, pos, "ENDOBJECTS", opt, First, Last, mn, mx, missingFont);
        const Osy rel{PastePoint.x - base.x, PastePoint.y - base.y};
        for (TObjHeader* p = before ? before->Next : First; p; p = p->Next) MoveObj(p, rel);
    }
    Glob.InputFiltr = keptFiltr;
}
