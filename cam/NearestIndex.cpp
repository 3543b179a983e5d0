#include "cam/NearestIndex.h"

#include <algorithm>
#include <cmath>

#include "core/UniGeom.h"

namespace {
constexpr int32_t LeafSize = 8;
}

TNearestIndex::TNearestIndex(std::vector<TKey> K) : Keys(std::move(K)) {
    const int32_t n = int32_t(Keys.size());
    Removed.assign(Keys.size(), 0);
    LeafOf.assign(Keys.size(), 0);
    if (n == 0) return;
    int32_t Nodes = 2;
    while (Nodes < 4 * (n / LeafSize + 1)) Nodes *= 2;
    Alive.assign(size_t(Nodes) * 2, 0);
    Boxes.assign(size_t(Nodes) * 2, TBox{});
    LeafLo.assign(size_t(Nodes) * 2, 0);
    Build(1, 0, n);
    int32_t MaxItem = -1;
    for (const TKey& k : Keys) MaxItem = std::max(MaxItem, k.Item);
    KeysOfItem.assign(size_t(MaxItem + 1), {});
    for (int32_t i = 0; i < n; ++i) KeysOfItem[size_t(Keys[size_t(i)].Item)].push_back(i);
}

void TNearestIndex::Build(int32_t Node, int32_t Lo, int32_t Hi) {
    TBox B{Keys[size_t(Lo)].Pt.x, Keys[size_t(Lo)].Pt.y, Keys[size_t(Lo)].Pt.x, Keys[size_t(Lo)].Pt.y};
    for (int32_t i = Lo + 1; i < Hi; ++i) {
        const Osy& p = Keys[size_t(i)].Pt;
        B.MinX = std::min(B.MinX, p.x);
        B.MinY = std::min(B.MinY, p.y);
        B.MaxX = std::max(B.MaxX, p.x);
        B.MaxY = std::max(B.MaxY, p.y);
    }
    Boxes[size_t(Node)] = B;
    Alive[size_t(Node)] = Hi - Lo;
    if (Hi - Lo <= LeafSize) {
        for (int32_t i = Lo; i < Hi; ++i) LeafOf[size_t(i)] = Node;
        LeafLo[size_t(Node)] = Lo;
        return;
    }
    // Split across the wider side of the box: keeps the boxes square-ish for any input.
    const bool ByX = (B.MaxX - B.MinX) >= (B.MaxY - B.MinY);
    const int32_t Mid = (Lo + Hi) / 2;
    std::nth_element(Keys.begin() + Lo, Keys.begin() + Mid, Keys.begin() + Hi, [ByX](const TKey& a, const TKey& b) {
        return ByX ? a.Pt.x < b.Pt.x : a.Pt.y < b.Pt.y;
    });
    Build(2 * Node, Lo, Mid);
    Build(2 * Node + 1, Mid, Hi);
}

void TNearestIndex::Decrement(int32_t Key) {
    for (int32_t Node = LeafOf[size_t(Key)]; Node >= 1; Node /= 2) --Alive[size_t(Node)];
}

void TNearestIndex::Refit(int32_t Key) {
    const int32_t Leaf = LeafOf[size_t(Key)];
    if (Alive[size_t(Leaf)] > 0) {
        bool First = true;
        TBox B{};
        for (int32_t i = LeafLo[size_t(Leaf)], e = std::min(i + LeafSize, int32_t(Keys.size())); i < e; ++i) {
            if (Removed[size_t(i)] || LeafOf[size_t(i)] != Leaf) continue;
            const Osy& p = Keys[size_t(i)].Pt;
            if (First) B = {p.x, p.y, p.x, p.y}, First = false;
            B.MinX = std::min(B.MinX, p.x), B.MinY = std::min(B.MinY, p.y);
            B.MaxX = std::max(B.MaxX, p.x), B.MaxY = std::max(B.MaxY, p.y);
        }
        Boxes[size_t(Leaf)] = B;
    }
    for (int32_t Node = Leaf / 2; Node >= 1; Node /= 2) {
        if (Alive[size_t(Node)] == 0) continue;
        const int32_t L = 2 * Node, R = 2 * Node + 1;
        TBox B = Alive[size_t(L)] > 0 ? Boxes[size_t(L)] : Boxes[size_t(R)];
        if (Alive[size_t(L)] > 0 && Alive[size_t(R)] > 0) {
            const TBox& o = Boxes[size_t(R)];
            B.MinX = std::min(B.MinX, o.MinX), B.MinY = std::min(B.MinY, o.MinY);
            B.MaxX = std::max(B.MaxX, o.MaxX), B.MaxY = std::max(B.MaxY, o.MaxY);
        }
        TBox& Old = Boxes[size_t(Node)];
        if (B.MinX == Old.MinX && B.MinY == Old.MinY && B.MaxX == Old.MaxX && B.MaxY == Old.MaxY) break;
        Old = B;
    }
}

