#pragma once
// The texts and properties the host and the editor see for every parameter
// index of an edition: names, labels, display texts and VstParameterProperties.
// Pure functions of the edition and a few values; every index is answered,
// negative and huge ones as spares. Texts keep their blanks exactly; buffers
// must hold 13 bytes.

#include "core/Edition.h"
#include "core/vst/VstInterface.h"

namespace ambrel {

// What a display text reads besides the edition and the index.
struct DisplayInputs {
    double value = 0.0;           // the index's own stored normalized value
    double leftRightValue = 0.0;  // the stored L R value (Mono Stereo shows " L-R " beside it)
    double fineRange = 1.0;       // the FineTune range factor, 0.125 .. 1
};

void parameterName(const Edition& edition, int index, char* text);
void parameterLabel(const Edition& edition, int index, char* text);
void parameterDisplay(const Edition& edition, int index, const DisplayInputs& in, char* text);

// Fills the properties of switches and stepped parameters and answers true;
// answers false (leaving `properties` untouched) for every other index.
bool parameterProperties(const Edition& edition, int index, VstParameterProperties* properties);

}  // namespace ambrel
