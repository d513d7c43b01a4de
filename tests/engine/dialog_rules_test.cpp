// What the dialogs show and decide, as the page shows them without the
// Windows dialogs: the help pages and their example cards, the statistics'
// texts, and the card back the Options slider leads to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "dialogs/help_pages.h"
#include "dialogs/options_rules.h"
#include "dialogs/statistics_text.h"
#include "engine/deck.h"
#include "engine/round.h"
#include "shell/table_layout.h"

namespace {

// The names of the pictures in the resource script.
std::set<std::string> ScriptPictures() {
    std::set<std::string> names;
    std::ifstream in(QUORVEL_SOURCE_DIR "/resources/quorvel.rc");
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name, type;
        if (words >> name >> type && type == "BITMAP") names.insert(name);
    }
    return names;
}

// The deck's card whose picture this is, or kNoCard.
Card CardOfPicture(const std::string& name) {
    for (int c = 0; c < kDeckSize; ++c)
        if (name == gDeck[c].name) return static_cast<Card>(c);
    return kNoCard;
}

class DialogRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        BuildDeck();
    }
    void TearDown() override { ResetProgramState(); }
};

// ---- Help ---------------------------------------------------------------------

TEST_F(DialogRulesTest, EveryHelpPageHasACaptionATextAndPicturesThatExist) {
    const std::set<std::string> pictures = ScriptPictures();
    ASSERT_GT(pictures.size(), 60u) << "the resource script was not read";
    std::set<std::string> captions;
    for (int page = kHelpFirstPage; page <= kHelpLastPage; ++page) {
        SCOPED_TRACE(page);
        HelpPageContent content;
        FillHelpPageContent(page, &content);
        ASSERT_NE(content.caption, nullptr);
        ASSERT_NE(content.text, nullptr);
        EXPECT_STRNE(content.caption, "");
        EXPECT_GT(std::strlen(content.text), 40u);
        EXPECT_TRUE(captions.insert(content.caption).second) << "a caption repeats";
        int shown = 0;
        for (const char* card : content.cards) {
            if (!*card) continue;
            ++shown;
            EXPECT_TRUE(pictures.count(card)) << card << " is no picture";
        }
        EXPECT_GT(shown, 0);
    }
}

TEST_F(DialogRulesTest, HelpPagesOutsideOneToTwelveGiveNothingAndTakeNoValue) {
    for (int page : {kHelpFirstPage - 1, -1, kHelpLastPage + 1, 1000}) {
        HelpPageContent content;
        std::memset(&content, 'x', sizeof content);
        const uint32_t before = RandomState();
        FillHelpPageContent(page, &content);
        EXPECT_EQ(content.caption, nullptr) << page;
        EXPECT_EQ(content.text, nullptr) << page;
        for (const char* card : content.cards) EXPECT_STREQ(card, "") << page;
        EXPECT_EQ(RandomState(), before) << page;
    }
}

// Page 10's three of a kind is drawn afresh: one value of the dealing
// generator a visit, and no other page touches it.
TEST_F(DialogRulesTest, PageTenTakesOneGeneratorValuePerVisit) {
    HelpPageContent content;
    for (int page = kHelpFirstPage; page <= kHelpLastPage; ++page) {
        if (page == 10) continue;
        const uint32_t before = RandomState();
        FillHelpPageContent(page, &content);
        EXPECT_EQ(RandomState(), before) << page;
    }
    std::set<int> ranks;
    SeedRandom(4321);
    for (int visit = 0; visit < 300; ++visit) {
        const uint32_t before = RandomState();
        NextRandom();
        const uint32_t afterOne = RandomState();
        SeedRandom(before);
        FillHelpPageContent(10, &content);
        ASSERT_EQ(RandomState(), afterOne) << "visit " << visit;
        Card three[3];
        for (int k = 0; k < 3; ++k) {
            three[k] = CardOfPicture(content.cards[k]);
            ASSERT_NE(three[k], kNoCard) << content.cards[k];
            ASSERT_LT(three[k], kJoker);
        }
        EXPECT_EQ(CardRank(three[0]), CardRank(three[1]));
        EXPECT_EQ(CardRank(three[0]), CardRank(three[2]));
        EXPECT_EQ((std::set<int>{CardSuit(three[0]), CardSuit(three[1]), CardSuit(three[2])}).size(), 3u);
        ranks.insert(CardRank(three[0]));
    }
    EXPECT_EQ(ranks.size(), 13u) << "every rank comes up";
}

