#include "odds/hold_figures.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "engine/payout.h"
#include "odds/card_text.h"
#include "odds/text_format.h"

MistakePrice PriceMistake(int64_t bestPay, int64_t bestDraws, int64_t playedPay,
                          int64_t playedDraws, int coins) {
    MistakePrice price;
    // best - played per coin, cross-multiplied: below 1000 * C(48, 5)^2,
    // and a hundredfold of it still fits 64 bits.
    int64_t numerator = bestPay * playedDraws - playedPay * bestDraws;
    int64_t denominator = bestDraws * playedDraws;
    if (numerator <= 0) return price;
    // cost / best >= percent / 100, with best = bestPay / bestDraws.
    bool major = numerator * 100 >= int64_t(kMajorMistakePercent) * bestPay * playedDraws;
    price.grade = major ? GradeMajor : GradeMinor;
    numerator *= coins;
    int64_t divisor = std::gcd(numerator, denominator);
    price.costNumerator = numerator / divisor;
    price.costDenominator = denominator / divisor;
    return price;
}

MistakePrice PriceHold(const DealAdvice& advice, int mask, int coins) {
    const HoldOutcome& best = BestHoldOf(advice);
    const HoldOutcome& played = HoldOfMask(advice, mask);
    return PriceMistake(best.pay, best.draws, played.pay, played.draws, coins);
}

const char* MistakeGradeName(int grade) {
    switch (grade) {
    case GradeMinor: return "minor";
    case GradeMajor: return "major";
    default: return "none";
    }
}

void HoldDistributionOf(const HoldOutcome& hold, int coins, HoldDistribution& distribution) {
    distribution = HoldDistribution();
    distribution.mask = hold.mask;
    distribution.coins = coins;
    distribution.draws = hold.draws;
    for (int c = 0; c < kHandCategoryCount; ++c) distribution.counts[c] = hold.counts[c];
    int64_t numerator = int64_t(coins) * hold.pay;
    int64_t divisor = std::gcd(numerator, hold.draws);
    if (divisor == 0) divisor = 1;
    distribution.coinsNumerator = numerator / divisor;
    distribution.coinsDenominator = hold.draws / divisor;
}

int64_t ContributionOf(const HoldComparison& comparison, const HandDifference& hand) {
    return int64_t(comparison.coins) * PayoutTable[hand.category].perCoin * hand.count;
}

void CompareHolds(const HoldDistribution& a, const HoldDistribution& b,
                  HoldComparison& comparison) {
    comparison = HoldComparison();
    comparison.coins = a.coins;
    comparison.draws = std::lcm(a.draws, b.draws);
    const int64_t scaleA = comparison.draws / a.draws;
    const int64_t scaleB = comparison.draws / b.draws;
    for (int i = 0; i < kHandCategoryCount; ++i) {
        int c = kDistributionOrder[i];
        HandDifference& hand = comparison.hands[i];
        hand.category = c;
        hand.count = a.counts[c] * scaleA - b.counts[c] * scaleB;
        comparison.coinsNumerator += ContributionOf(comparison, hand);
        if (hand.count != 0) ++comparison.differing;
    }
    // Where the difference lies: the dearest hands first, then the largest
    // shifts of chance (Nothing's among them), ties in the pay table's order.
    std::stable_sort(comparison.hands, comparison.hands + kHandCategoryCount,
                     [&](const HandDifference& x, const HandDifference& y) {
                         int64_t cx = std::llabs(ContributionOf(comparison, x));
                         int64_t cy = std::llabs(ContributionOf(comparison, y));
                         if (cx != cy) return cx > cy;
                         return std::llabs(x.count) > std::llabs(y.count);
                     });
}

std::string SignedFractionText(int64_t numerator, int64_t denominator, int decimals) {
    if (numerator == 0) return FractionText(0, 1, decimals);
    std::string digits = FractionText(std::llabs(numerator), denominator, decimals);
    return (numerator < 0 ? "-" : "+") + digits;
}

std::string PercentText(int64_t count, int64_t draws, int decimals) {
    return FractionText(100 * count, draws, decimals) + " %";
}

void WriteHoldDistributionJson(JsonWriter& json, const char* key, const Card deal[5],
                               const HoldDistribution& distribution) {
    const HoldDistribution& d = distribution;
    JsonBeginObject(json, key);
    JsonBeginArray(json, "held");
    for (int card = 0; card < 5; ++card)
        if (d.mask & (1 << card)) JsonString(json, nullptr, CardShortName(deal[card]));
    JsonEndArray(json);
    JsonString(json, "cards", HeldText(deal, d.mask));
    JsonInteger(json, "mask", d.mask);
    JsonInteger(json, "coins", d.coins);
    JsonInteger(json, "draws", d.draws);
    JsonNumber(json, "expected_coins", double(d.coinsNumerator) / double(d.coinsDenominator));
    JsonString(json, "expected_coins_text", FractionText(d.coinsNumerator, d.coinsDenominator, 6));
    JsonString(json, "expected_coins_exact",
               std::to_string(d.coinsNumerator) + "/" + std::to_string(d.coinsDenominator));
    JsonBeginArray(json, "hands");
    for (int category : kDistributionOrder) {
        int64_t count = d.counts[category];
        JsonBeginObject(json);
        JsonString(json, "hand", HandCategoryName(category));
        JsonString(json, "name", HandName(category));
        JsonInteger(json, "count", count);
        JsonString(json, "fraction", std::to_string(count) + "/" + std::to_string(d.draws));
        JsonNumber(json, "probability", double(count) / double(d.draws));
        JsonString(json, "percent", PercentText(count, d.draws, 4));
        JsonEndObject(json);
    }
    JsonEndArray(json);
    JsonEndObject(json);
}

void WriteHoldComparisonJson(JsonWriter& json, const char* key,
                             const HoldComparison& comparison) {
    const HoldComparison& c = comparison;
    JsonBeginObject(json, key);
    JsonInteger(json, "draws", c.draws);
    JsonInteger(json, "coins", c.coins);
    JsonNumber(json, "expected_coins", double(c.coinsNumerator) / double(c.draws));
    JsonString(json, "expected_coins_text", SignedFractionText(c.coinsNumerator, c.draws, 6));
    JsonInteger(json, "differing", c.differing);
    JsonBeginArray(json, "hands");
    for (const HandDifference& hand : c.hands) {
        int64_t coins = ContributionOf(c, hand);
        JsonBeginObject(json);
        JsonString(json, "hand", HandCategoryName(hand.category));
        JsonString(json, "name", HandName(hand.category));
        JsonInteger(json, "count", hand.count);
        JsonNumber(json, "share", double(hand.count) / double(c.draws));
        JsonString(json, "share_text", SignedFractionText(100 * hand.count, c.draws, 4) + " %");
        JsonNumber(json, "coins", double(coins) / double(c.draws));
        JsonString(json, "coins_text", SignedFractionText(coins, c.draws, 6));
        JsonEndObject(json);
    }
    JsonEndArray(json);
    JsonEndObject(json);
}
