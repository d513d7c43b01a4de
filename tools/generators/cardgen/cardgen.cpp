// cardgen ART_DIR STAMP: draws every card face, the backs, "Mystery" and
// "Blank" into ART_DIR as <name>.bmp and touches STAMP when all is written.
// A picture the game could not use stops the build instead of reaching the
// resources.
#include <cstdio>
#include <set>
#include <string>

#include "tools/generators/cardgen/cards.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cardgen ART_DIR STAMP\n");
        return 2;
    }
    const std::string dir = argv[1];
    int failures = 0;
    std::set<std::string> seen;
    std::vector<cards::NamedPicture> pictures = cards::AllCardPictures();
    for (const cards::NamedPicture& p : pictures) {
        if (!seen.insert(p.name).second) {
            std::fprintf(stderr, "cardgen: %s drawn twice\n", p.name.c_str());
            ++failures;
        }
        if (!cards::CornersAreWhite(p.image)) {
            std::fprintf(stderr, "cardgen: %s is not a 71 x 96 card with white corners\n",
                         p.name.c_str());
            ++failures;
        }
    }
    if (failures) return 1;
    for (const cards::NamedPicture& p : pictures)
        if (!canvas::WriteFileIfChanged(dir + "/" + p.name + ".bmp", canvas::EncodeBmp4(p.image))) {
            std::fprintf(stderr, "cardgen: cannot write %s.bmp\n", p.name.c_str());
            return 1;
        }
    FILE* stamp = std::fopen(argv[2], "w");
    if (!stamp) {
        std::fprintf(stderr, "cardgen: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fprintf(stamp, "%zu card pictures\n", pictures.size());
    return std::fclose(stamp) == 0 ? 0 : 1;
}
