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
    if (!Items.empty()) {
        Nodes.reserve(2 * Items.size() / LeafSize + 2);
        BuildNode(0, (int32_t)Items.size());
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
    auto first = Order.begin() + First;
    std::nth_element(first, first + half, first + Count, [&](int32_t a, int32_t c) {
        const TIdxBox &A = Items[a], &C = Items[c];
        return byX ? (A.x1 + A.x2) < (C.x1 + C.x2) : (A.y1 + A.y2) < (C.y1 + C.y2);
    });
    int32_t l = BuildNode(First, half);
    int32_t r = BuildNode(First + half, Count - half);
    Nodes[id].Count = -1;
    Nodes[id].Left = l;
    Nodes[id].Right = r;
    return id;
}

void TSegBoxIndex::Query(const TIdxBox& Box, std::vector<int32_t>& Out) const {
    if (Nodes.empty()) return;
    const TIdxBox Q = Sane(Box);
    int32_t stack[128];
    int32_t top = 0;
    stack[top++] = 0;
    while (top > 0) {
        const TNode& n = Nodes[stack[--top]];
        if (!n.Box.Meets(Q)) continue;
        if (n.Count >= 0) {
            for (int32_t i = n.First; i < n.First + n.Count; ++i)
                if (Items[Order[i]].Meets(Q)) Out.push_back(Order[i]);
        } else {
            stack[top++] = n.Left;
            stack[top++] = n.Right;
        }
    }
}

void TSegBoxIndex::QuerySorted(const TIdxBox& Q, std::vector<int32_t>& Out) const {
    size_t from = Out.size();
    Query(Q, Out);
    std::sort(Out.begin() + (long)from, Out.end());
}
