// The linked resources as the program finds them: every picture, sound,
// icon and cursor by its name, the menu, the accelerators and the texts.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "engine/evaluate.h"
#include "resources/resource_ids.h"
#include "shell/box_texts.h"
#include "shell/table_layout.h"
#include "tests/win32/harness.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// The raw bytes of a resource, empty when it is missing.
std::vector<uint8_t> ResourceBytes(const char* name, const char* type) {
    HRSRC found = FindResourceA(Module(), name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(Module(), found);
    const uint8_t* bytes = static_cast<const uint8_t*>(LockResource(loaded));
    if (!bytes) return {};
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(Module(), found));
}

// A bitmap resource decoded from its DIB: header, palette, indices.
struct Dib {
    BITMAPINFOHEADER header{};
    std::vector<RGBQUAD> palette;
    std::vector<uint8_t> bytes;
    size_t bitsAt = 0;

    bool Load(const std::string& name) {
        bytes = ResourceBytes(name.c_str(), MAKEINTRESOURCEA(2));   // RT_BITMAP
        if (bytes.size() < sizeof header) return false;
        std::memcpy(&header, bytes.data(), sizeof header);
        size_t colours = header.biClrUsed ? header.biClrUsed : (header.biBitCount <= 8 ? 1u << header.biBitCount : 0);
        palette.resize(colours);
        std::memcpy(palette.data(), bytes.data() + header.biSize, colours * sizeof(RGBQUAD));
        bitsAt = header.biSize + colours * sizeof(RGBQUAD);
        return true;
    }
    int Width() const { return header.biWidth; }
    int Height() const { return header.biHeight < 0 ? -header.biHeight : header.biHeight; }
    // Palette index of pixel (x, y), y counted from the top (4-bit only).
    int Index(int x, int y) const {
        size_t stride = ((static_cast<size_t>(Width()) * 4 + 31) / 32) * 4;
        int row = header.biHeight > 0 ? Height() - 1 - y : y;
        uint8_t pair = bytes[bitsAt + row * stride + x / 2];
        return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
    }
    COLORREF Colour(int x, int y) const {
        const RGBQUAD& q = palette[Index(x, y)];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kLightGrey = RGB(192, 192, 192);

std::vector<std::string> CardPictureNames() {
    std::vector<std::string> names;
    for (const char* suit : {"Club", "Diamond", "Hearts", "Spade"})
        for (int rank = 1; rank <= 13; ++rank) names.push_back(suit + std::to_string(rank));
    names.push_back("Joker");
    for (int back = 1; back <= 17; ++back) names.push_back("Back" + std::to_string(back));
    names.push_back("Mystery");
    names.push_back("Blank");
    return names;
}

// Cards, logo and badges fill the places the table gives them exactly.
TEST(Bitmaps, EveryPictureHasItsSizeAndSixteenColours) {
    struct Expect { std::string name; int width, height; };
    std::vector<Expect> all;
    for (const std::string& name : CardPictureNames())
        all.push_back({name, TableLayout::kCardWidth, TableLayout::kCardHeight});
    const LayoutRect title = TableLayout::TitleBox();     // the logo inside its outline
    all.push_back({"Logo", title.right - title.left - 2, title.bottom - title.top - 2});
    all.push_back({"Amount", TableLayout::kBadgeWidth, TableLayout::kBadgeHeight});
    all.push_back({"Jackpot", 520, 230});
    all.push_back({"OddsBmp", 380, 365});
    ASSERT_EQ(all.size(), 76u);
    for (const Expect& e : all) {
        Dib dib;
        ASSERT_TRUE(dib.Load(e.name)) << e.name << " is missing";
        EXPECT_EQ(dib.header.biBitCount, 4) << e.name;
        EXPECT_EQ(dib.header.biCompression, static_cast<DWORD>(BI_RGB)) << e.name;
        EXPECT_EQ(dib.Width(), e.width) << e.name;
        EXPECT_EQ(dib.Height(), e.height) << e.name;
        // And the way the game loads it.
        HBITMAP bitmap = LoadBitmapA(Module(), e.name.c_str());
        ASSERT_NE(bitmap, nullptr) << e.name;
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, e.width) << e.name;
        EXPECT_EQ(info.bmHeight, e.height) << e.name;
        DeleteObject(bitmap);
    }
    // The About picture's size is ours; it must load and be 16-colour.
    Dib about;
    ASSERT_TRUE(about.Load("AboutPicture"));
    EXPECT_EQ(about.header.biBitCount, 4);
    EXPECT_GT(about.Width(), 0);
    EXPECT_GT(about.Height(), 0);
    // Card faces are addressed exactly by these names; nothing answers to
    // a singular "Heart" or a back beyond the seventeenth.
    EXPECT_EQ(FindResourceA(Module(), "Heart1", MAKEINTRESOURCEA(2)), nullptr);
    EXPECT_EQ(FindResourceA(Module(), "Back18", MAKEINTRESOURCEA(2)), nullptr);
}

TEST(Bitmaps, CardCornersAreWhiteAndEveryDesignDiffers) {
    const int corners[12][2] = {{0, 0},  {0, 1},   {1, 0},   {69, 0}, {70, 0}, {70, 1},
                                {70, 94}, {70, 95}, {69, 95}, {1, 95}, {0, 95}, {0, 94}};
    std::set<std::vector<uint8_t>> designs;
    for (const std::string& name : CardPictureNames()) {
        Dib dib;
        ASSERT_TRUE(dib.Load(name)) << name;
        for (const auto& c : corners)
            EXPECT_EQ(dib.Colour(c[0], c[1]), kWhite) << name << " corner " << c[0] << "," << c[1];
        std::vector<uint8_t> pixels(dib.bytes.begin() + dib.bitsAt, dib.bytes.end());
        EXPECT_TRUE(designs.insert(pixels).second) << name << " repeats another picture";
    }
    // "Blank" is a plain light-grey card; it covers whatever lay there.
    Dib blank;
    ASSERT_TRUE(blank.Load("Blank"));
    for (int y = 10; y < 86; y += 5)
        for (int x = 10; x < 61; x += 5) ASSERT_EQ(blank.Colour(x, y), kLightGrey) << x << "," << y;
}

TEST(Bitmaps, BadgeGroundIsOneBlackAreaAroundTheArtwork) {
    Dib dib;
    ASSERT_TRUE(dib.Load("Amount"));
    const int w = dib.Width(), h = dib.Height();
    ASSERT_EQ(dib.Colour(1, 1), kBlack);
    // The connected area of (1, 1)'s colour, as a 4-way flood fill sees it.
    std::vector<char> reached(static_cast<size_t>(w) * h, 0);
    std::vector<std::pair<int, int>> todo = {{1, 1}};
    reached[1 * w + 1] = 1;
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h) continue;
            if (reached[n[1] * w + n[0]] || dib.Colour(n[0], n[1]) != kBlack) continue;
            reached[n[1] * w + n[0]] = 1;
            todo.push_back({n[0], n[1]});
        }
    }
    int red = 0, yellow = 0, ground = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            COLORREF c = dib.Colour(x, y);
            if (c == kBlack) {
                EXPECT_TRUE(reached[y * w + x]) << "black at " << x << "," << y << " is cut off from the ground";
                ++ground;
            }
            red += c == RGB(255, 0, 0) || c == RGB(128, 0, 0);
            yellow += c == RGB(255, 255, 0);
        }
    }
    // The ground goes round the artwork: all four edges are black.
    for (int x = 0; x < w; ++x) {
        EXPECT_TRUE(reached[x]) << "top edge " << x;
        EXPECT_TRUE(reached[(h - 1) * w + x]) << "bottom edge " << x;
    }
    EXPECT_GT(red, 20);
    EXPECT_GT(yellow, 20);
    EXPECT_GT(ground, w * h / 10);
    EXPECT_LT(ground, w * h * 9 / 10);
}

