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

// A line's share of all deals (also in percent), the mean value of its
// holds per coin, and what best play returns more on its deals, in
// percentage points and per coin.
struct LineFigure {
    double share;
    double sharePercent;
    double value;
    double lossPoints;
    double loss;
};

// One deck's chart, how it plays and how best play compares.
struct ChartRun {
    StrategyChart chart;
    ChartPlay play;
    DeckRun best;
    std::vector<LineFigure> lines;
    double chartReturn = 0;
    double chartLoss = 0;           // per coin against best play
    double chartCategories[kHandCategoryCount] = {};
    double chartHitFrequency = 0;
    double chartVariance = 0;
    double chartStandardDeviation = 0;
    double deriveSeconds = 0;
    double playSeconds = 0;
};

struct StrategyReport {
    std::vector<ChartRun> runs;     // the decks asked for, the joker's first
    double seconds = 0;             // the whole computation
};

LineFigure LineFigures(const ChartPlay& chart, size_t line) {
    const DeckAnalysis& play = chart.play;
    double pay = 0;
    for (int held = 0; held <= 5; ++held)
        pay += double(chart.linePay[line][size_t(held)]) /
               double(Binomial(play.deckSize - 5, 5 - held));
    double deals = double(chart.lineDeals[line]);
    return {deals / double(play.deals), 0, deals > 0 ? pay / deals : 0,
            100 * chart.lineLoss[line] / double(play.deals), 0};
}

void RunChart(const OddsTables& tables, int deckSize, const OddsOptions& options,
              ChartRun& run) {
    auto start = std::chrono::steady_clock::now();
    if (options.derive) DeriveChart(tables, deckSize, kChartLineLimit, kAnalysisThreads, run.chart);
    else StoredChart(deckSize, run.chart);
    run.deriveSeconds = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    PlayChart(tables, run.chart, kAnalysisThreads, run.play);
    RunDeck(tables, deckSize, options.credits, run.best);
    for (size_t i = 0; i < run.chart.lines.size(); ++i) run.lines.push_back(LineFigures(run.play, i));
    // From the figures as stored (no x87 register holds them past the calls
    // above), as the printers took them.
    for (LineFigure& figure : run.lines) {
        figure.sharePercent = 100 * figure.share;
        figure.loss = figure.lossPoints / 100;
    }
    run.chartReturn = ExpectedReturn(run.play.play);
    // In one expression, as the 32-bit Windows program always rounded it.
    run.chartLoss = ExpectedReturn(run.best.analysis) - ExpectedReturn(run.play.play);
    for (int c = 0; c < kHandCategoryCount; ++c)
        run.chartCategories[c] = FinalCategoryProbability(run.play.play, c);
    run.chartVariance = CategoryVariance(run.chartCategories);
    run.playSeconds = SecondsSince(start);
    // From the figures as stored, after a call, so that no x87 register of
    // the 32-bit program hands over an unrounded one: the digits it always
    // printed.
    run.chartHitFrequency = 1 - run.chartCategories[Nothing];
    run.chartStandardDeviation = std::sqrt(run.chartVariance);
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
        const LineFigure& figure = run.lines[i];
        std::string value = run.play.lineDeals[i] > 0 ? Format("%.4f", figure.value) : "-";
        std::printf("  %2d. %-58s %9s %9s %9s\n", int(i + 1), text.c_str(),
                    Format("%.4f%%", figure.sharePercent).c_str(), value.c_str(),
                    Format("%.5f", figure.lossPoints).c_str());
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
                run.chartVariance, run.chartStandardDeviation, run.best.figures.variance,
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
    JsonNumber(json, "chart_return", run.chartReturn);
    JsonNumber(json, "chart_loss", run.chartLoss);
    JsonNumber(json, "chart_hit_frequency", run.chartHitFrequency);
    JsonNumber(json, "chart_variance", run.chartVariance);
    JsonNumber(json, "chart_standard_deviation", run.chartStandardDeviation);
    JsonBeginObject(json, "chart_categories");
    for (int c = 0; c < kHandCategoryCount; ++c)
        JsonNumber(json, HandCategoryName(c), run.chartCategories[c]);
    JsonEndObject(json);
    JsonBeginArray(json, "lines");
    for (size_t i = 0; i < run.chart.lines.size(); ++i) {
        const LineFigure& figure = run.lines[i];
        JsonBeginObject(json);
        JsonString(json, "hold", LineText(run.chart.lines[i]));
        JsonNumber(json, "share", figure.share);
        JsonNumber(json, "return", figure.value);
        JsonNumber(json, "loss", figure.loss);
        JsonEndObject(json);
    }
    JsonEndArray(json);
}

void ComputeStrategy(const OddsOptions& options, StrategyReport& report) {
    auto start = std::chrono::steady_clock::now();
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    std::vector<int> decks = DecksToRun(options.deckSize);
    report.runs.resize(decks.size());
    for (size_t i = 0; i < decks.size(); ++i) RunChart(tables, decks[i], options, report.runs[i]);
    report.seconds = SecondsSince(start);
}

void PrintStrategyJson(const StrategyReport& report) {
    JsonWriter json;
    JsonBeginObject(json);
    WriteDecksJson(json, report.runs.size(), [&](size_t i) { WriteChartJson(json, report.runs[i]); });
    JsonEndObject(json);
    std::fputs(json.text.c_str(), stdout);
}

void PrintStrategy(const StrategyReport& report, const OddsOptions& options) {
    std::printf("Quorvel: a strategy chart, every deal counted exactly\n\n");
    std::printf("Hold the cards of the first line that the deal has.  \"Ways\": how many of\n"
                "the straights A-2-3-4-5 .. 9-10-J-Q-K hold every kept card but the joker\n"
                "(the ace is low in straights, high only in a royal flush).  When a line\n"
                "fits several sets of cards, keep the one in more ways; then the one that\n"
                "throws away fewer chances: a discarded card counts once for each of the\n"
                "kept cards' straights it lies in, and three more if the kept cards (but\n"
                "the joker) are of one suit and it is of that suit; then the one with\n"
                "the higher cards, the ace high.\n\n");
    for (const ChartRun& run : report.runs) PrintChart(run, options);
    std::printf("total time: %.3f s on %d threads\n", report.seconds, kAnalysisThreads);
}

}  // namespace

int RunStrategy(const OddsOptions& options) {
    StrategyReport report;
    ComputeStrategy(options, report);
    if (options.json) PrintStrategyJson(report);
    else PrintStrategy(report, options);
    return 0;
}