// Laid out like the table's card row, centred on the frame.
TEST_F(DialogRulesTest, HelpCardsStandInTheTablesRowCentredOnTheFrame) {
    for (int left : {0, 7, 10}) {
        for (int right : {594, 603, 604}) {
            for (int k = 1; k < kHelpCardCount; ++k)
                EXPECT_EQ(HelpCardLeft(left, right, k) - HelpCardLeft(left, right, k - 1), TableLayout::kCardPitch);
            const int rowLeft = HelpCardLeft(left, right, 0);
            const int rowRight = HelpCardLeft(left, right, kHelpCardCount - 1) + TableLayout::kCardWidth;
            EXPECT_EQ(rowRight - rowLeft, TableLayout::kRowRight - TableLayout::CardLeft(0));
            EXPECT_LE(std::abs((rowLeft - left) - (right - rowRight)), 1) << left << " " << right;
        }
    }
    for (int bottom : {300, 343}) {
        EXPECT_LT(HelpCardTop(bottom) + TableLayout::kCardHeight, bottom);
        EXPECT_EQ(HelpCardTop(bottom + 1), HelpCardTop(bottom) + 1);
    }
}

// ---- Statistics -------------------------------------------------------------

std::string HandsWon(int category) {
    char text[64];
    FormatHandsWon(category, text, sizeof text);
    return text;
}

std::string NetWinnings() {
    char text[64];
    FormatNetWinnings(text, sizeof text);
    return text;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(DialogRulesTest, StatisticsSharesAreTruncatedAndCountedWide) {
    gStats.gamesPlayed = 3;
    gStats.handsWon[TwoPair] = 2;
    gStats.handsWon[Flush] = 1;
    EXPECT_EQ(HandsWon(TwoPair), "2  66%");
    EXPECT_EQ(HandsWon(Flush), "1  33%");
    EXPECT_EQ(HandsWon(FullHouse), "0  0%");
    gStats.gamesPlayed = INT32_MAX;
    gStats.handsWon[TwoPair] = INT32_MAX;
    gStats.handsWon[Flush] = INT32_MAX - 1;
    EXPECT_EQ(HandsWon(TwoPair), "2147483647  100%");
    EXPECT_EQ(HandsWon(Flush), "2147483646  99%");
}

TEST_F(DialogRulesTest, NetWinningsGoNegativeAndTotalsShowUnsigned) {
    gStats.credits = 35;
    gStats.bankTotal = 40;
    EXPECT_TRUE(EndsWith(NetWinnings(), " -5")) << NetWinnings();
    gStats.credits = 0;
    gStats.bankTotal = INT32_MAX;
    EXPECT_TRUE(EndsWith(NetWinnings(), " -2147483647")) << NetWinnings();
    gStats.credits = INT32_MAX;
    gStats.bankTotal = 40;
    EXPECT_TRUE(EndsWith(NetWinnings(), " 2147483607")) << NetWinnings();
    char text[16];
    FormatStatisticsTotal(-1, text, sizeof text);
    EXPECT_STREQ(text, "4294967295");
    FormatStatisticsTotal(INT32_MAX, text, sizeof text);
    EXPECT_STREQ(text, "2147483647");
}

// ---- Options ------------------------------------------------------------------

TEST_F(DialogRulesTest, NextPreviewBackForEveryCode) {
    for (int current = kFirstBack; current <= kLastBack; ++current) {
        for (int thumb : {-3, 0, 1, 8, 16, 17, 1000}) {
            SCOPED_TRACE(std::to_string(current) + " thumb " + std::to_string(thumb));
            const int down = current > kFirstBack ? current - 1 : kFirstBack;
            const int up = current < kLastBack ? current + 1 : kLastBack;
            const int moved = thumb < kFirstBack ? kFirstBack : thumb > kLastBack ? kLastBack : thumb;
            EXPECT_EQ(NextPreviewBack(current, SliderLineUp, thumb), down);
            EXPECT_EQ(NextPreviewBack(current, SliderPageUp, thumb), down);
            EXPECT_EQ(NextPreviewBack(current, SliderLineDown, thumb), up);
            EXPECT_EQ(NextPreviewBack(current, SliderPageDown, thumb), up);
            EXPECT_EQ(NextPreviewBack(current, SliderThumbPosition, thumb), moved);
            EXPECT_EQ(NextPreviewBack(current, SliderThumbTrack, thumb), moved);
            EXPECT_EQ(NextPreviewBack(current, SliderTop, thumb), kLastBack);
            EXPECT_EQ(NextPreviewBack(current, SliderBottom, thumb), kFirstBack);
            // The end of a drag and anything unknown keep the design.
            for (int other : {8, 9, -1, 100}) EXPECT_EQ(NextPreviewBack(current, other, thumb), current);
        }
    }
}

}  // namespace
