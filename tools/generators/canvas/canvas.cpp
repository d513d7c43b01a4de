// Shapes, copies and transforms on palette-index images.
#include "tools/generators/canvas/canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace canvas {

const Rgb kPalette[16] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
};

uint8_t NearestColour(Rgb c) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 16; ++i) {
        long dr = long(c.r) - kPalette[i].r;
        long dg = long(c.g) - kPalette[i].g;
        long db = long(c.b) - kPalette[i].b;
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return uint8_t(best);
}

Image::Image(int w, int h, uint8_t fill)
    : width(std::max(w, 0)), height(std::max(h, 0)),
      pixels(size_t(std::max(w, 0)) * size_t(std::max(h, 0)), uint8_t(fill & 15)) {}

uint8_t Image::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return pixels[size_t(y) * size_t(width) + size_t(x)];
}

void Image::Set(int x, int y, uint8_t colour) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[size_t(y) * size_t(width) + size_t(x)] = uint8_t(colour & 15);
}

void FillRect(Image& img, int x, int y, int w, int h, uint8_t colour) {
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, img.width), y1 = std::min(y + h, img.height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) img.Set(xx, yy, colour);
}

void FrameRect(Image& img, int x, int y, int w, int h, uint8_t colour) {
    if (w <= 0 || h <= 0) return;
    FillRect(img, x, y, w, 1, colour);
    FillRect(img, x, y + h - 1, w, 1, colour);
    FillRect(img, x, y, 1, h, colour);
    FillRect(img, x + w - 1, y, 1, h, colour);
}

void Line(Image& img, int x0, int y0, int x1, int y1, uint8_t colour) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        img.Set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// Bounding box of a shape, clipped to the image, in whole pixels.
static void ClipBox(const Image& img, double left, double top, double right, double bottom,
                    int* x0, int* y0, int* x1, int* y1) {
    *x0 = std::max(0, int(std::floor(left)));
    *y0 = std::max(0, int(std::floor(top)));
    *x1 = std::min(img.width, int(std::ceil(right)) + 1);
    *y1 = std::min(img.height, int(std::ceil(bottom)) + 1);
}

void ThickLine(Image& img, double x0, double y0, double x1, double y1, double width, uint8_t colour) {
    double r = width / 2.0;
    if (r <= 0) return;
    int bx0, by0, bx1, by1;
    ClipBox(img, std::min(x0, x1) - r, std::min(y0, y1) - r, std::max(x0, x1) + r,
            std::max(y0, y1) + r, &bx0, &by0, &bx1, &by1);
    double vx = x1 - x0, vy = y1 - y0;
    double len2 = vx * vx + vy * vy;
    for (int y = by0; y < by1; ++y) {
        for (int x = bx0; x < bx1; ++x) {
            double px = x + 0.5 - x0, py = y + 0.5 - y0;
            double t = len2 > 0 ? std::clamp((px * vx + py * vy) / len2, 0.0, 1.0) : 0.0;
            double ex = px - t * vx, ey = py - t * vy;
            if (ex * ex + ey * ey <= r * r) img.Set(x, y, colour);
        }
    }
}

static bool InsideEllipse(double px, double py, double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) return false;
    double dx = (px - cx) / rx, dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

void FillEllipse(Image& img, double cx, double cy, double rx, double ry, uint8_t colour) {
    int x0, y0, x1, y1;
    ClipBox(img, cx - rx, cy - ry, cx + rx, cy + ry, &x0, &y0, &x1, &y1);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (InsideEllipse(x + 0.5, y + 0.5, cx, cy, rx, ry)) img.Set(x, y, colour);
}

// A one-pixel outline: the pixels of the filled shape that touch a pixel
// outside it, so the ring is closed without doubled corners.
template <typename Inside>
static void OutlineOf(Image& img, int x0, int y0, int x1, int y1, Inside inside, uint8_t colour) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (!inside(x, y)) continue;
            if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1))
                img.Set(x, y, colour);
        }
    }
}

void EllipseOutline(Image& img, double cx, double cy, double rx, double ry, uint8_t colour) {
    int x0, y0, x1, y1;
    ClipBox(img, cx - rx, cy - ry, cx + rx, cy + ry, &x0, &y0, &x1, &y1);
    auto inside = [&](int x, int y) { return InsideEllipse(x + 0.5, y + 0.5, cx, cy, rx, ry); };
    OutlineOf(img, x0, y0, x1, y1, inside, colour);
}

