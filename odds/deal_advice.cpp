#include "odds/deal_advice.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

#include "engine/evaluate.h"
#include "odds/strategy.h"

bool AdviseDeal(const OddsTables& tables, int deckSize, const Card deal[5], DealAdvice& advice) {
    HoldOutcome holds[kHoldCount];
    if (!EvaluateHolds(tables, deckSize, deal, holds)) return false;
    StrategyChart chart;
    StoredChart(deckSize, chart);
    int line = -1;
    int chartMask = ChartHold(chart, deal, &line);
    if (chartMask < 0) return false;

    SortHoldsBestFirst(holds);
    advice.deckSize = deckSize;
    for (int i = 0; i < 5; ++i) advice.deal[i] = deal[i];
    advice.dealt = EvaluateHand(deal);
    for (int place = 0; place < kHoldCount; ++place) {
        advice.holds[place] = holds[place];
        advice.placeOfMask[holds[place].mask] = place;
    }
    advice.chartLine = line + 1;
    std::string text = LineText(chart.lines[size_t(line)]);
    size_t length = std::min(text.size(), sizeof advice.chartText - 1);
    std::memcpy(advice.chartText, text.data(), length);
    advice.chartText[length] = '\0';
    advice.chartPlace = advice.placeOfMask[chartMask];
    HoldVerdict verdict = JudgeHold(advice, chartMask);
    advice.costNumerator = verdict.costNumerator;
    advice.costDenominator = verdict.costDenominator;
    return true;
}

HoldVerdict JudgeHold(const DealAdvice& advice, int mask) {
    HoldVerdict verdict;
    verdict.place = advice.placeOfMask[mask & (kHoldCount - 1)];
    verdict.chart = verdict.place == advice.chartPlace;
    // best.pay / best.draws - held.pay / held.draws, cross-multiplied:
    // below 1000 * C(48, 5) * C(48, 5), far inside 64 bits.
    const HoldOutcome& best = advice.holds[0];
    const HoldOutcome& held = advice.holds[verdict.place];
    int64_t numerator = best.pay * held.draws - held.pay * best.draws;
    int64_t denominator = best.draws * held.draws;
    int64_t divisor = std::gcd(numerator, denominator);
    verdict.costNumerator = numerator / divisor;
    verdict.costDenominator = denominator / divisor;
    if (verdict.place == 0) verdict.judgement = HeldBest;
    else if (numerator == 0) verdict.judgement = HeldAsGoodAsBest;
    else verdict.judgement = HeldCosts;
    return verdict;
}
