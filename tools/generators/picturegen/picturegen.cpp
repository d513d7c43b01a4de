// picturegen ART_DIR STAMP: draws the game's pictures other than the cards
// into ART_DIR, checks what the game's drawing code relies on, and touches
// STAMP when all is written.  A failed check stops the build: a picture
// that breaks the game must not reach the resources.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/generators/picturegen/pictures.h"

namespace {

int gFailures = 0;

void Check(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "picturegen: %s\n", what.c_str());
    ++gFailures;
}

void CheckSize(const canvas::Image& img, int w, int h, const std::string& name) {
    Check(img.width == w && img.height == h, name + " has the wrong size");
}

void WriteBitmap(const std::string& dir, const std::string& name, const canvas::Image& img) {
    Check(canvas::WriteFileIfChanged(dir + "/" + name + ".bmp", canvas::EncodeBmp4(img)),
          "cannot write " + name + ".bmp");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: picturegen ART_DIR STAMP\n");
        return 2;
    }
    const std::string dir = argv[1];
    using namespace pictures;

    canvas::Image logo = DrawLogo();
    CheckSize(logo, kLogoWidth, kLogoHeight, "Logo");

    canvas::Image amount = DrawAmountBadge();
    CheckSize(amount, kAmountWidth, kAmountHeight, "Amount");
    Check(amount.Get(1, 1) == canvas::Black, "Amount: pixel (1, 1) is not black");
    Check(IsOneConnectedArea(amount, 1, 1), "Amount: the black ground is not one connected area");

    canvas::Image jackpot = DrawJackpot();
    CheckSize(jackpot, kJackpotWidth, kJackpotHeight, "Jackpot");

    canvas::Image odds = DrawOddsPicture();
    CheckSize(odds, kOddsWidth, kOddsHeight, "OddsBmp");
    PixelRect button = OddsButtonArea();
    for (int y = button.top; y < button.bottom; ++y)
        for (int x = button.left; x < button.right; ++x)
            if (odds.Get(x, y) != canvas::LightGrey) {
                Check(false, "OddsBmp: artwork under the OK button");
                y = button.bottom;
                break;
            }

    canvas::Image about = DrawAboutPicture();
    CheckSize(about, kAboutWidth, kAboutHeight, "AboutPicture");

    canvas::Image icon32 = DrawAppIcon(32), icon16 = DrawAppIcon(16), coins = DrawCoinsIcon();
    CheckSize(icon32, 32, 32, "QuorvelIcon");
    CheckSize(icon16, 16, 16, "QuorvelIcon");
    CheckSize(coins, 32, 32, "Coins");

    canvas::Image hand = DrawHandCursor();
    CheckSize(hand, kCursorSize, kCursorSize, "hand.cur");
    Check(hand.Get(kCursorHotX, kCursorHotY) != kIconTransparent &&
              hand.Get(kCursorHotX, kCursorHotY - 1) == kIconTransparent,
          "hand.cur: the hot spot is not at the fingertip");

    if (gFailures) return 1;

    WriteBitmap(dir, "Logo", logo);
    WriteBitmap(dir, "Amount", amount);
    WriteBitmap(dir, "Jackpot", jackpot);
    WriteBitmap(dir, "OddsBmp", odds);
    WriteBitmap(dir, "AboutPicture", about);
    // The icon and cursor writers leave an unchanged file untouched too.
    Check(canvas::WriteIcon(dir + "/QuorvelIcon.ico", {icon32, icon16}, kIconTransparent),
          "cannot write QuorvelIcon.ico");
    Check(canvas::WriteIcon(dir + "/Coins.ico", {coins}, kIconTransparent),
          "cannot write Coins.ico");
    Check(canvas::WriteCursor(dir + "/hand.cur", hand, kCursorHotX, kCursorHotY, kIconTransparent),
          "cannot write hand.cur");
    if (gFailures) return 1;

    FILE* stamp = std::fopen(argv[2], "w");
    if (!stamp) {
        std::fprintf(stderr, "picturegen: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fputs("pictures\n", stamp);
    return std::fclose(stamp) == 0 ? 0 : 1;
}
