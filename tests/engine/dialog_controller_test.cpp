// The dialogs' controllers against a host that writes every request down:
// the help paging's greying and focus at the first and last page, the
// card-back slider and its preview, OK storing and Cancel restoring the
// table colour with a repaint.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "dialogs/dialog_controller.h"
#include "dialogs/help_pages.h"
#include "dialogs/options_rules.h"
#include "engine/round.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

namespace {

// Each request as one line of words, e.g. "Enable 701 0".
std::string Line() { return ""; }
template <typename First, typename... Rest>
std::string Line(const First& first, const Rest&... rest) {
    std::string word;
    if constexpr (std::is_arithmetic_v<First>) word = std::to_string(first);
    else word = first;
    std::string tail = Line(rest...);
    return tail.empty() ? word : word + " " + tail;
}

class RecordingDialog final : public DialogHost {
public:
    void SetText(int control, const char* text) override { Record("Text", control, text); }
    void Enable(int control, bool enable) override { Record("Enable", control, enable ? 1 : 0); }
    void Check(int control, bool on) override { checked[control] = on; }
    bool Checked(int control) override { return checked[control]; }
    void Focus(int control) override { Record("Focus", control); }
    void ShowPicture(int control, int position, const char* name) override {
        Record("Picture", control, position, name);
    }
    void ShowColour(int control, uint32_t colour) override { Record("Colour", control, colour); }
    void SetSlider(int control, int low, int high, int position) override {
        Record("Slider", control, low, high, position);
    }
    void MoveSlider(int control, int position) override { Record("Thumb", control, position); }
    void Repaint(int control) override { Record("Repaint", control); }
    void CentreOnScreen() override { Record("Centre"); }
    void ZoomOpen(int steps) override { Record("ZoomOpen", steps); }
    // With the table colour at that moment.
    void ZoomClose(int steps) override { Record("ZoomClose", steps, gSettings.BackColor); }
    void RepaintTable() override { Record("RepaintTable", gSettings.BackColor); }
    bool ChooseColour(uint32_t initial, int zoomSteps, uint32_t* chosen) override {
        Record("Chooser", initial, zoomSteps);
        if (chooserAnswer) *chosen = *chooserAnswer;
        return chooserAnswer != nullptr;
    }
    void ApplyTableColour() override { Record("ApplyTableColour"); }
    void SaveSettings() override { Record("Save", gSettings.CardBack, gSettings.Sound); }
    void End(int result) override { Record("End", result); }

    template <typename... Words>
    void Record(const Words&... words) { calls.push_back(Line(words...)); }
    template <typename... Words>
    bool Saw(const Words&... words) const {
        return std::find(calls.begin(), calls.end(), Line(words...)) != calls.end();
    }
    std::vector<std::string> calls;
    bool checked[7000] = {};
    const uint32_t* chooserAnswer = nullptr;
};

class DialogControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        gSettings.Zoom = 1;
        gSettings.ZoomSteps = 5;
    }
    void TearDown() override {
        while (DialogCommand(2)) {}    // no dialog left open on a gone host
        ResetProgramState();
    }
    void Press(int command) {
        host.calls.clear();
        EXPECT_TRUE(DialogCommand(command)) << command;
    }
    RecordingDialog host;
};

using Calls = std::vector<std::string>;

// On the first page "<<" is grey; reaching an end greys the button that led
// there and gives the focus to the other; the page never leaves 1..12.
TEST_F(DialogControllerTest, HelpPagingGreysAndFocusesAtTheEnds) {
    OpenDialog(GameDialog::Help, &host);
    EXPECT_EQ(host.calls.front(), "Centre");
    EXPECT_TRUE(host.Saw("ZoomOpen", 5));
    EXPECT_TRUE(host.Saw("Enable", IDC_HELP_PREV, 0));
    EXPECT_TRUE(host.Saw("Text", IDC_HELP_COUNTER, "Page 1 of 12"));
    EXPECT_TRUE(host.Saw("Picture", IDC_HELP_FRAME, 0, "Blank")) << "an empty place is painted blank";
    for (int page = 2; page <= kHelpLastPage + 1; ++page) {
        Press(IDC_HELP_NEXT);
        const bool last = page >= kHelpLastPage;
        EXPECT_EQ(host.Saw("Focus", IDC_HELP_PREV), last) << page;
        EXPECT_EQ(host.Saw("Enable", IDC_HELP_NEXT, 0), last) << page;
        EXPECT_TRUE(host.Saw("Enable", IDC_HELP_PREV, 1)) << page;
        EXPECT_EQ(host.calls.back(), Line("Repaint", kDialogWindow));
    }
    EXPECT_TRUE(host.Saw("Text", IDC_HELP_COUNTER, "Page 12 of 12"));
    Press(IDC_HELP_PREV);
    EXPECT_FALSE(host.Saw("Focus", IDC_HELP_NEXT));
    EXPECT_TRUE(host.Saw("Enable", IDC_HELP_NEXT, 1));
    for (int page = kHelpLastPage - 2; page >= kHelpFirstPage; --page) Press(IDC_HELP_PREV);
    EXPECT_TRUE(host.Saw("Text", IDC_HELP_COUNTER, "Page 1 of 12"));
    EXPECT_TRUE(host.Saw("Focus", IDC_HELP_NEXT));
    EXPECT_TRUE(host.Saw("Enable", IDC_HELP_PREV, 0));
    Press(2);
    EXPECT_EQ(host.calls, (Calls{Line("ZoomClose", 5, gSettings.BackColor), "End 1"}));
    // A dialog opened inside another (by a command posted before it) hands
    // the commands back to the outer one when it goes.
    RecordingDialog inner;
    OpenDialog(GameDialog::Help, &host);
    OpenDialog(GameDialog::About, &inner);
    Press(2);
    EXPECT_TRUE(inner.Saw("End", 1));
    Press(IDC_HELP_NEXT);
    EXPECT_TRUE(host.Saw("Text", IDC_HELP_COUNTER, "Page 2 of 12"));
    Press(2);
    // Input queued behind the close reaches a dialog that is gone: ignored.
    host.calls.clear();
    EXPECT_FALSE(DialogCommand(IDC_HELP_NEXT));
    DialogSliderMoved(SliderLineDown, 0);
    EXPECT_TRUE(host.calls.empty());
}

