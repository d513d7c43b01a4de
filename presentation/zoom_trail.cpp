#include "presentation/zoom_trail.h"

#include "settings/settings.h"

int UsableZoomSteps(int steps) { return steps < kMinZoomSteps ? kMinZoomSteps : steps; }

float ZoomFraction(int i, int steps) {
    int s = UsableZoomSteps(steps);
    return static_cast<float>(1.0 - static_cast<double>(i) / s);
}

LayoutRect ZoomFrameRect(ZoomPoint origin, const LayoutRect& target, float t) {
    double tt = t;
    double u = 1.0 - tt;
    return {static_cast<int>(origin.x * u + target.left * tt),
            static_cast<int>(origin.y * u + target.top * tt),
            static_cast<int>(origin.x * u + target.right * tt),
            static_cast<int>(origin.y * u + target.bottom * tt)};
}

ZoomPoint ZoomCloseOrigin(const LayoutRect& target) {
    return {(target.left + target.right) / 2, (target.top + target.bottom) / 2};
}

int ZoomPauseCount(int steps) { return UsableZoomSteps(steps) + 4; }

// Opening: the first three outlines grow out of the origin; then each pause
// adds the next larger and removes the smallest; then the last three go.
// Closing runs the fractions the other way, from the dialog to its middle.
int ZoomTrailDraws(bool closing, int steps, int n, int draws[2]) {
    const int s = UsableZoomSteps(steps);
    if (n < 0 || n >= s + 4) return 0;
    if (!closing) {
        if (n < kZoomTrailLength) {
            draws[0] = s - n;
            return 1;
        }
        if (n <= s) {
            draws[0] = s - n;
            draws[1] = s - n + kZoomTrailLength;
            return 2;
        }
        draws[0] = s + kZoomTrailLength - n;
        return 1;
    }
    if (n < kZoomTrailLength) {
        draws[0] = n;
        return 1;
    }
    if (n <= s) {
        draws[0] = n - kZoomTrailLength;
        draws[1] = n;
        return 2;
    }
    draws[0] = n - kZoomTrailLength;
    return 1;
}
