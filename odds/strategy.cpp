#include "odds/strategy.h"

#include <algorithm>
#include <thread>

#include "engine/payout.h"

namespace {

constexpr int kCategories = kHandCategoryCount;

// The held cards as the lines see them.
enum Group { kDistinct, kQuads, kTrips, kTwoPair, kPair, kMixed };

struct HoldShape {
    int naturals;
    bool joker;
    int made;       // all five held: their category; else -1
    int group;      // Group of the natural ranks
    bool suited;    // the naturals share one suit (trivially with one)
    bool royal;     // every natural is a 10, J, Q, K or A
    int ways;       // straights holding every natural (distinct ranks only)
};

// Packed into 16 bits, so that what a chart does with a shape can be
// looked up once for every deal.
constexpr int kShapeKeys = 1 << 16;

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

// The shape of the cards of `mask`, and the order of holds that fit one
// line: more ways first, then the fewer chances thrown away (a discarded
// card counts once for each of the draw's straights it lies in, and
// kSuitWaste more when it is of the suit of the held naturals), then
// the higher cards, the ace high.
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

bool WaysFit(const ChartLine& line, int ways) { return ways >= line.ways; }

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

bool DealIsOfDeck(int deckSize, const Card deal[5]) {
    if (deckSize != kNaturalCards && deckSize != kDeckSize) return false;
    for (int i = 0; i < 5; ++i) {
        if (deal[i] < 0 || deal[i] >= deckSize) return false;
        for (int j = 0; j < i; ++j)
            if (deal[j] == deal[i]) return false;
    }
    return true;
}

// For every shape key, the first line of the chart that fits it, or the
// number of lines when none does.
std::vector<uint16_t> FirstLineByKey(const StrategyChart& chart) {
    std::vector<uint16_t> first(kShapeKeys, uint16_t(chart.lines.size()));
    for (int key = 0; key < kShapeKeys; ++key) {
        HoldShape s = ShapeOfKey(key);
        for (size_t i = 0; i < chart.lines.size(); ++i) {
            if (LineFits(chart.lines[i], s)) {
                first[size_t(key)] = uint16_t(i);
                break;
            }
        }
    }
    return first;
}

// The chart's hold of one deal from the per-key first lines.
int ChooseHold(const std::vector<uint16_t>& firstLine, const Card deal[5], int* lineIndex) {
    int best = -1;
    int bestLine = 0x10000;
    int64_t bestOrder = 0;
    for (int mask = 0; mask < kHoldCount; ++mask) {
        int64_t order;
        HoldShape s = ShapeOf(deal, mask, &order);
        int line = firstLine[size_t(ShapeKey(s))];
        if (line < bestLine || (line == bestLine && order > bestOrder)) {
            best = mask;
            bestLine = line;
            bestOrder = order;
        }
    }
    if (lineIndex != nullptr) *lineIndex = bestLine;
    return best;
}

template <typename Body>
void ParallelRange(int64_t count, int threads, Body body) {
    if (threads < 1 || count < threads) threads = 1;
    std::vector<std::thread> workers;
    for (int t = 0; t + 1 < threads; ++t)
        workers.emplace_back(body, t, count * t / threads, count * (t + 1) / threads);
    body(threads - 1, count * (threads - 1) / threads, count);
    for (std::thread& worker : workers) worker.join();
}

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
        default: return std::string("all five: ") + PayoutTable[line.category].name;
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

int ChartHold(const StrategyChart& chart, const Card deal[5], int* lineIndex) {
    if (lineIndex != nullptr) *lineIndex = -1;
    if (!DealIsOfDeck(chart.deckSize, deal)) return -1;
    HoldShape shapes[kHoldCount];
    int64_t orders[kHoldCount];
    for (int mask = 0; mask < kHoldCount; ++mask) shapes[mask] = ShapeOf(deal, mask, &orders[mask]);
    for (size_t i = 0; i < chart.lines.size(); ++i) {
        int best = -1;
        for (int mask = 0; mask < kHoldCount; ++mask)
            if (LineFits(chart.lines[i], shapes[mask]) && (best < 0 || orders[mask] > orders[best]))
                best = mask;
        if (best >= 0) {
            if (lineIndex != nullptr) *lineIndex = int(i);
            return best;
        }
    }
    return -1;
}

void PlayChart(const OddsTables& tables, const StrategyChart& chart, int threads,
               ChartPlay& result) {
    const int deckSize = chart.deckSize;
    std::vector<DealClass> classes;
    EnumerateDealClasses(deckSize, classes);
    std::vector<uint16_t> firstLine = FirstLineByKey(chart);
    const size_t lines = chart.lines.size();

    if (threads < 1) threads = 1;
    std::vector<ChartPlay> parts(static_cast<size_t>(threads));
    for (ChartPlay& part : parts) {
        part.lineDeals.assign(lines, 0);
        part.linePay.assign(lines, {});
        part.lineLoss.assign(lines, 0);
    }
    ParallelRange(int64_t(classes.size()), threads, [&](int t, int64_t begin, int64_t end) {
        ChartPlay& part = parts[size_t(t)];
        DeckAnalysis& play = part.play;
        for (int64_t i = begin; i < end; ++i) {
            const DealClass& deal = classes[size_t(i)];
            Card cards[5];
            for (int c = 0; c < 5; ++c) cards[c] = deal.cards[c];
            HoldOutcome outcomes[kHoldCount];
            EvaluateHolds(tables, deckSize, cards, outcomes);
            int line = 0;
            const HoldOutcome& chosen = outcomes[ChooseHold(firstLine, cards, &line)];
            if (size_t(line) >= lines) continue;   // a chart without its last line
            play.dealClasses += 1;
            play.dealCounts[EvaluateHand(cards)] += deal.weight;
            play.dealsByHeld[chosen.held] += deal.weight;
            play.payByHeld[chosen.held] += deal.weight * chosen.pay;
            for (int c = 0; c < kCategories; ++c)
                play.countsByHeld[chosen.held][c] += deal.weight * chosen.counts[c];
            part.lineDeals[size_t(line)] += deal.weight;
            part.linePay[size_t(line)][size_t(chosen.held)] += deal.weight * chosen.pay;
            double best = 0;
            for (const HoldOutcome& outcome : outcomes)
                best = std::max(best, double(outcome.pay) / double(outcome.draws));
            part.lineLoss[size_t(line)] +=
                deal.weight * (best - double(chosen.pay) / double(chosen.draws));
        }
    });

    result = ChartPlay();
    result.play.deckSize = deckSize;
    result.play.deals = Binomial(deckSize, 5);
    result.lineDeals.assign(lines, 0);
    result.linePay.assign(lines, {});
    result.lineLoss.assign(lines, 0);
    for (const ChartPlay& part : parts) {
        DeckAnalysis& into = result.play;
        into.dealClasses += part.play.dealClasses;
        for (int c = 0; c < kCategories; ++c) into.dealCounts[c] += part.play.dealCounts[c];
        for (int k = 0; k <= 5; ++k) {
            into.dealsByHeld[k] += part.play.dealsByHeld[k];
            into.payByHeld[k] += part.play.payByHeld[k];
            for (int c = 0; c < kCategories; ++c)
                into.countsByHeld[k][c] += part.play.countsByHeld[k][c];
        }
        for (size_t l = 0; l < lines; ++l) {
            result.lineDeals[l] += part.lineDeals[l];
            result.lineLoss[l] += part.lineLoss[l];
            for (int k = 0; k <= 5; ++k) result.linePay[l][size_t(k)] += part.linePay[l][size_t(k)];
        }
    }
}

namespace {

// Every line a chart may use for the deck: each shape with the joker and
// without (with the 53-card deck), and draws both for any number of ways
// and for each exact number.
std::vector<ChartLine> CandidateLines(int deckSize) {
    std::vector<ChartLine> lines;
    const int jokers = deckSize == kDeckSize ? 2 : 1;
    for (int category : {RoyalFlush, FiveOfAKind, WildRoyalFlush, StraightFlush, FullHouse, Flush,
                         Straight}) {
        if (deckSize == kNaturalCards && (category == FiveOfAKind || category == WildRoyalFlush))
            continue;
        lines.push_back({LineShape::MadeHand, category, 0, false, -1});
        if (category >= StraightFlush)
            lines.push_back({LineShape::MadeAtLeast, category, 0, false, -1});
    }
    lines.push_back({LineShape::FourOfAKind, 0, 4, false, -1});
    for (int j = 0; j < jokers; ++j) {
        lines.push_back({LineShape::ThreeOfAKind, 0, 3, j == 1, -1});
        lines.push_back({LineShape::Pair, 0, 2, j == 1, -1});
    }
    lines.push_back({LineShape::TwoPair, 0, 4, false, -1});
    for (int j = 0; j < jokers; ++j) {
        for (int n = 1; n + j <= 4; ++n) {
            // Royal draws: n cards of 10..A span at least n ranks.
            lines.push_back({LineShape::RoyalDraw, 0, n, j == 1, -1});
            for (int ways = 1; ways <= 5 - n; ++ways)
                lines.push_back({LineShape::RoyalDraw, 0, n, j == 1, ways});
            if (n >= 2) {
                lines.push_back({LineShape::StraightFlushDraw, 0, n, j == 1, -1});
                for (int ways = 2; ways <= 6 - n; ++ways)
                    lines.push_back({LineShape::StraightFlushDraw, 0, n, j == 1, ways});
                lines.push_back({LineShape::FlushDraw, 0, n, j == 1, -1});
            }
            lines.push_back({LineShape::StraightDraw, 0, n, j == 1, -1});
            for (int ways = 2; ways <= 6 - n; ++ways)
                lines.push_back({LineShape::StraightDraw, 0, n, j == 1, ways});
        }
    }
    if (deckSize == kDeckSize) lines.push_back({LineShape::JokerAlone, 0, 0, true, -1});
    lines.push_back({LineShape::DrawFive, 0, 0, false, -1});
    return lines;
}

// One deal class as the derivation needs it: for each candidate line that
// some hold fits, the value of the hold that line would pick.
struct Entry {
    double value;
    int line;
};

struct Derivation {
    std::vector<ChartLine> candidates;
    std::vector<double> weight;         // per deal class
    std::vector<double> bestValue;      // per deal class
    std::vector<size_t> start;          // entries of class d: start[d] .. start[d + 1]
    std::vector<Entry> entries;
    std::vector<std::vector<std::pair<int, int>>> byLine;   // (class, entry) per line
};

void CollectEntries(const OddsTables& tables, int deckSize, int threads, Derivation& work) {
    std::vector<DealClass> classes;
    EnumerateDealClasses(deckSize, classes);
    const size_t lineCount = work.candidates.size();
    std::vector<std::vector<uint16_t>> fitting(kShapeKeys);
    for (int key = 0; key < kShapeKeys; ++key) {
        HoldShape s = ShapeOfKey(key);
        for (size_t l = 0; l < lineCount; ++l)
            if (LineFits(work.candidates[l], s)) fitting[size_t(key)].push_back(uint16_t(l));
    }
    struct Part {
        std::vector<double> weight, best;
        std::vector<size_t> counts;
        std::vector<Entry> entries;
    };
    if (threads < 1) threads = 1;
    std::vector<Part> parts(static_cast<size_t>(threads));
    ParallelRange(int64_t(classes.size()), threads, [&](int t, int64_t begin, int64_t end) {
        Part& part = parts[size_t(t)];
        std::vector<int> chosen(lineCount, -1);
        std::vector<int64_t> chosenOrder(lineCount, 0);
        std::vector<uint16_t> seen;
        for (int64_t i = begin; i < end; ++i) {
            const DealClass& deal = classes[size_t(i)];
            Card cards[5];
            for (int c = 0; c < 5; ++c) cards[c] = deal.cards[c];
            HoldOutcome outcomes[kHoldCount];
            EvaluateHolds(tables, deckSize, cards, outcomes);
            double best = 0;
            seen.clear();
            for (int mask = 0; mask < kHoldCount; ++mask) {
                int64_t order;
                HoldShape s = ShapeOf(cards, mask, &order);
                best = std::max(best, double(outcomes[mask].pay) / double(outcomes[mask].draws));
                for (uint16_t l : fitting[size_t(ShapeKey(s))]) {
                    if (chosen[l] < 0) seen.push_back(l);
                    if (chosen[l] < 0 || order > chosenOrder[l]) {
                        chosen[l] = mask;
                        chosenOrder[l] = order;
                    }
                }
            }
            part.weight.push_back(deal.weight);
            part.best.push_back(best);
            part.counts.push_back(seen.size());
            for (uint16_t l : seen) {
                const HoldOutcome& o = outcomes[chosen[l]];
                part.entries.push_back({double(o.pay) / double(o.draws), l});
                chosen[l] = -1;
            }
        }
    });
    work.start.assign(1, 0);
    for (const Part& part : parts) {
        work.weight.insert(work.weight.end(), part.weight.begin(), part.weight.end());
        work.bestValue.insert(work.bestValue.end(), part.best.begin(), part.best.end());
        for (size_t count : part.counts) work.start.push_back(work.start.back() + count);
        work.entries.insert(work.entries.end(), part.entries.begin(), part.entries.end());
    }
    work.byLine.assign(lineCount, {});
    for (size_t d = 0; d + 1 < work.start.size(); ++d)
        for (size_t e = work.start[d]; e < work.start[d + 1]; ++e)
            work.byLine[size_t(work.entries[e].line)].push_back({int(d), int(e)});
}

// A ranking of all candidates: those before the DrawFive line are the
// chart, those after it are unused.  For every deal class it keeps the
// entries of the first two lines that fit: moving one line never changes
// the order of the others, so only the classes that the moved line fits
// need a look.
struct Ranking {
    std::vector<int> order;
    std::vector<int> position;
    std::vector<size_t> first, second;  // entries per deal class

