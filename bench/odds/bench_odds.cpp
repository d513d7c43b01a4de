// How long the exact analysis of optimal play takes: the shared hand tables,
// each deck's deals, its variance and risk of going bust, and the whole run
// of the program (tables and both decks), on the program's two threads and,
// for comparison, on one.
#include <benchmark/benchmark.h>

#include "engine/round.h"
#include "odds/deal_sweep.h"
#include "odds/deck_figures.h"
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

void BM_BuildOddsTables(benchmark::State& state) {
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        OddsTables tables;
        BuildOddsTables(tables, threads);
        benchmark::DoNotOptimize(tables.summary53[0].data());
    }
}
BENCHMARK(BM_BuildOddsTables)->Arg(kAnalysisThreads)->Arg(1)->ArgName("threads")
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

// One deal's 32 holds, as the hold command computes them once the tables
// are built.
void BM_EvaluateHolds(benchmark::State& state) {
    const OddsTables& tables = Tables();
    const Card deal[5] = {37, 22, 39, 12, kJoker};
    HoldOutcome outcomes[kHoldCount];
    for (auto _ : state) {
        EvaluateHolds(tables, 53, deal, outcomes);
        benchmark::DoNotOptimize(outcomes[0].pay);
    }
}
BENCHMARK(BM_EvaluateHolds)->Unit(benchmark::kMicrosecond);

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
