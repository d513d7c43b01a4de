// The card artwork: what the game relies on in every card picture, and
// what makes the deck readable at a glance.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "tools/generators/cardgen/cards.h"
#include "tools/generators/cardgen/contact_sheet.h"

using canvas::Image;
using namespace cards;

namespace {

const std::vector<NamedPicture>& All() {
    static const std::vector<NamedPicture> all = AllCardPictures();
    return all;
}

const Image& Picture(const std::string& name) {
    for (const NamedPicture& p : All())
        if (p.name == name) return p.image;
    static const Image none;
    ADD_FAILURE() << name << " is not drawn";
    return none;
}

int DifferingPixels(const Image& a, const Image& b) {
    int n = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
    return n;
}

std::set<uint8_t> ColoursIn(const Image& img, int x0, int y0, int x1, int y1) {
    std::set<uint8_t> colours;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) colours.insert(img.Get(x, y));
    return colours;
}

// Separate blobs of `colour` inside the rectangle (4-connected).
int CountBlobs(const Image& img, uint8_t colour, int x0, int y0, int x1, int y1) {
    std::vector<bool> seen(img.pixels.size());
    int blobs = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (img.Get(x, y) != colour || seen[y * img.width + x]) continue;
            ++blobs;
            std::vector<std::pair<int, int>> todo = {{x, y}};
            seen[y * img.width + x] = true;
            while (!todo.empty()) {
                auto [px, py] = todo.back();
                todo.pop_back();
                const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                for (const auto& s : steps) {
                    int nx = px + s[0], ny = py + s[1];
                    if (nx < x0 || ny < y0 || nx >= x1 || ny >= y1) continue;
                    if (img.Get(nx, ny) != colour || seen[ny * img.width + nx]) continue;
                    seen[ny * img.width + nx] = true;
                    todo.push_back({nx, ny});
                }
            }
        }
    return blobs;
}

std::vector<std::string> ResourceNames() {
    std::vector<std::string> names;
    for (const char* prefix : {"Club", "Diamond", "Hearts", "Spade"})
        for (int rank = 1; rank <= 13; ++rank) names.push_back(prefix + std::to_string(rank));
    names.push_back("Joker");
    for (int back = 1; back <= 17; ++back) names.push_back("Back" + std::to_string(back));
    names.push_back("Mystery");
    names.push_back("Blank");
    return names;
}

}  // namespace

TEST(CardArtwork, EveryResourceNameIsDrawnExactlyOnce) {
    std::multiset<std::string> drawn;
    for (const NamedPicture& p : All()) drawn.insert(p.name);
    std::vector<std::string> expected = ResourceNames();
    EXPECT_EQ(drawn.size(), expected.size());
    for (const std::string& name : expected) EXPECT_EQ(drawn.count(name), 1u) << name;
}

TEST(CardArtwork, EveryPictureIsCardSizedWithWhiteCorners) {
    for (const NamedPicture& p : All()) {
        EXPECT_EQ(p.image.width, 71) << p.name;
        EXPECT_EQ(p.image.height, 96) << p.name;
        EXPECT_TRUE(CornersAreWhite(p.image)) << p.name;
    }
}

// The pixels just inside the corners belong to the card: a picture whose
// artwork stopped short would show the table through a notch.
TEST(CardArtwork, OutlineClosesRightInsideTheCorners) {
    for (const NamedPicture& p : All()) {
        if (p.name == "Blank") continue;
        for (const Pixel& corner : {Pixel{1, 1}, Pixel{69, 1}, Pixel{1, 94}, Pixel{69, 94}})
            EXPECT_EQ(p.image.Get(corner.x, corner.y), canvas::Black) << p.name;
        EXPECT_EQ(p.image.Get(35, 0), canvas::Black) << p.name;
        EXPECT_EQ(p.image.Get(0, 48), canvas::Black) << p.name;
    }
}

TEST(CardArtwork, SuitsAreRedOrBlackInTheIndexAndThePips) {
    for (int suit = Clubs; suit <= Spades; ++suit) {
        bool red = suit == Hearts || suit == Diamonds;
        for (int rank = 1; rank <= 13; ++rank) {
            const Image& card = Picture(FaceName(suit, rank));
            std::set<uint8_t> index = ColoursIn(card, 2, 2, 13, 26);
            std::set<uint8_t> want = {canvas::White, red ? canvas::Red : canvas::Black};
            EXPECT_EQ(index, want) << FaceName(suit, rank);
            EXPECT_EQ(ColoursIn(card, 58, 70, 69, 94), want) << FaceName(suit, rank) << " (turned)";
            if (rank <= 10) {
                // Pip cards carry nothing but the suit's colour on white.
                EXPECT_EQ(ColoursIn(card, 2, 2, 69, 94), want) << FaceName(suit, rank);
            }
        }
    }
}