void TNearestIndex::RemoveItem(int32_t Item) {
    if (Item < 0 || size_t(Item) >= KeysOfItem.size()) return;
    for (int32_t k : KeysOfItem[size_t(Item)]) {
        if (Removed[size_t(k)]) continue;
        Removed[size_t(k)] = 1;
        Decrement(k);
        Refit(k);
    }
}

bool TNearestIndex::Nearest(const Osy& P, const std::function<bool(const TKey&, const TKey&)>& Better,
                            int32_t& Key, Extended& Distance) const {
    Key = -1;
    Distance = 0;
    if (Empty()) return false;
    Extended BestD = 0;
    Search(1, 0, int32_t(Keys.size()), P, Better, Key, BestD);
    Distance = BestD;
    return Key >= 0;
}

void TNearestIndex::Search(int32_t Node, int32_t Lo, int32_t Hi, const Osy& P,
                           const std::function<bool(const TKey&, const TKey&)>& Better, int32_t& Best,
                           Extended& BestD) const {
    if (Alive[size_t(Node)] == 0) return;
    if (Best >= 0) {
        const TBox& B = Boxes[size_t(Node)];
        const Extended dx = P.x < B.MinX ? B.MinX - P.x : (P.x > B.MaxX ? P.x - B.MaxX : 0);
        const Extended dy = P.y < B.MinY ? B.MinY - P.y : (P.y > B.MaxY ? P.y - B.MaxY : 0);
        // A box strictly farther than the best holds nothing better; the margin keeps
        // keys at exactly the best distance (ties) from being cut off by rounding.
        if (std::sqrt(dx * dx + dy * dy) > BestD * (1 + 1e-12L) + 1e-12L) return;
    }
    if (Hi - Lo <= LeafSize) {
        for (int32_t i = Lo; i < Hi; ++i) {
            if (Removed[size_t(i)]) continue;
            const Extended d = Dist(P, Keys[size_t(i)].Pt);
            if (Best < 0 || d < BestD || (d == BestD && Better(Keys[size_t(i)], Keys[size_t(Best)]))) {
                Best = i;
                BestD = d;
            }
        }
        return;
    }
    const int32_t Mid = (Lo + Hi) / 2;
    // The child whose box is nearer goes first, so the bound tightens early.
    auto BoxD2 = [&](int32_t N) {
        const TBox& B = Boxes[size_t(N)];
        const Extended dx = P.x < B.MinX ? B.MinX - P.x : (P.x > B.MaxX ? P.x - B.MaxX : 0);
        const Extended dy = P.y < B.MinY ? B.MinY - P.y : (P.y > B.MaxY ? P.y - B.MaxY : 0);
        return dx * dx + dy * dy;
    };
    if (BoxD2(2 * Node) <= BoxD2(2 * Node + 1)) {
        Search(2 * Node, Lo, Mid, P, Better, Best, BestD);
        Search(2 * Node + 1, Mid, Hi, P, Better, Best, BestD);
    } else {
        Search(2 * Node + 1, Mid, Hi, P, Better, Best, BestD);
        Search(2 * Node, Lo, Mid, P, Better, Best, BestD);
    }
}
