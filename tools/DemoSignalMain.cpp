// ambrel-demo-signal OUT [--rate HZ] [--seconds S]: writes the built-in demo mix
// (float samples, so its peaks above full scale survive).

#include <cstdlib>
#include <iostream>
#include <string>

#include "tools/AudioFile.h"
#include "tools/DemoSignal.h"

int main(int argc, char** argv) {
    using namespace ambrel::tools;
    DemoSignalOptions options;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--rate" || a == "--seconds") && i + 1 < argc) {
            const double v = std::atof(argv[++i]);
            if (a == "--rate") options.sampleRate = static_cast<int>(v);
            else options.seconds = v;
        } else if (!a.empty() && a[0] != '-' && path.empty()) {
            path = a;
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty() || options.sampleRate < 8000 || options.sampleRate > 768000 || options.seconds <= 0 ||
        options.seconds > 600) {
        std::cerr << "usage: ambrel-demo-signal OUT.wav [--rate HZ (8000..768000)] [--seconds S (up to 600)]\n";
        return 2;
    }
    const AudioData demo = makeDemoSignal(options);
    std::string error;
    if (!writeAudioFile(path, demo, 0, error)) {
        std::cerr << "ambrel-demo-signal: " << error << "\n";
        return 1;
    }
    std::cout << "Wrote " << path << ": " << demo.frames() << " frames, 2 channels, " << options.sampleRate
              << " Hz, peak +" << options.peakDb << " dBFS\n";
    return 0;
}
