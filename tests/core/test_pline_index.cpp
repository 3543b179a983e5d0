// The segment box index answers exactly the boxes and pairs a plain scan finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "core/UniPlineIndex.h"

namespace {

TEST(PlineIndexTest, QueryMatchesScan) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> pos(0, 1000), size(0, 30);
    for (int n : {0, 1, 7, 9, 500, 3000}) {
        std::vector<TIdxBox> boxes;
        for (int i = 0; i < n; ++i) {
            const double x = pos(rng), y = pos(rng);
            boxes.push_back({x, y, x + size(rng), y + size(rng)});
        }
        TSegBoxIndex index;
        index.Build(boxes);
        ASSERT_EQ(index.Size(), size_t(n));
        for (int q = 0; q < 50; ++q) {
            const double x = pos(rng), y = pos(rng);
            const TIdxBox Q{x, y, x + size(rng) * 3, y + size(rng)};
            std::vector<int32_t> expect, got;
            for (int i = 0; i < n; ++i)
                if (boxes[size_t(i)].Meets(Q)) expect.push_back(i);
            index.QuerySorted(Q, got);
            EXPECT_EQ(got, expect) << "n " << n << " query " << q;
        }
        // Every meeting pair once, as the pairs of a plain scan.
        std::vector<std::pair<int32_t, int32_t>> expect, got;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (boxes[size_t(i)].Meets(boxes[size_t(j)])) expect.push_back({i, j});
        index.Pairs(got);
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, expect) << "n " << n;
    }
}

TEST(PlineIndexTest, BrokenBoxesStayCandidates) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<TIdxBox> boxes;
    for (int i = 0; i < 40; ++i) boxes.push_back({double(i), 0, double(i) + 0.5, 1});
    boxes[7] = {nan, 0, 1, 1};
    boxes[20] = {5, 5, 4, 4};  // inverted
    TSegBoxIndex index;
    index.Build(boxes);
    std::vector<int32_t> got;
    index.QuerySorted({30.2, 0.2, 30.3, 0.3}, got);
    EXPECT_EQ(got, (std::vector<int32_t>{7, 20, 30}));
    got.clear();
    index.QuerySorted({nan, 0, 1, 1}, got);  // a broken query meets everything
    EXPECT_EQ(got.size(), boxes.size());
}

}  // namespace
