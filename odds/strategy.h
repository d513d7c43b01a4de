// A strategy chart a player can learn: a ranked list of hold patterns, and
// for every deal the first line that some of its cards fit is the hold.
// The chart is derived from the exact value of every hold of every deal
// class and its return is counted exactly, like optimal play.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "odds/deal_sweep.h"

// What a line asks of the held cards.  "Ways" is the number of the nine
// straights A-2-3-4-5 .. 9-10-J-Q-K that contain every held card but the
// joker (the ace is low in straights; only a royal flush has it high).
// Straight draws have at least one way; a royal draw may have none.
enum class LineShape : int {
    MadeHand,           // all five kept, they make `category`, joker or not
    FourOfAKind,        // four of one rank and, with `joker`, the joker
    ThreeOfAKind,       // three of one rank (+ joker)
    TwoPair,            // two pairs, nothing else
    Pair,               // one pair (+ joker)
    RoyalDraw,          // `naturals` of 10 J Q K A in one suit (+ joker)
    StraightFlushDraw,  // `naturals` of one suit in one straight (+ joker)
    FlushDraw,          // `naturals` of one suit (+ joker)
    StraightDraw,       // `naturals` of different ranks in one straight (+ joker)
    JokerAlone,         // the joker and nothing else
    DrawFive,           // nothing: five new cards; fits every deal
    MadeAtLeast,        // all five kept, they make `category` or one that pays more
};

struct ChartLine {
    LineShape shape;
    int category;   // MadeHand, MadeAtLeast: a HandCategory
    int naturals;   // the held cards other than the joker (draw shapes)
    bool joker;     // the joker is held too
    int ways;       // draws: at least this many ways; -1 any
};

// A chart a player can keep in mind: at most this many lines.
constexpr int kChartLineLimit = 40;

struct StrategyChart {
    int deckSize = 0;
    std::vector<ChartLine> lines;    // best first; the last is DrawFive
};

// The line as a player reads it, e.g. "joker with three to a straight
// flush, 3 ways".
std::string LineText(const ChartLine& line);

// The hold of a deal that the chart picks, as a mask over the deal as
// given, and the index of the line that picked it (-1 and -1 for a deal
// not of the chart's deck, or one that no line fits).  When a line fits
// several sets of cards, the order of ShapeOf decides.
int ChartHold(const StrategyChart& chart, const Card deal[5], int* lineIndex = nullptr);

// Playing the chart over every deal of its deck, counted like optimal
// play (numerators per number of held cards), and per line how many deals
// it decides and what their holds pay.
struct ChartPlay {
    DeckAnalysis play;
    std::vector<int64_t> lineDeals;
    // Per line: pay summed over the draws, per number of held cards.
    std::vector<std::array<int64_t, 6>> linePay;
    // Per line: what its deals' best holds return more, per coin, summed
    // over the deals (a measure of where the chart loses, not exact).
    std::vector<double> lineLoss;
};
void PlayChart(const OddsTables& tables, const StrategyChart& chart, int threads,
               ChartPlay& result);

// The charts that DeriveChart (strategy_derive.h) gives with
// kChartLineLimit, kept in the program (deriving takes about 12 s), and the
// source text of a chart as odds/strategy_charts.cpp keeps it.
void StoredChart(int deckSize, StrategyChart& chart);
std::string ChartSource(const StrategyChart& chart);

// The held cards of one hold as the lines see them, for the derivation to
// try every candidate line on every hold.
struct HoldShape {
    int naturals;
    bool joker;
    int made;       // all five held: their category; else -1
    int group;      // how the natural ranks group: distinct, quads, trips, ...
    bool suited;    // the naturals share one suit (trivially with one)
    bool royal;     // every natural is a 10, J, Q, K or A
    int ways;       // straights holding every natural (distinct ranks only)
};

// A shape packed into 16 bits, so that what the lines do with a shape can
// be found once for every deal.
constexpr int kShapeKeys = 1 << 16;
int ShapeKey(const HoldShape& shape);
HoldShape ShapeOfKey(int key);

// The shape of the cards of `mask`, and in `order` (when asked) the order
// of holds that fit one line, highest first: more ways, then the fewer
// chances thrown away (a discarded card counts once for each of the held
// cards' straights it lies in, and more when it is of the suit of the held
// naturals), then the higher cards, the ace high.
HoldShape ShapeOf(const Card deal[5], int mask, int64_t* order);
bool LineFits(const ChartLine& line, const HoldShape& shape);
