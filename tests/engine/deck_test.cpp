#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/card_name.h"
#include "engine/deck.h"
#include "engine/round.h"
#include "settings/settings.h"
#include "tests/engine/recording_host.h"

namespace {

class DeckTest : public ::testing::Test {
protected:
    EngineFixtureHost fixture;
    RecordingHost& host = fixture.host;

    // The slots as DealOrDraw leaves them before a first deal.
    void FreshDeal(int64_t second) {
        ResetDeck();
        ClearTable();
        host.now = second;
        DealUnheld();
    }
};

TEST_F(DeckTest, CardSuitAndRankFollowTheIndex) {
    EXPECT_EQ(CardSuit(0), 0);
    EXPECT_EQ(CardRank(0), 1);
    EXPECT_EQ(CardSuit(12), 0);
    EXPECT_EQ(CardRank(12), 13);
    EXPECT_EQ(CardSuit(13), 1);
    EXPECT_EQ(CardRank(22), 10);
    EXPECT_EQ(CardSuit(38), 2);
    EXPECT_EQ(CardRank(38), 13);
    EXPECT_EQ(CardSuit(49), 3);
    EXPECT_EQ(CardRank(49), 11);
    EXPECT_EQ(CardSuit(kJoker), kJokerSuit);
    EXPECT_EQ(CardRank(kJoker), kJokerRank);
}

TEST_F(DeckTest, BuildDeckNamesEveryCardAndClearsTheFlags) {
    gDeck[5].dealt = 1;
    BuildDeck();
    EXPECT_STREQ(gDeck[0].name, "Club1");
    EXPECT_STREQ(gDeck[12].name, "Club13");
    EXPECT_STREQ(gDeck[13].name, "Diamond1");
    EXPECT_STREQ(gDeck[25].name, "Diamond13");
    EXPECT_STREQ(gDeck[26].name, "Hearts1");
    EXPECT_STREQ(gDeck[39].name, "Spade1");
    EXPECT_STREQ(gDeck[49].name, "Spade11");
    EXPECT_STREQ(gDeck[51].name, "Spade13");
    EXPECT_STREQ(gDeck[52].name, "Joker");
    for (const DeckSlot& entry : gDeck) EXPECT_EQ(entry.dealt, 0);
}

// "<rank> of <suit>": one word per rank and per suit, the suit the one of
// the card's picture, every name different.
TEST_F(DeckTest, CardNameNamesRankAndSuitOfEveryCard) {
    std::set<std::string> names, rankWords[14], suitWords[4];
    for (int c = 0; c < kJoker; ++c) {
        const std::string name = CardName(static_cast<Card>(c));
        const size_t of = name.find(" of ");
        ASSERT_NE(of, std::string::npos) << name;
        const std::string suit = name.substr(of + 4);
        rankWords[CardRank(c)].insert(name.substr(0, of));
        suitWords[CardSuit(c)].insert(suit);
        names.insert(name);
        const std::string picture = gDeck[c].name;
        const std::string pictureSuit = picture.substr(0, picture.find_first_of("0123456789"));
        EXPECT_EQ(suit.compare(0, pictureSuit.size(), pictureSuit), 0) << name << " shows " << picture;
    }
    std::set<std::string> ranks, suits;
    for (int r = 1; r <= 13; ++r) {
        EXPECT_EQ(rankWords[r].size(), 1u) << r;
        ranks.insert(rankWords[r].begin(), rankWords[r].end());
    }
    for (const auto& words : suitWords) {
        EXPECT_EQ(words.size(), 1u);
        suits.insert(words.begin(), words.end());
    }
    EXPECT_EQ(ranks.size(), 13u);
    EXPECT_EQ(suits.size(), 4u);
    EXPECT_EQ(names.size(), 52u);
    const std::string joker = CardName(kJoker);
    EXPECT_FALSE(joker.empty());
    EXPECT_EQ(names.count(joker), 0u);
    EXPECT_STREQ(CardName(kNoCard), "");
}

TEST_F(DeckTest, GeneratorStartsAtOneAndFirstCardIsTheThreeOfSpades) {
    EXPECT_EQ(RandomState(), 1u);
    EXPECT_EQ(NextRandom(), 41);
    SeedRandom(12345);
    EXPECT_EQ(RandomState(), 12345u);
    for (int wild = 0; wild <= 1; ++wild) {
        gSettings.WildCards = wild;
        ResetDeck();
        SeedRandom(1);
        EXPECT_EQ(DrawRandomCard(), 41);
        EXPECT_EQ(gDeck[41].dealt, 1);
    }
}

// Values worked out from the recurrence apart from this code; they pin the
// constants, the wrap at 2^32 and which bits make the value.
TEST_F(DeckTest, GeneratorSequenceFromSeedOne) {
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    SeedRandom(1);
    for (int value : expected) EXPECT_EQ(NextRandom(), value);

    // The state wraps: 0xFFFFFFFF * 214013 + 2531011 = 2316998 modulo 2^32.
    SeedRandom(0xFFFFFFFFu);
    EXPECT_EQ(NextRandom(), 35);
    EXPECT_EQ(RandomState(), 2316998u);
    // Bit 31 of the new state (0x80235AC6) is not part of the value.
    SeedRandom(0x7FFFFFFFu);
    EXPECT_EQ(NextRandom(), 35);
    EXPECT_EQ(RandomState(), 0x80235AC6u);
}

// Second 1 seeds the generator with 1.  Its values modulo 53 begin 41, 23,
// 27, 0, 36, 30, 49, 38, 31, 34 and modulo 52 begin 41, 7, 42, 32, 33, 20,
// 38, 30, 26, 24: the slots take them from left to right, and a draw in the
// same second starts over and skips the cards already out.
TEST_F(DeckTest, DealAndDrawTakeTheGeneratorValuesInSlotOrder) {
    struct Expected {
        int32_t wild;
        Card deal[5];
        Card drawHolding1And3[5];
        Card drawAll[5];
    };
    const Expected cases[] = {
        {1, {41, 23, 27, 0, 36}, {30, 23, 49, 0, 38}, {30, 49, 38, 31, 34}},
        {0, {41, 7, 42, 32, 33}, {20, 7, 38, 32, 30}, {20, 38, 30, 26, 24}},
    };
    for (const Expected& c : cases) {
        gSettings.WildCards = c.wild;
        FreshDeal(1);
        for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(gSlots[i].card, c.deal[i]) << "wild " << c.wild;
        EXPECT_STREQ(gSlots[0].name, "Spade3");
        gSlots[1].held = 1;
        gSlots[3].held = 1;
        for (int i : {0, 2, 4}) gSlots[i].card = kNoCard;
        DealUnheld();
        for (int i = 0; i < kSlotCount; ++i) {
            EXPECT_EQ(gSlots[i].card, c.drawHolding1And3[i]) << "wild " << c.wild << " slot " << i;
            EXPECT_STREQ(gSlots[i].name, gDeck[gSlots[i].card].name);
        }

        FreshDeal(1);
        for (TableSlot& slot : gSlots) slot.card = kNoCard;
        DealUnheld();
        for (int i = 0; i < kSlotCount; ++i) EXPECT_EQ(gSlots[i].card, c.drawAll[i]) << "wild " << c.wild;
    }
}

TEST_F(DeckTest, DrawRandomCardGivesEachCardOnce) {
    gSettings.WildCards = 1;
    std::set<Card> seen;
    for (int i = 0; i < kDeckSize; ++i) seen.insert(DrawRandomCard());
    EXPECT_EQ(seen.size(), 53u);
    gSettings.WildCards = 0;
    ResetDeck();
    seen.clear();
    for (int i = 0; i < 52; ++i) seen.insert(DrawRandomCard());
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_EQ(seen.count(kJoker), 0u);
}

TEST_F(DeckTest, DealUnheldFillsOnlyUnheldSlotsWithTheirNames) {
    FreshDeal(777);
    std::set<Card> cards;
    for (const TableSlot& slot : gSlots) {
        ASSERT_NE(slot.card, kNoCard);
        EXPECT_STREQ(slot.name, gDeck[slot.card].name);
        EXPECT_EQ(gDeck[slot.card].dealt, 1);
        cards.insert(slot.card);
    }
    EXPECT_EQ(cards.size(), 5u);
    EXPECT_TRUE(host.calls.empty()) << "deciding the cards draws nothing";

    gSlots[1].held = 1;
    gSlots[3].held = 1;
    Card kept1 = gSlots[1].card, kept3 = gSlots[3].card;
    for (int i : {0, 2, 4}) gSlots[i].card = kNoCard;
    DealUnheld();
    EXPECT_EQ(gSlots[1].card, kept1);
    EXPECT_EQ(gSlots[3].card, kept3);
    for (int i : {0, 2, 4}) EXPECT_EQ(cards.count(gSlots[i].card), 0u) << "discards stay out";
}

TEST_F(DeckTest, DrawInTheSameSecondStillGivesNewCards) {
    FreshDeal(4242);
    std::set<Card> first;
    for (const TableSlot& slot : gSlots) first.insert(slot.card);
    uint32_t stateAfterDeal = RandomState();
    for (TableSlot& slot : gSlots) slot.card = kNoCard;
    DealUnheld();
    EXPECT_NE(RandomState(), stateAfterDeal);
    std::set<Card> all = first;
    for (const TableSlot& slot : gSlots) all.insert(slot.card);
    EXPECT_EQ(all.size(), 10u);

    // Two games started within one second begin alike.
    FreshDeal(4242);
    std::set<Card> again;
    for (const TableSlot& slot : gSlots) again.insert(slot.card);
    EXPECT_EQ(again, first);
}

TEST_F(DeckTest, JokerOnlyComesOutWithWildCards) {
    gSettings.WildCards = 0;
    for (int64_t t = 0; t < 3000; ++t) {
        FreshDeal(t);
        for (TableSlot& slot : gSlots) slot.card = kNoCard;
        DealUnheld();   // the draw too
        ASSERT_EQ(gDeck[kJoker].dealt, 0) << "second " << t;
    }
    // Switched on between the deal and the draw, the joker can turn up.
    bool jokerAtDraw = false;
    for (int64_t t = 0; t < 3000 && !jokerAtDraw; ++t) {
        gSettings.WildCards = 0;
        FreshDeal(t);
        gSettings.WildCards = 1;
        for (TableSlot& slot : gSlots) slot.card = kNoCard;
        host.now = t + 1;
        DealUnheld();
        for (const TableSlot& slot : gSlots) jokerAtDraw = jokerAtDraw || slot.card == kJoker;
    }
    EXPECT_TRUE(jokerAtDraw);
}

TEST_F(DeckTest, ResetProgramStatePutsEverythingBack) {
    FreshDeal(99);
    gSlots[2].x = 207;
    gSlots[2].button = &host;
    gRound.coinsIn = 3;
    gStats.credits = 17;
    gNewReceived = 1;
    gSettings.CardBack = 9;
    ResetProgramState();
    EXPECT_EQ(RandomState(), 1u);
    for (const TableSlot& slot : gSlots) {
        EXPECT_EQ(slot.x, 0);
        EXPECT_EQ(slot.card, 0);
        EXPECT_EQ(slot.button, nullptr);
    }
    for (const DeckSlot& entry : gDeck) EXPECT_EQ(entry.dealt, 0);
    EXPECT_EQ(gRound.coinsIn, 0);
    EXPECT_EQ(gStats.credits, 0);
    EXPECT_EQ(gNewReceived, 0);
    EXPECT_EQ(gSettings.CardBack, 4);
    EXPECT_EQ(gSettings.WildCards, 1);
}

}  // namespace
