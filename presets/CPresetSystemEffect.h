#pragma once
// The program bank between the host-facing effect classes and the product
// effect: 31 named program slots (slot 0 the live edit buffer), program
// selection, the A/B memories and the meter preferences. It stores normalized
// values by index and knows nothing of what they mean; the product class
// applies them to the engine and calls back here to record them.
//
// The host sees one program and the edition's parameters; the other slots are
// reached only through the plug-in's own editor.

#include "core/AudioEffectX.h"
#include "core/Relaxed.h"
#include "core/Edition.h"
#include "presets/CProgram.h"
#include "presets/CPresetSystemListener.h"
#include "presets/SettingsStore.h"

namespace ambrel {

class CPresetSystemEffect : public AudioEffectX {
public:
    CPresetSystemEffect(audioMasterCallback audioMaster, const Edition& edition);
    CPresetSystemEffect(audioMasterCallback audioMaster, const Edition& edition, SettingsStore& store);
    ~CPresetSystemEffect() override;

    // What the host sees.
    // Records the value in the current slot and slot 0, unless a program is
    // being selected or the index is no host parameter. The product class
    // overrides this, applies the value and then calls this version.
    void setParameter(VstInt32 index, float value) override;
    VstInt32 getProgram() override { return 0; }
    void setProgram(VstInt32 /*program*/) override {}  // the host cannot switch slots
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    VstInt32 getChunk(void** data, bool isPreset) override;  // none: the host keeps parameter values
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    // The preset system's own operations.
    virtual int getCurrentProgramIndex();
    // Renames the current slot and slot 0 (cut to 24 characters) and tells the editor.
    virtual void setProgramNameNotifyEditor(const char* name);
    // Renames the current slot and slot 0 and asks the host to refresh its display.
    virtual void setProgramNameFromEditor(const char* name);
    // Makes `index` (0..30) current, copies it into slot 0 and applies it,
    // each parameter reported to the host inside begin/end edit.
    virtual void selectProgram(int index);
    virtual void storeMemoA();
    virtual void storeMemoB();
    virtual void recallMemoA();
    virtual void recallMemoB();
    // Applies the value, then reports it to the host inside begin/end edit.
    virtual void setParameterWithEdit(int index, float value);
    // Refills all 31 slots from the edition's factory programs.
    virtual void initFactoryPrograms();

    // For the product class: a global parameter's value goes into every slot,
    // also while a program is being selected (step after setParameter).
    void recordGlobalParameter(VstInt32 index, float value);
    // Reads the six meter preferences and applies each through setParameter.
    void applyMeterPreferences();
    // Writes the six current values back; the product destructor calls it.
    void saveMeterPreferences();

    // For the editor and the file actions.
    bool hasPrograms() const { return programs != nullptr; }
    CProgram* program(int slot);  // null outside 0..30 or without a bank
    const CProgram* program(int slot) const;
    const Edition& edition() const { return editionInfo; }
    SettingsStore& settingsStore() { return store; }
    bool isLoadingProgram() const { return loadingProgram; }
    void setPresetSystemListener(CPresetSystemListener* newListener) { listener = newListener; }
    CPresetSystemListener* presetSystemListener() const { return listener; }

private:
    void storeMemo(const std::string& key);
    void recallMemo(const std::string& key);

    const Edition& editionInfo;
    SettingsStore& store;
    CProgram* programs = nullptr;  // kProgramSlots of them, or none if they could not be allocated
    // Selected on the editor's thread, read by the host's and the audio thread's calls.
    Relaxed<int> currentProgram = 0;
    Relaxed<bool> loadingProgram = false;
    CPresetSystemListener* listener = nullptr;
};

}  // namespace ambrel
