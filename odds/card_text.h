// Cards, hands and decks as text: the names the game's status line shows
// ("Queen of Hearts", "Joker"), the short forms of the command line (QH,
// 10D or TD, AS, JK), the reading of a deal from command-line words, the
// names of the hand categories and of the two decks.
#pragma once
#include <string>
#include <vector>

#include "engine/card.h"

// A hand category as the payout table names it, "Nothing" for no win.
const char* HandName(int category);
// The enumerator's name, for keys and source text: "Nothing", "RoyalFlush",
// ... "TwoPair".
const char* HandCategoryName(int category);

std::string CardLongName(Card card);
std::string CardShortName(Card card);

// The short names of the cards of `mask` (bit i: deal[i]), "AH KH QH";
// "" for none.
std::string HeldCards(const Card deal[5], int mask);
// The same, "nothing (draw five)" for none.
std::string HeldText(const Card deal[5], int mask);

// One card in short form, or "Joker"; letters in either case.
bool ParseShortCard(const std::string& text, Card& card);

// Any number of distinct cards of the deck, read as ParseDeal reads them.
bool ParseCards(const std::vector<std::string>& words, int deckSize, std::vector<Card>& cards,
                std::string& error);

// The five cards of a deal from words that may hold one card each ("QH",
// "Queen of Hearts") or one word of a long name each ("Queen", "of",
// "Hearts"), or several cards separated by blanks or commas.  On failure
// `error` tells the player what is wrong and nothing else is promised.
bool ParseDeal(const std::vector<std::string>& words, int deckSize, Card deal[5],
               std::string& error);

// "53 cards, the joker wild" / "52 cards, no joker": a deck's heading.
const char* DeckLabel(int deckSize);
// "53-card deck with the joker" / "52-card deck, no joker": the deck of a
// deal.
std::string DeckName(int deckSize);
