// The plug-ins must load and run on every x86-64 processor: only the code
// built for AVX2 (chosen at run time where the processor has it) may hold
// AVX instructions. An inline function compiled for AVX2 that the linker
// kept in place of its plain twin would fault on an older processor; this
// test reads the disassembly of both plug-ins to catch it.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

struct Disassembly {
    bool ran = false;
    std::map<std::string, int> avxByFunction;  // functions holding AVX (VEX/EVEX) instructions
};

bool isAvxInstruction(const std::string& mnemonic, const std::string& operands) {
    const bool vexMnemonic = mnemonic.size() > 1 && mnemonic[0] == 'v' && mnemonic != "verr" && mnemonic != "verw";
    return vexMnemonic || operands.find("%ymm") != std::string::npos || operands.find("%zmm") != std::string::npos;
}

Disassembly disassemble(const std::string& path) {
    Disassembly d;
    const std::string command = "objdump -d --no-show-raw-insn -C '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return d;
    std::string function;
    char line[4096];
    int lines = 0;
    while (fgets(line, sizeof line, pipe)) {
        std::string s(line);
        if (!s.empty() && s.back() == '\n') s.pop_back();
        if (s.size() > 3 && s[0] != ' ' && s.compare(s.size() - 2, 2, ">:") == 0) {  // "0000 <name>:"
            const std::size_t open = s.find('<');
            if (open != std::string::npos) function = s.substr(open + 1, s.size() - open - 3);
            continue;
        }
        // "  1234:\tmnemonic operands"
        const std::size_t tab = s.find(":\t");
        if (s.empty() || s[0] != ' ' || tab == std::string::npos) continue;
        const std::string rest = s.substr(tab + 2);
        const std::size_t space = rest.find_first_of(" \t");
        const std::string mnemonic = rest.substr(0, space);
        const std::string operands = space == std::string::npos ? std::string() : rest.substr(space);
        ++lines;
        if (isAvxInstruction(mnemonic, operands)) ++d.avxByFunction[function];
    }
    d.ran = pclose(pipe) == 0 && lines > 1000;
    return d;
}

// The AVX2 builds are named for it: the resampler's fused sums and the
// three-band kernels (namespace avx2, the ...Wide entry points).
bool builtForAvx2(const std::string& function) {
    return function.find("avx2") != std::string::npos || function.find("Avx2") != std::string::npos ||
           function.find("Wide(") != std::string::npos;
}

void expectAvxOnlyInAvx2Builds(const char* plugin, bool threeBandWide) {
    const Disassembly d = disassemble(plugin);
    if (!d.ran) {
        GTEST_SKIP() << "objdump (binutils) could not disassemble " << plugin;
    }
    int wideKernels = 0;
    for (const auto& [function, count] : d.avxByFunction) {
        EXPECT_TRUE(builtForAvx2(function)) << count << " AVX instructions in plain code: " << function;
        if (function.find("avx2::") != std::string::npos) ++wideKernels;
    }
    // The check above means nothing if the AVX2 builds were not there at all.
    if (threeBandWide) {
        EXPECT_GT(wideKernels, 0) << "no AVX2 build of the three-band kernels in " << plugin;
    }
}

}  // namespace

TEST(PlainInstructionSet, FullEditionHoldsAvxOnlyInItsAvx2Builds) { expectAvxOnlyInAvx2Builds(AMBREL_FULL_PLUGIN, true); }

TEST(PlainInstructionSet, SiblingEditionHoldsAvxOnlyInItsAvx2Builds) {
    expectAvxOnlyInAvx2Builds(AMBREL_SIBLING_PLUGIN, true);
}
