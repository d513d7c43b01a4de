#include <algorithm>

#include "engine/card_name.h"
#include "presentation/table_look.h"
#include "presentation/table_speech.h"

#include "tests/engine/game_fixture.h"

namespace {

const Calls kFirstDealStart = {
    "StopFlash", "Sound Deal", "Message 1916", "Menus", "Timer 320",
    "Enable Hold0 0", "Enable Hold1 0", "Enable Hold2 0", "Enable Hold3 0", "Enable Hold4 0",
    "Enable Deal 0", "Enable Coin 0", "Enable Max 0", "DrawAll"};

const Calls kRoundClosed = {
    "Caption Deal Deal",
    "Caption Hold0 \"\"", "Enable Hold0 0", "Caption Hold1 \"\"", "Enable Hold1 0",
    "Caption Hold2 \"\"", "Enable Hold2 0", "Caption Hold3 \"\"", "Enable Hold3 0",
    "Caption Hold4 \"\"", "Enable Hold4 0"};

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

int Count(const Calls& calls, const std::string& call) {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

TEST_F(GameTest, NewGameSetsUpTheMachine) {
    gStats = GameStats{7, 3, 9, 11, 4, 2, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}};
    gNewReceived = 0;
    NewGame();
    EXPECT_EQ(host.calls, (Calls{"Enable Coin 1", "Enable Max 1", "Message 1012", "Meters", "DrawAll",
                                 "Enable Hold0 0", "Enable Hold1 0", "Enable Hold2 0", "Enable Hold3 0",
                                 "Enable Hold4 0"}));
    EXPECT_EQ(gNewReceived, 1);
    EXPECT_EQ(gStats.credits, 40);
    EXPECT_EQ(gStats.bankTotal, 40);
    EXPECT_EQ(gStats.coinsPlayed, 0);
    EXPECT_EQ(gStats.coinsWon, 0);
    EXPECT_EQ(gStats.gamesPlayed, 0);
    EXPECT_EQ(gStats.timesBusted, 0);
    for (int c = 0; c < kHandCategoryCount; ++c) EXPECT_EQ(gStats.handsWon[c], 0) << c;
    EXPECT_EQ(gRound.phase, Betting);
    for (const TableSlot& slot : gSlots) EXPECT_EQ(slot.card, kNoCard);
}

TEST_F(GameTest, TypicalGameFromCoinsToPayout) {
    InsertCoins(3);
    EXPECT_EQ(gStats.credits, 37);
    EXPECT_EQ(gRound.coinsIn, 3);
    DealOrDraw();
    EXPECT_EQ(TurnUp(), 5);
    HoldCommand(3);
    HoldCommand(4);
    RigDraw("KH 5C 5D KC KD");
    DealOrDraw();
    EXPECT_EQ(host.RunTimer(), 4 + 6) << "three cards, one empty tick, then the flash";

    const Calls coin = {"StopFlash", "Message 1915", "Enable Deal 1", "Sound CoinDrop", "Meters"};
    const Calls expected = Join({
        coin, coin, coin,
        kFirstDealStart,
        {"DrawCard 0", "Sound CardDrop", "DrawCard 1", "Sound CardDrop", "DrawCard 2", "Sound CardDrop",
         "DrawCard 3", "Sound CardDrop", "DrawCard 4", "Sound CardDrop",
         "Caption Deal Hit", "KillTimer",
         "Enable Hold0 1", "Enable Hold1 1", "Enable Hold2 1", "Enable Hold3 1", "Enable Hold4 1",
         "Enable Deal 1", "Message 1013",
         "Sound HoldCard", "Caption Hold3 HOLD", "Caption Deal Hit",
         "Sound HoldCard", "Caption Hold4 HOLD", "Caption Deal Hit",
         "StopFlash", "Sound Deal", "Message 1916", "Menus", "Timer 320",
         "Enable Hold0 0", "Enable Hold1 0", "Enable Hold2 0", "Enable Hold3 0", "Enable Hold4 0",
         "Enable Deal 0", "Enable Coin 0", "Enable Max 0",
         "DrawCard 0", "DrawCard 1", "DrawCard 2",
         "DrawCard 0", "Sound CardDrop", "DrawCard 1", "Sound CardDrop", "DrawCard 2", "Sound CardDrop",
         "Caption Deal Hit", "KillTimer",
         "Meters", "Text Full House   Payoff = 24 coins", "Sound Payout", "StartFlash",
         "Meters", "Menus"},
        kRoundClosed,
        {"Enable Coin 1", "Enable Max 1",
         "FlashLine", "FlashLine", "FlashLine", "FlashLine", "FlashLine", "FlashLine"}});
    EXPECT_EQ(host.calls, expected);

    EXPECT_EQ(gRound.phase, Betting);
    EXPECT_EQ(gRound.dealing, 0);
    EXPECT_EQ(gRound.coinsIn, 0);
    EXPECT_EQ(gRound.category, FullHouse);
    EXPECT_EQ(gStats.credits, 37 + 24);
    EXPECT_EQ(gStats.coinsPlayed, 3);
    EXPECT_EQ(gStats.coinsWon, 24);
    EXPECT_EQ(gStats.gamesPlayed, 1);
    EXPECT_EQ(gStats.handsWon[FullHouse], 1);
    EXPECT_EQ(gSlots[3].held, 1) << "holds stay until the next game clears the table";
    EXPECT_EQ(host.flashCount, 0);
}

// A screen reader hears each deal and each draw once, when the cards have
// stopped turning, in the status line's card names, and each place and
// hold button as it stands.
TEST_F(GameTest, TheTableIsSpokenAsItIsSeen) {
    char news[256], said[64], credits[48];
    ResetTableNews();
    InsertCoins(1);
    DealOrDraw();
    TableTimerTick();
    TakeTableNews(news, sizeof news);
    EXPECT_STREQ(news, "") << "nothing while the cards turn";
    SpokenCardPlace(4, said, sizeof said);
    EXPECT_STREQ(said, "Face down");
    SpokenHoldButton(4, said, sizeof said);
    EXPECT_STREQ(said, "Hold card 5");
    TurnUp();
    TakeTableNews(news, sizeof news);
    std::string dealt = "Dealt: ";
    for (int i = 0; i < kSlotCount; ++i) dealt += std::string(i ? ", " : "") + CardName(gSlots[i].card);
    EXPECT_EQ(news, dealt + ".");
    TakeTableNews(news, sizeof news);
    EXPECT_STREQ(news, "") << "told once";

    HoldCommand(2);
    SpokenCardPlace(2, said, sizeof said);
    EXPECT_EQ(std::string(said), std::string(CardName(gSlots[2].card)) + ", held");
    SpokenHoldButton(2, said, sizeof said);
    EXPECT_EQ(std::string(said), std::string("Hold ") + CardName(gSlots[2].card));
    EXPECT_TRUE(HoldPressed(2));
    SpokenHeldCards(0x12, said, sizeof said);
    std::string second = CardName(gSlots[1].card);    // one static buffer: one name at a time
    std::string fifth = CardName(gSlots[4].card);
    EXPECT_EQ(std::string(said), second + ", " + fifth);
    SpokenHeldCards(0, said, sizeof said);
    EXPECT_STREQ(said, "no card");
    EXPECT_FALSE(HoldPressed(1));

    DealOrDraw();
    TakeTableNews(news, sizeof news);
    TurnUp();
    TakeTableNews(news, sizeof news);
    FormatCreditsReadout(credits, sizeof credits);
    EXPECT_EQ(std::string(news).rfind("Drawn: ", 0), 0u) << news;
    EXPECT_NE(std::string(news).find(std::string(". ") + credits), std::string::npos) << news;
}

// The other road through a game: Bet Max over the last hand with the sound
// on, the posted Deal, standing on a wild royal, the jackpot screen, and a
// New Game that waits for the flash.
TEST_F(GameTest, BetMaxStandOnAWildRoyalToTheNextNewGame) {
    PlayRound(1, {}, "2C 7D 9H JS KC");
    host.RunTimer();
    gSettings.Sound = 1;
    host.Clear();
    BetMaxCoins();
    host.DispatchPosted();
    TurnUp();
    for (int slot = 0; slot < kSlotCount; ++slot) HoldCommand(slot);
    RigDraw("JK TH JH QH KH");
    DealOrDraw();
    EXPECT_EQ(TurnUp(), 1);
    NewGame();
    EXPECT_EQ(host.RunTimer(), 6);
    NewGame();

    const Calls coin = {"Meters", "SyncSound CoinDrop"};
    Calls holds;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        holds.insert(holds.end(), {"Sound HoldCard", "Caption Hold" + std::to_string(slot) + " HOLD",
                                   slot == 4 ? "Caption Deal Stand" : "Caption Deal Hit"});
    }
    const Calls expected = Join({
        {"StopFlash", "DrawAll"}, coin, coin, coin, coin, coin,
        {"Message 1914", "Enable Coin 0", "Enable Max 0", "Enable Deal 1", "PostDeal"},
        kFirstDealStart,
        {"DrawCard 0", "Sound CardDrop", "DrawCard 1", "Sound CardDrop", "DrawCard 2", "Sound CardDrop",
         "DrawCard 3", "Sound CardDrop", "DrawCard 4", "Sound CardDrop",
         "Caption Deal Hit", "KillTimer",
         "Enable Hold0 1", "Enable Hold1 1", "Enable Hold2 1", "Enable Hold3 1", "Enable Hold4 1",
         "Enable Deal 1", "Message 1013"},
        holds,
        {"StopFlash", "Sound Deal", "Message 1916", "Menus", "Timer 320",
         "Enable Hold0 0", "Enable Hold1 0", "Enable Hold2 0", "Enable Hold3 0", "Enable Hold4 0",
         "Enable Deal 0", "Enable Coin 0", "Enable Max 0",
         "Caption Deal Hit", "KillTimer",
         "Meters", "Text Royal Flush   Payoff = 250 coins", "Sound Payout", "Jackpot", "StartFlash",
         "Meters", "Menus"},
        kRoundClosed,
        {"Enable Coin 1", "Enable Max 1",
         "FlashLine", "FlashLine", "FlashLine", "FlashLine", "FlashLine", "FlashLine",
         "Enable Coin 1", "Enable Max 1", "Message 1012", "Meters", "DrawAll",
         "Enable Hold0 0", "Enable Hold1 0", "Enable Hold2 0", "Enable Hold3 0", "Enable Hold4 0"}});
    EXPECT_EQ(host.calls, expected);
    EXPECT_EQ(gStats.credits, 40) << "the New Game after the flash";
}

