// The settings store on the real registry (the registry of the Wine prefix the
// Windows test set runs in): the A/B memories stored and recalled by the
// effect, and the six meter preferences each instance of a DLL reads when it
// is built and writes when it is destroyed, read back and planted with the
// registry API itself - key names, value names, types and bytes.

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/Ambrel.h"
#include "tests/plugin/LoadedPlugin.h"

using plugintest::dispatch;
using plugintest::Host;
using plugintest::LoadedPlugin;

namespace {

const char* const kProduct = "SOFTWARE\\Zemtone\\Ambrel20";
const char* const kMemoA = "SOFTWARE\\Zemtone\\Ambrel20\\MemoA";
const char* const kMemoB = "SOFTWARE\\Zemtone\\Ambrel20\\MemoB";
const char* const kPreferenceNames[6] = {"vuintegration", "vureference", "ppmintegration",
                                         "ppmreturn",     "overcounter", "knobmode"};

struct RegistryValue {
    DWORD type = 0;
    std::vector<unsigned char> bytes;
    float asFloat() const {
        float f = -100.0f;
        if (bytes.size() == 4) std::memcpy(&f, bytes.data(), 4);
        return f;
    }
};

// Every value of a key below HKEY_LOCAL_MACHINE; empty when the key is missing.
std::map<std::string, RegistryValue> valuesOf(const char* path, bool* exists = nullptr) {
    std::map<std::string, RegistryValue> values;
    HKEY key = nullptr;
    const bool opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (exists) *exists = opened;
    if (!opened) return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name;
        unsigned char data[1024];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        values[std::string(name, nameLength)] = {type, std::vector<unsigned char>(data, data + size)};
    }
    RegCloseKey(key);
    return values;
}

void deleteProductKey() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMemoA);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMemoB);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProduct);
    bool exists = true;
    valuesOf(kProduct, &exists);
    ASSERT_FALSE(exists) << "the product key could not be removed";
}

void plantValue(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

std::string paramName(int i) {
    char text[16];
    std::snprintf(text, sizeof text, "param%3d", i);
    return text;
}

struct DllEdition {
    const char* name;
    const char* path;
    int firstPreference;  // the parameter index of "vuintegration"
};
const DllEdition kFull{"Full", AMBREL_FULL_PLUGIN, 43};
const DllEdition kSibling{"Sibling", AMBREL_SIBLING_PLUGIN, 49};

// The parameter index of preference p (in the order of kPreferenceNames).
int preferenceIndex(const DllEdition& edition, int p) { return edition.firstPreference + p; }

// One instance of a DLL, from its entry point to effClose.
class Instance {
public:
    explicit Instance(const DllEdition& edition) : plugin_(edition.path) {
        if (plugin_.loaded()) effect_ = plugin_.create();
    }
    ~Instance() { close(); }
    AEffect* effect() const { return effect_; }
    float get(int index) const { return effect_->getParameter(effect_, index); }
    void set(int index, float value) const { effect_->setParameter(effect_, index, value); }
    void close() {
        if (effect_) dispatch(effect_, effClose);
        effect_ = nullptr;
    }

private:
    LoadedPlugin plugin_;
    AEffect* effect_ = nullptr;
};

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override {
        Host::instance() = Host{};
        deleteProductKey();
    }
    void TearDown() override { deleteProductKey(); }
};

}  // namespace

// ---- Meter preferences, through the DLLs ------------------------------------

TEST_F(RegistryStore, WithoutTheProductKeyAnInstanceReadsHalfAndWritesAllSixWhenDestroyed) {
    for (const DllEdition* edition : {&kFull, &kSibling}) {
        deleteProductKey();
        Instance instance(*edition);
        ASSERT_NE(instance.effect(), nullptr) << edition->name;
        float current[6];
        for (int p = 0; p < 6; ++p) {
            current[p] = instance.get(preferenceIndex(*edition, p));
            if (p != 4) {
                EXPECT_FLOAT_EQ(current[p], 0.5f) << edition->name << " " << kPreferenceNames[p];
            }
        }
        // OverIndic is stored quantized to ninths: 0.5 is held as a ninth.
        EXPECT_NEAR(current[4] * 9.0f, std::round(current[4] * 9.0f), 1e-5f) << edition->name;
        EXPECT_NEAR(current[4], 0.5f, 1.0f / 18.0f + 1e-6f) << edition->name;
        bool exists = true;
        valuesOf(kProduct, &exists);
        EXPECT_FALSE(exists) << "construction only reads";

        instance.close();
        const std::map<std::string, RegistryValue> values = valuesOf(kProduct, &exists);
        ASSERT_TRUE(exists) << edition->name;
        EXPECT_EQ(values.size(), 6u) << edition->name;
        for (int p = 0; p < 6; ++p) {
            auto found = values.find(kPreferenceNames[p]);
            ASSERT_NE(found, values.end()) << edition->name << " " << kPreferenceNames[p];
            EXPECT_EQ(found->second.type, static_cast<DWORD>(REG_BINARY)) << kPreferenceNames[p];
            EXPECT_EQ(found->second.bytes.size(), 4u) << kPreferenceNames[p];
            EXPECT_FLOAT_EQ(found->second.asFloat(), current[p]) << edition->name << " " << kPreferenceNames[p];
        }
    }
}

