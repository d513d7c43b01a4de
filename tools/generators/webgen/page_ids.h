// ids.js: the page's module of the game's numbers, so that no id or enum
// of the C++ side is typed into the page's script.
#pragma once
#include <string>

namespace webgen {

// One `export const NAME = value;` for each `#define NAME number` of the
// header text (resources/resource_ids.h), then the enums the page passes to
// the core, each a frozen object of name to value.
std::string PageIdsJs(const std::string& resourceIdsHeader);

}  // namespace webgen
