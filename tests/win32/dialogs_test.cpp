// The dialogs opened through their commands on the real main window: what
// all of them share (centring, owner, frame, closing with OK, Escape and the
// close box, with and without the zoom), the statistics after scripted
// games, the payout picture and the About box.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "dialogs/statistics_text.h"
#include "shell/box_texts.h"
#include "tests/engine/test_cards.h"
#include "tests/win32/dialog_checks.h"
#include "tests/win32/table_fixture.h"

namespace {

std::vector<Card> Hand(const std::string& text) {
    std::array<Card, 5> hand = HandOf(text);
    return std::vector<Card>(hand.begin(), hand.end());
}

std::string ItemText(HWND dialog, int id) { return WindowTextOf(GetDlgItem(dialog, id)); }

// The Statistics dialog's title for the counters now.
std::string NetWinningsTitle() {
    char text[64];
    FormatNetWinnings(text, sizeof text);
    return text;
}

class DialogsTest : public TableWindowTest {
protected:
    // One whole game: coins in (5 through Bet Max), deal, draw all five
    // and make the draw come out as `hand`.
    void PlayGame(int coins, const std::string& hand) {
        if (coins == 5) {
            Command(IDM_BETMAX);
        } else {
            for (int i = 0; i < coins; ++i) Command(IDM_COIN);
        }
        Command(IDM_DEAL);
        ASSERT_TRUE(WaitForDealEnd());
        Command(IDM_DEAL);
        PutUnheld(Hand(hand));
        ASSERT_TRUE(WaitForDealEnd());
        PumpMessages(50);
    }
};

// ---- Statistics -------------------------------------------------------------

TEST_F(DialogsTest, StatisticsWithNoGamesOnlySaysSo) {
    StartGame();
    ModalAnswers answers;
    Command(IDM_STATS);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kNoGamesBox.caption);
    EXPECT_EQ(answers.Seen()[0].text, kNoGamesBox.text);
}

TEST_F(DialogsTest, StatisticsShowTheCountersTruncatedSharesAndNetWinnings) {
    StartGame();
    PlayGame(1, "3C 3D 9H 9S KC");     // two pair: 1 back for 1
    PlayGame(1, "5C 5D JH JS 2C");     // two pair again
    PlayGame(5, "2C 7D 9H JS KC");     // nothing, five coins lost
    ASSERT_EQ(gStats.credits, 35);

    ModalAnswers answers;
    std::vector<std::string> fields;
    std::string title;
    answers.Then(WhenShown([&](HWND dialog) {
        title = WindowTextOf(dialog);
        for (int id : {IDC_STAT_GAMES, IDC_STAT_COINS_PLAYED, IDC_STAT_COINS_WON, IDC_STAT_BUSTED})
            fields.push_back(ItemText(dialog, id));
        for (int c = 1; c <= 10; ++c) fields.push_back(ItemText(dialog, IDC_STAT_HAND0 + c));
        return IDOK;
    }));
    Command(IDM_STATS);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(title, NetWinningsTitle());
    EXPECT_EQ(gStats.credits - gStats.bankTotal, -5);
    const std::vector<std::string> expected = {
        "3", "7", "2", "0",
        "0  0%", "0  0%", "0  0%", "0  0%", "0  0%",
        "0  0%", "0  0%", "0  0%", "0  0%", "2  66%",
    };
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(gStats.gamesPlayed, 3) << "the dialog must not change a counter";
}

// The net counts every credit received: after a bank hit the credits it
// gave do not count as winnings.
TEST_F(DialogsTest, StatisticsNetWinningsCountTheBank) {
    StartGame();
    PlayGame(5, "2C 7D 9H JS KC");
    {
        ModalAnswers bank;
        Command(IDM_BANK);
    }
    ModalAnswers answers;
    std::string title, games;
    answers.Then(WhenShown([&](HWND dialog) {
        title = WindowTextOf(dialog);
        games = ItemText(dialog, IDC_STAT_GAMES);
        return IDCANCEL;
    }));
    Command(IDM_STATS);
    EXPECT_EQ(games, "1");
    EXPECT_EQ(title, NetWinningsTitle());
    EXPECT_EQ(gStats.credits - gStats.bankTotal, -5);
}

// ---- Payout picture and About box --------------------------------------------

TEST_F(DialogsTest, PayoffDialogShowsThePictureCentredUnderItsButton) {
    StartGame();
    ModalAnswers answers;
    int mismatches = -1;
    std::string caption, button;
    answers.Then(WhenShown([&](HWND dialog) {
        PumpMessages(100);
        caption = WindowTextOf(dialog);
        button = ItemText(dialog, IDOK);
        RECT client;
        GetClientRect(dialog, &client);
        std::vector<COLORREF> shot = WindowPixels(dialog, client);
        RECT ok;
        GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
        // Blank out the button: it stands over the picture.
        int w = 0, h = 0;
        std::vector<COLORREF> picture = BitmapPixels("OddsBmp", &w, &h);
        int x0 = client.right / 2 - w / 2, y0 = client.bottom / 2 - h / 2;
        mismatches = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                POINT p = {x0 + x, y0 + y};
                if (PtInRect(&ok, p)) continue;
                if (shot[static_cast<size_t>(p.y) * client.right + p.x] !=
                    picture[static_cast<size_t>(y) * w + x])
                    ++mismatches;
            }
        return IDOK;
    }));
    Command(IDM_PAYOFF);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(caption, DialogTemplateCaption("PayoffDlg"));
    EXPECT_EQ(button, "OK");
    EXPECT_EQ(mismatches, 0);
}

