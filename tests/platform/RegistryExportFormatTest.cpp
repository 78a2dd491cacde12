#include <gtest/gtest.h>

#include "platform/linux/RegistryExportFormat.h"

using namespace ambrel;

namespace {

const std::string kKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Zemtone\\Ambrel20\\MemoA";

SettingsValue value(std::uint32_t type, std::vector<std::uint8_t> bytes) { return SettingsValue{type, std::move(bytes)}; }

SettingsValue text(const std::string& s) {
    std::vector<std::uint8_t> bytes(s.begin(), s.end());
    bytes.push_back(0);
    return value(kSettingsString, bytes);
}

}  // namespace

TEST(RegistryExportFormat, WritesTheExportLayout) {
    const SettingsValueList values = {{"param  0", value(kSettingsBinary, {0x00, 0x00, 0x80, 0x3f})},
                                      {"name", text("Mix \"Finalize\" \\ 1")},
                                      {"count", value(kSettingsDword, {0x0a, 0x00, 0x00, 0x00})}};
    EXPECT_EQ(formatRegistryExport(kKey, values),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zemtone\\Ambrel20\\MemoA]\n"
              "\"param  0\"=hex:00,00,80,3f\n"
              "\"name\"=\"Mix \\\"Finalize\\\" \\\\ 1\"\n"
              "\"count\"=dword:0000000a\n\n");
}

TEST(RegistryExportFormat, EveryValueComesBackWithItsExactBytes) {
    std::vector<std::uint8_t> longBinary;
    for (int i = 0; i < 200; ++i) longBinary.push_back(static_cast<std::uint8_t>(i * 7));
    const SettingsValueList values = {
        {"binary", value(kSettingsBinary, {1, 2, 3, 4})},
        {"empty binary", value(kSettingsBinary, {})},
        {"long binary", value(kSettingsBinary, longBinary)},
        {"text", text("Default")},
        {"empty text", text("")},
        {"text without terminator", value(kSettingsString, {'A', 'B'})},
        {"text with inner NUL", value(kSettingsString, {'A', 0, 'B', 0})},
        {"text with newline", text("line\nbreak")},
        {"text with high bytes", text("caf\xc3\xa9")},
        {"empty string bytes", value(kSettingsString, {})},
        {"dword", value(kSettingsDword, {0x78, 0x56, 0x34, 0x12})},
        {"short dword", value(kSettingsDword, {1, 2})},
        {"multi string", value(7, {'a', 0, 'b', 0, 0})},
        {"odd \"name\" \\ here", value(kSettingsBinary, {9})},
        {"", value(kSettingsBinary, {5})},
    };
    const std::string file = formatRegistryExport(kKey, values);
    const SettingsValueList back = parseRegistryExport(file, kKey);
    ASSERT_EQ(back.size(), values.size()) << file;
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(back[i].name, values[i].name);
        EXPECT_EQ(back[i].value.type, values[i].value.type) << values[i].name;
        EXPECT_EQ(back[i].value.bytes, values[i].value.bytes) << values[i].name;
    }
    for (std::size_t pos = 0, next; (next = file.find('\n', pos)) != std::string::npos; pos = next + 1)
        EXPECT_LE(next - pos, 80u) << "long lines are continued";
}

TEST(RegistryExportFormat, ReadsLeniently) {
    const std::string file =
        "REGEDIT4\r\n\r\n"
        "; a comment\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n"
        "\"a\"=hex:01\r\n"
        "[hkey_local_machine\\software\\zemtone\\ambrel20\\memoa]\r\n"
        "\"a\"=hex:02\r\n"
        "\"b\"=hex:0g\r\n"
        "\"c\"=hex:01,,02\r\n"
        "\"d\"=\"unterminated\r\n"
        "\"e\"=-\r\n"
        "\"f\" = hex:01\r\n"
        "garbage line\r\n"
        "\"g\"=hex:01,02,\\\r\n"
        "  03,04\r\n"
        "\"a\"=hex:03\r\n"
        "\"h\"=dword:123\r\n"
        "\"i\"=hex(2):41,00\r\n"
        "\"j\"=hex:05,06,\\";
    const SettingsValueList values = parseRegistryExport(file, kKey);
    ASSERT_EQ(values.size(), 3u);  // "j" was cut after its continuation mark: bytes may be missing
    EXPECT_EQ(values[0].name, "a");
    EXPECT_EQ(values[0].value.bytes, std::vector<std::uint8_t>{3});  // the last one counts
    EXPECT_EQ(values[1].name, "g");
    EXPECT_EQ(values[1].value.bytes, (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(values[2].name, "i");
    EXPECT_EQ(values[2].value.type, 2u);
    EXPECT_TRUE(parseRegistryExport("", kKey).empty());
    EXPECT_TRUE(parseRegistryExport(std::string("\0\0\xff\"", 4), kKey).empty());
}
