#include "cam/CamOpUndo.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "shell/MainVars.h"
#include "shell/SetCfg.h"

namespace {

bool ValidSlot(int Slot) { return Slot >= 0 && Slot < UndoSlots; }

std::string AdrText(const void* P) { return std::to_string(reinterpret_cast<uintptr_t>(P)); }

int UsedCount(int32_t Cnt, const std::vector<TObjHeader*>& V) {
    return std::clamp<int>(Cnt, 0, static_cast<int>(V.size()));
}

int UsedOps(const TOpList& Ops) { return std::clamp<int>(Ops.CamCnt, 0, MaxCamOps); }

// One link of an object: operation, parent (else child) and the entry to re-point.
struct TLink {
    const TObjHeader* Obj;
    int Op;
    bool Parent;
    int Pos;
};

// Every linked object of Ops with its links in operation order, sorted by object; per
// operation only the first entry counts, and a parent link hides a child link. A flat
// sorted list: one allocation however many objects are linked.
class TLinkIndex {
public:
    explicit TLinkIndex(const TOpList& Ops) {
        for (int i = 0; i < UsedOps(Ops); ++i) {
            const TCamOp& Op = Ops.Cam[i];
            for (int j = 0; j < UsedCount(Op.ParCnt, Op.Parents); ++j)
                if (Op.Parents[j]) Links.push_back({Op.Parents[j], i, true, j});
            for (int j = 0; j < UsedCount(Op.ChilCnt, Op.Childs); ++j)
                if (Op.Childs[j]) Links.push_back({Op.Childs[j], i, false, j});
        }
        std::stable_sort(Links.begin(), Links.end(), Before);
        // Within an object the links keep the walking order, so those of one operation
        // follow each other: the first of them stays.
        size_t k = 0;
        for (size_t i = 0; i < Links.size(); ++i)
            if (k == 0 || Links[k - 1].Obj != Links[i].Obj || Links[k - 1].Op != Links[i].Op) Links[k++] = Links[i];
        Links.resize(k);
    }
    // The links of A, in operation order (an empty range when it has none).
    std::pair<const TLink*, const TLink*> Of(const TObjHeader* A) const {
        const TLink key{A, 0, false, 0};
        const auto R = std::equal_range(Links.begin(), Links.end(), key, Before);
        return {Links.data() + (R.first - Links.begin()), Links.data() + (R.second - Links.begin())};
    }

private:
    static bool Before(const TLink& a, const TLink& b) { return std::less<const TObjHeader*>()(a.Obj, b.Obj); }
    std::vector<TLink> Links;
};

std::string LinksText(const std::vector<TObjHeader*>& V, int32_t Cnt) {
    std::string S;
    for (int j = 0; j < UsedCount(Cnt, V); ++j) S += AdrText(V[j]) + ",";
    return S;
}

// The dump lines of one operation from its status to the closing "--".
void OpDumpLines(const TCamOp& Op, std::vector<std::string>& L) {
    L.push_back("OpStatus=" + std::to_string(Op.Status));
    L.push_back("OpDepth=" + CfgRegionalReal(Op.Depth));
    L.push_back("OpType=" + std::to_string(Op.OpType));
    L.push_back("OpLa1=" + std::to_string(Op.La1));
    L.push_back("OpLa2=" + std::to_string(Op.La2));
    L.push_back("OpPars=" + LinksText(Op.Parents, Op.ParCnt));
    L.push_back("OpChils=" + LinksText(Op.Childs, Op.ChilCnt));
    L.push_back("--");
}

bool WriteDump(const std::string& Name, const std::vector<std::string>& Lines) {
    std::error_code ec;
    std::filesystem::create_directories(ProgramDir + "/Logs", ec);
    std::vector<std::string> Bytes;
    for (const std::string& S : Lines) Bytes.push_back(Utf8ToCp1250(S));
    return WriteTextLinesSafe(ProgramDir + "/Logs/" + Name, Bytes);
}

// The flags of a record and, for a group, of its members at any depth: the copy of an
// undo step must leave the source's selection as it was, whatever a kind's copy does.
void SaveFlags(TObjHeader* p, std::vector<std::pair<TObjHeader*, uint8_t>>& Out) {
    Out.emplace_back(p, p->Flags);
    if (p->Type == ObjGroup)
        for (TObjHeader* m = AsGroup(p)->First; m; m = m->Next) SaveFlags(m, Out);
}

}  // namespace

void InitUndoCamOps(int Slot) {
    if (!ValidSlot(Slot)) return;
    WriteLog("Sys:Init UndoCamOps");
    ClearOpList(MainVars.UndoTab[Slot].Ops);
}