// While the round is being paid a modal box may be open and the window may
// still be handed commands; none of them may act on the half-closed round.
TEST_F(GameTest, CommandsWhileTheRoundIsPaidChangeNothing) {
    gStats.credits = 1;
    bool tried = false;
    size_t callsDuringBox = 0;
    host.observer = [&](const std::string& call) {
        if (call != "Busted" || tried) return;
        tried = true;
        // The rigged deck has no card left; a full one lets a command that
        // wrongly acts show as a failure instead of dealing forever.
        ResetDeck();
        const size_t before = host.calls.size();
        DealOrDraw();
        InsertCoin();
        BetMaxCoins();
        HoldCommand(0);
        callsDuringBox = host.calls.size() - before;
        EXPECT_EQ(gRound.phase, Drawn);
        EXPECT_EQ(gRound.dealing, 0);
    };
    PlayRound(1, {}, "2C 7D 9H JS KC");
    host.observer = nullptr;
    EXPECT_TRUE(tried);
    EXPECT_EQ(callsDuringBox, 0u);
    EXPECT_EQ(gRound.phase, Betting);
    EXPECT_EQ(gStats.gamesPlayed, 1);
    EXPECT_EQ(host.timerMs, 0u);
}

TEST_F(GameTest, StandingTurnsNothingUpAndEndsOnTheFirstTick) {
    InsertCoins(1);
    DealOrDraw();
    TurnUp();
    for (int slot = 0; slot < kSlotCount; ++slot) HoldCommand(slot);
    EXPECT_EQ(host.captions[DealButton], "Stand");
    HoldCommand(2);
    EXPECT_EQ(host.captions[DealButton], "Hit");
    HoldCommand(2);
    RigDraw("9C 9D 5H 5S KC");
    gSettings.FastDeal = 1;
    host.Clear();
    DealOrDraw();
    EXPECT_EQ(host.calls[4], "Timer 80");
    gSettings.FastDeal = 0;     // no effect until the next deal
    TableTimerTick();
    EXPECT_EQ(gRound.phase, Betting);
    EXPECT_EQ(Count(host.calls, "Sound CardDrop"), 0);
    EXPECT_EQ(Count(host.calls, "Timer 320"), 0);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(Count(host.calls, "DrawCard " + std::to_string(slot)), 0);
    }
    EXPECT_EQ(host.CallsFromLast("KillTimer").at(2), "Text Two Pair   Payoff = 1 coins");
}

