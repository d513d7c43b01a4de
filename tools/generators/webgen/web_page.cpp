#include "tools/generators/webgen/web_page.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "tools/generators/cardgen/cards.h"
#include "tools/generators/webgen/png_file.h"
#include "tools/generators/webgen/web_art.h"

namespace webgen {
namespace {

// The settings keep CardBack in 1..16, so the page never shows Back17.
const int kReachableBacks = 16;
const int kSheetColumns = 13;
// Clear pixels between the cards of the sheet, so that a scaled card never
// takes colour from its neighbour.
const int kSheetGutter = 2;
// The table flood-fills this badge's ground, from (1, 1), with its colour.
const char* const kFloodedBitmap = "AMOUNT";
// The window's icon is the page's too, and the web app manifest wants it at
// 192 and 512 pixels.
const char* const kAppIcon = "QUORVELICON";
const int kAppIconScales[] = {6, 16};
// IDR_HAND_CURSOR of the .rc: a number, so its file cannot be found by name.
const char* const kCursorFile = "hand.cur";
const int kIconSize = 32, kSmallIconSize = 16;

bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string Upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Stem(const std::string& file) { return file.substr(0, file.rfind('.')); }

// The letters before a name's trailing number, and the number.
std::pair<std::string, int> NaturalKey(const std::string& name) {
    size_t end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1]))) --end;
    return {name.substr(0, end), end < name.size() ? std::stoi(name.substr(end)) : 0};
}

// The resource file holds names in upper case; the generators' files carry
// them as the .rc spells them.  Each folder's files by their upper-case name.
bool ListFolder(const std::string& dir, std::map<std::string, std::string>* files) {
    std::error_code failure;
    for (const auto& entry : std::filesystem::directory_iterator(dir, failure)) {
        std::string name = entry.path().filename().string();
        (*files)[Upper(name)] = name;
    }
    return !failure;
}

struct Builder {
    const WebInputs& in;
    WebPage* page;
    std::string* error;
    std::map<std::string, std::string> art, waves;

    bool Fail(const std::string& what) {
        *error = what;
        return false;
    }

    // The file of a resource's name with `extension` (upper case) in `folder`.
    bool Find(const std::map<std::string, std::string>& folder, const std::string& name,
              const std::string& extension, std::string* file) {
        auto found = folder.find(name + extension);
        if (found == folder.end()) return Fail("no file for the resource " + name + extension);
        *file = found->second;
        return true;
    }

    bool AddPng(const std::string& name, const std::string& file, const Picture& picture,
                PictureFile* described) {
        WebFile out{file, {}};
        if (!EncodePng(picture, &out.bytes)) return Fail("cannot encode " + file);
        page->files.push_back(out);
        *described = PictureFile{name, file, picture.width, picture.height};
        return true;
    }

    bool Bitmaps(const std::vector<Resource>& resources) {
        std::vector<std::pair<std::string, Picture>> cards;
        for (const Resource& r : resources) {
            if (!IsType(r, kRtBitmap)) continue;
            std::string name = NameKey(r.name), file;
            std::vector<uint8_t> bytes;
            Picture picture;
            if (!Find(art, name, ".BMP", &file)) return false;
            if (!ReadFile(in.artDir + "/" + file, &bytes) || !DecodeBmp(bytes, &picture))
                return Fail("cannot read " + file);
            // The resource is the file without its 14-byte header; anything
            // else means the .res is older than the pictures.
            if (!std::equal(bytes.begin() + 14, bytes.end(), r.data.begin(), r.data.end()))
                return Fail(file + " is not the bitmap the resource file holds");
            std::string stem = Stem(file);
            if (picture.width == cards::kCardWidth && picture.height == cards::kCardHeight) {
                auto key = NaturalKey(Upper(stem));
                if (key.first == "BACK" && key.second > kReachableBacks) continue;
                ClearCardCorners(&picture);
                cards.push_back({stem, picture});
                continue;
            }
            if (name == kFloodedBitmap) ClearFloodArea(&picture, 1, 1);
            page->pictures.push_back({});
            if (!AddPng(stem, stem + ".png", picture, &page->pictures.back())) return false;
        }
        std::sort(cards.begin(), cards.end(), [](const auto& a, const auto& b) {
            return NaturalKey(Upper(a.first)) < NaturalKey(Upper(b.first));
        });
        std::vector<Picture> pictures;
        for (const auto& card : cards) pictures.push_back(card.second);
        Picture sheet;
        std::vector<std::pair<int, int>> places;
        if (!LayOutSheet(pictures, kSheetColumns, kSheetGutter, &sheet, &places))
            return Fail("the cards differ in size or palette");
        for (size_t i = 0; i < cards.size(); ++i)
            page->cards.push_back({cards[i].first, places[i].first, places[i].second});
        page->cardWidth = cards::kCardWidth;
        page->cardHeight = cards::kCardHeight;
        return AddPng("cards", "cards.png", sheet, &page->sheet);
    }