TEST_F(RegistryStore, PreferencesSetInOneInstanceAreReadByTheNextOfEitherEdition) {
    struct Case {
        const DllEdition* writer;
        const DllEdition* reader;
    };
    const Case cases[] = {{&kFull, &kFull}, {&kFull, &kSibling}, {&kSibling, &kFull}, {&kSibling, &kSibling}};
    const float set[6] = {0.8f, 0.1f, 0.25f, 0.9f, 0.3f, 0.0f};
    const float stored[6] = {0.8f, 0.1f, 0.25f, 0.9f, 3.0f / 9.0f, 0.0f};  // OverIndic in ninths
    for (const Case& c : cases) {
        deleteProductKey();
        {
            Instance writer(*c.writer);
            ASSERT_NE(writer.effect(), nullptr);
            for (int p = 0; p < 6; ++p) writer.set(preferenceIndex(*c.writer, p), set[p]);
        }
        const std::map<std::string, RegistryValue> values = valuesOf(kProduct);
        for (int p = 0; p < 6; ++p) {
            auto found = values.find(kPreferenceNames[p]);
            ASSERT_NE(found, values.end()) << kPreferenceNames[p];
            EXPECT_EQ(found->second.type, static_cast<DWORD>(REG_BINARY));
            EXPECT_FLOAT_EQ(found->second.asFloat(), stored[p]) << c.writer->name << " " << kPreferenceNames[p];
        }
        Instance reader(*c.reader);
        ASSERT_NE(reader.effect(), nullptr);
        for (int p = 0; p < 6; ++p)
            EXPECT_FLOAT_EQ(reader.get(preferenceIndex(*c.reader, p)), stored[p])
                << c.writer->name << " to " << c.reader->name << " " << kPreferenceNames[p];
    }
}

TEST_F(RegistryStore, TheInstanceDestroyedLastDecidesWhatTheNextReads) {
    Instance first(kFull);
    Instance second(kSibling);
    ASSERT_NE(first.effect(), nullptr);
    ASSERT_NE(second.effect(), nullptr);
    first.set(preferenceIndex(kFull, 1), 0.2f);
    second.set(preferenceIndex(kSibling, 1), 0.7f);
    second.close();
    first.close();
    Instance next(kSibling);
    EXPECT_FLOAT_EQ(next.get(preferenceIndex(kSibling, 1)), 0.2f);
}

TEST_F(RegistryStore, PlantedPreferencesAreReadHeldToTheRangeAndUnusableOnesFallBack) {
    // The product key with some values only: missing and unusable values read
    // each preference's own default, usable ones are held to 0..1.
    struct Plant {
        const char* name;
        DWORD type;
        std::vector<unsigned char> bytes;
    };
    auto floatBytes = [](float f) {
        std::vector<unsigned char> b(4);
        std::memcpy(b.data(), &f, 4);
        return b;
    };
    const Plant plants[] = {
        {"vuintegration", REG_BINARY, floatBytes(0.65f)},
        {"vureference", REG_BINARY, floatBytes(7.5f)},                            // held to 1
        {"ppmintegration", REG_BINARY, floatBytes(std::nanf(""))},                // not finite: default
        {"ppmreturn", REG_BINARY, {0x00, 0x00, 0x80}},                            // 3 bytes: default
        {"overcounter", REG_BINARY, floatBytes(-2.0f)},                           // held to 0
    };  // "knobmode" missing: default
    for (const Plant& p : plants)
        plantValue(kProduct, p.name, p.type, p.bytes.data(), static_cast<DWORD>(p.bytes.size()));
    const float expected[6] = {0.65f, 1.0f, 0.5f, 0.5f, 0.0f, 1.0f};
    Instance instance(kFull);
    ASSERT_NE(instance.effect(), nullptr);
    for (int p = 0; p < 6; ++p)
        EXPECT_FLOAT_EQ(instance.get(preferenceIndex(kFull, p)), expected[p]) << kPreferenceNames[p];
}

// ---- Memories, through the effect built in this program ---------------------

