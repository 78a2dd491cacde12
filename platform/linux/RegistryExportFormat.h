#pragma once
// The text form of one settings key: the registry's export format, so that a
// user can read, edit and back up the file.
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Zemtone\Ambrel20\MemoA]
//   "param  0"=hex:00,00,80,3f
//   "name"="Default"

#include <string>
#include <vector>

#include "presets/SettingsStore.h"

namespace ambrel {

inline constexpr const char* kMachineRootName = "HKEY_LOCAL_MACHINE";

struct NamedSettingsValue {
    std::string name;
    SettingsValue value;
};

using SettingsValueList = std::vector<NamedSettingsValue>;

// Value names are printable characters; anything else cannot be written.
bool isWritableValueName(const std::string& name);

// `keyName` is the full key name as shown in brackets. Strings that are
// printable text with one final NUL are written as "text"; every other value as
// hex, so the bytes come back exactly.
std::string formatRegistryExport(const std::string& keyName, const SettingsValueList& values);

// Takes every well-formed value of the section `keyName` (and of lines before
// any section); malformed or cut lines are skipped. A name given twice keeps
// its last value.
SettingsValueList parseRegistryExport(const std::string& text, const std::string& keyName);

}  // namespace ambrel
