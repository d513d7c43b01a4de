// The game pictures other than the cards: what the game's drawing code
// relies on in each, and the building blocks that can go wrong.
#include <gtest/gtest.h>

#include <set>

#include "engine/payout.h"
#include "tools/generators/picturegen/pictures.h"

using canvas::Image;
using namespace pictures;

namespace {

int CountColour(const Image& img, uint8_t colour) {
    int n = 0;
    for (uint8_t p : img.pixels) n += p == colour;
    return n;
}

int CountSet(const Image& mask) { return int(mask.pixels.size()) - CountColour(mask, 0); }

bool BorderIs(const Image& img, uint8_t colour) {
    for (int x = 0; x < img.width; ++x)
        if (img.Get(x, 0) != colour || img.Get(x, img.height - 1) != colour) return false;
    for (int y = 0; y < img.height; ++y)
        if (img.Get(0, y) != colour || img.Get(img.width - 1, y) != colour) return false;
    return true;
}

}  // namespace

TEST(PictureGenerator, PicturesHaveTheSizesTheGameDrawsThemAt) {
    struct Expected {
        Image img;
        int w, h;
    } pictures[] = {
        {DrawLogo(), 413, 84},       {DrawAmountBadge(), 55, 32}, {DrawJackpot(), 520, 230},
        {DrawOddsPicture(), 380, 365}, {DrawAboutPicture(), 27, 36}, {DrawAppIcon(32), 32, 32},
        {DrawAppIcon(16), 16, 16},   {DrawCoinsIcon(), 32, 32},   {DrawHandCursor(), 32, 32},
    };
    for (const Expected& e : pictures) {
        EXPECT_EQ(e.img.width, e.w);
        EXPECT_EQ(e.img.height, e.h);
    }
}

TEST(PictureGenerator, DrawingTwiceGivesTheSameBytes) {
    EXPECT_EQ(canvas::EncodeBmp4(DrawLogo()), canvas::EncodeBmp4(DrawLogo()));
    EXPECT_EQ(canvas::EncodeBmp4(DrawOddsPicture()), canvas::EncodeBmp4(DrawOddsPicture()));
    EXPECT_EQ(canvas::EncodeBmp4(DrawJackpot()), canvas::EncodeBmp4(DrawJackpot()));
}

// The game recolours the badge's ground with a flood fill from (1, 1): it
// must reach every black pixel and nothing of the artwork.
TEST(PictureGenerator, BadgeGroundFloodsAsOneAreaAndLeavesTheArtwork) {
    Image badge = DrawAmountBadge();
    ASSERT_EQ(badge.Get(1, 1), canvas::Black);
    EXPECT_TRUE(IsOneConnectedArea(badge, 1, 1));

    Image felt = badge;
    canvas::FloodFill(felt, 1, 1, canvas::DarkGreen);
    EXPECT_EQ(CountColour(felt, canvas::Black), 0);
    EXPECT_EQ(CountColour(felt, canvas::DarkGreen), CountColour(badge, canvas::Black));
    EXPECT_EQ(CountColour(felt, canvas::Red), CountColour(badge, canvas::Red));
    EXPECT_EQ(CountColour(felt, canvas::Yellow), CountColour(badge, canvas::Yellow));
    EXPECT_GT(CountColour(badge, canvas::Red), 200);
    EXPECT_GT(CountColour(badge, canvas::Yellow), 200);
    // Only the ground and the two artwork colours.
    EXPECT_EQ(CountColour(badge, canvas::Black) + CountColour(badge, canvas::Red) +
                  CountColour(badge, canvas::Yellow),
              badge.width * badge.height);
}

TEST(PictureGenerator, ConnectedAreaCheckSeesHolesAndDiagonalGaps) {
    Image ring(9, 9, canvas::Black);
    EXPECT_TRUE(IsOneConnectedArea(ring, 1, 1));
    canvas::FrameRect(ring, 2, 2, 5, 5, canvas::Red);   // black pixels enclosed inside
    EXPECT_FALSE(IsOneConnectedArea(ring, 1, 1));
    EXPECT_FALSE(IsOneConnectedArea(ring, 4, 4));

    // Two black pixels touching only at a corner are two areas to a fill.
    Image diagonal(2, 2, canvas::Red);
    diagonal.Set(0, 0, canvas::Black);
    diagonal.Set(1, 1, canvas::Black);
    EXPECT_FALSE(IsOneConnectedArea(diagonal, 0, 0));

    EXPECT_FALSE(IsOneConnectedArea(ring, -1, 0));
    EXPECT_FALSE(IsOneConnectedArea(ring, 9, 0));
}

