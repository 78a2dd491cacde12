#include "platform/linux/RegistryExportFormat.h"

#include <cstdio>
#include <strings.h>

namespace ambrel {
namespace {

bool isPrintable(unsigned char c) { return c >= 0x20 && c < 0x7f; }

void appendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    out += '"';
}

bool isPlainString(const SettingsValue& value) {
    if (value.type != kSettingsString || value.bytes.empty() || value.bytes.back() != 0) return false;
    for (std::size_t i = 0; i + 1 < value.bytes.size(); ++i)
        if (!isPrintable(value.bytes[i])) return false;
    return true;
}

// Long hex lists continue on the next line after ",\", as exports do.
void appendHex(std::string& out, const std::vector<std::uint8_t>& bytes) {
    std::size_t lineLength = out.size() - out.rfind('\n');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        out += digits;
        lineLength += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            ++lineLength;
            if (lineLength > 76) {
                out += "\\\n  ";
                lineLength = 2;
            }
        }
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r')) --end;
    return text.substr(begin, end - begin);
}

// Reads a quoted text starting at `pos` (at the opening quote); advances past
// the closing quote. False when it is not closed.
bool readQuoted(const std::string& line, std::size_t& pos, std::string& text) {
    if (pos >= line.size() || line[pos] != '"') return false;
    ++pos;
    text.clear();
    while (pos < line.size()) {
        char c = line[pos++];
        if (c == '"') return true;
        if (c == '\\') {
            if (pos >= line.size()) return false;
            c = line[pos++];
        }
        text += c;
    }
    return false;
}

bool readHexList(const std::string& list, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::size_t pos = 0;
    const std::string body = trimmed(list);
    if (body.empty()) return true;
    while (true) {
        while (pos < body.size() && body[pos] == ' ') ++pos;
        if (pos + 2 > body.size()) return false;
        int high = hexDigit(body[pos]), low = hexDigit(body[pos + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        pos += 2;
        while (pos < body.size() && body[pos] == ' ') ++pos;
        if (pos == body.size()) return true;
        if (body[pos] != ',') return false;
        ++pos;
    }
}

bool parseValueLine(const std::string& line, NamedSettingsValue& parsed) {
    std::size_t pos = 0;
    if (line.compare(0, 1, "@") == 0) {
        parsed.name.clear();
        pos = 1;
    } else if (!readQuoted(line, pos, parsed.name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=') return false;
    const std::string data = trimmed(line.substr(pos + 1));
    SettingsValue& value = parsed.value;
    if (!data.empty() && data[0] == '"') {
        std::size_t textPos = 0;
        std::string text;
        if (!readQuoted(data, textPos, text) || textPos != data.size()) return false;
        value.type = kSettingsString;
        value.bytes.assign(text.begin(), text.end());
        value.bytes.push_back(0);
        return true;
    }
    if (data.rfind("dword:", 0) == 0) {
        const std::string digits = data.substr(6);
        if (digits.size() != 8) return false;
        std::uint32_t number = 0;
        for (char c : digits) {
            int d = hexDigit(c);
            if (d < 0) return false;
            number = number * 16 + static_cast<std::uint32_t>(d);
        }
        value.type = kSettingsDword;
        value.bytes = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                       static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
        return true;
    }
    if (data.rfind("hex:", 0) == 0) {
        value.type = kSettingsBinary;
        return readHexList(data.substr(4), value.bytes);
    }
    if (data.rfind("hex(", 0) == 0) {
        const std::size_t close = data.find("):");
        if (close == std::string::npos || close == 4 || close > 12) return false;
        std::uint32_t type = 0;
        for (std::size_t i = 4; i < close; ++i) {
            int d = hexDigit(data[i]);
            if (d < 0) return false;
            type = type * 16 + static_cast<std::uint32_t>(d);
        }
        value.type = type;
        return readHexList(data.substr(close + 2), value.bytes);
    }
    return false;  // includes "-", the export's way of deleting a value
}

}  // namespace

bool isWritableValueName(const std::string& name) {
    for (char c : name)
        if (!isPrintable(static_cast<unsigned char>(c))) return false;
    return true;
}

std::string formatRegistryExport(const std::string& keyName, const SettingsValueList& values) {
    std::string out = "REGEDIT4\n\n[" + keyName + "]\n";
    for (const NamedSettingsValue& entry : values) {
        if (!isWritableValueName(entry.name)) continue;
        appendQuoted(out, entry.name);
        out += '=';
        const SettingsValue& value = entry.value;
        if (isPlainString(value)) {
            appendQuoted(out, std::string(value.bytes.begin(), value.bytes.end() - 1));
        } else if (value.type == kSettingsDword && value.bytes.size() == 4) {
            char digits[16];
            std::snprintf(digits, sizeof digits, "dword:%02x%02x%02x%02x", value.bytes[3], value.bytes[2],
                          value.bytes[1], value.bytes[0]);
            out += digits;
        } else {
            if (value.type == kSettingsBinary) {
                out += "hex:";
            } else {
                char prefix[24];
                std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
                out += prefix;
            }
            appendHex(out, value.bytes);
        }
        out += '\n';
    }
    out += '\n';
    return out;
}

SettingsValueList parseRegistryExport(const std::string& text, const std::string& keyName) {
    SettingsValueList values;
    bool inOurSection = true;  // lines before any section header count
    std::size_t pos = 0;
    std::string pending;  // a line continued with a final backslash
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = trimmed(text.substr(pos, end - pos));
        pos = end + 1;
        if (!pending.empty()) {
            line = pending + line;
            pending.clear();
        }
        if (!line.empty() && line.back() == '\\' && line[0] != '[') {
            pending = line.substr(0, line.size() - 1);
            if (pos > text.size()) line = pending;  // cut at the end: parsed as it stands, so a dangling comma rejects it
            else continue;
        }
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            inOurSection = line.back() == ']' &&
                           strcasecmp(line.substr(1, line.size() - 2).c_str(), keyName.c_str()) == 0;
            continue;
        }
        if (!inOurSection) continue;
        NamedSettingsValue parsed;
        if (!parseValueLine(line, parsed)) continue;
        bool replaced = false;
        for (NamedSettingsValue& existing : values) {
            if (existing.name == parsed.name) {
                existing.value = parsed.value;
                replaced = true;
                break;
            }
        }
        if (!replaced) values.push_back(std::move(parsed));
    }
    return values;
}

}  // namespace ambrel
