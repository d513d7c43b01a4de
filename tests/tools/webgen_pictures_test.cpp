// The browser edition's files made from the real pictures, sounds and fonts:
// each PNG decoded again with libpng shows the BMP's or icon's very colours,
// clear exactly where the game paints the table or the screen shows through.
#include <gtest/gtest.h>
#include <png.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "tools/generators/cardgen/cards.h"
#include "tools/generators/picturegen/pictures.h"
#include "tools/generators/webgen/png_file.h"
#include "tools/generators/webgen/web_page.h"

using namespace webgen;

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const WebPage& Page() {
    static const WebPage page = [] {
        WebPage out;
        std::string error;
        EXPECT_TRUE(BuildWebPage({QUORVEL_RES_FILE, QUORVEL_ART_DIR, QUORVEL_WAVE_DIR, QUORVEL_REGULAR_FONT,
                                  QUORVEL_BOLD_FONT},
                                 &out, &error))
            << error;
        return out;
    }();
    return page;
}

const std::vector<uint8_t>& File(const std::string& path) {
    for (const WebFile& f : Page().files)
        if (f.path == path) return f.bytes;
    static const std::vector<uint8_t> none;
    ADD_FAILURE() << path << " is not made";
    return none;
}

struct Rgba {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;    // four bytes a pixel
    const uint8_t* At(int x, int y) const { return &pixels[4 * (size_t(y) * size_t(width) + size_t(x))]; }
};

Rgba Decode(const std::vector<uint8_t>& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Rgba out;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return out;
    image.format = PNG_FORMAT_RGBA;
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) return Rgba();
    out.width = int(image.width);
    out.height = int(image.height);
    return out;
}

// The chunk types in file order.
std::vector<std::string> Chunks(const std::vector<uint8_t>& png) {
    std::vector<std::string> types;
    for (size_t at = 8; at + 8 <= png.size();) {
        size_t length = size_t(png[at]) << 24 | size_t(png[at + 1]) << 16 | size_t(png[at + 2]) << 8 | png[at + 3];
        types.push_back(std::string(png.begin() + long(at + 4), png.begin() + long(at + 8)));
        at += 12 + length;
    }
    return types;
}

// The pixel at (x, y) of `png` is the opaque palette colour `index`, or clear.
bool Shows(const Rgba& png, int x, int y, uint8_t index) {
    const uint8_t* p = png.At(x, y);
    const canvas::Rgb& c = canvas::kPalette[index];
    return p[0] == c.r && p[1] == c.g && p[2] == c.b && p[3] == 255;
}
bool Clear(const Rgba& png, int x, int y) { return png.At(x, y)[3] == 0; }

canvas::Image Bitmap(const std::string& name) {
    canvas::Image img;
    EXPECT_TRUE(canvas::ReadBmp4(QUORVEL_ART_DIR "/" + name + ".bmp", &img)) << name;
    return img;
}

// The BITMAP names of quorvel.rc, as it spells them.
std::vector<std::string> ScriptBitmaps() {
    std::ifstream in(QUORVEL_SOURCE_DIR "/resources/quorvel.rc");
    std::regex bitmap(R"(^(\w+)\s+BITMAP\s)");
    std::smatch m;
    std::vector<std::string> names;
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, m, bitmap)) names.push_back(m[1]);
    return names;
}

}  // namespace