TEST_F(GameTest, LastSlotsHeldCostOneEmptyTick) {
    InsertCoins(1);
    DealOrDraw();
    TurnUp();
    HoldCommand(0);
    HoldCommand(1);
    DealOrDraw();
    EXPECT_EQ(TurnUp(), 3) << "the last card up is slot 4: done on its tick";
    HoldCommand(0);     // between games now: ignored
    InsertCoins(1);
    DealOrDraw();
    TurnUp();
    HoldCommand(3);
    HoldCommand(4);
    DealOrDraw();
    EXPECT_EQ(TurnUp(), 4) << "one more tick finds only held slots";
}

TEST_F(GameTest, DealWithoutCoinsIsRefusedButTheDrawNeedsNone) {
    DealOrDraw();
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(gRound.phase, Betting);
    InsertCoins(1);
    DealOrDraw();
    TurnUp();
    gRound.coinsIn = 0;
    DealOrDraw();
    EXPECT_EQ(gRound.phase, Drawn);
    EXPECT_EQ(gRound.dealing, 1);
}

TEST_F(GameTest, InsertCoinStopsAtFiveAndTurnsTheOldHandDown) {
    InsertCoins(4);
    host.Clear();
    InsertCoin();
    EXPECT_EQ(host.calls, (Calls{"StopFlash", "Message 1915", "Enable Deal 1", "Message 1914",
                                 "Enable Coin 0", "Enable Max 0", "Sound CoinDrop", "Meters"}));
    host.Clear();
    InsertCoin();
    EXPECT_EQ(host.calls, (Calls{"StopFlash", "Message 1915"}));
    EXPECT_EQ(gRound.coinsIn, 5);
    EXPECT_EQ(gStats.credits, 35);

    // Play the five coins away, then the last credit, with nothing won.
    DealOrDraw();
    TurnUp();
    RigDraw("2C 7D 9H JS KC");
    DealOrDraw();
    TurnUp();
    gStats.credits = 1;
    host.Clear();
    InsertCoin();
    EXPECT_EQ(host.calls, (Calls{"StopFlash", "DrawAll", "Message 1915", "Enable Coin 0", "Enable Max 0",
                                 "Enable Deal 1", "Sound CoinDrop", "Meters"}));
    DealOrDraw();
    TurnUp();
    RigDraw("2C 7D 9H JS KC");
    DealOrDraw();
    host.Clear();
    TurnUp();
    EXPECT_EQ(Count(host.calls, "Busted"), 1);
    EXPECT_EQ(Count(host.calls, "Enable Coin 1"), 0) << "no credit left";
    EXPECT_EQ(gStats.timesBusted, 1);

    // With no credit, a coin only turns the old hand down.
    host.Clear();
    InsertCoin();
    EXPECT_EQ(host.calls, (Calls{"StopFlash", "DrawAll", "Message 1915"}));
    EXPECT_EQ(gRound.coinsIn, 0);
    EXPECT_EQ(gStats.credits, 0);
}

