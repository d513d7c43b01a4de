// Lettering: glyphs rasterised by FreeType from the DejaVu fonts and
// thresholded to single palette colours.
#include "tools/generators/canvas/canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#ifndef QUORVEL_FONT_DIR
#error "QUORVEL_FONT_DIR must name the directory of the DejaVu fonts"
#endif

namespace canvas {
namespace {

struct FontName {
    const char* name;
    const char* file;
};
const FontName kFonts[] = {
    {"sans", "DejaVuSans.ttf"},
    {"sans-bold", "DejaVuSans-Bold.ttf"},
    {"serif", "DejaVuSerif.ttf"},
    {"serif-bold", "DejaVuSerif-Bold.ttf"},
    {"mono-bold", "DejaVuSansMono-Bold.ttf"},
};

// A generator cannot draw the picture it was asked for without its font, and
// a silently blank picture would end up in the game: stop the build instead.
[[noreturn]] void FontFailure(const std::string& what) {
    std::fprintf(stderr, "canvas: %s\n", what.c_str());
    std::exit(2);
}

FT_Library Library() {
    static FT_Library library = nullptr;
    if (!library && FT_Init_FreeType(&library) != 0) FontFailure("cannot initialise FreeType");
    return library;
}

FT_Face Face(const std::string& font) {
    static std::map<std::string, FT_Face> faces;
    auto found = faces.find(font);
    if (found != faces.end()) return found->second;
    const char* file = nullptr;
    for (const FontName& f : kFonts)
        if (font == f.name) file = f.file;
    if (!file) FontFailure("unknown font \"" + font + "\"");
    std::string path = std::string(QUORVEL_FONT_DIR) + "/" + file;
    FT_Face face = nullptr;
    if (FT_New_Face(Library(), path.c_str(), 0, &face) != 0)
        FontFailure("cannot load font " + path + " (install fonts-dejavu-core)");
    faces[font] = face;
    return face;
}

// Decodes UTF-8; a malformed or truncated sequence becomes U+FFFD for its
// first byte, so bad input shows up instead of vanishing.
std::vector<uint32_t> CodePoints(const std::string& text) {
    std::vector<uint32_t> out;
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        uint32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1Fu) : extra == 2 ? (c & 0x0Fu) : (c & 0x07u);
        bool ok = extra >= 0 && i + size_t(extra) < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(text[i + size_t(k)]);
            ok = (cc >> 6) == 2;
            cp = (cp << 6) | (cc & 0x3Fu);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return out;
}

// Lays out the text and calls `glyph(bitmap, left, top)` for each glyph, with
// left/top relative to the pen start and baseline; returns the advance width.
template <typename GlyphFn>
int Layout(const std::string& font, int pixelHeight, const std::string& text, GlyphFn glyph) {
    FT_Face face = Face(font);
    if (pixelHeight < 1) return 0;
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelHeight)) != 0)
        FontFailure("cannot size font \"" + font + "\"");
    long pen = 0;  // 26.6 fixed point
    FT_UInt previous = 0;
    for (uint32_t cp : CodePoints(text)) {
        FT_UInt index = FT_Get_Char_Index(face, cp);
        if (previous && index && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern) == 0) pen += kern.x;
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 ||
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
            FontFailure("cannot render a glyph of font \"" + font + "\"");
        FT_GlyphSlot slot = face->glyph;
        glyph(slot->bitmap, int((pen + 32) >> 6) + slot->bitmap_left, slot->bitmap_top);
        pen += slot->advance.x;
        previous = index;
    }
    return int((pen + 32) >> 6);
}

}  // namespace

TextMetrics MeasureText(const std::string& font, int pixelHeight, const std::string& text) {
    TextMetrics m{0, 0, 0};
    m.width = Layout(font, pixelHeight, text, [&](const FT_Bitmap& bitmap, int, int top) {
        if (bitmap.rows == 0 || bitmap.width == 0) return;
        m.ascent = std::max(m.ascent, top);
        m.descent = std::max(m.descent, int(bitmap.rows) - top);
    });
    return m;
}

int DrawText(Image& img, const std::string& font, int pixelHeight, int x, int y,
             const std::string& text, uint8_t colour, int threshold) {
    int level = std::clamp(threshold, 1, 255);
    return Layout(font, pixelHeight, text, [&](const FT_Bitmap& bitmap, int left, int top) {
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* line = bitmap.buffer + long(row) * bitmap.pitch;
            for (unsigned col = 0; col < bitmap.width; ++col)
                if (line[col] >= level) img.Set(x + left + int(col), y - top + int(row), colour);
        }
    });
}

void DrawTextCentred(Image& img, const std::string& font, int pixelHeight, int cx, int y,
                     const std::string& text, uint8_t colour, int threshold) {
    int width = MeasureText(font, pixelHeight, text).width;
    DrawText(img, font, pixelHeight, cx - width / 2, y, text, colour, threshold);
}

}  // namespace canvas
