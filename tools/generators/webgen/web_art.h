// The game's pictures as the page gets them: read from the generators'
// BMP, icon and cursor files with each file's own palette, so the page
// shows the very colours the game does, and the parts the game paints over
// marked transparent.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "tools/generators/canvas/canvas.h"

namespace webgen {

constexpr int kClear = -1;

struct Picture {
    int width = 0, height = 0;
    std::vector<canvas::Rgb> palette;
    std::vector<int> pixels;    // top row first: palette indices, or kClear

    int At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    void Put(int x, int y, int value) { pixels[size_t(y) * size_t(width) + size_t(x)] = value; }
};

// An uncompressed 1-, 4- or 8-bit BMP file.
bool DecodeBmp(const std::vector<uint8_t>& file, Picture* picture);
// The size x size image of an icon or cursor file, clear where its AND mask
// is set; a cursor file's directory gives the hot spot.
bool DecodeIconFile(const std::vector<uint8_t>& file, int size, Picture* picture, int* hotX, int* hotY);

// The twelve pixels outside a card's rounded outline.
void ClearCardCorners(Picture* card);
// The 4-connected area of (x, y)'s colour around (x, y): what the game
// flood-fills with the table colour.
void ClearFloodArea(Picture* picture, int x, int y);
// Nearest-neighbour scaling by a whole factor.
Picture ScaleUp(const Picture& picture, int factor);

// One picture of the pictures laid out in rows of `columns`, `gutter` clear
// pixels between neighbours; `places` gets each one's top-left corner.  All
// must be of one size and one palette.
bool LayOutSheet(const std::vector<Picture>& pictures, int columns, int gutter, Picture* sheet,
                 std::vector<std::pair<int, int>>* places);

}  // namespace webgen