TEST(CardArtwork, PipCardsShowAsManyPipsAsTheirRank) {
    for (int suit = Clubs; suit <= Spades; ++suit) {
        uint8_t colour = SuitColour(suit);
        for (int rank = 2; rank <= 10; ++rank) {
            const Image& card = Picture(FaceName(suit, rank));
            EXPECT_EQ(CountBlobs(card, colour, 14, 2, 57, 94), rank) << FaceName(suit, rank);
        }
    }
}

TEST(CardArtwork, AceCarriesOneLargeCentredPip) {
    for (int suit = Clubs; suit <= Spades; ++suit) {
        const Image& ace = Picture(FaceName(suit, 1));
        uint8_t colour = SuitColour(suit);
        int left = 71, right = 0, top = 96, bottom = 0;
        for (int y = 2; y < 94; ++y)
            for (int x = 14; x < 57; ++x)
                if (ace.Get(x, y) == colour) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        EXPECT_GE(right - left + 1, 20) << suit;
        EXPECT_GE(bottom - top + 1, 25) << suit;
        EXPECT_NEAR((left + right) / 2.0, 35, 1) << suit;
        EXPECT_NEAR((top + bottom) / 2.0, 47.5, 1.5) << suit;
    }
}

// Pips below the centre line stand upside down and the court figures are
// double-headed, so these cards read the same either way up (pips on the
// centre line itself stand upright, as on printed decks).
TEST(CardArtwork, CardsWithoutPipsOnTheCentreLineAreDoubleEnded) {
    for (int suit = Clubs; suit <= Spades; ++suit)
        for (int rank : {2, 4, 10, 11, 12, 13}) {
            const Image& card = Picture(FaceName(suit, rank));
            EXPECT_EQ(DifferingPixels(card, canvas::Rotate180(card)), 0) << FaceName(suit, rank);
        }
}

// On the three, five and nine only the pip on the centre line stands
// upright: above and below its rows the card reads the same either way up.
TEST(CardArtwork, OddCardsTurnEveryPipBelowTheCentreLine) {
    const int pipHeight = 14, top = (96 - pipHeight) / 2;
    for (int suit = Clubs; suit <= Spades; ++suit)
        for (int rank : {3, 5, 9}) {
            Image card = Picture(FaceName(suit, rank));
            Image turned = canvas::Rotate180(card);
            for (int y = top; y < top + pipHeight; ++y)
                for (int x = 0; x < 71; ++x) {
                    card.Set(x, y, canvas::White);
                    turned.Set(x, y, canvas::White);
                }
            EXPECT_EQ(DifferingPixels(card, turned), 0) << FaceName(suit, rank);
        }
}

TEST(CardArtwork, EveryCourtFigureIsItsOwn) {
    std::vector<std::pair<std::string, const Image*>> courts;
    for (int suit = Clubs; suit <= Spades; ++suit)
        for (int rank = 11; rank <= 13; ++rank) {
            std::string name = FaceName(suit, rank);
            courts.push_back({name, &Picture(name)});
        }
    for (size_t i = 0; i < courts.size(); ++i) {
        std::set<uint8_t> colours = ColoursIn(*courts[i].second, 14, 4, 57, 92);
        EXPECT_GE(colours.size(), 5u) << courts[i].first << " is not coloured in";
        for (size_t j = i + 1; j < courts.size(); ++j)
            EXPECT_GT(DifferingPixels(*courts[i].second, *courts[j].second), 400)
                << courts[i].first << " and " << courts[j].first;
    }
}

TEST(CardArtwork, JokerLooksLikeNoOtherCard) {
    const Image& joker = Picture("Joker");
    EXPECT_GE(ColoursIn(joker, 14, 4, 57, 92).size(), 5u);
    for (const NamedPicture& p : All())
        if (p.name != "Joker") {
            EXPECT_GT(DifferingPixels(joker, p.image), 800) << p.name;
        }
}

// Every step of the back chooser, and any two backs, must look different:
// a large share of the pixels changes.
TEST(CardArtwork, BacksArePatternedAndPairwiseClearlyDifferent) {
    const int panel = 63 * 88;
    for (int a = 1; a <= 17; ++a) {
        const Image& back = Picture("Back" + std::to_string(a));
        EXPECT_GE(ColoursIn(back, 4, 4, 67, 92).size(), 2u) << a << " is a flat colour";
        for (int b = a + 1; b <= 17; ++b)
            EXPECT_GT(DifferingPixels(back, Picture("Back" + std::to_string(b))), panel / 3)
                << "Back" << a << " and Back" << b;
    }
}