// The slider moves from the program's design, Home to the highest and End to
// the lowest, and the thumb and the preview follow every notification.
TEST_F(DialogControllerTest, SliderKeysMoveThumbAndPreview) {
    gSettings.CardBack = 40;
    OpenDialog(GameDialog::Options, &host);
    EXPECT_TRUE(host.Saw("Slider", IDC_BACK_SLIDER, 1, 16, 16));
    EXPECT_TRUE(host.Saw("Picture", IDC_DECK_GROUP, 0, "Back16"));
    const struct {
        int code, thumb, expected;
    } steps[] = {{SliderLineDown, 0, 16}, {SliderBottom, 0, 1}, {SliderLineUp, 0, 1},
                 {SliderPageDown, 0, 2},  {SliderTop, 0, 16},   {SliderThumbTrack, 9, 9},
                 {8, 3, 9}};    // 8: the end of a drag
    for (const auto& step : steps) {
        host.calls.clear();
        DialogSliderMoved(step.code, step.thumb);
        EXPECT_EQ(host.calls, (Calls{Line("Thumb", IDC_BACK_SLIDER, step.expected),
                                     Line("Picture", IDC_DECK_GROUP, 0, "Back" + std::to_string(step.expected)),
                                     Line("Repaint", IDC_DECK_GROUP)}))
            << step.code;
    }
    Press(1);
    EXPECT_EQ(gSettings.CardBack, 9);
}

// Cancel after a colour was chosen: the closing zoom, then the colour as it
// was, the table repainted in it, nothing stored; unchanged, no repaint.
TEST_F(DialogControllerTest, CancelRestoresTheColourAndRepaints) {
    const uint32_t red = 0x0000FF;
    const uint32_t before = gSettings.BackColor;
    for (bool choose : {true, false}) {
        OpenDialog(GameDialog::Options, &host);
        host.chooserAnswer = choose ? &red : nullptr;
        Press(IDC_SET_COLOR);
        EXPECT_EQ(host.calls, (Calls{Line("Chooser", before, 5), Line("Colour", IDC_COLOR_SWATCH, choose ? red : before)}));
        host.Check(IDC_OPT_SOUND, true);
        Press(2);
        Calls expected = {Line("ZoomClose", 5, choose ? red : before)};
        if (choose) expected.push_back(Line("RepaintTable", before));
        expected.push_back("End 1");
        EXPECT_EQ(host.calls, expected) << choose;
        EXPECT_EQ(gSettings.BackColor, before);
        EXPECT_EQ(gSettings.Sound, 0);
    }
}

// OK stores the switches as the boxes show them and the design, writes the
// file, and applies a new colour before the closing zoom.
TEST_F(DialogControllerTest, OkStoresTheSwitchesAndTheDesign) {
    gSettings.JacksOrBetter = 2;
    gSettings.CardBack = 1;
    OpenDialog(GameDialog::Options, &host);
    EXPECT_TRUE(host.checked[IDC_OPT_JACKS]) << "a value of 2 shows as on";
    DialogSliderMoved(SliderLineDown, 0);
    host.Check(IDC_OPT_SOUND, true);
    Press(1);
    EXPECT_EQ(host.calls.front(), "Save 2 1");
    EXPECT_FALSE(host.Saw("ApplyTableColour")) << "an unchanged colour leaves the brush";
    EXPECT_EQ(gSettings.JacksOrBetter, 1);

    const uint32_t green = 0x00FF00;
    OpenDialog(GameDialog::Options, &host);
    host.chooserAnswer = &green;
    DialogCommand(IDC_SET_COLOR);
    Press(1);
    EXPECT_EQ(host.calls, (Calls{"Save 2 1", "ApplyTableColour", Line("ZoomClose", 5, green), "End 1"}));
    EXPECT_FALSE(DialogCommand(IDC_OPT_SOUND)) << "the check boxes toggle themselves";
}

TEST_F(DialogControllerTest, StatisticsShowTheFiguresAndTheNetWinningsAsTitle) {
    gSettings.Zoom = 0;
    gStats.gamesPlayed = 7;
    gStats.handsWon[TwoPair] = 3;
    gStats.credits = 100;
    gStats.bankTotal = 120;
    OpenDialog(GameDialog::Statistics, &host);
    EXPECT_FALSE(host.Saw("ZoomOpen", 5));
    EXPECT_TRUE(host.Saw("Text", IDC_STAT_GAMES, "7"));
    EXPECT_TRUE(host.Saw("Text", IDC_STAT_HAND0 + TwoPair, "3  42%"));
    EXPECT_EQ(host.calls.back(), Line("Text", kDialogWindow, "Net Winnings = -20"));
    EXPECT_FALSE(DialogCommand(IDC_HELP_NEXT));
    Press(2);
    EXPECT_EQ(host.calls, Calls{"End 1"});
}

}  // namespace
