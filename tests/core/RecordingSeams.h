#pragma once
// A ParameterSeams that records every call, in order.

#include <vector>

#include "core/ParameterSeams.h"

namespace ambrel::testing {

class RecordingSeams : public ParameterSeams {
public:
    enum Kind { kClearAlignment, kResetResamplers, kPrograms, kAllPrograms, kEditor };
    struct Call {
        Kind kind;
        int index;
        float value;
        bool operator==(const Call&) const = default;
    };

    void clearAlignmentLines() override { calls.push_back({kClearAlignment, -1, 0.0f}); }
    void resetResamplers() override { calls.push_back({kResetResamplers, -1, 0.0f}); }
    void recordInPrograms(int index, float value) override { calls.push_back({kPrograms, index, value}); }
    void recordInAllPrograms(int index, float value) override { calls.push_back({kAllPrograms, index, value}); }
    void forwardToEditor(int index, float value) override { calls.push_back({kEditor, index, value}); }

    int count(Kind kind) const {
        int n = 0;
        for (const Call& c : calls) n += c.kind == kind;
        return n;
    }
    std::vector<Call> of(Kind kind) const {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.kind == kind) out.push_back(c);
        return out;
    }
    std::vector<int> indicesOf(Kind kind) const {
        std::vector<int> out;
        for (const Call& c : calls)
            if (c.kind == kind) out.push_back(c.index);
        return out;
    }

    std::vector<Call> calls;
};

}  // namespace ambrel::testing