TEST(CardArtwork, HelpPictures) {
    const Image& blank = Picture("Blank");
    std::map<uint8_t, int> counts;
    for (uint8_t p : blank.pixels) ++counts[p];
    EXPECT_EQ(counts[canvas::LightGrey], 71 * 96 - 12);
    EXPECT_EQ(counts[canvas::White], 12);

    // The question mark stands large in the middle of the face.
    const Image& mystery = Picture("Mystery");
    int top = 96, bottom = 0;
    for (int y = 2; y < 94; ++y)
        for (int x = 20; x < 51; ++x)
            if (mystery.Get(x, y) == canvas::Blue || mystery.Get(x, y) == canvas::DarkBlue) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(bottom - top, 40);
    EXPECT_NEAR((top + bottom) / 2.0, 47.5, 6);
}

TEST(CardArtwork, DrawingTwiceGivesTheSameBytes) {
    std::vector<NamedPicture> again = AllCardPictures();
    ASSERT_EQ(again.size(), All().size());
    for (size_t i = 0; i < again.size(); ++i)
        EXPECT_EQ(canvas::EncodeBmp4(again[i].image), canvas::EncodeBmp4(All()[i].image)) << again[i].name;
}

// Every suit symbol the cards use is the size asked for, one solid piece
// and the same mirrored, whether traced or drawn by hand.
TEST(CardArtwork, SuitSymbolsAreWholeAndSymmetric) {
    for (auto size : {std::pair{7, 8}, std::pair{9, 10}, std::pair{11, 14}, std::pair{13, 14},
                      std::pair{27, 30}, std::pair{39, 42}})
        for (int suit = Clubs; suit <= Spades; ++suit) {
            Image mask = SuitMask(suit, size.first, size.second);
            ASSERT_EQ(mask.width, size.first) << suit;
            ASSERT_EQ(mask.height, size.second) << suit;
            EXPECT_EQ(DifferingPixels(mask, canvas::MirrorX(mask)), 0) << suit << " at " << size.first;
            EXPECT_EQ(CountBlobs(mask, 1, 0, 0, mask.width, mask.height), 1) << suit << " at " << size.first;
        }
}

// The small suit symbols keep the notches that tell a club from a spade.
TEST(CardArtwork, SmallClubsAndSpadesDiffer) {
    for (auto size : {std::pair{9, 10}, std::pair{13, 14}}) {
        Image club = SuitMask(Clubs, size.first, size.second);
        Image spade = SuitMask(Spades, size.first, size.second);
        EXPECT_GE(DifferingPixels(club, spade), 8) << size.first;
    }
}

TEST(ContactSheet, OrdersTheDeckAsAReaderExpects) {
    std::vector<NamedPicture> pictures;
    for (const char* name : {"Logo", "Back10", "Spade1", "Club10", "Blank", "Back2", "Club2", "Joker",
                             "Amount", "Hearts13", "Mystery", "Diamond1"})
        pictures.push_back({name, Image(2, 2)});
    SortForSheet(pictures);
    std::vector<std::string> order;
    for (const NamedPicture& p : pictures) order.push_back(p.name);
    std::vector<std::string> expected = {"Club2",   "Club10", "Diamond1", "Hearts13", "Spade1", "Joker",
                                         "Mystery", "Blank",  "Back2",    "Back10",   "Amount", "Logo"};
    EXPECT_EQ(order, expected);
}

TEST(ContactSheet, ShowsEveryPictureWhole) {
    std::vector<NamedPicture> pictures = All();
    Image wide(413, 84, canvas::Yellow);
    wide.Set(5, 5, canvas::Blue);
    pictures.push_back({"Logo", wide});
    SortForSheet(pictures);
    Image sheet = ContactSheet(pictures);
    // Find each picture somewhere on the sheet, pixel for pixel.
    auto foundAt = [&sheet](const Image& img) {
        for (int y = 0; y + img.height <= sheet.height; ++y)
            for (int x = 0; x + img.width <= sheet.width; ++x) {
                bool same = true;
                for (int py = 0; py < img.height && same; ++py)
                    for (int px = 0; px < img.width && same; ++px)
                        same = sheet.Get(x + px, y + py) == img.Get(px, py);
                if (same) return true;
            }
        return false;
    };
    for (const NamedPicture& p : pictures) EXPECT_TRUE(foundAt(p.image)) << p.name;
}
