#include <cstring>

#include "resources/generator/SkinEdition.h"

namespace ambrel::skin {

const SkinEdition* skinEditionByKey(const char* key) {
    if (key == nullptr) return nullptr;
    for (const SkinEdition* e : {&fullSkinEdition(), &siblingSkinEdition()})
        if (std::strcmp(e->key, key) == 0) return e;
    return nullptr;
}

}  // namespace ambrel::skin
