#include "tools/generators/cardgen/shapes.h"

namespace cards {

using canvas::Image;

void PaintMask(Image& dst, const Image& mask, uint8_t fill, uint8_t outline) {
    auto in = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= mask.width || y >= mask.height) return true;
        return mask.Get(x, y) != 0;
    };
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (!mask.Get(x, y)) continue;
            bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            if (edge && outline != kNoColour)
                dst.Set(x, y, outline);
            else if (fill != kNoColour)
                dst.Set(x, y, fill);
        }
    }
}

Image EllipseMask(const Image& like, double cx, double cy, double rx, double ry) {
    Image m(like.width, like.height, 0);
    canvas::FillEllipse(m, cx, cy, rx, ry, 1);
    return m;
}

Image PolygonMask(const Image& like, const std::vector<canvas::PointF>& points) {
    Image m(like.width, like.height, 0);
    canvas::FillPolygon(m, points, 1);
    return m;
}

Image LineMask(const Image& like, double x0, double y0, double x1, double y1, double width) {
    Image m(like.width, like.height, 0);
    canvas::ThickLine(m, x0, y0, x1, y1, width, 1);
    return m;
}

Image Intersect(const Image& a, const Image& b) {
    Image m(a.width, a.height, 0);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) m.Set(x, y, a.Get(x, y) && b.Get(x, y) ? 1 : 0);
    return m;
}

Image Subtract(const Image& a, const Image& b) {
    Image m(a.width, a.height, 0);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) m.Set(x, y, a.Get(x, y) && !b.Get(x, y) ? 1 : 0);
    return m;
}

}  // namespace cards
