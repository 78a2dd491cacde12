#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "core/AudioEffectX.h"
#include "toolkit/AEffEditor.h"

namespace {

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

std::vector<HostCall> gCalls;
VstIntPtr gAnswer = 0;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float opt) {
    gCalls.push_back({opcode, index, value, opt});
    return gAnswer;
}

class TestEffect : public AudioEffectX {
public:
    explicit TestEffect(audioMasterCallback host) : AudioEffectX(host, 1, 4) {}
    void processReplacing(float**, float**, VstInt32 frames) override { processed += frames; }
    void setParameter(VstInt32 index, float value) override {
        if (index >= 0 && index < 4) values[index] = value;
    }
    float getParameter(VstInt32 index) override { return index >= 0 && index < 4 ? values[index] : 0.0f; }
    void suspend() override { ++suspends; }
    void resume() override { ++resumes; }
    float values[4] = {};
    int processed = 0, suspends = 0, resumes = 0;
};

class ClosingEffect : public TestEffect {
public:
    ClosingEffect(audioMasterCallback host, bool* deleted) : TestEffect(host), deleted(deleted) {}
    ~ClosingEffect() override { *deleted = true; }
    bool* deleted;
};

}  // namespace

TEST(AudioEffect, DescriptorForwardsToTheObject) {
    gCalls.clear();
    TestEffect effect(recordingHost);
    AEffect* e = effect.getAeffect();
    EXPECT_EQ(e->magic, kEffectMagic);
    EXPECT_EQ(e->object, &effect);
    EXPECT_EQ(e->numParams, 4);
    EXPECT_FLOAT_EQ(e->ioRatio, 1.0f);
    e->setParameter(e, 2, 0.25f);
    EXPECT_FLOAT_EQ(e->getParameter(e, 2), 0.25f);
    float* none[2] = {nullptr, nullptr};
    e->processReplacing(e, none, none, 17);
    e->process(e, none, none, 5);  // the deprecated form does nothing
    EXPECT_EQ(effect.processed, 17);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(effect.resumes, 1);
    EXPECT_EQ(effect.suspends, 1);
    EXPECT_EQ(e->dispatcher(e, effIdentify, 0, 0, nullptr, 0.0f), kEffectIdentify);
    EXPECT_EQ(e->dispatcher(e, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(e->dispatcher(e, effSetTotalSampleToProcess, 0, 4321, nullptr, 0.0f), 4321);
    EXPECT_EQ(e->dispatcher(e, effGetCurrentMidiProgram, 0, 0, nullptr, 0.0f), -1);
    // Requests that write into a buffer ignore a null one.
    for (VstInt32 op : {effGetParamName, effGetParamLabel, effGetParamDisplay, effGetProgramName,
                        effGetEffectName, effGetParameterProperties, effGetInputProperties, effCanDo})
        EXPECT_EQ(e->dispatcher(e, op, 0, 0, nullptr, 0.0f), 0) << op;
}

TEST(AudioEffect, CloseDeletesTheEffectAndAnswersOne) {
    bool deleted = false;
    auto* effect = new ClosingEffect(nullptr, &deleted);
    AEffect* e = effect->getAeffect();
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(deleted);
}

TEST(AudioEffect, HostRequestsCarryTheirArguments) {
    gCalls.clear();
    gAnswer = 0;
    TestEffect effect(recordingHost);
    effect.setParameterAutomated(3, 0.75f);
    effect.beginEdit(3);
    effect.endEdit(3);
    effect.masterIdle();
    effect.updateDisplay();
    EXPECT_TRUE(effect.isInputConnected(1));
    EXPECT_TRUE(effect.isOutputConnected(1));
    ASSERT_EQ(gCalls.size(), 7u);
    EXPECT_EQ(gCalls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(gCalls[0].index, 3);
    EXPECT_FLOAT_EQ(gCalls[0].opt, 0.75f);
    EXPECT_FLOAT_EQ(effect.getParameter(3), 0.75f);
    EXPECT_EQ(gCalls[1].opcode, audioMasterBeginEdit);
    EXPECT_EQ(gCalls[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(gCalls[3].opcode, audioMasterIdle);
    EXPECT_EQ(gCalls[4].opcode, audioMasterUpdateDisplay);
    EXPECT_EQ(gCalls[5].opcode, audioMasterPinConnected);
    EXPECT_EQ(gCalls[5].index, 1);
    EXPECT_EQ(gCalls[5].value, 0);
    EXPECT_EQ(gCalls[6].value, 1);
    gAnswer = 1;  // any non-zero answer means "not connected"
    EXPECT_FALSE(effect.isInputConnected(1));
    gAnswer = 0;
}

TEST(AudioEffect, BlockSizeAnswerOnlyReplacesWhenPositive) {
    gCalls.clear();
    TestEffect effect(recordingHost);
    effect.setBlockSize(512);
    gAnswer = 0;
    EXPECT_EQ(effect.updateBlockSize(), 512);
    gAnswer = 128;
    EXPECT_EQ(effect.updateBlockSize(), 128);
    gAnswer = -5;
    EXPECT_EQ(effect.updateBlockSize(), 128);
    gAnswer = 0;
}

TEST(AudioEffect, WithoutHostEveryRequestIsQuiet) {
    TestEffect effect(nullptr);
    effect.setParameterAutomated(1, 0.5f);
    EXPECT_FLOAT_EQ(effect.getParameter(1), 0.5f);
    EXPECT_TRUE(effect.isInputConnected(1));
    EXPECT_TRUE(effect.isOutputConnected(1));
    effect.setBlockSize(77);
    EXPECT_EQ(effect.updateBlockSize(), 77);
    EXPECT_FALSE(effect.beginEdit(0));
    EXPECT_FALSE(effect.updateDisplay());
    EXPECT_EQ(effect.getOutputLatency(), 0);
}

namespace {
class KeyRecordingEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    bool onKeyDown(VstKeyCode& key) override {
        last = key;
        return true;
    }
    VstKeyCode last{};
};
}  // namespace

// Found by the dispatcher fuzz target: a modifier float out of the byte's range
// was converted as it came, which is undefined.
TEST(AudioEffect, KeyModifiersOutOfRangeCarryNone) {
    TestEffect effect(nullptr);
    auto* editor = new KeyRecordingEditor(&effect);
    effect.setEditor(editor);
    AEffect* e = effect.getAeffect();
    struct Row { float opt; unsigned char modifiers; };
    const Row rows[] = {{0.0f, 0}, {9.0f, 9}, {255.0f, 255}, {256.0f, 0}, {-1.0f, 0}, {1e30f, 0},
                        {std::numeric_limits<float>::quiet_NaN(), 0}, {-std::numeric_limits<float>::infinity(), 0}};
    for (const Row& r : rows) {
        EXPECT_EQ(e->dispatcher(e, effEditKeyDown, 'a', VKEY_RETURN, nullptr, r.opt), 1);
        EXPECT_EQ(editor->last.modifier, r.modifiers) << r.opt;
        EXPECT_EQ(editor->last.character, 'a');
        EXPECT_EQ(editor->last.virt, VKEY_RETURN);
    }
}

TEST(AudioEffect, EditorRequestsNeedAnEditor) {
    TestEffect effect(nullptr);
    AEffect* e = effect.getAeffect();
    ERect* rect = nullptr;
    EXPECT_EQ(e->dispatcher(e, effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(e, effEditOpen, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(e, effEditKeyDown, 'a', 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->flags & effFlagsHasEditor, 0);
    auto* editor = new AEffEditor(&effect);
    effect.setEditor(editor);  // the effect owns it from here on
    EXPECT_NE(e->flags & effFlagsHasEditor, 0);
    e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f);
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
}
