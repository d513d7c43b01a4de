// The coach at the page's table: the odds analyser's count tables, built
// once when the player switches the coach on, and the advice on the deal on
// the table, with its figures as exact decimal text.  Holds are named by
// their place in the advice (0 the best); a mask names the held cards, bit i
// for card place i.  The trainer's figures (a hold's final hands beside the
// best hold's, a mistake's grade, the session's risk of going bust) come as
// JSON the page prints as it is: the core composes them, texts included.
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "engine/deck.h"
#include "engine/round.h"
#include "odds/card_text.h"
#include "odds/count_tables.h"
#include "odds/deal_advice.h"
#include "odds/hold_figures.h"
#include "odds/json_writer.h"
#include "odds/session_risk.h"
#include "odds/text_format.h"
#include "settings/settings.h"

#define QUORVEL_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

// On the heap: some 2.5 MB, only once the coach is on.
OddsTables* gTables = nullptr;
DealAdvice gAdvice;
bool gAdvised = false;
HoldVerdict gVerdict;
int gJudgedMask = 0;
char gText[256];
// The trainer's JSON: some 6 KB for two holds and their difference.
char gJson[16384];

const char* Kept(const std::string& text) {
    std::snprintf(gText, sizeof gText, "%s", text.c_str());
    return gText;
}

const char* KeptJson(const JsonWriter& json) {
    std::snprintf(gJson, sizeof gJson, "%s", json.text.c_str());
    return gJson;
}

int CoinsOf(int coins) { return coins < 1 ? 1 : coins > 5 ? 5 : coins; }

// The session's chances for each deck and number of coins, counted when
// first asked (tens of milliseconds) and kept: the credits move every hand
// and then cost only look-ups.  On the heap, as the tables.
SessionChances* gChances[2][5] = {};

const HoldOutcome* HoldAt(int place) {
    return gAdvised && place >= 0 && place < kHoldCount ? &gAdvice.holds[place] : nullptr;
}

}  // namespace

QUORVEL_EXPORT(quorvel_coach_prepare) void CoachPrepare() {
    if (gTables) return;
    gTables = new OddsTables;
    BuildCountTables(*gTables, 1);
}

// The deal lying on the table, from the deck it was dealt from; 0 when the
// table holds no deal of that deck.
QUORVEL_EXPORT(quorvel_coach_advise) int CoachAdvise(int deckSize) {
    Card deal[kSlotCount];
    for (int i = 0; i < kSlotCount; ++i) deal[i] = gSlots[i].card;
    gAdvised = gTables && AdviseDeal(*gTables, deckSize, deal, gAdvice);
    return gAdvised ? 1 : 0;
}

// Any five cards of a deck (0..51, 52 the joker), as the table's are.
QUORVEL_EXPORT(quorvel_coach_advise_cards) int CoachAdviseCards(int deckSize, int c0, int c1, int c2,
                                                               int c3, int c4) {
    const Card deal[kSlotCount] = {c0, c1, c2, c3, c4};
    gAdvised = gTables && AdviseDeal(*gTables, deckSize, deal, gAdvice);
    return gAdvised ? 1 : 0;
}

// The deck the next deal comes from, and the table's state for the coach.
QUORVEL_EXPORT(quorvel_deck_size) int DeckSize() { return gSettings.WildCards ? 53 : 52; }
QUORVEL_EXPORT(quorvel_held_mask) int HeldMask() {
    int mask = 0;
    for (int i = 0; i < kSlotCount; ++i)
        if (gSlots[i].held) mask |= 1 << i;
    return mask;
}
QUORVEL_EXPORT(quorvel_slot_card) int SlotCard(int slot) {
    return slot >= 0 && slot < kSlotCount ? gSlots[slot].card : kNoCard;
}
QUORVEL_EXPORT(quorvel_round_phase) int RoundPhaseNow() { return gRound.phase; }
QUORVEL_EXPORT(quorvel_round_dealing) int RoundDealing() { return gRound.dealing; }
QUORVEL_EXPORT(quorvel_round_coins) int RoundCoins() { return gRound.coinsIn; }

