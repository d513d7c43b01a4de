// The dialogs' zoom as geometry and time: where each dotted outline lies and
// which are drawn before each pause.  Portable: the Windows shell draws the
// outlines on the screen, the page on its own; both follow this.
#pragma once

#include "shell/table_layout.h"

constexpr int kZoomPauseMs = 30;
constexpr int kZoomTrailLength = 3;     // outlines on the screen at a time

struct ZoomPoint {
    int x, y;
};

// Fewer than two steps would divide by zero or leave outlines unpaired.
int UsableZoomSteps(int steps);
// t(i) = 1 - i / steps, in single precision; 1 is the dialog's rectangle,
// 0 the origin.
float ZoomFraction(int i, int steps);
// The outline at fraction t between the origin and the target rectangle,
// each edge truncated toward zero.
LayoutRect ZoomFrameRect(ZoomPoint origin, const LayoutRect& target, float t);
// The closing trail ends in the middle of the dialog's rectangle.
ZoomPoint ZoomCloseOrigin(const LayoutRect& target);

// A trail has steps + 4 pauses; before pause n (0 first) the outlines of
// the returned fraction indices are drawn, in order, each by exclusive-or,
// so every outline is drawn twice in all and the screen is left as it was.
int ZoomPauseCount(int steps);
int ZoomTrailDraws(bool closing, int steps, int n, int draws[2]);
