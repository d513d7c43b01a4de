// The real main window driven as a player drives it: clicks and key presses
// through the system's input, pumped through the same accelerator loop as
// the program's own, with the buttons' and menus' states read after each
// step of whole games.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/card_name.h"
#include "presentation/table_look.h"
#include "shell/box_texts.h"
#include "shell/menu_rules.h"
#include "tests/engine/test_cards.h"
#include "tests/win32/table_fixture.h"

namespace {

using TableLayout::kCardHeight;
using TableLayout::kCardWidth;

// Caption and "+" (enabled) or "-" for Coin, Max and Deal, then "_" (empty)
// or "HOLD" with its mark for each hold button.
std::string ButtonStates() {
    auto one = [](HWND button) {
        std::string caption = WindowTextOf(button);
        if (caption.empty()) caption = "_";
        return caption + (IsWindowEnabled(button) ? "+" : "-");
    };
    std::string states = one(gShell.coinButton) + " " + one(gShell.maxButton) + " " +
                         one(gShell.dealButton);
    for (int slot = 0; slot < kSlotCount; ++slot) states += " " + one(HoldButton(slot));
    return states;
}

// The main menu as the player finds it on opening it: WM_INITMENU first.
// Items whose state changes are listed; any other item that is greyed or
// checked is named at the end.
std::string MenuStates(HWND window) {
    HMENU menu = GetMenu(window);
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    auto state = [menu](UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); };
    auto enabled = [&](UINT id, const char* name) {
        UINT s = state(id) & (MF_GRAYED | MF_DISABLED);
        const char* mark = s == 0 ? "+" : s == (MF_GRAYED | MF_DISABLED) ? "-" : "?";
        return std::string(name) + mark + " ";
    };
    auto checked = [&](UINT id, const char* name) {
        return std::string(name) + ((state(id) & MF_CHECKED) ? "[x] " : "[ ] ");
    };
    std::string text = enabled(IDM_EXIT, "Exit") + enabled(IDM_COIN, "Coin") +
                       enabled(IDM_BETMAX, "Max") + enabled(IDM_DEAL, "Deal") +
                       enabled(IDM_BANK, "Bank") + checked(IDM_SOUND, "Sound") +
                       checked(IDM_FASTDEAL, "Fast");
    const UINT others[] = {IDM_NEW,   IDM_OPTIONS, IDM_SOUND,      IDM_FASTDEAL, IDM_STATS,
                           IDM_CLEARSTATS, IDM_HELP, IDM_PAYOFF, IDM_ABOUT};
    for (UINT id : others) {
        if (state(id) & (MF_GRAYED | MF_DISABLED)) text += "greyed:" + std::to_string(id) + " ";
    }
    const UINT neverChecked[] = {IDM_EXIT, IDM_COIN, IDM_BETMAX, IDM_DEAL, IDM_BANK, IDM_NEW};
    for (UINT id : neverChecked) {
        if (state(id) & MF_CHECKED) text += "checked:" + std::to_string(id) + " ";
    }
    text.pop_back();
    return text;
}

POINT CardCentre(int slot) {
    return {gSlots[slot].x + kCardWidth / 2, gSlots[slot].y + kCardHeight / 2};
}

void ClickCard(HWND window, int slot) {
    POINT p = CardCentre(slot);
    ClickAt(window, p.x, p.y);
}

// A real mouse move, so that the window gets WM_SETCURSOR and WM_MOUSEMOVE.
void MoveMouseTo(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x - 1, p.y);
    mouse_event(MOUSEEVENTF_MOVE, 1, 0, 0, 0);
}

void KeyDown(BYTE key) { keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), 0, 0); }

void KeyUp(BYTE key) {
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), KEYEVENTF_KEYUP, 0);
}

void PressWith(BYTE modifier, BYTE key) {
    KeyDown(modifier);
    PressKey(key);
    KeyUp(modifier);
}

bool CapsLockOn() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

// Every message the main window is handed through the queue, for the tests
// that must know which ones the input produced.
std::vector<UINT> gQueued;
HHOOK gQueueHook = nullptr;

LRESULT CALLBACK RecordQueued(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == gShell.mainWindow)
        gQueued.push_back(msg->message);
    return CallNextHookEx(gQueueHook, code, wParam, lParam);
}

int CountOf(const std::vector<UINT>& messages, UINT message) {
    int n = 0;
    for (UINT m : messages) n += m == message;
    return n;
}