TEST_F(GameTest, BetMaxTopsUpToFiveAndPostsTheDeal) {
    gSettings.Sound = 1;
    gStats.credits = 13;
    InsertCoins(3);
    host.Clear();
    BetMaxCoins();
    EXPECT_EQ(host.calls, (Calls{"StopFlash", "Meters", "SyncSound CoinDrop", "Meters", "SyncSound CoinDrop",
                                 "Message 1914", "Enable Coin 0", "Enable Max 0", "Enable Deal 1",
                                 "PostDeal"}));
    EXPECT_EQ(gRound.coinsIn, 5);
    EXPECT_EQ(gStats.credits, 8);
    EXPECT_EQ(gRound.phase, Betting) << "the deal waits in the queue";
    host.Clear();
    host.DispatchPosted();
    EXPECT_EQ(host.calls, kFirstDealStart);
    EXPECT_EQ(gRound.phase, Dealt);
}

TEST_F(GameTest, BetMaxWithTwoCreditsDealsForTwo) {
    PlayRound(1, {}, "2C 7D 9H JS KC");
    gStats.credits = 2;
    host.Clear();
    BetMaxCoins();
    EXPECT_EQ(host.calls, (Calls{"StopFlash", "DrawAll", "Meters", "Meters", "Message 1914", "Enable Coin 0",
                                 "Enable Max 0", "Enable Deal 1", "PostDeal"}))
        << "sound off: no coin is played to its end";
    host.DispatchPosted();
    EXPECT_EQ(gRound.coinsIn, 2);
    EXPECT_EQ(gStats.credits, 0);
    EXPECT_EQ(gRound.phase, Dealt);
}

