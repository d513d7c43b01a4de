// pageids RESOURCE_IDS_H OUT_JS: writes the page's ids.js (page_ids.h).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/generators/webgen/page_ids.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pageids RESOURCE_IDS_H OUT_JS\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "pageids: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string header((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string js = webgen::PageIdsJs(header);
    FILE* f = std::fopen(argv[2], "wb");
    bool written = f && std::fwrite(js.data(), 1, js.size(), f) == js.size();
    if (f && std::fclose(f) != 0) written = false;
    if (!written) {
        std::fprintf(stderr, "pageids: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