// What was seen of the right-click menu while it was up.
struct PopupSeen {
    std::vector<std::string> items;     // "-" for a separator
    std::vector<UINT> ids;
    bool greyedOrChecked = false;
    bool opened = false;
};

struct PopupRequest {
    std::string choose;     // item text to click; empty: close with Escape
    PopupSeen seen;
    int ticks = 0;
    bool done = false;
};

PopupRequest* gPopup = nullptr;

void CALLBACK ServePopup(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!gPopup || gPopup->done) {
        KillTimer(nullptr, timer);
        return;
    }
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) {
        if (++gPopup->ticks > 100) {    // it never opened: give up
            gPopup->done = true;
            KillTimer(nullptr, timer);
        }
        return;
    }
    KillTimer(nullptr, timer);
    gPopup->done = true;
    PopupSeen& seen = gPopup->seen;
    seen.opened = true;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    int chosen = -1;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            seen.items.push_back("-");
        } else {
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            seen.items.push_back(text);
            if (gPopup->choose == text) chosen = i;
        }
        seen.ids.push_back(GetMenuItemID(menu, i));
        if (!(state & MF_SEPARATOR) && (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)))
            seen.greyedOrChecked = true;
    }
    RECT item;
    if (chosen >= 0 && GetMenuItemRect(nullptr, menu, chosen, &item)) {
        SetCursorPos((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    } else {
        PressKey(VK_ESCAPE);
    }
}

// Opens the right-click menu with `open`, reads it while it is up and clicks
// the item `choose` (or closes it with Escape), then lets the command run.
PopupSeen UseTableMenu(const std::function<void()>& open, const std::string& choose) {
    PopupRequest request;
    request.choose = choose;
    gPopup = &request;
    SetTimer(nullptr, 0, 30, ServePopup);
    open();
    PumpUntil([&] { return request.done; }, 5000);
    PumpWithAccelerators(150);
    gPopup = nullptr;
    return request.seen;
}

void RightClickAt(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
}

// The right-click menu as the shared rules build it now: its texts ("-"
// for a separator) and commands.
std::vector<std::string> TableMenuTexts() {
    TableMenuItem items[kTableMenuItemCount];
    TableMenuItems(items);
    std::vector<std::string> texts;
    for (const TableMenuItem& item : items) texts.push_back(item.text ? item.text : "-");
    return texts;
}

std::vector<UINT> TableMenuCommands() {
    TableMenuItem items[kTableMenuItemCount];
    TableMenuItems(items);
    std::vector<UINT> ids;
    for (const TableMenuItem& item : items) ids.push_back(static_cast<UINT>(item.command));
    return ids;
}

// The text of the item that sends `command`, as the menu is built now.
std::string TableMenuText(int command) {
    TableMenuItem items[kTableMenuItemCount];
    TableMenuItems(items);
    for (const TableMenuItem& item : items)
        if (item.text && item.command == command) return item.text;
    ADD_FAILURE() << "no item sends " << command;
    return "";
}

std::string MessageOf(int id) {
    std::string text = StringTableText(id);
    EXPECT_FALSE(text.empty()) << id;
    return text;
}

RECT RectOf(const LayoutRect& r) { return {r.left, r.top, r.right, r.bottom}; }

class MainWindowTest : public TableWindowTest {
protected:
    void Pump(DWORD ms = 150) { PumpWithAccelerators(ms); }

    void Click(HWND button) {
        ClickWindow(button);
        Pump(100);
    }

    void Key(BYTE key) {
        PressKey(key);
        Pump(100);
    }

    // Coins in by the Coin button, then the first deal by the Deal button,
    // up to the hold phase.
    void DealWithCoins(int coins) {
        for (int i = 0; i < coins; ++i) Click(gShell.coinButton);
        ASSERT_EQ(gRound.coinsIn, coins);
        Click(gShell.dealButton);
        ASSERT_TRUE(WaitForDealEnd());
        ASSERT_TRUE(InHoldPhase());
    }

    // Lays a known hand in the hold phase and shows it.
    void ShowHand(const std::string& hand) {
        auto cards = HandOf(hand);
        PutHand(std::vector<Card>(cards.begin(), cards.end()));
        DrawAllCards();
    }

    void HoldAllByKeys() {
        const BYTE keys[] = {VK_F1, VK_F2, VK_F3, VK_F4, VK_F5};
        for (BYTE key : keys) Key(key);
    }
};

TEST_F(MainWindowTest, OpensAsAFixedCentredWindowWithItsFontsAndDisabledButtons) {
    EXPECT_EQ(ClassNameOf(window), "QuorvelWClass");
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS));
    EXPECT_EQ(WindowTextOf(window), kGameCaption);
    // The system adds its own clipping and visibility bits to a top-level window.
    DWORD style = GetWindowLongA(window, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS);
    EXPECT_EQ(style, 0x80CA0000u);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0u);
    EXPECT_NE(GetMenu(window), nullptr);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)),
              gShell.TableBrush);

    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    ASSERT_GT(StatusLine.height, 0);
    EXPECT_EQ(outer.right - outer.left, TableLayout::kWindowWidth);
    EXPECT_EQ(outer.bottom - outer.top, TableLayout::kWindowHeight + StatusLine.height);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, GetWindowLongA(window, GWL_STYLE), TRUE,
                       GetWindowLongA(window, GWL_EXSTYLE));
    EXPECT_EQ(client.right, TableLayout::kWindowWidth - (frame.right - frame.left));
    EXPECT_EQ(client.bottom, TableLayout::kWindowHeight + StatusLine.height - (frame.bottom - frame.top));
    // Centred by half the client area, so a little right of and below centre.
    EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - client.right / 2);
    EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - client.bottom / 2);

    // Fonts: the table's face, bold, upright, sized by the screen's resolution.
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    struct FontCase {
        HFONT font;
        int points;
    } fonts[] = {{gShell.BigFont, kBigFontPoints},
                 {gShell.ButtonFont, kButtonFontPoints},
                 {gShell.MessageFont, kMessageFontPoints}};
    for (const FontCase& f : fonts) {
        LOGFONTA lf = {};
        ASSERT_EQ(GetObjectA(f.font, sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, -MulDiv(f.points, dpi, 72));
        EXPECT_EQ(lf.lfWeight, 700);
        EXPECT_FALSE(lf.lfItalic);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
        EXPECT_EQ(lf.lfQuality, PROOF_QUALITY);
        EXPECT_EQ(lf.lfPitchAndFamily, 4);
        EXPECT_STREQ(lf.lfFaceName, kTableFontFace);
    }
    EXPECT_NE(gShell.ButtonFont, gShell.MessageFont);

    // The eight buttons at their places, all disabled until New has run.
    struct ButtonCase {
        HWND button;
        const char* caption;
        RECT place;
        int id;
    } buttons[] = {
        {gShell.coinButton, kCoinCaption, RectOf(TableLayout::CoinButton()), IDM_COIN},
        {gShell.maxButton, kMaxCaption, RectOf(TableLayout::MaxButton()), IDM_BETMAX},
        {gShell.dealButton, kDealCaption, RectOf(TableLayout::DealButton()), IDM_DEAL},
        {HoldButton(0), "", RectOf(TableLayout::HoldButton(0)), IDC_HOLD0},
        {HoldButton(1), "", RectOf(TableLayout::HoldButton(1)), IDC_HOLD1},
        {HoldButton(2), "", RectOf(TableLayout::HoldButton(2)), IDC_HOLD2},
        {HoldButton(3), "", RectOf(TableLayout::HoldButton(3)), IDC_HOLD3},
        {HoldButton(4), "", RectOf(TableLayout::HoldButton(4)), IDC_HOLD4},
    };
    for (const ButtonCase& b : buttons) {
        SCOPED_TRACE(b.id);
        ASSERT_TRUE(IsWindow(b.button));
        EXPECT_EQ(GetParent(b.button), window);
        EXPECT_EQ(ClassNameOf(b.button), "Button");
        EXPECT_EQ(WindowTextOf(b.button), b.caption);
        EXPECT_EQ(GetDlgCtrlID(b.button), b.id);
        // The system adds the window edge that a modal frame implies.
        EXPECT_EQ(GetWindowLongA(b.button, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0x30001);
        EXPECT_EQ(GetWindowLongA(b.button, GWL_STYLE) & 0xFFFF0000u,
                  static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_DISABLED));
        EXPECT_EQ(GetWindowLongA(b.button, GWL_STYLE) & 0xF, static_cast<DWORD>(BS_PUSHBUTTON));
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(b.button, WM_GETFONT, 0, 0)),
                  gShell.ButtonFont);
        RECT r;
        GetWindowRect(b.button, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &b.place))
            << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        EXPECT_FALSE(IsWindowEnabled(b.button));
    }

    // The first paint has happened: the first message, before New runs.
    char first[256] = "";
    LoadStringA(gShell.instance, IDS_FIRST_MESSAGE, first, sizeof first);
    EXPECT_STRNE(first, "");
    EXPECT_STREQ(MessageText, first);

    // The posted New sets up the first game.
    Pump();
    EXPECT_EQ(ButtonStates(), "Coin+ Max+ Deal- _- _- _- _- _-");
    EXPECT_EQ(MessageText, MessageOf(IDS_INSERT_COINS));
    EXPECT_EQ(gStats.credits, 40);
    EXPECT_EQ(MenuStates(window), "Exit+ Coin+ Max+ Deal- Bank+ Sound[ ] Fast[x]");
}

