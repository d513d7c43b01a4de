#include "odds/risk.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/payout.h"
#include "odds/deal_sweep.h"

OutcomeDistribution CategoryOutcomes(const double probability[kHandCategoryCount]) {
    OutcomeDistribution outcomes;
    for (int c = 0; c < kHandCategoryCount; ++c)
        outcomes.push_back({probability[c], PayoutTable[c].perCoin});
    return outcomes;
}

OutcomeDistribution BestPlayOutcomes(const DeckAnalysis& analysis) {
    double probability[kHandCategoryCount];
    for (int c = 0; c < kHandCategoryCount; ++c)
        probability[c] = FinalCategoryProbability(analysis, c);
    return CategoryOutcomes(probability);
}

double OutcomeReturn(const OutcomeDistribution& outcomes) {
    double sum = 0;
    for (const Outcome& outcome : outcomes) sum += outcome.probability * outcome.pays;
    return sum;
}

double OutcomeVariance(const OutcomeDistribution& outcomes) {
    // Centred on the mean rather than E[X^2] - E[X]^2, which loses digits
    // when the spread is small.
    double mean = OutcomeReturn(outcomes);
    double sum = 0;
    for (const Outcome& outcome : outcomes) {
        double deviation = outcome.pays - mean;
        sum += outcome.probability * deviation * deviation;
    }
    return sum;
}

double CategoryVariance(const double probability[kHandCategoryCount]) {
    return OutcomeVariance(CategoryOutcomes(probability));
}

std::vector<double> BustWithin(const OutcomeDistribution& outcomes, int credits, int coins,
                               const std::vector<int>& games) {
    std::vector<double> result(games.size(), credits <= 0 ? 1.0 : 0.0);
    int horizon = 0;
    for (int g : games) horizon = std::max(horizon, g);
    if (credits <= 0 || coins <= 0 || horizon <= 0) return result;
    // A meter above coins * (games left) cannot fall to 0 in time.
    int64_t top = int64_t(coins) * horizon;
    if (credits > top) return result;

    std::vector<double> mass(size_t(top) + 1, 0.0);
    std::vector<double> next(mass.size(), 0.0);
    mass[size_t(credits)] = 1.0;
    int64_t highest = credits;      // highest meter with mass
    double bust = 0;
    for (int game = 1; game <= horizon; ++game) {
        int64_t reach = int64_t(coins) * (horizon - game);
        std::fill(next.begin(), next.begin() + (reach + 1), 0.0);
        int64_t nextHighest = 0;
        for (int64_t n = 1; n <= highest; ++n) {
            double here = mass[size_t(n)];
            if (here == 0) continue;
            int64_t stake = std::min<int64_t>(coins, n);
            for (const Outcome& outcome : outcomes) {
                int64_t after = n - stake + stake * outcome.pays;
                if (after == 0) {
                    bust += here * outcome.probability;
                } else if (after <= reach) {
                    next[size_t(after)] += here * outcome.probability;
                    nextHighest = std::max(nextHighest, after);
                }
            }
        }
        mass.swap(next);
        highest = nextHighest;
        for (size_t i = 0; i < games.size(); ++i)
            if (games[i] == game) result[i] = bust;
    }
    return result;
}

namespace {

// One game more of BustWithinFromEveryStart: `next` from `chance`.  A
// function of its own, called once a game, so that the page's engine, which
// optimises a function only for its later calls, runs most games optimised.
__attribute__((noinline)) void StepBackwards(const OutcomeDistribution& merged, int coins,
                                             int game, const std::vector<double>& chance,
                                             std::vector<double>& next) {
    const int64_t before = int64_t(coins) * (game - 1);     // reach of `chance`
    const int64_t reach = int64_t(coins) * game;
    // Below one full stake the whole meter is staked.
    for (int64_t n = 1; n < coins; ++n) {
        double sum = 0;
        for (const Outcome& outcome : merged) {
            int64_t after = n * outcome.pays;
            if (after <= before) sum += outcome.probability * chance[size_t(after)];
        }
        next[size_t(n)] = sum;
    }
    // From a full stake up each outcome shifts the meter by a multiple
    // of the stake: one pass per outcome over contiguous meters (none
    // for a win that lifts every meter beyond the reach).
    std::fill(next.begin() + coins, next.begin() + (reach + 1), 0.0);
    for (const Outcome& outcome : merged) {
        const int64_t shift = int64_t(coins) * (outcome.pays - 1);
        const int64_t last = std::min(reach, before - shift);
        const double p = outcome.probability;
        double* to = next.data();
        const double* from = chance.data() + shift;
        for (int64_t n = coins; n <= last; ++n) to[n] += p * from[n];
    }
}

}  // namespace