TEST(Bitmaps, BadgeGroundTakesTheTableColourThroughGdiFloodFill) {
    Dib dib;
    ASSERT_TRUE(dib.Load("Amount"));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = LoadBitmapA(Module(), "Amount");
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    const COLORREF felt = RGB(0, 128, 0);
    COLORREF ground = GetPixel(memory, 1, 1);
    HBRUSH brush = CreateSolidBrush(felt);
    HGDIOBJ oldBrush = SelectObject(memory, brush);
    ExtFloodFill(memory, 1, 1, ground, FLOODFILLSURFACE);
    SelectObject(memory, oldBrush);
    DeleteObject(brush);
    int wrong = 0;
    for (int y = 0; y < dib.Height(); ++y) {
        for (int x = 0; x < dib.Width(); ++x) {
            COLORREF before = dib.Colour(x, y);
            COLORREF after = GetPixel(memory, x, y);
            wrong += after != (before == kBlack ? felt : before);
        }
    }
    EXPECT_EQ(wrong, 0);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

TEST(Waves, EverySoundIsEightBitMonoPcmOfItsRateAndLength) {
    struct Expect { const char* askedFor; uint32_t rate; double seconds; };
    const Expect sounds[] = {
        {"Deal", 11025, 0.02},     {"CardDrop", 22050, 0.13}, {"HoldCard", 11025, 0.09},
        {"NoHold", 11025, 0.05},   {"CoinDrop", 22050, 0.37}, {"Payout", 22050, 0.56},
        {"Bank", 11025, 1.12},     {"BigJackpot", 22000, 2.09},
    };
    for (const Expect& e : sounds) {
        std::vector<uint8_t> b = ResourceBytes(e.askedFor, "WAVE");
        ASSERT_GE(b.size(), 44u) << e.askedFor << " is missing";
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << e.askedFor;
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE") << e.askedFor;
        EXPECT_LE(U32(b, 4) + 8, b.size()) << e.askedFor;
        // Walk the chunks: "fmt " first, then "data".
        size_t at = 12;
        bool sawFormat = false;
        uint32_t dataSize = 0;
        size_t dataAt = 0;
        while (at + 8 <= b.size()) {
            std::string tag(b.begin() + at, b.begin() + at + 4);
            uint32_t size = U32(b, at + 4);
            if (tag == "fmt ") {
                sawFormat = true;
                EXPECT_EQ(U16(b, at + 8), 1) << e.askedFor << " PCM";
                EXPECT_EQ(U16(b, at + 10), 1) << e.askedFor << " mono";
                EXPECT_EQ(U32(b, at + 12), e.rate) << e.askedFor;
                EXPECT_EQ(U32(b, at + 16), e.rate) << e.askedFor << " bytes per second";
                EXPECT_EQ(U16(b, at + 20), 1) << e.askedFor << " block";
                EXPECT_EQ(U16(b, at + 22), 8) << e.askedFor << " bits";
            } else if (tag == "data") {
                dataSize = size;
                dataAt = at + 8;
                break;
            }
            at += 8 + size + (size & 1);
        }
        ASSERT_TRUE(sawFormat) << e.askedFor;
        ASSERT_NE(dataAt, 0u) << e.askedFor;
        ASSERT_LE(dataAt + dataSize, b.size()) << e.askedFor;
        double samples = e.rate * e.seconds;
        EXPECT_NEAR(static_cast<double>(dataSize), samples, 1.0) << e.askedFor;
        // Loud enough to hear, never at full scale.
        int low = 255, high = 0;
        for (size_t i = dataAt; i < dataAt + dataSize; ++i) {
            low = std::min<int>(low, b[i]);
            high = std::max<int>(high, b[i]);
        }
        EXPECT_GT(low, 0) << e.askedFor;
        EXPECT_LT(high, 255) << e.askedFor;
        EXPECT_GT(high - low, 128) << e.askedFor;
    }
}

TEST(IconsAndCursor, HandCursorPointsWithItsFingertip) {
    HCURSOR hand = LoadCursorA(Module(), MAKEINTRESOURCEA(IDR_HAND_CURSOR));
    ASSERT_NE(hand, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 1u);
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, info.hbmColor ? 32 : 64);   // a monochrome cursor stacks its masks
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// Sizes listed in an icon's group directory.
std::set<int> IconSizes(const char* name) {
    std::vector<uint8_t> dir = ResourceBytes(name, MAKEINTRESOURCEA(14));   // RT_GROUP_ICON
    std::set<int> sizes;
    if (dir.size() < 6) return sizes;
    for (int i = 0, n = U16(dir, 4); i < n && 6 + 14 * (i + 1) <= static_cast<int>(dir.size()); ++i) {
        int w = dir[6 + 14 * i] ? dir[6 + 14 * i] : 256;
        int h = dir[6 + 14 * i + 1] ? dir[6 + 14 * i + 1] : 256;
        EXPECT_EQ(w, h) << name;
        sizes.insert(w);
    }
    return sizes;
}

TEST(IconsAndCursor, IconsCarryTheirSizes) {
    std::set<int> game = IconSizes("QuorvelIcon");
    EXPECT_TRUE(game.count(32));
    EXPECT_TRUE(game.count(16));
    EXPECT_TRUE(IconSizes("Coins").count(32));
    for (const char* name : {"QuorvelIcon", "Coins"}) {
        HICON icon = LoadIconA(Module(), name);
        ASSERT_NE(icon, nullptr) << name;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << name;
        EXPECT_TRUE(info.fIcon);
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, 32) << name;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    HICON small = static_cast<HICON>(LoadImageA(Module(), "QuorvelIcon", IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(small, nullptr);
    DestroyIcon(small);
}

struct Item {
    std::string text;   // "" for a separator
    UINT id;
};

void ExpectMenu(HMENU menu, const std::vector<Item>& items, const std::string& where) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size())) << where;
    for (size_t i = 0; i < items.size(); ++i) {
        char text[128] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) << where << " " << i;
        EXPECT_EQ(info.hSubMenu, nullptr) << where << " " << i;
        if (items[i].text.empty()) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << where << " item " << i << " should be a separator";
        } else {
            EXPECT_FALSE(info.fType & MFT_SEPARATOR) << where << " item " << i;
            // The program greys and checks items itself; the resource starts them plain.
            EXPECT_EQ(info.fState & (MFS_GRAYED | MFS_CHECKED), 0u) << where << " " << text;
            EXPECT_EQ(std::string(text), items[i].text) << where << " item " << i;
            EXPECT_EQ(info.wID, items[i].id) << where << " " << items[i].text;
        }
    }
}

