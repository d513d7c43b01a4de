#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "odds/card_text.h"

namespace {

using Words = std::vector<std::string>;

bool Parses(const Words& words, int deckSize, std::vector<Card>& cards, std::string& error) {
    Card deal[5];
    error.clear();
    if (!ParseDeal(words, deckSize, deal, error)) return false;
    cards.assign(deal, deal + 5);
    return true;
}

std::vector<Card> DealOf(const Words& words, int deckSize = 53) {
    std::vector<Card> cards;
    std::string error;
    EXPECT_TRUE(Parses(words, deckSize, cards, error)) << error;
    return cards;
}

std::string ErrorOf(const Words& words, int deckSize = 53) {
    std::vector<Card> cards;
    std::string error;
    EXPECT_FALSE(Parses(words, deckSize, cards, error));
    EXPECT_FALSE(error.empty());
    return error;
}

TEST(CardNames, AsTheStatusLineAndInShortForm) {
    EXPECT_EQ(CardLongName(0), "Ace of Clubs");
    EXPECT_EQ(CardLongName(12), "King of Clubs");
    EXPECT_EQ(CardLongName(22), "Ten of Diamonds");
    EXPECT_EQ(CardLongName(37), "Queen of Hearts");
    EXPECT_EQ(CardLongName(49), "Jack of Spades");
    EXPECT_EQ(CardLongName(41), "Three of Spades");
    EXPECT_EQ(CardLongName(kJoker), "Joker");
    EXPECT_EQ(CardShortName(0), "AC");
    EXPECT_EQ(CardShortName(22), "10D");
    EXPECT_EQ(CardShortName(37), "QH");
    EXPECT_EQ(CardShortName(51), "KS");
    EXPECT_EQ(CardShortName(kJoker), "JK");
}

// Every card read back from both of its names, alone and among others.
TEST(ParseDeal, ReadsEveryCardByEitherName) {
    for (Card card = 0; card < kDeckSize; ++card) {
        Card parsed = kNoCard;
        EXPECT_TRUE(ParseShortCard(CardShortName(card), parsed)) << card;
        EXPECT_EQ(parsed, card);
        // Four others that never repeat it.
        Words words = {CardLongName(card)};
        for (Card other = 0, added = 0; added < 4; ++other) {
            if (other == card) continue;
            words.push_back(CardShortName(other));
            ++added;
        }
        EXPECT_EQ(DealOf(words)[0], card) << CardLongName(card);
    }
}

TEST(ParseDeal, AcceptsTheFormsAPlayerTypes) {
    const std::vector<Card> expected = {37, 22, 39, 12, 52};
    EXPECT_EQ(DealOf({"QH", "10D", "AS", "KC", "JK"}), expected);
    EXPECT_EQ(DealOf({"qh", "td", "As", "kC", "joker"}), expected);
    EXPECT_EQ(DealOf({"Queen of Hearts", "Ten of Diamonds", "Ace of Spades", "King of Clubs",
                      "Joker"}),
              expected);
    // Unquoted long names arrive one word at a time.
    EXPECT_EQ(DealOf({"Queen", "of", "Hearts", "ten", "OF", "diamonds", "AS", "King", "of",
                      "Club", "JK"}),
              expected);
    EXPECT_EQ(DealOf({"QH,10D, AS KC,JK"}), expected);
    EXPECT_EQ(DealOf({"10 of Hearts", "A of Spades", "2C", "3C", "4C"}),
              (std::vector<Card>{35, 39, 1, 2, 3}));
}

TEST(ParseDeal, MalformedCardsAreNamedInTheError) {
    for (const char* bad : {"7X", "1H", "11H", "QHH", "Q", "H", "JKR", "Kingh", "-5C", "10"}) {
        std::string error = ErrorOf({bad, "2C", "3C", "4C", "5C"});
        EXPECT_NE(error.find(std::string("\"") + bad + "\""), std::string::npos) << error;
    }
    EXPECT_NE(ErrorOf({"Queen of Hats", "2C", "3C", "4C", "5C"}).find("\"Hats\" is not a suit"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"Quen of Hearts", "2C", "3C", "4C", "5C"}).find("\"Quen\" is not a rank"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"Queen Hearts", "2C", "3C", "4C", "5C"}).find("followed by \"of\""),
              std::string::npos);
    EXPECT_NE(ErrorOf({"2C", "3C", "4C", "5C", "Queen of"}).find("followed by \"of\""),
              std::string::npos);
}

TEST(ParseDeal, RepeatedCardsAreRefusedInAnyForm) {
    EXPECT_EQ(ErrorOf({"QH", "2C", "3C", "4C", "QH"}), "the Queen of Hearts is given twice");
    EXPECT_EQ(ErrorOf({"Queen of Hearts", "2C", "3C", "4C", "qh"}),
              "the Queen of Hearts is given twice");
    EXPECT_EQ(ErrorOf({"TD", "10D", "3C", "4C", "5C"}), "the Ten of Diamonds is given twice");
    EXPECT_EQ(ErrorOf({"JK", "Joker", "3C", "4C", "5C"}), "the Joker is given twice");
}

TEST(ParseDeal, JokerOnlyInTheFiftyThreeCardDeck) {
    std::string error = ErrorOf({"JK", "2C", "3C", "4C", "5C"}, 52);
    EXPECT_NE(error.find("Joker is not in the 52-card deck"), std::string::npos) << error;
    EXPECT_EQ(DealOf({"JK", "2C", "3C", "4C", "5C"}, 53)[0], kJoker);
    EXPECT_EQ(DealOf({"KS", "2C", "3C", "4C", "5C"}, 52)[0], 51);
}

TEST(ParseDeal, ADealIsFiveCards) {
    EXPECT_EQ(ErrorOf({"2C", "3C", "4C", "5C"}), "a deal is five cards; 4 given");
    EXPECT_EQ(ErrorOf({"2C", "3C", "4C", "5C", "6C", "7C"}), "a deal is five cards; 6 given");
    EXPECT_EQ(ErrorOf({}), "a deal is five cards; 0 given");
    EXPECT_EQ(ErrorOf({" , ", ""}), "a deal is five cards; 0 given");
}

}  // namespace
