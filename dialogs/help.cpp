// The paged help dialog: a caption in large type, a read-only scrollable text
// and a row of five example cards under it, twelve pages in all.
#include <windows.h>

#include <cstdio>

#include "dialogs/dialogs.h"
#include "engine/deck.h"
#include "presentation/bitmaps.h"
#include "presentation/table.h"
#include "presentation/zoom.h"
#include "resources/resource_ids.h"
#include "shell/app_shell.h"

namespace {

constexpr int kFirstPage = 1;
constexpr int kLastPage = 12;
constexpr int kRandomRankPage = 10;
constexpr int kCardNameSize = 20;
// The example row is laid out like the table's card row, centred on the
// frame and standing a little above its bottom edge.
constexpr int kRowWidth = 4 * TableLayout::kCardPitch + TableLayout::kCardWidth;
constexpr int kRowAboveFrameBottom = 10;
constexpr COLORREF kCardCorner = RGB(192, 192, 192);

struct HelpPageText {
    const char* caption;
    const char* text;
    const char* cards[kSlotCount];      // "" = no card, drawn as "Blank"
};

const HelpPageText kPages[kLastPage] = {
    {"Game Play",
     "The object of the game is to build the best five-card poker hand using the rules of "
     "five-card draw.  Insert coins into the machine by pressing the Coin button or using the "
     "menu option.  A maximum of five coins may be played in one game.\r\n\r\n"
     "Once the coins have been inserted, press the Deal button.  This will deal the cards.  "
     "After the cards have been dealt, select which cards are to be held by pressing the button "
     "under the appropriate card (or clicking on the card).  These buttons toggle whether a "
     "specific card is to be held or not.  Once the cards to be held are selected, press the "
     "Deal button again to replace those cards which are not held.  After the new cards have "
     "been dealt, the value of the hand is determined.\r\n\r\n",
     {"", "Back4", "Joker", "Back4", ""}},
    {"Royal Flush (Natural)",
     "A natural Royal Flush is a combination of the top five cards of the same suit.  Ten, "
     "Jack, Queen, King and Ace.  Wild cards are not allowed.",
     {"Diamond10", "Diamond11", "Diamond12", "Diamond13", "Diamond1"}},
    {"Five of a Kind",
     "In order to get five of a kind, a wild card must be used.  In this example hand, the "
     "joker is the fifth seven.  The higher thecard value, the higher the hand, i.e. five jacks "
     "beat five nines.",
     {"Diamond7", "Spade7", "Hearts7", "Club7", "Joker"}},
    {"Royal Flush (Joker)",
     "This royal flush allows a wild card to take the place of one of the cards in the hand.  "
     "In this example, the joker takes the place of the 10 of Spades to complete the royal "
     "flush.",
     {"Spade11", "Spade12", "Spade13", "Joker", "Spade1"}},
    {"Straight Flush",
     "A straight flush is a combination of a straight and a flush.  A wild card may be used in "
     "the place of any of the cards.",
     {"Spade7", "Spade8", "Spade9", "Spade10", "Spade11"}},
    {"Four of a Kind",
     "Four of a kind involves getting four of the same rank of cards in different suits.  The "
     "fifth card may be anything as long as it is not a wild card.",
     {"Club12", "Diamond12", "Mystery", "Spade12", "Hearts12"}},
    {"Full House",
     "A full house is a combination of three-of-a-kind and a pair.  The phrase 'fullhouse, "
     "jacks and fives' implies that a player has three jacks and two fives.",
     {"Hearts3", "Spade3", "Club3", "Diamond11", "Club11"}},
    {"Flush",
     "A flush is a set of cards belonging to a single suit (or may contain a wild card).  The "
     "following example is a flush using all hearts.",
     {"Hearts7", "Hearts12", "Hearts2", "Hearts10", "Hearts6"}},
    {"Straight",
     "A straight is a sequential run of five cards.  The cards do NOT need to be of the same "
     "suit.  When wildcards are allowed, a joker may be substituted for any of the cards in the "
     "straight.",
     {"Diamond4", "Club5", "Club6", "Hearts7", "Diamond8"}},
    {"Three of a Kind",
     "A hand containing three of a kind has three cards which are the same rank.  Suit does not "
     "matter and a wild card may be substituted for one of the three cards.  The other two "
     "cards in the hand cannot be the same rank as any of the three cards.  The other two cards "
     "may not also be a pair, or this hand would be a fullhouse.",
     {"", "", "", "Mystery", "Mystery"}},      // the three of a kind is drawn afresh
    {"Two Pair",
     "A hand containing two pair is simply a combination of two pairs of cards.  The fifth card "
     "does not match either pair.",
     {"Hearts9", "Club9", "Spade5", "Hearts5", "Mystery"}},
    {"Credits",
     "Quorvel was written for everyone who likes a quiet hand of draw poker on the desktop.  "
     "The cards, the sixteen backs, the sounds and the pictures were all made for this game.\r\n"
     "\r\n"
     "Thank you for playing, and may the joker fall your way.",
     {"Hearts1", "Joker", "Back16", "Joker", "Spade1"}},
};

// Only valid while the dialog is open.
int HelpPage = kFirstPage;
char HelpCards[kSlotCount][kCardNameSize];

// The text box's own procedure, fetched once and kept for the whole run.
WNDPROC TextBoxProc = nullptr;

void SetCard(int position, const char* name) {
    std::snprintf(HelpCards[position], kCardNameSize, "%s", name);
}

// Page 10 takes one value from the dealing generator on every visit.
void DrawThreeOfAKind() {
    int rank = NextRandom() % 13 + 1;
    std::snprintf(HelpCards[0], kCardNameSize, "Hearts%d", rank);
    std::snprintf(HelpCards[1], kCardNameSize, "Spade%d", rank);
    std::snprintf(HelpCards[2], kCardNameSize, "Diamond%d", rank);
}

void ShowPageCounter(HWND dialog) {
    char counter[32];
    std::snprintf(counter, sizeof counter, "Page %d of %d", HelpPage, kLastPage);
    SetDlgItemTextA(dialog, IDC_HELP_COUNTER, counter);
}

// Moves the keyboard focus the way the dialog manager does, so that the
// default-button outline follows it.
void FocusControl(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

LRESULT CALLBACK HelpTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
    case WM_NOTIFY:
    case WM_COMMAND:
        return 0;       // no caret, selection, typing or context menu
    default:
        return CallWindowProcA(TextBoxProc, window, message, wParam, lParam);
    }
}

