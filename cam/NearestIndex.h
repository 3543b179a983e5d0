// A static 2D index over key points that are removed one by one, answering "which
// remaining key is nearest to P". Built once in n log n; a query visits only the
// boxes that can still hold something nearer, and removed keys drop out of the
// counts so emptied parts of the tree are skipped; the boxes shrink to the keys left,
// so a search late in the walk, among few keys far apart, still prunes as well as one
// among many.
//
// Ties are decided by the caller: every key at exactly the best distance is offered
// to Better(candidate, current best), so the order a plain scan would choose can be
// reproduced.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/Types.h"

class TNearestIndex {
public:
    struct TKey {
        Osy Pt;
        int32_t Item;  // the caller's number of the object the key belongs to
    };
    explicit TNearestIndex(std::vector<TKey> Keys);

    // Removes every key of Item.
    void RemoveItem(int32_t Item);
    bool Empty() const { return Alive.empty() || Alive[1] == 0; }

    // The nearest remaining key to P by Dist (the program's distance); among keys at
    // exactly the same distance the one for which Better(key, best so far) holds.
    // Returns the key's index into the built array through Key, false when empty.
    bool Nearest(const Osy& P, const std::function<bool(const TKey& A, const TKey& B)>& Better,
                 int32_t& Key, Extended& Distance) const;
    const TKey& At(int32_t Key) const { return Keys[size_t(Key)]; }
    int32_t Size() const { return int32_t(Keys.size()); }

    // Gives every key the item NewItem[its item]. Keys are stored in tree order, so near
    // keys stand near one another (At(0) .. At(Size() - 1)); a caller that numbers its
    // objects in that order keeps its per-object arrays in the order a walk from key to
    // nearby key touches them.
    void RenameItems(const std::vector<int32_t>& NewItem);

private:
    // In double, rounded outwards: the boxes only prune, and double arithmetic on them
    // is several times quicker than extended; the keys keep their exact points.
    struct TBox {
        double MinX, MinY, MaxX, MaxY;
    };
    static TBox PointBox(const Osy& P);
    static void Grow(TBox& B, const TBox& O);
    // A key as the build splits it: its point in double (only to choose the splits) and
    // its place among the given keys.
    struct TSplitKey {
        double X, Y;
        int32_t Key;
    };
    void Build(int32_t Node, int32_t Lo, int32_t Hi, std::vector<TSplitKey>& Split, const std::vector<TKey>& Given);
    void IndexItems();
    struct TQuery;
    // Node's box lies D2 (squared) from the query point; it holds a key still.
    void Search(int32_t Node, int32_t Lo, int32_t Hi, double D2, TQuery& Q) const;
    void Decrement(int32_t Key);
    // The boxes from the leaf of Key up, shrunk to the keys left under them.
    void Refit(int32_t Key);

    std::vector<TKey> Keys;            // in tree order
    std::vector<uint8_t> Removed;      // per key
    std::vector<int32_t> Alive;        // per node (1-based heap numbering)
    std::vector<TBox> Boxes;           // per node
    std::vector<int32_t> LeafOf;       // per key: its leaf node
    std::vector<int32_t> LeafLo;       // per node: a leaf's first key
    std::vector<int32_t> ItemFirst;    // per item: its first place in ItemKeys (one more at the end)
    std::vector<int32_t> ItemKeys;     // the keys, item by item
};
