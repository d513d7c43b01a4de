// The engine under long random sequences of commands, ticks, message-box
// answers and settings changes.  A failure names the seed: run again with
// QUORVEL_SEED=<seed> to replay it step for step.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/engine/random_play.h"

namespace {

// Under a second natively, about two and a half with the sanitizers;
// QUORVEL_STEPS asks for another count.
constexpr uint64_t kSteps = 3000000;

uint64_t StepCount() {
    if (const char* text = std::getenv("QUORVEL_STEPS")) {
        if (*text != '\0') return std::strtoull(text, nullptr, 10);
    }
    return kSteps;
}

// Named before the run too, so that a sanitizer's abort can be replayed.
uint64_t AnnouncedSeed() {
    const uint64_t seed = RandomPlaySeed();
    std::fprintf(stderr, "random play: QUORVEL_SEED=%llu\n", static_cast<unsigned long long>(seed));
    return seed;
}

TEST(RandomPlay, EveryStepKeepsTheMachineConsistent) {
    const uint64_t seed = AnnouncedSeed();
    const uint64_t steps = StepCount();
    RandomPlayResult result = RunRandomPlay(seed, steps);
    ASSERT_EQ(result.failure, "") << "at step " << result.steps << "; replay with QUORVEL_SEED=" << seed
                                  << "\nlast steps: " << result.lastSteps;
    EXPECT_EQ(result.steps, steps);

    // A driver that never gets past the first coin proves nothing: the run
    // must reach paid rounds, busts and deals ticking under an open box.
    if (steps >= kSteps) {
        EXPECT_GT(result.rounds, steps / 100) << "seed " << seed;
        EXPECT_GT(result.wins, result.rounds / 20) << "seed " << seed;
        EXPECT_GT(result.busted, 0u) << "seed " << seed;
        EXPECT_GT(result.jokerHands, 0u) << "seed " << seed;
        EXPECT_GT(result.ticksInBoxes, 0u) << "seed " << seed;
    }
}

// Days of play without a New Game bring the 32-bit meters and counters to
// their limit: the machine must still neither make nor lose money.
TEST(RandomPlay, MetersAndCountersHoldAtTheirLimits) {
    const uint64_t seed = AnnouncedSeed();
    RandomPlayResult result = RunRandomPlay(seed, StepCount() / 10, RandomPlayStart::NearTheLimits);
    ASSERT_EQ(result.failure, "") << "at step " << result.steps << "; replay with QUORVEL_SEED=" << seed
                                  << "\nlast steps: " << result.lastSteps;
    // The run got there: the bank has stopped paying, the coin count is full.
    if (StepCount() >= kSteps) {
        EXPECT_LT(RoomLeft(result.endStats.bankTotal), 80) << "seed " << seed;
        EXPECT_EQ(RoomLeft(result.endStats.coinsPlayed), 0) << "seed " << seed;
    }
}

// The same seed plays the same game, so a printed seed really replays.
TEST(RandomPlay, ASeedReplaysTheSameSequence) {
    const uint64_t seed = AnnouncedSeed();
    RandomPlayResult first = RunRandomPlay(seed, 20000);
    RandomPlayResult second = RunRandomPlay(seed, 20000);
    EXPECT_EQ(first.fingerprint, second.fingerprint) << "seed " << seed;
    EXPECT_EQ(first.rounds, second.rounds) << "seed " << seed;
    EXPECT_NE(RunRandomPlay(seed + 1, 20000).fingerprint, first.fingerprint) << "seed " << seed;
}

}  // namespace