// ---- The resource script, read as the expectation ----------------------------

std::vector<std::string> SourceLines(const char* path) {
    std::vector<std::string> lines;
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/" + path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The numbers the script's names stand for: resource_ids.h's, and the
// system commands' from windows.h.
const std::map<std::string, UINT>& Identifiers() {
    static const std::map<std::string, UINT> ids = [] {
        std::map<std::string, UINT> out = {
            {"SC_SIZE", SC_SIZE},         {"SC_MOVE", SC_MOVE},   {"SC_MINIMIZE", SC_MINIMIZE},
            {"SC_MAXIMIZE", SC_MAXIMIZE}, {"SC_CLOSE", SC_CLOSE}, {"SC_RESTORE", SC_RESTORE},
            {"SC_TASKLIST", SC_TASKLIST}};
        std::regex define(R"(^#define\s+(\w+)\s+(\d+))");
        std::smatch m;
        for (const std::string& line : SourceLines("resources/resource_ids.h"))
            if (std::regex_search(line, m, define)) out[m[1]] = static_cast<UINT>(std::stoul(m[2]));
        return out;
    }();
    return ids;
}

UINT IdentifierOf(const std::string& name) {
    auto found = Identifiers().find(name);
    EXPECT_NE(found, Identifiers().end()) << name;
    return found == Identifiers().end() ? 0 : found->second;
}

// A quoted text of the script, its escapes and doubled quotes undone.
std::string Unquoted(const std::string& quoted) {
    std::string out;
    for (size_t i = 0; i < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '"' && i + 1 < quoted.size() && quoted[i + 1] == '"') {
            out.push_back('"');
            ++i;
        } else if (c == '\\' && i + 1 < quoted.size()) {
            char e = quoted[++i];
            out.push_back(e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A statement's comma-separated arguments, a quoted one kept in its quotes.
std::vector<std::string> Arguments(const std::string& text) {
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            parts.push_back("");
        } else {
            parts.back().push_back(c);
        }
    }
    for (std::string& part : parts) part = Trimmed(part);
    return parts;
}

std::string QuotedText(const std::string& argument) {
    if (argument.size() < 2 || argument.front() != '"') return argument;
    return Unquoted(argument.substr(1, argument.size() - 2));
}

// The script's lines from the statement `header` starts to its END.
std::vector<std::string> ScriptBlock(const std::regex& header) {
    std::vector<std::string> block;
    int depth = 0;
    std::regex begin(R"(^\s*BEGIN\b)"), end(R"(^\s*END\b)");
    for (const std::string& line : SourceLines("resources/quorvel.rc")) {
        if (block.empty() && !std::regex_search(line, header)) continue;
        block.push_back(line);
        if (std::regex_search(line, begin)) ++depth;
        if (std::regex_search(line, end) && --depth == 0) break;
    }
    return block;
}

std::map<UINT, std::string> ScriptStrings() {
    std::map<UINT, std::string> strings;
    std::regex entry(R"re(^\s+(\w+)\s+"(.*)"\s*$)re");
    std::smatch m;
    for (const std::string& line : ScriptBlock(std::regex("^STRINGTABLE")))
        if (std::regex_search(line, m, entry)) strings[IdentifierOf(m[1])] = Unquoted(m[2]);
    return strings;
}

struct ScriptPopup {
    std::string title;
    bool right = false;     // HELP: at the right end of the bar
    std::vector<Item> items;
};

std::vector<ScriptPopup> ScriptMenu() {
    std::vector<ScriptPopup> popups;
    std::regex popup(R"re(^\s*POPUP\s+"(.*)"\s*(,\s*HELP)?\s*$)re");
    std::regex item(R"re(^\s*MENUITEM\s+"(.*)"\s*,\s*(\w+)\s*$)re");
    std::regex separator(R"(^\s*MENUITEM\s+SEPARATOR\s*$)");
    std::smatch m;
    for (const std::string& line : ScriptBlock(std::regex(R"(^QuorvelMenu\s+MENU\b)"))) {
        if (std::regex_search(line, m, popup)) {
            popups.push_back({Unquoted(m[1]), m[2].matched, {}});
        } else if (popups.empty()) {
            continue;
        } else if (std::regex_search(line, m, item)) {
            popups.back().items.push_back({Unquoted(m[1]), IdentifierOf(m[2])});
        } else if (std::regex_search(line, separator)) {
            popups.back().items.push_back({"", 0});
        }
    }
    return popups;
}

TEST(Menu, MainMenuListsEveryCommandOfTheScriptInOrder) {
    const std::vector<ScriptPopup> script = ScriptMenu();
    ASSERT_EQ(script.size(), 4u) << "the resource script's menu was not read";
    HMENU bar = LoadMenuA(Module(), "QuorvelMenu");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(script.size()));
    for (int m = 0; m < static_cast<int>(script.size()); ++m) {
        char text[64] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(bar, m, TRUE, &info));
        const std::string& title = script[m].title;
        EXPECT_EQ(std::string(text), title);
        ASSERT_NE(info.hSubMenu, nullptr) << title;
        EXPECT_EQ((info.fType & MFT_RIGHTJUSTIFY) != 0, script[m].right) << title;
        ExpectMenu(info.hSubMenu, script[m].items, title);
    }
    // Only "&Help" stands at the right end of the bar.
    EXPECT_TRUE(script.back().right);
    for (size_t m = 0; m + 1 < script.size(); ++m) EXPECT_FALSE(script[m].right) << m;
    DestroyMenu(bar);
}

