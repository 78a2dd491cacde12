#pragma once
// Skin-like pictures for the tests: whole .bmp files (24-bit, bottom-up, rows
// padded to 4 bytes) built in memory and registered under resource ids.

#include <cstdint>
#include <functional>
#include <vector>

namespace toolkit_test {

using PixelFn = std::function<std::uint32_t(int x, int y)>;  // 0x00RRGGBB

std::vector<unsigned char> makeBmp24(int width, int height, const PixelFn& pixel);
std::vector<unsigned char> makeBmp8(int width, int height, const std::vector<std::uint32_t>& palette,
                                    const std::function<unsigned char(int x, int y)>& index);
// Registers a picture for id (kept alive for the process).
void registerImage(int id, std::vector<unsigned char> bmp);
// A film strip: frames pictures of frameHeight stacked, frame f filled with frameColour(f).
void registerFilmStrip(int id, int width, int frameHeight, int frames);
std::uint32_t frameColour(int frame);

// The ids the GUI tests use.
enum TestImageId { kBackgroundId = 19000, kKnobStripId = 19008, kButtonId = 19014, kSwitchId = 19005 };
void registerGuiImages();

}  // namespace toolkit_test