TEST_F(MainWindowTest, AWholeGameWithButtonsKeysAndCardClicks) {
    Pump();
    for (int coin = 1; coin <= 3; ++coin) {
        Click(gShell.coinButton);
        EXPECT_EQ(gRound.coinsIn, coin);
        EXPECT_EQ(MessageText, MessageOf(IDS_ADD_OR_DEAL));
    }
    EXPECT_EQ(gStats.credits, 37);
    EXPECT_EQ(ButtonStates(), "Coin+ Max+ Deal+ _- _- _- _- _-");
    EXPECT_EQ(MenuStates(window), "Exit+ Coin+ Max+ Deal+ Bank+ Sound[ ] Fast[x]");

    // The deal: everything is disabled while the cards turn up; Exit is
    // greyed, Deal stays enabled in the menu.
    ClickWindow(gShell.dealButton);
    ASSERT_TRUE(PumpUntil([] { return gRound.dealing != 0; }, 2000));
    EXPECT_EQ(MessageText, MessageOf(IDS_DEALING));
    EXPECT_EQ(ButtonStates(), "Coin- Max- Deal- _- _- _- _- _-");
    EXPECT_EQ(MenuStates(window), "Exit- Coin- Max- Deal+ Bank+ Sound[ ] Fast[x]");
    ASSERT_TRUE(WaitForDealEnd());
    EXPECT_EQ(MessageText, MessageOf(IDS_HOLD_OR_DEAL));
    EXPECT_EQ(ButtonStates(), "Coin- Max- Hit+ _+ _+ _+ _+ _+");
    EXPECT_EQ(MenuStates(window), "Exit+ Coin- Max- Deal+ Bank+ Sound[ ] Fast[x]");

    ShowHand("KH KS KD 4C 4D");
    // Hold by the button, by F2 while a push button has the focus, and by a
    // click on the card itself.
    Click(HoldButton(0));
    EXPECT_EQ(ButtonStates(), "Coin- Max- Hit+ HOLD+ _+ _+ _+ _+");
    ASSERT_NE(GetFocus(), window);
    Key(VK_F2);
    ClickCard(window, 2);
    Pump(100);
    EXPECT_EQ(ButtonStates(), "Coin- Max- Hit+ HOLD+ HOLD+ HOLD+ _+ _+");
    Key(VK_F4);
    Key(VK_F5);
    EXPECT_EQ(ButtonStates(), "Coin- Max- Stand+ HOLD+ HOLD+ HOLD+ HOLD+ HOLD+");
    ClickCard(window, 4);
    Pump(100);
    EXPECT_EQ(ButtonStates(), "Coin- Max- Hit+ HOLD+ HOLD+ HOLD+ HOLD+ _+");
    Key(VK_F5);
    EXPECT_EQ(ButtonStates(), "Coin- Max- Stand+ HOLD+ HOLD+ HOLD+ HOLD+ HOLD+");

    // Standing: nothing is replaced and the full house is paid 8 x 3.
    Click(gShell.dealButton);
    ASSERT_TRUE(WaitForDealEnd());
    Pump(50);
    EXPECT_EQ(gStats.credits, 37 + 24);
    EXPECT_EQ(gRound.coinsIn, 0);
    EXPECT_EQ(gRound.phase, Betting);
    EXPECT_STREQ(MessageText, "Full House   Payoff = 24 coins");
    EXPECT_GT(FlashCount, 0);
    EXPECT_EQ(ButtonStates(), "Coin+ Max+ Deal- _- _- _- _- _-");
    EXPECT_EQ(MenuStates(window), "Exit+ Coin+ Max+ Deal- Bank+ Sound[ ] Fast[x]");

    // New is refused while the line flashes, accepted once it has stopped.
    Key('N');
    EXPECT_EQ(gStats.credits, 61);
    ASSERT_TRUE(PumpUntil([] { return FlashCount == 0; }, 5000));
    Key('N');
    EXPECT_EQ(gStats.credits, 40);
    EXPECT_EQ(gStats.gamesPlayed, 0);
}

