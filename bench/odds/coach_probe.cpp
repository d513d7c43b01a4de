// What the coach costs the page, measured in the page's own terms: the
// page's core with exports of the kind the coach needs (the tables built
// once, one deal's advice read out whole), linked and made to suspend as
// the page is (bench/odds/CMakeLists.txt), so that the growth of the .wasm
// is what the coach adds; bench/odds/coach_wasm.mjs times it under Node.
#include <cstdint>

#include "odds/deal_advice.h"

#define PROBE_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

// The tables on the heap: their vectors would be destroyed after every
// call of an export.  The advice is plain data.
OddsTables* gTables = nullptr;
DealAdvice gAdvice;
double gOut[8];

}  // namespace

// Single-threaded: the page has no threads.
PROBE_EXPORT(coach_build_tables) void CoachBuildTables() {
    if (gTables == nullptr) gTables = new OddsTables;
    BuildCountTables(*gTables, 1);
}

// One deal's advice; the chart's line, or -1 for a deal not of the deck.
PROBE_EXPORT(coach_advise) int CoachAdvise(int deckSize, int c0, int c1, int c2, int c3, int c4) {
    const Card deal[5] = {c0, c1, c2, c3, c4};
    if (gTables == nullptr || !AdviseDeal(*gTables, deckSize, deal, gAdvice)) return -1;
    return gAdvice.chartLine;
}

// The hold in place `place` (0 the best): mask, pay, draws, paying draws.
PROBE_EXPORT(coach_hold) const double* CoachHold(int place) {
    const HoldOutcome& hold = gAdvice.holds[place & (kHoldCount - 1)];
    gOut[0] = hold.mask;
    gOut[1] = double(hold.pay);
    gOut[2] = double(hold.draws);
    gOut[3] = double(PayingDraws(hold));
    return gOut;
}

// The chart's hold: its place, its cost as numerator and denominator.
PROBE_EXPORT(coach_chart) const double* CoachChart() {
    gOut[0] = gAdvice.chartPlace;
    gOut[1] = double(gAdvice.costNumerator);
    gOut[2] = double(gAdvice.costDenominator);
    return gOut;
}

PROBE_EXPORT(coach_chart_text) const char* CoachChartText() { return gAdvice.chartText; }
