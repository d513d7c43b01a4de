// A 16-colour drawing surface for the build-time picture generators: shapes,
// lettering rasterised from a TrueType font, and writers for 4-bit BMP,
// icon and cursor files.  Pixels are palette indices, so every picture is
// drawn crisply for the one fixed palette that the game uses.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace canvas {

// The classic 16-colour palette, in its usual order.
enum Colour : uint8_t {
    Black = 0,
    DarkRed = 1,      // 0x80 0x00 0x00
    DarkGreen = 2,
    DarkYellow = 3,   // olive
    DarkBlue = 4,     // navy
    DarkMagenta = 5,
    DarkCyan = 6,
    LightGrey = 7,    // 0xC0 0xC0 0xC0
    DarkGrey = 8,     // 0x80 0x80 0x80
    Red = 9,
    Green = 10,
    Yellow = 11,
    Blue = 12,
    Magenta = 13,
    Cyan = 14,
    White = 15,
};

struct Rgb {
    uint8_t r, g, b;
};
extern const Rgb kPalette[16];
// The palette entry closest to `c` (squared distance; ties to the lower index).
uint8_t NearestColour(Rgb c);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;    // row-major, top row first, palette indices

    Image() = default;
    Image(int w, int h, uint8_t fill = White);
    uint8_t Get(int x, int y) const;            // out of range: 0
    void Set(int x, int y, uint8_t colour);     // out of range: ignored
};

struct PointF {
    double x, y;
};

// Shapes; coordinates in pixels, (0, 0) the top-left pixel's corner.
// Filled shapes colour every pixel whose centre lies inside.
void FillRect(Image& img, int x, int y, int w, int h, uint8_t colour);
void FrameRect(Image& img, int x, int y, int w, int h, uint8_t colour);
void Line(Image& img, int x0, int y0, int x1, int y1, uint8_t colour);
void ThickLine(Image& img, double x0, double y0, double x1, double y1, double width, uint8_t colour);
void FillEllipse(Image& img, double cx, double cy, double rx, double ry, uint8_t colour);
void EllipseOutline(Image& img, double cx, double cy, double rx, double ry, uint8_t colour);
void FillPolygon(Image& img, const std::vector<PointF>& points, uint8_t colour);
void FillRoundRect(Image& img, int x, int y, int w, int h, int radius, uint8_t colour);
void RoundRectOutline(Image& img, int x, int y, int w, int h, int radius, uint8_t colour);
// 4-connected flood fill of the area of `target`'s colour around (x, y).
void FloodFill(Image& img, int x, int y, uint8_t colour);

// Copies `src` onto `dst` at (x, y); pixels of colour `transparent` are
// skipped when it is 0..15.
void Blit(Image& dst, const Image& src, int x, int y, int transparent = -1);
Image Rotate180(const Image& src);
Image MirrorX(const Image& src);
// Nearest-neighbour scaling by an integer factor (for pixel lettering).
Image ScaleUp(const Image& src, int factor);

// Lettering rasterised from a TrueType font with FreeType; coverage of at
// least `threshold` (0..255) sets the pixel, so glyphs stay crisp.
// Fonts: "sans", "sans-bold", "serif", "serif-bold", "mono-bold" (DejaVu).
struct TextMetrics {
    int width;      // advance width in pixels
    int ascent;     // pixels above the baseline
    int descent;    // pixels below the baseline
};
TextMetrics MeasureText(const std::string& font, int pixelHeight, const std::string& text);
// Draws with the baseline at y and the text starting at x; returns the width.
int DrawText(Image& img, const std::string& font, int pixelHeight, int x, int y,
             const std::string& text, uint8_t colour, int threshold = 128);
// Centred horizontally on cx, baseline at y.
void DrawTextCentred(Image& img, const std::string& font, int pixelHeight, int cx, int y,
                     const std::string& text, uint8_t colour, int threshold = 128);

// File formats.  All return false when the file cannot be written or read.
std::vector<uint8_t> EncodeBmp4(const Image& img);      // BITMAPINFOHEADER, 4 bpp, BI_RGB
bool WriteBmp4(const std::string& path, const Image& img);
bool ReadBmp4(const std::string& path, Image* img);     // the files EncodeBmp4 makes
// Any uncompressed 4-bit BMP; its palette is mapped to the nearest of ours.
bool DecodeBmp4(const std::vector<uint8_t>& bytes, Image* img);
// Icon / cursor resources: 4-bit images with an AND mask built from the
// pixels of colour `transparent`.
bool WriteIcon(const std::string& path, const std::vector<Image>& images, uint8_t transparent);
bool WriteCursor(const std::string& path, const Image& img, int hotX, int hotY, uint8_t transparent);
// The bytes the two writers above put in their files.
std::vector<uint8_t> EncodeIcon(const std::vector<Image>& images, uint8_t transparent);
std::vector<uint8_t> EncodeCursor(const Image& img, int hotX, int hotY, uint8_t transparent);

// Writes `contents` only when the file differs, so that unchanged outputs
// keep their time stamps and nothing downstream rebuilds.
bool WriteFileIfChanged(const std::string& path, const std::vector<uint8_t>& contents);

}  // namespace canvas
