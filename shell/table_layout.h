// The table's places: every fixed position in the main window's client
// area, shared by the Windows shell and the page.  Portable: no window
// system here.
#pragma once

// Right and bottom are exclusive, as the window system counts them.
struct LayoutRect {
    int left, top, right, bottom;
};

// Every fixed position of the table follows from the card places.
namespace TableLayout {
constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;
constexpr int kCardLeft = 45;           // card place 0
constexpr int kCardPitch = 81;          // card place i: kCardLeft + i * pitch
constexpr int kCardTop = 50;
constexpr int CardLeft(int i) { return kCardLeft + kCardPitch * i; }
constexpr int kRowRight = CardLeft(4) + kCardWidth;     // 440
constexpr int kRowBottom = kCardTop + kCardHeight;      // 146
constexpr int kHoldTop = kRowBottom + 17;               // 163
constexpr int kHoldHeight = 30;
constexpr int kTopButtonTop = 5;
constexpr int kTopButtonHeight = kCardTop - 20;         // 30
constexpr int kCoinLeft = CardLeft(0) + 17;             // 62
constexpr int kCoinWidth = 53;
constexpr int kMaxLeft = kCoinLeft + 58;                // 120
constexpr int kMaxWidth = 53;
constexpr int kDealLeft = CardLeft(4) - 35;             // 334
constexpr int kDealWidth = 71;
constexpr int kFrameGrow = 10;                          // card-row frame
constexpr int kTitleDrop = 141;
constexpr int kCoinsBoxShrink = 135;
constexpr int kCoinsBoxAboveCards = 15;                 // coins box bottom: 35
constexpr int kTitleTopLower = 20;                      // title box from the
constexpr int kTitleBottomRaise = 10;                   //   moved-down frame
constexpr int kCreditsDrop = 296;
constexpr int kCreditsWiden = 50;
constexpr int kBadgeInset = 5;
constexpr int kBadgeFromRight = 59;
constexpr int kBadgeWidth = 55;                         // the "Amount" picture
constexpr int kBadgeHeight = 32;
constexpr int kMessageHeight = 30;
constexpr int kMessageSide = 20;
constexpr int kMessageAboveStatus = 10;
constexpr int kWindowWidth = 490;
constexpr int kWindowHeight = 420;      // plus the status line height

// The main window's outer size once the status line of height S is added
// below the table, and its client area inside a caption, a menu bar and a
// frame of these heights and width.
constexpr int WindowHeight(int S) { return kWindowHeight + S; }
constexpr int ClientWidth(int frame) { return kWindowWidth - 2 * frame; }
constexpr int ClientHeight(int S, int caption, int menu, int frame) {
    return WindowHeight(S) - caption - menu - 2 * frame;
}
}  // namespace TableLayout

namespace TableLayout {
// Places that follow from the constants above.  W and H are the client
// area's width and height, S the status line's height.
LayoutRect CardPlace(int i);
LayoutRect HoldButton(int i);
LayoutRect CoinButton();
LayoutRect MaxButton();
LayoutRect DealButton();
LayoutRect CardRowFrame();          // the five places grown by 10
LayoutRect TitleBox();
LayoutRect CoinsBox();
LayoutRect CreditsBox();
LayoutRect Badge(int i, int W);     // 0 left, 1 right
LayoutRect MessageLine(int W, int H, int S);
LayoutRect StatusLineRect(int W, int H, int S);
// The card place holding (x, y), or -1 over the gaps.
int CardPlaceAt(int x, int y);
}  // namespace TableLayout