TEST_F(DialogsTest, AboutBoxShowsTitleCreditsAndIcons) {
    StartGame();
    ModalAnswers answers;
    std::vector<std::string> lines;
    int icons = 0;
    answers.Then(WhenShown([&](HWND dialog) {
        for (int id : {IDC_ABOUT_TITLE, IDC_ABOUT_LINE1, IDC_ABOUT_LINE2, IDC_ABOUT_LINE3})
            lines.push_back(ItemText(dialog, id));
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (SendMessageA(child, STM_GETICON, 0, 0)) ++icons;
        return IDOK;
    }));
    Command(IDM_ABOUT);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, DialogTemplateCaption("AboutDlg"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], kGameCaption) << "the About box names the game as its window does";
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_FALSE(lines[i].empty()) << "credits line " << i;
    EXPECT_EQ(icons, 2) << "the program icon and the coins";
}

// ---- What every dialog shares ------------------------------------------------

enum class CloseBy { Ok, Escape, CloseBox };

struct DialogCase {
    int command;
    const char* resource;   // its template; nullptr: the statistics, titled by the net winnings
};

const DialogCase kDialogs[] = {
    {IDM_STATS, nullptr},
    {IDM_PAYOFF, "PayoffDlg"},
    {IDM_ABOUT, "AboutDlg"},
    {IDM_HELP, "HelpDlg"},
    {IDM_OPTIONS, MAKEINTRESOURCEA(IDD_OPTIONS)},
};

void Close(HWND dialog, CloseBy how) {
    switch (how) {
    case CloseBy::Ok: PostMessageA(dialog, WM_COMMAND, IDOK, 0); break;
    case CloseBy::Escape: {
        // Through the dialog's own keyboard handling, from the focused control.
        HWND focus = GetFocus();
        PostMessageA(focus ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        break;
    }
    case CloseBy::CloseBox: PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
}

class EveryDialogTest : public DialogsTest,
                        public ::testing::WithParamInterface<bool> {     // zoom on
protected:
    std::string SettingsLines() override {
        return std::string("FastDeal=1\r\nConfirmExit=0\r\nSound=0\r\nZoom=") +
               (GetParam() ? "1" : "0") + "\r\n";
    }
};

TEST_P(EveryDialogTest, CentredOwnedFramedAndClosedByOkEscapeOrCloseBox) {
    bool zoom = GetParam();
    const DWORD kZoomMs = (18 + 4) * 30;
    StartGame();
    PlayGame(1, "2C 7D 9H JS KC");     // for the statistics
    for (const DialogCase& dialog : kDialogs) {
        for (CloseBy how : {CloseBy::Ok, CloseBy::Escape, CloseBy::CloseBox}) {
            const std::string wanted =
                dialog.resource ? DialogTemplateCaption(dialog.resource) : NetWinningsTitle();
            ASSERT_FALSE(wanted.empty());
            SCOPED_TRACE(wanted + ", closed by " +
                         std::to_string(static_cast<int>(how)));
            ModalAnswers answers;
            DWORD closeAsked = 0;
            bool visible = false;
            HWND owner = nullptr;
            std::string caption;
            answers.Then([&](HWND shown) {
                return OnceShown(shown, [&](HWND box) {
                    PumpMessages(60);
                    caption = WindowTextOf(box);
                    visible = IsWindowVisible(box) != FALSE;
                    owner = GetWindow(box, GW_OWNER);
                    ExpectCentredOnScreen(box);
                    ExpectRaisedFrame(box);
                    closeAsked = timeGetTime();
                    Close(box, how);
                });
            });
            DWORD start = timeGetTime();
            Command(dialog.command);
            DWORD end = timeGetTime();
            ASSERT_EQ(answers.Seen().size(), 1u);
            EXPECT_EQ(caption, wanted);
            EXPECT_TRUE(visible);
            EXPECT_EQ(owner, window);
            EXPECT_FALSE(IsWindow(answers.Seen()[0].window)) << "the dialog stayed open";
            if (zoom) {
                EXPECT_GE(closeAsked - start, kZoomMs) << "no opening zoom";
                EXPECT_GE(end - closeAsked, kZoomMs) << "no closing zoom";
            } else {
                EXPECT_LT(end - closeAsked, kZoomMs) << "a zoom with Zoom off";
            }
        }
    }
    EXPECT_EQ(gStats.gamesPlayed, 1);
}

INSTANTIATE_TEST_SUITE_P(Zoom, EveryDialogTest, ::testing::Values(false, true));

}  // namespace
