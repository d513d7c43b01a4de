// Writers (and a reader) for 4-bit BMP, icon and cursor files.
#include "tools/generators/canvas/canvas.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace canvas {
namespace {

const int kFileHeaderSize = 14;
const int kInfoHeaderSize = 40;
const int kPaletteSize = 16 * 4;
// Larger pictures than this are no picture of ours: refuse them rather than
// allocate whatever a damaged header asks for.
const int kMaxSide = 16384;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

uint32_t Get16(const std::vector<uint8_t>& in, size_t at) {
    return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8;
}

uint32_t Get32(const std::vector<uint8_t>& in, size_t at) {
    return Get16(in, at) | Get16(in, at + 2) << 16;
}

// Rows of a 4-bit bitmap are padded to whole 32-bit words.
size_t Stride4(int width) { return size_t((width * 4 + 31) / 32) * 4; }
size_t Stride1(int width) { return size_t((width + 31) / 32) * 4; }

void PutInfoHeader(std::vector<uint8_t>& out, const Image& img, int heightField, uint32_t imageSize) {
    Put32(out, kInfoHeaderSize);
    Put32(out, uint32_t(img.width));
    Put32(out, uint32_t(heightField));
    Put16(out, 1);   // planes
    Put16(out, 4);   // bits per pixel
    Put32(out, 0);   // BI_RGB
    Put32(out, imageSize);
    Put32(out, 0);   // pixels per metre: unspecified
    Put32(out, 0);
    Put32(out, 16);  // colours used
    Put32(out, 0);   // all colours important
}

void PutPalette(std::vector<uint8_t>& out) {
    for (const Rgb& c : kPalette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
}

// The colour bits, bottom row first, left pixel in the high nibble.
// Pixels in `transparent` (when 0..15) are written black, the colour that
// leaves the screen unchanged under an icon's AND mask.
void PutPixels4(std::vector<uint8_t>& out, const Image& img, int transparent) {
    size_t stride = Stride4(img.width);
    for (int y = img.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < img.width; ++x) {
            uint8_t c = img.Get(x, y);
            if (transparent >= 0 && c == transparent) c = Black;
            row[size_t(x) / 2] |= uint8_t(x % 2 == 0 ? c << 4 : c);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

// The AND mask: one bit per pixel, set where the screen shows through.
void PutMask(std::vector<uint8_t>& out, const Image& img, uint8_t transparent) {
    size_t stride = Stride1(img.width);
    for (int y = img.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < img.width; ++x)
            if (img.Get(x, y) == transparent) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

// One image of an icon or cursor file: header with doubled height, palette,
// colour bits, mask.
std::vector<uint8_t> IconImage(const Image& img, uint8_t transparent) {
    std::vector<uint8_t> out;
    uint32_t size = uint32_t((Stride4(img.width) + Stride1(img.width)) * size_t(img.height));
    PutInfoHeader(out, img, img.height * 2, size);
    PutPalette(out);
    PutPixels4(out, img, transparent);
    PutMask(out, img, transparent);
    return out;
}

bool IconSizeOk(const Image& img) {
    return img.width >= 1 && img.width <= 256 && img.height >= 1 && img.height <= 256 &&
           img.pixels.size() == size_t(img.width) * size_t(img.height);
}

// Icon and cursor files share one layout; type 1 is an icon, 2 a cursor,
// whose directory entry holds the hot spot where an icon has planes and depth.
std::vector<uint8_t> EncodeIconFile(uint16_t type, const std::vector<Image>& images,
                                    uint8_t transparent, int hotX, int hotY) {
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, type);
    Put16(out, uint16_t(images.size()));
    std::vector<std::vector<uint8_t>> data;
    for (const Image& img : images) data.push_back(IconImage(img, transparent));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width == 256 ? 0 : images[i].width));
        out.push_back(uint8_t(images[i].height == 256 ? 0 : images[i].height));
        out.push_back(16);  // colours
        out.push_back(0);
        if (type == 1) {
            Put16(out, 1);  // planes
            Put16(out, 4);  // bits per pixel
        } else {
            Put16(out, uint16_t(hotX));
            Put16(out, uint16_t(hotY));
        }
        Put32(out, uint32_t(data[i].size()));
        Put32(out, offset);
        offset += uint32_t(data[i].size());
    }
    for (const auto& d : data) out.insert(out.end(), d.begin(), d.end());
    return out;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>* contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    contents->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

std::vector<uint8_t> EncodeBmp4(const Image& img) {
    std::vector<uint8_t> out;
    uint32_t imageSize = uint32_t(Stride4(img.width) * size_t(img.height));
    uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);  // reserved
    Put32(out, offset);
    PutInfoHeader(out, img, img.height, imageSize);
    PutPalette(out);
    PutPixels4(out, img, -1);
    return out;
}

bool WriteBmp4(const std::string& path, const Image& img) {
    if (img.width < 1 || img.height < 1) return false;
    return WriteFileIfChanged(path, EncodeBmp4(img));
}

bool DecodeBmp4(const std::vector<uint8_t>& in, Image* img) {
    if (in.size() < size_t(kFileHeaderSize + kInfoHeaderSize) || in[0] != 'B' || in[1] != 'M')
        return false;
    uint32_t offset = Get32(in, 10);
    uint32_t headerSize = Get32(in, 14);
    int32_t width = int32_t(Get32(in, 18));
    int32_t height = int32_t(Get32(in, 22));
    uint32_t bits = Get16(in, 28);
    uint32_t compression = Get32(in, 30);
    uint32_t coloursUsed = Get32(in, 46);
    if (headerSize < uint32_t(kInfoHeaderSize) || bits != 4 || compression != 0) return false;
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    if (coloursUsed == 0 || coloursUsed > 16) coloursUsed = 16;
    size_t paletteAt = size_t(kFileHeaderSize) + headerSize;
    size_t stride = Stride4(width);
    if (paletteAt + coloursUsed * 4 > in.size() || offset < paletteAt + coloursUsed * 4 ||
        size_t(offset) + stride * size_t(height) > in.size())
        return false;
    // Another writer's palette may order colours differently: map each entry
    // to our nearest colour so that indices mean the same everywhere.
    uint8_t map[16] = {0};
    for (uint32_t i = 0; i < coloursUsed; ++i) {
        size_t at = paletteAt + i * 4;
        map[i] = NearestColour(Rgb{in[at + 2], in[at + 1], in[at]});
    }
    Image out(width, height);
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        const uint8_t* line = in.data() + offset + stride * size_t(row);
        for (int x = 0; x < width; ++x) {
            uint8_t byte = line[x / 2];
            out.Set(x, y, map[x % 2 == 0 ? byte >> 4 : byte & 15]);
        }
    }
    *img = out;
    return true;
}

