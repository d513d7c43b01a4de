#include "odds/trainer.h"

#include <cctype>
#include <vector>

#include "engine/deck.h"
#include "odds/card_text.h"
#include "odds/deal_advice.h"
#include "odds/hold_figures.h"
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

// One hand held and scored: the deal's advice, the player's hold judged and
// what it loses against the best hold.
struct ScoredHand {
    DealAdvice advice;
    int mask = 0;
    HoldVerdict verdict;
    MistakePrice price;     // for one coin: the trainer counts per coin
    double loss = 0;        // per coin, against the best hold
};

double Value(const HoldOutcome& hold) { return double(hold.pay) / double(hold.draws); }

void ScoreHand(const OddsTables& tables, int deckSize, const Card deal[5], int mask,
               ScoredHand& hand, Score& score) {
    AdviseDeal(tables, deckSize, deal, hand.advice);
    hand.mask = mask;
    const HoldOutcome& mine = HoldOfMask(hand.advice, mask);
    const HoldOutcome& best = BestHoldOf(hand.advice);
    hand.verdict = JudgeHold(hand.advice, mask);
    hand.price = PriceHold(hand.advice, mask, 1);
    hand.loss = Value(best) - Value(mine);
    ++score.hands;
    if (hand.verdict.chart) ++score.asChart;
    if (!PlayedAsBest(hand.verdict)) {
        ++score.mistakes;
        score.lost += hand.loss;
    }
}

std::string ScoreText(const Score& score) {
    return Plural(score.hands, "hand") + ", " + Plural(score.mistakes, "mistake") + ", " +
           Format("%.2f", score.hands > 0 ? 100 * score.lost / score.hands : 0.0) +
           " coins lost per 100 hands, " + std::to_string(score.asChart) + " held as the chart";
}

void PrintDeal(FILE* out, int number, const Card deal[5]) {
    std::fprintf(out, "\nHand %d:", number);
    for (int i = 0; i < 5; ++i)
        std::fprintf(out, " %s%s", CardLongName(deal[i]).c_str(), i < 4 ? "," : "\n");
    std::string places = "       ";
    for (int i = 0; i < 5; ++i) {
        std::string name = CardShortName(deal[i]);
        places += "  " + std::to_string(i + 1) + " " + name;
        if (i < 4) places.append(4 - name.size(), ' ');
    }
    std::fprintf(out, "%s\n", places.c_str());
}

void PrintScoredHand(FILE* out, const TrainerSession& session, const ScoredHand& hand,
                     const Score& score) {
    const DealAdvice& advice = hand.advice;
    const Card* deal = advice.deal;
    const HoldOutcome& mine = HoldOfMask(advice, hand.mask);
    const HoldOutcome& best = BestHoldOf(advice);
    const HoldOutcome& chart = ChartHoldOf(advice);
    auto value = [](const HoldOutcome& hold) { return FractionText(hold.pay, hold.draws, 6); };
    std::fprintf(out, "  you held   %-22s %14s per coin\n", HeldText(deal, mine.mask).c_str(),
                 value(mine).c_str());
    std::fprintf(out, "  best hold  %-22s %14s per coin\n", HeldText(deal, best.mask).c_str(),
                 value(best).c_str());
    std::fprintf(out, "  chart      %-22s %14s per coin, line %d \"%s\"\n",
                 HeldText(deal, chart.mask).c_str(), value(chart).c_str(), advice.chartLine,
                 advice.chartText);
    const char* on = session.colour ? (PlayedAsBest(hand.verdict) ? kGreen : kRed) : "";
    const char* off = session.colour ? kPlain : "";
    if (hand.verdict.judgement == HeldCosts)
        std::fprintf(out, "  %sa mistake: %.6f coins lost per coin, %s%s\n", on, hand.loss,
                     MistakeGradeName(hand.price.grade), off);
    else if (hand.verdict.judgement == HeldBest)
        std::fprintf(out, "  %sright: the best hold%s\n", on, off);
    else
        std::fprintf(out, "  %sright: as good as the best hold%s\n", on, off);
    std::fprintf(out, "  score: %s\n", ScoreText(score).c_str());
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
    Score score;
    std::string line;
    for (;;) {
        Card deal[5];
        DealTrainerHand(session.deckSize, generator, deal);
        PrintDeal(out, score.hands + 1, deal);

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

        ScoredHand hand;
        ScoreHand(tables, session.deckSize, deal, mask, hand, score);
        PrintScoredHand(out, session, hand, score);
    }
    std::fprintf(out, "\nSession: %s (seed %u).\n", ScoreText(score).c_str(),
                 unsigned(session.seed));
}
