#pragma once
// What the parameter set asks of the effect around it: the parts of a
// parameter change that live outside the engine (the oversampling stages, the
// program bank and the editor). The effect class implements it.

namespace ambrel {

class ParameterSeams {
public:
    virtual ~ParameterSeams() = default;

    // The oversampling alignment lines; cleared together with the engine's delay lines.
    virtual void clearAlignmentLines() = 0;
    // Both channels' oversampling filters.
    virtual void resetResamplers() = 0;
    // Host-visible indices: the value goes into the current program slot and into
    // slot 0, the working copy, unless a program is being loaded (the bank knows).
    virtual void recordInPrograms(int index, float value) = 0;
    // Global indices: the value goes into every program slot, also while loading.
    virtual void recordInAllPrograms(int index, float value) = 0;
    // Every index: the editor, if there is one, refreshes what shows it.
    virtual void forwardToEditor(int index, float value) = 0;
};

}  // namespace ambrel