TEST(PictureGenerator, PayoutRowsListEveryWinningHandOnceInTheMachinesOrder) {
    const std::vector<PayoutRow>& rows = PayoutRows();
    ASSERT_EQ(rows.size(), size_t(kHandCategoryCount - 1));
    std::set<int> seen;
    for (const PayoutRow& row : rows) {
        EXPECT_NE(row.category, Nothing);
        EXPECT_TRUE(seen.insert(row.category).second) << row.label;
    }
    // The jackpot hands lead, the natural royal flush first; the joker's
    // royal flush comes before the straight flush that pays the same.
    EXPECT_EQ(rows[0].category, RoyalFlush);
    EXPECT_STREQ(rows[0].label, "Royal Flush (Natural)");
    EXPECT_EQ(rows[2].category, WildRoyalFlush);
    EXPECT_STREQ(rows[2].label, "Royal Flush (Joker)");
    EXPECT_EQ(rows[3].category, StraightFlush);
    EXPECT_EQ(rows.back().category, TwoPair);
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_GE(PayoutTable[rows[i - 1].category].perCoin, PayoutTable[rows[i].category].perCoin);
}

TEST(PictureGenerator, PayoutFiguresAreTheMultiplierTimesTheCoins) {
    EXPECT_EQ(PayoutFor(RoyalFlush, 1), 1000);
    EXPECT_EQ(PayoutFor(RoyalFlush, 5), 5000);
    EXPECT_EQ(PayoutFor(WildRoyalFlush, 3), 150);
    EXPECT_EQ(PayoutFor(FullHouse, 5), 40);
    EXPECT_EQ(PayoutFor(TwoPair, 4), 4);
    for (const PayoutRow& row : PayoutRows())
        for (int coins = 1; coins <= 5; ++coins)
            EXPECT_EQ(PayoutFor(row.category, coins), PayoutTable[row.category].perCoin * coins);
}

TEST(PictureGenerator, PayoutPictureLeavesTheButtonPlaceOnTheDialogFace) {
    Image odds = DrawOddsPicture();
    EXPECT_TRUE(BorderIs(odds, canvas::LightGrey));
    PixelRect button = OddsButtonArea();
    // The button itself, at the usual dialog font, must lie inside the area.
    EXPECT_LE(button.left, 160);
    EXPECT_GE(button.right, 220);
    EXPECT_LE(button.top, 328);
    EXPECT_EQ(button.bottom, odds.height);
    for (int y = button.top; y < button.bottom; ++y)
        for (int x = button.left; x < button.right; ++x)
            ASSERT_EQ(odds.Get(x, y), canvas::LightGrey) << x << "," << y;
    // A blue table with yellow rules, and coins below it at the left.
    EXPECT_GT(CountColour(odds, canvas::DarkBlue), 40000);
    EXPECT_GT(CountColour(odds, canvas::Yellow), 3000);
    int coinsAtLeft = 0;
    for (int y = button.top; y < odds.height; ++y)
        for (int x = 0; x < button.left; ++x) coinsAtLeft += odds.Get(x, y) == canvas::Yellow;
    EXPECT_GT(coinsAtLeft, 200);
}

TEST(PictureGenerator, LogoAndJackpotSitOnTheirGrounds) {
    Image logo = DrawLogo();
    EXPECT_TRUE(BorderIs(logo, canvas::LightGrey));
    EXPECT_GT(CountColour(logo, canvas::Red), 3000);

    Image jackpot = DrawJackpot();
    // The lettering's band runs black from side to side through the middle,
    // with the rays only above and below it.
    int mid = jackpot.height / 2;
    EXPECT_EQ(jackpot.Get(0, mid), canvas::Black);
    EXPECT_EQ(jackpot.Get(jackpot.width - 1, mid), canvas::Black);
    int redInBand = 0;
    for (int x = 0; x < jackpot.width; ++x) redInBand += jackpot.Get(x, mid) == canvas::Red;
    EXPECT_GT(redInBand, 100);
    for (int y : {2, jackpot.height - 3}) {
        std::set<uint8_t> colours;
        for (int x = 0; x < jackpot.width; ++x) colours.insert(jackpot.Get(x, y));
        EXPECT_GE(colours.size(), 6u) << "row " << y;
    }
}

