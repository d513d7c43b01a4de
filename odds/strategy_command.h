// quorvel-odds strategy: the chart of each deck with its exact return and
// its loss against best play.
#pragma once

struct StrategyRequest {
    int deckSize = 0;       // 0: both decks
    bool full = false;      // each line's share of the deals and its return
    bool derive = false;    // derive the charts afresh instead of the stored ones
};

int RunStrategy(const StrategyRequest& request);