TEST_F(GameTest, BetMaxWithNothingPutsNothingInAndTheDealIsRefused) {
    gStats.credits = 0;
    BetMaxCoins();
    EXPECT_EQ(host.calls, (Calls{"StopFlash", "Message 1914", "Enable Coin 0", "Enable Max 0", "Enable Deal 1",
                                 "PostDeal"}));
    host.Clear();
    host.DispatchPosted();
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(gRound.phase, Betting);
    EXPECT_EQ(gStats.gamesPlayed, 0);
}

TEST_F(GameTest, ClearStatisticsInTheHoldPhasePaysNothingAndBusts) {
    for (const char* hand : {"9C 9D 5H 5S KC", "TH JH QH KH AH", "2C 7D 9H JS KC"}) {
        NewGame();
        InsertCoins(3);
        DealOrDraw();
        TurnUp();
        int creditsAsked = -1;
        host.observer = [&](const std::string& call) {
            if (call == "AskClear") creditsAsked = gStats.credits;
        };
        host.Clear();
        ClearStatistics();
        host.observer = nullptr;
        EXPECT_EQ(host.calls, (Calls{"AskClear", "Meters", "Menus"}));
        EXPECT_EQ(creditsAsked, 37) << "asked before anything is cleared";
        EXPECT_EQ(gStats.credits, 0);
        EXPECT_EQ(gStats.bankTotal, 0);
        EXPECT_EQ(gStats.gamesPlayed, 0);
        EXPECT_EQ(gRound.coinsIn, 0);
        EXPECT_EQ(gRound.phase, Dealt);

        RigDraw(hand);
        DealOrDraw();
        host.Clear();
        TurnUp();
        Calls paid = host.CallsFromLast("KillTimer");
        HandCategory category = gRound.category;
        if (category == TwoPair) {
            EXPECT_EQ(paid, Join({{"KillTimer", "Meters", "Text Two Pair   Payoff = 0 coins", "Sound Payout",
                                   "StartFlash", "Meters", "Menus", "Busted"},
                                  kRoundClosed}));
        } else if (category == RoyalFlush) {
            EXPECT_EQ(paid.at(2), "Text Royal Flush (natural)   Payoff = 0 coins");
            EXPECT_EQ(paid.at(4), "Jackpot");
            EXPECT_EQ(paid.at(5), "StartFlash");
        } else {
            EXPECT_EQ(paid.at(1), "Message 1012");
            EXPECT_EQ(paid.at(4), "Busted");
        }
        EXPECT_EQ(gStats.credits, 0);
        EXPECT_EQ(gStats.timesBusted, 1);
        EXPECT_EQ(gStats.handsWon[category], category == Nothing ? 0 : 1);
        // The flash must be over before the next New Game is taken.
        host.RunTimer();
    }
}

TEST_F(GameTest, ClearStatisticsAnsweredNoChangesNothing) {
    InsertCoins(2);
    host.clearAnswer = false;
    host.Clear();
    ClearStatistics();
    EXPECT_EQ(host.calls, (Calls{"AskClear"}));
    EXPECT_EQ(gStats.credits, 38);
    EXPECT_EQ(gRound.coinsIn, 2);
}

