// The chart: the shapes of held cards, which line fits them, the hold a
// chart picks, playing a chart over every deal, and the lines as text.
#include "odds/strategy.h"

#include <algorithm>

#include "odds/card_text.h"

namespace {

// How the natural ranks of the held cards group.
enum Group { kDistinct, kQuads, kTrips, kTwoPair, kPair, kMixed };

// A discarded card of the held suit spoils the flush about as much as a
// card of three of the held cards' straights spoils those.
constexpr int kSuitWaste = 3;

bool RoyalRank(int rank) { return rank == 1 || rank >= 10; }

// Straights A-5 .. 9-K that contain every rank from low to high.
int WaysOf(int low, int high) {
    int ways = 0;
    for (int start = 1; start <= 9; ++start)
        if (low >= start && high <= start + 4) ++ways;
    return ways;
}

bool WaysFit(const ChartLine& line, int ways) { return ways >= line.ways; }

const char* const kCountWords[] = {"no", "one", "two", "three", "four", "five"};

// The ranks one card may have to fit a one-card line, e.g. "a 5 to 9".
std::string SingleCardText(const ChartLine& line) {
    static const char* const names[] = {"", "A", "2", "3", "4", "5", "6", "7",
                                        "8", "9", "10", "J", "Q", "K", "A"};
    std::vector<int> ranks;
    for (int rank = 2; rank <= 14; ++rank) {
        int r = rank == 14 ? 1 : rank;
        HoldShape s = {1, line.joker, -1, kDistinct, true, RoyalRank(r), WaysOf(r, r)};
        if (LineFits(line, s)) ranks.push_back(rank);
    }
    std::string text;
    size_t i = 0;
    while (i < ranks.size()) {
        size_t j = i;
        while (j + 1 < ranks.size() && ranks[j + 1] == ranks[j] + 1) ++j;
        std::string part = names[ranks[i]];
        if (j >= i + 2) part += std::string(" to ") + names[ranks[j]];
        else if (j == i + 1) part += std::string(", ") + names[ranks[j]];
        if (!text.empty()) part = (i + 1 < ranks.size() || j > i ? ", " : " or ") + part;
        text += part;
        i = j + 1;
    }
    return "a single " + text;
}

}  // namespace

int ShapeKey(const HoldShape& s) {
    return (s.made + 1) | s.group << 4 | s.naturals << 7 | int(s.joker) << 10 |
           int(s.suited) << 11 | int(s.royal) << 12 | s.ways << 13;
}

HoldShape ShapeOfKey(int key) {
    HoldShape s;
    s.made = (key & 15) - 1;
    s.group = key >> 4 & 7;
    s.naturals = key >> 7 & 7;
    s.joker = key >> 10 & 1;
    s.suited = key >> 11 & 1;
    s.royal = key >> 12 & 1;
    s.ways = key >> 13 & 7;
    return s;
}

HoldShape ShapeOf(const Card deal[5], int mask, int64_t* order) {
    HoldShape s = {0, false, -1, kDistinct, true, true, 0};
    int rankCount[14] = {};
    int suit = -1;
    int low = 14, high = 0;
    int held = 0;
    int highFirst[5];
    for (int i = 0; i < 5; ++i) {
        if (!(mask & (1 << i))) continue;
        ++held;
        if (deal[i] == kJoker) {
            s.joker = true;
            continue;
        }
        int rank = CardRank(deal[i]);
        highFirst[s.naturals++] = rank == 1 ? 14 : rank;
        ++rankCount[rank];
        if (suit >= 0 && CardSuit(deal[i]) != suit) s.suited = false;
        suit = CardSuit(deal[i]);
        s.royal = s.royal && RoyalRank(rank);
        low = std::min(low, rank);
        high = std::max(high, rank);
    }
    if (held == 5) s.made = EvaluateHand(deal);
    int pairs = 0, trips = 0, quads = 0, singles = 0;
    for (int rank = 1; rank <= 13; ++rank) {
        if (rankCount[rank] == 1) ++singles;
        if (rankCount[rank] == 2) ++pairs;
        if (rankCount[rank] == 3) ++trips;
        if (rankCount[rank] == 4) ++quads;
    }
    if (pairs + trips + quads == 0) {
        s.group = kDistinct;
        s.ways = s.naturals > 0 ? WaysOf(low, high) : 0;
    } else {
        s.suited = false;
        s.royal = false;
        if (singles > 0 || pairs + trips + quads > 2 || trips + quads > 1 ||
            (pairs == 1 && (trips + quads) == 1))
            s.group = kMixed;
        else if (quads) s.group = kQuads;
        else if (trips) s.group = kTrips;
        else s.group = pairs == 2 ? kTwoPair : kPair;
    }
    if (order != nullptr) {
        int wasted = 0;
        for (int i = 0; i < 5 && s.group == kDistinct && s.naturals > 0; ++i) {
            if (mask & (1 << i)) continue;
            // The joker (rank 99) lies in no straight of its own; a bound
            // the compiler can see keeps the count's index in range.
            int rank = CardRank(deal[i]);
            if (rank < 1 || rank > 13) continue;
            if (rankCount[rank] == 0)
                wasted += WaysOf(std::min(low, rank), std::max(high, rank));
            if (s.suited && CardSuit(deal[i]) == suit) wasted += kSuitWaste;
        }
        for (int i = 1; i < s.naturals && i < 5; ++i)
            for (int j = i; j > 0 && highFirst[j] > highFirst[j - 1]; --j)
                std::swap(highFirst[j], highFirst[j - 1]);
        int64_t key = s.ways * 64 + (63 - wasted);
        for (int i = 0; i < 5; ++i) key = key * 16 + (i < s.naturals ? highFirst[i] : 0);
        *order = key;
    }
    return s;
}

