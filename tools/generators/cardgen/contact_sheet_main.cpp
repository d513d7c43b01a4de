// contactsheet ART_DIR SHEET.bmp: one labelled picture of every bitmap in
// ART_DIR, read back from the files the generators wrote.
#include <cstdio>
#include <filesystem>

#include "tools/generators/cardgen/contact_sheet.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheet ART_DIR SHEET.bmp\n");
        return 2;
    }
    std::vector<cards::NamedPicture> pictures;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1], error)) {
        if (entry.path().extension() != ".bmp") continue;
        canvas::Image img;
        if (!canvas::ReadBmp4(entry.path().string(), &img)) {
            std::fprintf(stderr, "contactsheet: %s is not a 4-bit bitmap\n", entry.path().c_str());
            return 1;
        }
        pictures.push_back({entry.path().stem().string(), img});
    }
    if (error || pictures.empty()) {
        std::fprintf(stderr, "contactsheet: no bitmaps in %s\n", argv[1]);
        return 1;
    }
    cards::SortForSheet(pictures);
    if (!canvas::WriteBmp4(argv[2], cards::ContactSheet(pictures))) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
