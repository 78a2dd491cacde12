#include "tools/ProgressBar.h"

#include <algorithm>

namespace ambrel::tools {

ProgressBar::ProgressBar(std::ostream& out, std::string label, int width)
    : out_(out), label_(std::move(label)), width_(width) {}

void ProgressBar::update(long done, long total) {
    const int percent = total > 0 ? static_cast<int>(std::clamp(done * 100 / total, 0L, 100L)) : 100;
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    const int filled = percent * width_ / 100;
    out_ << '\r' << label_ << " [" << std::string(filled, '#') << std::string(width_ - filled, '.') << "] "
         << percent << "%" << std::flush;
}

void ProgressBar::finish() {
    out_ << '\r' << std::string(label_.size() + width_ + 9, ' ') << '\r' << std::flush;
}

}  // namespace ambrel::tools
