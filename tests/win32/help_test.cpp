// The help dialog opened through its command on the real main window: the
// pages' captions, texts, example cards, counter, button states and focus;
// page 10's rank from the dealing generator; the read-only text box.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/help_pages.h"
#include "tests/win32/dialog_checks.h"
#include "tests/win32/table_fixture.h"

namespace {

// What page `page` shows, from the pages the dialog and the page share.
// Page 10 takes a value from the dealing generator on every call.
HelpPageContent Page(int page) {
    HelpPageContent content;
    FillHelpPageContent(page, &content);
    return content;
}

// The five pictures of a page, "Blank" where it has no card.
std::vector<std::string> CardsOf(const HelpPageContent& content) {
    std::vector<std::string> names;
    for (const char* card : content.cards) names.push_back(*card ? card : "Blank");
    return names;
}

std::string Counter(int page) {
    char text[32];
    FormatHelpCounter(page, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }

// The five example cards, each compared with its picture; "Blank" where a
// page has no card.
std::vector<int> ExampleCardMismatches(HWND dialog, const std::vector<std::string>& names) {
    HWND frame = GetDlgItem(dialog, IDC_HELP_FRAME);
    RECT area;
    GetClientRect(frame, &area);
    MapWindowPoints(frame, dialog, reinterpret_cast<POINT*>(&area), 2);
    std::vector<int> bad;
    for (int k = 0; k < kHelpCardCount; ++k) {
        bad.push_back(CardPictureMismatches(dialog, HelpCardLeft(area.left, area.right, k),
                                            HelpCardTop(area.bottom), names[k].c_str()));
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
        EXPECT_EQ(answers.Seen()[0].caption, DialogTemplateCaption("HelpDlg"));
    }
};

TEST_F(HelpTest, FirstPageOnEveryOpening) {
    StartGame();
    const HelpPageContent first = Page(kHelpFirstPage);
    for (int opening = 0; opening < 2; ++opening) {
        WithHelp([&](HWND dialog) {
            PageView page = Look(dialog);
            EXPECT_EQ(page.caption, first.caption);
            EXPECT_EQ(page.text, first.text);
            EXPECT_EQ(page.counter, Counter(kHelpFirstPage));
            EXPECT_FALSE(page.previousEnabled);
            EXPECT_TRUE(page.nextEnabled);
            EXPECT_EQ(reinterpret_cast<HFONT>(
                          SendDlgItemMessageA(dialog, IDC_HELP_CAPTION, WM_GETFONT, 0, 0)),
                      gShell.BigFont);
            EXPECT_EQ(ExampleCardMismatches(dialog, CardsOf(first)), kAllMatch);
            ExpectRaisedFrame(dialog);
            if (opening == 0) Press(dialog, IDC_HELP_NEXT);     // left on page 2
        });
    }
}

TEST_F(HelpTest, ForwardToPageTwoAndBack) {
    StartGame();
    const HelpPageContent first = Page(1), second = Page(2);
    WithHelp([&](HWND dialog) {
        Press(dialog, IDC_HELP_NEXT);
        PageView two = Look(dialog);
        EXPECT_EQ(two.caption, second.caption);
        EXPECT_EQ(two.text, second.text);
        EXPECT_EQ(two.counter, Counter(2));
        EXPECT_TRUE(two.previousEnabled);
        EXPECT_TRUE(two.nextEnabled);
        EXPECT_EQ(two.focus, IDC_HELP_NEXT);
        EXPECT_EQ(ExampleCardMismatches(dialog, CardsOf(second)), kAllMatch);

        Press(dialog, IDC_HELP_PREV);
        PageView one = Look(dialog);
        EXPECT_EQ(one.caption, first.caption);
        EXPECT_EQ(one.counter, Counter(1));
        EXPECT_FALSE(one.previousEnabled);
        EXPECT_TRUE(one.nextEnabled);
        EXPECT_EQ(one.focus, IDC_HELP_NEXT) << "the focus must leave the disabled button";
        // The empty places cover the cards of page 2.
        std::vector<std::string> cards = CardsOf(first);
        ASSERT_NE(std::count(cards.begin(), cards.end(), "Blank"), 0);
        EXPECT_EQ(ExampleCardMismatches(dialog, cards), kAllMatch);
    });
}

// Every page as the dialog shows it is the page's own caption, text,
// counter and cards; page 10 with the rank the generator gives.
TEST_F(HelpTest, EveryPageShowsItsOwnContent) {
    StartGame();
    WithHelp([&](HWND dialog) {
        for (int page = kHelpFirstPage; page <= kHelpLastPage; ++page) {
            SCOPED_TRACE(page);
            const uint32_t state = RandomState();
            const HelpPageContent content = Page(page);
            SeedRandom(state);
            if (page > kHelpFirstPage) Press(dialog, IDC_HELP_NEXT);
            PageView view = Look(dialog);
            EXPECT_EQ(view.caption, content.caption);
            EXPECT_EQ(view.text, content.text);
            EXPECT_EQ(view.counter, Counter(page));
            EXPECT_EQ(ExampleCardMismatches(dialog, CardsOf(content)), kAllMatch);
        }
    });
}

TEST_F(HelpTest, LastPageIsTheCreditsWithBack16InTheMiddle) {
    StartGame();
    WithHelp([&](HWND dialog) {
        const HelpPageContent credits = Page(kHelpLastPage);
        for (int i = kHelpFirstPage; i < kHelpLastPage; ++i) Press(dialog, IDC_HELP_NEXT);
        PageView last = Look(dialog);
        EXPECT_EQ(last.caption, credits.caption);
        EXPECT_FALSE(last.text.empty());
        EXPECT_EQ(last.text, credits.text);
        EXPECT_EQ(last.counter, Counter(kHelpLastPage));
        EXPECT_TRUE(last.previousEnabled);
        EXPECT_FALSE(last.nextEnabled);
        EXPECT_EQ(last.focus, IDC_HELP_PREV);
        HWND frame = GetDlgItem(dialog, IDC_HELP_FRAME);
        RECT area;
        GetClientRect(frame, &area);
        MapWindowPoints(frame, dialog, reinterpret_cast<POINT*>(&area), 2);
        EXPECT_EQ(CardPictureMismatches(dialog, HelpCardLeft(area.left, area.right, 2),
                                        HelpCardTop(area.bottom), credits.cards[2]),
                  0);
        // Pressing on past the end changes nothing.
        SendMessageA(dialog, WM_COMMAND, IDC_HELP_NEXT, 0);
        EXPECT_EQ(ItemText(dialog, IDC_HELP_COUNTER), Counter(kHelpLastPage));
        // All the way back.
        for (int i = kHelpFirstPage; i < kHelpLastPage; ++i) Press(dialog, IDC_HELP_PREV);
        EXPECT_EQ(Look(dialog).counter, Counter(kHelpFirstPage));
        EXPECT_EQ(Look(dialog).focus, IDC_HELP_NEXT);
    });
}

// Page 10 takes one value from the generator that deals the cards, on
// every visit, and shows that rank in hearts, spades and diamonds.
TEST_F(HelpTest, ThreeOfAKindTakesItsRankFromTheDealingGenerator) {
    StartGame();
    WithHelp([&](HWND dialog) {
        for (int i = 0; i < 8; ++i) Press(dialog, IDC_HELP_NEXT);
        EXPECT_EQ(Look(dialog).counter, Counter(9));
        for (uint32_t seed : {12345u, 777u, 99u}) {
            SCOPED_TRACE(seed);
            SeedRandom(seed);
            NextRandom();
            uint32_t afterOne = RandomState();
            SeedRandom(seed);
            const HelpPageContent ten = Page(10);
            SeedRandom(seed);
            Press(dialog, IDC_HELP_NEXT);
            EXPECT_EQ(ItemText(dialog, IDC_HELP_CAPTION), ten.caption);
            EXPECT_EQ(RandomState(), afterOne) << "not exactly one value taken";
            EXPECT_EQ(ExampleCardMismatches(dialog, CardsOf(ten)), kAllMatch);
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
        EXPECT_EQ(WindowTextOf(text), Page(kHelpFirstPage).text);
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
        EXPECT_EQ(WindowTextOf(text), Page(kHelpFirstPage).text);
    });
}

}  // namespace
