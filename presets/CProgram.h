#pragma once
// One program: a name of at most 24 characters and one normalized value per
// host parameter, each kept in 0..1.

#include "core/Relaxed.h"
#include "presets/FactoryBank.h"

namespace ambrel {

class CProgram {
public:
    // Named "init", holding the given values (the edition's "Default").
    CProgram(const FactoryProgram& initialValues, int valueCount);
    virtual ~CProgram() = default;
    CProgram(const CProgram&) = default;
    CProgram& operator=(const CProgram&) = default;

    // Zero-fills the field, then keeps the first 24 characters; null is an empty name.
    virtual void setName(const char* name);
    // Copies the NUL-terminated name into a buffer of at least kNameLength + 1 bytes.
    virtual void getName(char* out) const;
    // Ignored outside 0..valueCount-1; below 0 (and NaN) stores 0, above 1 stores 1.
    virtual void setParameterValue(int index, float value);
    // The stored value, or -1.0 outside 0..valueCount-1.
    virtual float getParameterValue(int index) const;

    const char* name() const { return nameField; }
    int valueCount() const { return count; }

private:
    char nameField[kNameLength + 1];
    int count;
    // The host sets values on its own threads (the audio thread among them)
    // while the editor reads them for its files.
    Relaxed<float> values[kMaxProgramValues];
};

}  // namespace ambrel
