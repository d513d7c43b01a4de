// The command-line program as a player runs it: its output, its messages
// for bad input, and its exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "odds/card_text.h"
#include "odds/text_format.h"
#include "odds/risk.h"
#include "odds/session_risk.h"
#include "tests/odds/odds_fixture.h"
#include "tests/odds/program_fixture.h"

namespace {

const std::string kOutputs = QUORVEL_ODDS_OUTPUTS;

// One line of outputs/cases.txt: "name | arguments | input".
struct SavedCase {
    std::string name;
    std::string arguments;
    std::string input;
};

std::vector<SavedCase> SavedCases() {
    std::vector<SavedCase> cases;
    std::istringstream lines(ReadFile(kOutputs + "/cases.txt"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        size_t first = line.find('|');
        size_t second = line.find('|', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            ADD_FAILURE() << "not a case: " << line;
            continue;
        }
        SavedCase c = {Trimmed(line.substr(0, first)),
                       Trimmed(line.substr(first + 1, second - first - 1)),
                       ReplacedAll(Trimmed(line.substr(second + 1)), "\\n", "\n")};
        cases.push_back(c);
    }
    return cases;
}

// Every command and option, both decks, joker deals, refused input and the
// trainer: byte for byte what the program printed when the outputs were
// saved, times and folders aside.  QUORVEL_ODDS_SAVE_OUTPUTS=1 saves them
// afresh instead, for a change of output made on purpose.
TEST_F(ProgramTest, EveryCaseGivesItsSavedOutput) {
    for (const char* file : {"wild0.ini", "wild1.ini", "nokey.ini"}) {
        const char* text = file[4] == '0' ? "[Settings]\r\nWildCards=0\r\n"
                           : file[4] == '1' ? "[Settings]\nZoom=1\nWildCards=1\n"
                                            : "[Settings]\nSound=0\n";
        std::ofstream(dir + "/" + file, std::ios::binary) << text;
    }
    ASSERT_EQ(mkdir((dir + "/folder.ini").c_str(), 0755), 0);
    const bool save = std::getenv("QUORVEL_ODDS_SAVE_OUTPUTS") != nullptr;
    const std::vector<SavedCase> cases = SavedCases();
    ASSERT_GT(cases.size(), 50u);
    for (const SavedCase& c : cases) {
        SCOPED_TRACE(c.name + ": quorvel-odds " + c.arguments);
        ProgramRun run = RunProgram(ReplacedAll(c.arguments, "@DIR@", dir), kProgram, c.input);
        const std::string text = SavedRunText(run, dir);
        const std::string path = kOutputs + "/" + c.name + ".txt";
        if (save) {
            std::ofstream(path, std::ios::binary) << text;
            continue;
        }
        const std::string saved = ReadFile(path);
        if (saved == text) continue;
        // The first line that differs, and where.
        size_t at = 0;
        while (at < saved.size() && at < text.size() && saved[at] == text[at]) ++at;
        size_t begin = text.rfind('\n', at == 0 ? 0 : at - 1);
        begin = begin == std::string::npos ? 0 : begin + 1;
        ADD_FAILURE() << path << " differs at byte " << at << ", line "
                      << 1 + std::count(text.begin(), text.begin() + long(begin), '\n')
                      << ":\n  saved: " << saved.substr(begin, saved.find('\n', begin) - begin)
                      << "\n  now:   " << text.substr(begin, text.find('\n', begin) - begin);
    }
    if (save) GTEST_SKIP() << "saved afresh in " << kOutputs;
}

TEST_F(ProgramTest, HoldListsAllThirtyTwoHoldsBestFirst) {
    ProgramRun run = RunProgram("--deck 53 hold 'Queen of Hearts' JH KH AH 10H");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Deal: QH (Queen of Hearts), JH (Jack of Hearts)"), std::string::npos);
    EXPECT_NE(run.out.find("As dealt: Royal Flush (natural).  53-card deck with the joker (--deck 53)."),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("   1. 1000.000000000            1000/1  100.00%  QH JH KH AH 10H\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(" 32. "), std::string::npos);
    EXPECT_EQ(run.out.find(" 33. "), std::string::npos);
    EXPECT_NE(run.out.find("nothing (draw five)"), std::string::npos);
}

// The chart's line for the deal: three to a royal flush is the best hold;
// two to a straight flush costs a little against the single 8.
TEST_F(ProgramTest, HoldNamesTheChartsLineAndWhatItCosts) {
    ProgramRun run = RunProgram("--deck 53 hold AH KH QH 7C 2D");
    EXPECT_NE(run.out.find("\nchart: line 24 \"three to a royal flush\": hold AH KH QH, the best "
                           "hold\n"),
              std::string::npos) << run.out;
    run = RunProgram("--deck 53 hold 4D KH 10C 8S 6C");
    EXPECT_NE(run.out.find("\nchart: line 37 \"two to a straight flush\": hold 10C 6C, costs "
                           "0.000366173 per coin against the best hold\n"),
              std::string::npos) << run.out;
    run = RunProgram("--deck 53 --json hold 4D KH 10C 8S 6C");
    Json root;
    ASSERT_TRUE(JsonReader(run.out).ReadDocument(root)) << run.out;
    const Json* chart = root["chart"];
    ASSERT_TRUE(chart != nullptr) << run.out;
    EXPECT_EQ(NumberAt(*chart, {"line"}), 37);
    EXPECT_EQ((*chart)["text"]->text, "two to a straight flush");
    EXPECT_EQ((*chart)["hold"]->text, "10C 6C");
    EXPECT_DOUBLE_EQ(NumberAt(*chart, {"loss"}), 3295.0 / 12972 - 4387.0 / 17296);
}

TEST_F(ProgramTest, HoldTakesTheDeckOfTheGamesSettings) {
    WriteSettings("[Settings]\r\nWildCards=0\r\n");
    ProgramRun run = RunProgram("--settings '" + dir + "/quorvel.ini' hold KC KD KH KS 3C");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("52-card deck, no joker (WildCards=0 in " + dir + "/quorvel.ini)"),
              std::string::npos)
        << run.out;

    run = RunProgram("--settings '" + dir + "/quorvel.ini' hold JK KD KH KS 3C");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "quorvel-odds: the Joker is not in the 52-card deck; use --deck 53\n"
              "quorvel-odds: the 52-card deck: WildCards=0 in " + dir + "/quorvel.ini\n");
    // Other faults are told alone.
    run = RunProgram("--settings '" + dir + "/quorvel.ini' hold JK KD KH KS 3X");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.find("WildCards"), std::string::npos) << run.err;

    // --deck decides over the file.
    run = RunProgram("--settings '" + dir + "/quorvel.ini' --deck 53 hold JK KD KH KS 3C");
    EXPECT_EQ(run.exitCode, 0) << run.err;

    run = RunProgram("--settings '" + dir + "/none.ini' hold KC KD KH KS 3C");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "quorvel-odds: there is no settings file " + dir + "/none.ini\n");
}

