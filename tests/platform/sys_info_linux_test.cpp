// The Linux substitute for real: a fake system-information program placed
// first on PATH, in a folder whose name would break any shell.
#include "platform/sysinfo/sys_info_linux.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tarvilo::sysinfo {
namespace {

namespace fs = std::filesystem;

class RecordingLinuxPlatform : public LinuxSysInfoPlatform
{
public:
    void showMessage(const std::string &text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class LinuxLauncher : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tarvilo-sysinfo-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        // Blanks, a quote and a command substitution: harmless to execv,
        // fatal to anything that hands the path to a shell.
        m_bin = m_root / "bin dir 'q' $(touch INJECTED)";
        fs::create_directories(m_bin);
        m_record = m_root / "record";
        const char *path = std::getenv("PATH");
        m_savedPath = path ? path : "";
    }

    void TearDown() override
    {
        setenv("PATH", m_savedPath.c_str(), 1);
        fs::remove_all(m_root);
    }

    void InstallFakeProgram(const std::string &name)
    {
        const fs::path program = m_bin / name;
        std::ofstream(program) << "#!/bin/sh\n"
                               << "printf '%s|%s' \"$#\" \"$0\" > '" << m_record.string() << ".tmp'\n"
                               << "mv '" << m_record.string() << ".tmp' '" << m_record.string() << "'\n";
        fs::permissions(program, fs::perms::owner_all);
    }

    std::string WaitForRecord()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(m_record) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream in(m_record);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path m_root;
    fs::path m_bin;
    fs::path m_record;
    std::string m_savedPath;
};

TEST_F(LinuxLauncher, StartsTheFirstKnownProgramOnPathWithoutArgumentsOrShell)
{
    InstallFakeProgram("hardinfo");
    setenv("PATH", (m_bin.string() + ":" + m_savedPath).c_str(), 1);
    RecordingLinuxPlatform platform;
    StartSysInfo(platform);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(WaitForRecord(), "0|" + (m_bin / "hardinfo").string());
    EXPECT_FALSE(fs::exists(fs::current_path() / "INJECTED"));
    EXPECT_FALSE(fs::exists(m_bin / "INJECTED"));
}

TEST_F(LinuxLauncher, NoKnownProgramShowsTheMessage)
{
    setenv("PATH", m_bin.string().c_str(), 1);
    RecordingLinuxPlatform platform;
    StartSysInfo(platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], kUnavailableText);
}

TEST_F(LinuxLauncher, ANonExecutableFileIsNotFound)
{
    std::ofstream(m_bin / "kinfocenter") << "not a program";
    setenv("PATH", m_bin.string().c_str(), 1);
    EXPECT_EQ(FindOnPath(LinuxSysInfoPlatform::knownPrograms()), "");
}

// The found path, with its terminating zero, in a buffer of just that size
// or in one a byte short.
TEST_F(LinuxLauncher, ThePathFitsABufferOfItsOwnSize)
{
    InstallFakeProgram("kinfocenter");
    setenv("PATH", m_bin.string().c_str(), 1);
    RecordingLinuxPlatform platform;
    RegistryKey key = 0;
    ASSERT_EQ(platform.openKey(kHkeyLocalMachine, kMsinfoKey, kKeyRead, key), kErrorSuccess);
    const std::string expected = (m_bin / "kinfocenter").string();
    std::vector<unsigned char> buffer(expected.size() + 1);
    std::uint32_t type = 0;
    std::uint32_t length = static_cast<std::uint32_t>(buffer.size()) - 1;
    EXPECT_EQ(platform.queryValue(key, kMsinfoValue, type, buffer.data(), length), kErrorMoreData);
    EXPECT_EQ(length, buffer.size());
    EXPECT_EQ(platform.queryValue(key, kMsinfoValue, type, buffer.data(), length), kErrorSuccess);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(buffer.data())), expected);
    platform.closeKey(key);
}

TEST_F(LinuxLauncher, LookupTwoIsAlwaysAbsent)
{
    RecordingLinuxPlatform platform;
    RegistryKey key = 0;
    EXPECT_NE(platform.openKey(kHkeyLocalMachine, kSharedToolsKey, kKeyRead, key), kErrorSuccess);
}

TEST_F(LinuxLauncher, AStartThatCannotRunReportsFailure)
{
    RecordingLinuxPlatform platform;
    EXPECT_FALSE(platform.startProgram((m_root / "missing").string()));
    EXPECT_FALSE(platform.startProgram(m_bin.string())); // a folder
    std::ofstream(m_root / "text") << "plain text";
    fs::permissions(m_root / "text", fs::perms::owner_all);
    EXPECT_FALSE(platform.startProgram((m_root / "text").string())); // no interpreter, no format
    EXPECT_FALSE(platform.startProgram(""));
}

} // namespace
} // namespace tarvilo::sysinfo
