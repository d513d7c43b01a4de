// How long the exact analysis of optimal play takes: the shared hand tables,
// each deck's deals, its variance and risk of going bust, the whole run of
// the program (tables and both decks), and one deal's 32 holds as the hold
// command, the trainer and the page's coach ask for them, with the
// trainer's figures (a hold's final hands, a session's risk); on the
// program's two threads and, for comparison and for the page, on one.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/deck.h"
#include "engine/round.h"
#include "odds/deal_advice.h"
#include "odds/deal_sweep.h"
#include "odds/deck_figures.h"
#include "odds/hold_figures.h"
#include "odds/session_risk.h"
#include "odds/strategy_derive.h"

namespace {

const OddsTables& Tables() {
    static const OddsTables* tables = [] {
        OddsTables* built = new OddsTables;
        BuildOddsTables(*built, kAnalysisThreads);
        return built;
    }();
    return *tables;
}

// What the tables hold, in MiB.
double TableMiB(const OddsTables& tables) {
    size_t bytes = tables.naturalKeys.capacity() + tables.jokerHands.capacity();
    for (const auto& set : tables.natural) bytes += set.capacity() * sizeof set[0];
    for (const auto& set : tables.joker) bytes += set.capacity() * sizeof set[0];
    for (const auto* summaries : {tables.summary52, tables.summary53, tables.summaryWithJoker})
        for (int k = 0; k < 5; ++k) bytes += summaries[k].capacity() * sizeof summaries[k][0];
    return double(bytes) / (1 << 20);
}

void BM_BuildOddsTables(benchmark::State& state) {
    const int threads = static_cast<int>(state.range(0));
    OddsTables tables;
    for (auto _ : state) {
        tables = OddsTables();
        BuildOddsTables(tables, threads);
        benchmark::DoNotOptimize(tables.summary53[0].data());
    }
    state.counters["MiB"] = TableMiB(tables);
}
BENCHMARK(BM_BuildOddsTables)->Arg(kAnalysisThreads)->Arg(1)->ArgName("threads")
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// The counts alone, all that one deal's holds need: what the page builds
// when the coach is switched on (one thread), and the hold command and the
// trainer (two).
void BM_BuildCountTables(benchmark::State& state) {
    const int threads = static_cast<int>(state.range(0));
    OddsTables tables;
    for (auto _ : state) {
        tables = OddsTables();
        BuildCountTables(tables, threads);
        benchmark::DoNotOptimize(tables.natural[0].data());
    }
    state.counters["MiB"] = TableMiB(tables);
}
BENCHMARK(BM_BuildCountTables)->Arg(kAnalysisThreads)->Arg(1)->ArgName("threads")
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// range(0): the deck, 53 (joker wild) or 52; range(1): threads.
void BM_AnalyseDeck(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    const int threads = static_cast<int>(state.range(1));
    const OddsTables& tables = Tables();
    DeckAnalysis analysis;
    for (auto _ : state) {
        AnalyseDeck(tables, deckSize, threads, analysis);
        benchmark::DoNotOptimize(analysis.payByHeld);
    }
    state.counters["return"] = ExpectedReturn(analysis);
    state.counters["classes"] = static_cast<double>(analysis.dealClasses);
}
BENCHMARK(BM_AnalyseDeck)
    ->Args({53, kAnalysisThreads})->Args({52, kAnalysisThreads})->Args({53, 1})->Args({52, 1})
    ->ArgNames({"deck", "threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

// The variance and the risk of going bust from 40 credits (1 and 5 coins,
// 100 to 1,000 games, games to bust) of an analysed deck; range(0) the deck.
void BM_DeckFigures(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    DeckAnalysis analysis;
    AnalyseDeck(Tables(), deckSize, kAnalysisThreads, analysis);
    DeckFigures figures;
    for (auto _ : state) {
        ComputeDeckFigures(analysis, kStartingCredits, figures);
        benchmark::DoNotOptimize(figures.risk.data());
    }
    state.counters["bust_1coin_1000"] = figures.risk[2].bustProbability;
    state.counters["bust_5coins_1000"] = figures.risk[5].bustProbability;
}
BENCHMARK(BM_DeckFigures)->Arg(53)->Arg(52)->ArgName("deck")->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One deck's whole analysis: its deals, variance and risk, once the shared
// tables are built.
void BM_AnalyseDeckWithRisk(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    DeckAnalysis analysis;
    DeckFigures figures;
    for (auto _ : state) {
        AnalyseDeck(Tables(), deckSize, kAnalysisThreads, analysis);
        ComputeDeckFigures(analysis, kStartingCredits, figures);
        benchmark::DoNotOptimize(figures.risk.data());
    }
}
BENCHMARK(BM_AnalyseDeckWithRisk)->Arg(53)->Arg(52)->ArgName("deck")
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// What quorvel-odds does with no arguments, less the printing.
void BM_WholeProgramAnalysis(benchmark::State& state) {
    for (auto _ : state) {
        OddsTables tables;
        BuildOddsTables(tables, kAnalysisThreads);
        DeckAnalysis joker, natural;
        AnalyseDeck(tables, 53, kAnalysisThreads, joker);
        AnalyseDeck(tables, 52, kAnalysisThreads, natural);
        DeckFigures jokerFigures, naturalFigures;
        ComputeDeckFigures(joker, kStartingCredits, jokerFigures);
        ComputeDeckFigures(natural, kStartingCredits, naturalFigures);
        benchmark::DoNotOptimize(jokerFigures.risk.data());
        benchmark::DoNotOptimize(naturalFigures.risk.data());
    }
}
BENCHMARK(BM_WholeProgramAnalysis)->Unit(benchmark::kMillisecond)->UseRealTime();

// Deals of the deck as the game deals them, from a fixed seed.
std::vector<std::array<Card, 5>> GameDeals(int deckSize, int count) {
    std::vector<std::array<Card, 5>> deals(static_cast<size_t>(count));
    uint32_t state = 12345;
    for (auto& deal : deals) {
        DeckSlot deck[kDeckSize] = {};
        for (Card& card : deal) card = DrawUndealt(deck, deckSize, state);
    }
    return deals;
}

// One deal's 32 holds, counted alone, once the tables are built; a deal
// after another of the deck, range(0).
void BM_EvaluateHolds(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    const OddsTables& tables = Tables();
    const std::vector<std::array<Card, 5>> deals = GameDeals(deckSize, 1000);
    HoldOutcome outcomes[kHoldCount];
    size_t next = 0;
    for (auto _ : state) {
        EvaluateHolds(tables, deckSize, deals[next].data(), outcomes);
        benchmark::DoNotOptimize(outcomes[0].pay);
        next = (next + 1) % deals.size();
    }
}
BENCHMARK(BM_EvaluateHolds)->Arg(53)->Arg(52)->ArgName("deck")->Unit(benchmark::kMicrosecond);

// One deal's whole advice (AdviseDeal: the holds sorted, the best, the
// chart's line and its cost), on one thread as the page gives it.
void BM_AdviseDeal(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    const OddsTables& tables = Tables();
    const std::vector<std::array<Card, 5>> deals = GameDeals(deckSize, 1000);
    DealAdvice advice;
    size_t next = 0;
    for (auto _ : state) {
        AdviseDeal(tables, deckSize, deals[next].data(), advice);
        benchmark::DoNotOptimize(advice.costNumerator);
        next = (next + 1) % deals.size();
    }
}
BENCHMARK(BM_AdviseDeal)->Arg(53)->Arg(52)->ArgName("deck")->Unit(benchmark::kMicrosecond);

// Why the best hold, for one deal already advised: the best hold's final
// hands and the worst hold's, their difference and the grade, and the JSON
// the page's coach prints (the trainer's figures beyond the advice).
void BM_HoldDistributions(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    const std::vector<std::array<Card, 5>> deals = GameDeals(deckSize, 1000);
    std::vector<DealAdvice> advice(deals.size());
    for (size_t i = 0; i < deals.size(); ++i)
        AdviseDeal(Tables(), deckSize, deals[i].data(), advice[i]);
    size_t next = 0;
    for (auto _ : state) {
        const DealAdvice& deal = advice[next];
        const int mask = deal.holds[kHoldCount - 1].mask;
        HoldDistribution best, held;
        HoldComparison comparison;
        HoldDistributionOf(BestHoldOf(deal), 5, best);
        HoldDistributionOf(HoldOfMask(deal, mask), 5, held);
        CompareHolds(best, held, comparison);
        JsonWriter json;
        JsonBeginObject(json);
        JsonString(json, "grade", MistakeGradeName(PriceHold(deal, mask, 5).grade));
        WriteHoldDistributionJson(json, "best_hold", deal.deal, best);
        WriteHoldDistributionJson(json, "held_hold", deal.deal, held);
        WriteHoldComparisonJson(json, "difference", comparison);
        JsonEndObject(json);
        benchmark::DoNotOptimize(json.text.data());
        next = (next + 1) % deals.size();
    }
}
BENCHMARK(BM_HoldDistributions)->Arg(53)->Arg(52)->ArgName("deck")
    ->Unit(benchmark::kMicrosecond);

// The session's risk as the page's coach asks it: the first question for a
// deck and a number of coins (range(1)), which counts every start to 1,000
// hands for both plays, and the next ones, credits moved, which look up.
void BM_SessionRisk(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    const int coins = static_cast<int>(state.range(1));
    const std::vector<int> hands(std::begin(kSessionHands), std::end(kSessionHands));
    for (auto _ : state) {
        SessionRisk risk;
        ComputeSessionRisk(deckSize, kStartingCredits, coins, hands, risk);
        benchmark::DoNotOptimize(risk.plays[0].creditsForTarget);
    }
}
BENCHMARK(BM_SessionRisk)->ArgsProduct({{53, 52}, {1, 5}})->ArgNames({"deck", "coins"})
    ->Unit(benchmark::kMillisecond);

void BM_SessionRiskCreditsMoved(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    SessionChances chances;
    PrepareSessionChances(deckSize, 5,
                          std::vector<int>(std::begin(kSessionHands), std::end(kSessionHands)),
                          chances);
    int credits = 1;
    for (auto _ : state) {
        SessionRisk risk;
        SessionRiskFrom(chances, credits, risk);
        benchmark::DoNotOptimize(risk.plays[0].bust[0]);
        credits = credits % 500 + 1;
    }
}
BENCHMARK(BM_SessionRiskCreditsMoved)->Arg(53)->Arg(52)->ArgName("deck")
    ->Unit(benchmark::kMicrosecond);

// The same over 1,000 deals shared out over range(1) threads: deals a
// second, threaded and not.
void BM_AdviseDeals(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    const int threads = static_cast<int>(state.range(1));
    const OddsTables& tables = Tables();
    const std::vector<std::array<Card, 5>> deals = GameDeals(deckSize, 1000);
    std::vector<DealAdvice> advice(deals.size());
    for (auto _ : state) {
        ParallelFor(int64_t(deals.size()), threads, [&](int, int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i)
                AdviseDeal(tables, deckSize, deals[size_t(i)].data(), advice[size_t(i)]);
        });
        benchmark::DoNotOptimize(advice.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(deals.size()));
}
BENCHMARK(BM_AdviseDeals)
    ->Args({53, kAnalysisThreads})->Args({52, kAnalysisThreads})->Args({53, 1})->Args({52, 1})
    ->ArgNames({"deck", "threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

// From nothing to one deal's advice: the count tables built on range(1)
// threads, then the deal, as the hold command (two threads) and the
// coach's first deal (one) pay it.
void BM_AdviseFirstDeal(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    const int threads = static_cast<int>(state.range(1));
    const std::vector<std::array<Card, 5>> deals = GameDeals(deckSize, 1);
    DealAdvice advice;
    for (auto _ : state) {
        OddsTables tables;
        BuildCountTables(tables, threads);
        AdviseDeal(tables, deckSize, deals[0].data(), advice);
        benchmark::DoNotOptimize(advice.costNumerator);
    }
}
BENCHMARK(BM_AdviseFirstDeal)
    ->Args({53, kAnalysisThreads})->Args({52, kAnalysisThreads})->Args({53, 1})->Args({52, 1})
    ->ArgNames({"deck", "threads"})->Unit(benchmark::kMillisecond)->UseRealTime();

// The strategy chart: deriving it from the hold values of every deal class,
// and counting the kept chart's return over every deal.  range(0): deck.
void BM_DeriveChart(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    StrategyChart chart;
    for (auto _ : state) {
        DeriveChart(Tables(), deckSize, kChartLineLimit, kAnalysisThreads, chart);
        benchmark::DoNotOptimize(chart.lines.data());
    }
    state.counters["lines"] = static_cast<double>(chart.lines.size());
}
BENCHMARK(BM_DeriveChart)->Arg(53)->Arg(52)->ArgName("deck")->Unit(benchmark::kSecond)
    ->UseRealTime()->Iterations(1);

void BM_PlayChart(benchmark::State& state) {
    const int deckSize = static_cast<int>(state.range(0));
    StrategyChart chart;
    StoredChart(deckSize, chart);
    ChartPlay play;
    for (auto _ : state) {
        PlayChart(Tables(), chart, kAnalysisThreads, play);
        benchmark::DoNotOptimize(play.play.payByHeld);
    }
    state.counters["return"] = ExpectedReturn(play.play);
}
BENCHMARK(BM_PlayChart)->Arg(53)->Arg(52)->ArgName("deck")->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
