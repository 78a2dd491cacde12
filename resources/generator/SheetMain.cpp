// ambrel-skin-sheet OUTPUT.png EDITION=FOLDER...
// Writes the contact sheet of the generated skin sets.
#include <cstdio>
#include <string>
#include <vector>

#include "resources/generator/ContactSheet.h"

int main(int argc, char** argv) {
    using namespace ambrel::skin;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png EDITION=FOLDER...\n", argv[0]);
        return 2;
    }
    std::vector<SheetEdition> editions;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t eq = arg.find('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "%s: expected EDITION=FOLDER, got '%s'\n", argv[0], argv[i]);
            return 2;
        }
        editions.push_back({arg.substr(0, eq), arg.substr(eq + 1)});
    }
    return writeContactSheet(argv[1], editions) ? 0 : 1;
}
