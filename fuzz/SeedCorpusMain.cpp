// ambrel-fuzz-seeds OUTDIR: writes the seed corpus of every fuzz target into
// OUTDIR/<target>/: current and legacy preset and bank files of both editions
// (and each given to the other loader), settings keys as the product writes
// them and as a user might edit them, and noise for the call streams.

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "FuzzPresetEffect.h"
#include "platform/linux/RegistryExportFormat.h"
#include "presets/PresetFileFormat.h"
#include "presets/SettingsKeys.h"

using namespace ambrel;

namespace {

using Bytes = std::vector<std::uint8_t>;

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

Bytes textBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::vector<CProgram> factoryPrograms(const Edition& edition) {
    std::vector<CProgram> programs;
    for (int slot = 0; slot < kProgramSlots; ++slot) {
        const FactoryProgram& factory = edition.factoryBank->programs[static_cast<unsigned>(slot)];
        programs.emplace_back(factory, edition.numParams);
        programs.back().setName(slot == 0 ? "init" : factory.name);
    }
    return programs;
}

// A file of the 30-value layout: the header, then `count` records of 30 values.
Bytes legacyFile(const std::vector<CProgram>& programs, std::uint8_t kind, int count) {
    Bytes out = {kFileMagic[0], kFileMagic[1], kFileMagic[2], kFileMagic[3], kind};
    for (int slot = 0; slot < count; ++slot) {
        const Bytes record = encodePresetFile(programs[static_cast<unsigned>(slot)]);
        out.insert(out.end(), record.begin() + kFileHeaderSize,
                   record.begin() + static_cast<long>(kLegacyPresetFileSize));
    }
    return out;
}

Bytes reversedMagic(Bytes bytes) {
    for (int i = 0; i < 4; ++i) bytes[static_cast<unsigned>(i)] = kFileMagic[3 - i];
    return bytes;
}

std::string storedMemo(const Edition& edition, int slot) {
    fuzzing::MemorySettingsStore store;
    fuzzing::FuzzPresetEffect effect(edition, store);
    effect.selectProgram(slot);
    effect.storeMemoA();
    effect.saveMeterPreferences();
    SettingsValueList values;
    for (const auto& [name, value] : store.keys[kMemoAKey]) values.push_back({name, value});
    for (const auto& [name, value] : store.keys[kProductKey]) values.push_back({name, value});
    return formatRegistryExport(std::string(kMachineRootName) + "\\" + kMemoAKey, values);
}

const char* const kEditedKey =
    "REGEDIT4\r\n"
    "; edited by hand\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zemtone\\Ambrel20\\MemoB]\r\n"
    "\"param  0\"=hex:00,00,00,3f\r\n"
    "[hkey_local_machine\\software\\zemtone\\ambrel20\\memoa]\r\n"
    "\"param  0\"=hex:00,00,c0,7f\r\n"
    "\"param  1\"=hex:00,00,80,bf\r\n"
    "\"param  2\"=hex:00,00,00,40,\\\r\n"
    "  00\r\n"
    "\"param  3\"=dword:3f000000\r\n"
    "\"param  4\"=hex(3):00,00,80,3f\r\n"
    "\"param  5\"=hex:00,00\r\n"
    "\"param 41\"=-\r\n"
    "\"vureference\"=hex:00,00,80,7f\r\n"
    "\"knobmode\"=hex(2):41,00\r\n"
    "@=\"default\"\r\n"
    "\"name\"=\"a name with \\\"quotes\\\" longer than twenty-four characters\"\r\n"
    "\"name\"=hex(1):41,6d,62,00,72,65,6c\r\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ambrel-fuzz-seeds OUTDIR\n");
        return 2;
    }
    const std::string root = argv[1];
    std::vector<std::pair<std::string, Bytes>> files;
    for (const Edition* edition : {&fullEdition(), &siblingEdition()}) {
        const std::string tag = edition->numParams == fullEdition().numParams ? "full" : "sibling";
        const std::vector<CProgram> programs = factoryPrograms(*edition);
        const Bytes preset = encodePresetFile(programs[2]);
        const Bytes bank = encodeBankFile(programs.data());
        for (const char* target : {"preset_loader", "bank_loader"}) {
            const std::string dir = std::string(target) + "/" + tag;
            files.push_back({dir + "-preset.zem", preset});
            files.push_back({dir + "-default.zem", encodePresetFile(programs[1])});
            files.push_back({dir + "-reversed.zem", reversedMagic(preset)});
            files.push_back({dir + "-bank.zmb", bank});
            files.push_back({dir + "-reversed.zmb", reversedMagic(bank)});
        }
        files.push_back({"settings_key/" + tag + "-memo.reg", textBytes(storedMemo(*edition, 5))});
    }
    const std::vector<CProgram> programs = factoryPrograms(fullEdition());
    for (const char* target : {"preset_loader", "bank_loader"}) {
        files.push_back({std::string(target) + "/legacy.zem", legacyFile(programs, kPresetKind, 1)});
        files.push_back({std::string(target) + "/legacy.zmb", legacyFile(programs, kBankKind, kLegacyBankPrograms)});
    }
    files.push_back({"settings_key/edited.reg", textBytes(kEditedKey)});

    // The call streams start from reproducible noise of a few lengths: any
    // bytes decode into calls.
    for (const char* target : {"parameter_calls", "dispatcher"}) {
        std::uint32_t state = 12345;
        for (int n = 0; n < 8; ++n) {
            Bytes stream(static_cast<std::size_t>(64 << (n % 6)));
            for (std::uint8_t& b : stream) {
                state = state * 1664525u + 1013904223u;
                b = static_cast<std::uint8_t>(state >> 24);
            }
            files.push_back({std::string(target) + "/noise-" + std::to_string(n), stream});
        }
    }

    ::mkdir(root.c_str(), 0755);
    for (const char* target : {"preset_loader", "bank_loader", "settings_key", "parameter_calls", "dispatcher"})
        ::mkdir((root + "/" + target).c_str(), 0755);
    for (const auto& [name, bytes] : files) {
        if (!writeFile(root + "/" + name, bytes)) {
            std::fprintf(stderr, "ambrel-fuzz-seeds: cannot write %s/%s\n", root.c_str(), name.c_str());
            return 1;
        }
    }
    return 0;
}
