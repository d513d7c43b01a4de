// The resource file reader and the template decoders, against the .res
// compiled from quorvel.rc: what they decode must be what the script and
// resource_ids.h say, read from those two files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "tools/generators/webgen/page_ids.h"
#include "tools/generators/webgen/web_page.h"

using namespace webgen;

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

const std::vector<std::string>& Script() {
    static const std::vector<std::string> lines = Lines(QUORVEL_SOURCE_DIR "/resources/quorvel.rc");
    return lines;
}

// The numbers resource_ids.h defines, by name.
const std::map<std::string, int>& Ids() {
    static const std::map<std::string, int> ids = [] {
        std::map<std::string, int> out;
        std::regex define(R"(^#define\s+(\w+)\s+(\d+))");
        std::smatch m;
        for (const std::string& line : Lines(QUORVEL_SOURCE_DIR "/resources/resource_ids.h"))
            if (std::regex_search(line, m, define)) out[m[1]] = std::stoi(m[2]);
        return out;
    }();
    return ids;
}

int Id(const std::string& name) {
    auto found = Ids().find(name);
    EXPECT_NE(found, Ids().end()) << name;
    return found == Ids().end() ? -1 : found->second;
}

// A line's first word: the statement it starts.
std::string FirstWord(const std::string& line) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) return "";
    return line.substr(start, line.find_first_of(" \t,", start) - start);
}

// The script's lines from the one that matches `header` to its closing END.
std::vector<std::string> Block(const std::regex& header) {
    std::vector<std::string> block;
    int depth = 0;
    for (const std::string& line : Script()) {
        if (block.empty() && !std::regex_search(line, header)) continue;
        block.push_back(line);
        if (FirstWord(line) == "BEGIN") ++depth;
        if (FirstWord(line) == "END" && --depth == 0) break;
    }
    return block;
}

const std::vector<Resource>& Resources() {
    static const std::vector<Resource> resources = [] {
        std::vector<Resource> out;
        EXPECT_TRUE(ReadResFile(ReadBytes(QUORVEL_RES_FILE), &out));
        return out;
    }();
    return resources;
}

const ResourceTables& Tables() {
    static const ResourceTables tables = [] {
        ResourceTables out;
        std::string error;
        EXPECT_TRUE(DecodeTables(Resources(), &out, &error)) << error;
        return out;
    }();
    return tables;
}

const std::vector<MenuItem>& MainMenu() {
    static const std::vector<MenuItem> none;
    EXPECT_EQ(Tables().menus.size(), 1u);
    return Tables().menus.empty() ? none : Tables().menus[0].second;
}

void Flatten(const std::vector<MenuItem>& items, std::vector<const MenuItem*>* out) {
    for (const MenuItem& item : items) {
        out->push_back(&item);
        Flatten(item.items, out);
    }
}

std::string Quoted(const std::string& line) {
    size_t open = line.find('"'), close = line.find('"', open + 1);
    return open == std::string::npos || close == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
}

std::string Utf8(const std::u16string& text) { return ToUtf8(text); }

// MF_END closes each level of a menu on its last item, and only there.
void ExpectEndOnLastItemOnly(const std::vector<MenuItem>& level) {
    for (size_t i = 0; i < level.size(); ++i) {
        EXPECT_EQ(bool(level[i].flags & kMfEnd), i + 1 == level.size()) << Utf8(level[i].text);
        ExpectEndOnLastItemOnly(level[i].items);
    }
}

}  // namespace

TEST(WebResources, EveryStringOfTheScriptDecodesUnderItsId) {
    std::vector<std::string> block = Block(std::regex("^STRINGTABLE"));
    std::regex entry(R"re(^\s+(\w+)\s+"(.*)"\s*$)re");
    std::smatch m;
    int entries = 0;
    for (const std::string& line : block) {
        if (!std::regex_search(line, m, entry)) continue;
        ++entries;
        if (!Ids().count(m[1])) continue;   // SC_ commands are Windows' numbers
        auto found = Tables().strings.find(Id(m[1]));
        ASSERT_NE(found, Tables().strings.end()) << m[1];
        EXPECT_EQ(Utf8(found->second), m[2].str()) << m[1];
    }
    EXPECT_GT(entries, 20);
    EXPECT_EQ(int(Tables().strings.size()), entries);
    // The status line shows nothing for the system menu's popup.
    EXPECT_EQ(Tables().strings.count(Id("IDS_SYSMENU_POPUP")), 0u);
}