void MakeTextReadOnlyViewer(HWND dialog) {
    HWND text = GetDlgItem(dialog, IDC_HELP_TEXT);
    if (!TextBoxProc)
        TextBoxProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(text, GWLP_WNDPROC));
    SetWindowLongPtrA(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HelpTextProc));
}

BOOL OnHelpInit(HWND dialog) {
    OpenDialogWithZoom(dialog);
    HelpPage = kFirstPage;
    EnableWindow(GetDlgItem(dialog, IDC_HELP_PREV), FALSE);
    MakeTextReadOnlyViewer(dialog);
    ShowPageCounter(dialog);
    FillHelpPage(dialog, HelpPage);
    SendDlgItemMessageA(dialog, IDC_HELP_CAPTION, WM_SETFONT,
                        reinterpret_cast<WPARAM>(gShell.BigFont), FALSE);
    return TRUE;
}

void PaintExampleCard(HDC dc, int x, int y, const char* name) {
    DrawBitmapAt(gShell.instance, dc, x, y, name[0] ? name : "Blank", SRCCOPY);
    // The corners lie outside the card's rounded outline: paint them in the
    // dialog's grey, with the card's origin at (x, y).
    POINT oldOrigin;
    OffsetViewportOrgEx(dc, x, y, &oldOrigin);
    RoundCardCorners(dc, kCardCorner);
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

BOOL OnHelpPaint(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    DrawDialogFrame(dialog, dc, 2);
    HWND frame = GetDlgItem(dialog, IDC_HELP_FRAME);
    RECT area = {};
    GetClientRect(frame, &area);
    MapRectToWindow(dialog, frame, &area);
    int left = (area.left + area.right) / 2 - kRowWidth / 2;
    int top = area.bottom - kRowAboveFrameBottom - TableLayout::kCardHeight;
    for (int k = 0; k < kSlotCount; ++k)
        PaintExampleCard(dc, left + TableLayout::kCardPitch * k, top, HelpCards[k]);
    EndPaint(dialog, &paint);
    return TRUE;
}

BOOL OnHelpDone(HWND dialog) {
    CloseDialogZoom(dialog);
    EndDialog(dialog, 1);
    return TRUE;
}

// The cards are repainted over the old ones; the background stays.
void ShowNewPage(HWND dialog) {
    FillHelpPage(dialog, HelpPage);
    InvalidateRect(dialog, nullptr, FALSE);
}

BOOL OnHelpPrevious(HWND dialog) {
    if (HelpPage > kFirstPage) --HelpPage;
    ShowPageCounter(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_HELP_NEXT), TRUE);
    if (HelpPage == kFirstPage) {
        FocusControl(dialog, IDC_HELP_NEXT);
        EnableWindow(GetDlgItem(dialog, IDC_HELP_PREV), FALSE);
    }
    ShowNewPage(dialog);
    return TRUE;
}

BOOL OnHelpNext(HWND dialog) {
    if (HelpPage < kLastPage) ++HelpPage;
    ShowPageCounter(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_HELP_PREV), TRUE);
    if (HelpPage == kLastPage) {
        FocusControl(dialog, IDC_HELP_PREV);
        EnableWindow(GetDlgItem(dialog, IDC_HELP_NEXT), FALSE);
    }
    ShowNewPage(dialog);
    return TRUE;
}

BOOL OnHelpCommand(HWND dialog, WPARAM wParam) {
    switch (wParam) {
    case IDOK:
    case IDCANCEL: return OnHelpDone(dialog);
    case IDC_HELP_PREV: return OnHelpPrevious(dialog);
    case IDC_HELP_NEXT: return OnHelpNext(dialog);
    default: return FALSE;
    }
}

INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnHelpInit(dialog);
    case WM_PAINT: return OnHelpPaint(dialog);
    case WM_COMMAND: return OnHelpCommand(dialog, wParam);
    default: return FALSE;
    }
}

}  // namespace

void ShowHelpDialog(HWND owner) {
    DialogBoxParamA(gShell.instance, "HelpDlg", owner, HelpDialogProc, 0);
}

void FillHelpPage(HWND dialog, int page) {
    for (int k = 0; k < kSlotCount; ++k) HelpCards[k][0] = '\0';
    if (page < kFirstPage || page > kLastPage) return;
    const HelpPageText& shown = kPages[page - 1];
    SetDlgItemTextA(dialog, IDC_HELP_CAPTION, shown.caption);
    for (int k = 0; k < kSlotCount; ++k) SetCard(k, shown.cards[k]);
    if (page == kRandomRankPage) DrawThreeOfAKind();
    SetDlgItemTextA(dialog, IDC_HELP_TEXT, shown.text);   // shown from the top
}
