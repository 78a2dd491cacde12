#pragma once
// Stands in for the product effect in these tests: it keeps the values it is
// given (as the product's parameter table does), quantizes the over counter as
// the product does, and records into the bank through the two base steps.
// A recording host callback captures every request.

#include <cmath>
#include <vector>

#include "presets/CPresetSystemEffect.h"

namespace testsupport {

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    float opt;
    bool operator==(const HostCall&) const = default;
};

inline std::vector<HostCall>& hostCalls() {
    static std::vector<HostCall> calls;
    return calls;
}

inline VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    hostCalls().push_back({opcode, index, opt});
    return opcode == audioMasterVersion ? 2400 : 0;
}

inline int countCalls(VstInt32 opcode) {
    int n = 0;
    for (const HostCall& call : hostCalls()) n += call.opcode == opcode;
    return n;
}

class ProductStandIn : public ambrel::CPresetSystemEffect {
public:
    ProductStandIn(audioMasterCallback host, const ambrel::Edition& edition)
        : CPresetSystemEffect(host, edition) {
        applyMeterPreferences();
        initFactoryPrograms();
        selectProgram(0);
    }
    ~ProductStandIn() override { saveMeterPreferences(); }

    void processReplacing(float**, float**, VstInt32) override {}

    void setParameter(VstInt32 index, float value) override {
        if (index < 0 || index >= ambrel::kMaxParameterIndices) return;
        if (edition().roleOf(index) == ambrel::kOverIndic) value = std::trunc(9.0f * value + 0.5f) / 9.0f;
        values[index] = value;
        CPresetSystemEffect::setParameter(index, value);
        recordGlobalParameter(index, value);
    }
    float getParameter(VstInt32 index) override {
        return index >= 0 && index < ambrel::kMaxParameterIndices ? values[index] : 0.0f;
    }

    float values[ambrel::kMaxParameterIndices] = {};
};

// Every name and value of the bank, to tell whether anything changed.
struct BankSnapshot {
    explicit BankSnapshot(const ambrel::CPresetSystemEffect& effect) {
        for (int slot = 0; slot < ambrel::kProgramSlots; ++slot) {
            const ambrel::CProgram* program = effect.program(slot);
            names.emplace_back(program->name());
            for (int i = 0; i < program->valueCount(); ++i) values.push_back(program->getParameterValue(i));
        }
    }
    bool operator==(const BankSnapshot&) const = default;
    std::vector<std::string> names;
    std::vector<float> values;
};

}  // namespace testsupport
