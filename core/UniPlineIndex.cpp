// Bounding-box hierarchy built by median splits along the axis of widest centre spread.
#include "core/UniPlineIndex.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int32_t LeafSize = 8;

// A box with a coordinate that is not a finite number (a broken record) is taken as
// the whole plane: it stays a candidate of every query and keeps the sort well-defined.
TIdxBox Sane(const TIdxBox& b) {
    if (std::isfinite(b.x1) && std::isfinite(b.y1) && std::isfinite(b.x2) && std::isfinite(b.y2) && b.x1 <= b.x2 &&
        b.y1 <= b.y2)
        return b;
    return {-1e300, -1e300, 1e300, 1e300};
}

TIdxBox Unite(const TIdxBox& a, const TIdxBox& b) {
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}
}  // namespace

void TSegBoxIndex::Build(std::vector<TIdxBox> Boxes) {
    Items = std::move(Boxes);
    for (TIdxBox& b : Items) b = Sane(b);
    Order.resize(Items.size());
    for (size_t i = 0; i < Items.size(); ++i) Order[i] = (int32_t)i;
    Nodes.clear();
    Leaf.clear();
    if (!Items.empty()) {
        Nodes.reserve(2 * Items.size() / LeafSize + 2);
        BuildNode(0, (int32_t)Items.size());
        Leaf.reserve(Items.size());
        for (int32_t k : Order) Leaf.push_back(Items[size_t(k)]);
    }
}

int32_t TSegBoxIndex::BuildNode(int32_t First, int32_t Count) {
    int32_t id = (int32_t)Nodes.size();
    Nodes.push_back({});
    TIdxBox b = Items[Order[First]];
    for (int32_t i = First + 1; i < First + Count; ++i) b = Unite(b, Items[Order[i]]);
    Nodes[id].Box = b;
    if (Count <= LeafSize) {
        Nodes[id].First = First;
        Nodes[id].Count = Count;
        return id;
    }
    // Split along the axis where the box centres spread most: splitting along the longer
    // side instead degrades to all pairs on meanders, whose long rows share one centre.
    double cx1 = 1e300, cx2 = -1e300, cy1 = 1e300, cy2 = -1e300;
    for (int32_t i = First; i < First + Count; ++i) {
        const TIdxBox& it = Items[Order[i]];
        cx1 = std::min<double>(cx1, it.x1 + it.x2), cx2 = std::max<double>(cx2, it.x1 + it.x2);
        cy1 = std::min<double>(cy1, it.y1 + it.y2), cy2 = std::max<double>(cy2, it.y1 + it.y2);
    }
    bool byX = (cx2 - cx1) >= (cy2 - cy1);
    int32_t half = Count / 2;
    // The split runs on (centre, item) pairs held side by side.
    Keys.resize(size_t(Count));
    for (int32_t i = 0; i < Count; ++i) {
        const int32_t k = Order[First + i];
        const TIdxBox& it = Items[k];
        Keys[size_t(i)] = {byX ? it.x1 + it.x2 : it.y1 + it.y2, k};
    }
    std::nth_element(Keys.begin(), Keys.begin() + half, Keys.end(),
                     [](const std::pair<double, int32_t>& a, const std::pair<double, int32_t>& c) {
                         return a.first < c.first;
                     });
    for (int32_t i = 0; i < Count; ++i) Order[First + i] = Keys[size_t(i)].second;
    int32_t l = BuildNode(First, half);
    int32_t r = BuildNode(First + half, Count - half);
    Nodes[id].Count = -1;
    Nodes[id].Left = l;
    Nodes[id].Right = r;
    return id;
}

// Calls Hit(item) for every item whose box meets Q until Hit returns true; whether it did.
template <class F>
bool TSegBoxIndex::Walk(const TIdxBox& Box, F&& Hit) const {
    if (Nodes.empty()) return false;
    const TIdxBox Q = Sane(Box);
    int32_t stack[128];
    int32_t top = 0;
    stack[top++] = 0;
    while (top > 0) {
        const TNode& n = Nodes[stack[--top]];
        if (!n.Box.Meets(Q)) continue;
        if (n.Count >= 0) {
            for (int32_t i = n.First; i < n.First + n.Count; ++i)
                if (Leaf[size_t(i)].Meets(Q) && Hit(Order[i])) return true;
        } else {
            stack[top++] = n.Left;
            stack[top++] = n.Right;
        }
    }
    return false;
}

void TSegBoxIndex::Query(const TIdxBox& Box, std::vector<int32_t>& Out) const {
    Walk(Box, [&Out](int32_t i) {
        Out.push_back(i);
        return false;
    });
}

bool TSegBoxIndex::AnyMeets(const TIdxBox& Box) const {
    return Walk(Box, [](int32_t) { return true; });
}

void TSegBoxIndex::QuerySorted(const TIdxBox& Q, std::vector<int32_t>& Out) const {
    size_t from = Out.size();
    Query(Q, Out);
    std::sort(Out.begin() + (long)from, Out.end());
}

void TSegBoxIndex::Pairs(std::vector<std::pair<int32_t, int32_t>>& Out) const {
    if (!Nodes.empty()) PairsOf(0, 0, Out);
}

// Pairs with one item under node A and one under node B (A == B: both under A).
void TSegBoxIndex::PairsOf(int32_t A, int32_t B, std::vector<std::pair<int32_t, int32_t>>& Out) const {
    const TNode& a = Nodes[size_t(A)];
    const TNode& b = Nodes[size_t(B)];
    if (A != B && !a.Box.Meets(b.Box)) return;
    if (a.Count >= 0 && b.Count >= 0) {
        for (int32_t i = a.First; i < a.First + a.Count; ++i) {
            const TIdxBox& bi = Leaf[size_t(i)];
            for (int32_t j = A == B ? i + 1 : b.First; j < b.First + b.Count; ++j)
                if (bi.Meets(Leaf[size_t(j)])) Out.push_back(std::minmax(Order[size_t(i)], Order[size_t(j)]));
        }
        return;
    }
    if (A == B) {
        PairsOf(a.Left, a.Left, Out);
        PairsOf(a.Right, a.Right, Out);
        PairsOf(a.Left, a.Right, Out);
        return;
    }
    // Descend the inner node, the one with the larger box when both are inner.
    const auto area = [](const TIdxBox& x) { return (x.x2 - x.x1) * (x.y2 - x.y1); };
    if (b.Count >= 0 || (a.Count < 0 && area(a.Box) >= area(b.Box))) {
        PairsOf(a.Left, B, Out);
        PairsOf(a.Right, B, Out);
    } else {
        PairsOf(A, b.Left, Out);
        PairsOf(A, b.Right, Out);
    }
}
