// A lossless, small PNG of a picture: indexed colour with the picture's own
// palette, its clear pixels on one palette entry that tRNS makes
// transparent, the smallest bit depth that holds the palette, zlib's best
// compression, and no chunk that could differ between two builds (no time,
// no text).
#pragma once
#include <cstdint>
#include <vector>

#include "tools/generators/webgen/web_art.h"

namespace webgen {

// False when libpng refuses the picture.
bool EncodePng(const Picture& picture, std::vector<uint8_t>* png);

}  // namespace webgen