QUORVEL_EXPORT(quorvel_coach_place_of_mask) int PlaceOfMask(int mask) {
    return gAdvised ? gAdvice.placeOfMask[mask & (kHoldCount - 1)] : -1;
}
QUORVEL_EXPORT(quorvel_coach_mask) int MaskAt(int place) {
    const HoldOutcome* hold = HoldAt(place);
    return hold ? hold->mask : 0;
}

// A hold's expected payout per coin, to `decimals` places.
QUORVEL_EXPORT(quorvel_coach_value) const char* ValueAt(int place, int decimals) {
    const HoldOutcome* hold = HoldAt(place);
    return hold ? Kept(FractionText(hold->pay, hold->draws, decimals)) : "";
}
QUORVEL_EXPORT(quorvel_coach_value_number) double ValueNumberAt(int place) {
    const HoldOutcome* hold = HoldAt(place);
    return hold ? double(hold->pay) / double(hold->draws) : 0.0;
}
// The same as a fraction of the equally likely draws, in lowest terms.
QUORVEL_EXPORT(quorvel_coach_exact) const char* ExactAt(int place) {
    const HoldOutcome* hold = HoldAt(place);
    return hold ? Kept(ReducedFractionText(hold->pay, hold->draws)) : "";
}
// Its chance of a paying hand, in percent to `decimals` places.
QUORVEL_EXPORT(quorvel_coach_paying) const char* PayingAt(int place, int decimals) {
    const HoldOutcome* hold = HoldAt(place);
    return hold ? Kept(FractionText(100 * PayingDraws(*hold), hold->draws, decimals)) : "";
}
// What hold `worse` returns less than hold `better` per coin; "-" when it
// returns more.
QUORVEL_EXPORT(quorvel_coach_cost) const char* CostOf(int better, int worse, int decimals) {
    const HoldOutcome* a = HoldAt(better);
    const HoldOutcome* b = HoldAt(worse);
    if (!a || !b) return "";
    const int64_t pays[2] = {a->pay, -b->pay};
    const int64_t draws[2] = {a->draws, b->draws};
    return Kept(SumText(pays, draws, 2, decimals));
}
// The held cards in short form, "AH KH QH", "nothing (draw five)" for none.
QUORVEL_EXPORT(quorvel_coach_cards) const char* CardsAt(int place) {
    const HoldOutcome* hold = HoldAt(place);
    return hold ? Kept(HeldText(gAdvice.deal, hold->mask)) : "";
}

// The verdict on the hold of `mask` against the advice, kept for the
// accessors below; 0 when there is no advice.
QUORVEL_EXPORT(quorvel_coach_judge) int Judge(int mask) {
    if (!gAdvised) return 0;
    gVerdict = JudgeHold(gAdvice, mask);
    gJudgedMask = mask & (kHoldCount - 1);
    return 1;
}
QUORVEL_EXPORT(quorvel_coach_verdict_place) int VerdictPlace() { return gVerdict.place; }
// 1 for the best hold and for a hold exactly as good.
QUORVEL_EXPORT(quorvel_coach_verdict_best) int VerdictBest() {
    return PlayedAsBest(gVerdict) ? 1 : 0;
}
QUORVEL_EXPORT(quorvel_coach_verdict_chart) int VerdictChart() { return gVerdict.chart ? 1 : 0; }
// What the hold returns less than the best per coin, to `decimals` places,
// and as a number for the session's sum.
QUORVEL_EXPORT(quorvel_coach_verdict_cost) const char* VerdictCost(int decimals) {
    return Kept(FractionText(gVerdict.costNumerator, gVerdict.costDenominator, decimals));
}
QUORVEL_EXPORT(quorvel_coach_verdict_loss) double VerdictLoss() {
    return double(gVerdict.costNumerator) / double(gVerdict.costDenominator);
}

QUORVEL_EXPORT(quorvel_coach_chart_line) int ChartLine() { return gAdvised ? gAdvice.chartLine : 0; }
QUORVEL_EXPORT(quorvel_coach_chart_text) const char* ChartText() {
    return gAdvised ? gAdvice.chartText : "";
}
QUORVEL_EXPORT(quorvel_coach_chart_place) int ChartPlace() { return gAdvised ? gAdvice.chartPlace : -1; }

