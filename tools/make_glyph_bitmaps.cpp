// Writes the four glyph bitmaps (CHIFFRES.bmp, GRANDS.bmp, ONLINE.bmp,
// OFFLINE.bmp) into a directory, normally resources/.
#include <cstdio>
#include <fstream>
#include <string>

#include "glyph_art.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(stderr, "usage: make-glyph-bitmaps DIRECTORY\n"
                             "Draws the glyph strips and plug icons into DIRECTORY/*.bmp.\n");
        return argc == 2 ? 0 : 2;
    }
    for (const auto& file : kavelo::art::GlyphFiles()) {
        const std::string path = std::string(argv[1]) + "/" + file.name + ".bmp";
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "make-glyph-bitmaps: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s (%zu bytes)\n", path.c_str(), file.bytes.size());
    }
    return 0;
}
