// What the trainer tells about holds beyond their value: what a mistake
// costs for the coins played and how bad it is, and why one hold beats
// another, final hand by final hand.  Exact throughout (integers, fractions
// in lowest terms); the doubles are only for display.  Shared by the
// commands and the page's coach, so both grade and explain alike.
#pragma once
#include <cstdint>
#include <string>

#include "odds/deal_advice.h"
#include "odds/json_writer.h"

// A mistake is major when it gives up at least this share, in percent, of
// what the best hold is worth; any smaller loss is minor.  Why 10 %: the
// kept strategy charts, the simplification a good player learns, give up
// less than that on 99.9 % of the deals where they differ from the best
// hold (on 99 % less than 5.5 % with the joker, 4.4 % without), so a loss
// beyond it is a misread hand, not a fine point of play.  A share rather
// than an absolute cost, because hands differ in worth a thousandfold: a
// tenth of a coin is nothing beside a dealt royal flush and most of a
// hand that is worth a third of a coin.
constexpr int kMajorMistakePercent = 10;

enum MistakeGrade { GradeNone, GradeMinor, GradeMajor };

struct MistakePrice {
    int grade = GradeNone;
    // What the hold played returns less than the best hold, in coins for
    // the coins played, in lowest terms; 0/1 for none.
    int64_t costNumerator = 0;
    int64_t costDenominator = 1;
};

// The best hold worth bestPay / bestDraws per coin, the hold played
// playedPay / playedDraws (draws > 0, pays >= 0); coins 1..5.  Equal
// values, compared exactly, are no mistake.  A played hold worth more than
// the "best" is no mistake either (cost 0).
MistakePrice PriceMistake(int64_t bestPay, int64_t bestDraws, int64_t playedPay,
                          int64_t playedDraws, int coins);
// The hold of `mask` against the advice's best hold.
MistakePrice PriceHold(const DealAdvice& advice, int mask, int coins);
// "none", "minor", "major".
const char* MistakeGradeName(int grade);

// The final hands of one hold, in the order the pay table lists them
// (Royal Flush first, Nothing last), each as count / draws of the equally
// likely draws, and the expected coins for the coins played.
constexpr int kDistributionOrder[kHandCategoryCount] = {
    RoyalFlush, FiveOfAKind, WildRoyalFlush, StraightFlush, FourOfAKind, FullHouse,
    Flush,      Straight,    ThreeOfAKind,   TwoPair,       Nothing};

struct HoldDistribution {
    int mask = 0;
    int coins = 1;
    int64_t draws = 1;
    int64_t counts[kHandCategoryCount] = {};    // by HandCategory; sum == draws
    // Expected coins for the coins played: coins * pay / draws.
    int64_t coinsNumerator = 0;
    int64_t coinsDenominator = 1;
};

void HoldDistributionOf(const HoldOutcome& hold, int coins, HoldDistribution& distribution);

// Where two holds of a deal differ (a - b), per final hand, counted over a
// common number of draws (the least common multiple of theirs) so that
// counts of holds keeping different numbers of cards compare: the count
// difference, the same as a share of the draws, and what it adds to the
// difference in expected coins (coins * pays * share; Nothing adds none).
// The contributions sum exactly to the difference of the expected coins.
struct HandDifference {
    int category = Nothing;
    int64_t count = 0;          // over `draws`, signed
};
struct HoldComparison {
    int coins = 1;
    int64_t draws = 1;          // the common number of draws
    HandDifference hands[kHandCategoryCount];   // largest contribution first
    int differing = 0;          // hands[0 .. differing) differ at all
    int64_t coinsNumerator = 0; // difference of the expected coins over `draws`
};

void CompareHolds(const HoldDistribution& a, const HoldDistribution& b, HoldComparison& comparison);
// A hand's contribution to the difference, in coins over comparison.draws.
int64_t ContributionOf(const HoldComparison& comparison, const HandDifference& hand);

// Signed exact decimal text, "+0.012345", "-0.5", "0.000000" for none.
std::string SignedFractionText(int64_t numerator, int64_t denominator, int decimals);

// A count's share of the draws in percent, "0.0252 %", to `decimals` places.
std::string PercentText(int64_t count, int64_t draws, int decimals);

// The readers' forms, shared by `hold --json` and the page's coach: a
// hold's distribution (its cards, the draws, the expected coins, and per
// final hand the count, "count/draws", the probability and its percent),
// and a comparison (per final hand, largest contribution first: the count
// over the common draws, the share and the coins it adds, as numbers and
// signed text).
void WriteHoldDistributionJson(JsonWriter& json, const char* key, const Card deal[5],
                               const HoldDistribution& distribution);
void WriteHoldComparisonJson(JsonWriter& json, const char* key,
                             const HoldComparison& comparison);
