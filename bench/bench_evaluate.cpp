// How many hands per second EvaluateHand classifies, over every hand of the
// 53-card deck (the joker in play).
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/evaluate.h"

namespace {

constexpr int kDeck = 53;

std::vector<Card> AllHands() {
    std::vector<Card> hands;
    hands.reserve(2869685u * 5);
    for (Card a = 0; a < kDeck; ++a)
        for (Card b = a + 1; b < kDeck; ++b)
            for (Card c = b + 1; c < kDeck; ++c)
                for (Card d = c + 1; d < kDeck; ++d)
                    for (Card e = d + 1; e < kDeck; ++e) hands.insert(hands.end(), {a, b, c, d, e});
    return hands;
}

void BM_EvaluateAllHands(benchmark::State& state) {
    static const std::vector<Card> hands = AllHands();
    const size_t count = hands.size() / 5;
    for (auto _ : state) {
        int sum = 0;
        for (size_t i = 0; i < count; ++i) sum += EvaluateHand(&hands[i * 5]);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(count));
    state.counters["hands"] = static_cast<double>(count);
}

BENCHMARK(BM_EvaluateAllHands)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
