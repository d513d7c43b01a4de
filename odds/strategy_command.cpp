// quorvel-odds strategy: the chart of each deck with its exact return, its
// loss against best play and the spread of a game played by it.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "odds/card_text.h"
#include "odds/commands.h"
#include "odds/deck_figures.h"
#include "odds/deck_json.h"
#include "odds/risk.h"
#include "odds/stopwatch.h"
#include "odds/strategy.h"
#include "odds/strategy_derive.h"
#include "odds/text_format.h"

namespace {

// One deck's chart, how it plays and how best play compares.
struct ChartRun {
    StrategyChart chart;
    ChartPlay play;
    DeckRun best;
    double chartCategories[kHandCategoryCount] = {};
    double chartVariance = 0;
    double deriveSeconds = 0;
    double playSeconds = 0;
};

void RunChart(const OddsTables& tables, int deckSize, const OddsOptions& options,
              ChartRun& run) {
    auto start = std::chrono::steady_clock::now();
    if (options.derive) DeriveChart(tables, deckSize, kChartLineLimit, kAnalysisThreads, run.chart);
    else StoredChart(deckSize, run.chart);
    run.deriveSeconds = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    PlayChart(tables, run.chart, kAnalysisThreads, run.play);
    RunDeck(tables, deckSize, options.credits, run.best);
    for (int c = 0; c < kHandCategoryCount; ++c)
        run.chartCategories[c] = FinalCategoryProbability(run.play.play, c);
    run.chartVariance = CategoryVariance(run.chartCategories);
    run.playSeconds = SecondsSince(start);
}

// A line's share of all deals, the mean value of its holds per coin, and
// what best play returns more on its deals, in percentage points.
void LineFigures(const ChartRun& run, size_t line, double& share, double& value, double& loss) {
    const DeckAnalysis& play = run.play.play;
    double pay = 0;
    for (int held = 0; held <= 5; ++held)
        pay += double(run.play.linePay[line][size_t(held)]) /
               double(Binomial(play.deckSize - 5, 5 - held));
    double deals = double(run.play.lineDeals[line]);
    share = deals / double(play.deals);
    value = deals > 0 ? pay / deals : 0;
    loss = 100 * run.play.lineLoss[line] / double(play.deals);
}

void PrintChart(const ChartRun& run, const OddsOptions& options) {
    std::printf("%s: %d lines%s\n", DeckLabel(run.chart.deckSize), int(run.chart.lines.size()),
                options.derive ? ", derived afresh" : "");
    if (options.full)
        std::printf("       %-58s %9s %9s %9s\n", "hold", "deals", "per coin", "loss pp");
    for (size_t i = 0; i < run.chart.lines.size(); ++i) {
        std::string text = LineText(run.chart.lines[i]);
        if (!options.full) {
            std::printf("  %2d. %s\n", int(i + 1), text.c_str());
            continue;
        }
        double share, value, loss;
        LineFigures(run, i, share, value, loss);
        char shareText[32], valueText[32], lossText[32];
        std::snprintf(shareText, sizeof shareText, "%.4f%%", 100 * share);
        if (run.play.lineDeals[i] > 0) std::snprintf(valueText, sizeof valueText, "%.4f", value);
        else std::snprintf(valueText, sizeof valueText, "-");
        std::snprintf(lossText, sizeof lossText, "%.5f", loss);
        std::printf("  %2d. %-58s %9s %9s %9s\n", int(i + 1), text.c_str(), shareText, valueText,
                    lossText);
    }
    std::string chartReturn = ExpectedReturnText(run.play.play, 9);
    std::string bestReturn = ExpectedReturnText(run.best.analysis, 9);
    std::string loss = ReturnDifferenceText(run.best.analysis, run.play.play, 9);
    std::printf("  return of the chart  %s  (%s %%)\n", chartReturn.c_str(),
                PointsText(chartReturn).c_str());
    std::printf("  best play            %s  (%s %%)\n", bestReturn.c_str(),
                PointsText(bestReturn).c_str());
    std::printf("  loss                 %s  (%s percentage points)\n", loss.c_str(),
                PointsText(loss).c_str());
    std::printf("  variance per coin    %.6f (standard deviation %.6f); best play %.6f (%.6f)\n",
                run.chartVariance, std::sqrt(run.chartVariance), run.best.figures.variance,
                run.best.figures.standardDeviation);
    if (options.derive) {
        std::printf("  time: %.3f s to derive, %.3f s to count the chart and best play\n",
                    run.deriveSeconds, run.playSeconds);
        std::printf("  as kept in odds/strategy_charts.cpp:\n%s\n",
                    ChartSource(run.chart).c_str());
    } else {
        std::printf("  time: %.3f s to count the chart and best play\n\n", run.playSeconds);
    }
}

// Best play's figures as the analysis writes them, then the chart's.
void WriteChartJson(JsonWriter& json, const ChartRun& run) {
    WriteDeckFiguresJson(json, run.best.figures);
    JsonNumber(json, "chart_return", ExpectedReturn(run.play.play));
    JsonNumber(json, "chart_loss", ExpectedReturn(run.best.analysis) - ExpectedReturn(run.play.play));
    JsonNumber(json, "chart_hit_frequency", 1 - run.chartCategories[Nothing]);
    JsonNumber(json, "chart_variance", run.chartVariance);
    JsonNumber(json, "chart_standard_deviation", std::sqrt(run.chartVariance));
    JsonBeginObject(json, "chart_categories");
    for (int c = 0; c < kHandCategoryCount; ++c)
        JsonNumber(json, HandCategoryName(c), run.chartCategories[c]);
    JsonEndObject(json);
    JsonBeginArray(json, "lines");
    for (size_t i = 0; i < run.chart.lines.size(); ++i) {
        double share, value, loss;
        LineFigures(run, i, share, value, loss);
        JsonBeginObject(json);
        JsonString(json, "hold", LineText(run.chart.lines[i]));
        JsonNumber(json, "share", share);
        JsonNumber(json, "return", value);
        JsonNumber(json, "loss", loss / 100);
        JsonEndObject(json);
    }
    JsonEndArray(json);
}

}  // namespace

int RunStrategy(const OddsOptions& options) {
    auto start = std::chrono::steady_clock::now();
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    std::vector<int> decks = DecksToRun(options.deckSize);
    std::vector<ChartRun> runs(decks.size());
    for (size_t i = 0; i < decks.size(); ++i) RunChart(tables, decks[i], options, runs[i]);

    if (options.json) {
        JsonWriter json;
        JsonBeginObject(json);
        WriteDecksJson(json, runs.size(), [&](size_t i) { WriteChartJson(json, runs[i]); });
        JsonEndObject(json);
        std::fputs(json.text.c_str(), stdout);
        return 0;
    }
    std::printf("Quorvel: a strategy chart, every deal counted exactly\n\n");
    std::printf("Hold the cards of the first line that the deal has.  \"Ways\": how many of\n"
                "the straights A-2-3-4-5 .. 9-10-J-Q-K hold every kept card but the joker\n"
                "(the ace is low in straights, high only in a royal flush).  When a line\n"
                "fits several sets of cards, keep the one in more ways; then the one that\n"
                "throws away fewer chances: a discarded card counts once for each of the\n"
                "kept cards' straights it lies in, and three more if the kept cards (but\n"
                "the joker) are of one suit and it is of that suit; then the one with\n"
                "the higher cards, the ace high.\n\n");
    for (const ChartRun& run : runs) PrintChart(run, options);
    std::printf("total time: %.3f s on %d threads\n", SecondsSince(start), kAnalysisThreads);
    return 0;
}