TEST_F(MainWindowTest, BetMaxPutsFiveCoinsInAndPostsTheDeal) {
    Pump();
    Command(IDM_BETMAX);
    EXPECT_EQ(gRound.coinsIn, 5);
    EXPECT_EQ(gStats.credits, 35);
    EXPECT_EQ(MessageText, MessageOf(IDS_PRESS_DEAL));
    EXPECT_EQ(ButtonStates(), "Coin- Max- Deal+ _- _- _- _- _-");
    MSG posted;
    ASSERT_TRUE(PeekMessageA(&posted, window, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    EXPECT_EQ(LOWORD(posted.wParam), IDM_DEAL);
    EXPECT_EQ(gRound.dealing, 0);   // only once the command has returned
    Pump(30);
    EXPECT_TRUE(gRound.dealing != 0 || InHoldPhase());
    ASSERT_TRUE(WaitForDealEnd());

    // The next game by the Max button itself.
    ShowHand("2C 5D 9H JS KC");
    HoldAllByKeys();
    Click(gShell.dealButton);
    ASSERT_TRUE(WaitForDealEnd());
    EXPECT_EQ(gStats.credits, 35);
    EXPECT_EQ(MessageText, MessageOf(IDS_INSERT_COINS));
    Click(gShell.maxButton);
    ASSERT_TRUE(WaitForDealEnd());
    EXPECT_TRUE(InHoldPhase());
    EXPECT_EQ(gRound.coinsIn, 5);
    EXPECT_EQ(gStats.credits, 30);
}

TEST_F(MainWindowTest, BustedBoxThenTheBankThroughTheMenuKeys) {
    ModalAnswers answers;
    Pump();
    gStats.credits = 1;
    Click(gShell.coinButton);
    EXPECT_EQ(gStats.credits, 0);
    EXPECT_EQ(ButtonStates(), "Coin- Max- Deal+ _- _- _- _- _-");
    EXPECT_EQ(MenuStates(window), "Exit+ Coin- Max- Deal+ Bank+ Sound[ ] Fast[x]");
    Click(gShell.dealButton);
    ASSERT_TRUE(WaitForDealEnd());
    ShowHand("2C 5D 9H JS KC");
    HoldAllByKeys();

    answers.ThenAnswer(IDOK);
    Click(gShell.dealButton);
    ASSERT_TRUE(PumpUntil([&] { return answers.Pending() == 0 && gRound.phase == Betting; }));
    Pump(100);
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kBustedBox.caption);
    EXPECT_EQ(answers.Seen()[0].text, kBustedBox.text);
    EXPECT_EQ(gStats.timesBusted, 1);
    EXPECT_EQ(MessageText, MessageOf(IDS_INSERT_COINS));
    EXPECT_EQ(ButtonStates(), "Coin- Max- Deal- _- _- _- _- _-");
    EXPECT_EQ(MenuStates(window), "Exit+ Coin- Max- Deal- Bank+ Sound[ ] Fast[x]");

    // Alt+O opens the Options menu, H picks "&Hit the Bank".
    answers.ThenAnswer(IDOK);
    // Both go into the input queue before the menu's own loop reads it.
    PressWith(VK_MENU, 'O');
    PressKey('H');
    ASSERT_TRUE(PumpUntil([&] { return answers.Seen().size() == 2 && gStats.credits == 80; }));
    EXPECT_EQ(answers.Seen()[1].caption, kBankBox.caption);
    EXPECT_EQ(answers.Seen()[1].text, MessageOf(kBankBox.stringId));
    EXPECT_EQ(ButtonStates(), "Coin+ Max+ Deal- _- _- _- _- _-");
    EXPECT_EQ(MenuStates(window), "Exit+ Coin+ Max+ Deal- Bank+ Sound[ ] Fast[x]");

    // A bank total that cannot take 80 more: the item is greyed.
    gStats.bankTotal = INT32_MAX - 79;
    EXPECT_EQ(MenuStates(window), "Exit+ Coin+ Max+ Deal- Bank- Sound[ ] Fast[x]");
}

TEST_F(MainWindowTest, LetterKeysWorkOnlyInLowerCaseAndWhileTheirItemIsEnabled) {
    ModalAnswers answers;
    Pump();
    ASSERT_FALSE(CapsLockOn());
    Key('D');                       // no coin in: "&Deal" is greyed
    EXPECT_EQ(gRound.phase, Betting);
    EXPECT_EQ(gStats.gamesPlayed, 0);
    for (int i = 0; i < 6; ++i) Key('C');    // the sixth finds "&Insert Coin" greyed
    EXPECT_EQ(gRound.coinsIn, 5);
    EXPECT_EQ(gStats.credits, 35);
    EXPECT_EQ(MessageText, MessageOf(IDS_PRESS_DEAL));

    PressWith(VK_SHIFT, 'D');       // an upper-case D is no command
    Pump(100);
    EXPECT_EQ(gRound.phase, Betting);
    Key(VK_CAPITAL);
    ASSERT_TRUE(CapsLockOn());
    Key('D');
    EXPECT_EQ(gRound.phase, Betting);
    Key(VK_CAPITAL);
    ASSERT_FALSE(CapsLockOn());

    // F1..F5 between games do nothing.
    Key(VK_F1);
    EXPECT_EQ(gSlots[0].held, 0);

    Key('D');
    EXPECT_EQ(gRound.phase, Dealt);
    // While the cards turn up: x finds "E&xit" greyed, F3 is refused.
    ASSERT_NE(gRound.dealing, 0);
    Key('X');
    Key(VK_F3);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(answers.Seen().empty());
    ASSERT_TRUE(WaitForDealEnd());
    EXPECT_EQ(gSlots[2].held, 0);

    Key(VK_F3);
    EXPECT_EQ(gSlots[2].held, 1);
    // n in the hold phase is refused; O opens the options.
    Key('N');
    EXPECT_EQ(gRound.phase, Dealt);
    answers.ThenAnswer(IDCANCEL);
    Key('O');
    ASSERT_TRUE(PumpUntil([&] { return answers.Seen().size() == 1; }, 3000));
    Pump(100);
    EXPECT_EQ(answers.Seen()[0].caption, DialogTemplateCaption(MAKEINTRESOURCEA(IDD_OPTIONS)));
    PressWith(VK_SHIFT, 'O');       // O has no modifier
    Pump(200);
    EXPECT_EQ(answers.Seen().size(), 1u);

    // The draw by d, then x closes (no question asked in this set-up).
    Key('D');
    ASSERT_TRUE(WaitForDealEnd());
    EXPECT_EQ(gRound.phase, Betting);
    ASSERT_TRUE(PumpUntil([] { return FlashCount == 0; }, 5000));
    Key('X');
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindowTest, RightClickMenuIsBuiltAfreshAndNeverGreyed) {
    Pump();
    PopupSeen between = UseTableMenu([&] { RightClickAt(window, 240, 250); }, "");
    ASSERT_TRUE(between.opened);
    EXPECT_EQ(between.items, TableMenuTexts());
    EXPECT_EQ(between.ids, TableMenuCommands());
    EXPECT_FALSE(between.greyedOrChecked);
    EXPECT_EQ(GetMenuItemCount(GetMenu(window)), 4);   // the main menu is untouched

    // Over a push button too; "Insert Coin" chosen puts a coin in.
    PopupSeen onButton = UseTableMenu([&] { RightClickAt(gShell.coinButton, 5, 5); },
                                      TableMenuText(IDM_COIN));
    ASSERT_TRUE(onButton.opened);
    EXPECT_EQ(gRound.coinsIn, 1);
    for (int i = 0; i < 4; ++i) Command(IDM_COIN);
    ASSERT_EQ(gRound.coinsIn, 5);
    // With five coins in, the item still sends the command, which takes no
    // credit but shows its message.
    EXPECT_EQ(MessageText, MessageOf(IDS_PRESS_DEAL));
    UseTableMenu([&] { RightClickAt(window, 240, 250); }, TableMenuText(IDM_COIN));
    EXPECT_EQ(gRound.coinsIn, 5);
    EXPECT_EQ(gStats.credits, 35);
    EXPECT_EQ(MessageText, MessageOf(IDS_ADD_OR_DEAL));

    UseTableMenu([&] { RightClickAt(window, 240, 250); }, TableMenuText(IDM_DEAL));
    ASSERT_TRUE(WaitForDealEnd());
    ASSERT_TRUE(InHoldPhase());

    // In the hold phase the Deal item is renamed; from the keyboard
    // (Shift+F10) the menu opens too.
    const std::string hitStand = TableMenuText(IDM_DEAL);
    EXPECT_NE(hitStand, between.items[5]);
    PopupSeen holding = UseTableMenu([&] { PressWith(VK_SHIFT, VK_F10); }, TableMenuText(IDM_BETMAX));
    ASSERT_TRUE(holding.opened);
    EXPECT_EQ(holding.items, TableMenuTexts());
    EXPECT_EQ(holding.items[5], hitStand);
    EXPECT_FALSE(holding.greyedOrChecked);
    EXPECT_EQ(gRound.coinsIn, 5);           // refused in the hold phase
    EXPECT_TRUE(InHoldPhase());

    UseTableMenu([&] { RightClickAt(window, 240, 250); }, hitStand);
    EXPECT_EQ(gRound.phase, Drawn);
    ASSERT_TRUE(WaitForDealEnd());
    ASSERT_TRUE(PumpUntil([] { return FlashCount == 0; }, 5000));
    UseTableMenu([&] { RightClickAt(window, 240, 250); }, TableMenuText(IDM_EXIT));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindowTest, CardNameAndHandCursorOnlyOverACardInTheHoldPhase) {
    const HCURSOR hand = LoadCursorA(gShell.instance, MAKEINTRESOURCEA(IDR_HAND_CURSOR));
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(hand, nullptr);
    Pump();
    POINT onCard = CardCentre(1);
    MoveMouseTo(window, onCard.x, onCard.y);
    Pump(100);
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_STREQ(StatusLine.text, "");

    Command(IDM_COIN);
    Command(IDM_DEAL);
    MoveMouseTo(window, onCard.x + 1, onCard.y);
    Pump(20);
    if (gRound.dealing) {       // while the cards turn up
        EXPECT_EQ(GetCursor(), arrow);
        EXPECT_STREQ(StatusLine.text, "");
    }
    ASSERT_TRUE(WaitForDealEnd());
    ShowHand("QH JK 7C AS TD");
    const struct {
        POINT at;
        int slot;       // -1: no card there
    } places[] = {
        {CardCentre(0), 0},
        {CardCentre(1), 1},
        {{gSlots[2].x, gSlots[2].y}, 2},    // the card's first pixel
        {{gSlots[3].x + kCardWidth - 1, gSlots[3].y + kCardHeight - 1}, 3},
        {{gSlots[3].x + kCardWidth, gSlots[3].y + 10}, -1},  // the gap after it
        {CardCentre(4), 4},
        {{gSlots[4].x, gSlots[4].y + kCardHeight}, -1},      // just below it
        {{240, 250}, -1},
    };
    for (const auto& place : places) {
        const std::string name = place.slot < 0 ? "" : CardName(gSlots[place.slot].card);
        SCOPED_TRACE(name);
        if (place.slot >= 0) {
            ASSERT_FALSE(name.empty());
        }
        MoveMouseTo(window, place.at.x, place.at.y);
        Pump(60);
        EXPECT_EQ(StatusLine.text, name);
        EXPECT_EQ(GetCursor(), place.slot >= 0 ? hand : arrow);
    }

    // The Sound toggle's notice stays until the mouse next moves.
    Command(IDM_SOUND);
    EXPECT_STREQ(StatusLine.text, kSoundOnNotice);
    EXPECT_EQ(gSettings.Sound, 1);
    Command(IDM_SOUND);
    EXPECT_STREQ(StatusLine.text, kSoundOffNotice);
    EXPECT_EQ(gSettings.Sound, 0);
    MoveMouseTo(window, onCard.x, onCard.y);
    Pump(60);
    EXPECT_STREQ(StatusLine.text, CardName(gSlots[1].card));
}

TEST_F(MainWindowTest, CardClicksToggleOnlyWhileTheHoldButtonIsEnabledAndDoubleClicksOnce) {
    gQueueHook = SetWindowsHookExA(WH_GETMESSAGE, RecordQueued, nullptr, GetCurrentThreadId());
    Pump();
    ClickCard(window, 0);           // between games
    Pump(100);
    EXPECT_EQ(gSlots[0].held, 0);
    Command(IDM_COIN);
    Command(IDM_DEAL);
    ClickCard(window, 0);           // while the cards turn up
    Pump(20);
    ASSERT_TRUE(WaitForDealEnd());
    EXPECT_EQ(gSlots[0].held, 0);

    // A fast double click: press, release, press, release.
    Sleep(GetDoubleClickTime() + 50);
    gQueued.clear();
    POINT p = CardCentre(3);
    ClientToScreen(window, &p);
    SetCursorPos(p.x, p.y);
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    Pump(100);
    EXPECT_EQ(CountOf(gQueued, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(CountOf(gQueued, WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(gSlots[3].held, 1);
    EXPECT_EQ(WindowTextOf(HoldButton(3)), "HOLD");

    Sleep(GetDoubleClickTime() + 50);
    ClickCard(window, 3);
    Pump(100);
    EXPECT_EQ(gSlots[3].held, 0);
    UnhookWindowsHookEx(gQueueHook);
    gQueueHook = nullptr;
}

TEST_F(MainWindowTest, FastDealTakesEffectAtTheNextDeal) {
    Pump();
    Command(IDM_FASTDEAL);
    EXPECT_EQ(gSettings.FastDeal, 0);
    EXPECT_EQ(MenuStates(window), "Exit+ Coin+ Max+ Deal- Bank+ Sound[ ] Fast[ ]");
    Command(IDM_COIN);
    DWORD start = GetTickCount();
    Command(IDM_DEAL);
    Command(IDM_FASTDEAL);          // during the deal: the interval stays
    ASSERT_TRUE(WaitForDealEnd());
    DWORD slow = GetTickCount() - start;
    EXPECT_GE(slow, 5 * 320u - 100);
    EXPECT_EQ(MenuStates(window), "Exit+ Coin- Max- Deal+ Bank+ Sound[ ] Fast[x]");
    start = GetTickCount();
    Command(IDM_DEAL);
    ASSERT_TRUE(WaitForDealEnd());
    DWORD fast = GetTickCount() - start;
    EXPECT_LT(fast, 5 * 320u - 100);
}

class ConfirmedExitTest : public MainWindowTest {
protected:
    std::string SettingsLines() override {
        return "FastDeal=1\r\nConfirmExit=1\r\nZoom=0\r\nSound=0\r\nCardBack=7\r\n";
    }
};

TEST_F(ConfirmedExitTest, CloseRefusedWhileDealingThenAskedAndTheSettingsWritten) {
    ModalAnswers answers;
    Pump();
    Command(IDM_COIN);
    Command(IDM_DEAL);
    ASSERT_NE(gRound.dealing, 0);
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(answers.Seen().empty());
    ASSERT_TRUE(WaitForDealEnd());

    // x asks; No keeps the game as it was.
    answers.ThenAnswer(IDNO);
    Key('X');
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, kExitQuestion.caption);
    EXPECT_EQ(answers.Seen()[0].text, kExitQuestion.text);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(InHoldPhase());
    EXPECT_EQ(ButtonStates(), "Coin- Max- Hit+ _+ _+ _+ _+ _+");

    // Alt+F4 asks again; Yes saves, stops the held sound, deletes the fonts
    // and the brush and ends the loop with 0.
    Command(IDM_SOUND);
    Key(VK_F1);
    ASSERT_NE(HeldSound, nullptr);
    const HGDIOBJ made[] = {gShell.BigFont, gShell.ButtonFont, gShell.MessageFont,
                            gShell.TableBrush};
    answers.ThenAnswer(IDYES);
    PressWith(VK_MENU, VK_F4);
    // The program's loop ends on the quit message; so does this one.
    MSG msg = {};
    bool sawQuit = false;
    DWORD start = GetTickCount();
    while (!sawQuit && GetTickCount() - start < 3000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                sawQuit = true;
                break;
            }
            if (!TranslateAcceleratorA(window, gShell.accelerators, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
    ASSERT_TRUE(sawQuit);
    EXPECT_EQ(msg.wParam, 0u);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(answers.Seen()[1].text, kExitQuestion.text);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(HeldSound, nullptr);
    for (HGDIOBJ object : made) EXPECT_EQ(GetObjectType(object), 0u);

    std::string file = ReadWholeFile(settingsPath);
    EXPECT_NE(file.find("Sound=1"), std::string::npos) << file;
    EXPECT_NE(file.find("CardBack=7"), std::string::npos) << file;
    EXPECT_NE(file.find("ConfirmExit=1"), std::string::npos) << file;
}

}  // namespace
