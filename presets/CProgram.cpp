#include "presets/CProgram.h"

#include <cstring>

namespace ambrel {

CProgram::CProgram(const FactoryProgram& initialValues, int valueCount)
    : nameField{}, count(valueCount < 0 ? 0 : (valueCount > kMaxProgramValues ? kMaxProgramValues : valueCount)),
      values{} {
    setName("init");
    for (int i = 0; i < count; ++i) setParameterValue(i, static_cast<float>(initialValues.values[static_cast<unsigned>(i)]));
}

void CProgram::setName(const char* name) {
    std::memset(nameField, 0, sizeof nameField);
    if (!name) return;
    std::size_t length = 0;
    while (length < static_cast<std::size_t>(kNameLength) && name[length] != 0) ++length;
    std::memcpy(nameField, name, length);
}

void CProgram::getName(char* out) const {
    if (out) std::memcpy(out, nameField, sizeof nameField);
}

void CProgram::setParameterValue(int index, float value) {
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(count)) return;
    // "not at least 0" also catches NaN, which would otherwise reach the engine.
    if (!(value >= 0.0f)) value = 0.0f;
    if (value > 1.0f) value = 1.0f;
    values[index] = value;
}

float CProgram::getParameterValue(int index) const {
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(count)) return -1.0f;
    return values[index];
}

}  // namespace ambrel
