// AEffGUIEditor::doIdleStuff: 4 ms sleeps while the next pass is more than
// 50 ms away, then one idle pass, the host's idle, and the next pass 100 ms on;
// the host's idle calls made during it do not reach the frame again.

#include <gtest/gtest.h>

#include <vector>

#include "FakeClock.h"
#include "core/AudioEffectX.h"
#include "toolkit/AEffGUIEditor.h"
#include "toolkit/CFrame.h"

namespace {

std::vector<VstInt32> gHostCalls;
AEffect* gEffect = nullptr;

VstIntPtr host(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    gHostCalls.push_back(opcode);
    // A host answering audioMasterIdle with an editor idle, as many do.
    if (opcode == audioMasterIdle && effect) effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    return 0;
}

class Effect : public AudioEffectX {
public:
    Effect() : AudioEffectX(host, 1, 1) { gEffect = getAeffect(); }
    void processReplacing(float**, float**, VstInt32) override {}
};

class CountingFrame : public VSTGUI::CFrame {
public:
    CountingFrame(AEffGUIEditor* editor, int* count) : CFrame(VSTGUI::CRect(0, 0, 20, 20), nullptr, editor), count(count) {}
    bool idle() override {
        ++*count;
        return CFrame::idle();
    }
    int* count;
};

class CountingEditor : public AEffGUIEditor {
public:
    explicit CountingEditor(AudioEffect* e) : AEffGUIEditor(e) { frame = new CountingFrame(this, &frameIdles); }
    ~CountingEditor() override {
        if (frame) frame->forget();
    }
    int frameIdles = 0;
};

TEST(IdleThrottle, SleepsThenRunsAtMostOncePerFiftyToHundredMilliseconds) {
    toolkit_test::FakeClock clock(1000);
    gHostCalls.clear();
    Effect effect;
    auto* editor = new CountingEditor(&effect);

    struct Step {
        int now;          // the clock when doIdleStuff is called
        bool runs;        // an idle pass happens
        int sleptBefore;  // sleeps so far, after the call
    };
    // Constructed at 1000: the first call runs at once and sets the next pass to 1100.
    const Step steps[] = {
        {1000, true, 0},
        {1010, false, 1},  // 1014 is 86 ms before 1100: back to the caller
        {1045, false, 2},  // 1049: 51 ms before
        {1046, true, 3},   // 1050: 50 ms before, runs; next pass 1150
        {1060, false, 4},
        {1160, true, 4},   // past the time: no sleep
    };
    int idlesBefore = 0;
    for (const Step& s : steps) {
        clock.now = s.now;
        std::size_t hostIdles = 0;
        for (VstInt32 op : gHostCalls) hostIdles += op == audioMasterIdle;
        editor->doIdleStuff();
        std::size_t hostIdlesAfter = 0;
        for (VstInt32 op : gHostCalls) hostIdlesAfter += op == audioMasterIdle;
        // The host's idle answer (effEditIdle) arrives inside the pass and does not
        // reach the frame again: exactly one frame idle per pass.
        EXPECT_EQ(editor->frameIdles - idlesBefore, s.runs ? 1 : 0) << s.now;
        EXPECT_EQ(hostIdlesAfter - hostIdles, s.runs ? 1u : 0u) << s.now;
        EXPECT_EQ(clock.sleeps, s.sleptBefore) << s.now;
        idlesBefore = editor->frameIdles;
    }
}

TEST(IdleThrottle, KnobModeIsSetOnlyThroughTheEditor) {
    Effect effect;
    auto* editor = new AEffGUIEditor(&effect);
    EXPECT_TRUE(editor->setKnobMode(2));
    EXPECT_EQ(VSTGUI::getKnobMode(), VSTGUI::kLinearMode);
    EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(VSTGUI::getKnobMode(), VSTGUI::kCircularMode);
}

TEST(EditorGlue, RectAnswersBeforeOpenAndTheEditorRegistersWithTheEffect) {
    Effect effect;
    struct SizedEditor : AEffGUIEditor {
        explicit SizedEditor(AudioEffect* e) : AEffGUIEditor(e) {
            rect.top = 0;
            rect.left = 0;
            rect.bottom = 460;
            rect.right = 450;
        }
    };
    auto* editor = new SizedEditor(&effect);
    EXPECT_EQ(effect.getEditor(), editor);
    EXPECT_TRUE(effect.getAeffect()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 450);
    EXPECT_EQ(rect->bottom, 460);
    EXPECT_FALSE(editor->isOpen());
    // Keys with no frame (or nothing that wants them) are left to the host.
    VstKeyCode key{'a', 0, 0};
    EXPECT_FALSE(editor->onKeyDown(key));
    EXPECT_EQ(effect.dispatcher(effEditKeyDown, 'a', 0, nullptr, 0.0f), 0);
}

TEST(EditorGlue, EditBracketsReachTheHost) {
    gHostCalls.clear();
    Effect effect;
    auto* editor = new AEffGUIEditor(&effect);
    editor->beginEdit(4);
    editor->endEdit(4);
    ASSERT_EQ(gHostCalls.size(), 2u);
    EXPECT_EQ(gHostCalls[0], audioMasterBeginEdit);
    EXPECT_EQ(gHostCalls[1], audioMasterEndEdit);
}

}  // namespace
