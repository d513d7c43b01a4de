#include "dialogs/statistics_text.h"

#include <cstdio>

#include "engine/round.h"

namespace {

// Share of all games in whole percent, truncated.  Counted wide, so that a
// long run cannot overflow the multiplication.
int32_t PercentOfGames(int32_t count) {
    int64_t percent = static_cast<int64_t>(count) * 100 / gStats.gamesPlayed;
    return static_cast<int32_t>(percent);
}

}  // namespace

void FormatStatisticsTotal(int32_t value, char* out, size_t size) {
    std::snprintf(out, size, "%u", static_cast<unsigned>(static_cast<uint32_t>(value)));
}

void FormatHandsWon(int category, char* out, size_t size) {
    std::snprintf(out, size, "%d  %d%%", static_cast<int>(gStats.handsWon[category]),
                  static_cast<int>(PercentOfGames(gStats.handsWon[category])));
}

void FormatNetWinnings(char* out, size_t size) {
    int64_t net = static_cast<int64_t>(gStats.credits) - gStats.bankTotal;
    std::snprintf(out, size, "Net Winnings = %lld", static_cast<long long>(net));
}
