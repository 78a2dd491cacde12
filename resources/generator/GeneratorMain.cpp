// ambrel-skin-gen EDITION FOLDER
// Draws the edition's bitmap set and writes FOLDER/<id>.bmp, FOLDER/skin.rc and
// FOLDER/SkinImages.cpp. A native build tool: it runs on the build machine,
// also when the plug-ins are cross-built.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/generator/BmpWriter.h"
#include "resources/generator/SkinFonts.h"
#include "resources/generator/SkinEdition.h"
#include "resources/generator/SkinOutputs.h"
#include "resources/generator/SkinRenderer.h"

int main(int argc, char** argv) {
    using namespace ambrel::skin;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s full|sibling OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const SkinEdition* edition = skinEditionByKey(argv[1]);
    if (edition == nullptr) {
        std::fprintf(stderr, "%s: unknown edition '%s'\n", argv[0], argv[1]);
        return 2;
    }
    const std::string missing = missingSkinFonts();
    if (!missing.empty()) {
        std::fprintf(stderr, "%s: the skin needs the DejaVu fonts (fonts-dejavu-core); missing: %s\n", argv[0],
                     missing.c_str());
        return 1;
    }
    const std::string folder = argv[2];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    RenderedSet set;
    if (!renderEdition(*edition, set)) {
        std::fprintf(stderr, "%s: the %s edition names a bitmap the skin cannot draw\n", argv[0], edition->key);
        return 1;
    }
    std::vector<EncodedBitmap> encoded;
    for (const RenderedBitmap& b : set.bitmaps()) encoded.push_back({b.id, encodeBmp(b.surface)});
    if (!writeBitmapFiles(folder, encoded) || !writeResourceScript(folder + "/skin.rc", encoded) ||
        !writeEmbeddingSource(folder + "/SkinImages.cpp", edition->key, encoded)) {
        std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], folder.c_str());
        return 1;
    }
    return 0;
}
