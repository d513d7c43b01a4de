#include "shell/table_layout.h"

namespace TableLayout {

namespace {

LayoutRect Sized(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

LayoutRect Inflated(LayoutRect r, int dx, int dy) {
    return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

LayoutRect Offset(LayoutRect r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

LayoutRect CardRow() { return {CardLeft(0), kCardTop, kRowRight, kRowBottom}; }

}  // namespace

LayoutRect CardPlace(int i) { return Sized(CardLeft(i), kCardTop, kCardWidth, kCardHeight); }

LayoutRect HoldButton(int i) { return Sized(CardLeft(i), kHoldTop, kCardWidth, kHoldHeight); }

LayoutRect CoinButton() { return Sized(kCoinLeft, kTopButtonTop, kCoinWidth, kTopButtonHeight); }

LayoutRect MaxButton() { return Sized(kMaxLeft, kTopButtonTop, kMaxWidth, kTopButtonHeight); }

LayoutRect DealButton() { return Sized(kDealLeft, kTopButtonTop, kDealWidth, kTopButtonHeight); }

LayoutRect CardRowFrame() { return Inflated(CardRow(), kFrameGrow, kFrameGrow); }

LayoutRect TitleBox() {
    LayoutRect title = Offset(CardRowFrame(), 0, kTitleDrop);
    title.bottom -= kTitleBottomRaise;
    title.top += kTitleTopLower;
    return title;
}

LayoutRect CoinsBox() {
    LayoutRect box = {CardLeft(0), kTopButtonTop, kRowRight, kCardTop - kCoinsBoxAboveCards};
    return Inflated(box, -kCoinsBoxShrink, 0);
}

LayoutRect CreditsBox() { return Inflated(Offset(CoinsBox(), 0, kCreditsDrop), kCreditsWiden, 0); }

LayoutRect Badge(int i, int W) {
    const int left = i == 0 ? kBadgeInset : W - kBadgeFromRight;
    return Sized(left, kBadgeInset, kBadgeWidth, kBadgeHeight);
}

LayoutRect MessageLine(int W, int H, int S) {
    const int bottom = H - S - kMessageAboveStatus;
    return {kMessageSide, bottom - kMessageHeight, W - kMessageSide, bottom};
}

LayoutRect StatusLineRect(int W, int H, int S) { return {0, H - S, W, H}; }

int CardPlaceAt(int x, int y) {
    for (int i = 0; i < 5; ++i) {
        const LayoutRect r = CardPlace(i);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return i;
    }
    return -1;
}

}  // namespace TableLayout
