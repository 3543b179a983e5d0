// A static box index over the segments of one or more polylines.
// The pair searches (self-crossing, crossing of two polylines, trim candidates) ask it
// for the segments whose boxes meet a given box instead of walking every pair, so that
// their cost grows with n log n instead of n^2. The answers are only candidates: the
// exact intersection routines decide afterwards, in the original order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

struct TIdxBox {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool Meets(const TIdxBox& o) const {
        return x1 <= o.x2 && o.x1 <= x2 && y1 <= o.y2 && o.y1 <= y2;
    }
};

class TSegBoxIndex {
public:
    // Items are numbered by their position in Boxes.
    void Build(std::vector<TIdxBox> Boxes);
    // Appends to Out the numbers of all items whose box meets Q (in no particular order).
    void Query(const TIdxBox& Q, std::vector<int32_t>& Out) const;
    // The same, sorted ascending.
    void QuerySorted(const TIdxBox& Q, std::vector<int32_t>& Out) const;
    // Whether some item's box meets Q.
    bool AnyMeets(const TIdxBox& Q) const;
    // Appends to Out every pair of distinct items whose boxes meet, once, as (i, j)
    // with i < j, in no particular order: one walk of the tree against itself instead
    // of a query per item.
    void Pairs(std::vector<std::pair<int32_t, int32_t>>& Out) const;
    size_t Size() const { return Items.size(); }
    // The box of item i as built (a broken one is the whole plane).
    const TIdxBox& Box(int32_t i) const { return Items[size_t(i)]; }

private:
    struct TNode {
        TIdxBox Box;
        int32_t First = 0, Count = 0;  // leaf: range of Order; inner: Count = -1
        int32_t Left = -1, Right = -1;
    };
    int32_t BuildNode(int32_t First, int32_t Count);
    template <class F>
    bool Walk(const TIdxBox& Q, F&& Hit) const;
    void PairsOf(int32_t A, int32_t B, std::vector<std::pair<int32_t, int32_t>>& Out) const;
    std::vector<TIdxBox> Items;
    std::vector<int32_t> Order;
    std::vector<TIdxBox> Leaf;  // the boxes in the order of Order: leaves scan them in a row
    std::vector<std::pair<double, int32_t>> Keys;  // scratch of BuildNode
    std::vector<TNode> Nodes;
};
