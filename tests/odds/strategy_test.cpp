#include <gtest/gtest.h>

#include <string>

#include "odds/strategy.h"
#include "tests/engine/test_cards.h"
#include "tests/odds/odds_fixture.h"

namespace {

int ChartMask(const StrategyChart& chart, const char* text, int* line = nullptr) {
    std::array<Card, 5> deal = HandOf(text);
    return ChartHold(chart, deal.data(), line);
}

StrategyChart ChartOf(int deckSize, std::vector<ChartLine> lines) {
    StrategyChart chart;
    chart.deckSize = deckSize;
    chart.lines = std::move(lines);
    chart.lines.push_back({LineShape::DrawFive, 0, 0, false, -1});
    return chart;
}

TEST(ChartHold, TheFirstLineThatFitsDecides) {
    const ChartLine pair = {LineShape::Pair, 0, 2, false, -1};
    const ChartLine four = {LineShape::StraightDraw, 0, 4, false, -1};
    int line = -1;
    EXPECT_EQ(ChartMask(ChartOf(52, {pair, four}), "5C 5D 6H 7S 8C", &line), 0b00011);
    EXPECT_EQ(line, 0);
    // Both fives make the four to a straight; all else equal, the lower
    // place in the deal.
    EXPECT_EQ(ChartMask(ChartOf(52, {four, pair}), "5C 5D 6H 7S 8C", &line), 0b11101);
    EXPECT_EQ(line, 0);
    // Nothing fits: the last line, five new cards.
    EXPECT_EQ(ChartMask(ChartOf(52, {pair}), "2C 7D 9H KS 4H", &line), 0);
    EXPECT_EQ(line, 1);
    // A line for the joker never fits a deal without it.
    const ChartLine jokerAlone = {LineShape::JokerAlone, 0, 0, true, -1};
    EXPECT_EQ(ChartMask(ChartOf(53, {jokerAlone}), "2C 7D 9H KS 4H", &line), 0);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(ChartMask(ChartOf(53, {jokerAlone}), "2C 7D JK KS 4H", &line), 0b00100);
    EXPECT_EQ(line, 0);
}

TEST(ChartHold, ShapesOfTheHeldCards) {
    struct Case {
        ChartLine line;
        const char* deal;
        int mask;       // -1: the line does not fit
    };
    const Case cases[] = {
        // Made hands count the joker, whatever it stands for.
        {{LineShape::MadeHand, Straight, 0, false, -1}, "6H 7H 8S 9C JK", 0b11111},
        {{LineShape::MadeHand, Straight, 0, false, -1}, "TC JD QH KS AC", -1},
        {{LineShape::MadeHand, WildRoyalFlush, 0, false, -1}, "JS QS KS AS JK", 0b11111},
        // "Or better": every category that pays more; never five that pay nothing.
        {{LineShape::MadeAtLeast, Flush, 0, false, -1}, "7C 7D 7H 2S JK", 0b11111},
        {{LineShape::MadeAtLeast, Flush, 0, false, -1}, "6H 7H 8S 9C JK", -1},
        {{LineShape::MadeAtLeast, Flush, 0, false, -1}, "TC JD QH KS AC", -1},
        // Rank groups, with and without the joker.
        {{LineShape::ThreeOfAKind, 0, 3, true, -1}, "7C 7D 7H 2S JK", 0b10111},
        {{LineShape::ThreeOfAKind, 0, 3, false, -1}, "7C 7D 7H 2S JK", 0b00111},
        {{LineShape::ThreeOfAKind, 0, 3, false, -1}, "7C 7D 2H 2S JK", -1},
        {{LineShape::Pair, 0, 2, true, -1}, "9C 9D 5H 2S JK", 0b10011},
        {{LineShape::TwoPair, 0, 4, false, -1}, "9C 9D 5H 5S KC", 0b01111},
        // Royal cards: the ace high; 10-J-Q of one suit lie in two straights.
        {{LineShape::RoyalDraw, 0, 3, false, 2}, "TD JD QD 4S 7C", 0b00111},
        {{LineShape::RoyalDraw, 0, 3, false, 1}, "QD KD AD 4S 7C", -1},
        {{LineShape::RoyalDraw, 0, 3, false, -1}, "QD KD AD 4S 7C", 0b00111},
        // Straights with the ace low only: A-2-3 fits A-5 and no other.
        {{LineShape::StraightFlushDraw, 0, 3, false, 2}, "AH 2H 3H 9S 7C", -1},
        {{LineShape::StraightFlushDraw, 0, 3, false, -1}, "AH 2H 3H 9S 7C", 0b00111},
        {{LineShape::StraightDraw, 0, 4, false, 2}, "5C 6D 7H 8S KC", 0b01111},
        {{LineShape::StraightDraw, 0, 4, false, 2}, "JC QD KH AS 3C", -1},
        {{LineShape::FlushDraw, 0, 3, true, -1}, "2S 7S JS 4H JK", 0b10111},
        // One card: "a single 5 to 9" lies in all five of its straights.
        {{LineShape::StraightDraw, 0, 1, false, 5}, "KC 2D 7H JS AC", 0b00100},
        {{LineShape::StraightDraw, 0, 1, false, 5}, "KC 2D 4H JS AC", -1},
    };
    for (const Case& c : cases) {
        int deckSize = std::string(c.deal).find("JK") == std::string::npos ? 52 : 53;
        StrategyChart chart = ChartOf(deckSize, {c.line});
        int line = -1;
        int mask = ChartMask(chart, c.deal, &line);
        if (c.mask < 0) EXPECT_EQ(line, 1) << LineText(c.line) << ": " << c.deal;
        else EXPECT_EQ(mask, c.mask) << LineText(c.line) << ": " << c.deal;
    }
}

// Where a line fits several sets: more ways, then fewer chances thrown
// away, then the higher cards.
TEST(ChartHold, SeveralSetsOfOneLine) {
    // 2-3 lies in two straights, A-2 and A-3 in one.
    const ChartLine two = {LineShape::StraightDraw, 0, 2, false, -1};
    EXPECT_EQ(ChartMask(ChartOf(52, {two}), "AC 2D 3H 8S KC"), 0b00110);
    // One card of five ways: the 8 throws away the 10 and the 6 (three of
    // its straights each); the 6 throws away the 8 (three), the 10 and the
    // 2 (one each) and the ace of its suit (three more).
    const ChartLine one = {LineShape::StraightDraw, 0, 1, false, 5};
    EXPECT_EQ(ChartMask(ChartOf(52, {one}), "TC 8D AH 6H 2S"), 0b00010);
    // The ace and the king lie in one straight each and throw away
    // nothing of theirs: the higher card, the ace.
    const ChartLine royal = {LineShape::RoyalDraw, 0, 1, false, -1};
    EXPECT_EQ(ChartMask(ChartOf(52, {royal}), "KD AC 7H 7S 6H"), 0b00010);
}

TEST(ChartHold, RefusesDealsNotOfTheDeck) {
    StrategyChart chart;
    StoredChart(52, chart);
    int line = 7;
    EXPECT_EQ(ChartMask(chart, "2C 7D 9H KS JK", &line), -1);
    EXPECT_EQ(line, -1);
    EXPECT_EQ(ChartMask(chart, "2C 7D 9H 2C 3S"), -1);
    StoredChart(53, chart);
    EXPECT_GE(ChartMask(chart, "2C 7D 9H KS JK"), 0);
}

TEST(LineText, WordsOfTheLines) {
    EXPECT_EQ(LineText({LineShape::StraightFlushDraw, 0, 3, true, 2}),
              "the joker with three to a straight flush, two or more ways");
    EXPECT_EQ(LineText({LineShape::StraightDraw, 0, 4, false, 2}), "four to a straight, two ways");
    EXPECT_EQ(LineText({LineShape::RoyalDraw, 0, 2, false, 1}), "two to a royal flush, in a straight");
    EXPECT_EQ(LineText({LineShape::StraightDraw, 0, 1, false, 5}), "a single 5 to 9");
    EXPECT_EQ(LineText({LineShape::StraightDraw, 0, 1, true, 3}), "the joker with a single 3 to J");
    EXPECT_EQ(LineText({LineShape::StraightDraw, 0, 1, false, 1}), "a single 2 to A");
    EXPECT_EQ(LineText({LineShape::RoyalDraw, 0, 1, false, -1}), "a single 10 to A");
    EXPECT_EQ(LineText({LineShape::MadeHand, WildRoyalFlush, 0, false, -1}),
              "a royal flush with the joker");
    EXPECT_EQ(LineText({LineShape::Pair, 0, 2, true, -1}), "the joker with a pair");
    EXPECT_EQ(LineText({LineShape::MadeAtLeast, FullHouse, 0, false, -1}),
              "a full house or better");
}

// The charts kept in the program: short enough, and what playing them
// returns, counted over every deal twice: by PlayChart and by asking
// ChartHold for the hold of every deal class.
TEST(StoredChart, ReturnsItsExactFiguresOverEveryDeal) {
    struct Expected {
        int deckSize;
        const char* chartReturn;
        const char* loss;           // per coin against best play
        double lossLimit;           // per coin
    };
    const Expected decks[] = {{53, "0.982448813", "0.000143177", 0.0002},
                              {52, "0.634032994", "0.000058463", 0.0005}};
    const OddsTables& tables = SharedTables();
    for (const Expected& expected : decks) {
        SCOPED_TRACE(expected.deckSize);
        StrategyChart chart;
        StoredChart(expected.deckSize, chart);
        ASSERT_LE(chart.lines.size(), size_t(kChartLineLimit));
        EXPECT_EQ(chart.lines.back().shape, LineShape::DrawFive);

        ChartPlay play;
        PlayChart(tables, chart, kAnalysisThreads, play);
        DeckAnalysis best;
        AnalyseDeck(tables, expected.deckSize, kAnalysisThreads, best);
        EXPECT_EQ(ExpectedReturnText(play.play, 9), expected.chartReturn);
        EXPECT_EQ(ReturnDifferenceText(best, play.play, 9), expected.loss);
        EXPECT_LE(ExpectedReturn(best) - ExpectedReturn(play.play), expected.lossLimit);

        int64_t lineDeals = 0;
        for (int64_t deals : play.lineDeals) lineDeals += deals;
        EXPECT_EQ(lineDeals, play.play.deals);
        EXPECT_EQ(play.play.deals, Binomial(expected.deckSize, 5));

        std::vector<DealClass> classes;
        EnumerateDealClasses(expected.deckSize, classes);
        int64_t payByHeld[6] = {};
        int64_t dealsByHeld[6] = {};
        for (const DealClass& deal : classes) {
            Card cards[5] = {deal.cards[0], deal.cards[1], deal.cards[2], deal.cards[3],
                             deal.cards[4]};
            HoldOutcome outcomes[kHoldCount];
            ASSERT_TRUE(EvaluateHolds(tables, expected.deckSize, cards, outcomes));
            const HoldOutcome& held = outcomes[ChartHold(chart, cards)];
            payByHeld[held.held] += deal.weight * held.pay;
            dealsByHeld[held.held] += deal.weight;
        }
        for (int k = 0; k <= 5; ++k) {
            EXPECT_EQ(payByHeld[k], play.play.payByHeld[k]) << k;
            EXPECT_EQ(dealsByHeld[k], play.play.dealsByHeld[k]) << k;
        }
    }
}

}  // namespace