void CamOpsToUndo(int Slot) {
    if (!ValidSlot(Slot)) return;
    TOpList& Ops = MainVars.UndoTab[Slot].Ops;
    Ops.CamCnt = OpList.CamCnt;
    Ops.CadCnt = OpList.CadCnt;
    for (int i = 0; i < MaxCamOps; ++i) {
        TCamOp& D = Ops.Cam[i];
        const TCamOp& S = OpList.Cam[i];
        // Field by field; the link arrays entry by entry into the slot's own arrays.
        std::vector<TObjHeader*> Par = std::move(D.Parents), Chil = std::move(D.Childs);
        D = TCamOp{};
        D.Name = S.Name;
        D.Status = S.Status;
        D.MasterOp = S.MasterOp;
        D.OpType = S.OpType;
        D.La1 = S.La1;
        D.La2 = S.La2;
        D.TID = S.TID;
        D.ParCnt = S.ParCnt;
        D.ChilCnt = S.ChilCnt;
        D.Inside = S.Inside;
        D.Outside = S.Outside;
        D.Revers = S.Revers;
        D.Sousledne = S.Sousledne;
        D.TgIn = S.TgIn;
        D.TgOut = S.TgOut;
        D.TgUhel = S.TgUhel;
        D.TgPolomer = S.TgPolomer;
        D.Pridavek = S.Pridavek;
        D.Fillet = S.Fillet;
        D.Corner3D = S.Corner3D;
        D.Corner3DUhel = S.Corner3DUhel;
        D.FillType = S.FillType;
        D.Strategy = S.Strategy;
        D.EdgeMode = S.EdgeMode;
        D.ThinError = S.ThinError;
        D.AllError = S.AllError;
        D.Crossing = S.Crossing;
        D.MFillUhel = S.MFillUhel;
        D.MFillPresah = S.MFillPresah;
        D.MfillPridavek = S.MfillPridavek;
        D.RFillUhel = S.RFillUhel;
        D.RFillPresah = S.RFillPresah;
        D.RFillPridavek = S.RFillPridavek;
        D.OnePassFin = S.OnePassFin;
        D.Depth = S.Depth;
        Par.assign(CamOpLinkCount, nullptr);
        Chil.assign(CamOpLinkCount, nullptr);
        std::copy_n(S.Parents.begin(), std::min<size_t>(S.Parents.size(), CamOpLinkCount), Par.begin());
        std::copy_n(S.Childs.begin(), std::min<size_t>(S.Childs.size(), CamOpLinkCount), Chil.begin());
        D.Parents = std::move(Par);
        D.Childs = std::move(Chil);
    }
}

void UndoToCamOps(int Slot) {
    if (!ValidSlot(Slot)) return;
    const TOpList& Ops = MainVars.UndoTab[Slot].Ops;
    // Numbers queued by an escaped COPY named operations of the list being replaced.
    CopyRegenQueue.Clear();
    OpList.CamCnt = Ops.CamCnt;
    OpList.CadCnt = Ops.CadCnt;
    for (int i = 0; i < MaxCamOps; ++i) {
        OpList.Cam[i] = Ops.Cam[i];
        // A slot never filled holds empty arrays: the list keeps its full length.
        if (OpList.Cam[i].Parents.size() < size_t(CamOpLinkCount))
            OpList.Cam[i].Parents.resize(CamOpLinkCount, nullptr);
        if (OpList.Cam[i].Childs.size() < size_t(CamOpLinkCount))
            OpList.Cam[i].Childs.resize(CamOpLinkCount, nullptr);
    }
}

void UndoCamOpsOfObject(const TObjHeader* Adr, int Slot, std::array<uint8_t, MaxCamOps>& Map) {
    Map.fill(0);
    if (!ValidSlot(Slot)) return;
    const TOpList& Ops = MainVars.UndoTab[Slot].Ops;
    for (int i = 0; i < UsedOps(Ops); ++i) {
        const TCamOp& Op = Ops.Cam[i];
        const auto ChilEnd = Op.Childs.begin() + UsedCount(Op.ChilCnt, Op.Childs);
        const auto ParEnd = Op.Parents.begin() + UsedCount(Op.ParCnt, Op.Parents);
        if (std::find(Op.Childs.begin(), ChilEnd, Adr) != ChilEnd) Map[i] = 2;
        if (std::find(Op.Parents.begin(), ParEnd, Adr) != ParEnd) Map[i] = 1;
    }
}

