// The audio thread's calls neither allocate nor lock, in any mode: every
// kernel choice (Process, Mode, Mono Stereo with L R, Link), FAT on and off,
// Brickwall, Long and Auto, the meters computed as with the editor open, at
// every rate band and in both precisions; parameter changes made on the
// audio thread (host automation) included.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "CallCounter.h"
#include "core/Ambrel.h"
#include "support/TempFolder.h"

using namespace ambrel;

namespace {

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct Mode {
    float process, mode, monoStereo, leftRight, link, fat, brickwall, longRelease, autoRelease;
};

std::vector<Mode> everyMode() {
    std::vector<Mode> modes;
    for (float process : {0.0f, 1.0f})
        for (float mode : {0.0f, 1.0f})
            for (float channels : {0.0f, 0.5f, 1.0f, 2.0f})  // mono, left, right (Mono Stereo off), stereo
                for (float link : {0.0f, 1.0f})
                    for (float fat : {0.0f, 1.0f})
                        for (float brickwall : {0.0f, 1.0f}) {
                            const bool stereo = channels > 1.5f;
                            const float extra = (link + fat) > 0.5f ? 1.0f : 0.0f;
                            modes.push_back({process, mode, stereo ? 1.0f : 0.0f, stereo ? 0.0f : channels, link, fat,
                                             brickwall, extra, 1.0f - extra});
                        }
    return modes;
}

class RealTimeSafety : public ::testing::TestWithParam<const Edition*> {
protected:
    void SetUp() override {
        if (!realtime::callCounterAvailable()) GTEST_SKIP() << "the sanitizers replace the allocator";
    }
    testsupport::TempSettingsStore settings;
};

void set(Ambrel& effect, const Edition& edition, ParameterRole role, float value) {
    const int index = edition.indexOf(role);
    if (index >= 0) effect.setParameter(index, value);
}

template <typename Sample>
struct Audio {
    explicit Audio(int frames) : l(frames), r(frames), ol(frames), orr(frames) {
        for (int i = 0; i < frames; ++i) {
            l[i] = static_cast<Sample>(1.5 * std::sin(0.03 * i));
            r[i] = static_cast<Sample>(0.7 * std::sin(0.05 * i + 1.0));
        }
    }
    std::vector<Sample> l, r, ol, orr;
    Sample* in[2] = {l.data(), r.data()};
    Sample* out[2] = {ol.data(), orr.data()};
};

TEST_P(RealTimeSafety, ProcessingAndAutomationNeitherAllocateNorLock) {
    const Edition& edition = *GetParam();
    Audio<float> single(700);
    Audio<double> twice(300);
    const std::vector<Mode> modes = everyMode();
    for (float rate : {44100.0f, 96000.0f, 192000.0f}) {
        auto effect = std::make_unique<Ambrel>(quietHost, edition);
        effect->setSampleRate(rate);
        effect->resume();
        effect->engine().editorOpen = 1;  // the kernels compute the meters too
        for (const Mode& m : modes) {
            realtime::startCounting();
            set(*effect, edition, kProcess, m.process);
            set(*effect, edition, kMode, m.mode);
            set(*effect, edition, kMonoStereo, m.monoStereo);
            set(*effect, edition, kLeftRight, m.leftRight);
            set(*effect, edition, kLink, m.link);
            set(*effect, edition, kFat, m.fat);
            set(*effect, edition, kBrickwall, m.brickwall);
            set(*effect, edition, kLong, m.longRelease);
            set(*effect, edition, kAuto, m.autoRelease);
            set(*effect, edition, kMeters, m.process * 0.5f);
            set(*effect, edition, kMeterType, m.mode);
            effect->processReplacing(single.in, single.out, 700);
            effect->processDoubleReplacing(twice.in, twice.out, 300);
            effect->processReplacing(single.in, single.out, 1);
            effect->processReplacing(single.in, single.out, 0);
            const realtime::CallCounts counts = realtime::stopCounting();
            EXPECT_EQ(counts.allocations, 0)
                << edition.effectName << " at " << rate << " Hz, Process " << m.process << " Mode " << m.mode
                << " Mono Stereo " << m.monoStereo << " L R " << m.leftRight << " Link " << m.link << " FAT " << m.fat;
            EXPECT_EQ(counts.locks, 0)
                << edition.effectName << " at " << rate << " Hz, Process " << m.process << " Mode " << m.mode
                << " Mono Stereo " << m.monoStereo << " L R " << m.leftRight << " Link " << m.link << " FAT " << m.fat;
        }
    }
}

TEST_P(RealTimeSafety, EveryParameterSetOnTheAudioThreadNeitherAllocatesNorLocks) {
    const Edition& edition = *GetParam();
    auto effect = std::make_unique<Ambrel>(quietHost, edition);
    effect->resume();
    Audio<float> audio(64);
    for (int index = 0; index < edition.numIndices; ++index)
        for (float value : {0.0f, 0.37f, 1.0f}) {
            realtime::startCounting();
            effect->setParameterAutomated(index, value);
            effect->processReplacing(audio.in, audio.out, 64);
            const realtime::CallCounts counts = realtime::stopCounting();
            EXPECT_EQ(counts.allocations, 0) << edition.effectName << " index " << index << " = " << value;
            EXPECT_EQ(counts.locks, 0) << edition.effectName << " index " << index << " = " << value;
        }
}

// The counter itself: it sees what it is there to see.
TEST_P(RealTimeSafety, TheCounterSeesAllocationsAndLocks) {
    realtime::startCounting();
    auto* text = new std::string(100, 'x');
    delete text;
    std::mutex mutex;
    mutex.lock();
    mutex.unlock();
    const realtime::CallCounts counts = realtime::stopCounting();
    EXPECT_EQ(counts.allocations, 4);  // the string and its text, each allocated and freed
    EXPECT_EQ(counts.locks, 1);
}

INSTANTIATE_TEST_SUITE_P(BothEditions, RealTimeSafety, ::testing::Values(&fullEdition(), &siblingEdition()),
                         [](const ::testing::TestParamInfo<const Edition*>& info) {
                             return std::string(info.param == &fullEdition() ? "Full" : "Sibling");
                         });

}  // namespace
