// The Options dialog opened through its command on the real main window:
// the switches and the back design it starts from, the slider's
// notifications with the live preview, the colour chooser and its presets,
// what OK writes and what Cancel leaves alone.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/box_texts.h"
#include "tests/win32/dialog_checks.h"
#include "tests/win32/table_fixture.h"

namespace {

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);

// The chooser's own controls.
const int kChooserCustomColours = 721;
const int kChooserDefineCustom = 719;
const int kChooserRed = 706;
const int kChooserGreen = 707;
const int kChooserBlue = 708;

RECT ItemRect(HWND dialog, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Pixels of the preview that differ from design `back` with light-grey
// corners, at the middle of the "Select Deck:" box, 16 pixels down.
int PreviewMismatches(HWND dialog, int back) {
    RECT group;
    GetClientRect(GetDlgItem(dialog, IDC_DECK_GROUP), &group);
    MapWindowPoints(GetDlgItem(dialog, IDC_DECK_GROUP), dialog,
                    reinterpret_cast<POINT*>(&group), 2);
    int x = (group.left + group.right) / 2 - 35;
    int y = group.top + 16;
    return CardPictureMismatches(dialog, x, y, BackName(back).c_str());
}

// The swatch inside its black frame, one pixel in.
bool SwatchIs(HWND dialog, COLORREF colour) {
    RECT r = ItemRect(dialog, IDC_COLOR_SWATCH);
    InflateRect(&r, -2, -2);
    for (int y = r.top; y < r.bottom; y += 2)
        for (int x = r.left; x < r.right; x += 2)
            if (WindowPixel(dialog, x, y) != colour) return false;
    return true;
}

int SliderPos(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_BACK_SLIDER, TBM_GETPOS, 0, 0));
}

// A pixel of the table that only the background brush paints.
COLORREF TablePixel(HWND window) { return WindowPixel(window, 8, 120); }

class OptionsTest : public TableWindowTest {
protected:
    std::string SettingsLines() override {
        return "FastDeal=1\r\nConfirmExit=0\r\nZoom=0\r\nSound=0\r\nWildCards=1\r\n"
               "JacksOrBetter=0\r\nCardBack=7\r\n";
    }
};

TEST_F(OptionsTest, OpensOnTheSettingsWithTheJacksBoxDisabled) {
    StartGame();
    std::string fileBefore = ReadWholeFile(settingsPath);
    ModalAnswers answers;
    answers.Then(WhenShown([&](HWND dialog) {
        PumpMessages(80);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_OPT_SOUND), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_OPT_WILD), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_OPT_JACKS), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_OPT_CONFIRM), BST_UNCHECKED);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_OPT_JACKS)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_OPT_WILD)));
        HWND slider = GetDlgItem(dialog, IDC_BACK_SLIDER);
        EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 1);
        EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 16);
        EXPECT_EQ(SliderPos(dialog), 7);
        EXPECT_EQ(PreviewMismatches(dialog, 7), 0);
        EXPECT_TRUE(SwatchIs(dialog, kBlue));
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_SET_COLOR)), "&Set");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_OPT_SOUND)), "&Sound Effects");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_OPT_WILD)), "&Allow Wild Card");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_OPT_JACKS)), "&Jacks or Better");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_OPT_CONFIRM)), "Confirm Exit");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDC_DECK_GROUP)), "Select Deck:");
        EXPECT_EQ(WindowTextOf(GetDlgItem(dialog, IDCANCEL)), "&Cancel");
        // Toggling switches and moving the slider, then Cancel, keeps nothing.
        CheckDlgButton(dialog, IDC_OPT_SOUND, BST_CHECKED);
        SendMessageA(slider, WM_KEYDOWN, VK_HOME, 0);
        return IDCANCEL;
    }));
    Command(IDM_OPTIONS);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, DialogTemplateCaption(MAKEINTRESOURCEA(IDD_OPTIONS)));
    EXPECT_EQ(gSettings.Sound, 0);
    EXPECT_EQ(gSettings.CardBack, 7);
    EXPECT_EQ(ReadWholeFile(settingsPath), fileBefore) << "Cancel wrote the file";
}

