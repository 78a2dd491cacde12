// The editor of the built plug-in binaries, driven as a user drives it: opened
// by the host in its own window on a private X server, with real pointer and
// key input. What the host is told, what the effect holds afterwards, what the
// audio does and what the server shows are the evidence.

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "EditorPluginHost.h"

namespace editor_plugin_test {
namespace {

struct EditionFacts {
    const char* name;
    const char* binary;
    int leftRight;    // the L R parameter the four-way button sets with Mono Stereo
    int channelMode;  // the four-way button's own, editor-only index
};

const EditionFacts kEditions[] = {
    {"Full", AMBREL_FULL_PLUGIN, 30, 57},
    {"Sibling", AMBREL_SIBLING_PLUGIN, 36, 65},
};

void PrintTo(const EditionFacts& facts, std::ostream* os) { *os << facts.name; }

constexpr int kDrive = 4;
constexpr int kRelease = 7;
constexpr int kMix = 12;
constexpr int kMonoStereo = 2;
constexpr int kMeters = 21;
constexpr int kLowSat = 15;

struct Spot {
    int x, y;
};
constexpr Spot kDriveCentre{178, 208};
constexpr Spot kMixCentre{283, 348};
constexpr Spot kReleaseCentre{76, 348};
constexpr Spot kEntryField{179, 289};
constexpr Spot kToSettings{160, 413};
constexpr Spot kToMain{224, 85};
constexpr Spot kFourWayLeft{330, 412};
constexpr Spot kOutside{-40, -40};

struct Area {
    int left, top, right, bottom;
};
constexpr Area kLeftMeter{54, 40, 190, 110};
constexpr Area kLeftLed{160, 109, 181, 130};
constexpr Area kReadout{151, 281, 208, 299};

class EditorPlugin : public ::testing::TestWithParam<EditionFacts> {
protected:
    void SetUp() override {
        host = std::make_unique<EditorPluginHost>(GetParam().binary);
        ASSERT_TRUE(host->ok()) << "the binary loads and the private X server runs";
        HostLog::instance().calls.clear();
        host->moveTo(kOutside.x, kOutside.y);
        ASSERT_TRUE(host->openEditor());
    }
    void TearDown() override { host.reset(); }

    Picture area(const Area& a) { return host->picture(a.left, a.top, a.right - a.left, a.bottom - a.top); }
    // The window without the numeric readout, which shows the latest change.
    Picture windowWithoutReadout() {
        Picture p = host->window();
        for (int y = kReadout.top; y < kReadout.bottom; ++y)
            for (int x = kReadout.left; x < kReadout.right; ++x) p.pixels[static_cast<std::size_t>(y) * p.width + x] = 0;
        return p;
    }
    void doubleClick(Spot s) {
        host->click(s.x, s.y);
        host->click(s.x, s.y);
    }
    void typeAndEnter(const char* text) {
        host->moveTo(kEntryField.x, kEntryField.y);
        host->idle(2);
        host->type(text);
        host->keyDown(XK_Return);
        host->keyUp(XK_Return);
        host->idle(6);
    }
    // Full-scale square wave: every sample is an over at the input.
    void processLoudly(int calls) {
        std::vector<float> loud(512);
        for (std::size_t i = 0; i < loud.size(); ++i) loud[i] = (i / 8) % 2 ? 1.0f : -1.0f;
        for (int i = 0; i < calls; ++i) host->process(loud);
    }

