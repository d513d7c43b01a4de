// The zoom's trail and the message line's flash as the page runs them on
// its own canvas and timer: every outline drawn twice by exclusive-or, so
// the screen is left as it was; six inversions, then the plain line.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "presentation/message_flash.h"
#include "presentation/zoom_trail.h"
#include "settings/settings.h"

namespace {

// One whole trail as exclusive-or drawing sees it.
struct Trail {
    std::vector<int> drawsOf;               // per fraction index
    std::vector<int> order;                 // indices in the order first drawn
    int mostOnScreen = 0;
    int leftOnScreen = 0;
    int pausesWithTwo = 0;
    bool twoDrawsPairANewWithAnOld = true;
};

Trail RunTrail(bool closing, int steps) {
    const int s = UsableZoomSteps(steps);
    Trail trail;
    trail.drawsOf.assign(s + 1, 0);
    std::set<int> onScreen;
    for (int n = 0; n < ZoomPauseCount(steps); ++n) {
        int draws[2] = {-1, -1};
        const int count = ZoomTrailDraws(closing, steps, n, draws);
        int added = 0, removed = 0;
        for (int k = 0; k < count; ++k) {
            const int i = draws[k];
            if (i < 0 || i > s) {
                ADD_FAILURE() << "index " << i << " at pause " << n;
                continue;
            }
            if (trail.drawsOf[i]++ == 0) trail.order.push_back(i);
            if (onScreen.erase(i)) {
                ++removed;
            } else {
                onScreen.insert(i);
                ++added;
            }
        }
        if (count == 2) {
            ++trail.pausesWithTwo;
            trail.twoDrawsPairANewWithAnOld &= added == 1 && removed == 1;
        }
        if (static_cast<int>(onScreen.size()) > trail.mostOnScreen) trail.mostOnScreen = onScreen.size();
    }
    trail.leftOnScreen = static_cast<int>(onScreen.size());
    return trail;
}

TEST(ZoomTrail, EveryOutlineIsDrawnTwiceAndPairedForEveryStepCount) {
    for (int steps = kMinZoomSteps; steps <= kMaxZoomSteps; ++steps) {
        for (bool closing : {false, true}) {
            SCOPED_TRACE(std::to_string(steps) + (closing ? " closing" : " opening"));
            EXPECT_EQ(ZoomPauseCount(steps), steps + 4);
            Trail trail = RunTrail(closing, steps);
            for (int i = 0; i <= steps; ++i) EXPECT_EQ(trail.drawsOf[i], 2) << "outline " << i;
            EXPECT_EQ(trail.leftOnScreen, 0);
            EXPECT_EQ(trail.mostOnScreen, kZoomTrailLength);
            EXPECT_EQ(trail.pausesWithTwo, steps + 1 - kZoomTrailLength);
            EXPECT_TRUE(trail.twoDrawsPairANewWithAnOld);
            // Opening grows from the origin (t = 0, the last index) to the
            // dialog; closing shrinks from the dialog (t = 1, index 0).
            ASSERT_EQ(trail.order.size(), static_cast<size_t>(steps + 1));
            for (int k = 0; k <= steps; ++k) EXPECT_EQ(trail.order[k], closing ? k : steps - k) << k;
            // Nothing before the first pause or after the last.
            int draws[2];
            EXPECT_EQ(ZoomTrailDraws(closing, steps, -1, draws), 0);
            EXPECT_EQ(ZoomTrailDraws(closing, steps, steps + 4, draws), 0);
        }
    }
}

TEST(ZoomTrail, FewerThanTwoStepsAreTakenAsTwo) {
    for (int steps : {1, 0, -1, -1000}) {
        SCOPED_TRACE(steps);
        EXPECT_EQ(UsableZoomSteps(steps), kMinZoomSteps);
        EXPECT_EQ(ZoomPauseCount(steps), ZoomPauseCount(kMinZoomSteps));
        for (int i = 0; i <= kMinZoomSteps; ++i) EXPECT_EQ(ZoomFraction(i, steps), ZoomFraction(i, kMinZoomSteps));
        for (bool closing : {false, true}) {
            Trail trail = RunTrail(closing, steps);
            ASSERT_EQ(trail.drawsOf.size(), static_cast<size_t>(kMinZoomSteps + 1));
            for (int count : trail.drawsOf) EXPECT_EQ(count, 2);
            EXPECT_EQ(trail.leftOnScreen, 0);
        }
    }
}

TEST(ZoomTrail, OutlinesRunFromTheOriginToTheDialog) {
    const LayoutRect dialog = {100, 80, 420, 300};
    const ZoomPoint origin = {512, 384};
    for (int steps : {2, 18, 100}) {
        const int s = UsableZoomSteps(steps);
        const LayoutRect first = ZoomFrameRect(origin, dialog, ZoomFraction(0, steps));
        const LayoutRect last = ZoomFrameRect(origin, dialog, ZoomFraction(s, steps));
        EXPECT_EQ(first.left, dialog.left);
        EXPECT_EQ(first.top, dialog.top);
        EXPECT_EQ(first.right, dialog.right);
        EXPECT_EQ(first.bottom, dialog.bottom);
        EXPECT_EQ(last.left, origin.x);
        EXPECT_EQ(last.right, origin.x);
        EXPECT_EQ(last.top, origin.y);
        EXPECT_EQ(last.bottom, origin.y);
        // Each edge moves one way only, from the dialog's to the origin.
        LayoutRect before = first;
        for (int i = 1; i <= s; ++i) {
            const LayoutRect r = ZoomFrameRect(origin, dialog, ZoomFraction(i, steps));
            EXPECT_GE(r.left, before.left);
            EXPECT_GE(r.top, before.top);
            EXPECT_GE(r.right, before.right);
            EXPECT_GE(r.bottom, before.bottom);
            EXPECT_LT(ZoomFraction(i, steps), ZoomFraction(i - 1, steps));
            before = r;
        }
    }
    const ZoomPoint middle = ZoomCloseOrigin(dialog);
    EXPECT_EQ(middle.x, 260);
    EXPECT_EQ(middle.y, 190);
}

// ---- The message line's flash -------------------------------------------------

class RecordingLine final : public MessageLineSurface {
public:
    std::vector<std::string> calls;
    void DrawMessageLine() override { calls.push_back("Draw"); }
    void InvertMessageLine() override { calls.push_back("Invert"); }
    void StartTableTimer(unsigned intervalMs) override { calls.push_back("Timer " + std::to_string(intervalMs)); }
    void KillTableTimer() override { calls.push_back("Kill"); }
};

class MessageFlashTest : public ::testing::Test {
protected:
    void SetUp() override { FlashCount = 0; }
    void TearDown() override { FlashCount = 0; }
    RecordingLine line;
};

TEST_F(MessageFlashTest, SixInversionsThenThePlainLineAndNothingMore) {
    StartMessageFlashOn(line);
    EXPECT_EQ(line.calls, std::vector<std::string>{"Timer " + std::to_string(kFlashIntervalMs)});
    line.calls.clear();
    for (int tick = 0; tick < kFlashInversions + 3; ++tick) FlashMessageLineOn(line);
    std::vector<std::string> expected(kFlashInversions, "Invert");
    expected.push_back("Kill");
    expected.push_back("Draw");
    EXPECT_EQ(line.calls, expected);
    EXPECT_EQ(kFlashInversions % 2, 0) << "an odd count would leave the line inverted";
    EXPECT_EQ(FlashCount, 0);
}

TEST_F(MessageFlashTest, StopKillsTheTimerOnlyWhileFlashing) {
    StopMessageFlashOn(line);
    EXPECT_TRUE(line.calls.empty()) << "timer 6 may be dealing";
    StartMessageFlashOn(line);
    FlashMessageLineOn(line);
    line.calls.clear();
    StopMessageFlashOn(line);
    EXPECT_EQ(line.calls, std::vector<std::string>{"Kill"});
    EXPECT_EQ(FlashCount, 0);
    line.calls.clear();
    FlashMessageLineOn(line);
    StopMessageFlashOn(line);
    EXPECT_TRUE(line.calls.empty());
}

}  // namespace
