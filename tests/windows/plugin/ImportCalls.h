#pragma once
// Counts the calls a loaded DLL makes through its import table: every entry of
// the module's import address table is pointed at a small thunk that
// increments that entry's counter and jumps on to the real function, so the
// registers and the stack the callee sees are the caller's. The DLL's static
// C++ runtime allocates through msvcrt.dll's malloc family and locks through
// KERNEL32 (its thread library included), so these counters see every
// allocation and every lock or wait the DLL makes. Functions the DLL finds at
// run time with GetProcAddress are not counted (the GetProcAddress call is).
//
// The counters are shared by all threads; the thunks stay valid for the life
// of the process.

#include <windows.h>

#include <string>
#include <vector>

namespace importcalls {

struct ImportedFunction {
    std::string dll;       // as the import table names it, e.g. "msvcrt.dll"
    std::string function;  // the name, or "#ordinal"
    long calls;
};

class ImportCounter {
public:
    // Hooks every import of the module; false when its import table cannot be read.
    bool hook(HMODULE module);
    // Puts the module's import table back as it was.
    void unhook();
    ~ImportCounter() { unhook(); }

    void reset();
    // Every import called at least once since the last reset.
    std::vector<ImportedFunction> called() const;
    long calls(const std::string& function) const;  // by function name, any DLL
    std::size_t hookedCount() const { return slots_.size(); }

private:
    struct Slot {
        std::string dll, function;
        void** iatEntry;
        void* original;
        std::size_t index;
    };
    std::vector<Slot> slots_;
    unsigned char* block_ = nullptr;  // thunks, then the jump targets, then the counters
    std::size_t capacity_ = 0;
};

// The DLL names are compared without case.
bool sameDll(const std::string& a, const char* b);

}  // namespace importcalls
