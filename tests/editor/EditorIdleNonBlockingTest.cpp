// The editor's idle never waits for the audio thread. The audio thread is
// frozen in the middle of a processing call (a signal handler holds it
// wherever it is, with whatever it holds), and the editor then idles: an idle
// that took a lock the processing call holds, or waited for the call to end,
// would not return until a watchdog lets the audio thread go, and the test
// fails.

#include <gtest/gtest.h>

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "GuiHarness.h"
#include "core/Ambrel.h"
#include "editor/AmbrelEditor.h"
#include "plugin/LoadedPlugin.h"
#include "toolkit/BitmapResources.h"

namespace ambrel {
namespace {

std::atomic<bool> insideProcessing{false};
std::atomic<bool> held{false};
std::atomic<bool> heldInside{false};
std::atomic<bool> releaseAudio{false};

void holdAudioThread(int) {
    heldInside.store(insideProcessing.load());
    held.store(true);
    while (!releaseAudio.load()) {
    }
    held.store(false);
}

TEST(EditorIdle, CompletesWhileTheAudioThreadIsHeldInsideAProcessingCall) {
    static_assert(std::atomic<bool>::is_always_lock_free, "the handler may only touch lock-free atomics");
    plugintest::useTemporarySettingsFolder();
    VSTGUI::clearRegisteredBitmapResources();
    editor_test::XInput input;
    if (!input.ok()) GTEST_SKIP() << "needs Xvfb or an X server";
    auto effect = std::make_unique<Ambrel>(&plugintest::Host::callback, fullEdition());
    AmbrelEditor* editor = effect->productEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->open(nullptr));
    effect->resume();

    struct sigaction action {};
    action.sa_handler = holdAudioThread;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);

    std::atomic<bool> stop{false};
    std::thread audio([&] {
        constexpr int kFrames = 16384;  // most of the thread's time is spent inside the call
        std::vector<float> l(kFrames, 0.5f), r(kFrames, -0.5f), ol(kFrames), orr(kFrames);
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {ol.data(), orr.data()};
        while (!stop.load()) {
            insideProcessing.store(true);
            effect->processReplacing(in, out, kFrames);
            insideProcessing.store(false);
        }
    });

    bool gotHold = false;
    for (int attempt = 0; attempt < 200 && !gotHold; ++attempt) {
        releaseAudio.store(false);
        held.store(false);
        pthread_kill(audio.native_handle(), SIGUSR1);
        for (int wait = 0; wait < 2000 && !held.load(); ++wait) std::this_thread::sleep_for(std::chrono::microseconds(500));
        if (held.load() && heldInside.load()) {
            gotHold = true;
        } else {
            releaseAudio.store(true);
            while (held.load()) std::this_thread::yield();
        }
    }
    ASSERT_TRUE(gotHold) << "the audio thread was never caught inside a processing call";

    // A watchdog lets the audio thread go after 5 s, so a blocking idle ends the test instead of hanging it.
    std::atomic<bool> idleDone{false};
    std::atomic<bool> watchdogFired{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!idleDone.load() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!idleDone.load()) watchdogFired.store(true);
        releaseAudio.store(true);
    });
    for (int pass = 0; pass < 30; ++pass) editor->idle();
    const bool audioStillHeld = held.load();
    idleDone.store(true);
    watchdog.join();
    stop.store(true);
    audio.join();
    sigaction(SIGUSR1, &previous, nullptr);

    EXPECT_FALSE(watchdogFired.load()) << "idle waited for the audio thread";
    EXPECT_TRUE(audioStillHeld) << "idle finished only once the audio thread ran again";
    editor->close();
}

}  // namespace
}  // namespace ambrel