// The script's accelerator entries: a quoted character (ASCII) or letter
// (VIRTKEY), or a virtual-key name, with its command.
std::vector<ACCEL> ScriptAccelerators() {
    const std::map<std::string, WORD> keys = {
        {"VK_F1", VK_F1}, {"VK_F2", VK_F2}, {"VK_F3", VK_F3}, {"VK_F4", VK_F4}, {"VK_F5", VK_F5}};
    std::vector<ACCEL> entries;
    const std::vector<std::string> block = ScriptBlock(std::regex(R"(^KeyAccelTable\s+ACCELERATORS\b)"));
    for (size_t i = 1; i < block.size(); ++i) {
        const std::vector<std::string> args = Arguments(block[i]);
        if (args.size() < 3) continue;
        ACCEL entry{};
        if (args[0].size() == 3 && args[0].front() == '"') {
            entry.key = static_cast<WORD>(args[0][1]);
        } else {
            auto found = keys.find(args[0]);
            EXPECT_NE(found, keys.end()) << args[0];
            if (found != keys.end()) entry.key = found->second;
        }
        entry.cmd = static_cast<WORD>(IdentifierOf(args[1]));
        for (size_t k = 2; k < args.size(); ++k) {
            if (args[k] == "VIRTKEY") entry.fVirt |= FVIRTKEY;
            if (args[k] == "NOINVERT") entry.fVirt |= FNOINVERT;
        }
        entries.push_back(entry);
    }
    return entries;
}

TEST(Accelerators, KeysAndLowerCaseLettersGiveTheirCommands) {
    const std::vector<ACCEL> expected = ScriptAccelerators();
    ASSERT_GT(expected.size(), 5u) << "the resource script's accelerators were not read";
    HACCEL table = LoadAcceleratorsA(Module(), "KeyAccelTable");
    ASSERT_NE(table, nullptr);
    int count = CopyAcceleratorTableA(table, nullptr, 0);
    ASSERT_EQ(count, static_cast<int>(expected.size()));
    std::vector<ACCEL> entries(count);
    CopyAcceleratorTableA(table, entries.data(), count);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].fVirt, expected[i].fVirt) << "entry " << i;
        EXPECT_EQ(entries[i].key, expected[i].key) << "entry " << i;
        EXPECT_EQ(entries[i].cmd, expected[i].cmd) << "entry " << i;
    }
    // The hold keys are F1..F5 for the places in order; the letters are
    // lower-case characters, so Shift or Caps Lock gives no command.
    for (int slot = 0; slot < 5; ++slot) {
        int found = 0;
        for (const ACCEL& e : entries) found += e.cmd == IDC_HOLD0 + slot && e.key == VK_F1 + slot && (e.fVirt & FVIRTKEY);
        EXPECT_EQ(found, 1) << slot;
    }
    for (const ACCEL& e : entries) {
        if (!(e.fVirt & FVIRTKEY)) {
            EXPECT_TRUE(std::islower(e.key)) << e.key;
        }
    }
    DestroyAcceleratorTable(table);
}

