// Everything the browser edition loads, made from the game's compiled
// resources and the generators' files: the tables of resources.js, the
// pictures as PNG files, the sounds and the fonts.  Computed whole in
// memory; webgen.cpp only writes it out.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/generators/webgen/resource_data.h"

namespace webgen {

struct WebInputs {
    std::string resFile;        // the compiled quorvel.rc
    std::string artDir;         // the BMP, icon and cursor files
    std::string waveDir;
    std::string regularFont, boldFont;
};

// A file of the page, its path relative to the page's folder.
struct WebFile {
    std::string path;
    std::vector<uint8_t> bytes;
};

struct PictureFile {
    std::string name;           // the bitmap's name as the .rc spells it
    std::string file;
    int width = 0, height = 0;
};

struct SheetPlace {
    std::string name;
    int x = 0, y = 0;
};

struct WebPage {
    ResourceTables tables;
    PictureFile sheet;
    int cardWidth = 0, cardHeight = 0;
    std::vector<SheetPlace> cards;
    std::vector<PictureFile> pictures;      // the bitmaps that are no card
    // Each icon's images, smallest first.
    std::vector<std::pair<std::string, std::vector<PictureFile>>> icons;
    PictureFile cursor;
    int hotX = 0, hotY = 0;
    std::vector<std::pair<std::string, std::string>> sounds;    // resource name, file
    std::string regularFont, boldFont;
    std::vector<WebFile> files;             // every file but resources.js
};

bool BuildWebPage(const WebInputs& inputs, WebPage* page, std::string* error);

// resources.js: an ES module holding the tables as one JSON object.
std::string ResourcesJs(const WebPage& page);
// A JSON string of UTF-8 text: quoted, with quotes, backslashes and control
// characters escaped.
std::string JsonString(const std::string& text);

}  // namespace webgen