    void FindFirstTwo(const Derivation& work, size_t d) {
        size_t none = work.entries.size();
        size_t a = none, b = none;
        for (size_t e = work.start[d]; e < work.start[d + 1]; ++e) {
            int p = position[size_t(work.entries[e].line)];
            if (a == none || p < position[size_t(work.entries[a].line)]) {
                b = a;
                a = e;
            } else if (b == none || p < position[size_t(work.entries[b].line)]) {
                b = e;
            }
        }
        first[d] = a;
        second[d] = b;
    }
    void Place(const Derivation& work) {
        position.assign(order.size(), 0);
        for (size_t i = 0; i < order.size(); ++i) position[size_t(order[i])] = int(i);
        size_t deals = work.start.size() - 1;
        first.assign(deals, 0);
        second.assign(deals, 0);
        for (size_t d = 0; d < deals; ++d) FindFirstTwo(work, d);
    }
    // The first entry of class d other than one of `line`; none: the end.
    size_t FirstBut(const Derivation& work, size_t d, int line) const {
        size_t e = first[d];
        return work.entries[e].line == line ? second[d] : e;
    }
};

// What the chart gains with `line` at each place of the ranking without
// it (place q: before the line now at q), against having it nowhere; the
// places up to `drawFivePlace` are in use.
std::vector<double> PlaceGains(const Derivation& work, const Ranking& ranking, int line,
                               int drawFive, int& drawFivePlace) {
    const int n = int(ranking.order.size());
    const int from = ranking.position[size_t(line)];
    std::vector<double> gain(size_t(n) + 1, 0.0);
    auto reduced = [&](int other) {
        int p = ranking.position[size_t(other)];
        return p > from ? p - 1 : p;
    };
    for (const std::pair<int, int>& hit : work.byLine[size_t(line)]) {
        const size_t d = size_t(hit.first);
        size_t other = ranking.FirstBut(work, d, line);
        int first = n;
        double firstValue = 0;
        if (other < work.entries.size()) {
            first = reduced(work.entries[other].line);
            firstValue = work.entries[other].value;
        }
        double delta = work.weight[d] * (work.entries[size_t(hit.second)].value - firstValue);
        gain[0] += delta;
        gain[size_t(first) + 1] -= delta;
    }
    for (int q = 1; q < n; ++q) gain[size_t(q)] += gain[size_t(q) - 1];
    gain.resize(size_t(n));
    drawFivePlace = reduced(drawFive);
    return gain;
}

// The place of `line` where the chart gains most, with a price of
// `linePrice` (in return per coin times deals) on every line in use and no
// place in use for a line not in use once the chart has `maxLines` lines;
// what it gains there over its present place.
double BestPlace(const Derivation& work, const Ranking& ranking, int line, int drawFive,
                 double linePrice, int maxLines, int& bestPlace) {
    int drawFivePlace;
    std::vector<double> gain = PlaceGains(work, ranking, line, drawFive, drawFivePlace);
    const int from = ranking.position[size_t(line)];
    const bool inUse = from < ranking.position[size_t(drawFive)];
    const bool mayJoin = inUse || drawFivePlace + 1 < maxLines;
    bestPlace = from;
    double bestScore = -1e300, fromScore = 0;
    for (int q = 0; q < int(gain.size()); ++q) {
        bool used = q <= drawFivePlace;
        double score = gain[size_t(q)] - (used ? linePrice : 0);
        if (q == from) fromScore = score;
        if (used && !mayJoin) continue;
        if (score > bestScore + 1e-9) {
            bestScore = score;
            bestPlace = q;
        }
    }
    return bestScore - fromScore;
}

void MoveLine(const Derivation& work, Ranking& ranking, int line, int place) {
    ranking.order.erase(ranking.order.begin() + ranking.position[size_t(line)]);
    ranking.order.insert(ranking.order.begin() + place, line);
    for (size_t i = 0; i < ranking.order.size(); ++i)
        ranking.position[size_t(ranking.order[i])] = int(i);
    for (const std::pair<int, int>& hit : work.byLine[size_t(line)])
        ranking.FindFirstTwo(work, size_t(hit.first));
}

// The chart's value over every deal class, less the price of its lines.
double Score(const Derivation& work, const Ranking& ranking, int drawFive, double linePrice) {
    double total = 0;
    for (size_t d = 0; d < ranking.first.size(); ++d)
        total += work.weight[d] * work.entries[ranking.first[d]].value;
    return total - linePrice * (ranking.position[size_t(drawFive)] + 1);
}

// The same over the deal classes where `line` fits some hold, without the
// price: all that a move of the line or of a refinement of it changes.
double ScoreWhere(const Derivation& work, const Ranking& ranking, int line) {
    double total = 0;
    for (const std::pair<int, int>& hit : work.byLine[size_t(line)]) {
        const size_t d = size_t(hit.first);
        total += work.weight[d] * work.entries[ranking.first[d]].value;
    }
    return total;
}

// A line that fits a subset of another's holds: the same shape with more
// ways asked.
bool Refines(const ChartLine& fine, const ChartLine& coarse) {
    return fine.shape == coarse.shape && fine.naturals == coarse.naturals &&
           fine.joker == coarse.joker && fine.category == coarse.category &&
           fine.ways > coarse.ways;
}

// Moves each line in turn to the place where the chart gains most, until
// no move gains.  A line that a better part of its holds keeps too high
// is also tried below a refinement of itself put in its place.
void ImproveRanking(const Derivation& work, int drawFive, double linePrice, int maxLines,
                    Ranking& ranking) {
    const int n = int(ranking.order.size());
    for (int round = 0; round < 50; ++round) {
        bool moved = false;
        for (int line = 0; line < n; ++line) {
            if (line == drawFive) continue;
            int place;
            if (BestPlace(work, ranking, line, drawFive, linePrice, maxLines, place) > 1e-9) {
                MoveLine(work, ranking, line, place);
                moved = true;
            }
        }
        for (int coarse = 0; coarse < n; ++coarse) {
            if (ranking.position[size_t(coarse)] >= ranking.position[size_t(drawFive)]) continue;
            for (int fine = 0; fine < n; ++fine) {
                if (!Refines(work.candidates[size_t(fine)], work.candidates[size_t(coarse)]))
                    continue;
                bool joins = ranking.position[size_t(fine)] > ranking.position[size_t(drawFive)];
                if (joins && ranking.position[size_t(drawFive)] + 1 >= maxLines) continue;
                Ranking trial = ranking;
                MoveLine(work, trial, fine, trial.position[size_t(coarse)]);
                int place;
                BestPlace(work, trial, coarse, drawFive, linePrice, maxLines + 1, place);
                MoveLine(work, trial, coarse, place);
                auto used = [&](const Ranking& r) {
                    return r.position[size_t(drawFive)] + 1;
                };
                double gain = ScoreWhere(work, trial, coarse) - ScoreWhere(work, ranking, coarse) -
                              linePrice * (used(trial) - used(ranking));
                if (gain > 1e-9) {
                    ranking = trial;
                    moved = true;
                }
            }
        }
        if (!moved) break;
    }
}

// With the chart full: drops one of the lines in use that cost least for
// one of the unused lines that gain most, the pair that gains most, while
// that pays.
bool ExchangeLines(const Derivation& work, int drawFive, Ranking& ranking) {
    constexpr size_t kTried = 6;
    const int n = int(ranking.order.size());
    const int used = ranking.position[size_t(drawFive)];
    std::vector<std::pair<double, int>> costs, gains;
    for (int line = 0; line < n; ++line) {
        if (line == drawFive) continue;
        int drawFivePlace;
        std::vector<double> gain = PlaceGains(work, ranking, line, drawFive, drawFivePlace);
        int from = ranking.position[size_t(line)];
        if (from < used) {
            costs.push_back({gain[size_t(from)] - gain.back(), line});
        } else {
            double best = *std::max_element(gain.begin(), gain.begin() + drawFivePlace + 1);
            gains.push_back({gain.back() - best, line});
        }
    }
    std::sort(costs.begin(), costs.end());
    std::sort(gains.begin(), gains.end());
    double score = Score(work, ranking, drawFive, 0);
    Ranking best = ranking;
    double bestScore = score;
    for (size_t a = 0; a < std::min(kTried, costs.size()); ++a) {
        for (size_t b = 0; b < std::min(kTried, gains.size()); ++b) {
            if (-gains[b].first <= costs[a].first + 1e-9) continue;
            Ranking trial = ranking;
            MoveLine(work, trial, costs[a].second, n - 1);
            int place;
            BestPlace(work, trial, gains[b].second, drawFive, 0, n + 1, place);
            MoveLine(work, trial, gains[b].second, place);
            double trialScore = Score(work, trial, drawFive, 0);
            if (trialScore > bestScore + 1e-9) {
                best = trial;
                bestScore = trialScore;
            }
        }
    }
    if (bestScore <= score + 1e-9) return false;
    ranking = best;
    return true;
}

// Moves every line in use up to the highest place where the chart is
// as good: a line that then covers another makes that one free to drop.
void LiftLines(const Derivation& work, int drawFive, Ranking& ranking) {
    for (int line = 0; line < int(ranking.order.size()); ++line) {
        const int from = ranking.position[size_t(line)];
        if (line == drawFive || from >= ranking.position[size_t(drawFive)]) continue;
        int drawFivePlace;
        std::vector<double> gain = PlaceGains(work, ranking, line, drawFive, drawFivePlace);
        int place = from;
        while (place > 0 && gain[size_t(place) - 1] >= gain[size_t(from)] - 1e-9) --place;
        if (place < from) MoveLine(work, ranking, line, place);
    }
}

int LinesInUse(const Ranking& ranking, int drawFive) { return ranking.position[size_t(drawFive)] + 1; }

}  // namespace

void DeriveChart(const OddsTables& tables, int deckSize, int maxLines, int threads,
                 StrategyChart& chart) {
    Derivation work;
    work.candidates = CandidateLines(deckSize);
    CollectEntries(tables, deckSize, threads, work);
    const int n = int(work.candidates.size());
    const int drawFive = n - 1;

    // First order: by the mean value of each line's hold over the deals
    // where it is the best hold; lines that are never best go unused.
    std::vector<double> sum(size_t(n), 0), weight(size_t(n), 0);
    for (size_t d = 0; d + 1 < work.start.size(); ++d) {
        for (size_t e = work.start[d]; e < work.start[d + 1]; ++e) {
            const Entry& entry = work.entries[e];
            if (entry.value >= work.bestValue[d] - 1e-12) {
                sum[size_t(entry.line)] += work.weight[d] * entry.value;
                weight[size_t(entry.line)] += work.weight[d];
            }
        }
    }
    Ranking ranking;
    for (int l = 0; l < n; ++l) ranking.order.push_back(l);
    auto mean = [&](int l) {
        if (l == drawFive) return -1.0;
        return weight[size_t(l)] > 0 ? sum[size_t(l)] / weight[size_t(l)] : -2.0;
    };
    std::stable_sort(ranking.order.begin(), ranking.order.end(),
                     [&](int a, int b) { return mean(a) > mean(b); });
    ranking.Place(work);
    ImproveRanking(work, drawFive, 0, n, ranking);

    // Then a price on every line, raised until the chart is short enough,
    // and the lines freed filled again with the best of the unused ones.
    double total = 0;
    for (double w : work.weight) total += w;
    // Raised in small steps: a price far above what the last line needed
    // drops lines that the exchanges below cannot bring back.
    constexpr double kPriceGrowth = 1.2;
    double price = 0;
    for (double step = 1e-7 * total; LinesInUse(ranking, drawFive) > maxLines; step *= kPriceGrowth) {
        price += step;
        ImproveRanking(work, drawFive, price, maxLines, ranking);
    }
    ImproveRanking(work, drawFive, 1e-9 * total, maxLines, ranking);
    LiftLines(work, drawFive, ranking);
    ImproveRanking(work, drawFive, 1e-9 * total, maxLines, ranking);
    for (int exchange = 0; exchange < 100; ++exchange) {
        if (!ExchangeLines(work, drawFive, ranking)) break;
        ImproveRanking(work, drawFive, 1e-9 * total, maxLines, ranking);
    }

    chart = StrategyChart();
    chart.deckSize = deckSize;
    for (int l : ranking.order) {
        chart.lines.push_back(work.candidates[size_t(l)]);
        if (l == drawFive) break;
    }
}

std::string ReturnDifferenceText(const DeckAnalysis& better, const DeckAnalysis& worse,
                                 int decimals) {
    // One exact term per number of held cards, as the returns themselves.
    int64_t numerators[6];
    int64_t denominators[6];
    for (int k = 0; k <= 5; ++k) {
        denominators[k] = Binomial(better.deckSize - 5, 5 - k) * better.deals;
        numerators[k] = better.payByHeld[k] - worse.payByHeld[k];
    }
    return SumText(numerators, denominators, 6, decimals < 1 ? 1 : decimals);
}

std::string ChartSource(const StrategyChart& chart) {
    static const char* const shapes[] = {
        "MadeHand", "FourOfAKind", "ThreeOfAKind", "TwoPair", "Pair", "RoyalDraw",
        "StraightFlushDraw", "FlushDraw", "StraightDraw", "JokerAlone", "DrawFive",
        "MadeAtLeast"};
    static const char* const categories[] = {
        "Nothing", "RoyalFlush", "FiveOfAKind", "WildRoyalFlush", "StraightFlush", "FourOfAKind",
        "FullHouse", "Flush", "Straight", "ThreeOfAKind", "TwoPair"};
    std::string text;
    for (const ChartLine& line : chart.lines) {
        text += std::string("    {LineShape::") + shapes[int(line.shape)] + ", " +
                categories[line.category] + ", " + std::to_string(line.naturals) + ", " +
                (line.joker ? "true" : "false") + ", " + std::to_string(line.ways) + "},\n";
    }
    return text;
}
