// The help dialog opened through its command on the real main window: the
// pages' captions, texts, example cards, counter, button states and focus;
// page 10's rank from the dealing generator; the read-only text box.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/win32/dialog_checks.h"
#include "tests/win32/table_fixture.h"

namespace {

const char kPage1Text[] =
    "The object of the game is to build the best five-card poker hand using the rules of "
    "five-card draw.  Insert coins into the machine by pressing the Coin button or using the "
    "menu option.  A maximum of five coins may be played in one game.\r\n\r\n"
    "Once the coins have been inserted, press the Deal button.  This will deal the cards.  "
    "After the cards have been dealt, select which cards are to be held by pressing the button "
    "under the appropriate card (or clicking on the card).  These buttons toggle whether a "
    "specific card is to be held or not.  Once the cards to be held are selected, press the "
    "Deal button again to replace those cards which are not held.  After the new cards have "
    "been dealt, the value of the hand is determined.\r\n\r\n";

const char kPage2Text[] =
    "A natural Royal Flush is a combination of the top five cards of the same suit.  Ten, "
    "Jack, Queen, King and Ace.  Wild cards are not allowed.";

std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }

// The five example cards, each compared with its picture; "Blank" where a
// page has no card.
std::vector<int> ExampleCardMismatches(HWND dialog, const std::vector<std::string>& names) {
    HWND frame = GetDlgItem(dialog, IDC_HELP_FRAME);
    RECT area;
    GetClientRect(frame, &area);
    MapWindowPoints(frame, dialog, reinterpret_cast<POINT*>(&area), 2);
    std::vector<int> bad;
    for (int k = 0; k < 5; ++k) {
        int x = (area.left + area.right) / 2 - 197 + 81 * k;
        int y = area.bottom - 106;
        bad.push_back(CardPictureMismatches(dialog, x, y, names[k].c_str()));
    }
    return bad;
}

const std::vector<int> kAllMatch = {0, 0, 0, 0, 0};

// A press of one of the page buttons, as a click gives it: the button takes
// the focus, then tells the dialog.
void Press(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
    PumpMessages(30);
}

struct PageView {
    std::string caption, text, counter;
    bool previousEnabled, nextEnabled;
    int focus;
};

PageView Look(HWND dialog) {
    PageView view;
    view.caption = ItemText(dialog, IDC_HELP_CAPTION);
    view.text = ItemText(dialog, IDC_HELP_TEXT);
    view.counter = ItemText(dialog, IDC_HELP_COUNTER);
    view.previousEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_HELP_PREV)) != FALSE;
    view.nextEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_HELP_NEXT)) != FALSE;
    view.focus = GetDlgCtrlID(GetFocus());
    return view;
}

class HelpTest : public TableWindowTest {
protected:
    // Opens the help through its command and runs `inspect` on it; the
    // dialog is closed with "&Done" afterwards.
    void WithHelp(const std::function<void(HWND)>& inspect) {
        ModalAnswers answers;
        answers.Then(WhenShown([&](HWND dialog) {
            PumpMessages(80);
            inspect(dialog);
            return IDOK;
        }));
        Command(IDM_HELP);
        ASSERT_EQ(answers.Seen().size(), 1u);
        EXPECT_EQ(answers.Seen()[0].caption, "Quorvel Help");
    }
};

TEST_F(HelpTest, FirstPageOnEveryOpening) {
    StartGame();
    for (int opening = 0; opening < 2; ++opening) {
        WithHelp([&](HWND dialog) {
            PageView page = Look(dialog);
            EXPECT_EQ(page.caption, "Game Play");
            EXPECT_EQ(page.text, kPage1Text);
            EXPECT_EQ(page.counter, "Page 1 of 12");
            EXPECT_FALSE(page.previousEnabled);
            EXPECT_TRUE(page.nextEnabled);
            EXPECT_EQ(reinterpret_cast<HFONT>(
                          SendDlgItemMessageA(dialog, IDC_HELP_CAPTION, WM_GETFONT, 0, 0)),
                      gShell.BigFont);
            EXPECT_EQ(ExampleCardMismatches(dialog, {"Blank", "Back4", "Joker", "Back4", "Blank"}),
                      kAllMatch);
            ExpectRaisedFrame(dialog);
            if (opening == 0) Press(dialog, IDC_HELP_NEXT);     // left on page 2
        });
    }
}

TEST_F(HelpTest, ForwardToPageTwoAndBack) {
    StartGame();
    WithHelp([&](HWND dialog) {
        Press(dialog, IDC_HELP_NEXT);
        PageView two = Look(dialog);
        EXPECT_EQ(two.caption, "Royal Flush (Natural)");
        EXPECT_EQ(two.text, kPage2Text);
        EXPECT_EQ(two.counter, "Page 2 of 12");
        EXPECT_TRUE(two.previousEnabled);
        EXPECT_TRUE(two.nextEnabled);
        EXPECT_EQ(two.focus, IDC_HELP_NEXT);
        EXPECT_EQ(ExampleCardMismatches(dialog, {"Diamond10", "Diamond11", "Diamond12", "Diamond13",
                                          "Diamond1"}),
                  kAllMatch);

        Press(dialog, IDC_HELP_PREV);
        PageView one = Look(dialog);
        EXPECT_EQ(one.caption, "Game Play");
        EXPECT_EQ(one.counter, "Page 1 of 12");
        EXPECT_FALSE(one.previousEnabled);
        EXPECT_TRUE(one.nextEnabled);
        EXPECT_EQ(one.focus, IDC_HELP_NEXT) << "the focus must leave the disabled button";
        // The empty places cover the Diamonds of page 2.
        EXPECT_EQ(ExampleCardMismatches(dialog, {"Blank", "Back4", "Joker", "Back4", "Blank"}),
                  kAllMatch);
    });
}

