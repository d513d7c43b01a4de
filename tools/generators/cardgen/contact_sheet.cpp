#include "tools/generators/cardgen/contact_sheet.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace cards {

using canvas::Image;
namespace c = canvas;

namespace {

const int kGap = 6;
const int kLabelHeight = 14;
const int kLabelSize = 12;
const int kSheetWidth = 13 * (kCardWidth + kGap) + kGap;

// The name without its trailing number, and that number (0 for none).
std::string Stem(const std::string& name) {
    size_t end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1]))) --end;
    return name.substr(0, end);
}

int Number(const std::string& name) {
    std::string digits = name.substr(Stem(name).size());
    return digits.empty() ? 0 : std::stoi(digits);
}

int GroupOf(const std::string& stem) {
    static const char* const kGroups[] = {"Club", "Diamond", "Hearts", "Spade", "Joker",
                                          "Mystery", "Blank", "Back"};
    for (int i = 0; i < 8; ++i)
        if (stem == kGroups[i]) return i;
    return 8;
}

// Each suit has a row of its own, the joker and the help pictures share
// one, the backs follow, and the other pictures fill the rows after them.
int RowKind(const std::string& name) {
    int group = GroupOf(Stem(name));
    return group >= 4 && group <= 6 ? 4 : group;
}

}  // namespace

void SortForSheet(std::vector<NamedPicture>& pictures) {
    std::stable_sort(pictures.begin(), pictures.end(), [](const NamedPicture& a, const NamedPicture& b) {
        std::string sa = Stem(a.name), sb = Stem(b.name);
        int ga = GroupOf(sa), gb = GroupOf(sb);
        if (ga != gb) return ga < gb;
        if (sa != sb) return sa < sb;
        return Number(a.name) < Number(b.name);
    });
}

Image ContactSheet(const std::vector<NamedPicture>& pictures) {
    struct Placed {
        int x, y;
    };
    std::vector<Placed> places;
    int x = kGap, y = kGap, rowHeight = 0;
    int previousRow = -1;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Image& img = pictures[i].image;
        int row = RowKind(pictures[i].name);
        if (i > 0 && (row != previousRow || x + img.width + kGap > kSheetWidth)) {
            x = kGap;
            y += rowHeight + kLabelHeight + kGap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        int label = c::MeasureText("sans", kLabelSize, pictures[i].name).width;
        x += std::max({img.width, kCardWidth, label}) + kGap;
        rowHeight = std::max(rowHeight, img.height);
        previousRow = row;
    }
    int width = kSheetWidth;
    for (size_t i = 0; i < pictures.size(); ++i)
        width = std::max(width, places[i].x + pictures[i].image.width + kGap);
    Image sheet(width, y + rowHeight + kLabelHeight + kGap, c::LightGrey);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Image& img = pictures[i].image;
        // A dark line round each picture shows where it ends on the grey.
        c::FrameRect(sheet, places[i].x - 1, places[i].y - 1, img.width + 2, img.height + 2, c::DarkGrey);
        c::Blit(sheet, img, places[i].x, places[i].y);
        c::DrawText(sheet, "sans", kLabelSize, places[i].x, places[i].y + img.height + kLabelHeight - 2,
                    pictures[i].name, c::Black, 96);
    }
    return sheet;
}

}  // namespace cards
