// What the Statistics dialog shows, as text: the four totals, each winning
// hand's count and share of all games, and the net winnings of its title.
// Portable; read only while games have been played (the share divides by
// their number).
#pragma once
#include <cstddef>
#include <cstdint>

// A total as an unsigned decimal number, as the dialog's fields show it.
void FormatStatisticsTotal(int32_t value, char* out, size_t size);
// "count  share%" for hand category 1..10, the share truncated.
void FormatHandsWon(int category, char* out, size_t size);
// "Net Winnings = n": the credits less everything the player was given.
void FormatNetWinnings(char* out, size_t size);
