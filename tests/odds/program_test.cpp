// The command-line program as a player runs it: its output, its messages
// for bad input, and its exit codes.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "engine/payout.h"
#include "odds/analysis.h"
#include "odds/card_text.h"
#include "odds/risk.h"
#include "tests/odds/odds_fixture.h"

namespace {

const std::string kProgram = QUORVEL_ODDS_PROGRAM;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvel-odds-program-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        for (const char* name : {"in", "out", "err", "quorvel.ini", "quorvel-odds"})
            std::remove((dir + "/" + name).c_str());
        rmdir(dir.c_str());
    }
    // Runs the program with `arguments` (shell words) and collects both
    // streams separately.
    ProgramRun RunProgram(const std::string& arguments, const std::string& program = kProgram,
                          const std::string& input = "") {
        std::ofstream(dir + "/in", std::ios::binary) << input;
        std::string command = "'" + program + "' " + arguments + " >'" + dir + "/out' 2>'" +
                              dir + "/err' <'" + dir + "/in'";
        int status = std::system(command.c_str());
        ProgramRun run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadFile(dir + "/out");
        run.err = ReadFile(dir + "/err");
        return run;
    }
    void WriteSettings(const std::string& text) {
        std::ofstream(dir + "/quorvel.ini", std::ios::binary) << text;
    }
    std::string dir;
};

int CountLines(const std::string& text, const std::string& prefix) {
    std::istringstream lines(text);
    std::string line;
    int n = 0;
    while (std::getline(lines, line))
        if (line.compare(0, prefix.size(), prefix) == 0) ++n;
    return n;
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
    for (const char* arguments : {"--deck 54", "--deck", "--deck=joker", "--frobnicate",
                                  "holdem", "--settings"}) {
        ProgramRun run = RunProgram(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(run.err.compare(0, 14, "quorvel-odds: "), 0) << run.err;
        EXPECT_NE(run.err.find("usage: quorvel-odds"), std::string::npos) << arguments;
    }
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
    for (const char* name : {"Royal Flush (natural)", "Five of a Kind", "Royal Flush",
                             "Straight Flush", "Four of a Kind", "Full House", "Flush",
                             "Straight", "Three of a Kind", "Two Pair", "Nothing"})
        EXPECT_EQ(CountLines(run.out, "  " + (name + std::string(24, ' ')).substr(0, 24)), 1)
            << name;
    EXPECT_NE(run.out.find("hit frequency"), std::string::npos);
    EXPECT_NE(run.out.find("total time: "), std::string::npos);
}

// A strict reader of JSON text, as another tool would read it: numbers by
// the JSON grammar only (no NaN, no Infinity), every string quoted.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;
    const Json* operator[](const std::string& key) const {
        for (const auto& member : members)
            if (member.first == key) return &member.second;
        return nullptr;
    }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : text_(text) {}
    bool ReadDocument(Json& value) {
        if (!ReadValue(value)) return false;
        Blanks();
        return at_ == text_.size();
    }

private:
    void Blanks() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }
    bool Take(char c) {
        Blanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool Word(const char* word) {
        size_t n = std::string(word).size();
        if (text_.compare(at_, n, word) != 0) return false;
        at_ += n;
        return true;
    }
    bool ReadString(std::string& out) {
        if (!Take('"')) return false;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (static_cast<unsigned char>(text_[at_]) < 0x20) return false;
            if (text_[at_] == '\\') ++at_;
            out += text_[at_++];
        }
        return Take('"');
    }
    bool ReadNumber(double& out) {
        size_t start = at_;
        if (text_[at_] == '-') ++at_;
        auto digits = [&] {
            size_t from = at_;
            while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
            return at_ > from;
        };
        if (!digits()) return false;
        if (at_ < text_.size() && text_[at_] == '.' && (++at_, !digits())) return false;
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (!digits()) return false;
        }
        out = std::strtod(text_.substr(start, at_ - start).c_str(), nullptr);
        return true;
    }
    bool ReadValue(Json& value) {
        Blanks();
        if (at_ >= text_.size()) return false;
        char c = text_[at_];
        if (c == '{') {
            value.kind = Json::Object;
            ++at_;
            if (Take('}')) return true;
            do {
                std::pair<std::string, Json> member;
                if (!ReadString(member.first) || !Take(':') || !ReadValue(member.second))
                    return false;
                value.members.push_back(member);
            } while (Take(','));
            return Take('}');
        }
        if (c == '[') {
            value.kind = Json::Array;
            ++at_;
            if (Take(']')) return true;
            do {
                value.items.emplace_back();
                if (!ReadValue(value.items.back())) return false;
            } while (Take(','));
            return Take(']');
        }
        if (c == '"') {
            value.kind = Json::String;
            return ReadString(value.text);
        }
        if (Word("null")) return true;
        if (Word("true") || Word("false")) {
            value.kind = Json::Bool;
            return true;
        }
        value.kind = Json::Number;
        return ReadNumber(value.number);
    }
    const std::string& text_;
    size_t at_ = 0;
};

// The number at a path of keys, or NaN when there is none.
double NumberAt(const Json& root, std::initializer_list<const char*> path) {
    const Json* value = &root;
    for (const char* key : path) {
        value = (*value)[key];
        if (value == nullptr) return std::nan("");
    }
    return value->kind == Json::Number ? value->number : std::nan("");
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
        for (const char* name : {"Nothing", "RoyalFlush", "FiveOfAKind", "WildRoyalFlush",
                                 "StraightFlush", "FourOfAKind", "FullHouse", "Flush",
                                 "Straight", "ThreeOfAKind", "TwoPair"}) {
            probability.push_back(NumberAt(deck, {"categories", name}));
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
    for (const char* arguments : {"--credits 0", "--credits x", "--credits", "--seed 3",
                                  "--json train", "--full", "--seed -1 train", "hold --seed 2"}) {
        run = RunProgram(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.err.find("usage: quorvel-odds"), std::string::npos) << arguments;
    }
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
    std::snprintf(score, sizeof score, "Session: 2 hands, 1 mistake, %.2f coins lost per 100 hands (seed 7).\n",
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

    for (const char* arguments : {"--derive", "--derive hold 2C 3C 4C 5C 6C", "strategy 2C"}) {
        run = RunProgram(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.err.find("usage: quorvel-odds"), std::string::npos) << arguments;
    }
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
        for (const char* name : {"Nothing", "RoyalFlush", "FiveOfAKind", "WildRoyalFlush",
                                 "StraightFlush", "FourOfAKind", "FullHouse", "Flush",
                                 "Straight", "ThreeOfAKind", "TwoPair"})
            probability.push_back(NumberAt(deck, {"chart_categories", name}));
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
