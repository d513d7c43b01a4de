// quorvel-odds train: the trainer.
#include "odds/trainer.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "engine/deck.h"
#include "odds/card_text.h"
#include "odds/commands.h"
#include "odds/deck_setting.h"
#include "odds/strategy.h"
#include "odds/text_format.h"

namespace {

const char kPrompt[] = "Hold (1-5 or cards, - for none, q to quit)? ";
const char kGreen[] = "\x1b[32m";
const char kRed[] = "\x1b[31m";
const char kPlain[] = "\x1b[0m";

// One line without its end; false at the end of input with nothing read.
bool ReadLine(FILE* in, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(in)) != EOF && c != '\n') line += char(c);
    return c != EOF || !line.empty();
}

std::string Plural(int count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

struct Score {
    int hands = 0;
    int mistakes = 0;
    double lost = 0;    // expected coins lost per coin played, summed
    int asChart = 0;    // hands held as the chart holds them
};

std::string ScoreText(const Score& score) {
    char lost[48];
    std::snprintf(lost, sizeof lost, "%.2f", score.hands > 0 ? 100 * score.lost / score.hands : 0.0);
    return Plural(score.hands, "hand") + ", " + Plural(score.mistakes, "mistake") + ", " + lost +
           " coins lost per 100 hands, " + std::to_string(score.asChart) + " held as the chart";
}

std::string Value(const HoldOutcome& outcome) {
    return FractionText(outcome.pay, outcome.draws, 6);
}

// Colours only for a person at a terminal that shows them.
bool OutputIsColourTerminal() {
#ifdef _WIN32
    return false;
#else
    const char* term = std::getenv("TERM");
    return isatty(fileno(stdout)) && term != nullptr && std::strcmp(term, "dumb") != 0;
#endif
}

}  // namespace

HoldAnswer ParseHoldAnswer(const std::string& line, const Card deal[5], int deckSize, int& mask,
                           std::string& error) {
    std::string answer = Lower(Trimmed(line));
    mask = 0;
    if (answer == "q" || answer == "quit") return HoldAnswer::Quit;
    if (answer.empty()) {
        error = "say which cards to hold";
        return HoldAnswer::Again;
    }
    if (answer == "-" || answer == "none") return HoldAnswer::Hold;
    if (answer == "all") {
        mask = 31;
        return HoldAnswer::Hold;
    }
    bool positions = true;
    for (char c : answer)
        positions = positions && (std::isdigit(static_cast<unsigned char>(c)) || c == ' ' ||
                                  c == ',' || c == '\t');
    if (positions) {
        for (char c : answer) {
            if (!std::isdigit(static_cast<unsigned char>(c))) continue;
            if (c < '1' || c > '5') {
                error = std::string("there is no position ") + c + "; the cards are 1 to 5";
                return HoldAnswer::Again;
            }
            mask |= 1 << (c - '1');
        }
        return HoldAnswer::Hold;
    }
    std::vector<Card> cards;
    if (!ParseCards({line}, deckSize, cards, error)) return HoldAnswer::Again;
    for (Card card : cards) {
        int place = -1;
        for (int i = 0; i < 5; ++i)
            if (deal[i] == card) place = i;
        if (place < 0) {
            error = "the " + CardLongName(card) + " is not in this hand";
            return HoldAnswer::Again;
        }
        mask |= 1 << place;
    }
    return HoldAnswer::Hold;
}

void DealTrainerHand(int deckSize, uint32_t& state, Card deal[5]) {
    DeckSlot deck[kDeckSize] = {};
    for (int i = 0; i < 5; ++i) deal[i] = DrawUndealt(deck, deckSize, state);
}