bool LineFits(const ChartLine& line, const HoldShape& s) {
    if (line.shape == LineShape::MadeHand) return s.made == line.category;
    // The categories are numbered from the highest payout down.
    if (line.shape == LineShape::MadeAtLeast) return s.made > Nothing && s.made <= line.category;
    if (s.made >= 0 || s.joker != line.joker) return false;
    bool distinct = s.group == kDistinct;
    switch (line.shape) {
    case LineShape::FourOfAKind: return s.group == kQuads;
    case LineShape::ThreeOfAKind: return s.group == kTrips;
    case LineShape::TwoPair: return s.group == kTwoPair;
    case LineShape::Pair: return s.group == kPair;
    case LineShape::RoyalDraw:
        return distinct && s.naturals == line.naturals && s.suited && s.royal &&
               WaysFit(line, s.ways);
    case LineShape::StraightFlushDraw:
        return distinct && s.naturals == line.naturals && s.suited && s.ways > 0 &&
               WaysFit(line, s.ways);
    case LineShape::FlushDraw: return distinct && s.naturals == line.naturals && s.suited;
    case LineShape::StraightDraw:
        return distinct && s.naturals == line.naturals && s.ways > 0 && WaysFit(line, s.ways);
    case LineShape::JokerAlone: return s.naturals == 0;
    case LineShape::DrawFive: return s.naturals == 0;
    case LineShape::MadeHand:
    case LineShape::MadeAtLeast: break;
    }
    return false;
}


std::string LineText(const ChartLine& line) {
    std::string joker = line.joker ? "the joker with " : "";
    switch (line.shape) {
    case LineShape::MadeHand:
        switch (line.category) {
        case RoyalFlush: return "a natural royal flush";
        case FiveOfAKind: return "five of a kind";
        case WildRoyalFlush: return "a royal flush with the joker";
        case StraightFlush: return "a straight flush";
        case FullHouse: return "a full house";
        case Flush: return "a flush";
        case Straight: return "a straight";
        default: return std::string("all five: ") + HandName(line.category);
        }
    case LineShape::MadeAtLeast: {
        ChartLine made = line;
        made.shape = LineShape::MadeHand;
        return LineText(made) + " or better";
    }
    case LineShape::FourOfAKind: return joker + "four of a kind";
    case LineShape::ThreeOfAKind: return joker + "three of a kind";
    case LineShape::TwoPair: return joker + "two pair";
    case LineShape::Pair: return joker + "a pair";
    case LineShape::JokerAlone: return "the joker alone";
    case LineShape::DrawFive: return "nothing: draw five new cards";
    default: break;
    }
    std::string what;
    if (line.naturals == 1) {
        what = SingleCardText(line);
    } else {
        what = std::string(kCountWords[line.naturals]) + " to a ";
        switch (line.shape) {
        case LineShape::RoyalDraw: what += "royal flush"; break;
        case LineShape::StraightFlushDraw: what += "straight flush"; break;
        case LineShape::FlushDraw: what += "flush"; break;
        default: what += "straight"; break;
        }
        int most = line.shape == LineShape::RoyalDraw ? 5 - line.naturals : 6 - line.naturals;
        if (line.ways == 1 && line.shape == LineShape::RoyalDraw) what += ", in a straight";
        else if (line.ways == most) what += std::string(", ") + kCountWords[line.ways] + " ways";
        else if (line.ways > 1) what += std::string(", ") + kCountWords[line.ways] + " or more ways";
    }
    return joker + what;
}

