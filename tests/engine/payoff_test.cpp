#include <algorithm>

#include "engine/payout.h"
#include "tests/engine/game_fixture.h"

namespace {

using PayoffTest = GameTest;

TEST_F(PayoffTest, PaysMultiplierTimesCoinsForOneToFive) {
    const int32_t perCoin[kHandCategoryCount] = {0, 1000, 100, 50, 50, 20, 8, 7, 5, 2, 1};
    for (int c = 1; c < kHandCategoryCount; ++c) {
        for (int coins = 1; coins <= 5; ++coins) {
            ClearGameStats();
            gRound.category = static_cast<HandCategory>(c);
            gRound.coinsIn = coins;
            host.Clear();
            host.flashCount = 0;
            PayHand();
            const int32_t payoff = perCoin[c] * coins;
            EXPECT_EQ(gStats.credits, payoff) << c << " x " << coins;
            EXPECT_EQ(gStats.coinsWon, payoff);
            EXPECT_EQ(gStats.handsWon[c], 1);
            Calls expected = {"Meters",
                              std::string("Text ") + PayoutTable[c].name + "   Payoff = " +
                                  std::to_string(payoff) + " coins",
                              "Sound Payout"};
            if (c <= WildRoyalFlush) expected.push_back("Jackpot");
            expected.push_back("StartFlash");
            EXPECT_EQ(host.calls, expected);
        }
    }
}

TEST_F(PayoffTest, NothingOnlyAsksForCoins) {
    gRound.category = Nothing;
    gRound.coinsIn = 5;
    gStats.credits = 12;
    PayHand();
    EXPECT_EQ(host.calls, (Calls{"Message 1012"}));
    EXPECT_EQ(gStats.credits, 12);
    EXPECT_EQ(gStats.coinsWon, 0);
    EXPECT_EQ(gStats.handsWon[Nothing], 0);
}

TEST_F(PayoffTest, FiveCoinsOnAFullHouse) {
    PlayRound(5, {}, "3C 3D 3H JS JC");
    EXPECT_EQ(gStats.credits, 35 + 40);
    EXPECT_EQ(gStats.coinsWon, 40);
    EXPECT_EQ(gStats.handsWon[FullHouse], 1);
    EXPECT_EQ(host.CallsFromLast("KillTimer").at(2), "Text Full House   Payoff = 40 coins");
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "Jackpot"), 0);
    EXPECT_EQ(host.flashCount, 6);
}

TEST_F(PayoffTest, WildRoyalShowsTheJackpotAndStraightFlushDoesNot) {
    PlayRound(3, {}, "JK TH JH QH KH");
    Calls paid = host.CallsFromLast("KillTimer");
    EXPECT_EQ(paid.at(2), "Text Royal Flush   Payoff = 150 coins");
    EXPECT_EQ(paid.at(4), "Jackpot");
    host.RunTimer();
    host.Clear();
    PlayRound(3, {}, "JK 5S 6S 8S 9S");
    paid = host.CallsFromLast("KillTimer");
    EXPECT_EQ(paid.at(2), "Text Straight Flush   Payoff = 150 coins");
    EXPECT_EQ(paid.at(4), "StartFlash");
    EXPECT_EQ(gStats.handsWon[WildRoyalFlush], 1);
    EXPECT_EQ(gStats.handsWon[StraightFlush], 1);
}

TEST_F(PayoffTest, BustedOnlyWhenTheLastCreditIsLost) {
    gStats.credits = 1;
    PlayRound(1, {}, "9C 9D 5H 5S KC");
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "Busted"), 0) << "won back a coin";
    EXPECT_EQ(gStats.credits, 1);
    host.RunTimer();
    int bustedSeenAs = -1;
    host.observer = [&](const std::string& call) {
        if (call == "Busted") bustedSeenAs = gStats.timesBusted;
    };
    PlayRound(1, {}, "JK 2C 7D 9H KS");
    EXPECT_EQ(bustedSeenAs, 0) << "counted once the box is closed";
    EXPECT_EQ(gStats.timesBusted, 1);
    EXPECT_EQ(gStats.credits, 0);
}

TEST_F(PayoffTest, BankAddsEightyAndReopensTheCoinButtons) {
    InsertCoins(5);
    gStats.credits = 35;
    host.Clear();
    HitTheBank();
    EXPECT_EQ(host.calls, (Calls{"Bank", "Meters"})) << "sound off, five coins in";
    EXPECT_EQ(gStats.credits, 115);
    EXPECT_EQ(gStats.bankTotal, 120);
    EXPECT_EQ(gStats.credits - gStats.bankTotal, 35 - 40) << "net winnings unchanged";

    DealOrDraw();
    gSettings.Sound = 1;
    host.Clear();
    HitTheBank();
    EXPECT_EQ(host.calls, (Calls{"Bank", "SyncSound Bank", "Meters"})) << "during a deal";
    TurnUp();
    RigDraw("2C 7D 9H JS KC");
    DealOrDraw();
    TurnUp();
    host.Clear();
    HitTheBank();
    EXPECT_EQ(host.calls, (Calls{"Bank", "SyncSound Bank", "Meters", "Enable Coin 1", "Enable Max 1"}));
    EXPECT_EQ(gStats.bankTotal, 280);
}

// The meters are 32-bit: near the largest value the bank stops paying, a win
// is paid up to it and no coin is taken past it, so nothing wraps negative
// and the machine still neither makes nor loses money.
TEST_F(PayoffTest, MetersStopAtTheLargest32BitValue) {
    const int32_t most = INT32_MAX;
    gStats = GameStats{most - 79, most - 79, 0, 0, 0, 0, {}};
    host.Clear();
    HitTheBank();
    EXPECT_TRUE(host.calls.empty()) << "no box for a bank that cannot pay";
    EXPECT_EQ(gStats.credits, most - 79);

    gStats = GameStats{40, most - 100, 40, most - 100, 1, 0, {}};
    gRound.category = RoyalFlush;
    gRound.coinsIn = 5;
    host.Clear();
    PayHand();
    EXPECT_EQ(host.calls.at(1), "Text Royal Flush (natural)   Payoff = 100 coins");
    EXPECT_EQ(gStats.credits, most);
    EXPECT_EQ(gStats.credits, gStats.bankTotal - gStats.coinsPlayed + gStats.coinsWon);

    gRound.coinsIn = 0;
    gStats = GameStats{most, 10, most, 10, 1, 0, {}};
    InsertCoin();
    BetMaxCoins();
    EXPECT_EQ(gRound.coinsIn, 0);
    EXPECT_EQ(gStats.credits, 10);
    EXPECT_EQ(gStats.coinsPlayed, most);
}

}  // namespace
