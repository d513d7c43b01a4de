// The analyser's tables and analyses, built once for all tests of a run,
// a brute force that draws every replacement of a hold and asks the
// engine, and a directory of a test's own for a settings file.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/evaluate.h"
#include "engine/payout.h"
#include "odds/deal_sweep.h"

inline const OddsTables& SharedTables() {
    static const OddsTables* tables = [] {
        OddsTables* built = new OddsTables;
        BuildOddsTables(*built, kAnalysisThreads);
        return built;
    }();
    return *tables;
}

// Best play over every deal of the deck, analysed once for all tests.
inline const DeckAnalysis& Analysed(int deckSize) {
    static DeckAnalysis* decks[2] = {nullptr, nullptr};
    DeckAnalysis*& deck = decks[deckSize - 52];
    if (deck == nullptr) {
        deck = new DeckAnalysis;
        AnalyseDeck(SharedTables(), deckSize, kAnalysisThreads, *deck);
    }
    return *deck;
}

struct DrawCounts {
    int64_t draws = 0;
    int64_t pay = 0;
    std::array<int64_t, kHandCategoryCount> counts{};
};

// Every draw for the cards of `mask` kept from `deal`: the replacements are
// all sets of the missing number of cards among those not dealt.
inline DrawCounts BruteForceHold(const Card deal[5], int mask, int deckSize) {
    std::vector<Card> stock;
    for (Card c = 0; c < deckSize; ++c) {
        bool dealt = false;
        for (int i = 0; i < 5; ++i) dealt = dealt || deal[i] == c;
        if (!dealt) stock.push_back(c);
    }
    Card hand[5];
    int held = 0;
    for (int i = 0; i < 5; ++i)
        if (mask & (1 << i)) hand[held++] = deal[i];
    DrawCounts result;
    const int n = static_cast<int>(stock.size());
    // Indices of the replacement cards, ascending, as an odometer.
    int pick[5];
    const int need = 5 - held;
    for (int i = 0; i < need; ++i) pick[i] = i;
    for (;;) {
        for (int i = 0; i < need; ++i) hand[held + i] = stock[static_cast<size_t>(pick[i])];
        HandCategory category = EvaluateHand(hand);
        ++result.draws;
        ++result.counts[category];
        result.pay += PayoutTable[category].perCoin;
        int i = need - 1;
        while (i >= 0 && pick[i] == n - need + i) --i;
        if (i < 0) break;
        ++pick[i];
        for (int j = i + 1; j < need; ++j) pick[j] = pick[j - 1] + 1;
    }
    return result;
}

// A directory of the test's own under /tmp, removed afterwards with
// whatever the tests of the analyser put there (files, and folders left
// empty).
class SettingsDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvel-odds-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::vector<std::string> names;
        if (DIR* folder = opendir(dir.c_str())) {
            while (const dirent* entry = readdir(folder)) names.push_back(entry->d_name);
            closedir(folder);
        }
        for (const std::string& name : names)
            if (name != "." && name != "..") std::remove((dir + "/" + name).c_str());
        rmdir(dir.c_str());
    }
    void WriteSettings(const std::string& text) {
        std::ofstream(dir + "/quorvel.ini", std::ios::binary) << text;
    }
    std::string dir;
};
