// The sibling edition's skin ("ZEM Ambrel"): its own main background 19100 and
// processing button 19114, no oversampling button, narrower band ranges.
#include "resources/generator/SkinEdition.h"

namespace ambrel::skin {

namespace {
constexpr int kSiblingIds[] = {
    19002, 19003, 19004, 19005, 19006, 19008, 19009, 19010, 19012, 19013, 19015, 19016, 19017,
    19021, 19024, 19026, 19032, 19033, 19034, 19035, 19036, 19037, 19100, 19114,
    19991, 19992, 19993, 19994, 19995, 19996, 19997, 19998, 19999,
};

const SkinEdition kSibling{
    "sibling",
    "ZEM Ambrel",
    "Ambrel_x64",
    kSiblingIds,
    19100,
    19114,
    false,
    "BYPASS",
    "ACTIVE",
    "\xC2\xB1" "6 dB",
    "x0.25 - x4",
};
}  // namespace

const SkinEdition& siblingSkinEdition() { return kSibling; }

}  // namespace ambrel::skin
