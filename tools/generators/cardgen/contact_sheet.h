// One picture showing many others side by side, each labelled with its
// name, so that a reviewer sees the whole artwork at once.
#pragma once
#include <string>
#include <vector>

#include "tools/generators/cardgen/cards.h"

namespace cards {

// Sorts the pictures into the order a reader expects: the four suits ace to
// king, the joker, the backs by number, the help pictures, then the rest by
// name.
void SortForSheet(std::vector<NamedPicture>& pictures);
// Lays the pictures out in rows on a light grey ground; pictures of one kind
// (the same name without its number) start a new row.
canvas::Image ContactSheet(const std::vector<NamedPicture>& pictures);

}  // namespace cards
