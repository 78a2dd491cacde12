// The audio callback of the DLLs calls nothing outside the module but a few
// plain C runtime functions: with every import of the DLL counted
// (ImportCalls.h), the processing calls - and host automation made between
// them on the audio thread - make no call into a system DLL, so they neither
// allocate (msvcrt's malloc family, which the static C++ runtime's operator
// new uses), lock nor wait (KERNEL32, which the static thread library uses).
//
// What the audio thread may call, and why:
// - msvcrt memcpy, memmove, memset: copies, inside the caller's memory;
// - during automation also msvcrt strcmp (the type comparison of a
//   dynamic_cast: type names are compared as strings on Windows) and KERNEL32
//   TlsGetValue (the thread identity of the static thread library, with which
//   the editor tells the audio thread from its own: a read of the calling
//   thread's own block that takes no lock).
// Any other import called fails the test, and so does any allocation.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "tests/plugin/LoadedPlugin.h"
#include "tests/windows/plugin/ImportCalls.h"

using namespace plugintest;
using importcalls::ImportCounter;
using importcalls::ImportedFunction;

namespace {

std::string describe(const std::vector<ImportedFunction>& calls) {
    std::ostringstream text;
    for (const ImportedFunction& f : calls) text << "\n  " << f.dll << "!" << f.function << " x" << f.calls;
    return text.str();
}

// The calls outside the allowed ones.
std::vector<ImportedFunction> forbidden(const std::vector<ImportedFunction>& calls, bool automation) {
    std::vector<ImportedFunction> result;
    for (const ImportedFunction& f : calls) {
        const bool copy = f.function == "memcpy" || f.function == "memmove" || f.function == "memset";
        const bool runtime = importcalls::sameDll(f.dll, "msvcrt.dll") && (copy || (automation && f.function == "strcmp"));
        const bool threadIdentity =
            automation && importcalls::sameDll(f.dll, "KERNEL32.dll") && f.function == "TlsGetValue";
        if (!runtime && !threadIdentity) result.push_back(f);
    }
    return result;
}

long allocatorCalls(const ImportCounter& counter) {
    long total = 0;
    for (const char* name : {"malloc", "calloc", "realloc", "free", "_aligned_malloc", "_aligned_free",
                             "_aligned_realloc", "HeapAlloc", "HeapFree", "HeapReAlloc", "LocalAlloc", "GlobalAlloc"})
        total += counter.calls(name);
    return total;
}

struct Edition {
    const char* name;
    const char* path;
    int fatIndex;  // -1: no oversampling
};
void PrintTo(const Edition& e, std::ostream* os) { *os << e.name; }
const Edition kEditions[] = {{"Full", AMBREL_FULL_PLUGIN, 26}, {"Sibling", AMBREL_SIBLING_PLUGIN, -1}};

}  // namespace

// The counter itself: building and closing an effect allocate and free memory,
// and the counter sees it. Were the hooks not in place, the processing test
// below would pass for nothing.
TEST(ImportCounter, SeesTheAllocationsOfConstructionAndClose) {
    LoadedPlugin plugin(AMBREL_FULL_PLUGIN);
    ASSERT_TRUE(plugin.loaded()) << plugin.error();
    ImportCounter counter;
    ASSERT_TRUE(counter.hook(static_cast<HMODULE>(plugin.handle())));
    EXPECT_GT(counter.hookedCount(), 20u);

    AEffect* effect = plugin.create();
    ASSERT_NE(effect, nullptr);
    EXPECT_GT(counter.calls("malloc") + counter.calls("calloc"), 0) << describe(counter.called());
    counter.reset();
    EXPECT_TRUE(counter.called().empty());
    dispatch(effect, effClose);
    EXPECT_GT(counter.calls("free"), 0) << describe(counter.called());
    // The effect writes its meter preferences to the registry when it is destroyed.
    EXPECT_GT(counter.calls("RegSetValueExA"), 0) << describe(counter.called());
    counter.unhook();
}