TEST_F(GameTest, CoinDuringTheFlashStopsItAndNewGameIsTakenAgain) {
    PlayRound(5, {3, 4}, "KH 5C 5D KC KD");
    ASSERT_EQ(host.flashCount, 6);
    TableTimerTick();
    EXPECT_EQ(host.calls.back(), "FlashLine");
    EXPECT_EQ(host.flashCount, 5);

    gNewReceived = 0;
    host.Clear();
    NewGame();
    EXPECT_TRUE(host.calls.empty()) << "refused during the flash";
    EXPECT_EQ(gNewReceived, 1) << "but still noted";

    InsertCoin();
    EXPECT_EQ(host.calls, (Calls{"StopFlash", "DrawAll", "Message 1915", "Enable Deal 1", "Sound CoinDrop",
                                 "Meters"}));
    EXPECT_EQ(host.flashCount, 0);
    EXPECT_EQ(host.timerMs, 0u);
    host.Clear();
    NewGame();
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls[0], "Enable Coin 1");
}

TEST_F(GameTest, NewGameWaitsForTheEndOfDealFlashAndHoldPhase) {
    InsertCoins(2);
    DealOrDraw();
    host.Clear();
    NewGame();
    EXPECT_TRUE(host.calls.empty()) << "during the deal";
    TurnUp();
    host.Clear();
    NewGame();
    EXPECT_TRUE(host.calls.empty()) << "in the hold phase";
    RigDraw("KH 5C 5D KC KD");
    DealOrDraw();
    TurnUp();
    host.Clear();
    NewGame();
    EXPECT_TRUE(host.calls.empty()) << "during the flash";
    EXPECT_EQ(host.RunTimer(), 6);
    NewGame();
    EXPECT_EQ(gStats.credits, 40);
    EXPECT_EQ(gStats.gamesPlayed, 0);
}

TEST_F(GameTest, HoldsAreRefusedOutsideTheHoldPhase) {
    auto expectIgnored = [&](const char* when) {
        host.Clear();
        for (int slot = -1; slot <= kSlotCount; ++slot) HoldCommand(slot);
        EXPECT_TRUE(host.calls.empty()) << when;
        for (const TableSlot& slot : gSlots) EXPECT_EQ(slot.held, 0) << when;
    };
    expectIgnored("between games");
    InsertCoins(1);
    DealOrDraw();
    expectIgnored("while the cards are turned up");
    TurnUp();
    HoldCommand(2);
    HoldCommand(2);
    DealOrDraw();
    TableTimerTick();
    expectIgnored("during the draw");
    ToggleHold(1);
    EXPECT_EQ(gSlots[1].held, 0);
    EXPECT_FALSE(InHoldPhase());
}

TEST_F(GameTest, CoinsAndBetMaxAreRefusedDuringARound) {
    InsertCoins(1);
    DealOrDraw();
    host.Clear();
    InsertCoin();
    BetMaxCoins();
    DealOrDraw();
    EXPECT_TRUE(host.calls.empty()) << "while the cards are turned up";
    TurnUp();
    host.Clear();
    InsertCoin();
    BetMaxCoins();
    EXPECT_TRUE(host.calls.empty()) << "in the hold phase";
    EXPECT_EQ(gRound.coinsIn, 1);
    EXPECT_EQ(gStats.credits, 39);
}

TEST_F(GameTest, IdleTickDoesNothing) {
    TableTimerTick();
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(GameTest, WholeGamesNeverShowTheJokerWithoutWildCards) {
    gSettings.WildCards = 0;
    for (int game = 0; game < 400; ++game) {
        host.now = 5000 + game / 3;     // several games share each second
        gStats.credits = 40;
        InsertCoins(1);
        DealOrDraw();
        TurnUp();
        for (int slot = 0; slot < kSlotCount; ++slot) ASSERT_NE(gSlots[slot].card, kJoker);
        if (game % 2) HoldCommand(game % 5);
        DealOrDraw();
        TurnUp();
        for (int slot = 0; slot < kSlotCount; ++slot) ASSERT_NE(gSlots[slot].card, kJoker);
        host.RunTimer();
    }
    EXPECT_EQ(gStats.gamesPlayed, 400);
}

}  // namespace
