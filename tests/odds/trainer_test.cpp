// The trainer: how it reads an answer, and whole sessions of the program.
#include <gtest/gtest.h>

#include "odds/card_text.h"
#include "odds/text_format.h"
#include "odds/trainer.h"
#include "tests/odds/odds_fixture.h"
#include "tests/odds/program_fixture.h"

namespace {

TEST(ParseHoldAnswer, PositionsCardsNoneAllAndQuit) {
    const Card deal[5] = {37, 36, kJoker, 0, 13};   // QH JH JK AC AD
    int mask = -1;
    std::string error;
    EXPECT_EQ(ParseHoldAnswer("134", deal, 53, mask, error), HoldAnswer::Hold);
    EXPECT_EQ(mask, 0b01101);
    EXPECT_EQ(ParseHoldAnswer(" 5, 1 1\r", deal, 53, mask, error), HoldAnswer::Hold);
    EXPECT_EQ(mask, 0b10001);
    EXPECT_EQ(ParseHoldAnswer("ad Joker, Queen of Hearts", deal, 53, mask, error), HoldAnswer::Hold);
    EXPECT_EQ(mask, 0b10101);
    EXPECT_EQ(ParseHoldAnswer("-", deal, 53, mask, error), HoldAnswer::Hold);
    EXPECT_EQ(mask, 0);
    EXPECT_EQ(ParseHoldAnswer("None", deal, 53, mask, error), HoldAnswer::Hold);
    EXPECT_EQ(mask, 0);
    EXPECT_EQ(ParseHoldAnswer("ALL", deal, 53, mask, error), HoldAnswer::Hold);
    EXPECT_EQ(mask, 31);
    EXPECT_EQ(ParseHoldAnswer("Q", deal, 53, mask, error), HoldAnswer::Quit);
    EXPECT_EQ(ParseHoldAnswer("quit", deal, 53, mask, error), HoldAnswer::Quit);

    EXPECT_EQ(ParseHoldAnswer("   ", deal, 53, mask, error), HoldAnswer::Again);
    EXPECT_EQ(ParseHoldAnswer("106", deal, 53, mask, error), HoldAnswer::Again);
    EXPECT_EQ(error, "there is no position 0; the cards are 1 to 5");
    EXPECT_EQ(ParseHoldAnswer("QH 2C", deal, 53, mask, error), HoldAnswer::Again);
    EXPECT_EQ(error, "the Two of Clubs is not in this hand");
    EXPECT_EQ(ParseHoldAnswer("QH qh", deal, 53, mask, error), HoldAnswer::Again);
    EXPECT_EQ(error, "the Queen of Hearts is given twice");
}

// The deal of the game's card generator seeded with `seed`, written out
// here: state * 214013 + 2531011, bits 16..30, modulo the deck, skipping
// cards already out.
std::vector<Card> GeneratorDeals(uint32_t seed, int deckSize, int hands) {
    std::vector<Card> cards;
    uint32_t state = seed;
    for (int hand = 0; hand < hands; ++hand) {
        std::vector<bool> out(size_t(deckSize), false);
        for (int i = 0; i < 5; ++i) {
            Card card;
            do {
                state = state * 214013u + 2531011u;
                card = Card(((state >> 16) & 0x7FFF) % uint32_t(deckSize));
            } while (out[size_t(card)]);
            out[size_t(card)] = true;
            cards.push_back(card);
        }
    }
    return cards;
}

TEST_F(ProgramTest, TrainerDealsAsTheGameAndScoresEveryHold) {
    const std::vector<Card> cards = GeneratorDeals(7, 53, 3);
    // Hand 1: hold the first four by position; hand 2: the best hold by
    // name, after two answers that are asked again; hand 3: quit.
    const Card* first = &cards[0];
    const Card* second = &cards[5];
    int best = BestHold(SharedTables(), 53, second);
    std::string bestNames;
    for (int i = 0; i < 5; ++i)
        if (best & (1 << i)) bestNames += CardLongName(second[i]) + ", ";
    if (bestNames.empty()) bestNames = "none";
    const std::string input = "1 2,34\n9\nXX\n" + bestNames + "\nq\n";
    ProgramRun run = RunProgram("--deck 53 train --seed 7", kProgram, input);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string& out = run.out;
    EXPECT_EQ(out.find('\x1b'), std::string::npos) << "no colour into a file";
    EXPECT_NE(out.find("seed 7"), std::string::npos);
    for (int hand = 0; hand < 3; ++hand) {
        std::string line = "Hand " + std::to_string(hand + 1) + ":";
        for (int i = 0; i < 5; ++i)
            line += " " + CardLongName(cards[size_t(5 * hand + i)]) + (i < 4 ? "," : "\n");
        EXPECT_NE(out.find(line), std::string::npos) << line << out;
    }
    EXPECT_EQ(out.find("Hand 4:"), std::string::npos);

    // The first hold's value and loss, by every draw.
    DrawCounts mine = BruteForceHold(first, 15, 53);
    int64_t bestPay = 0;
    int firstBest = BestHold(SharedTables(), 53, first, &bestPay);
    DrawCounts top = BruteForceHold(first, firstBest, 53);
    std::string held = CardShortName(first[0]) + " " + CardShortName(first[1]) + " " +
                       CardShortName(first[2]) + " " + CardShortName(first[3]);
    EXPECT_NE(out.find("  you held   " + held), std::string::npos) << out;
    EXPECT_NE(out.find(FractionText(mine.pay, mine.draws, 6) + " per coin\n  best hold"),
              std::string::npos) << out;
    const double loss = double(top.pay) / double(top.draws) - double(mine.pay) / double(mine.draws);
    char lossText[64];
    std::snprintf(lossText, sizeof lossText, "a mistake: %.6f coins lost per coin", loss);
    EXPECT_NE(out.find(lossText), std::string::npos) << out;
    char score[96];
    std::snprintf(score, sizeof score, "score: 1 hand, 1 mistake, %.2f coins lost per 100 hands",
                  100 * loss);
    EXPECT_NE(out.find(score), std::string::npos) << out;

    EXPECT_NE(out.find("? there is no position 9"), std::string::npos) << out;
    EXPECT_NE(out.find("? \"XX\" is not a card"), std::string::npos) << out;
    EXPECT_NE(out.find("right: the best hold"), std::string::npos) << out;
    std::snprintf(score, sizeof score, "Session: 2 hands, 1 mistake, %.2f coins lost per 100 hands, 1 held as the chart (seed 7).\n",
                  100 * loss / 2);
    EXPECT_EQ(out.size() - out.rfind("Session: "), std::string(score).size()) << out;
    EXPECT_NE(out.find(score), std::string::npos) << out;

    // The same seed, the same session; the end of input ends it as q does.
    ProgramRun again = RunProgram("--deck 53 train --seed 7", kProgram, input);
    EXPECT_EQ(again.out, out);
    run = RunProgram("--deck 53 train --seed 7", kProgram, "1 2,34\n");
    EXPECT_NE(run.out.find("Hand 2:"), std::string::npos);
    EXPECT_NE(run.out.find("Session: 1 hand, 1 mistake"), std::string::npos) << run.out;
}

// The chart's line beside the best hold: the pair is the best hold; two to a
// straight flush, held as the chart says, is a mistake against the single 8.
TEST_F(ProgramTest, TrainerShowsTheChartsHoldAndCountsHoldsAsTheChart) {
    ProgramRun run = RunProgram("--deck 53 train --seed 14", kProgram, "34\n3 5\nq\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("  best hold  JD JH                        0.738784 per coin\n"
                           "  chart      JD JH                        0.738784 per coin, line 27 "
                           "\"a pair\"\n  right: the best hold\n"),
              std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  best hold  8S                           0.254009 per coin\n"
                           "  chart      10C 6C                       0.253642 per coin, line 37 "
                           "\"two to a straight flush\"\n  a mistake: 0.000366 coins lost"),
              std::string::npos) << run.out;
    // Graded as train grades: a chart's fine point is minor.
    EXPECT_NE(run.out.find("a mistake: 0.000366 coins lost per coin, minor\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Session: 2 hands, 1 mistake, 0.02 coins lost per 100 hands, 2 held as "
                           "the chart (seed 14)."),
              std::string::npos) << run.out;
}

