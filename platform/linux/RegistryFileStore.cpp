#include "platform/linux/RegistryFileStore.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/RegistryExportFormat.h"
#include "platform/linux/SettingsLocation.h"
#include "presets/AtomicFile.h"

namespace ambrel {
namespace {

constexpr std::size_t kMaxKeyFileBytes = 1 << 20;  // far above any key of ours; more is not a key file

bool readKeyFile(const std::string& file, std::string& text) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return false;
    text.clear();
    char chunk[4096];
    std::size_t got;
    while (text.size() < kMaxKeyFileBytes && (got = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, got);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool makeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    for (std::size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/') continue;
        const std::string part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

class RegistryFileKey : public SettingsKey {
public:
    RegistryFileKey(std::string file, std::string keyName, SettingsValueList values, bool writable)
        : file(std::move(file)), keyName(std::move(keyName)), values(std::move(values)), writable(writable) {}
    ~RegistryFileKey() override { close(); }

    bool setValue(const std::string& name, std::uint32_t type, const void* data, std::size_t size) override {
        if (!writable || !isWritableValueName(name) || (size > 0 && !data)) return false;
        SettingsValue value;
        value.type = type;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        value.bytes.assign(bytes, bytes + size);
        for (NamedSettingsValue& existing : values) {
            if (existing.name == name) {
                existing.value = std::move(value);
                changed = true;
                return true;
            }
        }
        values.push_back({name, std::move(value)});
        changed = true;
        return true;
    }

    std::optional<SettingsValue> queryValue(const std::string& name) const override {
        for (const NamedSettingsValue& existing : values)
            if (existing.name == name) return existing.value;
        return std::nullopt;
    }

    bool close() override {
        if (!writable || !changed) return true;
        changed = false;
        const std::string text = formatRegistryExport(keyName, values);
        return replaceFileContents(file, text.data(), text.size());
    }

private:
    std::string file;
    std::string keyName;
    SettingsValueList values;
    bool writable;
    bool changed = false;
};

std::string fullKeyName(const std::string& path) { return std::string(kMachineRootName) + "\\" + path; }

}  // namespace

RegistryFileStore::RegistryFileStore(std::string root) : fixedRoot(std::move(root)) {}

std::string RegistryFileStore::fileOfKey(const std::string& path) const {
    std::string root = fixedRoot.empty() ? settingsDirectory() : fixedRoot;
    if (root.empty() || path.empty()) return {};
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    std::string file = root;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find('/') != std::string::npos ||
            part.find('\0') != std::string::npos)
            return {};
        file += '/';
        file += part;
        start = end + 1;
    }
    return file + ".reg";
}

std::unique_ptr<SettingsKey> RegistryFileStore::createKey(const std::string& path) {
    const std::string file = fileOfKey(path);
    if (file.empty()) return nullptr;
    const std::string folder = file.substr(0, file.find_last_of('/'));
    if (!makeFolders(folder) || ::access(folder.c_str(), W_OK) != 0) return nullptr;
    if (::access(file.c_str(), F_OK) == 0 && ::access(file.c_str(), W_OK) != 0) return nullptr;  // a protected key
    SettingsValueList values;
    std::string text;
    if (readKeyFile(file, text)) values = parseRegistryExport(text, fullKeyName(path));
    return std::make_unique<RegistryFileKey>(file, fullKeyName(path), std::move(values), true);
}

std::unique_ptr<SettingsKey> RegistryFileStore::openKey(const std::string& path) {
    const std::string file = fileOfKey(path);
    std::string text;
    if (file.empty() || !readKeyFile(file, text)) return nullptr;
    return std::make_unique<RegistryFileKey>(file, fullKeyName(path), parseRegistryExport(text, fullKeyName(path)),
                                             false);
}

SettingsStore& machineSettingsStore() {
    static RegistryFileStore store;
    return store;
}

}  // namespace ambrel
