#pragma once
// Peak and RMS levels of a signal in dBFS (a full-scale sine: 0.0 peak, -3.0 RMS).

#include <string>
#include <vector>

namespace ambrel::tools {

struct Levels {
    double peak = 0.0;  // largest magnitude of any channel
    double rms = 0.0;   // over all samples of all channels
    double peakDb() const;
    double rmsDb() const;
};

Levels measureLevels(const std::vector<std::vector<double>>& channels, long begin = 0, long end = -1);

double toDb(double linear);  // -infinity for 0
std::string formatDb(double db);  // "-3.01", "+2.50", "0.00", "-inf"

}  // namespace ambrel::tools
