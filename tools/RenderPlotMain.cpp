// ambrel-plot IN OUT PNG [--latency N] [--title TEXT]: the picture of one render.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tools/AudioFile.h"
#include "tools/RenderPlot.h"

int main(int argc, char** argv) {
    using namespace ambrel::tools;
    PlotOptions options;
    std::vector<std::string> paths;
    bool bad = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--latency" && i + 1 < argc) {
            options.latency = std::atoi(argv[++i]);
            bad = bad || options.latency < 0;
        } else if (a == "--title" && i + 1 < argc) {
            options.title = argv[++i];
        } else if (!a.empty() && a[0] != '-') {
            paths.push_back(a);
        } else {
            bad = true;
        }
    }
    if (bad || paths.size() != 3) {
        std::cerr << "usage: ambrel-plot IN.wav OUT.wav PICTURE.png [--latency N] [--title TEXT]\n";
        return 2;
    }
    AudioData input, output;
    std::string error;
    if (!readAudioFile(paths[0], input, error) || !readAudioFile(paths[1], output, error) ||
        !writeRenderPlot(paths[2], input, output, options, error)) {
        std::cerr << "ambrel-plot: " << error << "\n";
        return 1;
    }
    std::cout << "Wrote " << paths[2] << "\n";
    return 0;
}