// Each notification moves the design from the program's own value: Home is
// the highest design, End the lowest, the arrows stop at the ends, and the
// preview follows at once, thumb drags included.
TEST_F(OptionsTest, SliderNotificationsMoveThePreview) {
    StartGame();
    struct Step {
        const char* what;
        UINT message;       // WM_KEYDOWN to the slider, or WM_HSCROLL to the dialog
        WPARAM wParam;
        int expected;
    };
    const Step steps[] = {
        {"Home", WM_KEYDOWN, VK_HOME, 16},
        {"Right at 16", WM_KEYDOWN, VK_RIGHT, 16},
        {"Page Down at 16", WM_KEYDOWN, VK_NEXT, 16},
        {"Left", WM_KEYDOWN, VK_LEFT, 15},
        {"End", WM_KEYDOWN, VK_END, 1},
        {"Left at 1", WM_KEYDOWN, VK_LEFT, 1},
        {"Up at 1", WM_KEYDOWN, VK_UP, 1},
        {"Page Up at 1", WM_KEYDOWN, VK_PRIOR, 1},
        {"Down", WM_KEYDOWN, VK_DOWN, 2},
        {"Page Down", WM_KEYDOWN, VK_NEXT, 3},
        {"Thumb dragged to 9", WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 9), 9},
        {"Thumb dragged to 10", WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 10), 10},
        {"Thumb released at 11", WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 11), 11},
        {"End of tracking", WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 3), 11},
        {"Page Up", WM_KEYDOWN, VK_PRIOR, 10},
    };
    ModalAnswers answers;
    answers.Then(WhenShown([&](HWND dialog) {
        HWND slider = GetDlgItem(dialog, IDC_BACK_SLIDER);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            if (step.message == WM_KEYDOWN) {
                SendMessageA(slider, WM_KEYDOWN, step.wParam, 0);
                SendMessageA(slider, WM_KEYUP, step.wParam, 0);
            } else {
                SendMessageA(dialog, WM_HSCROLL, step.wParam, reinterpret_cast<LPARAM>(slider));
            }
            // No pumping: the preview must already be painted.
            EXPECT_EQ(SliderPos(dialog), step.expected);
            EXPECT_EQ(PreviewMismatches(dialog, step.expected), 0);
        }
        return IDOK;
    }));
    Command(IDM_OPTIONS);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(gSettings.CardBack, 10);
    PumpMessages(100);
    // The table's face-down cards take the new design at once.
    for (int slot = 0; slot < kSlotCount; ++slot)
        EXPECT_EQ(SlotCardMismatches(window, slot, "Back10", gSettings.BackColor), 0) << slot;
}

// OK rewrites every key even when nothing changed, and leaves the table's
// brush alone; the disabled box can be neither clicked nor reached by its
// access key, and its value goes back to the file as it was.
TEST_F(OptionsTest, OkWritesEveryKeyEvenUnchanged) {
    StartGame();
    HBRUSH brushBefore = gShell.TableBrush;
    ModalAnswers answers;
    answers.Then(WhenShown([&](HWND dialog) {
        PumpMessages(50);
        ClickWindow(GetDlgItem(dialog, IDC_OPT_JACKS));
        PumpMessages(100);
        MSG key = {GetFocus(), WM_CHAR, 'j', 0x00240001, 0, {0, 0}};
        IsDialogMessageA(dialog, &key);
        MSG altKey = {GetFocus(), WM_SYSCHAR, 'j', 0x20240001, 0, {0, 0}};
        IsDialogMessageA(dialog, &altKey);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_OPT_JACKS), BST_UNCHECKED);
        return IDOK;
    }));
    Command(IDM_OPTIONS);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(gShell.TableBrush, brushBefore);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)), brushBefore);
    EXPECT_EQ(ReadWholeFile(settingsPath),
              "[Settings]\r\nFastDeal=1\r\nConfirmExit=0\r\nZoom=0\r\nSound=0\r\n"
              "WildCards=1\r\nJacksOrBetter=0\r\nCardBack=7\r\nBackColorR=0\r\n"
              "BackColorG=0\r\nBackColorB=255\r\nJacks=0\r\n")
        << "every key written, the new ones in the write order";
}

