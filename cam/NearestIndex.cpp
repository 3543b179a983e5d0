#include "cam/NearestIndex.h"

#include <algorithm>
#include <cmath>

#include "core/UniGeom.h"

namespace {
constexpr int32_t LeafSize = 8;
}

TNearestIndex::TNearestIndex(std::vector<TKey> Given) {
    const int32_t n = int32_t(Given.size());
    Removed.assign(Given.size(), 0);
    LeafOf.assign(Given.size(), 0);
    if (n == 0) return;
    // Heap numbering: the larger half of a split has ceil(size / 2) keys, so the leaves
    // lie at most Depth levels down and every node number is below 2^(Depth + 1). Sized
    // to that and no more: the arrays are filled for every sort, and a tree four times
    // too large spends its time in fresh pages.
    int32_t Depth = 0;
    for (int32_t Size = n; Size > LeafSize; Size = (Size + 1) / 2) ++Depth;
    const size_t Nodes = size_t(2) << Depth;
    Alive.assign(Nodes, 0);
    Boxes.resize(Nodes);
    LeafLo.resize(Nodes);
    // The splits are chosen on a compact copy in double: they only shape the tree, and
    // partitioning 24-byte doubles is several times quicker than the keys with their
    // extended points. Each key is placed once, at its leaf.
    std::vector<TSplitKey> Split(Given.size());
    for (int32_t i = 0; i < n; ++i) Split[size_t(i)] = {double(Given[size_t(i)].Pt.x), double(Given[size_t(i)].Pt.y), i};
    Keys.resize(Given.size());
    Build(1, 0, n, Split, Given);
    IndexItems();
}

void TNearestIndex::IndexItems() {
    // The keys of each item side by side (counted, then placed): one block, not a
    // vector per item.
    int32_t MaxItem = -1;
    for (const TKey& k : Keys) MaxItem = std::max(MaxItem, k.Item);
    ItemFirst.assign(size_t(MaxItem) + 2, 0);
    for (const TKey& k : Keys) ++ItemFirst[size_t(k.Item) + 1];
    for (size_t i = 1; i < ItemFirst.size(); ++i) ItemFirst[i] += ItemFirst[i - 1];
    ItemKeys.resize(Keys.size());
    std::vector<int32_t> Fill(ItemFirst.begin(), ItemFirst.end() - 1);
    for (size_t i = 0; i < Keys.size(); ++i) ItemKeys[size_t(Fill[size_t(Keys[i].Item)]++)] = int32_t(i);
}

void TNearestIndex::RenameItems(const std::vector<int32_t>& NewItem) {
    for (TKey& k : Keys) k.Item = NewItem[size_t(k.Item)];
    IndexItems();
}

TNearestIndex::TBox TNearestIndex::PointBox(const Osy& P) {
    auto down = [](Extended v) {
        double d = double(v);
        return Extended(d) > v ? std::nextafter(d, -HUGE_VAL) : d;
    };
    auto up = [](Extended v) {
        double d = double(v);
        return Extended(d) < v ? std::nextafter(d, HUGE_VAL) : d;
    };
    return {down(P.x), down(P.y), up(P.x), up(P.y)};
}

void TNearestIndex::Grow(TBox& B, const TBox& O) {
    B.MinX = std::min(B.MinX, O.MinX), B.MinY = std::min(B.MinY, O.MinY);
    B.MaxX = std::max(B.MaxX, O.MaxX), B.MaxY = std::max(B.MaxY, O.MaxY);
}

void TNearestIndex::Build(int32_t Node, int32_t Lo, int32_t Hi, std::vector<TSplitKey>& Split,
                          const std::vector<TKey>& Given) {
    Alive[size_t(Node)] = Hi - Lo;
    TBox& B = Boxes[size_t(Node)];
    if (Hi - Lo <= LeafSize) {
        // The box from the exact points, rounded outwards.
        for (int32_t i = Lo; i < Hi; ++i) {
            Keys[size_t(i)] = Given[size_t(Split[size_t(i)].Key)];
            LeafOf[size_t(i)] = Node;
            const TBox p = PointBox(Keys[size_t(i)].Pt);
            if (i == Lo) B = p;
            else Grow(B, p);
        }
        LeafLo[size_t(Node)] = Lo;
        return;
    }
    double MinX = Split[size_t(Lo)].X, MaxX = MinX, MinY = Split[size_t(Lo)].Y, MaxY = MinY;
    for (int32_t i = Lo + 1; i < Hi; ++i) {
        const TSplitKey& k = Split[size_t(i)];
        MinX = std::min(MinX, k.X), MaxX = std::max(MaxX, k.X);
        MinY = std::min(MinY, k.Y), MaxY = std::max(MaxY, k.Y);
    }
    // Split across the wider side: keeps the boxes square-ish for any input.
    const int32_t Mid = (Lo + Hi) / 2;
    const auto First = Split.begin() + Lo, Nth = Split.begin() + Mid, Last = Split.begin() + Hi;
    if (MaxX - MinX >= MaxY - MinY)
        std::nth_element(First, Nth, Last, [](const TSplitKey& a, const TSplitKey& b) { return a.X < b.X; });
    else
        std::nth_element(First, Nth, Last, [](const TSplitKey& a, const TSplitKey& b) { return a.Y < b.Y; });
    Build(2 * Node, Lo, Mid, Split, Given);
    Build(2 * Node + 1, Mid, Hi, Split, Given);
    B = Boxes[size_t(2 * Node)];
    Grow(B, Boxes[size_t(2 * Node + 1)]);
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
            const TBox p = PointBox(Keys[size_t(i)].Pt);
            if (First) B = p, First = false;
            Grow(B, p);
        }
        Boxes[size_t(Leaf)] = B;
    }
    for (int32_t Node = Leaf / 2; Node >= 1; Node /= 2) {
        if (Alive[size_t(Node)] == 0) continue;
        const int32_t L = 2 * Node, R = 2 * Node + 1;
        TBox B = Alive[size_t(L)] > 0 ? Boxes[size_t(L)] : Boxes[size_t(R)];
        if (Alive[size_t(L)] > 0 && Alive[size_t(R)] > 0) Grow(B, Boxes[size_t(R)]);
        TBox& Old = Boxes[size_t(Node)];
        if (B.MinX == Old.MinX && B.MinY == Old.MinY && B.MaxX == Old.MaxX && B.MaxY == Old.MaxY) break;
        Old = B;
    }
}

