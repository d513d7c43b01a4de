// Work shared out in contiguous shares: over threads in the native
// programs (splitter_threads.cpp), one share after another where there are
// no threads, as in the page's WebAssembly (splitter_sequential.cpp).  A
// program links one of the two; the shares and what each computes are the
// same either way.
#pragma once
#include <cstdint>

// The threads the native programs share their counting over.
constexpr int kAnalysisThreads = 2;

// Runs body(context, share, begin, end) for the contiguous shares of
// [0, count), one per thread (one in all when there are fewer items than
// threads).
typedef void (*ShareBody)(void* context, int share, int64_t begin, int64_t end);
void RunShares(int64_t count, int threads, ShareBody body, void* context);

// Runs body(share, begin, end) over [0, count) split into one contiguous
// share per thread.
template <typename Body>
void ParallelFor(int64_t count, int threads, Body body) {
    RunShares(
        count, threads,
        [](void* context, int share, int64_t begin, int64_t end) {
            (*static_cast<Body*>(context))(share, begin, end);
        },
        &body);
}
