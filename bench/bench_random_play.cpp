// Soak of the engine under random play: runs of a million steps from
// consecutive seeds for as long as asked, every tenth from a long session
// near the 32-bit limits, every invariant checked after every step.  Reports steps per second; a broken invariant ends the soak
// with its seed.
//   bench_random_play [seconds, default 60]   QUORVEL_SEED=<first seed>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tests/engine/random_play.h"

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const uint64_t stepsPerRun = 1000000;
    const uint64_t firstSeed = RandomPlaySeed();
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();

    uint64_t steps = 0;
    uint64_t rounds = 0;
    uint64_t runs = 0;
    double elapsed = 0;
    do {
        const uint64_t seed = firstSeed + runs;
        const RandomPlayStart from = runs % 10 == 9 ? RandomPlayStart::NearTheLimits : RandomPlayStart::NewGame;
        RandomPlayResult result = RunRandomPlay(seed, stepsPerRun, from);
        steps += result.steps;
        rounds += result.rounds;
        ++runs;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (!result.failure.empty()) {
            std::printf("FAILED with QUORVEL_SEED=%llu at step %llu: %s\nlast steps: %s\n",
                        static_cast<unsigned long long>(seed), static_cast<unsigned long long>(result.steps),
                        result.failure.c_str(), result.lastSteps.c_str());
            return 1;
        }
    } while (elapsed < seconds);

    std::printf("random play: %llu steps (%llu rounds) in %llu runs from seed %llu, %.1f s: %.0f steps/s\n",
                static_cast<unsigned long long>(steps), static_cast<unsigned long long>(rounds),
                static_cast<unsigned long long>(runs), static_cast<unsigned long long>(firstSeed), elapsed,
                static_cast<double>(steps) / elapsed);
    return 0;
}