void TNearestIndex::RemoveItem(int32_t Item) {
    if (Item < 0 || size_t(Item) + 1 >= ItemFirst.size()) return;
    for (int32_t j = ItemFirst[size_t(Item)]; j < ItemFirst[size_t(Item) + 1]; ++j) {
        const int32_t k = ItemKeys[size_t(j)];
        if (Removed[size_t(k)]) continue;
        Removed[size_t(k)] = 1;
        Decrement(k);
        Refit(k);
    }
}

struct TNearestIndex::TQuery {
    Osy P;
    double Px, Py;
    double Slack;  // beyond the rounding of P and of the box distance in double
    const std::function<bool(const TKey&, const TKey&)>& Better;
    int32_t Best = -1;
    Extended BestD = 0;
    double Bound2 = HUGE_VAL;  // boxes farther than its root hold nothing better

    void Take(int32_t Key, Extended D) {
        Best = Key, BestD = D;
        // A box strictly farther than the best holds nothing better; the margin keeps
        // keys at exactly the best distance (ties) from being cut off by rounding.
        const double b = double(D) * (1 + 1e-12) + Slack;
        Bound2 = b * b;
    }
    double BoxD2(const TBox& B) const {
        const double dx = Px < B.MinX ? B.MinX - Px : (Px > B.MaxX ? Px - B.MaxX : 0);
        const double dy = Py < B.MinY ? B.MinY - Py : (Py > B.MaxY ? Py - B.MaxY : 0);
        return dx * dx + dy * dy;
    }
};

bool TNearestIndex::Nearest(const Osy& P, const std::function<bool(const TKey&, const TKey&)>& Better,
                            int32_t& Key, Extended& Distance) const {
    Key = -1;
    Distance = 0;
    if (Empty()) return false;
    const double px = double(P.x), py = double(P.y);
    TQuery Q{P, px, py, 1e-9 + 1e-15 * (std::fabs(px) + std::fabs(py)), Better};
    Search(1, 0, int32_t(Keys.size()), Q.BoxD2(Boxes[1]), Q);
    Key = Q.Best;
    Distance = Q.BestD;
    return Key >= 0;
}

void TNearestIndex::Search(int32_t Node, int32_t Lo, int32_t Hi, double D2, TQuery& Q) const {
    if (D2 > Q.Bound2) return;
    if (Hi - Lo <= LeafSize) {
        for (int32_t i = Lo; i < Hi; ++i) {
            if (Removed[size_t(i)]) continue;
            const Osy& K = Keys[size_t(i)].Pt;
            // Keys clearly beyond the best need no exact distance.
            if (Q.Best >= 0) {
                const double dx = double(K.x) - Q.Px, dy = double(K.y) - Q.Py;
                if (dx * dx + dy * dy > Q.Bound2) continue;
            }
            const Extended d = Dist(Q.P, K);
            if (Q.Best < 0 || d < Q.BestD || (d == Q.BestD && Q.Better(Keys[size_t(i)], Keys[size_t(Q.Best)])))
                Q.Take(i, d);
        }
        return;
    }
    const int32_t Mid = (Lo + Hi) / 2, L = 2 * Node, R = 2 * Node + 1;
    // Each box is measured once, here; the nearer child goes first, so the bound
    // tightens early, and the other is looked at against the bound it left.
    const bool HasL = Alive[size_t(L)] > 0, HasR = Alive[size_t(R)] > 0;
    const double DL = HasL ? Q.BoxD2(Boxes[size_t(L)]) : HUGE_VAL, DR = HasR ? Q.BoxD2(Boxes[size_t(R)]) : HUGE_VAL;
    if (DL <= DR) {
        if (HasL) Search(L, Lo, Mid, DL, Q);
        if (HasR) Search(R, Mid, Hi, DR, Q);
    } else {
        if (HasR) Search(R, Mid, Hi, DR, Q);
        if (HasL) Search(L, Lo, Mid, DL, Q);
    }
}
