// The status line's geometry and rules as the page paints them: the bands
// and pane insides tile the line exactly, inside the client area, for wider
// border units and fonts; the menu help id, the key latch and the lock panes.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/status_layout.h"

// Names a case in the test's output.
void PrintTo(const StatusMetrics& m, std::ostream* out) {
    *out << "b=" << m.b << " S=" << m.height << " M=" << m.messageWidth << " K=" << m.indicatorWidth;
}

namespace {

constexpr int kClientWidth = 484;
constexpr int kClientHeight = 200;

bool Empty(const LayoutRect& r) { return r.left >= r.right || r.top >= r.bottom; }

bool Within(const LayoutRect& inner, const LayoutRect& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const LayoutRect& a, const LayoutRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string Show(const LayoutRect& r) {
    return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom) + "}";
}

// Metrics as the shell measures them from a font of this widest character
// and height: 34 characters of message, 3 of each indicator.
StatusMetrics MetricsFor(int b, int charWidth, int charHeight) {
    return {b, 7 * b + charHeight, 34 * charWidth, 3 * charWidth};
}

class StatusMetricsTest : public ::testing::TestWithParam<StatusMetrics> {};

// Every pixel of the line is painted: by a band, or as a pane's opaque text
// inside, which no band paints over; nothing falls outside the line.
TEST_P(StatusMetricsTest, BandsAndPaneInsidesTileTheLineInsideTheClientArea) {
    const StatusMetrics m = GetParam();
    const int W = kClientWidth, H = kClientHeight;
    const LayoutRect line = TableLayout::StatusLineRect(W, H, m.height);
    StatusBand bands[kStatusBandCount];
    StatusLineBands(m, W, H, bands);
    const LayoutRect panes[3] = {StatusPaneTextRect(m, StatusPane::Message, W, H),
                                 StatusPaneTextRect(m, StatusPane::Caps, W, H),
                                 StatusPaneTextRect(m, StatusPane::Num, W, H)};
    for (const StatusBand& band : bands) {
        EXPECT_FALSE(Empty(band.rect)) << Show(band.rect);
        EXPECT_TRUE(Within(band.rect, line)) << Show(band.rect);
        for (const LayoutRect& pane : panes) EXPECT_FALSE(Overlap(band.rect, pane)) << Show(band.rect) << Show(pane);
    }
    for (int p = 0; p < 3; ++p) {
        EXPECT_FALSE(Empty(panes[p])) << p;
        EXPECT_TRUE(Within(panes[p], line)) << p;
        if (p > 0) {
            EXPECT_LE(panes[p - 1].right, panes[p].left) << p;
        }
    }
    int uncovered = 0;
    for (int y = line.top; y < line.bottom; ++y)
        for (int x = line.left; x < line.right; ++x) {
            bool covered = false;
            for (const StatusBand& band : bands) covered = covered || Overlap(band.rect, {x, y, x + 1, y + 1});
            for (const LayoutRect& pane : panes) covered = covered || Overlap(pane, {x, y, x + 1, y + 1});
            uncovered += !covered;
        }
    EXPECT_EQ(uncovered, 0);
    // The NUM box (its inside and its lit right edge) ends at least eight
    // units inside the window.
    EXPECT_LE(panes[2].right + m.b, W - 8 * m.b);
}

// The message box gives way to a wide font: the indicators keep their full
// width and the NUM box ends exactly eight units short of the right edge.
TEST_P(StatusMetricsTest, TheMessageBoxGivesWayOnlyWhenAllThreeWouldNotFit) {
    const StatusMetrics m = GetParam();
    const int W = kClientWidth, H = kClientHeight;
    const LayoutRect message = StatusPaneTextRect(m, StatusPane::Message, W, H);
    const LayoutRect caps = StatusPaneTextRect(m, StatusPane::Caps, W, H);
    const LayoutRect num = StatusPaneTextRect(m, StatusPane::Num, W, H);
    // A box's width less its lit right edge; the inside also leaves out the
    // shadowed left edge.
    EXPECT_EQ(caps.right - caps.left, m.indicatorWidth - m.b);
    EXPECT_EQ(num.right - num.left, m.indicatorWidth - m.b);
    const int messageBox = message.right - message.left + m.b;
    if (messageBox < m.messageWidth) {
        EXPECT_EQ(num.right + m.b, W - 8 * m.b);
    } else {
        EXPECT_EQ(messageBox, m.messageWidth);
    }
}

INSTANTIATE_TEST_SUITE_P(
    BorderUnitsAndFonts, StatusMetricsTest,
    ::testing::Values(MetricsFor(1, 8, 16), MetricsFor(2, 8, 16), MetricsFor(1, 12, 20),
                      MetricsFor(2, 12, 20), MetricsFor(1, 20, 24), MetricsFor(2, 20, 24),
                      MetricsFor(1, 40, 32), MetricsFor(2, 40, 32)));

// ---- Menu help, key latch, lock panes ---------------------------------------

TEST(StatusRules, MenuHelpIdAppliesItsRulesInOrder) {
    const int last = IDM_COIN;
    const unsigned sysPopup = kMenuFlagSysMenu | kMenuFlagPopup;
    // A closed menu empties the line whatever the flags say.
    for (unsigned flags : {0u, kMenuFlagPopup, kMenuFlagSysMenu, sysPopup})
        EXPECT_EQ(MenuHelpId(IDM_NEW, flags, true, last), 0) << flags;
    // The system menu's own title has no help, not the last one shown.
    EXPECT_EQ(MenuHelpId(0, sysPopup, false, last), IDS_SYSMENU_POPUP);
    EXPECT_EQ(MenuHelpId(0xF010, kMenuFlagSysMenu, false, last), 0xF010);
    // A popup title of the menu bar keeps the last help; an item has its own.
    EXPECT_EQ(MenuHelpId(2, kMenuFlagPopup, false, last), last);
    EXPECT_EQ(MenuHelpId(2, kMenuFlagPopup, false, 0), 0);
    EXPECT_EQ(MenuHelpId(IDM_DEAL, 0, false, last), IDM_DEAL);
    EXPECT_EQ(MenuHelpId(IDM_FASTDEAL, 0x0080 | 0x0800, false, last), IDM_FASTDEAL);
}

TEST(StatusRules, OnlyTheFirstPressLooksUntilAReleaseClearsTheLatch) {
    bool latch = false;
    EXPECT_TRUE(KeyPressLooks(&latch));
    EXPECT_TRUE(latch);
    EXPECT_FALSE(KeyPressLooks(&latch)) << "auto-repeat, or a key pressed while another is held";
    EXPECT_FALSE(KeyPressLooks(&latch));
    latch = false;
    EXPECT_TRUE(KeyPressLooks(&latch));
}

TEST(StatusRules, ALockPaneRepaintsOnlyWhenItsStateChanges) {
    bool shown = false;
    const struct {
        bool toggled, repaint;
    } steps[] = {{false, false}, {true, true}, {true, false}, {false, true}, {false, false}, {true, true}};
    for (const auto& step : steps) {
        EXPECT_EQ(LockPaneChanges(step.toggled, &shown), step.repaint) << step.toggled;
        EXPECT_EQ(shown, step.toggled);
    }
}

}  // namespace
