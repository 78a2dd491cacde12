// The toolkit's costs on the GUI thread: an idle call with nothing to redraw,
// and a full redraw of a 450 by 460 editor-sized frame (back buffer and, with a
// display, the copy to the window). Run through scripts/with-display.sh for the
// windowed figures.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "toolkit/BitmapResources.h"
#include "toolkit/CAnimKnob.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CParamDisplay.h"

using namespace VSTGUI;

namespace {

std::vector<unsigned char> bmp24(int width, int height, std::uint32_t seed) {
    std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<unsigned char> b(54 + stride * height, 0);
    auto put32 = [&b](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    for (std::size_t i = 54; i < b.size(); ++i) b[i] = static_cast<unsigned char>((i * seed) >> 3);
    return b;
}

void registerSkin() {
    static std::list<std::vector<unsigned char>> keep;
    if (!keep.empty()) return;
    auto add = [](int id, int w, int h) {
        keep.push_back(bmp24(w, h, static_cast<std::uint32_t>(id)));
        registerBitmapResource(id, keep.back().data(), keep.back().size());
    };
    add(19000, 450, 460);
    add(19008, 60, 5050);
    add(19014, 36, 80);
}

// A frame laid out like the product editor: background, 24 film-strip knobs,
// 8 buttons and 8 readouts.
std::unique_ptr<CFrame, void (*)(CFrame*)> makeFrame() {
    registerSkin();
    auto* frame = new CFrame(CRect(0, 0, 450, 460), nullptr, nullptr);
    auto* background = new CBitmap(19000);
    frame->setBackground(background);
    auto* strip = new CBitmap(19008);
    auto* button = new CBitmap(19014);
    for (int i = 0; i < 24; ++i) {
        int x = 10 + (i % 6) * 72;
        int y = 20 + (i / 6) * 90;
        auto* knob = new CAnimKnob(CRect(x, y, x + 60, y + 50), nullptr, i, 101, 50, strip);
        knob->setValue(static_cast<float>(i) / 24.0f);
        frame->addView(knob);
        knob->forget();
        auto* readout = new CParamDisplay(CRect(x, y + 55, x + 60, y + 69), background);
        readout->copyBackOffset();
        readout->setFont(kNormalFontVerySmall);
        readout->setValue(static_cast<float>(i));
        if (i < 8) {
            frame->addView(readout);
        }
        readout->forget();
    }
    for (int i = 0; i < 8; ++i) {
        auto* b = new COnOffButton(CRect(10 + i * 50, 398, 46 + i * 50, 438), nullptr, 30 + i, button);
        frame->addView(b);
        b->forget();
    }
    strip->forget();
    button->forget();
    background->forget();
    frame->idle();
    return {frame, [](CFrame* f) { f->forget(); }};
}

void BM_ToolkitIdleNothingDirty(benchmark::State& state) {
    auto frame = makeFrame();
    if (!frame->hasWindow()) state.SkipWithError("no X display: run through scripts/with-display.sh");
    for (auto _ : state) frame->idle();
}
BENCHMARK(BM_ToolkitIdleNothingDirty)->Unit(benchmark::kMicrosecond);

void BM_ToolkitFullRedrawWindow(benchmark::State& state) {
    auto frame = makeFrame();
    if (!frame->hasWindow()) state.SkipWithError("no X display: run through scripts/with-display.sh");
    for (auto _ : state) {
        frame->setDirty(true);
        frame->idle();
    }
}
BENCHMARK(BM_ToolkitFullRedrawWindow)->Unit(benchmark::kMicrosecond);

void BM_ToolkitFullRedrawBackBuffer(benchmark::State& state) {
    auto frame = makeFrame();
    for (auto _ : state) {
        CDrawContext context(frame.get(), frame->drawDevice());
        frame->draw(&context);
    }
}
BENCHMARK(BM_ToolkitFullRedrawBackBuffer)->Unit(benchmark::kMicrosecond);

void BM_ToolkitOneKnobRedraw(benchmark::State& state) {
    auto frame = makeFrame();
    auto* knob = static_cast<CControl*>(frame->getView(3));
    float v = 0.0f;
    for (auto _ : state) {
        v = v > 0.99f ? 0.0f : v + 0.01f;
        knob->setValue(v);
        frame->idle();
    }
}
BENCHMARK(BM_ToolkitOneKnobRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