TEST(WebPictures, SheetShowsEveryReachableCardWithItsCornersAndGuttersClear) {
    std::set<std::string> expected, placed;
    for (const std::string& name : ScriptBitmaps())
        if (Bitmap(name).width == cards::kCardWidth && name != "Back17") expected.insert(name);
    Rgba sheet = Decode(File("cards.png"));
    ASSERT_EQ(sheet.width, Page().sheet.width);
    ASSERT_EQ(sheet.height, Page().sheet.height);
    std::vector<bool> covered(size_t(sheet.width) * size_t(sheet.height), false);
    for (const SheetPlace& place : Page().cards) {
        placed.insert(place.name);
        canvas::Image card = Bitmap(place.name);
        std::set<std::pair<int, int>> corners;
        for (const cards::Pixel& p : cards::kCornerPixels) corners.insert({p.x, p.y});
        int wrong = 0;
        for (int y = 0; y < card.height; ++y)
            for (int x = 0; x < card.width; ++x) {
                int sx = place.x + x, sy = place.y + y;
                covered[size_t(sy) * size_t(sheet.width) + size_t(sx)] = true;
                wrong += corners.count({x, y}) ? !Clear(sheet, sx, sy) : !Shows(sheet, sx, sy, card.Get(x, y));
            }
        EXPECT_EQ(wrong, 0) << place.name;
    }
    EXPECT_EQ(placed, expected);
    int gutterShown = 0;
    for (int y = 0; y < sheet.height; ++y)
        for (int x = 0; x < sheet.width; ++x)
            gutterShown += !covered[size_t(y) * size_t(sheet.width) + size_t(x)] && !Clear(sheet, x, y);
    EXPECT_EQ(gutterShown, 0);
}

// The table recolours the badge's ground by a flood fill from (1, 1).
TEST(WebPictures, BadgeIsClearExactlyWhereTheTableFloodsIt) {
    canvas::Image badge = Bitmap("Amount"), flooded = badge;
    uint8_t other = badge.Get(1, 1) == canvas::White ? canvas::Black : canvas::White;
    canvas::FloodFill(flooded, 1, 1, other);
    Rgba png = Decode(File("Amount.png"));
    ASSERT_EQ(png.width, badge.width);
    ASSERT_EQ(png.height, badge.height);
    int wrong = 0, clear = 0;
    for (int y = 0; y < badge.height; ++y)
        for (int x = 0; x < badge.width; ++x) {
            bool ground = flooded.Get(x, y) != badge.Get(x, y);
            clear += ground;
            wrong += ground ? !Clear(png, x, y) : !Shows(png, x, y, badge.Get(x, y));
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(clear, 100);

    // Four-connected, as the fill is: a pixel of the colour that touches the
    // area only at a corner keeps its colour.
    Picture diagonal;
    diagonal.width = diagonal.height = 2;
    diagonal.palette.assign(canvas::kPalette, canvas::kPalette + 16);
    diagonal.pixels = {0, 1, 1, 0};
    ClearFloodArea(&diagonal, 0, 0);
    EXPECT_EQ(diagonal.pixels, (std::vector<int>{kClear, 1, 1, 0}));
}

TEST(WebPictures, OtherPicturesAreOpaqueAndUnchanged) {
    ASSERT_EQ(Page().pictures.size(), 5u);
    for (const PictureFile& p : Page().pictures) {
        if (p.name == "Amount") continue;
        canvas::Image bmp = Bitmap(p.name);
        Rgba png = Decode(File(p.file));
        ASSERT_EQ(png.width, bmp.width) << p.name;
        ASSERT_EQ(png.height, bmp.height) << p.name;
        int wrong = 0;
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) wrong += !Shows(png, x, y, bmp.Get(x, y));
        EXPECT_EQ(wrong, 0) << p.name;
        std::vector<std::string> chunks = Chunks(File(p.file));
        EXPECT_EQ(std::count(chunks.begin(), chunks.end(), "tRNS"), 0) << p.name;
    }
}

// The icons and the cursor are drawn on pictures::kIconTransparent, which
// their AND mask is made of.
TEST(WebPictures, IconsAndCursorAreClearWhereTheScreenShowsThrough) {
    struct Expect {
        std::string file;
        canvas::Image drawn;
        int scale;
    } expects[] = {
        {"QuorvelIcon-16.png", pictures::DrawAppIcon(16), 1}, {"QuorvelIcon-32.png", pictures::DrawAppIcon(32), 1},
        {"QuorvelIcon-192.png", pictures::DrawAppIcon(32), 6}, {"QuorvelIcon-512.png", pictures::DrawAppIcon(32), 16},
        {"Coins-32.png", pictures::DrawCoinsIcon(), 1},         {"hand.png", pictures::DrawHandCursor(), 1},
    };
    for (const Expect& e : expects) {
        Rgba png = Decode(File(e.file));
        ASSERT_EQ(png.width, e.drawn.width * e.scale) << e.file;
        ASSERT_EQ(png.height, e.drawn.height * e.scale) << e.file;
        int wrong = 0;
        for (int y = 0; y < png.height; ++y)
            for (int x = 0; x < png.width; ++x) {
                uint8_t c = e.drawn.Get(x / e.scale, y / e.scale);
                wrong += c == pictures::kIconTransparent ? !Clear(png, x, y) : !Shows(png, x, y, c);
            }
        EXPECT_EQ(wrong, 0) << e.file;
    }
    EXPECT_EQ(Page().hotX, pictures::kCursorHotX);
    EXPECT_EQ(Page().hotY, pictures::kCursorHotY);
}