// "&Set" shows the platform chooser over the dialog with the sixteen presets,
// the table colour to start from and no way to open the custom part.
TEST_F(OptionsTest, ColourChooserHasItsTitlePresetsAndFlags) {
    StartGame();
    const COLORREF presets[16] = {
        RGB(0, 0, 0),       RGB(127, 0, 0),     RGB(127, 127, 0),   RGB(0, 127, 0),
        RGB(0, 0, 127),     RGB(127, 0, 127),   RGB(0, 127, 127),   RGB(127, 127, 127),
        RGB(192, 192, 192), RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(0, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
    };
    ModalAnswers answers;
    HWND chooserOwner = nullptr;
    std::vector<COLORREF> wells;
    std::string r, g, b;
    bool customEnabled = true;
    answers.Then(WhenShown([&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, IDC_SET_COLOR, 0);
        EXPECT_TRUE(SwatchIs(dialog, kBlue)) << "swatch after a cancelled chooser";
        return IDCANCEL;
    }));
    std::string chooserTitle;
    answers.Then([&](HWND shown) {
        return OnceShown(shown, [&](HWND chooser) {
            PumpMessages(100);
            chooserTitle = WindowTextOf(chooser);
            chooserOwner = GetWindow(chooser, GW_OWNER);
            ExpectCentredOnScreen(chooser);
            HWND custom = GetDlgItem(chooser, kChooserCustomColours);
            RECT area;
            GetClientRect(custom, &area);
            for (int row = 0; row < 2; ++row)
                for (int col = 0; col < 8; ++col)
                    wells.push_back(WindowPixel(custom, area.right * (2 * col + 1) / 16,
                                                area.bottom * (2 * row + 1) / 4));
            customEnabled = IsWindowEnabled(GetDlgItem(chooser, kChooserDefineCustom)) != FALSE;
            r = WindowTextOf(GetDlgItem(chooser, kChooserRed));
            g = WindowTextOf(GetDlgItem(chooser, kChooserGreen));
            b = WindowTextOf(GetDlgItem(chooser, kChooserBlue));
            PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        });
    });
    Command(IDM_OPTIONS);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(chooserTitle, "Background Color");
    EXPECT_EQ(chooserOwner, answers.Seen()[0].window) << "the chooser belongs to the dialog";
    EXPECT_EQ(wells, std::vector<COLORREF>(presets, presets + 16));
    EXPECT_FALSE(customEnabled) << "the custom-colour part can be opened";
    EXPECT_EQ(r + "," + g + "," + b, "0,0,255") << "not started from the table colour";
    EXPECT_EQ(gSettings.BackColor, kBlue);
}

// Picks red from the presets in the chooser and confirms it.
int PickRed(HWND shown) {
    return OnceShown(shown, [](HWND chooser) {
        PumpMessages(80);
        HWND custom = GetDlgItem(chooser, kChooserCustomColours);
        RECT area;
        GetClientRect(custom, &area);
        ClickAt(custom, area.right * 3 / 16, area.bottom * 3 / 4);     // row 2, column 2
        PumpMessages(100);
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
}

TEST_F(OptionsTest, CancelAfterChoosingAColourLeavesTableAndFileAsTheyWere) {
    StartGame();
    PumpMessages(100);
    std::string fileBefore = ReadWholeFile(settingsPath);
    HBRUSH brushBefore = gShell.TableBrush;
    ModalAnswers answers;
    COLORREF chosen = 0;
    bool swatchRed = false;
    answers.Then(WhenShown([&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, IDC_SET_COLOR, 0);
        chosen = gSettings.BackColor;
        swatchRed = SwatchIs(dialog, kRed);
        return IDCANCEL;
    }));
    answers.Then(PickRed);
    Command(IDM_OPTIONS);
    PumpMessages(150);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(chosen, kRed);
    EXPECT_TRUE(swatchRed) << "the swatch was not repainted at once";
    EXPECT_EQ(gSettings.BackColor, kBlue);
    EXPECT_EQ(gShell.TableBrush, brushBefore);
    EXPECT_EQ(TablePixel(window), kBlue);
    EXPECT_EQ(SlotCardMismatches(window, 0, BackName(7).c_str(), kBlue), 0);
    EXPECT_EQ(ReadWholeFile(settingsPath), fileBefore);
}

TEST_F(OptionsTest, OkAfterChoosingAColourRepaintsTheTableAndKeepsIt) {
    StartGame();
    ModalAnswers answers;
    answers.Then(WhenShown([&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, IDC_SET_COLOR, 0);
        return IDOK;
    }));
    answers.Then(PickRed);
    Command(IDM_OPTIONS);
    PumpMessages(150);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(gSettings.BackColor, kRed);
    EXPECT_EQ(TablePixel(window), kRed);
    EXPECT_EQ(SlotCardMismatches(window, 0, BackName(7).c_str(), kRed), 0);
    std::string file = ReadWholeFile(settingsPath);
    EXPECT_NE(file.find("BackColorR=255\r\nBackColorG=0\r\nBackColorB=0\r\n"), std::string::npos)
        << file;
}

TEST_F(OptionsTest, ADialogThatCannotBeCreatedIsReported) {
    StartGame();
    HINSTANCE own = gShell.instance;
    gShell.instance = GetModuleHandleA("kernel32.dll");   // holds no dialog 110
    ModalAnswers answers;
    Command(IDM_OPTIONS);
    gShell.instance = own;
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kDialogFailedBox.caption);
    EXPECT_EQ(answers.Seen()[0].text, kDialogFailedBox.text);
    EXPECT_EQ(gSettings.CardBack, 7);
}

}  // namespace
