// The analyser's reader of cards: words as a player types them on the
// command line, in long and short forms, any case, with commas.  The first
// byte picks the deck, the rest are the words.
#include "engine/card.h"
#include "odds/card_text.h"
#include "odds/text_format.h"
#include "tests/fuzz/fuzz_util.h"

namespace {

std::vector<Card> Read(const std::vector<std::string>& words, int deckSize) {
    std::vector<Card> cards;
    std::string error;
    FUZZ_CHECK(ParseCards(words, deckSize, cards, error), "a card's own name is not read");
    return cards;
}

// Every card read, written back in each form and case, reads as itself;
// the whole hand written back as one comma-separated word reads the same.
void CheckWrittenBack(const std::vector<Card>& cards, int deckSize) {
    std::string shortList, longList;
    for (Card card : cards) {
        FUZZ_CHECK(card >= 0 && card < deckSize, "a card outside the deck");
        for (const std::string& name : {CardShortName(card), CardLongName(card)}) {
            for (const std::string& form : {name, InCase(name, false), InCase(name, true)}) {
                std::vector<Card> again = Read({form}, deckSize);
                FUZZ_CHECK(again.size() == 1 && again[0] == card, "a card written back differs");
            }
        }
        Card single = kNoCard;
        FUZZ_CHECK(ParseShortCard(CardShortName(card), single) && single == card,
                   "a short name read alone differs");
        shortList += CardShortName(card) + " ";
        longList += CardLongName(card) + ", ";
    }
    FUZZ_CHECK(Read({shortList}, deckSize) == cards, "the short names read as other cards");
    FUZZ_CHECK(Read({longList}, deckSize) == cards, "the long names read as other cards");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int deckSize = (data[0] & 1) ? kDeckSize : 52;
    const std::vector<std::string> words = WordsAtNul(data + 1, size - 1);

    std::vector<Card> cards;
    std::string error;
    const bool read = ParseCards(words, deckSize, cards, error);
    if (read) {
        for (size_t i = 0; i < cards.size(); ++i)
            for (size_t j = 0; j < i; ++j) FUZZ_CHECK(cards[i] != cards[j], "a card given twice");
        CheckWrittenBack(cards, deckSize);
    } else {
        FUZZ_CHECK(!error.empty(), "cards refused without a reason");
    }

    // A deal is the same reading with exactly five cards; refused, it
    // leaves the deal as it was and says the same as ParseCards.
    Card deal[5] = {kNoCard, kNoCard, kNoCard, kNoCard, kNoCard};
    std::string dealError;
    const bool dealt = ParseDeal(words, deckSize, deal, dealError);
    FUZZ_CHECK(dealt == (read && cards.size() == 5), "ParseDeal and ParseCards disagree");
    if (dealt) {
        FUZZ_CHECK(std::vector<Card>(deal, deal + 5) == cards, "the deal is not the cards read");
    } else {
        for (Card card : deal) FUZZ_CHECK(card == kNoCard, "a refused deal was partly written");
        FUZZ_CHECK(!dealError.empty(), "a deal refused without a reason");
        if (!read) FUZZ_CHECK(dealError == error, "a deal refused for another reason");
    }

    Card single = kNoCard;
    if (ParseShortCard(words[0], single)) {
        FUZZ_CHECK(single >= 0 && single <= kJoker, "a short card outside every deck");
        FUZZ_CHECK(Lower(CardShortName(single)) == Lower(words[0]) ||
                       Lower(words[0]) == "joker" || Lower(words[0]).front() == 't',
                   "a short card read as another card");
    }
    return 0;
}
