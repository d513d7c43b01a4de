#include "odds/card_text.h"

#include <cctype>

#include "engine/payout.h"
#include "odds/text_format.h"

namespace {

const char* const kRankWords[13] = {"Ace", "Two",   "Three", "Four", "Five",  "Six", "Seven",
                                    "Eight", "Nine", "Ten",  "Jack", "Queen", "King"};
const char* const kRankShort[13] = {"A", "2", "3", "4", "5", "6", "7",
                                    "8", "9", "10", "J", "Q", "K"};
const char* const kSuitWords[4] = {"Clubs", "Diamonds", "Hearts", "Spades"};
const char kSuitLetters[4] = {'C', 'D', 'H', 'S'};

const char* const kCategoryNames[kHandCategoryCount] = {
    "Nothing",   "RoyalFlush", "FiveOfAKind", "WildRoyalFlush", "StraightFlush", "FourOfAKind",
    "FullHouse", "Flush",      "Straight",    "ThreeOfAKind",   "TwoPair"};

const char kFormsHint[] =
    "write cards as \"Queen of Hearts\" or in short form: QH, 10D or TD, AS, JK for the joker";

// Rank 1..13 from a short rank (A, 2..10, T, J, Q, K), 0 when it is none.
int ParseShortRank(const std::string& text) {
    std::string lower = Lower(text);
    for (int r = 0; r < 13; ++r)
        if (lower == Lower(kRankShort[r])) return r + 1;
    if (lower == "t") return 10;
    return 0;
}

// Rank 1..13 from a rank word or a short rank, 0 when it is neither.
int ParseRank(const std::string& text) {
    std::string lower = Lower(text);
    for (int r = 0; r < 13; ++r)
        if (lower == Lower(kRankWords[r])) return r + 1;
    return ParseShortRank(text);
}

// Suit 0..3 from a suit word, plural or singular, -1 when it is none.
int ParseSuitWord(const std::string& text) {
    std::string lower = Lower(text);
    for (int s = 0; s < 4; ++s) {
        std::string plural = Lower(kSuitWords[s]);
        if (lower == plural || lower == plural.substr(0, plural.size() - 1)) return s;
    }
    return -1;
}

bool IsRankWord(const std::string& text) {
    std::string lower = Lower(text);
    for (int r = 0; r < 13; ++r)
        if (lower == Lower(kRankWords[r])) return true;
    return false;
}

void SplitWords(const std::vector<std::string>& words, std::vector<std::string>& tokens) {
    for (const std::string& word : words) {
        std::string token;
        for (char c : word) {
            if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
                if (!token.empty()) tokens.push_back(token);
                token.clear();
            } else {
                token += c;
            }
        }
        if (!token.empty()) tokens.push_back(token);
    }
}

}  // namespace

const char* HandName(int category) {
    return category == Nothing ? "Nothing" : PayoutTable[category].name;
}

const char* HandCategoryName(int category) {
    return category >= 0 && category < kHandCategoryCount ? kCategoryNames[category] : "";
}

std::string CardLongName(Card card) {
    if (card < 0) return "";
    if (card >= kJoker) return "Joker";
    return std::string(kRankWords[CardRank(card) - 1]) + " of " + kSuitWords[CardSuit(card)];
}

std::string CardShortName(Card card) {
    if (card < 0) return "";
    if (card >= kJoker) return "JK";
    return std::string(kRankShort[CardRank(card) - 1]) + kSuitLetters[CardSuit(card)];
}

std::string HeldCards(const Card deal[5], int mask) {
    std::string text;
    for (int i = 0; i < 5; ++i)
        if (mask & (1 << i)) text += (text.empty() ? "" : " ") + CardShortName(deal[i]);
    return text;
}

std::string HeldText(const Card deal[5], int mask) {
    std::string text = HeldCards(deal, mask);
    return text.empty() ? "nothing (draw five)" : text;
}

bool ParseShortCard(const std::string& text, Card& card) {
    std::string lower = Lower(text);
    if (lower == "jk" || lower == "joker") {
        card = kJoker;
        return true;
    }
    if (lower.size() < 2) return false;
    int rank = ParseShortRank(lower.substr(0, lower.size() - 1));
    char suitLetter = char(std::toupper(static_cast<unsigned char>(lower.back())));
    for (int s = 0; s < 4; ++s) {
        if (rank > 0 && suitLetter == kSuitLetters[s]) {
            card = 13 * s + rank - 1;
            return true;
        }
    }
    return false;
}

bool ParseCards(const std::vector<std::string>& words, int deckSize, std::vector<Card>& cards,
                std::string& error) {
    std::vector<std::string> tokens;
    SplitWords(words, tokens);
    cards.clear();
    for (size_t i = 0; i < tokens.size(); ++i) {
        Card card = kNoCard;
        const std::string& token = tokens[i];
        bool longForm = IsRankWord(token) ||
                        (i + 1 < tokens.size() && Lower(tokens[i + 1]) == "of");
        if (longForm) {
            int rank = ParseRank(token);
            if (rank == 0) {
                error = "\"" + token + " of\": \"" + token + "\" is not a rank; " + kFormsHint;
                return false;
            }
            if (i + 2 >= tokens.size() || Lower(tokens[i + 1]) != "of") {
                error = "\"" + token + "\" must be followed by \"of\" and a suit, as in \"" +
                        kRankWords[rank - 1] + " of Hearts\"";
                return false;
            }
            int suit = ParseSuitWord(tokens[i + 2]);
            if (suit < 0) {
                error = "\"" + tokens[i + 2] +
                        "\" is not a suit; the suits are Clubs, Diamonds, Hearts and Spades";
                return false;
            }
            card = 13 * suit + rank - 1;
            i += 2;
        } else if (!ParseShortCard(token, card)) {
            error = "\"" + token + "\" is not a card; " + kFormsHint;
            return false;
        }
        for (Card earlier : cards) {
            if (earlier == card) {
                error = "the " + CardLongName(card) + " is given twice";
                return false;
            }
        }
        if (card >= deckSize) {
            error = "the Joker is not in the " + std::to_string(deckSize) +
                    "-card deck; use --deck 53";
            return false;
        }
        cards.push_back(card);
    }
    return true;
}

bool ParseDeal(const std::vector<std::string>& words, int deckSize, Card deal[5],
               std::string& error) {
    std::vector<Card> cards;
    if (!ParseCards(words, deckSize, cards, error)) return false;
    if (cards.size() != 5) {
        error = "a deal is five cards; " + std::to_string(cards.size()) + " given";
        return false;
    }
    for (int i = 0; i < 5; ++i) deal[i] = cards[size_t(i)];
    return true;
}

const char* DeckLabel(int deckSize) {
    return deckSize == kDeckSize ? "53 cards, the joker wild" : "52 cards, no joker";
}

std::string DeckName(int deckSize) {
    return std::to_string(deckSize) +
           (deckSize == kDeckSize ? "-card deck with the joker" : "-card deck, no joker");
}
