// The charts as DeriveChart gives them for each deck with kChartLineLimit
// lines ("quorvel-odds strategy --derive" prints them in this form).  The
// tests check that a derivation gives them again and what they return.
#include "odds/strategy.h"

#include <iterator>

namespace {

const ChartLine kJokerChart[] = {
    {LineShape::MadeAtLeast, StraightFlush, 0, false, -1},
    {LineShape::RoyalDraw, Nothing, 4, false, -1},
    {LineShape::ThreeOfAKind, Nothing, 3, true, -1},
    {LineShape::FourOfAKind, Nothing, 4, false, -1},
    {LineShape::MadeAtLeast, Flush, 0, false, -1},
    {LineShape::StraightFlushDraw, Nothing, 3, true, 2},
    {LineShape::TwoPair, Nothing, 4, false, -1},
    {LineShape::ThreeOfAKind, Nothing, 3, false, -1},
    {LineShape::MadeAtLeast, Straight, 0, false, -1},
    {LineShape::StraightFlushDraw, Nothing, 3, true, -1},
    {LineShape::StraightFlushDraw, Nothing, 4, false, -1},
    {LineShape::Pair, Nothing, 2, true, -1},
    {LineShape::StraightDraw, Nothing, 3, true, 3},
    {LineShape::RoyalDraw, Nothing, 3, false, 2},
    {LineShape::FlushDraw, Nothing, 4, false, -1},
    {LineShape::StraightFlushDraw, Nothing, 2, true, 4},
    {LineShape::FlushDraw, Nothing, 3, true, -1},
    {LineShape::StraightFlushDraw, Nothing, 2, true, 3},
    {LineShape::StraightDraw, Nothing, 3, true, 2},
    {LineShape::StraightFlushDraw, Nothing, 2, true, -1},
    {LineShape::StraightDraw, Nothing, 2, true, 4},
    {LineShape::StraightDraw, Nothing, 1, true, 3},
    {LineShape::JokerAlone, Nothing, 0, true, -1},
    {LineShape::RoyalDraw, Nothing, 3, false, -1},
    {LineShape::StraightDraw, Nothing, 4, false, 2},
    {LineShape::StraightFlushDraw, Nothing, 3, false, 2},
    {LineShape::Pair, Nothing, 2, false, -1},
    {LineShape::StraightFlushDraw, Nothing, 3, false, -1},
    {LineShape::StraightDraw, Nothing, 4, false, -1},
    {LineShape::FlushDraw, Nothing, 3, false, -1},
    {LineShape::RoyalDraw, Nothing, 2, false, 3},
    {LineShape::StraightFlushDraw, Nothing, 2, false, 4},
    {LineShape::StraightDraw, Nothing, 3, false, 3},
    {LineShape::RoyalDraw, Nothing, 2, false, 1},
    {LineShape::StraightFlushDraw, Nothing, 2, false, 2},
    {LineShape::RoyalDraw, Nothing, 2, false, -1},
    {LineShape::StraightFlushDraw, Nothing, 2, false, -1},
    {LineShape::StraightDraw, Nothing, 1, false, 5},
    {LineShape::RoyalDraw, Nothing, 1, false, -1},
    {LineShape::DrawFive, Nothing, 0, false, -1},
};

const ChartLine kNaturalChart[] = {
    {LineShape::MadeAtLeast, StraightFlush, 0, false, -1},
    {LineShape::RoyalDraw, Nothing, 4, false, -1},
    {LineShape::MadeAtLeast, Straight, 0, false, -1},
    {LineShape::StraightFlushDraw, Nothing, 4, false, -1},
    {LineShape::TwoPair, Nothing, 4, false, -1},
    {LineShape::ThreeOfAKind, Nothing, 3, false, -1},
    {LineShape::RoyalDraw, Nothing, 3, false, 2},
    {LineShape::FlushDraw, Nothing, 4, false, -1},
    {LineShape::RoyalDraw, Nothing, 3, false, -1},
    {LineShape::StraightDraw, Nothing, 4, false, 2},
    {LineShape::StraightFlushDraw, Nothing, 3, false, 2},
    {LineShape::Pair, Nothing, 2, false, -1},
    {LineShape::StraightDraw, Nothing, 4, false, -1},
    {LineShape::FlushDraw, Nothing, 3, false, -1},
    {LineShape::RoyalDraw, Nothing, 2, false, 2},
    {LineShape::StraightDraw, Nothing, 3, false, 3},
    {LineShape::StraightFlushDraw, Nothing, 2, false, 4},
    {LineShape::RoyalDraw, Nothing, 2, false, -1},
    {LineShape::StraightFlushDraw, Nothing, 2, false, 2},
    {LineShape::StraightDraw, Nothing, 3, false, 2},
    {LineShape::StraightFlushDraw, Nothing, 2, false, -1},
    {LineShape::StraightDraw, Nothing, 2, false, 4},
    {LineShape::StraightDraw, Nothing, 1, false, 5},
    {LineShape::FlushDraw, Nothing, 2, false, -1},
    {LineShape::DrawFive, Nothing, 0, false, -1},
};

}  // namespace

void StoredChart(int deckSize, StrategyChart& chart) {
    chart = StrategyChart();
    chart.deckSize = deckSize == kNaturalCards ? kNaturalCards : kDeckSize;
    if (deckSize == kNaturalCards) chart.lines.assign(std::begin(kNaturalChart), std::end(kNaturalChart));
    else chart.lines.assign(std::begin(kJokerChart), std::end(kJokerChart));
}