namespace {

struct EffectEdition {
    const char* name;
    const ambrel::Edition& (*edition)();
    int params;
};
void PrintTo(const EffectEdition& e, std::ostream* os) { *os << e.name; }

class Memories : public ::testing::TestWithParam<EffectEdition> {
protected:
    void SetUp() override {
        Host::instance() = Host{};
        deleteProductKey();
    }
    void TearDown() override { deleteProductKey(); }
};

}  // namespace

TEST_P(Memories, StoreWritesOneBinaryFloatPerParameterAndTheNameThenRecallRestoresThem) {
    const EffectEdition& e = GetParam();
    ambrel::Ambrel effect(&Host::callback, e.edition());
    effect.selectProgram(7);
    effect.setParameter(4, 0.77f);
    effect.setParameter(12, 0.31f);
    char name[] = "Memory Test Setting";
    effect.setProgramNameNotifyEditor(name);
    std::vector<float> before(static_cast<size_t>(e.params));
    for (int i = 0; i < e.params; ++i) before[static_cast<size_t>(i)] = effect.getParameter(i);

    effect.storeMemoA();
    bool exists = false;
    const std::map<std::string, RegistryValue> values = valuesOf(kMemoA, &exists);
    ASSERT_TRUE(exists);
    EXPECT_EQ(values.size(), static_cast<size_t>(e.params) + 1);
    for (int i = 0; i < e.params; ++i) {
        auto found = values.find(paramName(i));
        ASSERT_NE(found, values.end()) << "\"" << paramName(i) << "\"";
        EXPECT_EQ(found->second.type, static_cast<DWORD>(REG_BINARY)) << i;
        ASSERT_EQ(found->second.bytes.size(), 4u) << i;
        EXPECT_EQ(found->second.asFloat(), before[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(values.count(paramName(e.params)), 0u);
    EXPECT_EQ(values.count("param  0"), 1u);
    EXPECT_EQ(values.count(e.params > 10 ? "param 10" : "param  9"), 1u);
    auto stored = values.find("name");
    ASSERT_NE(stored, values.end());
    EXPECT_EQ(stored->second.type, static_cast<DWORD>(REG_SZ));
    const std::string expectedName = "Memory Test Setting";
    ASSERT_EQ(stored->second.bytes.size(), expectedName.size() + 1) << "the NUL is part of the stored size";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored->second.bytes.data())), expectedName);
    EXPECT_EQ(valuesOf(kMemoB).size(), 0u) << "memory B untouched";

    for (int i : {1, 4, 5, 12, 13}) effect.setParameter(i, 0.123f);
    char other[] = "Changed";
    effect.setProgramNameNotifyEditor(other);
    Host::instance().requests.clear();
    effect.recallMemoA();
    for (int i = 0; i < e.params; ++i) EXPECT_EQ(effect.getParameter(i), before[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(Host::instance().count(audioMasterAutomate), e.params);
    char recalled[64] = {};
    effect.getProgramName(recalled);
    EXPECT_STREQ(recalled, "Memory Test Setting");
    EXPECT_EQ(effect.getCurrentProgramIndex(), 7) << "a recall does not select another slot";
}

TEST_P(Memories, RecallWithoutAStoredMemoryChangesNothing) {
    const EffectEdition& e = GetParam();
    ambrel::Ambrel effect(&Host::callback, e.edition());
    effect.setParameter(4, 0.6f);
    Host::instance().requests.clear();
    effect.recallMemoB();
    EXPECT_EQ(Host::instance().count(audioMasterAutomate), 0);
    EXPECT_FLOAT_EQ(effect.getParameter(4), 0.6f);
}

TEST_P(Memories, AMemoryPlantedInTheRegistryIsRecalled) {
    const EffectEdition& e = GetParam();
    for (int i = 0; i < e.params; ++i) {
        const float value = static_cast<float>((i * 7) % 11) / 10.0f;
        plantValue(kMemoB, paramName(i).c_str(), REG_BINARY, &value, 4);
    }
    const char name[] = "Planted";
    plantValue(kMemoB, "name", REG_SZ, name, sizeof name);
    ambrel::Ambrel effect(&Host::callback, e.edition());
    effect.recallMemoB();
    // Switch-like parameters quantize what they are given; the continuous ones
    // take the stored number as it is.
    for (int i : {4, 5, 12, 14}) EXPECT_FLOAT_EQ(effect.getParameter(i), static_cast<float>((i * 7) % 11) / 10.0f) << i;
    char recalled[64] = {};
    effect.getProgramName(recalled);
    EXPECT_STREQ(recalled, "Planted");
}

INSTANTIATE_TEST_SUITE_P(BothEditions, Memories,
                         ::testing::Values(EffectEdition{"Full", &ambrel::fullEdition, 42},
                                           EffectEdition{"Sibling", &ambrel::siblingEdition, 48}),
                         [](const ::testing::TestParamInfo<EffectEdition>& info) { return info.param.name; });
