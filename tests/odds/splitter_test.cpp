// The splitter's contract, which every result counted share by share
// relies on: the shares cover [0, count) once, contiguous and in the order
// of their index, one a thread (one in all when there are fewer items than
// threads).  Run with the threaded splitter, and again in
// odds_splitter_sequential_tests with the one the page links.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "odds/splitter.h"

namespace {

TEST(ParallelFor, SharesCoverEveryItemOnceInOrder) {
    for (int threads : {1, 2, 3, 7}) {
        for (int64_t count : {0, 1, 2, 5, 1000}) {
            SCOPED_TRACE(std::to_string(threads) + " threads, " + std::to_string(count) + " items");
            std::vector<std::array<int64_t, 2>> shares(size_t(threads), {-1, -1});
            std::vector<int> seen(size_t(count), 0);
            ParallelFor(count, threads, [&](int share, int64_t begin, int64_t end) {
                shares[size_t(share)] = {begin, end};
                for (int64_t i = begin; i < end; ++i) ++seen[size_t(i)];
            });
            const int used = count < threads ? 1 : threads;
            for (int s = 0; s < threads; ++s) {
                const std::array<int64_t, 2>& share = shares[size_t(s)];
                if (s >= used) {
                    EXPECT_EQ(share[0], -1) << "share " << s;
                    continue;
                }
                EXPECT_EQ(share[0], s == 0 ? 0 : shares[size_t(s - 1)][1]) << "share " << s;
                EXPECT_LE(share[0], share[1]) << "share " << s;
            }
            EXPECT_EQ(shares[size_t(used - 1)][1], count);
            for (int64_t i = 0; i < count; ++i) EXPECT_EQ(seen[size_t(i)], 1) << "item " << i;
        }
    }
}

}  // namespace