std::string LoadText(UINT id, int* length = nullptr) {
    char text[512] = "";
    int n = LoadStringA(Module(), id, text, sizeof text);
    if (length) *length = n;
    return std::string(text, n > 0 ? n : 0);
}

TEST(Strings, EveryNumberedTextIsThereExactly) {
    const std::map<UINT, std::string> script = ScriptStrings();
    ASSERT_GT(script.size(), 20u) << "the resource script's strings were not read";
    for (const auto& [id, text] : script) EXPECT_EQ(LoadText(id), text) << "string " << id;
    // Every message and every menu command has its text; the system menu's
    // title has none.
    for (const auto& [name, id] : Identifiers()) {
        if (name.rfind("IDS_", 0) != 0 && name.rfind("IDM_", 0) != 0) continue;
        if (id == IDS_SYSMENU_POPUP) {
            EXPECT_EQ(script.count(id), 0u) << name;
        } else {
            EXPECT_FALSE(LoadText(id).empty()) << name;
        }
    }
    for (const ScriptPopup& popup : ScriptMenu())
        for (const Item& item : popup.items)
            if (item.id) {
                EXPECT_FALSE(LoadText(item.id).empty()) << item.text;
            }
    // Our own first texts of the message line and the status line: one
    // short line each, to fit their boxes.
    for (UINT id : {IDS_FIRST_MESSAGE, IDS_STATUS_TITLE}) {
        std::string text = LoadText(id);
        EXPECT_FALSE(text.empty()) << id;
        EXPECT_LT(text.size(), 60u) << id;
        EXPECT_EQ(text.find_first_of("\r\n\t"), std::string::npos) << id;
    }
}

TEST(Strings, SeparatorsAndTheSystemMenuTitleHaveNoText) {
    int length = -1;
    EXPECT_EQ(LoadText(0, &length), "");
    EXPECT_EQ(length, 0);
    EXPECT_EQ(LoadText(1999, &length), "");
    EXPECT_EQ(length, 0);
    // Neighbours of the numbered texts stay empty too: no stray entries.
    for (UINT id : {1010u, 1014u, 1912u, 1917u, 2001u, 40002u}) EXPECT_EQ(LoadText(id), "") << id;
}

// Finds `key` as a UTF-16 string in the version resource and returns the
// UTF-16 value that follows it (after the 32-bit alignment padding).
std::string VersionString(const std::vector<uint8_t>& v, const std::string& key) {
    std::vector<uint8_t> wide;
    for (char c : key) {
        wide.push_back(static_cast<uint8_t>(c));
        wide.push_back(0);
    }
    wide.push_back(0);
    wide.push_back(0);
    for (size_t at = 0; at + wide.size() <= v.size(); at += 2) {
        if (std::memcmp(v.data() + at, wide.data(), wide.size()) != 0) continue;
        size_t value = (at + wide.size() + 3) & ~static_cast<size_t>(3);
        std::string out;
        while (value + 1 < v.size() && (v[value] || v[value + 1])) {
            out.push_back(static_cast<char>(v[value]));
            value += 2;
        }
        return out;
    }
    return "";
}

TEST(Version, ProgramCarriesItsNameAndVersion) {
    std::vector<uint8_t> v = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));   // RT_VERSION
    ASSERT_GT(v.size(), 100u);
    size_t fixed = 0;
    for (size_t at = 0; at + 4 <= v.size(); at += 4)
        if (U32(v, at) == 0xFEEF04BDu) {
            fixed = at;
            break;
        }
    ASSERT_NE(fixed, 0u);
    EXPECT_EQ(U32(v, fixed + 8), 0x00020001u);    // file version 2.1
    EXPECT_EQ(U32(v, fixed + 12), 0u);            // .0.0
    EXPECT_EQ(U32(v, fixed + 16), 0x00020001u);   // product version 2.1
    EXPECT_EQ(VersionString(v, "ProductName"), "Quorvel");
    EXPECT_EQ(VersionString(v, "FileVersion"), "2.1.0.0");
    EXPECT_EQ(VersionString(v, "ProductVersion"), "2.1.0.0");
    EXPECT_FALSE(VersionString(v, "FileDescription").empty());
}


// ---- Dialog templates ------------------------------------------------------

// One control of a dialog template as the resource states it.
struct TemplateControl {
    DWORD style = 0;
    int id = 0;
    std::string cls;    // lower case; the predefined classes by their names
    std::string text;   // a string title, or "#n" for an ordinal
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption, font;
    int points = 0;
    std::vector<TemplateControl> controls;
};

