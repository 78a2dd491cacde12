#include "core/AudioEffect.h"

#include <cstring>

#include "toolkit/AEffEditor.h"

namespace {

AudioEffect* effectOf(AEffect* e) { return e ? static_cast<AudioEffect*>(e->object) : nullptr; }

extern "C" VstIntPtr dispatchEffect(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt) {
    AudioEffect* effect = effectOf(e);
    if (!effect) return 0;
    VstIntPtr answer = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete effect;
        return 1;
    }
    return answer;
}

extern "C" void processNothing(AEffect*, float**, float**, VstInt32) {}

extern "C" void processReplacingEffect(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
    if (AudioEffect* effect = effectOf(e)) effect->processReplacing(inputs, outputs, frames);
}

extern "C" void processDoubleReplacingEffect(AEffect* e, double** inputs, double** outputs, VstInt32 frames) {
    if (AudioEffect* effect = effectOf(e)) effect->processDoubleReplacing(inputs, outputs, frames);
}

extern "C" void setParameterEffect(AEffect* e, VstInt32 index, float value) {
    if (AudioEffect* effect = effectOf(e)) effect->setParameter(index, value);
}

extern "C" float getParameterEffect(AEffect* e, VstInt32 index) {
    AudioEffect* effect = effectOf(e);
    return effect ? effect->getParameter(index) : 0.0f;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffect;
    cEffect.process = processNothing;
    cEffect.setParameter = setParameterEffect;
    cEffect.getParameter = getParameterEffect;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = 0;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = 0;
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEffect;
    cEffect.processDoubleReplacing = processDoubleReplacingEffect;
}

AudioEffect::~AudioEffect() {
    AEffEditor* owned = editor;
    editor = nullptr;
    delete owned;
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::getParameterLabel(VstInt32, char* label) { *label = 0; }
void AudioEffect::getParameterDisplay(VstInt32, char* text) { *text = 0; }
void AudioEffect::getParameterName(VstInt32, char* text) { *text = 0; }
void AudioEffect::getProgramName(char* name) { *name = 0; }

VstInt32 AudioEffect::getChunk(void** data, bool) {
    if (data) *data = nullptr;
    return 0;
}

VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) { return 0; }

VstInt32 AudioEffect::getMasterVersion() {
    if (!audioMaster) return 1;
    VstInt32 version = static_cast<VstInt32>(callHost(audioMasterVersion));
    return version;
}

// The host answers 0 for a connected pin.
bool AudioEffect::isInputConnected(VstInt32 input) {
    return !audioMaster || callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
    return !audioMaster || callHost(audioMasterPinConnected, output, 1) == 0;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName:
        if (text) setProgramName(text);
        return 0;
    case effGetProgramName:
        if (text) getProgramName(text);
        return 0;
    case effGetParamLabel:
        if (text) getParameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        if (text) getParameterDisplay(index, text);
        return 0;
    case effGetParamName:
        if (text) getParameterName(index, text);
        return 0;
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
    case effMainsChanged:
        if (value)
            resume();
        else
            suspend();
        return 0;
    case effEditGetRect:
        if (!editor || !ptr) return 0;
        return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen: return editor && editor->open(ptr) ? 1 : 0;
    case effEditClose:
        if (editor) editor->close();
        return 0;
    case effEditIdle:
        if (editor) editor->idle();
        return 0;
    case effIdentify: return kEffectIdentify;
    case effGetChunk: return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk: return ptr ? setChunk(ptr, static_cast<VstInt32>(value), index != 0) : 0;
    default: return 0;
    }
}