TEST(PictureGenerator, CursorPointsWithItsFingertipAtTheHotSpot) {
    Image hand = DrawHandCursor();
    EXPECT_EQ(hand.Get(kCursorHotX, kCursorHotY), canvas::Black);
    // Nothing of the hand above the fingertip's row.
    for (int y = 0; y < kCursorHotY; ++y)
        for (int x = 0; x < hand.width; ++x) EXPECT_EQ(hand.Get(x, y), kIconTransparent);
    // The finger's white inside runs straight down below the tip.
    for (int y = kCursorHotY + 1; y < kCursorHotY + 8; ++y)
        EXPECT_EQ(hand.Get(kCursorHotX, y), canvas::White) << y;
}

TEST(PictureGenerator, IconsAreOpaqueOnlyWhereTheyDraw) {
    for (const Image& icon : {DrawAppIcon(32), DrawAppIcon(16), DrawCoinsIcon()}) {
        int transparent = CountColour(icon, kIconTransparent);
        EXPECT_GT(transparent, 0);
        EXPECT_LT(transparent, icon.width * icon.height * 2 / 3);
        EXPECT_EQ(icon.Get(icon.width - 1, 0), kIconTransparent);
    }
}

TEST(PictureGenerator, MasksGrowLeanAndCropAsAsked) {
    Image dot(11, 11, 0);
    dot.Set(5, 5, 1);
    EXPECT_EQ(CountSet(Dilate(dot, 2, true)), 25);
    Image round = Dilate(dot, 2);
    EXPECT_TRUE(round.Get(7, 5) && round.Get(5, 3));
    EXPECT_FALSE(round.Get(7, 7));

    Image column(3, 5, 0);
    for (int y = 0; y < 5; ++y) column.Set(0, y, 1);
    Image leaned = Slant(column, 1.0);
    EXPECT_EQ(leaned.width, 8);
    EXPECT_TRUE(leaned.Get(4, 0));      // top row leans furthest
    EXPECT_TRUE(leaned.Get(0, 4));      // bottom row stays put

    Image text = TextMask("sans-bold", 20, "Hi", 3);
    auto rowEmpty = [&](int y) {
        for (int x = 0; x < text.width; ++x)
            if (text.Get(x, y)) return false;
        return true;
    };
    auto columnEmpty = [&](int x) {
        for (int y = 0; y < text.height; ++y)
            if (text.Get(x, y)) return false;
        return true;
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(rowEmpty(i) && rowEmpty(text.height - 1 - i));
        EXPECT_TRUE(columnEmpty(i) && columnEmpty(text.width - 1 - i));
    }
    EXPECT_FALSE(rowEmpty(3));
    EXPECT_FALSE(rowEmpty(text.height - 4));
    EXPECT_FALSE(columnEmpty(3));
    EXPECT_FALSE(columnEmpty(text.width - 4));
}

TEST(PictureGenerator, SuitsAreDrawnWhereAskedInTheirColours) {
    for (Suit suit : {Clubs, Diamonds, Hearts, Spades}) {
        Image img(40, 40, canvas::White);
        DrawSuit(img, suit, 20, 20, 20, SuitColour(suit));
        int inked = CountColour(img, SuitColour(suit));
        EXPECT_GT(inked, 120) << suit;
        EXPECT_EQ(img.Get(20, 20), SuitColour(suit)) << suit;
        // Nothing far outside the symbol's box.
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                if (x < 8 || x > 31 || y < 8 || y > 31) {
                    EXPECT_EQ(img.Get(x, y), canvas::White);
                }
            }
    }
    EXPECT_EQ(SuitColour(Hearts), canvas::Red);
    EXPECT_EQ(SuitColour(Diamonds), canvas::Red);
    EXPECT_EQ(SuitColour(Clubs), canvas::Black);
    EXPECT_EQ(SuitColour(Spades), canvas::Black);
}