// Reads a zero-terminated UTF-16 string or an 0xFFFF ordinal.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<uint8_t>& bytes) : b_(bytes) {}
    bool Ok() const { return ok_; }
    size_t At() const { return at_; }
    void AlignTo4() { at_ = (at_ + 3) & ~static_cast<size_t>(3); }
    uint16_t Word() {
        if (at_ + 2 > b_.size()) {
            ok_ = false;
            return 0;
        }
        uint16_t w = U16(b_, at_);
        at_ += 2;
        return w;
    }
    uint32_t Dword() {
        uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    std::string String() {
        std::string out;
        for (uint16_t c = Word(); ok_ && c != 0; c = Word()) out.push_back(static_cast<char>(c));
        return out;
    }
    std::string StringOrOrdinal() {
        if (at_ + 2 <= b_.size() && U16(b_, at_) == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return String();
    }

private:
    const std::vector<uint8_t>& b_;
    size_t at_ = 0;
    bool ok_ = true;
};

std::string Lower(const std::string& text) {
    std::string lower;
    for (char c : text) lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return lower;
}

// Class names in lower case, the predefined classes' ordinals by name.
std::string PredefinedClass(const std::string& cls) {
    if (cls == "#128") return "button";
    if (cls == "#129") return "edit";
    if (cls == "#130") return "static";
    return Lower(cls);
}

// Decodes a plain (not extended) dialog template, as the resource compiler
// writes for DIALOG statements.
bool ReadDialogTemplate(const char* name, DialogTemplate* out) {
    std::vector<uint8_t> bytes = ResourceBytes(name, MAKEINTRESOURCEA(5));   // RT_DIALOG
    if (bytes.size() < 18 || U16(bytes, 2) == 0xFFFF) return false;
    TemplateReader r(bytes);
    out->style = r.Dword();
    r.Dword();   // extended style
    int count = r.Word();
    out->x = static_cast<int16_t>(r.Word());
    out->y = static_cast<int16_t>(r.Word());
    out->cx = static_cast<int16_t>(r.Word());
    out->cy = static_cast<int16_t>(r.Word());
    r.StringOrOrdinal();   // menu
    r.StringOrOrdinal();   // class
    out->caption = r.String();
    if (out->style & DS_SETFONT) {
        out->points = r.Word();
        out->font = r.String();
    }
    for (int i = 0; i < count && r.Ok(); ++i) {
        r.AlignTo4();
        TemplateControl c;
        c.style = r.Dword();
        r.Dword();   // extended style
        c.x = static_cast<int16_t>(r.Word());
        c.y = static_cast<int16_t>(r.Word());
        c.cx = static_cast<int16_t>(r.Word());
        c.cy = static_cast<int16_t>(r.Word());
        c.id = static_cast<int16_t>(r.Word());
        c.cls = PredefinedClass(r.StringOrOrdinal());
        c.text = r.StringOrOrdinal();
        uint16_t extra = r.Word();
        for (uint16_t k = 0; k < extra; ++k) r.Word();
        out->controls.push_back(c);
    }
    return r.Ok();
}

// A DIALOG statement of the resource script: its place, caption and font,
// and each control's id, text and place, in order.
struct ScriptControl {
    int id = 0;
    std::string text;
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct ScriptDialog {
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption, font;
    int points = 0;
    std::vector<ScriptControl> controls;
};

// -1, IDOK, IDCANCEL or a name of resource_ids.h, with "+ n" added.
int ControlId(const std::string& argument) {
    if (argument == "-1") return -1;
    if (argument == "IDOK") return IDOK;
    if (argument == "IDCANCEL") return IDCANCEL;
    size_t plus = argument.find('+');
    int id = static_cast<int>(IdentifierOf(Trimmed(argument.substr(0, plus))));
    return plus == std::string::npos ? id : id + std::stoi(argument.substr(plus + 1));
}

ScriptDialog ScriptDialogNamed(const std::string& name) {
    ScriptDialog d;
    const std::vector<std::string> block = ScriptBlock(std::regex("^" + name + R"(\s+DIALOG\b)"));
    if (block.empty()) {
        ADD_FAILURE() << name << " is not in the resource script";
        return d;
    }
    std::vector<std::string> place = Arguments(block[0].substr(block[0].find("DIALOG") + 6));
    d.x = std::stoi(place.at(0));
    d.y = std::stoi(place.at(1));
    d.cx = std::stoi(place.at(2));
    d.cy = std::stoi(place.at(3));
    const std::set<std::string> plain = {"PUSHBUTTON", "DEFPUSHBUTTON", "AUTOCHECKBOX", "GROUPBOX",
                                         "LTEXT",      "RTEXT",         "CTEXT",        "ICON"};
    for (size_t i = 1; i < block.size(); ++i) {
        std::string line = Trimmed(block[i]);
        while (!line.empty() && line.back() == ',' && i + 1 < block.size()) line += " " + Trimmed(block[++i]);
        const std::string keyword = line.substr(0, line.find_first_of(" \t"));
        const std::string rest = line.size() > keyword.size() ? line.substr(keyword.size()) : "";
        const std::vector<std::string> args = Arguments(rest);
        if (keyword == "CAPTION") {
            d.caption = QuotedText(Trimmed(rest));
        } else if (keyword == "FONT") {
            d.points = std::stoi(args.at(0));
            d.font = QuotedText(args.at(1));
        } else if (keyword == "CONTROL" || keyword == "EDITTEXT" || plain.count(keyword)) {
            // CONTROL text, id, class, style, x, y, cx, cy; EDITTEXT id, x, y,
            // cx, cy, ...; the others text, id, x, y, cx, cy, ...
            const size_t at = keyword == "CONTROL" ? 4 : keyword == "EDITTEXT" ? 1 : 2;
            ScriptControl c;
            c.id = ControlId(args.at(keyword == "EDITTEXT" ? 0 : 1));
            c.text = keyword == "EDITTEXT" ? "" : QuotedText(args.at(0));
            c.x = std::stoi(args.at(at));
            c.y = std::stoi(args.at(at + 1));
            c.cx = std::stoi(args.at(at + 2));
            c.cy = std::stoi(args.at(at + 3));
            d.controls.push_back(c);
        }
    }
    return d;
}

// What a control must be for the dialog code: its id, class, kind (the
// style's type field) and the further style bits it relies on.  Text and
// place are the script's.
struct Expected {
    int id;
    const char* cls;
    int kind;        // style & type mask of the class, -1 not looked at
    DWORD bits;      // must all be set
};

constexpr int kNone = -1;
constexpr DWORD kTrackbarStyle = TBS_HORZ | TBS_NOTICKS | TBS_BOTH | WS_TABSTOP;

int KindOf(const TemplateControl& c) {
    if (c.cls == "button") return static_cast<int>(c.style & BS_TYPEMASK);
    if (c.cls == "static") return static_cast<int>(c.style & SS_TYPEMASK);
    return -1;
}

// The compiled template `t` of the script's dialog `name`: as the script
// lays it out, with the controls the code expects.
void ExpectDialog(const char* name, const DialogTemplate& t, const std::vector<Expected>& controls) {
    const ScriptDialog script = ScriptDialogNamed(name);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(t.style & frame, frame) << name;
    EXPECT_FALSE(t.style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD)) << name;
    EXPECT_EQ(t.x, script.x) << name;
    EXPECT_EQ(t.y, script.y) << name;
    EXPECT_EQ(t.cx, script.cx) << name;
    EXPECT_EQ(t.cy, script.cy) << name;
    EXPECT_FALSE(script.caption.empty()) << name;
    EXPECT_EQ(t.caption, script.caption) << name;
    EXPECT_FALSE(script.font.empty()) << name;
    EXPECT_EQ(t.font, script.font) << name;
    EXPECT_EQ(t.points, script.points) << name;
    ASSERT_EQ(script.controls.size(), controls.size()) << name;
    ASSERT_EQ(t.controls.size(), controls.size()) << name;
    for (size_t i = 0; i < controls.size(); ++i) {
        const TemplateControl& got = t.controls[i];
        const Expected& want = controls[i];
        const ScriptControl& stated = script.controls[i];
        const std::string where = std::string(name) + " control " + std::to_string(i) + " (" + stated.text + ")";
        EXPECT_EQ(stated.id, want.id) << where;
        EXPECT_EQ(got.id, want.id) << where;
        EXPECT_EQ(got.cls, want.cls) << where;
        if (want.kind != kNone) {
            EXPECT_EQ(KindOf(got), want.kind) << where;
        }
        EXPECT_EQ(got.style & want.bits, want.bits) << where;
        EXPECT_EQ(got.style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE)) << where;
        // Only the "&Jacks or Better" box starts disabled.
        EXPECT_EQ((got.style & WS_DISABLED) != 0, want.id == IDC_OPT_JACKS) << where;
        if (got.cls == "static" && (got.style & SS_TYPEMASK) == SS_ICON) {
            // An icon is named like any resource, without regard to case.
            EXPECT_EQ(Lower(got.text), Lower(stated.text)) << where;
        } else {
            EXPECT_EQ(got.text, stated.text) << where;
        }
        EXPECT_EQ(got.x, stated.x) << where;
        EXPECT_EQ(got.y, stated.y) << where;
        EXPECT_EQ(got.cx, stated.cx) << where;
        EXPECT_EQ(got.cy, stated.cy) << where;
    }
    // Exactly one default push button, and it is OK.
    int defaults = 0;
    for (const TemplateControl& c : t.controls)
        if (c.cls == "button" && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            ++defaults;
            EXPECT_EQ(c.id, IDOK) << name;
        }
    EXPECT_EQ(defaults, 1) << name;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Creates the dialog as the program would (hidden, modeless so that no
// loop has to be closed) and checks that every control came up live.
void ExpectDialogCreates(const char* name, const DialogTemplate& t) {
    HWND dialog = CreateDialogParamA(Module(), name, nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << name;
    EXPECT_FALSE(IsWindowVisible(dialog)) << name << " must stay hidden until its opening zoom";
    EXPECT_NE(SendMessageA(dialog, WM_GETFONT, 0, 0), 0) << name;
    EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDOK) << name;
    size_t i = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++i) {
        ASSERT_LT(i, t.controls.size()) << name;
        const TemplateControl& c = t.controls[i];
        std::string cls = PredefinedClass(ClassNameOf(child));
        EXPECT_EQ(cls, c.cls) << name << " control " << i;
        EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, c.id & 0xFFFF) << name << " control " << i;
        // Pictures are found by name in the program's own resources.
        if (cls == "static" && (c.style & SS_TYPEMASK) == SS_ICON) {
            EXPECT_NE(SendMessageA(child, STM_GETICON, 0, 0), 0) << name << " icon " << c.text;
        }
        if (cls == "static" && (c.style & SS_TYPEMASK) == SS_BITMAP) {
            EXPECT_NE(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << name << " picture " << c.text;
        }
    }
    EXPECT_EQ(i, t.controls.size()) << name;
    DestroyWindow(dialog);
}

TEST(Dialogs, OptionsDialogLaysOutItsControls) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(MAKEINTRESOURCEA(IDD_OPTIONS), &t));
    ExpectDialog("IDD_OPTIONS", t, {
        {kNone, "static", SS_ETCHEDFRAME, 0},
        {IDC_DECK_GROUP, "button", BS_GROUPBOX, 0},
        {IDC_BACK_SLIDER, "msctls_trackbar32", kNone, kTrackbarStyle},
        {kNone, "button", BS_GROUPBOX, 0},
        {IDC_COLOR_SWATCH, "static", SS_BLACKFRAME, SS_SUNKEN},
        {IDC_SET_COLOR, "button", BS_PUSHBUTTON, 0},
        {kNone, "button", BS_GROUPBOX, 0},
        {IDC_OPT_SOUND, "button", BS_AUTOCHECKBOX, 0},
        {IDC_OPT_WILD, "button", BS_AUTOCHECKBOX, 0},
        {IDC_OPT_JACKS, "button", BS_AUTOCHECKBOX, WS_DISABLED},
        {IDC_OPT_CONFIRM, "button", BS_AUTOCHECKBOX, 0},
        {IDOK, "button", BS_DEFPUSHBUTTON, 0},
        {IDCANCEL, "button", BS_PUSHBUTTON, 0},
    });
    EXPECT_FALSE(t.controls[2].style & (TBS_VERT | TBS_AUTOTICKS)) << "the slider lies flat, without ticks";
    InitCommonControls();
    ExpectDialogCreates(MAKEINTRESOURCEA(IDD_OPTIONS), t);
}

