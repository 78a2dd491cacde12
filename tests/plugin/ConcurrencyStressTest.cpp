// Three threads on one effect, as a host drives it: the audio thread runs the
// processing calls without a pause; an automation thread sets random values
// on every index (Process, Mode, FAT, channel mode and FineTune included),
// selects programs and stores and recalls the memories; the GUI thread opens
// the editor, idles it, makes the host's text calls, reads the current
// program's values as the editor's file actions do and closes it again, over
// and over (with an X display; without one it makes the calls only).
// Through all of it the output stays finite and bounded by the settings.
//
// A fraction of a second in the normal suite; AMBREL_STRESS_MS lengthens it
// for the ThreadSanitizer build (cmake --preset tsan), where any data race
// fails the test.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "core/Ambrel.h"
#include "tests/support/TempFolder.h"

using namespace ambrel;

namespace {

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

std::chrono::milliseconds stressDuration() {
    const char* text = std::getenv("AMBREL_STRESS_MS");
    const long ms = text ? std::atol(text) : 0;
    return std::chrono::milliseconds(ms > 0 ? ms : 300);
}

struct AudioThreadResult {
    long calls = 0;
    long nonFinite = 0;
    double peak = 0.0;
};

// The most the chain can make of the 0.9 peak input: +12 dB of ceiling and of
// output gain, and the filters' overshoot.
constexpr double kInputPeak = 0.9;
constexpr double kOutputBound = 16.0 * 4.0 * kInputPeak;

void runAudio(Ambrel& effect, const std::atomic<bool>& stop, AudioThreadResult& result) {
    constexpr int kMaxFrames = 512;
    std::vector<float> l(kMaxFrames), r(kMaxFrames), ol(kMaxFrames), orr(kMaxFrames);
    std::vector<double> dl(kMaxFrames), dr(kMaxFrames), dol(kMaxFrames), dor(kMaxFrames);
    for (int i = 0; i < kMaxFrames; ++i) {
        l[i] = static_cast<float>(kInputPeak * std::sin(0.031 * i));
        r[i] = static_cast<float>(kInputPeak * std::sin(0.017 * i + 2.0));
        dl[i] = l[i];
        dr[i] = r[i];
    }
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {ol.data(), orr.data()};
    double* din[2] = {dl.data(), dr.data()};
    double* dout[2] = {dol.data(), dor.data()};
    auto judge = [&result](double s) {
        if (!std::isfinite(s))
            ++result.nonFinite;
        else
            result.peak = std::max(result.peak, std::fabs(s));
    };
    int frames = 1;
    while (!stop.load(std::memory_order_relaxed)) {
        frames = frames * 7 % kMaxFrames + 1;
        if (result.calls % 5 == 4) {
            effect.processDoubleReplacing(din, dout, frames);
            for (int i = 0; i < frames; ++i) judge(dol[i]), judge(dor[i]);
        } else {
            effect.processReplacing(in, out, frames);
            for (int i = 0; i < frames; ++i) judge(ol[i]), judge(orr[i]);
        }
        ++result.calls;
    }
}

void runAutomation(Ambrel& effect, const Edition& edition, const std::atomic<bool>& stop, long& changes) {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    while (!stop.load(std::memory_order_relaxed)) {
        const int index = static_cast<int>(random() % static_cast<unsigned>(edition.numIndices));
        effect.setParameterAutomated(index, value(random));
        ++changes;
        switch (random() % 64) {
        case 0: effect.selectProgram(static_cast<int>(random() % kProgramSlots)); break;
        case 1: effect.storeMemoA(); break;
        case 2: effect.recallMemoA(); break;
        case 3: effect.recallMemoB(); break;
        default: break;
        }
    }
}

struct GuiThreadResult {
    long calls = 0;
    long programValuesOutOfRange = 0;
    long opens = 0;
    long idles = 0;
};

bool haveDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

// Idle passes the GUI thread has made, read by the test's own thread: opening
// an editor can take long on a loaded machine, and the stress must not end
// before the editor has idled.
std::atomic<long> idlePasses{0};

void runGui(Ambrel& effect, const Edition& edition, bool withWindow, const std::atomic<bool>& stop,
            GuiThreadResult& result) {
    AEffect* e = effect.getAeffect();
    char text[64];
    auto textCalls = [&] {
        for (int index = 0; index < edition.numParams; index += 5) {
            e->dispatcher(e, effGetParamDisplay, index, 0, text, 0.0f);
            e->getParameter(e, index);
        }
        e->dispatcher(e, effGetProgramName, 0, 0, text, 0.0f);
        // What a preset file is written from, while the host sets values.
        if (const CProgram* current = effect.program(effect.getCurrentProgramIndex())) {
            for (int index = 0; index < edition.numParams; ++index) {
                const float value = current->getParameterValue(index);
                if (!(value >= 0.0f && value <= 1.0f)) ++result.programValuesOutOfRange;
            }
        }
        ++result.calls;
    };
    while (!stop.load(std::memory_order_relaxed)) {
        ERect* rect = nullptr;
        e->dispatcher(e, effEditGetRect, 0, 0, &rect, 0.0f);
        const bool open = withWindow && e->dispatcher(e, effEditOpen, 0, 0, nullptr, 0.0f) != 0;
        result.opens += open;
        for (int pass = 0; pass < 12 && !stop.load(std::memory_order_relaxed); ++pass) {
            e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
            ++result.idles;
            idlePasses.fetch_add(1, std::memory_order_relaxed);
            textCalls();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (open) e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
    }
}

class ConcurrencyStress : public ::testing::TestWithParam<const Edition*> {
protected:
    testsupport::TempSettingsStore settings;
};

TEST_P(ConcurrencyStress, AudioStaysFiniteAndBoundedUnderAutomationProgramsAndEditorCalls) {
    const Edition& edition = *GetParam();
    Ambrel effect(quietHost, edition);
    effect.setSampleRate(44100.0f);
    effect.resume();
    const bool withWindow = haveDisplay();
    if (!withWindow) {
        std::printf("[   NOTE   ] no X display: the GUI thread makes its text calls without a window\n");
        effect.engine().editorOpen = 1;  // the kernels still compute the meters
    }

    std::atomic<bool> stop{false};
    AudioThreadResult audio;
    GuiThreadResult gui;
    long changes = 0;
    std::thread audioThread(runAudio, std::ref(effect), std::cref(stop), std::ref(audio));
    std::thread automationThread(runAutomation, std::ref(effect), std::cref(edition), std::cref(stop),
                                 std::ref(changes));
    std::thread guiThread(runGui, std::ref(effect), std::cref(edition), withWindow, std::cref(stop),
                          std::ref(gui));
    idlePasses = 0;
    std::this_thread::sleep_for(stressDuration());
    for (int wait = 0; wait < 3000 && idlePasses.load(std::memory_order_relaxed) < 12; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    stop = true;
    audioThread.join();
    automationThread.join();
    guiThread.join();

    EXPECT_GT(audio.calls, 0);
    EXPECT_GT(changes, 0);
    EXPECT_GT(gui.calls, 0);
    EXPECT_GT(gui.idles, 0);
    if (withWindow) {
        EXPECT_GT(gui.opens, 0) << "the editor never opened";
    }
    EXPECT_EQ(audio.nonFinite, 0) << audio.calls << " processing calls";
    EXPECT_EQ(gui.programValuesOutOfRange, 0);
    EXPECT_LE(audio.peak, kOutputBound);
    std::printf("[   NOTE   ] %ld processing calls, %ld parameter changes, %ld editor opens, %ld idles, peak %.3f\n",
                audio.calls, changes, gui.opens, gui.idles, audio.peak);
}

INSTANTIATE_TEST_SUITE_P(BothEditions, ConcurrencyStress, ::testing::Values(&fullEdition(), &siblingEdition()),
                         [](const ::testing::TestParamInfo<const Edition*>& info) {
                             return std::string(info.param == &fullEdition() ? "Full" : "Sibling");
                         });

}  // namespace
