#pragma once
// A one-line progress bar redrawn in place with a carriage return; meant for
// a terminal only (the caller checks isatty).

#include <ostream>
#include <string>

namespace ambrel::tools {

class ProgressBar {
public:
    ProgressBar(std::ostream& out, std::string label, int width = 40);
    void update(long done, long total);
    void finish();  // blanks the line

private:
    std::ostream& out_;
    std::string label_;
    int width_;
    int lastPercent_ = -1;
};

}  // namespace ambrel::tools
