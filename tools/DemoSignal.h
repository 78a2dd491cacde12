#pragma once
// The built-in demo: a short mix-like stereo signal the project generates
// itself (kick, snare and hi-hat, a bass line and a pad chord over a four-bar
// progression at 120 BPM), mixed hot so its drum peaks go above full scale.
// Fully deterministic: the same rate and length give the same samples on every
// machine (its noise comes from a fixed-seed generator of our own).

#include "tools/AudioFile.h"

namespace ambrel::tools {

struct DemoSignalOptions {
    int sampleRate = 44100;
    double seconds = 8.0;
    double peakDb = 3.0;  // the loudest sample, in dBFS
};

AudioData makeDemoSignal(const DemoSignalOptions& options = {});

}  // namespace ambrel::tools
