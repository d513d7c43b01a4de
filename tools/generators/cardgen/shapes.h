// Outlined shapes for the figures and pictures on the cards: each shape is a
// 0/1 mask the size of the picture it goes on, then painted with a fill and
// a one-pixel border.
#pragma once
#include <vector>

#include "tools/generators/canvas/canvas.h"

namespace cards {

const uint8_t kNoColour = 255;

// Fills the mask's pixels and draws its border in `outline` (kNoColour for
// none); pixels at the picture's edge count as inside, so shapes that run off
// the picture are not outlined there.
void PaintMask(canvas::Image& dst, const canvas::Image& mask, uint8_t fill,
               uint8_t outline = canvas::Black);

canvas::Image EllipseMask(const canvas::Image& like, double cx, double cy, double rx, double ry);
canvas::Image PolygonMask(const canvas::Image& like, const std::vector<canvas::PointF>& points);
canvas::Image LineMask(const canvas::Image& like, double x0, double y0, double x1, double y1,
                       double width);
canvas::Image Intersect(const canvas::Image& a, const canvas::Image& b);
canvas::Image Subtract(const canvas::Image& a, const canvas::Image& b);

}  // namespace cards