TEST(Dialogs, StatisticsDialogHasAFieldPerCounterAndHand) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate("StatsDlg", &t));
    std::vector<Expected> controls = {
        {IDOK, "button", BS_DEFPUSHBUTTON, 0},
        {kNone, "static", SS_ETCHEDFRAME, 0},
        {kNone, "static", SS_ICON, 0},
        {kNone, "static", SS_RIGHT, 0},
        {IDC_STAT_GAMES, "static", SS_CENTER, 0},
        {kNone, "static", SS_RIGHT, 0},
        {IDC_STAT_COINS_PLAYED, "static", SS_CENTER, 0},
        {kNone, "static", SS_RIGHT, 0},
        {IDC_STAT_COINS_WON, "static", SS_CENTER, 0},
        {kNone, "static", SS_RIGHT, 0},
        {IDC_STAT_BUSTED, "static", SS_CENTER, 0},
        {kNone, "button", BS_GROUPBOX, 0},
    };
    // A label and a field for each winning hand, in the categories' order.
    for (int c = 1; c < kHandCategoryCount; ++c) {
        controls.push_back({kNone, "static", SS_RIGHT, 0});
        controls.push_back({IDC_STAT_HAND0 + c, "static", SS_LEFT, 0});
    }
    ExpectDialog("StatsDlg", t, controls);
    // Each field stands on its label's line, right of it.
    for (size_t i = 3; i + 1 < t.controls.size(); i += 2) {
        if (i == 11) ++i;       // the group box
        EXPECT_EQ(t.controls[i].y, t.controls[i + 1].y) << i;
        EXPECT_LE(t.controls[i].x + t.controls[i].cx, t.controls[i + 1].x) << i;
    }
    ExpectDialogCreates("StatsDlg", t);
}

