#include "platform/sysinfo/sys_info_launcher.h"

#include "tests/support/fake_platform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvilo::sysinfo {
namespace {

using testing::FakePlatform;

const std::string kProgram = "C:\\Windows\\System32\\msinfo32.exe";
const std::string kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";

struct LaunchCase
{
    const char *name;
    std::function<void(FakePlatform &)> arrange;
    std::vector<std::string> started;
    bool message;
    std::vector<std::string> opened;
};

void PrintTo(const LaunchCase &c, std::ostream *out)
{
    *out << c.name;
}

class StartSysInfoCases : public ::testing::TestWithParam<LaunchCase>
{
};

TEST_P(StartSysInfoCases, StartsTheProgramOrShowsTheMessage)
{
    const LaunchCase &c = GetParam();
    FakePlatform platform;
    c.arrange(platform);
    StartSysInfo(platform);
    EXPECT_EQ(platform.started, c.started);
    EXPECT_EQ(platform.messages.size(), c.message ? 1u : 0u);
    if (c.message) {
        EXPECT_EQ(platform.messages.front(), "System Information Is Unavailable At This Time");
    }
    EXPECT_EQ(platform.opened, c.opened);
    EXPECT_EQ(platform.openKeys, 0) << "a key was left open";
    for (std::uint32_t access : platform.accessMasks)
        EXPECT_EQ(access, 0x20019u) << "read access only";
}

const std::vector<std::string> kBothLookups = { kMsinfoKey, kSharedToolsKey };
const std::vector<std::string> kFirstLookup = { kMsinfoKey };

INSTANTIATE_TEST_SUITE_P(
        Cases, StartSysInfoCases,
        ::testing::Values(LaunchCase{ "lookup_1_present",
                                      [](FakePlatform &p) { p.AddText(kMsinfoKey, "PATH", kProgram); },
                                      { kProgram },
                                      false,
                                      kFirstLookup },
                          LaunchCase{ "lookup_1_is_used_untested",
                                      [](FakePlatform &p) { p.AddText(kMsinfoKey, "PATH", "D:\\nowhere\\tool.exe"); },
                                      { "D:\\nowhere\\tool.exe" },
                                      false,
                                      kFirstLookup },
                          LaunchCase{ "lookup_2_with_the_program",
                                      [](FakePlatform &p) {
                                          p.AddText(kSharedToolsKey, "MSINFO", kFolder);
                                          p.AddFile(kFolder + "\\MSINFO32.EXE");
                                      },
                                      { kFolder + "\\MSINFO32.EXE" },
                                      false,
                                      kBothLookups },
                          LaunchCase{ "lookup_2_without_the_program",
                                      [](FakePlatform &p) { p.AddText(kSharedToolsKey, "MSINFO", kFolder); },
                                      {},
                                      true,
                                      kBothLookups },
                          LaunchCase{ "lookup_1_key_without_its_value",
                                      [](FakePlatform &p) {
                                          p.AddValue(kMsinfoKey, "OTHER", { kRegSz, "x" });
                                          p.AddText(kSharedToolsKey, "MSINFO", kFolder);
                                          p.AddFile(kFolder + "\\MSINFO32.EXE");
                                      },
                                      { kFolder + "\\MSINFO32.EXE" },
                                      false,
                                      kBothLookups },
                          LaunchCase{ "both_absent", [](FakePlatform &) {}, {}, true, kBothLookups },
                          LaunchCase{ "zero_length_value_shows_the_message_at_once",
                                      [](FakePlatform &p) {
                                          p.AddValue(kMsinfoKey, "PATH", { kRegSz, "" });
                                          p.AddText(kSharedToolsKey, "MSINFO", kFolder);
                                          p.AddFile(kFolder + "\\MSINFO32.EXE");
                                      },
                                      {},
                                      true,
                                      kFirstLookup },
                          LaunchCase{ "value_neither_text_nor_number",
                                      [](FakePlatform &p) {
                                          p.AddValue(kMsinfoKey, "PATH", { 3, "\x01\x02\x03" });
                                          p.AddText(kSharedToolsKey, "MSINFO", kFolder);
                                      },
                                      {},
                                      true,
                                      kFirstLookup },
                          LaunchCase{ "start_fails",
                                      [](FakePlatform &p) {
                                          p.AddText(kMsinfoKey, "PATH", kProgram);
                                          p.FailStarts();
                                      },
                                      {},
                                      true,
                                      kFirstLookup },
                          LaunchCase{ "over_long_path_fails_the_lookup",
                                      [](FakePlatform &p) {
                                          p.AddText(kMsinfoKey, "PATH",
                                                    std::string(1024, 'a')); // 1025 bytes with its NUL
                                          p.AddText(kSharedToolsKey, "MSINFO", kFolder);
                                          p.AddFile(kFolder + "\\MSINFO32.EXE");
                                      },
                                      { kFolder + "\\MSINFO32.EXE" },
                                      false,
                                      kBothLookups }));

struct ValueCase
{
    const char *name;
    FakePlatform::Value stored;
    bool read;
    std::string keyVal;
};

void PrintTo(const ValueCase &c, std::ostream *out)
{
    *out << c.name;
}

class GetKeyValueCases : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(GetKeyValueCases, ReadsTheValueAsText)
{
    const ValueCase &c = GetParam();
    FakePlatform platform;
    platform.AddValue("K", "V", c.stored);
    std::string keyVal = "before";
    EXPECT_EQ(GetKeyValue(platform, kHkeyLocalMachine, "K", "V", keyVal), c.read);
    EXPECT_EQ(keyVal, c.keyVal);
    EXPECT_EQ(platform.openKeys, 0);
}

INSTANTIATE_TEST_SUITE_P(
        Values, GetKeyValueCases,
        ::testing::Values(
                ValueCase{ "text_with_terminator", { kRegSz, std::string("C:\\x.exe\0", 9) }, true, "C:\\x.exe" },
                ValueCase{ "text_without_terminator", { kRegSz, "C:\\x.exe" }, true, "C:\\x.exe" },
                ValueCase{
                        "only_the_last_nul_goes", { kRegSz, std::string("ab\0\0", 4) }, true, std::string("ab\0", 3) },
                ValueCase{ "fills_the_buffer",
                           { kRegSz, std::string(1023, 'p') + std::string(1, '\0') },
                           true,
                           std::string(1023, 'p') },
                ValueCase{ "fills_the_buffer_without_nul",
                           { kRegSz, std::string(1024, 'p') },
                           true,
                           std::string(1024, 'p') },
                ValueCase{ "one_byte_too_long", { kRegSz, std::string(1025, 'p') }, false, "" },
                ValueCase{ "number", { kRegDword, std::string("\x2A\x01\x00\x00", 4) }, true, "298" },
                ValueCase{ "other_type_leaves_keyval", { 3, "\x01\x02" }, true, "before" }));

TEST(GetKeyValue, MissingKeyOrValueGivesFalseAndEmptyText)
{
    FakePlatform platform;
    platform.AddText("K", "V", "x");
    std::string keyVal = "before";
    EXPECT_FALSE(GetKeyValue(platform, kHkeyLocalMachine, "Missing", "V", keyVal));
    EXPECT_EQ(keyVal, "");
    keyVal = "before";
    EXPECT_FALSE(GetKeyValue(platform, kHkeyLocalMachine, "K", "Missing", keyVal));
    EXPECT_EQ(keyVal, "");
    EXPECT_EQ(platform.openKeys, 0);
}

TEST(GetKeyValue, ZeroLengthValueClosesTheKeyAndRaises)
{
    FakePlatform platform;
    platform.AddValue("K", "V", { kRegSz, "" });
    std::string keyVal;
    EXPECT_THROW(GetKeyValue(platform, kHkeyLocalMachine, "K", "V", keyVal), ZeroLengthValue);
    EXPECT_EQ(platform.openKeys, 0);
}

TEST(GetKeyValue, OpensForReadingOnly)
{
    FakePlatform platform;
    platform.AddText("K", "V", "x");
    std::string keyVal;
    GetKeyValue(platform, kHkeyLocalMachine, "K", "V", keyVal);
    ASSERT_EQ(platform.accessMasks.size(), 1u);
    EXPECT_EQ(platform.accessMasks[0], 0x20019u); // KEY_READ; never 0x2003F
}

} // namespace
} // namespace tarvilo::sysinfo