    std::unique_ptr<EditorPluginHost> host;
};

TEST_P(EditorPlugin, OpensAtItsFixedSizeAndShowsBothPagesForReview) {
    ERect* rect = nullptr;
    ASSERT_EQ(host->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 460);
    EXPECT_EQ(rect->right, 450);
    EXPECT_TRUE(host->effect->flags & effFlagsHasEditor);

    const Picture main = windowWithoutReadout();
    const std::string edition = GetParam().name;
    EXPECT_TRUE(host->screenshot(edition + "-main-page"));
    host->click(kToSettings.x, kToSettings.y);
    host->moveTo(kOutside.x, kOutside.y);
    host->idle();
    const Picture settings = host->window();
    EXPECT_TRUE(host->screenshot(edition + "-settings-page"));
    // The settings page covers the main page, the preset strip stays.
    EXPECT_GT(settings.differingPixels(main), 450 * 300);
    const Picture strip = host->picture(0, 446, 450, 12);
    host->click(kToMain.x, kToMain.y);
    host->moveTo(kOutside.x, kOutside.y);
    host->idle();
    EXPECT_EQ(host->picture(0, 446, 450, 12), strip);
    const Picture back = windowWithoutReadout();
    EXPECT_EQ(back.differingPixels(main), 0) << "back on the main page as it was: " << back.differenceBounds(main);
}

TEST_P(EditorPlugin, DriveDragIsBracketedRisesAndReachesTheAudio) {
    host->dispatch(effSetEditKnobMode, 0, 2);  // linear: 300 pixels upwards for the whole range
    HostLog& log = HostLog::instance();
    log.calls.clear();
    host->moveTo(kDriveCentre.x, kDriveCentre.y);
    host->idle(2);
    for (int up = 10; up <= 40; up += 10)
        log.script.push_back([this, up] { host->moveTo(kDriveCentre.x, kDriveCentre.y - up); });
    log.script.push_back([this] { host->release(); });
    host->press();
    host->idle(4);
    ASSERT_TRUE(log.script.empty()) << "the drag asked the host for idle passes until the release";
    host->idle(4);

    const std::vector<HostCall> edits = log.edits();
    auto begin = std::find_if(edits.begin(), edits.end(), [](const HostCall& c) {
        return c.opcode == audioMasterBeginEdit && c.index == kDrive;
    });
    auto end = std::find_if(edits.begin(), edits.end(), [](const HostCall& c) {
        return c.opcode == audioMasterEndEdit && c.index == kDrive;
    });
    ASSERT_NE(begin, edits.end());
    ASSERT_NE(end, edits.end());
    ASSERT_LT(begin, end);
    std::vector<float> inside;
    for (auto c = begin; c != end; ++c)
        if (c->opcode == audioMasterAutomate && c->index == kDrive) inside.push_back(c->value);
    ASSERT_GE(inside.size(), 3u);
    EXPECT_TRUE(std::is_sorted(inside.begin(), inside.end())) << "the values rise with the pointer";
    EXPECT_GT(inside.back(), inside.front());
    for (auto c = end; c != edits.end(); ++c) EXPECT_NE(c->opcode, audioMasterAutomate) << "nothing after endEdit";
    const float dragged = host->parameter(kDrive);
    EXPECT_NEAR(dragged, 0.5f + 40.0f / 300.0f, 0.01f);
    EXPECT_FLOAT_EQ(inside.back(), dragged);

    // The next audio is that of an effect told the new drive by its host, and
    // not that of the old drive.
    EditorPluginHost reference(GetParam().binary);
    ASSERT_TRUE(reference.ok());
    std::vector<float> signal(4096);
    for (std::size_t i = 0; i < signal.size(); ++i) signal[i] = 0.5f * std::sin(0.05f * static_cast<float>(i));
    reference.resume();
    const std::vector<float> oldDrive = reference.process(signal);
    reference.setParameter(kDrive, dragged);
    reference.resume();
    const std::vector<float> newDrive = reference.process(signal);
    host->resume();
    const std::vector<float> out = host->process(signal);
    double fromNew = 0.0, fromOld = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        fromNew = std::max(fromNew, static_cast<double>(std::fabs(out[i] - newDrive[i])));
        fromOld = std::max(fromOld, static_cast<double>(std::fabs(out[i] - oldDrive[i])));
    }
    EXPECT_LT(fromNew, 1e-6);
    EXPECT_GT(fromOld, 1e-3);
}

TEST_P(EditorPlugin, ControlClickRestoresTheDefault) {
    host->setParameter(kMix, 0.3f);
    host->setParameter(kDrive, 0.9f);
    host->idle();
    HostLog::instance().calls.clear();
    host->keyDown(XK_Control_L);
    host->click(kMixCentre.x, kMixCentre.y);
    host->click(kDriveCentre.x, kDriveCentre.y);
    host->keyUp(XK_Control_L);
    EXPECT_FLOAT_EQ(host->parameter(kMix), 1.0f);
    EXPECT_FLOAT_EQ(host->parameter(kDrive), 0.5f);
    const std::vector<HostCall> edits = HostLog::instance().edits();
    auto automated = [&](int index, float value) {
        return std::any_of(edits.begin(), edits.end(), [&](const HostCall& c) {
            return c.opcode == audioMasterAutomate && c.index == index && c.value == value;
        });
    };
    EXPECT_TRUE(automated(kMix, 1.0f));
    EXPECT_TRUE(automated(kDrive, 0.5f));
}

TEST_P(EditorPlugin, TypedValuesFollowTheReadoutUnitsAndClamp) {
    host->setParameter(GetParam().leftRight == 30 ? 24 : 28, 1.0f);  // fine adjust at its full range
    host->idle();
    HostLog::instance().calls.clear();
    doubleClick(kDriveCentre);
    typeAndEnter("6");
    EXPECT_FLOAT_EQ(host->parameter(kDrive), 0.625f);  // (24 + 6) / 48

    doubleClick(kReleaseCentre);
    typeAndEnter("100");
    EXPECT_FLOAT_EQ(host->parameter(kRelease), 1.0f);  // log(400) / log(16) is above 1
    for (const HostCall& c : HostLog::instance().edits())
        EXPECT_FALSE(c.opcode == audioMasterAutomate && c.value == 0.625f) << "typed values are not automated";
}

TEST_P(EditorPlugin, FourWayButtonSendsBothParametersInsideOpenEdits) {
    const int lr = GetParam().leftRight;
    HostLog::instance().calls.clear();
    host->click(kFourWayLeft.x, kFourWayLeft.y);
    const std::vector<HostCall> edits = HostLog::instance().edits();
    const std::vector<HostCall> pair = {{audioMasterBeginEdit, kMonoStereo, 0}, {audioMasterBeginEdit, lr, 0},
                                        {audioMasterAutomate, kMonoStereo, host->parameter(kMonoStereo)},
                                        {audioMasterAutomate, lr, host->parameter(lr)},
                                        {audioMasterEndEdit, kMonoStereo, 0}, {audioMasterEndEdit, lr, 0}};
    ASSERT_GE(edits.size(), pair.size());
    bool found = false;
    for (std::size_t at = 0; at + pair.size() <= edits.size() && !found; ++at) {
        found = true;
        for (std::size_t k = 0; k < pair.size(); ++k) {
            const HostCall& c = edits[at + k];
            found = found && c.opcode == pair[k].opcode && c.index == pair[k].index &&
                    (c.opcode != audioMasterAutomate || c.value == pair[k].value);
        }
    }
    EXPECT_TRUE(found) << "begin 2, begin L R, both automations, end 2, end L R";
    EXPECT_FLOAT_EQ(host->parameter(kMonoStereo), 0.0f);  // left only: not stereo
    for (const HostCall& c : edits)
        EXPECT_NE(c.index, GetParam().channelMode) << "the host hears only of the parameters it knows";
}

TEST_P(EditorPlugin, MetersAndLedsMoveWithLoudAudio) {
    host->setParameter(kMeters, 0.0f);  // the input level
    host->resume();
    host->idle();
    const Picture meterAtRest = area(kLeftMeter);
    const Picture ledDark = area(kLeftLed);
    for (int i = 0; i < 10; ++i) {
        processLoudly(4);
        host->idle(2);
    }
    EXPECT_GT(area(kLeftMeter).differingPixels(meterAtRest), 50) << "the needle moved";
    EXPECT_GT(area(kLeftLed).differingPixels(ledDark), 50) << "the over LED lit";
    host->screenshot(std::string(GetParam().name) + "-main-page-loud");
}

TEST_P(EditorPlugin, SettingsPageLeavesTheOverFlagsForTheMainPage) {
    host->setParameter(kMeters, 0.0f);
    host->resume();
    host->idle();
    const Picture ledDark = area(kLeftLed);
    host->click(kToSettings.x, kToSettings.y);
    processLoudly(2);  // latches the over flags
    host->idle(30);
    host->click(kToMain.x, kToMain.y);
    EXPECT_GT(area(kLeftLed).differingPixels(ledDark), 50) << "the over that came during the settings page shows";
}

TEST_P(EditorPlugin, ReopenedWindowShowsTheMainPageRebuiltFromTheEffect) {
    host->setParameter(kDrive, 1.0f);
    host->setParameter(kMix, 0.0f);
    host->setParameter(0, 0.0f);  // processing off
    host->setParameter(kLowSat, 1.0f);
    host->idle();
    const Picture mainBefore = windowWithoutReadout();
    host->click(kToSettings.x, kToSettings.y);
    host->moveTo(kOutside.x, kOutside.y);
    host->idle();
    const Picture settingsBefore = host->window();
    host->closeEditor();

    // Changed while closed: shown once the window opens again.
    host->setParameter(kRelease, 0.0f);
    ASSERT_TRUE(host->openEditor());
    host->idle();
    const Picture mainAfter = windowWithoutReadout();
    const Area release{46, 320, 106, 376};
    EXPECT_GT(area(release).differingPixels(Picture{}), 0);
    EXPECT_GT(mainAfter.differingPixels(mainBefore), 0) << "the release knob shows its new value";
    // Apart from the release knob, the same picture as before the close.
    int outsideRelease = 0;
    for (int y = 0; y < mainAfter.height; ++y)
        for (int x = 0; x < mainAfter.width; ++x) {
            const bool inRelease = x >= release.left && x < release.right && y >= release.top && y < release.bottom;
            if (!inRelease) outsideRelease += mainAfter.at(x, y) != mainBefore.at(x, y);
        }
    EXPECT_EQ(outsideRelease, 0);
    host->click(kToSettings.x, kToSettings.y);
    host->moveTo(kOutside.x, kOutside.y);
    host->idle();
    EXPECT_EQ(host->window().differingPixels(settingsBefore), 0);
}

TEST_P(EditorPlugin, SettingsPageKnobsOpenNoValueEntry) {
    const int overs = GetParam().leftRight == 30 ? 47 : 53;
    host->click(kToSettings.x, kToSettings.y);
    host->moveTo(kOutside.x, kOutside.y);
    host->idle();
    const Picture before = host->window();
    const float threshold = host->parameter(overs);
    doubleClick({80, 396});  // the overs threshold knob
    typeAndEnter("9");
    host->moveTo(kOutside.x, kOutside.y);
    host->idle();
    EXPECT_FLOAT_EQ(host->parameter(overs), threshold);
    EXPECT_EQ(host->window().differingPixels(before), 0) << host->window().differenceBounds(before);
}

TEST_P(EditorPlugin, HoveredKnobShowsItsValueOnTheReadout) {
    host->setParameter(kMix, 0.25f);
    host->setParameter(kDrive, 0.75f);  // the readout shows the latest change: drive
    host->moveTo(kOutside.x, kOutside.y);
    host->idle(20);
    const Picture start = area(kReadout);
    host->moveTo(kMixCentre.x, kMixCentre.y);
    host->idle(20);  // one hover check per nine idle calls
    const Picture mix = area(kReadout);
    EXPECT_GT(mix.differingPixels(start), 20);
    host->moveTo(kLeftMeter.left + 20, kLeftMeter.top + 20);  // no value control: blank after eleven checks
    host->idle(9 * 12);
    const Picture blank = area(kReadout);
    EXPECT_GT(blank.differingPixels(mix), 20);
    host->moveTo(kMixCentre.x, kMixCentre.y);
    host->idle(20);
    EXPECT_EQ(area(kReadout), mix) << "the same value again";
}

INSTANTIATE_TEST_SUITE_P(BothEditions, EditorPlugin, ::testing::ValuesIn(kEditions),
                         [](const ::testing::TestParamInfo<EditionFacts>& info) { return info.param.name; });

}  // namespace
}  // namespace editor_plugin_test
