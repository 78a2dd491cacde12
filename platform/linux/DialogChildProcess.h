#pragma once
// Runs a desktop dialog program as a child process from an argument vector
// (never through a shell, so no file name or text can become a command) and
// collects what it prints, calling back while the user decides.

#include <functional>
#include <string>
#include <vector>

namespace ambrel {

struct DialogProgramResult {
    bool started = false;  // false: the program could not be run at all
    int exitCode = -1;     // 0 for OK/Yes; -1 when it ended by a signal or could not be waited for
    std::string output;    // its standard output
};

// argv[0] is the program's full path. `whileWaiting` (may be empty) runs about
// every 20 ms until the program ends.
DialogProgramResult runDialogProgram(const std::vector<std::string>& argv,
                                     const std::function<void()>& whileWaiting);

// The first executable file named `program` in the colon-separated folders of
// `searchPath` (as PATH holds them); empty when there is none.
std::string findDialogProgram(const std::string& program, const std::string& searchPath);

}  // namespace ambrel
