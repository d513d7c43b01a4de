// webgen RES ART_DIR WAVE_DIR REGULAR_FONT BOLD_FONT OUT_DIR: writes the
// browser edition's files into OUT_DIR: resources.js with the tables of the
// compiled resources, the pictures as PNG files, sounds/ and fonts/.
// Unchanged files keep their time; resources.js, the build's output, is
// written every run.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/generators/canvas/canvas.h"
#include "tools/generators/webgen/web_page.h"

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: webgen RES ART_DIR WAVE_DIR REGULAR_FONT BOLD_FONT OUT_DIR\n");
        return 2;
    }
    webgen::WebInputs in{argv[1], argv[2], argv[3], argv[4], argv[5]};
    const std::string out = argv[6];
    webgen::WebPage page;
    std::string error;
    if (!webgen::BuildWebPage(in, &page, &error)) {
        std::fprintf(stderr, "webgen: %s\n", error.c_str());
        return 1;
    }
    const std::string js = webgen::ResourcesJs(page);

    std::error_code failure;
    for (const char* dir : {"sounds", "fonts"}) std::filesystem::create_directories(out + "/" + dir, failure);
    for (const webgen::WebFile& file : page.files)
        if (!canvas::WriteFileIfChanged(out + "/" + file.path, file.bytes)) {
            std::fprintf(stderr, "webgen: cannot write %s/%s\n", out.c_str(), file.path.c_str());
            return 1;
        }
    const std::string jsPath = out + "/resources.js";
    FILE* f = std::fopen(jsPath.c_str(), "wb");
    bool written = f && std::fwrite(js.data(), 1, js.size(), f) == js.size();
    if (f && std::fclose(f) != 0) written = false;
    if (!written) {
        std::fprintf(stderr, "webgen: cannot write %s\n", jsPath.c_str());
        return 1;
    }
    return 0;
}