namespace {

// The first line of the chart that fits the shape, or the number of lines.
int FirstLineOf(const StrategyChart& chart, const HoldShape& s) {
    int line = 0;
    while (line < int(chart.lines.size()) && !LineFits(chart.lines[size_t(line)], s)) ++line;
    return line;
}

// The one rule of a chart's hold: each hold's first line, `firstLine(shape)`
// (the number of lines when none fits), the first of those decides, then
// the order of ShapeOf; -1 when no line fits any hold.
template <typename FirstLine>
int ChooseHold(const Card deal[5], int lines, FirstLine firstLine, int* lineIndex) {
    int best = -1;
    int bestLine = lines;
    int64_t bestOrder = 0;
    for (int mask = 0; mask < kHoldCount; ++mask) {
        int64_t order;
        HoldShape s = ShapeOf(deal, mask, &order);
        int line = firstLine(s);
        if (line < bestLine || (line == bestLine && line < lines && order > bestOrder)) {
            best = mask;
            bestLine = line;
            bestOrder = order;
        }
    }
    if (lineIndex != nullptr) *lineIndex = best < 0 ? -1 : bestLine;
    return best;
}

}  // namespace

int ChartHold(const StrategyChart& chart, const Card deal[5], int* lineIndex) {
    if (lineIndex != nullptr) *lineIndex = -1;
    if (!DealIsOfDeck(chart.deckSize, deal)) return -1;
    return ChooseHold(deal, int(chart.lines.size()),
                      [&](const HoldShape& s) { return FirstLineOf(chart, s); }, lineIndex);
}

void PlayChart(const OddsTables& tables, const StrategyChart& chart, int threads,
               ChartPlay& result) {
    const int deckSize = chart.deckSize;
    const size_t lines = chart.lines.size();
    // Each shape's first line, found once rather than for every deal.
    std::vector<uint16_t> firstLine(kShapeKeys);
    for (int key = 0; key < kShapeKeys; ++key)
        firstLine[size_t(key)] = uint16_t(FirstLineOf(chart, ShapeOfKey(key)));

    if (threads < 1) threads = 1;
    std::vector<ChartPlay> parts(static_cast<size_t>(threads));
    for (ChartPlay& part : parts) {
        part.lineDeals.assign(lines, 0);
        part.linePay.assign(lines, {});
        part.lineLoss.assign(lines, 0);
    }
    ForEachDealClass(tables, deckSize, threads, [&](int t, const DealClass& deal,
                                                    const Card cards[5],
                                                    const HoldOutcome outcomes[kHoldCount]) {
        ChartPlay& part = parts[size_t(t)];
        int line = -1;
        int mask = ChooseHold(cards, int(lines), [&](const HoldShape& s) {
            return int(firstLine[size_t(ShapeKey(s))]);
        }, &line);
        if (mask < 0) return;    // a chart without its last line
        const HoldOutcome& chosen = outcomes[mask];
        CountDeal(part.play, deal.weight, EvaluateHand(cards), chosen);
        part.lineDeals[size_t(line)] += deal.weight;
        part.linePay[size_t(line)][size_t(chosen.held)] += deal.weight * chosen.pay;
        double best = 0;
        for (int m = 0; m < kHoldCount; ++m)
            best = std::max(best, double(outcomes[m].pay) / double(outcomes[m].draws));
        part.lineLoss[size_t(line)] +=
            deal.weight * (best - double(chosen.pay) / double(chosen.draws));
    });

    result = ChartPlay();
    result.play.deckSize = deckSize;
    result.play.deals = Binomial(deckSize, 5);
    result.lineDeals.assign(lines, 0);
    result.linePay.assign(lines, {});
    result.lineLoss.assign(lines, 0);
    for (const ChartPlay& part : parts) {
        MergeAnalysis(part.play, result.play);
        for (size_t l = 0; l < lines; ++l) {
            result.lineDeals[l] += part.lineDeals[l];
            result.lineLoss[l] += part.lineLoss[l];
            for (int k = 0; k <= 5; ++k) result.linePay[l][size_t(k)] += part.linePay[l][size_t(k)];
        }
    }
}

std::string ChartSource(const StrategyChart& chart) {
    static const char* const shapes[] = {
        "MadeHand", "FourOfAKind", "ThreeOfAKind", "TwoPair", "Pair", "RoyalDraw",
        "StraightFlushDraw", "FlushDraw", "StraightDraw", "JokerAlone", "DrawFive",
        "MadeAtLeast"};
    std::string text;
    for (const ChartLine& line : chart.lines) {
        text += std::string("    {LineShape::") + shapes[int(line.shape)] + ", " +
                HandCategoryName(line.category) + ", " + std::to_string(line.naturals) + ", " +
                (line.joker ? "true" : "false") + ", " + std::to_string(line.ways) + "},\n";
    }
    return text;
}
