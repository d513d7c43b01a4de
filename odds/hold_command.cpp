// quorvel-odds hold: the exact value of all 32 holds of one deal, best
// first, and the chart's hold.
#include <cstdio>
#include <string>
#include <vector>

#include "odds/card_text.h"
#include "odds/commands.h"
#include "odds/deal_advice.h"
#include "odds/deck_figures.h"
#include "odds/deck_json.h"
#include "odds/deck_setting.h"
#include "odds/hold_figures.h"
#include "odds/text_format.h"
#include "odds/trainer.h"

namespace {

// One hold's figures as doubles, in the order of DealAdvice::holds.
struct HoldFigures {
    double value;           // per coin
    double hitProbability;  // chance of a paying hand
    double hitPercent;      // the same in percent
};

struct HoldReport {
    std::vector<std::string> refusals;  // why there is no deal to advise on
    std::string deckSource;     // where the deck choice came from
    DealAdvice advice;
    HoldFigures figures[kHoldCount] = {};
    HoldVerdict chart;          // the chart's hold judged
    double chartLoss = 0;       // per coin against the best hold
    bool withDeck = false;      // JSON: the deck's own figures too
    DeckRun deck;
    // The best hold's final hands and, with --held, the hold given's and
    // where the two differ, for the coins played.
    HoldDistribution best;
    bool withHeld = false;
    HoldDistribution held;
    HoldComparison comparison;
    MistakePrice heldPrice;     // the hold given judged as train judges it
};

double Value(const HoldOutcome& hold) { return double(hold.pay) / double(hold.draws); }

// False, with the reasons in `refusals`, for a deal or a deck that cannot
// be had.
bool ComputeHold(const OddsOptions& options, HoldReport& report) {
    int deckSize = 0;
    std::string error;
    if (!CommandDeck(options, deckSize, report.deckSource, error)) {
        report.refusals.push_back(error);
        return false;
    }
    Card deal[5];
    if (!ParseDeal(options.cardWords, deckSize, deal, error)) {
        report.refusals.push_back(error);
        // A joker refused by a deck the player did not name: say where the
        // deck came from.
        std::string unused;
        if (options.deckSize == 0 && ParseDeal(options.cardWords, kDeckSize, deal, unused))
            report.refusals.push_back("the " + std::to_string(deckSize) + "-card deck: " +
                                      report.deckSource);
        return false;
    }
    int heldMask = 0;
    if (options.heldGiven) {
        std::string why;
        if (ParseHoldAnswer(options.held, deal, deckSize, heldMask, why) != HoldAnswer::Hold) {
            if (why.empty()) why = "\"" + options.held + "\" is not a hold";
            report.refusals.push_back("--held: " + why +
                                      "; give positions (134), cards (QH,JH), - or all");
            return false;
        }
    }
    OddsTables tables;
    if (options.json) BuildOddsTables(tables, kAnalysisThreads);
    else BuildCountTables(tables, kAnalysisThreads);
    AdviseDeal(tables, deckSize, deal, report.advice);
    const DealAdvice& advice = report.advice;
    // Each figure in the expression the printers had, stored as a double as
    // it was when passed to them: the 32-bit program's x87 arithmetic then
    // rounds it once, as it always did, and prints the same digits.
    for (int i = 0; i < kHoldCount; ++i) {
        const HoldOutcome& hold = advice.holds[i];
        HoldFigures& figures = report.figures[i];
        figures.value = Value(hold);
        figures.hitProbability = double(PayingDraws(hold)) / double(hold.draws);
        figures.hitPercent = 100.0 * double(PayingDraws(hold)) / double(hold.draws);
    }
    report.chart = JudgeHold(advice, ChartHoldOf(advice).mask);
    // From the values as stored, so that no x87 register adds digits to
    // either.
    report.chartLoss = report.figures[0].value - report.figures[advice.chartPlace].value;
    const int coins = options.coins > 0 ? options.coins : 1;
    HoldDistributionOf(BestHoldOf(advice), coins, report.best);
    report.withHeld = options.heldGiven;
    if (report.withHeld) {
        HoldDistributionOf(HoldOfMask(advice, heldMask), coins, report.held);
        CompareHolds(report.best, report.held, report.comparison);
        report.heldPrice = PriceHold(advice, heldMask, coins);
    }
    report.withDeck = options.json;
    if (report.withDeck) RunDeck(tables, deckSize, options.credits, report.deck);
    return true;
}

// How the chart's hold compares: "the best hold", or what it costs.
std::string ChartVerdict(const HoldVerdict& chart) {
    if (chart.judgement == HeldBest) return "the best hold";
    if (chart.judgement == HeldAsGoodAsBest) return "as good as the best hold";
    return "costs " + FractionText(chart.costNumerator, chart.costDenominator, 9) +
           " per coin against the best hold";
}

void PrintHoldJson(const HoldReport& report) {
    const DealAdvice& advice = report.advice;
    const Card* deal = advice.deal;
    JsonWriter json;
    JsonBeginObject(json);
    JsonString(json, "deck_source", report.deckSource);
    JsonBeginArray(json, "deal");
    for (int i = 0; i < 5; ++i) JsonString(json, nullptr, CardShortName(deal[i]));
    JsonEndArray(json);
    JsonString(json, "dealt", HandCategoryName(advice.dealt));
    JsonBeginArray(json, "holds");
    for (int i = 0; i < kHoldCount; ++i) {
        const HoldOutcome& hold = advice.holds[i];
        JsonBeginObject(json);
        JsonBeginArray(json, "held");
        for (int card = 0; card < 5; ++card)
            if (hold.mask & (1 << card)) JsonString(json, nullptr, CardShortName(deal[card]));
        JsonEndArray(json);
        JsonNumber(json, "return", report.figures[i].value);
        JsonInteger(json, "pay", hold.pay);
        JsonInteger(json, "draws", hold.draws);
        JsonNumber(json, "hit_probability", report.figures[i].hitProbability);
        JsonEndObject(json);
    }
    JsonEndArray(json);
    JsonBeginObject(json, "chart");
    JsonInteger(json, "line", advice.chartLine);
    JsonString(json, "text", advice.chartText);
    JsonString(json, "hold", HeldCards(deal, ChartHoldOf(advice).mask));
    JsonNumber(json, "loss", report.chartLoss);
    JsonEndObject(json);
    WriteHoldDistributionJson(json, "best_hold", deal, report.best);
    if (report.withHeld) {
        WriteHoldDistributionJson(json, "held_hold", deal, report.held);
        WriteHoldComparisonJson(json, "difference", report.comparison);
        JsonString(json, "held_grade", MistakeGradeName(report.heldPrice.grade));
    }
    WriteDecksJson(json, 1, [&](size_t) { WriteDeckFiguresJson(json, report.deck.figures); });
    JsonEndObject(json);
    std::fputs(json.text.c_str(), stdout);
}

void PrintHold(const HoldReport& report) {
    const DealAdvice& advice = report.advice;
    const Card* deal = advice.deal;
    std::printf("Deal:");
    for (int i = 0; i < 5; ++i)
        std::printf(" %s (%s)%s", CardShortName(deal[i]).c_str(), CardLongName(deal[i]).c_str(),
                    i < 4 ? "," : "\n");
    std::printf("As dealt: %s.  %s (%s).\n\n", HandName(advice.dealt),
                DeckName(advice.deckSize).c_str(), report.deckSource.c_str());
    std::printf("      %s%s%s  %s\n", RightAligned("per coin", 14).c_str(),
                RightAligned("exact", 18).c_str(), RightAligned("wins", 9).c_str(), "hold");
    for (int i = 0; i < kHoldCount; ++i) {
        const HoldOutcome& hold = advice.holds[i];
        std::string held = " " + HeldText(deal, hold.mask);
        std::printf("  %2d. %s%s%s %s\n", i + 1,
                    RightAligned(FractionText(hold.pay, hold.draws, 9), 14).c_str(),
                    RightAligned(ReducedFractionText(hold.pay, hold.draws), 18).c_str(),
                    RightAligned(Format("%.2f", report.figures[i].hitPercent) + "%", 9).c_str(),
                    held.c_str());
    }
    std::printf("\nchart: line %d \"%s\": hold %s, %s\n", advice.chartLine, advice.chartText,
                HeldText(deal, ChartHoldOf(advice).mask).c_str(),
                ChartVerdict(report.chart).c_str());
}

std::string CoinsText(int coins) { return coins == 1 ? "1 coin" : std::to_string(coins) + " coins"; }

// The final hands of the best hold and, with --held, of the hold given,
// side by side, with where they differ.
void PrintDistributions(const HoldReport& report) {
    const Card* deal = report.advice.deal;
    const HoldDistribution& best = report.best;
    const HoldDistribution& held = report.held;
    const HoldComparison& comparison = report.comparison;
    std::string title = "\nFinal hands of the best hold, " + HeldText(deal, best.mask);
    if (report.withHeld) title += ", and of the hold given, " + HeldText(deal, held.mask);
    std::printf("%s; %s:\n", title.c_str(), CoinsText(best.coins).c_str());
    auto column = [](int64_t count, int64_t draws) {
        return RightAligned(std::to_string(count) + "/" + std::to_string(draws), 16) +
               RightAligned(PercentText(count, draws, 4), 11);
    };
    std::string header = "  " + Padded("final hand", 24) + RightAligned("best hold", 27);
    if (report.withHeld)
        header += RightAligned("hold given", 27) + RightAligned("difference", 12) +
                  RightAligned("coins", 11);
    std::printf("%s\n", header.c_str());
    for (int category : kDistributionOrder) {
        std::string line = "  " + Padded(HandName(category), 24) +
                           column(best.counts[category], best.draws);
        if (report.withHeld) {
            line += column(held.counts[category], held.draws);
            for (const HandDifference& hand : comparison.hands) {
                if (hand.category != category) continue;
                line += RightAligned(
                    SignedFractionText(100 * hand.count, comparison.draws, 4) + " %", 12);
                line += RightAligned(
                    SignedFractionText(ContributionOf(comparison, hand), comparison.draws, 6),
                    11);
            }
        }
        std::printf("%s\n", line.c_str());
    }
    std::string value = "  " + Padded("expected coins", 24) +
                        RightAligned(FractionText(best.coinsNumerator, best.coinsDenominator, 6), 27);
    if (report.withHeld)
        value += RightAligned(FractionText(held.coinsNumerator, held.coinsDenominator, 6), 27) +
                 RightAligned("", 12) +
                 RightAligned(SignedFractionText(comparison.coinsNumerator, comparison.draws, 6), 11);
    std::printf("%s\n", value.c_str());
    if (!report.withHeld) return;
    if (comparison.coinsNumerator == 0 && comparison.differing == 0) {
        std::printf("The hold given is the best hold's equal in every final hand.\n");
        return;
    }
    // The hands where the difference lies, dearest first.
    std::string lies;
    for (int i = 0; i < comparison.differing; ++i) {
        const HandDifference& hand = comparison.hands[i];
        int64_t coins = ContributionOf(comparison, hand);
        if (coins == 0) continue;
        lies += (lies.empty() ? "" : ", ") + std::string(HandName(hand.category)) + " " +
                SignedFractionText(coins, comparison.draws, 6);
    }
    std::printf("The best hold gains %s coins on the hold given: %s.\n",
                SignedFractionText(comparison.coinsNumerator, comparison.draws, 6).c_str(),
                lies.empty() ? "in no paying hand" : lies.c_str());
    if (report.heldPrice.grade == GradeNone)
        std::printf("The hold given is worth as much as the best hold: no mistake.\n");
    else
        std::printf("The hold given is a %s mistake.\n", MistakeGradeName(report.heldPrice.grade));
}

}  // namespace

int RunHold(const OddsOptions& options) {
    HoldReport report;
    if (!ComputeHold(options, report)) {
        for (const std::string& refusal : report.refusals)
            std::fprintf(stderr, "quorvel-odds: %s\n", refusal.c_str());
        return 2;
    }
    if (options.json) {
        PrintHoldJson(report);
    } else {
        PrintHold(report);
        PrintDistributions(report);
    }
    return 0;
}