void FillPolygon(Image& img, const std::vector<PointF>& points, uint8_t colour) {
    if (points.size() < 3) return;
    double top = points[0].y, bottom = points[0].y;
    for (const PointF& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    int y0 = std::max(0, int(std::floor(top)));
    int y1 = std::min(img.height, int(std::ceil(bottom)) + 1);
    std::vector<double> crossings;
    for (int y = y0; y < y1; ++y) {
        double yc = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const PointF& a = points[i];
            const PointF& b = points[(i + 1) % points.size()];
            // Half-open in y so a vertex shared by two edges counts once.
            if ((a.y <= yc && yc < b.y) || (b.y <= yc && yc < a.y))
                crossings.push_back(a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            int xa = std::max(0, int(std::ceil(crossings[i] - 0.5)));
            int xb = std::min(img.width - 1, int(std::ceil(crossings[i + 1] - 0.5)) - 1);
            for (int x = xa; x <= xb; ++x) img.Set(x, y, colour);
        }
    }
}

static bool InsideRoundRect(int px, int py, int x, int y, int w, int h, int radius) {
    if (px < x || py < y || px >= x + w || py >= y + h) return false;
    int r = std::clamp(radius, 0, std::min(w, h) / 2);
    double cx = px + 0.5, cy = py + 0.5;
    double ccx, ccy;
    if (cx < x + r)
        ccx = x + r;
    else if (cx > x + w - r)
        ccx = x + w - r;
    else
        return true;
    if (cy < y + r)
        ccy = y + r;
    else if (cy > y + h - r)
        ccy = y + h - r;
    else
        return true;
    double dx = cx - ccx, dy = cy - ccy;
    return dx * dx + dy * dy <= double(r) * r;
}

void FillRoundRect(Image& img, int x, int y, int w, int h, int radius, uint8_t colour) {
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, img.width), y1 = std::min(y + h, img.height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx)
            if (InsideRoundRect(xx, yy, x, y, w, h, radius)) img.Set(xx, yy, colour);
}

void RoundRectOutline(Image& img, int x, int y, int w, int h, int radius, uint8_t colour) {
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, img.width), y1 = std::min(y + h, img.height);
    auto inside = [&](int px, int py) { return InsideRoundRect(px, py, x, y, w, h, radius); };
    OutlineOf(img, x0, y0, x1, y1, inside, colour);
}

void FloodFill(Image& img, int x, int y, uint8_t colour) {
    colour &= 15;
    if (x < 0 || y < 0 || x >= img.width || y >= img.height) return;
    uint8_t target = img.Get(x, y);
    if (target == colour) return;
    // An explicit stack: a recursive fill would overflow on large areas.
    std::vector<std::pair<int, int>> pending;
    pending.emplace_back(x, y);
    while (!pending.empty()) {
        auto [px, py] = pending.back();
        pending.pop_back();
        if (px < 0 || py < 0 || px >= img.width || py >= img.height) continue;
        if (img.Get(px, py) != target) continue;
        img.Set(px, py, colour);
        pending.emplace_back(px + 1, py);
        pending.emplace_back(px - 1, py);
        pending.emplace_back(px, py + 1);
        pending.emplace_back(px, py - 1);
    }
}

void Blit(Image& dst, const Image& src, int x, int y, int transparent) {
    for (int sy = 0; sy < src.height; ++sy) {
        for (int sx = 0; sx < src.width; ++sx) {
            uint8_t c = src.Get(sx, sy);
            if (transparent >= 0 && transparent <= 15 && c == transparent) continue;
            dst.Set(x + sx, y + sy, c);
        }
    }
}

Image Rotate180(const Image& src) {
    Image out(src.width, src.height);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x)
            out.Set(src.width - 1 - x, src.height - 1 - y, src.Get(x, y));
    return out;
}

Image MirrorX(const Image& src) {
    Image out(src.width, src.height);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < src.width; ++x) out.Set(src.width - 1 - x, y, src.Get(x, y));
    return out;
}

Image ScaleUp(const Image& src, int factor) {
    if (factor < 1) factor = 1;
    Image out(src.width * factor, src.height * factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.Set(x, y, src.Get(x / factor, y / factor));
    return out;
}

}  // namespace canvas