TEST_F(ProgramTest, WithoutAFileNamedTheOneBesideTheProgramDecides) {
    // A copy of the program in a directory of its own, with the game's file.
    std::ifstream from(kProgram, std::ios::binary);
    std::ofstream(dir + "/quorvel-odds", std::ios::binary) << from.rdbuf();
    ASSERT_EQ(chmod((dir + "/quorvel-odds").c_str(), 0755), 0);
    const std::string copy = dir + "/quorvel-odds";

    ProgramRun run = RunProgram("hold JK KD KH KS 3C", copy);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("53-card deck with the joker (no " + dir +
                           "/quorvel.ini, so the game's default)"),
              std::string::npos)
        << run.out;

    WriteSettings("[Settings]\nZoom=1\nSound=0\nWildCards=0\n");
    run = RunProgram("hold JK KD KH KS 3C", copy);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("WildCards=0 in " + dir + "/quorvel.ini"), std::string::npos) << run.err;
}

TEST_F(ProgramTest, BadCardsAreRefusedWithTheirReason) {
    struct Case {
        const char* arguments;
        const char* message;
    };
    const Case cases[] = {
        {"hold 7X 2C 3C 4C 5C",
         "quorvel-odds: \"7X\" is not a card; write cards as \"Queen of Hearts\" or in short "
         "form: QH, 10D or TD, AS, JK for the joker\n"},
        {"hold QH 2C 3C 4C qh", "quorvel-odds: the Queen of Hearts is given twice\n"},
        {"hold 2C 3C 4C 5C", "quorvel-odds: a deal is five cards; 4 given\n"},
        {"hold", "quorvel-odds: a deal is five cards; 0 given\n"},
        {"--deck 52 hold JK 2C 3C 4C 5C",
         "quorvel-odds: the Joker is not in the 52-card deck; use --deck 53\n"},
        {"hold 'Queen of Hats' 2C 3C 4C 5C",
         "quorvel-odds: \"Hats\" is not a suit; the suits are Clubs, Diamonds, Hearts and "
         "Spades\n"},
    };
    for (const Case& c : cases) {
        ProgramRun run = RunProgram(std::string("--deck 53 ") + c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_EQ(run.err, c.message) << c.arguments;
    }
}

TEST_F(ProgramTest, BadOptionsShowTheUsage) {
    ExpectRefusedWithUsage({"--deck 54", "--deck", "--deck=joker", "--frobnicate", "holdem",
                            "--settings"});
    ProgramRun help = RunProgram("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.compare(0, 26, "usage: quorvel-odds [--dec"), 0) << help.out;
    EXPECT_EQ(help.err, "");
}

TEST_F(ProgramTest, AnalysisOfOneDeckPrintsEveryCategoryAndTheTime) {
    ProgramRun run = RunProgram("--deck 52");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("52 cards, no joker: 2598960 deals"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("expected return per coin  0.634091457"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("53 cards"), std::string::npos);
    for (int c = 0; c < kHandCategoryCount; ++c)
        EXPECT_EQ(CountLines(run.out, "  " + Padded(HandName(c), 24)), 1) << HandName(c);
    EXPECT_NE(run.out.find("hit frequency"), std::string::npos);
    EXPECT_NE(run.out.find("total time: "), std::string::npos);
}

TEST_F(ProgramTest, AnalysisAsJsonHasEveryFigureOfEachDeck) {
    ProgramRun run = RunProgram("--json --credits 3");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    Json root;
    ASSERT_TRUE(JsonReader(run.out).ReadDocument(root)) << run.out;
    const Json* decks = root["decks"];
    ASSERT_TRUE(decks != nullptr && decks->items.size() == 2) << run.out;
    for (const Json& deck : decks->items) {
        const int size = int(NumberAt(deck, {"deck"}));
        SCOPED_TRACE(size);
        ASSERT_TRUE(size == 52 || size == 53);
        const double expected = size == 53 ? 0.982592 : 0.634091;
        EXPECT_NEAR(NumberAt(deck, {"return"}), expected, 5e-7);
        EXPECT_NEAR(NumberAt(deck, {"hit_frequency"}) + NumberAt(deck, {"categories", "Nothing"}),
                    1.0, 1e-12);
        ASSERT_TRUE(deck["categories"] != nullptr);
        double sum = 0;
        std::vector<double> probability;
        for (int c = 0; c < kHandCategoryCount; ++c) {
            probability.push_back(NumberAt(deck, {"categories", HandCategoryName(c)}));
            sum += probability.back();
        }
        EXPECT_NEAR(sum, 1.0, 1e-12);
        EXPECT_NEAR(NumberAt(deck, {"variance"}), CategoryVariance(probability.data()), 1e-9);
        EXPECT_EQ(NumberAt(deck, {"credits"}), 3);
        // By coins, then by games; each a probability.
        const Json* risk = deck["risk_of_ruin"];
        ASSERT_TRUE(risk != nullptr && risk->items.size() == 6);
        for (const Json& entry : risk->items) {
            double p = NumberAt(entry, {"bust_probability"});
            EXPECT_GT(p, 0.0);
            EXPECT_LE(p, 1.0);
        }
        EXPECT_EQ(NumberAt(risk->items[3], {"coins"}), 5);
        EXPECT_EQ(NumberAt(risk->items[3], {"games"}), 100);
        const double shortfall = 1 - NumberAt(deck, {"return"});
        // One coin a game falls one credit at a time: exactly 3 / shortfall.
        EXPECT_NEAR(NumberAt(deck, {"expected_games_to_bust", "1"}), 3 / shortfall, 1e-6);
        EXPECT_GT(NumberAt(deck, {"expected_games_to_bust", "5"}), 0);
    }
    // The analysis of one deck gives that deck alone; --credits must be a count.
    run = RunProgram("--deck 53 --json");
    Json one;
    ASSERT_TRUE(JsonReader(run.out).ReadDocument(one));
    ASSERT_EQ(one["decks"]->items.size(), 1u);
    EXPECT_EQ(NumberAt(one["decks"]->items[0], {"deck"}), 53);
    EXPECT_EQ(NumberAt(one["decks"]->items[0], {"credits"}), 40);
    ExpectRefusedWithUsage({"--credits 0", "--credits x", "--credits", "--seed 3", "--json train",
                            "--full", "--seed -1 train", "hold --seed 2"});
}

TEST_F(ProgramTest, HoldAsJsonListsTheHoldsBestFirstWithTheDeck) {
    ProgramRun run = RunProgram("--deck 53 hold --json QH JH KH AH 10H");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Json root;
    ASSERT_TRUE(JsonReader(run.out).ReadDocument(root)) << run.out;
    ASSERT_TRUE(root["holds"] != nullptr && root["deal"] != nullptr);
    EXPECT_EQ(root["deal"]->items.size(), 5u);
    EXPECT_EQ(root["deal"]->items[4].text, "10H");
    EXPECT_EQ(root["dealt"]->text, "RoyalFlush");
    EXPECT_EQ(root["deck_source"]->text, "--deck 53");
    const std::vector<Json>& holds = root["holds"]->items;
    ASSERT_EQ(holds.size(), 32u);
    EXPECT_EQ(NumberAt(holds[0], {"return"}), 1000);
    EXPECT_EQ(holds[0]["held"]->items.size(), 5u);
    for (size_t i = 1; i < holds.size(); ++i)
        EXPECT_LE(NumberAt(holds[i], {"return"}), NumberAt(holds[i - 1], {"return"}));
    // Drawing five: every draw of five from the 48 cards left, counted.
    const Json& last = holds[31];
    const Card deal[5] = {37, 36, 38, 26, 35};
    DrawCounts none = BruteForceHold(deal, 0, 53);
    for (const Json& hold : holds) {
        if (!hold["held"]->items.empty()) continue;
        EXPECT_EQ(NumberAt(hold, {"draws"}), double(none.draws));
        EXPECT_EQ(NumberAt(hold, {"pay"}), double(none.pay));
        EXPECT_DOUBLE_EQ(NumberAt(hold, {"return"}), double(none.pay) / double(none.draws));
    }
    EXPECT_TRUE(last["hit_probability"] != nullptr);
    ASSERT_TRUE(root["decks"] != nullptr && root["decks"]->items.size() == 1u);
    EXPECT_EQ(NumberAt(root["decks"]->items[0], {"deck"}), 53);
}

}  // namespace

TEST_F(ProgramTest, StrategyPrintsTheChartWithItsReturnAndLoss) {
    ProgramRun run = RunProgram("--deck 52 strategy");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("52 cards, no joker: 25 lines\n   1. a straight flush or better\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("  25. nothing: draw five new cards\n"), std::string::npos);
    EXPECT_NE(run.out.find("  return of the chart  0.634032994  (63.4032994 %)\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("  loss                 0.000058463  (0.0058463 percentage points)\n"),
              std::string::npos);
    EXPECT_EQ(run.out.find("53 cards"), std::string::npos);

    // --full: each line's share of the deals, its return and its loss.
    run = RunProgram("--full --deck 53 strategy");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(CountLines(run.out, "   1. a straight flush or better "), 1) << run.out;
    EXPECT_NE(run.out.find("per coin   loss pp\n"), std::string::npos);
    EXPECT_NE(run.out.find("  40. nothing: draw five new cards "), std::string::npos);

    ExpectRefusedWithUsage({"--derive", "--derive hold 2C 3C 4C 5C 6C", "strategy 2C"});
}

TEST_F(ProgramTest, StrategyAsJsonHasTheChartsWithBestPlaysFigures) {
    ProgramRun run = RunProgram("strategy --json");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Json root;
    ASSERT_TRUE(JsonReader(run.out).ReadDocument(root)) << run.out;
    const Json* decks = root["decks"];
    ASSERT_TRUE(decks != nullptr && decks->items.size() == 2) << run.out;
    for (const Json& deck : decks->items) {
        const int size = int(NumberAt(deck, {"deck"}));
        SCOPED_TRACE(size);
        EXPECT_NEAR(NumberAt(deck, {"return"}), size == 53 ? 0.982592 : 0.634091, 5e-7);
        EXPECT_NEAR(NumberAt(deck, {"chart_return"}), size == 53 ? 0.982448813 : 0.634032994,
                    5e-10);
        EXPECT_NEAR(NumberAt(deck, {"chart_loss"}), size == 53 ? 0.000143177 : 0.000058463, 5e-10);
        ASSERT_TRUE(deck["risk_of_ruin"] != nullptr && deck["expected_games_to_bust"] != nullptr);
        std::vector<double> probability;
        for (int c = 0; c < kHandCategoryCount; ++c)
            probability.push_back(NumberAt(deck, {"chart_categories", HandCategoryName(c)}));
        EXPECT_NEAR(NumberAt(deck, {"chart_variance"}), CategoryVariance(probability.data()), 1e-9);
        EXPECT_NEAR(NumberAt(deck, {"chart_standard_deviation"}),
                    std::sqrt(NumberAt(deck, {"chart_variance"})), 1e-9);
        const Json* lines = deck["lines"];
        ASSERT_TRUE(lines != nullptr);
        EXPECT_EQ(lines->items.size(), size == 53 ? 40u : 25u);
        double share = 0, value = 0, loss = 0;
        for (const Json& line : lines->items) {
            share += NumberAt(line, {"share"});
            value += NumberAt(line, {"share"}) * NumberAt(line, {"return"});
            loss += NumberAt(line, {"loss"});
        }
        EXPECT_NEAR(share, 1.0, 1e-12);
        EXPECT_NEAR(value, NumberAt(deck, {"chart_return"}), 1e-9);
        EXPECT_NEAR(loss, NumberAt(deck, {"chart_loss"}), 1e-9);
        EXPECT_EQ(lines->items[0]["hold"]->text, "a straight flush or better");
    }
}

// A hold given beside the best: both distributions (every count as every
// draw counted, summing to the draws), where they differ, and the grade,
// for the coins played; the options refused with the reason.
TEST_F(ProgramTest, HoldGivenBesideTheBestAsJson) {
    ProgramRun run = RunProgram("--deck 53 --json --held 3,5 --coins 2 hold 4D KH 10C 8S 6C");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Json root;
    ASSERT_TRUE(JsonReader(run.out).ReadDocument(root)) << run.out;
    const Json* best = root["best_hold"];
    const Json* held = root["held_hold"];
    const Json* difference = root["difference"];
    ASSERT_TRUE(best && held && difference && root["held_grade"]) << run.out;
    EXPECT_EQ(root["held_grade"]->text, "minor");
    EXPECT_EQ((*held)["cards"]->text, "10C 6C");
    const Card deal[5] = {16, 38, 9, 46, 5};    // 4D KH 10C 8S 6C
    for (const Json* hold : {best, held}) {
        DrawCounts expected = BruteForceHold(deal, int(NumberAt(*hold, {"mask"})), 53);
        EXPECT_EQ(NumberAt(*hold, {"draws"}), double(expected.draws));
        EXPECT_EQ(NumberAt(*hold, {"coins"}), 2);
        EXPECT_DOUBLE_EQ(NumberAt(*hold, {"expected_coins"}),
                         2.0 * double(expected.pay) / double(expected.draws));
        const std::vector<Json>& hands = (*hold)["hands"]->items;
        ASSERT_EQ(hands.size(), size_t(kHandCategoryCount));
        EXPECT_EQ(hands.front()["hand"]->text, "RoyalFlush");
        EXPECT_EQ(hands.back()["hand"]->text, "Nothing");
        double sum = 0;
        for (const Json& hand : hands) {
            int c = 0;
            while (c < kHandCategoryCount && hand["hand"]->text != HandCategoryName(c)) ++c;
            ASSERT_LT(c, kHandCategoryCount);
            EXPECT_EQ(NumberAt(hand, {"count"}), double(expected.counts[size_t(c)]));
            EXPECT_EQ(hand["fraction"]->text, std::to_string(expected.counts[size_t(c)]) + "/" +
                                                  std::to_string(expected.draws));
            sum += NumberAt(hand, {"count"});
        }
        EXPECT_EQ(sum, double(expected.draws));
    }
    EXPECT_EQ((*difference)["hands"]->items.front()["hand"]->text, "Flush");
    EXPECT_NEAR(NumberAt(*difference, {"expected_coins"}), 2 * 0.000366173, 1e-9);
    EXPECT_EQ((*difference)["expected_coins_text"]->text, "+0.000732");

    run = RunProgram("--deck 53 --held q hold 4D KH 10C 8S 6C");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--held: "), std::string::npos) << run.err;
    ExpectRefusedWithUsage({"--held 1 risk", "--coins 0 hold 4D KH 10C 8S 6C", "--coins 6 risk",
                            "--coins 1", "--hands 100 hold 4D KH 10C 8S 6C", "--hands 0 risk",
                            "--hands 100,,1000 risk", "--hands 10001 risk", "--hands",
                            "--seed 1 risk", "--coins 1 train"});
}

// The session's risk as JSON: each play's chances within the hands asked
// as BustWithin counts them on the kept plays, and the least credits for
// the target.
TEST_F(ProgramTest, RiskAsJsonForTheCreditsCoinsAndHandsGiven) {
    ProgramRun run = RunProgram("--deck 53 --json --credits 100 --coins 5 --hands 10,100 risk");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    Json root;
    ASSERT_TRUE(JsonReader(run.out).ReadDocument(root)) << run.out;
    ASSERT_TRUE(root["sessions"] != nullptr && root["sessions"]->items.size() == 1u) << run.out;
    const Json& session = root["sessions"]->items[0];
    EXPECT_EQ(NumberAt(session, {"deck"}), 53);
    EXPECT_EQ(NumberAt(session, {"credits"}), 100);
    EXPECT_EQ(NumberAt(session, {"coins"}), 5);
    const std::vector<Json>& plays = session["plays"]->items;
    ASSERT_EQ(plays.size(), 2u);
    EXPECT_EQ(plays[0]["play"]->text, "optimal");
    EXPECT_EQ(plays[1]["play"]->text, "chart");
    for (int play = 0; play < 2; ++play) {
        std::vector<double> bust = BustWithin(KeptPlayOutcomes(53, play), 100, 5, {10, 100});
        const std::vector<Json>& within = plays[size_t(play)]["bust_within"]->items;
        ASSERT_EQ(within.size(), 2u);
        EXPECT_EQ(NumberAt(within[1], {"hands"}), 100);
        EXPECT_NEAR(NumberAt(within[0], {"probability"}), bust[0], 1e-12);
        EXPECT_NEAR(NumberAt(within[1], {"probability"}), bust[1], 1e-12);
        EXPECT_GT(NumberAt(plays[size_t(play)], {"credits_for_target"}), 100);
        EXPECT_LE(NumberAt(plays[size_t(play)], {"bust_at_target"}), 0.05);
    }
    // Both coins unless given, the deck of the game's settings.
    WriteSettings("[Settings]\nWildCards=0\n");
    run = RunProgram("--settings " + dir + "/quorvel.ini --json risk");
    Json fromSettings;
    ASSERT_TRUE(JsonReader(run.out).ReadDocument(fromSettings)) << run.out;
    ASSERT_EQ(fromSettings["sessions"]->items.size(), 2u);
    EXPECT_EQ(NumberAt(fromSettings["sessions"]->items[1], {"coins"}), 5);
    EXPECT_EQ(NumberAt(fromSettings["sessions"]->items[1], {"deck"}), 52);
}
