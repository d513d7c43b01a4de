// The kept charts are what the derivation gives from the exact analysis.
// Slow (about 12 s), so not run again with sanitizers.
#include <gtest/gtest.h>

#include "odds/strategy_derive.h"
#include "tests/odds/odds_fixture.h"

namespace {

TEST(DeriveChart, GivesTheKeptChartOfEachDeck) {
    for (int deckSize : {52, 53}) {
        StrategyChart kept, derived;
        StoredChart(deckSize, kept);
        DeriveChart(SharedTables(), deckSize, kChartLineLimit, kAnalysisThreads, derived);
        EXPECT_EQ(derived.deckSize, deckSize);
        EXPECT_EQ(ChartSource(derived), ChartSource(kept)) << deckSize;
    }
}

}  // namespace
