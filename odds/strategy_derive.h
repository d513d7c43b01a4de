// The derivation of a chart from the exact value of every hold of every
// deal class.  Native only: the kept charts (StoredChart) are its result.
#pragma once
#include "odds/strategy.h"

// The chart derived for a deck: every candidate line, ordered by what its
// holds are worth where lines compete, then reordered and pruned to at
// most `maxLines` lines by the exact loss each change causes.
void DeriveChart(const OddsTables& tables, int deckSize, int maxLines, int threads,
                 StrategyChart& chart);
