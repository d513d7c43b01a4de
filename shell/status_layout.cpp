#include "shell/status_layout.h"

#include "resources/resource_ids.h"

namespace {

// Where the font is too wide for all three boxes to fit, the message box
// gives way, so that the indicators stay inside the window and the NUM box
// ends eight units short of its right edge.
int MessageWidthFor(const StatusMetrics& m, int W) {
    int room = W - 35 * m.b - 2 * m.indicatorWidth;
    if (room < 0) room = 0;
    return m.messageWidth < room ? m.messageWidth : room;
}

// The right edges of the three boxes.
struct PaneEdges {
    int x1, x2, x3;
};

PaneEdges EdgesOfPanes(const StatusMetrics& m, int W) {
    PaneEdges e;
    e.x1 = 9 * m.b + MessageWidthFor(m, W);
    e.x2 = e.x1 + 9 * m.b + m.indicatorWidth;
    e.x3 = e.x2 + 9 * m.b + m.indicatorWidth;
    return e;
}

}  // namespace

void StatusLineBands(const StatusMetrics& m, int W, int H, StatusBand bands[kStatusBandCount]) {
    const int b = m.b;
    const int t = H - m.height;
    const PaneEdges e = EdgesOfPanes(m, W);
    const int w = MessageWidthFor(m, W);
    const int k = m.indicatorWidth;
    const StatusBand all[kStatusBandCount] = {
        // The face around and between the boxes.
        {StatusColour::Face, {0, t + 2 * b, W, t + 3 * b}},
        {StatusColour::Face, {0, H - 2 * b, W, H}},
        {StatusColour::Face, {0, t + 2 * b, 8 * b, H}},
        {StatusColour::Face, {e.x1, t + 2 * b, e.x1 + 8 * b, H}},
        {StatusColour::Face, {e.x2, t + 2 * b, e.x2 + 8 * b, H}},
        {StatusColour::Face, {e.x3, t + 2 * b, W, H}},
        // Shadow on the top and left edges makes each box look sunken.
        {StatusColour::Shadow, {8 * b, t + 3 * b, 8 * b + w, t + 4 * b}},
        {StatusColour::Shadow, {e.x1 + 8 * b, t + 3 * b, e.x1 + 8 * b + k, t + 4 * b}},
        {StatusColour::Shadow, {e.x2 + 8 * b, t + 3 * b, e.x2 + 8 * b + k, t + 4 * b}},
        {StatusColour::Shadow, {8 * b, t + 3 * b, 9 * b, H - 2 * b}},
        {StatusColour::Shadow, {e.x1 + 8 * b, t + 3 * b, e.x1 + 9 * b, H - 2 * b}},
        {StatusColour::Shadow, {e.x2 + 8 * b, t + 3 * b, e.x2 + 9 * b, H - 2 * b}},
        // Light on the bottom and right edges, and a raised line along the top.
        {StatusColour::Light, {8 * b, H - 3 * b, 8 * b + w, H - 2 * b}},
        {StatusColour::Light, {e.x1 + 8 * b, H - 3 * b, e.x1 + 8 * b + k, H - 2 * b}},
        {StatusColour::Light, {e.x2 + 8 * b, H - 3 * b, e.x2 + 8 * b + k, H - 2 * b}},
        {StatusColour::Light, {e.x1 - b, t + 3 * b, e.x1, H - 2 * b}},
        {StatusColour::Light, {e.x2 - b, t + 3 * b, e.x2, H - 2 * b}},
        {StatusColour::Light, {e.x3 - b, t + 3 * b, e.x3, H - 2 * b}},
        {StatusColour::Light, {0, t + b, W, t + 2 * b}},
        // The dark line that parts the status line from the table.
        {StatusColour::Dark, {0, t, W, t + b}},
    };
    for (int i = 0; i < kStatusBandCount; ++i) bands[i] = all[i];
}

LayoutRect StatusPaneTextRect(const StatusMetrics& m, StatusPane pane, int W, int H) {
    const PaneEdges e = EdgesOfPanes(m, W);
    const int top = H - m.height + 4 * m.b;
    const int bottom = H - 3 * m.b;
    switch (pane) {
    case StatusPane::Message: return {9 * m.b, top, e.x1 - m.b, bottom};
    case StatusPane::Caps: return {e.x1 + 9 * m.b, top, e.x2 - m.b, bottom};
    default: return {e.x2 + 9 * m.b, top, e.x3 - m.b, bottom};
    }
}

int MenuHelpId(int item, unsigned flags, bool menuClosed, int lastHelpId) {
    if (menuClosed) return 0;
    if (flags & kMenuFlagSysMenu) return (flags & kMenuFlagPopup) ? IDS_SYSMENU_POPUP : item;
    if (flags & kMenuFlagPopup) return lastHelpId;     // a popup title keeps the last help
    return item;
}

bool KeyPressLooks(bool* latch) {
    bool looks = !*latch;
    *latch = true;
    return looks;
}

bool LockPaneChanges(bool toggled, bool* shown) {
    if (toggled == *shown) return false;
    *shown = toggled;
    return true;
}