    bool Icons(const std::vector<Resource>& resources) {
        for (const Resource& r : resources) {
            if (!IsType(r, kRtGroupIcon)) continue;
            std::string name = NameKey(r.name), file;
            std::vector<uint8_t> bytes;
            Picture large, small;
            int hotX, hotY;
            if (!Find(art, name, ".ICO", &file)) return false;
            if (!ReadFile(in.artDir + "/" + file, &bytes) ||
                !DecodeIconFile(bytes, kIconSize, &large, &hotX, &hotY))
                return Fail("cannot read the 32 x 32 image of " + file);
            std::string stem = Stem(file);
            std::vector<PictureFile> images;
            auto add = [&](const Picture& picture) {
                images.push_back({});
                return AddPng(stem, stem + "-" + std::to_string(picture.width) + ".png", picture,
                              &images.back());
            };
            if (DecodeIconFile(bytes, kSmallIconSize, &small, &hotX, &hotY) && !add(small)) return false;
            if (!add(large)) return false;
            if (name == kAppIcon)
                for (int factor : kAppIconScales)
                    if (!add(ScaleUp(large, factor))) return false;
            page->icons.push_back({stem, images});
        }
        return true;
    }

    bool Cursor() {
        std::vector<uint8_t> bytes;
        Picture picture;
        if (!ReadFile(in.artDir + "/" + kCursorFile, &bytes) ||
            !DecodeIconFile(bytes, kIconSize, &picture, &page->hotX, &page->hotY))
            return Fail(std::string("cannot read ") + kCursorFile);
        return AddPng(Stem(kCursorFile), Stem(kCursorFile) + ".png", picture, &page->cursor);
    }

    bool Sounds(const std::vector<Resource>& resources) {
        for (const Resource& r : resources) {
            if (!IsType(r, "WAVE")) continue;
            std::string name = NameKey(r.name), file;
            WebFile out;
            if (!Find(waves, name, ".WAV", &file)) return false;
            if (!ReadFile(in.waveDir + "/" + file, &out.bytes)) return Fail("cannot read " + file);
            if (out.bytes != r.data) return Fail(file + " is not the wave the resource file holds");
            out.path = "sounds/" + file;
            page->files.push_back(out);
            page->sounds.push_back({name, out.path});
        }
        return true;
    }

    bool Font(const std::string& path, std::string* file) {
        WebFile out;
        if (!ReadFile(path, &out.bytes)) return Fail("cannot read " + path);
        out.path = "fonts/" + std::filesystem::path(path).filename().string();
        *file = out.path;
        page->files.push_back(out);
        return true;
    }
};

}  // namespace

bool BuildWebPage(const WebInputs& in, WebPage* page, std::string* error) {
    *page = WebPage();
    Builder b{in, page, error, {}, {}};
    std::vector<uint8_t> bytes;
    std::vector<Resource> resources;
    if (!ReadFile(in.resFile, &bytes) || !ReadResFile(bytes, &resources))
        return b.Fail("cannot read the resource file " + in.resFile);
    if (!ListFolder(in.artDir, &b.art) || !ListFolder(in.waveDir, &b.waves))
        return b.Fail("cannot list " + in.artDir + " or " + in.waveDir);
    return DecodeTables(resources, &page->tables, error) && b.Bitmaps(resources) && b.Icons(resources) &&
           b.Cursor() && b.Sounds(resources) && b.Font(in.regularFont, &page->regularFont) &&
           b.Font(in.boldFont, &page->boldFont);
}

}  // namespace webgen
