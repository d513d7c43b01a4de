#include "odds/strategy_command.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "odds/strategy.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// "0.001772" per coin as percentage points: "0.1772".
std::string PointsText(const std::string& perCoin) {
    size_t dot = perCoin.find('.');
    if (dot == std::string::npos || perCoin.size() < dot + 3) return perCoin;
    std::string digits = perCoin.substr(0, dot) + perCoin.substr(dot + 1);
    std::string whole = digits.substr(0, dot + 2);
    while (whole.size() > 1 && whole[0] == '0') whole.erase(0, 1);
    return whole + "." + digits.substr(dot + 2);
}

void PrintChart(const OddsTables& tables, int deckSize, const StrategyRequest& request) {
    auto start = std::chrono::steady_clock::now();
    StrategyChart chart;
    if (request.derive) DeriveChart(tables, deckSize, kChartLineLimit, kAnalysisThreads, chart);
    else StoredChart(deckSize, chart);
    double deriveSeconds = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    ChartPlay play;
    PlayChart(tables, chart, kAnalysisThreads, play);
    DeckAnalysis best;
    AnalyseDeck(tables, deckSize, kAnalysisThreads, best);
    double playSeconds = SecondsSince(start);

    std::printf("%s: %d lines%s\n",
                deckSize == kDeckSize ? "53 cards, the joker wild" : "52 cards, no joker",
                int(chart.lines.size()), request.derive ? ", derived afresh" : "");
    if (request.full)
        std::printf("       %-58s %9s %9s %9s\n", "hold", "deals", "per coin", "loss pp");
    for (size_t i = 0; i < chart.lines.size(); ++i) {
        std::string text = LineText(chart.lines[i]);
        if (!request.full) {
            std::printf("  %2d. %s\n", int(i + 1), text.c_str());
            continue;
        }
        // The line's share of all deals, and the mean value of its holds.
        double pay = 0;
        for (int held = 0; held <= 5; ++held)
            pay += double(play.linePay[i][size_t(held)]) / double(Binomial(deckSize - 5, 5 - held));
        double deals = double(play.lineDeals[i]);
        char share[32], value[32], loss[32];
        std::snprintf(loss, sizeof loss, "%.5f", 100 * play.lineLoss[i] / double(play.play.deals));
        std::snprintf(share, sizeof share, "%.4f%%", 100 * deals / double(play.play.deals));
        if (deals > 0) std::snprintf(value, sizeof value, "%.4f", pay / deals);
        else std::snprintf(value, sizeof value, "-");
        std::printf("  %2d. %-58s %9s %9s %9s\n", int(i + 1), text.c_str(), share, value, loss);
    }
    std::string chartReturn = ExpectedReturnText(play.play, 9);
    std::string lossText = ReturnDifferenceText(best, play.play, 9);
    std::printf("  return of the chart  %s  (%s %%)\n", chartReturn.c_str(),
                PointsText(chartReturn).c_str());
    std::printf("  best play            %s  (%s %%)\n", ExpectedReturnText(best, 9).c_str(),
                PointsText(ExpectedReturnText(best, 9)).c_str());
    std::printf("  loss                 %s  (%s percentage points)\n", lossText.c_str(),
                PointsText(lossText).c_str());
    if (request.derive) {
        std::printf("  time: %.3f s to derive, %.3f s to count the chart and best play\n",
                    deriveSeconds, playSeconds);
        std::printf("  as kept in odds/strategy_charts.cpp:\n%s\n", ChartSource(chart).c_str());
    }
    else
        std::printf("  time: %.3f s to count the chart and best play\n\n", playSeconds);
}

}  // namespace

int RunStrategy(const StrategyRequest& request) {
    auto start = std::chrono::steady_clock::now();
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    std::printf("Quorvel: a strategy chart, every deal counted exactly\n\n");
    std::printf("Hold the cards of the first line that the deal has.  \"Ways\": how many of\n"
                "the straights A-2-3-4-5 .. 9-10-J-Q-K hold every kept card but the joker\n"
                "(the ace is low in straights, high only in a royal flush).  When a line\n"
                "fits several sets of cards, keep the one in more ways; then the one that\n"
                "throws away fewer chances: a discarded card counts once for each of the\n"
                "kept cards' straights it lies in, and three more if the kept cards (but\n"
                "the joker) are of one suit and it is of that suit; then the one with\n"
                "the higher cards, the ace high.\n\n");
    if (request.deckSize == 0 || request.deckSize == kDeckSize) PrintChart(tables, kDeckSize, request);
    if (request.deckSize == 0 || request.deckSize == kNaturalCards)
        PrintChart(tables, kNaturalCards, request);
    std::printf("total time: %.3f s on %d threads\n", SecondsSince(start), kAnalysisThreads);
    return 0;
}
