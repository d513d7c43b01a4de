// The derivation of a chart from the exact value of every hold of every
// deal class: a ranking of all candidate lines, improved move by move.
#include "odds/strategy_derive.h"

#include <algorithm>

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
        // Per line, the hold it picks in the class at hand.
        std::vector<int> chosen;
        std::vector<int64_t> chosenOrder;
        std::vector<uint16_t> seen;
    };
    if (threads < 1) threads = 1;
    std::vector<Part> parts(static_cast<size_t>(threads));
    for (Part& part : parts) {
        part.chosen.assign(lineCount, -1);
        part.chosenOrder.assign(lineCount, 0);
    }
    ForEachDealClass(tables, deckSize, threads, [&](int t, const DealClass& deal,
                                                    const Card cards[5],
                                                    const HoldOutcome outcomes[kHoldCount]) {
        Part& part = parts[size_t(t)];
        double best = 0;
        part.seen.clear();
        for (int mask = 0; mask < kHoldCount; ++mask) {
            int64_t order;
            HoldShape s = ShapeOf(cards, mask, &order);
            best = std::max(best, double(outcomes[mask].pay) / double(outcomes[mask].draws));
            for (uint16_t l : fitting[size_t(ShapeKey(s))]) {
                if (part.chosen[l] < 0) part.seen.push_back(l);
                if (part.chosen[l] < 0 || order > part.chosenOrder[l]) {
                    part.chosen[l] = mask;
                    part.chosenOrder[l] = order;
                }
            }
        }
        part.weight.push_back(deal.weight);
        part.best.push_back(best);
        part.counts.push_back(part.seen.size());
        for (uint16_t l : part.seen) {
            const HoldOutcome& o = outcomes[part.chosen[l]];
            part.entries.push_back({double(o.pay) / double(o.draws), l});
            part.chosen[l] = -1;
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