TEST(WebResources, EveryMenuCommandHasHelpTextAndAMenuItem) {
    std::vector<const MenuItem*> items;
    Flatten(MainMenu(), &items);
    std::set<int> commands;
    for (const MenuItem* item : items)
        if (!(item->flags & kMfPopup) && !item->separator) commands.insert(item->id);
    int menuIds = 0;
    for (const auto& [name, id] : Ids()) {
        if (name.rfind("IDM_", 0) != 0) continue;
        ++menuIds;
        EXPECT_EQ(Tables().strings.count(id), 1u) << name;
        EXPECT_EQ(commands.count(id), 1u) << name;
    }
    EXPECT_EQ(int(commands.size()), menuIds);
}

TEST(WebResources, MenuHasTheScriptsItemsInOrderWithTheirFlags) {
    std::vector<const MenuItem*> items;
    Flatten(MainMenu(), &items);
    size_t next = 0;
    std::regex command(R"re(MENUITEM\s+"([^"]*)",\s*(\w+))re");
    std::smatch m;
    for (const std::string& line : Block(std::regex(R"(^\w+\s+MENU\b)"))) {
        bool popup = line.find("POPUP") != std::string::npos;
        bool separator = line.find("MENUITEM SEPARATOR") != std::string::npos;
        bool item = std::regex_search(line, m, command);
        if (!popup && !separator && !item) continue;
        ASSERT_LT(next, items.size()) << line;
        const MenuItem& decoded = *items[next++];
        EXPECT_EQ(decoded.separator, separator) << line;
        EXPECT_EQ(bool(decoded.flags & kMfPopup), popup) << line;
        if (!separator) {
            EXPECT_EQ(Utf8(decoded.text), Quoted(line)) << line;
        }
        if (item) {
            EXPECT_EQ(decoded.id, Id(m[2])) << line;
        }
        // HELP puts a popup at the right end of the bar.
        EXPECT_EQ(bool(decoded.flags & 0x4000), line.find(", HELP") != std::string::npos) << line;
    }
    EXPECT_EQ(next, items.size());
    ExpectEndOnLastItemOnly(MainMenu());
}

TEST(WebResources, AcceleratorsGiveTheScriptsCommandsAndKeys) {
    ASSERT_EQ(Tables().accelerators.size(), 1u);
    const std::vector<Accelerator>& table = Tables().accelerators[0].second;
    std::regex entry(R"(^\s+(\S+),\s*(\w+),\s*(\w+))");
    std::smatch m;
    size_t next = 0;
    for (const std::string& line : Block(std::regex(R"(^\w+\s+ACCELERATORS)"))) {
        if (!std::regex_search(line, m, entry)) continue;
        ASSERT_LT(next, table.size()) << line;
        const Accelerator& a = table[next++];
        EXPECT_EQ(a.command, Id(m[2])) << line;
        EXPECT_EQ(bool(a.flags & 1), m[3] == "VIRTKEY") << line;                 // FVIRTKEY
        EXPECT_TRUE(a.flags & 2) << line;                                         // FNOINVERT
        std::string key = m[1];
        if (key[0] == '"') {
            EXPECT_EQ(a.key, key[1]) << line;
        }
        if (key.rfind("VK_F", 0) == 0) {
            EXPECT_EQ(a.key, 0x6F + std::stoi(key.substr(4))) << line;
        }
    }
    EXPECT_EQ(next, table.size());
    for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(bool(table[i].flags & kAccelLast), i + 1 == table.size());
}

// Each DIALOG of the script: its place, caption and font, and each control's
// id and class in order.
TEST(WebResources, DialogsAreTheScriptsLayouts) {
    const std::map<std::string, const char*> classes = {
        {"PUSHBUTTON", "button"}, {"DEFPUSHBUTTON", "button"}, {"AUTOCHECKBOX", "button"},
        {"GROUPBOX", "button"},   {"LTEXT", "static"},         {"RTEXT", "static"},
        {"CTEXT", "static"},      {"ICON", "static"},          {"EDITTEXT", "edit"},
        {"CONTROL", nullptr}};
    std::regex header(R"(^(\w+)\s+DIALOG\s+(\d+),\s*(\d+),\s*(\d+),\s*(\d+))");
    std::regex font(R"re(^FONT\s+(\d+),\s*"([^"]*)")re");
    std::regex id(R"(\b(IDC_\w+|IDOK|IDCANCEL)(\s*\+\s*(\d+))?)");
    std::smatch m;
    int dialogs = 0;
    for (const std::string& first : Script()) {
        if (!std::regex_search(first, m, header)) continue;
        ++dialogs;
        std::string name = m[1];
        std::string key = Ids().count(name) ? std::to_string(Id(name)) : name;
        for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
        const Dialog* d = nullptr;
        for (const auto& [dialogName, dialog] : Tables().dialogs)
            if (dialogName == key) d = &dialog;
        ASSERT_NE(d, nullptr) << name;
        EXPECT_EQ(d->x, std::stoi(m[2])) << name;
        EXPECT_EQ(d->y, std::stoi(m[3])) << name;
        EXPECT_EQ(d->cx, std::stoi(m[4])) << name;
        EXPECT_EQ(d->cy, std::stoi(m[5])) << name;
        size_t next = 0;
        for (const std::string& line : Block(std::regex("^" + name + R"(\s+DIALOG)"))) {
            if (line.rfind("CAPTION", 0) == 0) {
                EXPECT_EQ(Utf8(d->title), Quoted(line)) << name;
            }
            if (std::regex_search(line, m, font)) {
                EXPECT_TRUE(d->hasFont) << name;
                EXPECT_EQ(d->points, std::stoi(m[1])) << name;
                EXPECT_EQ(Utf8(d->face), m[2].str()) << name;
            }
            auto kind = classes.find(FirstWord(line));
            if (kind == classes.end()) continue;
            ASSERT_LT(next, d->controls.size()) << line;
            const DialogControl& c = d->controls[next++];
            int expected = 0xFFFF;   // -1, in 16 bits
            if (std::regex_search(line, m, id)) {
                expected = m[1] == "IDOK" ? 1 : m[1] == "IDCANCEL" ? 2 : Id(m[1]);
                if (m[3].matched) expected += std::stoi(m[3]);
            }
            EXPECT_EQ(c.id, expected) << line;
            if (kind->second) {
                EXPECT_STREQ(c.className.isNumber ? PredefinedClassName(c.className.number) : "",
                             kind->second) << line;
            } else {
                EXPECT_FALSE(c.className.isNumber) << line;
            }
        }
        EXPECT_EQ(next, d->controls.size()) << name;
    }
    EXPECT_EQ(dialogs, int(Tables().dialogs.size()));
}

TEST(WebResources, ReaderRefusesAFileCutShort) {
    std::vector<uint8_t> bytes = ReadBytes(QUORVEL_RES_FILE);
    std::vector<Resource> all;
    ASSERT_TRUE(ReadResFile(bytes, &all));
    ASSERT_GT(all.size(), 50u);
    // Cut inside the second entry's header, then inside its data.
    for (size_t cut : {size_t(32 + 12), size_t(32 + 100)}) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
        std::vector<Resource> some;
        EXPECT_FALSE(ReadResFile(part, &some)) << cut;
    }
    // A menu or dialog that runs past its data.
    for (const Resource& r : all) {
        std::vector<uint8_t> half(r.data.begin(), r.data.begin() + long(r.data.size() / 2));
        std::vector<MenuItem> items;
        Dialog d;
        if (IsType(r, kRtMenu)) {
            EXPECT_FALSE(DecodeMenu(half, &items));
        }
        if (IsType(r, kRtDialog)) {
            EXPECT_FALSE(DecodeDialog(half, &d)) << NameKey(r.name);
        }
    }
}

TEST(WebResources, TextReachesTheModuleAsEscapedUtf8) {
    EXPECT_EQ(JsonString("say \"hi\"\\\n\t\x1f"), "\"say \\\"hi\\\"\\\\\\u000a\\u0009\\u001f\"");
    EXPECT_EQ(ToUtf8(u"\u00e9\u20ac"), "\xc3\xa9\xe2\x82\xac");
    EXPECT_EQ(ToUtf8(u"\U0001F0A1"), "\xf0\x9f\x82\xa1");   // a surrogate pair
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");
}

// ids.js holds every number of resource_ids.h under its own name, and no
// other plain constant.
TEST(WebResources, IdsModuleNamesEveryIdOfTheHeader) {
    std::ifstream in(QUORVEL_SOURCE_DIR "/resources/resource_ids.h");
    std::istringstream js(PageIdsJs(std::string(std::istreambuf_iterator<char>(in), {})));
    std::map<std::string, int> exported;
    std::regex constant(R"(^export const (\w+) = (-?\d+);$)");
    std::smatch m;
    for (std::string line; std::getline(js, line);) {
        if (std::regex_match(line, m, constant)) {
            EXPECT_TRUE(exported.emplace(m[1], std::stoi(m[2])).second) << line;
        }
    }
    EXPECT_EQ(exported, Ids());
}