TEST_F(ProgramTest, TrainerColoursOnlyATerminal) {
    // script(1) gives the program a terminal for its output.
    if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1)";
    std::ofstream(dir + "/answers") << "1\nq\n";
    ProgramRun run = RunProgram("-qec \"TERM=xterm '" + kProgram + "' --deck 53 train --seed 7 <'" +
                                    dir + "/answers'\" /dev/null",
                                "script");
    std::remove((dir + "/answers").c_str());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\x1b[31ma mistake: "), std::string::npos) << run.out;
    run = RunProgram("--deck 53 train --seed 7", kProgram, "1\nq\n");
    EXPECT_NE(run.out.find("\n  a mistake: "), std::string::npos) << run.out;
}

TEST_F(ProgramTest, TrainerTakesTheDeckOfTheGamesSettings) {
    WriteSettings("[Settings]\nWildCards=0\n");
    // Drawing five every time: thirty hands of the 52-card deck.
    std::string input;
    for (int i = 0; i < 30; ++i) input += i % 2 ? "none\n" : "-\n";
    ProgramRun run = RunProgram("--settings '" + dir + "/quorvel.ini' --seed 11 train", kProgram,
                                input);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("52-card deck, no joker (WildCards=0 in " + dir + "/quorvel.ini)"),
              std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Joker"), std::string::npos);
    EXPECT_NE(run.out.find("Session: 30 hands, "), std::string::npos);
    const std::vector<Card> cards = GeneratorDeals(11, 52, 30);
    std::string last = "Hand 30:";
    for (int i = 0; i < 5; ++i) last += " " + CardLongName(cards[size_t(145 + i)]) + (i < 4 ? "," : "\n");
    EXPECT_NE(run.out.find(last), std::string::npos) << run.out;
}

}  // namespace
