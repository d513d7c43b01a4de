#include "tools/generators/webgen/web_art.h"

#include "tools/generators/cardgen/cards.h"
#include "tools/generators/webgen/res_file.h"

namespace webgen {
namespace {

const size_t kFileHeaderSize = 14;
const size_t kInfoHeaderSize = 40;
// Larger pictures than this are no picture of ours: refuse them rather than
// allocate whatever a damaged header asks for.
const int kMaxSide = 4096;

size_t Stride(int width, int bits) { return size_t((width * bits + 31) / 32) * 4; }

// A device-independent bitmap at `at`: header, palette and colour bits at
// `bitsAt` (0: right after the palette); an icon's DIB has the AND mask after
// the colour bits and counts both in its height.
bool DecodeDib(const std::vector<uint8_t>& bytes, size_t at, size_t bitsAt, bool withMask, Picture* picture) {
    if (at + kInfoHeaderSize > bytes.size() || Get32(bytes, at) < kInfoHeaderSize) return false;
    int32_t width = int32_t(Get32(bytes, at + 4));
    int32_t height = int32_t(Get32(bytes, at + 8));
    int bits = Get16(bytes, at + 14);
    uint32_t colours = Get32(bytes, at + 32);
    if (height < -kMaxSide) return false;
    bool topDown = height < 0 && !withMask;
    if (topDown) height = -height;
    if (withMask) height /= 2;
    if (Get32(bytes, at + 16) != 0 || (bits != 1 && bits != 4 && bits != 8)) return false;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    if (colours == 0 || colours > (1u << bits)) colours = 1u << bits;
    size_t paletteAt = at + Get32(bytes, at);
    if (paletteAt + 4 * colours > bytes.size()) return false;
    if (bitsAt == 0) bitsAt = paletteAt + 4 * colours;
    size_t stride = Stride(width, bits), maskAt = bitsAt + stride * size_t(height);
    size_t end = withMask ? maskAt + Stride(width, 1) * size_t(height) : maskAt;
    if (end > bytes.size()) return false;

    Picture out;
    out.width = width;
    out.height = height;
    for (uint32_t i = 0; i < colours; ++i) {
        size_t c = paletteAt + 4 * i;
        out.palette.push_back(canvas::Rgb{bytes[c + 2], bytes[c + 1], bytes[c]});
    }
    out.pixels.assign(size_t(width) * size_t(height), 0);
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        size_t line = bitsAt + stride * size_t(row), maskLine = maskAt + Stride(width, 1) * size_t(row);
        for (int x = 0; x < width; ++x) {
            int bit = x * bits;
            int index = bytes[line + size_t(bit / 8)] >> (8 - bits - bit % 8) & ((1 << bits) - 1);
            if (index >= int(colours)) return false;
            bool clear = withMask && (bytes[maskLine + size_t(x / 8)] & (0x80 >> (x % 8)));
            out.Put(x, y, clear ? kClear : index);
        }
    }
    *picture = out;
    return true;
}

bool SamePalette(const Picture& a, const Picture& b) {
    if (a.palette.size() != b.palette.size()) return false;
    for (size_t i = 0; i < a.palette.size(); ++i)
        if (a.palette[i].r != b.palette[i].r || a.palette[i].g != b.palette[i].g ||
            a.palette[i].b != b.palette[i].b)
            return false;
    return true;
}

}  // namespace

bool DecodeBmp(const std::vector<uint8_t>& file, Picture* picture) {
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') return false;
    size_t bitsAt = Get32(file, 10);
    return bitsAt >= kFileHeaderSize + kInfoHeaderSize &&
           DecodeDib(file, kFileHeaderSize, bitsAt, false, picture);
}

bool DecodeIconFile(const std::vector<uint8_t>& file, int size, Picture* picture, int* hotX, int* hotY) {
    if (file.size() < 6 || Get16(file, 0) != 0) return false;
    size_t count = Get16(file, 4);
    for (size_t i = 0; i < count; ++i) {
        size_t entry = 6 + 16 * i;
        if (entry + 16 > file.size()) return false;
        int width = file[entry] == 0 ? 256 : file[entry];
        int height = file[entry + 1] == 0 ? 256 : file[entry + 1];
        if (width != size || height != size) continue;
        // An icon's entry holds planes and depth here, a cursor's its hot spot.
        *hotX = Get16(file, entry + 4);
        *hotY = Get16(file, entry + 6);
        return DecodeDib(file, Get32(file, entry + 12), 0, true, picture) && picture->width == size &&
               picture->height == size;
    }
    return false;
}

void ClearCardCorners(Picture* card) {
    for (const cards::Pixel& p : cards::kCornerPixels)
        if (p.x < card->width && p.y < card->height) card->Put(p.x, p.y, kClear);
}

void ClearFloodArea(Picture* picture, int x, int y) {
    if (x < 0 || y < 0 || x >= picture->width || y >= picture->height) return;
    int target = picture->At(x, y);
    if (target == kClear) return;
    std::vector<std::pair<int, int>> pending = {{x, y}};
    while (!pending.empty()) {
        auto [px, py] = pending.back();
        pending.pop_back();
        if (px < 0 || py < 0 || px >= picture->width || py >= picture->height) continue;
        if (picture->At(px, py) != target) continue;
        picture->Put(px, py, kClear);
        pending.insert(pending.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
}

Picture ScaleUp(const Picture& picture, int factor) {
    Picture out = picture;
    out.width = picture.width * factor;
    out.height = picture.height * factor;
    out.pixels.assign(size_t(out.width) * size_t(out.height), 0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.Put(x, y, picture.At(x / factor, y / factor));
    return out;
}

bool LayOutSheet(const std::vector<Picture>& pictures, int columns, int gutter, Picture* sheet,
                 std::vector<std::pair<int, int>>* places) {
    if (pictures.empty() || columns < 1) return false;
    const Picture& first = pictures.front();
    int rows = int((pictures.size() + size_t(columns) - 1) / size_t(columns));
    int across = int(pictures.size()) < columns ? int(pictures.size()) : columns;
    Picture out;
    out.width = across * (first.width + gutter) - gutter;
    out.height = rows * (first.height + gutter) - gutter;
    out.palette = first.palette;
    out.pixels.assign(size_t(out.width) * size_t(out.height), kClear);
    places->clear();
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture& p = pictures[i];
        if (p.width != first.width || p.height != first.height || !SamePalette(p, first)) return false;
        int left = int(i % size_t(columns)) * (first.width + gutter);
        int top = int(i / size_t(columns)) * (first.height + gutter);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) out.Put(left + x, top + y, p.At(x, y));
        places->push_back({left, top});
    }
    *sheet = out;
    return true;
}

}  // namespace webgen