TEST(Dialogs, HelpDialogHasItsPagingControls) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate("HelpDlg", &t));
    ExpectDialog("HelpDlg", t, {
        {IDC_HELP_CAPTION, "static", SS_LEFT, 0},
        {IDC_HELP_COUNTER, "static", SS_LEFT, 0},
        {IDC_HELP_FRAME, "static", SS_ETCHEDFRAME, 0},
        {IDC_HELP_TEXT, "edit", kNone, ES_MULTILINE | WS_VSCROLL | WS_BORDER},
        {kNone, "static", SS_ICON, 0},
        {IDC_HELP_PREV, "button", BS_PUSHBUTTON, 0},
        {IDC_HELP_NEXT, "button", BS_PUSHBUTTON, 0},
        {IDOK, "button", BS_DEFPUSHBUTTON, 0},
    });
    EXPECT_FALSE(t.controls[3].style & WS_TABSTOP) << "the text box is no tab stop";
    ExpectDialogCreates("HelpDlg", t);
}

TEST(Dialogs, PayoffAndAboutDialogs) {
    DialogTemplate payoff;
    ASSERT_TRUE(ReadDialogTemplate("PayoffDlg", &payoff));
    ExpectDialog("PayoffDlg", payoff, {
        {IDOK, "button", BS_DEFPUSHBUTTON, 0},
    });
    ExpectDialogCreates("PayoffDlg", payoff);

    DialogTemplate about;
    ASSERT_TRUE(ReadDialogTemplate("AboutDlg", &about));
    ASSERT_EQ(about.controls.size(), 9u);
    // The three credits lines are ours; they must say something.
    for (size_t line = 4; line <= 6; ++line) EXPECT_FALSE(about.controls[line].text.empty()) << line;
    ExpectDialog("AboutDlg", about, {
        {IDOK, "button", BS_DEFPUSHBUTTON, 0},
        {kNone, "static", SS_ICON, 0},
        {kNone, "static", SS_ETCHEDFRAME, 0},
        {IDC_ABOUT_TITLE, "static", SS_LEFT, 0},
        {IDC_ABOUT_LINE1, "static", SS_LEFT, 0},
        {IDC_ABOUT_LINE2, "static", SS_LEFT, 0},
        {IDC_ABOUT_LINE3, "static", SS_LEFT, 0},
        {kNone, "static", SS_ICON, 0},
        {kNone, "static", SS_BITMAP, 0},
    });
    EXPECT_EQ(about.controls[3].text, kGameCaption) << "the About box names the game as its window does";
    ExpectDialogCreates("AboutDlg", about);
}

}  // namespace
