// The shares on threads of their own; the calling thread takes the last.
#include <thread>
#include <vector>

#include "odds/splitter.h"

void RunShares(int64_t count, int threads, ShareBody body, void* context) {
    if (threads < 1 || count < threads) threads = 1;
    std::vector<std::thread> workers;
    for (int t = 0; t + 1 < threads; ++t)
        workers.emplace_back(body, context, t, count * t / threads, count * (t + 1) / threads);
    body(context, threads - 1, count * (threads - 1) / threads, count);
    for (std::thread& worker : workers) worker.join();
}