// The judged hold's mistake, for the coins played (1..5): its grade (0
// none, 1 minor, 2 major; ties are none), the grade's word, and what it
// costs in coins to `decimals` places, "0.000000" for none.
QUORVEL_EXPORT(quorvel_coach_verdict_grade) int VerdictGrade(int coins) {
    return gAdvised ? PriceHold(gAdvice, gJudgedMask, CoinsOf(coins)).grade : GradeNone;
}
QUORVEL_EXPORT(quorvel_coach_grade_name) const char* GradeName(int grade) {
    return MistakeGradeName(grade);
}
QUORVEL_EXPORT(quorvel_coach_verdict_coins) const char* VerdictCoins(int coins, int decimals) {
    if (!gAdvised) return "";
    MistakePrice price = PriceHold(gAdvice, gJudgedMask, CoinsOf(coins));
    return Kept(FractionText(price.costNumerator, price.costDenominator, decimals));
}

// Why the best hold: its final hands and those of the hold of `mask` side
// by side, for the coins played, with where they differ and the grade of
// the hold of `mask`; "" without advice.  JSON:
//   {"coins", "grade", "best_hold": {...}, "held_hold": {...},
//    "difference": {...}}
// each hold with "cards", "draws", "expected_coins_text" and "hands" (Royal
// Flush first, Nothing last: "name", "fraction" "count/draws", "percent"),
// the difference with "expected_coins_text" and "hands" (largest
// contribution first: "name", "share_text", "coins_text"), numbers beside
// every text (odds/hold_figures.h).
QUORVEL_EXPORT(quorvel_coach_why) const char* Why(int mask, int coins) {
    if (!gAdvised) return "";
    coins = CoinsOf(coins);
    HoldDistribution best, held;
    HoldComparison comparison;
    HoldDistributionOf(BestHoldOf(gAdvice), coins, best);
    HoldDistributionOf(HoldOfMask(gAdvice, mask), coins, held);
    CompareHolds(best, held, comparison);
    JsonWriter json;
    JsonBeginObject(json);
    JsonInteger(json, "coins", coins);
    JsonString(json, "grade", MistakeGradeName(PriceHold(gAdvice, mask, coins).grade));
    WriteHoldDistributionJson(json, "best_hold", gAdvice.deal, best);
    WriteHoldDistributionJson(json, "held_hold", gAdvice.deal, held);
    WriteHoldComparisonJson(json, "difference", comparison);
    JsonEndObject(json);
    return KeptJson(json);
}

// The risk of going bust for the session: from `credits` with `coins` a
// game (1..5), the deck of `deckSize`, under optimal play and under the
// chart: the chance within the next 100 and 1,000 hands, the expected
// hands, the least credits for at most 5 % within 1,000 hands.  Needs no
// tables; the first question for a deck and a number of coins counts, the
// next ones with other credits only look up.  JSON as `quorvel-odds risk --json` writes one session:
//   {"deck", "credits", "coins", "target_percent", "target_hands",
//    "plays": [{"play", "name", "bust_within": [{"hands", "text"}, ...],
//               "expected_hands_text", "credits_for_target",
//               "bust_at_target_text"}, ...]}
QUORVEL_EXPORT(quorvel_coach_risk) const char* Risk(int deckSize, int credits, int coins) {
    if (deckSize != 52 && deckSize != 53) return "";
    coins = CoinsOf(coins);
    SessionChances*& chances = gChances[deckSize - 52][coins - 1];
    if (chances == nullptr) {
        chances = new SessionChances;
        PrepareSessionChances(deckSize, coins,
                              std::vector<int>(std::begin(kSessionHands), std::end(kSessionHands)),
                              *chances);
    }
    SessionRisk risk;
    SessionRiskFrom(*chances, credits < 0 ? 0 : credits, risk);
    JsonWriter json;
    JsonBeginObject(json);
    WriteSessionRiskJson(json, risk);
    JsonEndObject(json);
    return KeptJson(json);
}