class ProcessingCalls : public ::testing::TestWithParam<Edition> {};

TEST_P(ProcessingCalls, CallNothingOutsideTheModuleInAnyMode) {
    const Edition& edition = GetParam();
    Host::instance() = Host{};
    LoadedPlugin plugin(edition.path);
    ASSERT_TRUE(plugin.loaded()) << plugin.error();
    AEffect* e = plugin.create();
    ASSERT_NE(e, nullptr);
    ImportCounter counter;
    ASSERT_TRUE(counter.hook(static_cast<HMODULE>(plugin.handle())));

    std::vector<float> l(4096), r(4096), ol(4096), orr(4096);
    for (size_t i = 0; i < l.size(); ++i) {
        l[i] = 0.9f * static_cast<float>((i * 37) % 101) / 101.0f - 0.3f;
        r[i] = -0.6f * l[i];
    }
    std::vector<double> dl(l.begin(), l.end()), dr(r.begin(), r.end()), dol(4096), dor(4096);
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {ol.data(), orr.data()};
    double* din[2] = {dl.data(), dr.data()};
    double* dout[2] = {dol.data(), dor.data()};

    struct Mode { float process, mode, monoStereo, link, fat, rate; };
    const Mode modes[] = {
        {0, 0, 1, 1, 0, 44100}, {1, 0, 0, 1, 0, 44100}, {1, 1, 1, 0, 0, 48000}, {1, 1, 1, 1, 1, 44100},
        {1, 0, 1, 0, 1, 96000}, {1, 1, 0, 1, 1, 192000}, {1, 0, 1, 1, 0, 22050},
    };
    for (const Mode& m : modes) {
        if (edition.fatIndex < 0 && m.fat > 0) continue;
        // Setting up happens off the audio path: suspended, at the new rate.
        dispatch(e, effMainsChanged, 0, 0);
        dispatch(e, effSetSampleRate, 0, 0, nullptr, m.rate);
        e->setParameter(e, 0, m.process);
        e->setParameter(e, 1, m.mode);
        e->setParameter(e, 2, m.monoStereo);
        e->setParameter(e, 3, m.link);
        if (edition.fatIndex >= 0) e->setParameter(e, edition.fatIndex, m.fat);
        e->setParameter(e, 4, 0.8f);  // into limiting
        dispatch(e, effMainsChanged, 0, 1);

        std::ostringstream where;
        where << "process " << m.process << " mode " << m.mode << " stereo " << m.monoStereo << " link " << m.link
              << " FAT " << m.fat << " rate " << m.rate;

        counter.reset();
        e->processReplacing(e, in, out, 4096);
        e->processDoubleReplacing(e, din, dout, 1000);
        e->processReplacing(e, in, out, 37);
        EXPECT_EQ(allocatorCalls(counter), 0) << where.str() << describe(counter.called());
        EXPECT_TRUE(forbidden(counter.called(), false).empty()) << where.str() << describe(counter.called());

        // Host automation on the audio thread between blocks; the block after
        // it performs the recomputations the changes requested.
        counter.reset();
        for (int index : {4, 5, 8, 12, 14}) e->setParameter(e, index, 0.3f + 0.1f * static_cast<float>(index % 3));
        e->processReplacing(e, in, out, 512);
        e->processDoubleReplacing(e, din, dout, 1);
        EXPECT_EQ(allocatorCalls(counter), 0) << where.str() << describe(counter.called());
        EXPECT_TRUE(forbidden(counter.called(), true).empty())
            << where.str() << " with automation" << describe(counter.called());
        for (float x : ol) ASSERT_TRUE(std::isfinite(x));
    }
    counter.unhook();
    dispatch(e, effClose);
}

INSTANTIATE_TEST_SUITE_P(BothEditions, ProcessingCalls, ::testing::ValuesIn(kEditions),
                         [](const ::testing::TestParamInfo<Edition>& info) { return info.param.name; });
