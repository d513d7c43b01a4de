// The command-line program as a player runs it: its output, its messages
// for bad input, and its exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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
        for (const char* name : {"out", "err", "quorvel.ini", "quorvel-odds"})
            std::remove((dir + "/" + name).c_str());
        rmdir(dir.c_str());
    }
    // Runs the program with `arguments` (shell words) and collects both
    // streams separately.
    ProgramRun RunProgram(const std::string& arguments, const std::string& program = kProgram) {
        std::string command = "'" + program + "' " + arguments + " >'" + dir + "/out' 2>'" +
                              dir + "/err' </dev/null";
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

}  // namespace
