#include "tools/generators/webgen/png_file.h"

#include <png.h>

#include <csetjmp>

namespace webgen {
namespace {

void Append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// Kept apart from anything with a destructor: libpng reports an error by
// jumping back to the setjmp here.
bool WriteIndexed(int width, int height, int depth, const png_color* palette, int colours,
                  const png_byte* alpha, int alphas, int filter, png_bytep* rows,
                  std::vector<uint8_t>* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, Append, NoFlush);
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filter);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), depth, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_PLTE(png, info, palette, colours);
    if (alphas > 0) png_set_tRNS(png, info, alpha, alphas, nullptr);
    png_write_info(png, info);
    png_set_packing(png);   // one index a byte in, `depth` bits a pixel out
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool EncodePng(const Picture& picture, std::vector<uint8_t>* png) {
    if (picture.width < 1 || picture.height < 1 || picture.palette.empty()) return false;
    // The clear pixels go on the first entry no opaque pixel uses, so the
    // palette stays the picture's own; only a picture that uses every entry
    // gets one more.
    std::vector<bool> used(picture.palette.size(), false);
    bool anyClear = false;
    for (int p : picture.pixels) {
        if (p == kClear)
            anyClear = true;
        else if (p >= 0 && size_t(p) < used.size())
            used[size_t(p)] = true;
        else
            return false;
    }
    std::vector<png_color> palette;
    for (const canvas::Rgb& c : picture.palette) palette.push_back(png_color{c.r, c.g, c.b});
    size_t clearIndex = 0;
    while (clearIndex < used.size() && used[clearIndex]) ++clearIndex;
    if (anyClear && clearIndex == palette.size()) palette.push_back(png_color{0, 0, 0});
    if (palette.size() > 256) return false;
    std::vector<png_byte> alpha;
    if (anyClear) {
        alpha.assign(clearIndex + 1, 255);
        alpha[clearIndex] = 0;
    }
    int depth = palette.size() <= 2 ? 1 : palette.size() <= 4 ? 2 : palette.size() <= 16 ? 4 : 8;

    std::vector<png_byte> indices(picture.pixels.size());
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = png_byte(picture.pixels[i] == kClear ? int(clearIndex) : picture.pixels[i]);
    std::vector<png_bytep> rows;
    for (int y = 0; y < picture.height; ++y) rows.push_back(&indices[size_t(y) * size_t(picture.width)]);

    // Filtering seldom pays on few colours, but now and then it does: keep
    // the smaller of the two.
    std::vector<uint8_t> plain, filtered;
    if (!WriteIndexed(picture.width, picture.height, depth, palette.data(), int(palette.size()),
                      alpha.data(), int(alpha.size()), PNG_FILTER_NONE, rows.data(), &plain) ||
        !WriteIndexed(picture.width, picture.height, depth, palette.data(), int(palette.size()),
                      alpha.data(), int(alpha.size()), PNG_ALL_FILTERS, rows.data(), &filtered))
        return false;
    *png = filtered.size() < plain.size() ? filtered : plain;
    return true;
}

}  // namespace webgen
