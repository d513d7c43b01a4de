// The trainer's answers: one line as the player types it to a deal.  The
// first byte picks the deck, the next five the deal (made distinct), the rest
// is the line.  An accepted hold, written back by positions or by the held
// cards' names, holds the same cards; only "q" and "quit" quit; a refused
// line says why.
#include "engine/card.h"
#include "odds/card_text.h"
#include "odds/text_format.h"
#include "odds/trainer.h"
#include "tests/fuzz/fuzz_util.h"

namespace {

int Mask(const std::string& line, const Card deal[5], int deckSize) {
    int mask = -1;
    std::string error;
    FUZZ_CHECK(ParseHoldAnswer(line, deal, deckSize, mask, error) == HoldAnswer::Hold,
               "a hold written back is not a hold");
    return mask;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    const int deckSize = (data[0] & 1) ? kDeckSize : 52;
    Card deal[5];
    bool out[kDeckSize] = {};
    for (int i = 0; i < 5; ++i) {
        Card card = data[1 + i] % deckSize;
        while (out[card]) card = (card + 1) % deckSize;
        out[card] = true;
        deal[i] = card;
    }
    const std::string line(reinterpret_cast<const char*>(data) + 6, size - 6);

    int mask = -1;
    std::string error;
    const HoldAnswer answer = ParseHoldAnswer(line, deal, deckSize, mask, error);
    const std::string word = Lower(Trimmed(line));
    FUZZ_CHECK((answer == HoldAnswer::Quit) == (word == "q" || word == "quit"),
               "quit otherwise than by q or quit");
    if (answer == HoldAnswer::Again) {
        FUZZ_CHECK(!error.empty(), "an answer refused without a reason");
        return 0;
    }
    if (answer == HoldAnswer::Quit) return 0;

    FUZZ_CHECK(mask >= 0 && mask <= 31, "a hold of other cards than the five");
    std::string positions, shortNames, longNames;
    for (int i = 0; i < 5; ++i) {
        if (!(mask & (1 << i))) continue;
        positions += char('1' + i);
        shortNames += CardShortName(deal[i]) + " ";
        longNames += CardLongName(deal[i]) + ", ";
    }
    if (mask == 0) {
        FUZZ_CHECK(Mask("-", deal, deckSize) == 0 && Mask("none", deal, deckSize) == 0,
                   "- or none holds cards");
        return 0;
    }
    FUZZ_CHECK(Mask(positions, deal, deckSize) == mask, "the positions hold other cards");
    FUZZ_CHECK(Mask(shortNames, deal, deckSize) == mask, "the short names hold other cards");
    FUZZ_CHECK(Mask(longNames, deal, deckSize) == mask, "the long names hold other cards");
    if (mask == 31) FUZZ_CHECK(Mask("all", deal, deckSize) == 31, "all holds fewer cards");
    return 0;
}