void BustWithinFromEveryStart(const OutcomeDistribution& outcomes, int coins,
                              const std::vector<int>& games,
                              std::vector<std::vector<double>>& chances) {
    chances.assign(games.size(), std::vector<double>());
    int horizon = 0;
    for (int g : games) horizon = std::max(horizon, g);
    if (coins <= 0 || horizon <= 0) return;
    // Outcomes of equal pay merged, the impossible left out: fewer passes.
    OutcomeDistribution merged;
    for (const Outcome& outcome : outcomes) {
        if (outcome.probability == 0) continue;
        auto same = std::find_if(merged.begin(), merged.end(),
                                 [&](const Outcome& o) { return o.pays == outcome.pays; });
        if (same != merged.end()) same->probability += outcome.probability;
        else merged.push_back(outcome);
    }
    // chance[n]: bust within the games counted so far from a meter of n;
    // after g games only meters up to coins * g can have gone bust.
    const size_t top = size_t(coins) * size_t(horizon);
    std::vector<double> chance(top + 1, 0.0);
    std::vector<double> next(top + 1, 0.0);
    chance[0] = 1;
    next[0] = 1;
    for (int game = 1; game <= horizon; ++game) {
        StepBackwards(merged, coins, game, chance, next);
        chance.swap(next);
        for (size_t i = 0; i < games.size(); ++i)
            if (games[i] == game) chances[i].assign(chance.begin(), chance.begin() + (int64_t(coins) * game + 1));
    }
}

namespace {

// Solves a x = b in place by Gaussian elimination with partial pivoting;
// false when the matrix is singular.
bool SolveLinear(std::vector<std::vector<double>>& a, std::vector<double>& b) {
    const size_t n = b.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t row = col + 1; row < n; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) pivot = row;
        if (a[pivot][col] == 0) return false;
        std::swap(a[pivot], a[col]);
        std::swap(b[pivot], b[col]);
        for (size_t row = col + 1; row < n; ++row) {
            double factor = a[row][col] / a[col][col];
            for (size_t k = col; k < n; ++k) a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    for (size_t col = n; col-- > 0;) {
        for (size_t k = col + 1; k < n; ++k) b[col] -= a[col][k] * b[k];
        b[col] /= a[col][col];
    }
    return true;
}

}  // namespace

double ExpectedGamesToBust(const OutcomeDistribution& outcomes, int credits, int coins) {
    const double infinite = std::numeric_limits<double>::infinity();
    if (credits <= 0) return 0;
    if (coins <= 0) return infinite;
    double back = 1 - OutcomeReturn(outcomes);     // credits lost per coin per game
    if (!(back > 0)) return infinite;
    // Games to fall from x to its residue below `coins`, and that residue.
    auto descent = [&](int64_t x) { return double(x / coins) / back; };

    // Unknowns E[1] .. E[coins - 1]: games to bust from a meter below one
    // full stake, where the whole meter is staked.
    const size_t n = size_t(coins - 1);
    std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
    std::vector<double> b(n, 1.0);
    for (size_t i = 0; i < n; ++i) {
        int64_t meter = int64_t(i) + 1;
        a[i][i] += 1;
        for (const Outcome& outcome : outcomes) {
            int64_t after = meter * outcome.pays;
            int64_t residue = after % coins;
            b[i] += outcome.probability * descent(after);
            if (residue > 0) a[i][size_t(residue - 1)] -= outcome.probability;
        }
    }
    if (!SolveLinear(a, b)) return infinite;
    int64_t residue = credits % coins;
    return descent(credits) + (residue > 0 ? b[size_t(residue - 1)] : 0.0);
}