bool ReadBmp4(const std::string& path, Image* img) {
    std::vector<uint8_t> contents;
    return ReadFile(path, &contents) && DecodeBmp4(contents, img);
}

std::vector<uint8_t> EncodeIcon(const std::vector<Image>& images, uint8_t transparent) {
    return EncodeIconFile(1, images, transparent, 0, 0);
}

std::vector<uint8_t> EncodeCursor(const Image& img, int hotX, int hotY, uint8_t transparent) {
    return EncodeIconFile(2, {img}, transparent, hotX, hotY);
}

bool WriteIcon(const std::string& path, const std::vector<Image>& images, uint8_t transparent) {
    if (images.empty() || images.size() > 0xFFFF) return false;
    for (const Image& img : images)
        if (!IconSizeOk(img)) return false;
    return WriteFileIfChanged(path, EncodeIcon(images, transparent));
}

bool WriteCursor(const std::string& path, const Image& img, int hotX, int hotY, uint8_t transparent) {
    if (!IconSizeOk(img) || hotX < 0 || hotY < 0 || hotX >= img.width || hotY >= img.height)
        return false;
    return WriteFileIfChanged(path, EncodeCursor(img, hotX, hotY, transparent));
}

bool WriteFileIfChanged(const std::string& path, const std::vector<uint8_t>& contents) {
    std::vector<uint8_t> existing;
    if (ReadFile(path, &existing) && existing == contents) return true;
    // Write beside the target and rename, so that an interrupted build never
    // leaves a half-written picture that looks up to date.
    std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(contents.data()), std::streamsize(contents.size()));
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace canvas
