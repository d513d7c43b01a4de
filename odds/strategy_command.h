// quorvel-odds strategy: the chart of each deck with its exact return, its
// loss against best play and the spread of a game played by it.
#pragma once

struct StrategyRequest {
    int deckSize = 0;       // 0: both decks
    bool full = false;      // each line's share of the deals, return and loss
    bool derive = false;    // derive the charts afresh instead of the kept ones
    bool json = false;      // one JSON object instead of text
    int credits = 40;       // the start of best play's risk figures (JSON)
};

int RunStrategy(const StrategyRequest& request);
