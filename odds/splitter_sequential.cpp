// The shares one after another on the calling thread, for a build without
// threads (the page's WebAssembly): the same shares as on threads, so every
// result is the same.
#include "odds/splitter.h"

void RunShares(int64_t count, int threads, ShareBody body, void* context) {
    if (threads < 1 || count < threads) threads = 1;
    for (int t = 0; t < threads; ++t)
        body(context, t, count * t / threads, count * (t + 1) / threads);
}