void RunTrainer(const OddsTables& tables, const TrainerSession& session, FILE* in, FILE* out) {
    std::fprintf(out,
                 "Quorvel trainer: %s (%s); seed %u "
                 "(quorvel-odds train --seed %u plays this session again).\n"
                 "Hold by positions (134), by cards (QH JH, \"Queen of Hearts\"), - for none, "
                 "all to stand; q quits.\n",
                 DeckName(session.deckSize).c_str(), session.deckSource.c_str(),
                 unsigned(session.seed), unsigned(session.seed));
    uint32_t generator = session.seed;
    StrategyChart deckChart;
    StoredChart(session.deckSize, deckChart);
    Score score;
    std::string line;
    for (;;) {
        Card deal[5];
        DealTrainerHand(session.deckSize, generator, deal);
        std::fprintf(out, "\nHand %d:", score.hands + 1);
        for (int i = 0; i < 5; ++i)
            std::fprintf(out, " %s%s", CardLongName(deal[i]).c_str(), i < 4 ? "," : "\n");
        std::string places = "       ";
        for (int i = 0; i < 5; ++i) {
            std::string name = CardShortName(deal[i]);
            places += "  " + std::to_string(i + 1) + " " + name;
            if (i < 4) places.append(4 - name.size(), ' ');
        }
        std::fprintf(out, "%s\n", places.c_str());

        int mask = 0;
        HoldAnswer answer = HoldAnswer::Again;
        while (answer == HoldAnswer::Again) {
            std::fputs(kPrompt, out);
            std::fflush(out);
            if (!ReadLine(in, line)) {
                std::fputs("\n", out);
                answer = HoldAnswer::Quit;
                break;
            }
            if (session.echo) std::fprintf(out, "%s\n", line.c_str());
            std::string error;
            answer = ParseHoldAnswer(line, deal, session.deckSize, mask, error);
            if (answer == HoldAnswer::Again) std::fprintf(out, "  ? %s\n", error.c_str());
        }
        if (answer == HoldAnswer::Quit) break;

        HoldOutcome outcomes[kHoldCount];
        EvaluateHolds(tables, session.deckSize, deal, outcomes);
        const HoldOutcome mine = outcomes[mask];
        SortHoldsBestFirst(outcomes);
        const HoldOutcome& best = outcomes[0];
        ChartAdvice chart;
        AdviseByChart(deckChart, deal, outcomes, chart);
        // Exact: the values are fractions over their draws.
        bool worse = mine.pay * best.draws < best.pay * mine.draws;
        double loss = double(best.pay) / double(best.draws) - double(mine.pay) / double(mine.draws);
        ++score.hands;
        if (mine.mask == chart.hold.mask) ++score.asChart;
        if (worse) {
            ++score.mistakes;
            score.lost += loss;
        }
        std::fprintf(out, "  you held   %-22s %14s per coin\n", HeldText(deal, mine.mask).c_str(),
                     Value(mine).c_str());
        std::fprintf(out, "  best hold  %-22s %14s per coin\n", HeldText(deal, best.mask).c_str(),
                     Value(best).c_str());
        std::fprintf(out, "  chart      %-22s %14s per coin, line %d \"%s\"\n",
                     HeldText(deal, chart.hold.mask).c_str(), Value(chart.hold).c_str(), chart.line,
                     chart.text.c_str());
        const char* on = session.colour ? (worse ? kRed : kGreen) : "";
        const char* off = session.colour ? kPlain : "";
        if (worse)
            std::fprintf(out, "  %sa mistake: %.6f coins lost per coin%s\n", on, loss, off);
        else if (mine.mask == best.mask)
            std::fprintf(out, "  %sright: the best hold%s\n", on, off);
        else
            std::fprintf(out, "  %sright: as good as the best hold%s\n", on, off);
        std::fprintf(out, "  score: %s\n", ScoreText(score).c_str());
    }
    std::fprintf(out, "\nSession: %s (seed %u).\n", ScoreText(score).c_str(),
                 unsigned(session.seed));
}

int RunTrain(const OddsOptions& options) {
    TrainerSession session;
    if (!CommandDeck(options, session.deckSize, session.deckSource)) return 2;
    session.seed = options.seedGiven ? options.seed : uint32_t(std::time(nullptr));
    session.colour = OutputIsColourTerminal();
#ifdef _WIN32
    session.echo = !_isatty(_fileno(stdin));
#else
    session.echo = !isatty(fileno(stdin));
#endif
    OddsTables tables;
    BuildOddsTables(tables, kAnalysisThreads);
    RunTrainer(tables, session, stdin, stdout);
    return 0;
}