TEST(WebPictures, PngsAreIndexedInTheBmpPaletteWithNothingThatVaries) {
    std::vector<uint8_t> bmp = ReadBytes(QUORVEL_ART_DIR "/Logo.bmp");
    std::vector<uint8_t> bmpPalette;
    for (size_t at = 54; at < 54 + 64; at += 4) bmpPalette.insert(bmpPalette.end(), {bmp[at + 2], bmp[at + 1], bmp[at]});
    size_t total = 0;
    for (const WebFile& f : Page().files) {
        if (f.path.size() < 4 || f.path.substr(f.path.size() - 4) != ".png") continue;
        total += f.bytes.size();
        ASSERT_GT(f.bytes.size(), 33u) << f.path;
        EXPECT_EQ(f.bytes[25], 3) << f.path;   // indexed colour
        std::vector<uint8_t> palette(f.bytes.begin() + 41, f.bytes.begin() + 41 + 48);
        EXPECT_EQ(palette, bmpPalette) << f.path;
        for (const std::string& chunk : Chunks(f.bytes))
            EXPECT_TRUE(chunk == "IHDR" || chunk == "PLTE" || chunk == "tRNS" || chunk == "IDAT" || chunk == "IEND")
                << f.path << " " << chunk;
    }
    // The whole page must stay under 400 KB; the pictures take far less.
    EXPECT_LT(total, 100u * 1024);
}

// A picture that uses every palette entry gets one more for its clear pixels
// rather than sharing one with a colour.
TEST(WebPictures, ClearPixelsNeverShareAnEntryWithAColour) {
    Picture full;
    full.width = 17;
    full.height = 2;
    full.palette.assign(canvas::kPalette, canvas::kPalette + 16);
    for (int i = 0; i < 34; ++i) full.pixels.push_back(i % 17 == 16 ? kClear : i % 17);
    std::vector<uint8_t> png;
    ASSERT_TRUE(EncodePng(full, &png));
    Rgba decoded = Decode(png);
    ASSERT_EQ(decoded.width, 17);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 17; ++x)
            EXPECT_TRUE(x == 16 ? Clear(decoded, x, y) : Shows(decoded, x, y, uint8_t(x))) << x;
}

TEST(WebPage, SoundsAndFontsAreCopiedByteForByte) {
    ASSERT_EQ(Page().sounds.size(), 8u);
    for (const auto& [name, file] : Page().sounds)
        EXPECT_EQ(File(file), ReadBytes(QUORVEL_WAVE_DIR "/" + name + ".wav")) << name;
    EXPECT_EQ(File(Page().regularFont), ReadBytes(QUORVEL_REGULAR_FONT));
    EXPECT_EQ(File(Page().boldFont), ReadBytes(QUORVEL_BOLD_FONT));
}

TEST(WebPage, ModuleNamesEveryFileAndNoBuildFolder) {
    std::string js = ResourcesJs(Page());
    for (const WebFile& f : Page().files) EXPECT_NE(js.find("\"" + f.path + "\""), std::string::npos) << f.path;
    EXPECT_EQ(js.find(QUORVEL_SOURCE_DIR), std::string::npos);
    EXPECT_EQ(js.find(QUORVEL_ART_DIR), std::string::npos);
    EXPECT_NE(js.find("\nexport const resources = {\n"), std::string::npos);
    EXPECT_EQ(js.substr(js.size() - 4), "\n};\n");
}
