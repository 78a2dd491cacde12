// The full edition's skin ("ZEM Ambrel2"): main background 19000, processing
// button 19014, the oversampling button 19034 in the bottom row.
#include "resources/generator/SkinEdition.h"

namespace ambrel::skin {

namespace {
constexpr int kFullIds[] = {
    19000, 19002, 19003, 19004, 19005, 19006, 19008, 19009, 19010, 19012, 19013, 19014, 19015,
    19016, 19017, 19021, 19024, 19026, 19032, 19033, 19034, 19035, 19036, 19037,
    19991, 19992, 19993, 19994, 19995, 19996, 19997, 19998, 19999,
};

const SkinEdition kFullEdition{
    "full",
    "ZEM Ambrel2",
    "Ambrel2x64",
    kFullIds,
    19000,
    19014,
    true,
    "OFF",
    "ON",
    "\xC2\xB1" "12 dB",
    "x0.06 - x16",
};
}  // namespace

const SkinEdition& fullSkinEdition() { return kFullEdition; }

}  // namespace ambrel::skin