int UndoCamOpParentIndex(const TObjHeader* Adr, int OpNum, int Slot) {
    if (!ValidSlot(Slot) || OpNum < 0 || OpNum >= MaxCamOps) return 0;
    return CamOpLinkIndex(Adr, MainVars.UndoTab[Slot].Ops.Cam[OpNum].Parents);
}

int UndoCamOpChildIndex(const TObjHeader* Adr, int OpNum, int Slot) {
    if (!ValidSlot(Slot) || OpNum < 0 || OpNum >= MaxCamOps) return 0;
    return CamOpLinkIndex(Adr, MainVars.UndoTab[Slot].Ops.Cam[OpNum].Childs);
}

void CopyObjsRelinkOps(TObjHeader* Src, TObjHeader*& DstStart, TObjHeader*& DstEnd, TOpList& Ops,
                       int Slot) {
    const bool HasOps = UsedOps(Ops) > 0;
    const TLinkIndex Index(Ops);
    const std::string SlotText = std::to_string(Slot);
    std::vector<std::pair<TObjHeader*, uint8_t>> Flags;
    int64_t Copied = 0;
    // Only linked objects are named: a line per object of a large drawing would cost
    // more than the copy.
    auto Relink = [&](TObjHeader* S, TObjHeader* D) {
        const auto [First, Last] = Index.Of(S);
        if (First == Last) return;
        const std::string A = AdrText(S), CT = AdrText(D);
        WriteLog("Undo:Obj=" + A + " -> obj:" + CT);
        for (const TLink* It = First; It != Last; ++It) {
            const TLink& L = *It;
            TCamOp& Op = Ops.Cam[L.Op];
            WriteLog(std::string(L.Parent ? "Undo:Par Obj=" : "Undo:Chil Obj=") + A + " in CamOp:" +
                     std::to_string(L.Op) + " -> obj:" + CT + " UndoId:" + SlotText);
            (L.Parent ? Op.Parents : Op.Childs)[L.Pos] = D;
        }
    };
    std::vector<std::pair<TObjHeader*, TObjHeader*>> Pairs;
    for (TObjHeader* p = Src; p; p = p->Next) {
        Flags.clear();
        SaveFlags(p, Flags);
        TObjHeader* C = CopyIdentObj(p, DstStart, DstEnd);
        for (const auto& [Rec, F] : Flags) Rec->Flags = F;
        ++Copied;
        if (!HasOps) continue;
        // Group members are linked too (a pocket's sub-operations hold the members of
        // their master's groups): the copy's members stand in the same order, less the
        // kinds a copy leaves out.
        Pairs.assign(1, {p, C});
        while (!Pairs.empty() && C) {
            const auto [S, D] = Pairs.back();
            Pairs.pop_back();
            Relink(S, D);
            if (S->Type != ObjGroup || D->Type != ObjGroup) continue;
            TObjHeader* M = AsGroup(D)->First;
            for (TObjHeader* m = AsGroup(S)->First; m && M; m = m->Next)
                if (m->Type >= ObjPoint && m->Type <= ObjPline3D) {
                    Pairs.emplace_back(m, M);
                    M = M->Next;
                }
        }
    }
    if (HasOps) WriteLog("Undo:Objs=" + std::to_string(Copied) + " copied");
}

bool DumpCamOps() {
    std::vector<std::string> L;
    L.push_back("OpCount=" + std::to_string(OpList.CamCnt));
    L.push_back("");
    for (int i = 0; i < UsedOps(OpList); ++i) {
        const TCamOp& Op = OpList.Cam[i];
        L.push_back("OpName=" + Op.Name);
        L.push_back("OpNum=" + std::to_string(i));
        L.push_back("OpMaster=" + std::to_string(Op.MasterOp));
        OpDumpLines(Op, L);
    }
    return WriteDump("CamOpDump.txt", L);
}

bool DumpUndoCamOps() {
    std::vector<std::string> L;
    for (int s = std::min(MainVars.UndoIndex, UndoSlots - 1); s >= 0; --s) {
        const UndoRec& R = MainVars.UndoTab[s];
        if (R.Jmeno.empty()) continue;
        L.push_back("OpUndoIndex=" + std::to_string(s));
        L.push_back("UndoStart=" + AdrText(R.StartUndo));
        L.push_back("UndoEnd=" + AdrText(R.EndUndo));
        for (int i = 0; i < UsedOps(R.Ops); ++i) {
            const TCamOp& Op = R.Ops.Cam[i];
            L.push_back("OpName=" + Op.Name);
            OpDumpLines(Op, L);
        }
    }
    return WriteDump("UndoOpDump.txt", L);
}
