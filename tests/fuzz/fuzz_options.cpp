// The analyser's command line: the words after the program's name, cut at
// NUL bytes.  Accepted options are whole and, written back as a canonical
// command line, read the same; refused ones say why.
#include "odds/options.h"
#include "tests/fuzz/fuzz_util.h"

namespace {

bool Parse(const std::vector<std::string>& words, OddsOptions& options, std::string& error) {
    std::vector<const char*> argv = {"quorvel-odds"};
    for (const std::string& word : words) argv.push_back(word.c_str());
    return ParseOddsOptions(int(argv.size()), argv.data(), options, error);
}

std::vector<std::string> WrittenBack(const OddsOptions& options) {
    std::vector<std::string> words;
    if (options.deckSize != 0) words.push_back("--deck=" + std::to_string(options.deckSize));
    if (!options.settingsFile.empty()) words.push_back("--settings=" + options.settingsFile);
    if (options.json) words.push_back("--json");
    if (options.full) words.push_back("--full");
    if (options.derive) words.push_back("--derive");
    if (options.credits != kStartingCredits) {
        words.push_back("--credits");
        words.push_back(std::to_string(options.credits));
    }
    if (options.seedGiven) words.push_back("--seed=" + std::to_string(options.seed));
    if (options.heldGiven) {
        words.push_back("--held");
        words.push_back(options.held);
    }
    if (options.coins != 0) words.push_back("--coins=" + std::to_string(options.coins));
    if (!options.hands.empty()) {
        std::string hands;
        for (int h : options.hands) hands += (hands.empty() ? "" : ",") + std::to_string(h);
        words.push_back("--hands=" + hands);
    }
    switch (options.command) {
    case OddsCommand::Hold: words.push_back("hold"); break;
    case OddsCommand::Train: words.push_back("train"); break;
    case OddsCommand::Strategy: words.push_back("strategy"); break;
    case OddsCommand::Risk: words.push_back("risk"); break;
    case OddsCommand::Analysis: break;
    }
    words.insert(words.end(), options.cardWords.begin(), options.cardWords.end());
    return words;
}

bool Same(const OddsOptions& a, const OddsOptions& b) {
    return a.command == b.command && a.deckSize == b.deckSize &&
           a.settingsFile == b.settingsFile && a.json == b.json && a.credits == b.credits &&
           a.seedGiven == b.seedGiven && a.seed == b.seed && a.full == b.full &&
           a.derive == b.derive && a.help == b.help && a.cardWords == b.cardWords &&
           a.heldGiven == b.heldGiven && a.held == b.held && a.coins == b.coins &&
           a.hands == b.hands;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words;
    if (size > 0) words = WordsAtNul(data, size);
    OddsOptions options;
    std::string error;
    if (!Parse(words, options, error)) {
        FUZZ_CHECK(!error.empty(), "a command line refused without a reason");
        return 0;
    }
    FUZZ_CHECK(error.empty(), "an accepted command line with an error");
    if (options.help) return 0;

    FUZZ_CHECK(options.deckSize == 0 || options.deckSize == 52 || options.deckSize == 53,
               "a deck of another size");
    FUZZ_CHECK(options.credits >= 1 && options.credits <= 1000000000, "credits out of range");
    FUZZ_CHECK(!options.seedGiven || options.command == OddsCommand::Train,
               "a seed for another command than train");
    FUZZ_CHECK(options.cardWords.empty() || options.command == OddsCommand::Hold,
               "cards for another command than hold");
    FUZZ_CHECK(!(options.full || options.derive) || options.command == OddsCommand::Strategy,
               "--full or --derive for another command than strategy");
    FUZZ_CHECK(!options.heldGiven || options.command == OddsCommand::Hold,
               "--held for another command than hold");
    FUZZ_CHECK(options.coins >= 0 && options.coins <= 5, "coins out of range");
    for (int hands : options.hands)
        FUZZ_CHECK(hands >= 1 && hands <= kMostHands, "hands out of range");

    OddsOptions again;
    std::string againError;
    FUZZ_CHECK(Parse(WrittenBack(options), again, againError),
               "the command line written back is refused");
    FUZZ_CHECK(Same(options, again), "the command line written back reads otherwise");
    return 0;
}
