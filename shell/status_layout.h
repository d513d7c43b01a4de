// The status line's geometry and its rules: the bands of face, shadow and
// light that make its three sunken boxes, where each pane's text goes, which
// menu help a highlighted item shows, and when a lock pane is repainted.
// Everything is in border units b, so larger system borders scale every
// line and gap.  Portable: the Windows shell and the page paint from this.
#pragma once

#include "shell/table_layout.h"

struct StatusMetrics {
    int b;                  // border unit
    int height;             // S
    int messageWidth;       // M
    int indicatorWidth;     // K
};

enum class StatusPane { Message, Caps, Num };
enum class StatusColour { Face, Shadow, Light, Dark };

struct StatusBand {
    StatusColour colour;
    LayoutRect rect;
};

// The fills of a paint, in order, for a client area of W x H.
constexpr int kStatusBandCount = 20;
void StatusLineBands(const StatusMetrics& m, int W, int H, StatusBand bands[kStatusBandCount]);
// The inside of a pane's box, where its text is drawn, clipped and opaque,
// starting 2b right of the rectangle's left edge, at its top.
LayoutRect StatusPaneTextRect(const StatusMetrics& m, StatusPane pane, int W, int H);

constexpr char kCapsWord[] = "CAPS";
constexpr char kNumWord[] = "NUM";

// The menu-help id to show on a menu selection: 0 when the menu closed, the
// item's own for a system-menu entry (1999 for the system menu's popup), the
// last one shown for a popup title of the menu bar, else the item's.
constexpr unsigned kMenuFlagPopup = 0x0010;
constexpr unsigned kMenuFlagSysMenu = 0x2000;
int MenuHelpId(int item, unsigned flags, bool menuClosed, int lastHelpId);

// A key press looks at the lock panes only while no other key is held, so
// auto-repeat and a press during another key are ignored: true when this
// press looks.  The latch stays set until a key's release clears it.
bool KeyPressLooks(bool* latch);

// A lock pane is repainted only when its key's state differs from what it
// last showed; `shown` follows.  True when the pane is to be repainted.
bool LockPaneChanges(bool toggled, bool* shown);