TEST_F(HelpTest, LastPageIsTheCreditsWithBack16InTheMiddle) {
    StartGame();
    WithHelp([&](HWND dialog) {
        for (int i = 0; i < 11; ++i) Press(dialog, IDC_HELP_NEXT);
        PageView last = Look(dialog);
        EXPECT_EQ(last.caption, "Credits");
        EXPECT_FALSE(last.text.empty());
        EXPECT_EQ(last.counter, "Page 12 of 12");
        EXPECT_TRUE(last.previousEnabled);
        EXPECT_FALSE(last.nextEnabled);
        EXPECT_EQ(last.focus, IDC_HELP_PREV);
        HWND frame = GetDlgItem(dialog, IDC_HELP_FRAME);
        RECT area;
        GetClientRect(frame, &area);
        MapWindowPoints(frame, dialog, reinterpret_cast<POINT*>(&area), 2);
        EXPECT_EQ(CardPictureMismatches(dialog, (area.left + area.right) / 2 - 197 + 162,
                                           area.bottom - 106, "Back16"),
                  0);
        // Pressing on past the end changes nothing.
        SendMessageA(dialog, WM_COMMAND, IDC_HELP_NEXT, 0);
        EXPECT_EQ(ItemText(dialog, IDC_HELP_COUNTER), "Page 12 of 12");
        // All the way back.
        for (int i = 0; i < 11; ++i) Press(dialog, IDC_HELP_PREV);
        EXPECT_EQ(Look(dialog).counter, "Page 1 of 12");
        EXPECT_EQ(Look(dialog).focus, IDC_HELP_NEXT);
    });
}

// Page 10 takes one value from the generator that deals the cards, on
// every visit, and shows that rank in hearts, spades and diamonds.
TEST_F(HelpTest, ThreeOfAKindTakesItsRankFromTheDealingGenerator) {
    StartGame();
    WithHelp([&](HWND dialog) {
        for (int i = 0; i < 8; ++i) Press(dialog, IDC_HELP_NEXT);
        EXPECT_EQ(Look(dialog).counter, "Page 9 of 12");
        for (uint32_t seed : {12345u, 777u, 99u}) {
            SCOPED_TRACE(seed);
            SeedRandom(seed);
            int rank = NextRandom() % 13 + 1;
            uint32_t afterOne = RandomState();
            SeedRandom(seed);
            Press(dialog, IDC_HELP_NEXT);
            EXPECT_EQ(ItemText(dialog, IDC_HELP_CAPTION), "Three of a Kind");
            EXPECT_EQ(RandomState(), afterOne) << "not exactly one value taken";
            std::string r = std::to_string(rank);
            EXPECT_EQ(ExampleCardMismatches(dialog, {"Hearts" + r, "Spade" + r, "Diamond" + r, "Mystery",
                                              "Mystery"}),
                      kAllMatch);
            Press(dialog, IDC_HELP_PREV);
        }
    });
}

// Typing and clicking into the text change nothing and give it no caret;
// the pointer stays the arrow; the scroll bar still scrolls.
TEST_F(HelpTest, TextIsReadOnlyButScrolls) {
    StartGame();
    WithHelp([&](HWND dialog) {
        HWND text = GetDlgItem(dialog, IDC_HELP_TEXT);
        DWORD selection = static_cast<DWORD>(SendMessageA(text, EM_GETSEL, 0, 0));
        int focusBefore = GetDlgCtrlID(GetFocus());

        ClickWindow(text);
        PumpMessages(100);
        EXPECT_NE(GetFocus(), text) << "a click put the caret into the text";
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), focusBefore);

        SetFocus(text);
        for (BYTE key : {BYTE('X'), BYTE(VK_BACK), BYTE(VK_DELETE), BYTE(VK_RETURN), BYTE('Q')})
            PressKey(key);
        PumpMessages(100);
        SendMessageA(text, WM_CHAR, 'Z', 0);
        SendMessageA(text, WM_KEYDOWN, VK_END, 0);
        SendMessageA(text, WM_KEYDOWN, VK_RIGHT, MAKELPARAM(1, 0));
        EXPECT_EQ(WindowTextOf(text), kPage1Text);
        EXPECT_EQ(static_cast<DWORD>(SendMessageA(text, EM_GETSEL, 0, 0)), selection);
        SetFocus(GetDlgItem(dialog, IDC_HELP_NEXT));

        SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
        SendMessageA(text, WM_SETCURSOR, reinterpret_cast<WPARAM>(text),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));

        // The down arrow of the scroll bar, clicked.
        RECT box;
        GetWindowRect(text, &box);
        int lines = static_cast<int>(SendMessageA(text, EM_GETLINECOUNT, 0, 0));
        ASSERT_GT(lines, 9) << "page 1 should need the scroll bar";
        EXPECT_EQ(SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        SetCursorPos(box.right - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2,
                     box.bottom - 1 - GetSystemMetrics(SM_CYVSCROLL) / 2);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        PumpMessages(150);
        EXPECT_GT(SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the scroll bar is dead";
        EXPECT_EQ(WindowTextOf(text), kPage1Text);
    });
}

}  // namespace
