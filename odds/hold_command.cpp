// quorvel-odds hold: the exact value of all 32 holds of one deal, best
// first.
#include <cstdio>
#include <string>
#include <vector>

#include "odds/deal_sweep.h"
#include "odds/card_text.h"
#include "odds/commands.h"
#include "odds/deck_figures.h"
#include "odds/deck_json.h"
#include "odds/deck_setting.h"
#include "odds/json_writer.h"
#include "odds/strategy.h"
#include "odds/text_format.h"

namespace {

// How the chart's hold compares: "the best hold", or what it costs.
std::string ChartVerdict(const ChartAdvice& advice) {
    const HoldOutcome& hold = advice.hold;
    const HoldOutcome& best = advice.best;
    if (hold.mask == best.mask) return "the best hold";
    if (hold.pay * best.draws == best.pay * hold.draws) return "as good as the best hold";
    const int64_t pays[2] = {best.pay, -hold.pay};
    const int64_t draws[2] = {best.draws, hold.draws};
    return "costs " + SumText(pays, draws, 2, 9) + " per coin against the best hold";
}

void PrintHoldsJson(const Card deal[5], int deckSize, const std::string& source,
                    const HoldOutcome outcomes[kHoldCount], const ChartAdvice& advice,
                    const OddsTables& tables, int credits) {
    DeckRun run;
    RunDeck(tables, deckSize, credits, run);
    JsonWriter json;
    JsonBeginObject(json);
    JsonString(json, "deck_source", source);
    JsonBeginArray(json, "deal");
    for (int i = 0; i < 5; ++i) JsonString(json, nullptr, CardShortName(deal[i]));
    JsonEndArray(json);
    JsonString(json, "dealt", HandCategoryName(EvaluateHand(deal)));
    JsonBeginArray(json, "holds");
    for (int i = 0; i < kHoldCount; ++i) {
        const HoldOutcome& outcome = outcomes[i];
        JsonBeginObject(json);
        JsonBeginArray(json, "held");
        for (int card = 0; card < 5; ++card)
            if (outcome.mask & (1 << card)) JsonString(json, nullptr, CardShortName(deal[card]));
        JsonEndArray(json);
        JsonNumber(json, "return", double(outcome.pay) / double(outcome.draws));
        JsonInteger(json, "pay", outcome.pay);
        JsonInteger(json, "draws", outcome.draws);
        JsonNumber(json, "hit_probability",
                   double(outcome.draws - outcome.counts[Nothing]) / double(outcome.draws));
        JsonEndObject(json);
    }
    JsonEndArray(json);
    JsonBeginObject(json, "chart");
    JsonInteger(json, "line", advice.line);
    JsonString(json, "text", advice.text);
    JsonString(json, "hold", HeldCards(deal, advice.hold.mask));
    JsonNumber(json, "loss", double(advice.best.pay) / double(advice.best.draws) -
                                 double(advice.hold.pay) / double(advice.hold.draws));
    JsonEndObject(json);
    WriteDecksJson(json, 1, [&](size_t) { WriteDeckFiguresJson(json, run.figures); });
    JsonEndObject(json);
    std::fputs(json.text.c_str(), stdout);
}

void PrintHolds(const Card deal[5], int deckSize, const std::string& source,
                const HoldOutcome outcomes[kHoldCount], const ChartAdvice& advice) {
    std::printf("Deal:");
    for (int i = 0; i < 5; ++i)
        std::printf(" %s (%s)%s", CardShortName(deal[i]).c_str(), CardLongName(deal[i]).c_str(),
                    i < 4 ? "," : "\n");
    std::printf("As dealt: %s.  %s (%s).\n\n", HandName(EvaluateHand(deal)),
                DeckName(deckSize).c_str(), source.c_str());
    std::printf("      %s%s%s  %s\n", RightAligned("per coin", 14).c_str(),
                RightAligned("exact", 18).c_str(), RightAligned("wins", 9).c_str(), "hold");
    for (int i = 0; i < kHoldCount; ++i) {
        const HoldOutcome& outcome = outcomes[i];
        double wins = 100.0 * double(outcome.draws - outcome.counts[Nothing]) /
                      double(outcome.draws);
        std::string held = " " + HeldText(deal, outcome.mask);
        std::printf("  %2d. %s%s%s %s\n", i + 1,
                    RightAligned(FractionText(outcome.pay, outcome.draws, 9), 14).c_str(),
                    RightAligned(ReducedFractionText(outcome.pay, outcome.draws), 18).c_str(),
                    RightAligned(Format("%.2f", wins) + "%", 9).c_str(), held.c_str());
    }
    std::printf("\nchart: line %d \"%s\": hold %s, %s\n", advice.line, advice.text.c_str(),
                HeldText(deal, advice.hold.mask).c_str(), ChartVerdict(advice).c_str());
}

}  // namespace

int RunHold(const OddsOptions& options) {
    int deckSize = 0;
    std::string source;
    if (!CommandDeck(options, deckSize, source)) return 2;
    std::string error;
    Card deal[5];
    if (!ParseDeal(options.cardWords, deckSize, deal, error)) {
        std::fprintf(stderr, "quorvel-odds: %s\n", error.c_str());
        // A joker refused by a deck the player did not name: say where the
        // deck came from.
        std::string unused;
        if (options.deckSize == 0 && ParseDeal(options.cardWords, kDeckSize, deal, unused))
            std::fprintf(stderr, "quorvel-odds: the %d-card deck: %s\n", deckSize,
                         source.c_str());
        return 2;
    }
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    HoldOutcome outcomes[kHoldCount];
    EvaluateHolds(tables, deckSize, deal, outcomes);
    SortHoldsBestFirst(outcomes);
    StrategyChart chart;
    StoredChart(deckSize, chart);
    ChartAdvice advice;
    AdviseByChart(chart, deal, outcomes, advice);
    if (options.json)
        PrintHoldsJson(deal, deckSize, source, outcomes, advice, tables, options.credits);
    else PrintHolds(deal, deckSize, source, outcomes, advice);
    return 0;
}
