// The launcher's Windows side against a real (Wine) registry. The values are
// written beforehand by run_wine_tests.sh with "wine reg"; each scenario is
// one run of this program:
//   values            GetKeyValue on the prepared test values
//   started           StartSysInfo must start a program, no message
//   message           StartSysInfo must show the message, start nothing
// Run without arguments, the program is the started program itself: it
// leaves a mark in the file named by TARVILO_MARKER and ends.
#include "platform/sysinfo/sys_info_launcher.h"
#include "platform/sysinfo/sys_info_windows.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tarvilo::sysinfo;

namespace {

int g_passed = 0;
int g_failed = 0;

void Check(bool condition, const std::string &what)
{
    if (condition) {
        ++g_passed;
    } else {
        ++g_failed;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

class RecordingPlatform : public WindowsSysInfoPlatform
{
public:
    void showMessage(const std::string &text) override { messages.push_back(text); }
    bool startProgram(const std::string &path) override
    {
        const bool started = WindowsSysInfoPlatform::startProgram(path);
        if (started)
            startedPaths.push_back(path);
        return started;
    }
    std::vector<std::string> messages;
    std::vector<std::string> startedPaths;
};

const char *kTestKey = "SOFTWARE\\TarviloTest";

void CheckValue(const char *name, bool expectedRead, const std::string &expected)
{
    RecordingPlatform platform;
    std::string value = "before";
    bool read = false;
    try {
        read = GetKeyValue(platform, kHkeyLocalMachine, kTestKey, name, value);
    } catch (const ZeroLengthValue &) {
        Check(false, std::string(name) + ": unexpected zero length");
        return;
    }
    Check(read == expectedRead, std::string(name) + ": read " + (read ? "true" : "false"));
    Check(value == expected, std::string(name) + ": value of " + std::to_string(value.size()) + " characters");
}

void Values()
{
    CheckValue("WithNul", true, "C:\\Tools\\prog.exe");
    CheckValue("WithoutNul", true, "C:\\Tools\\prog.exe");
    CheckValue("Fills1024", true, std::string(1023, 'p'));
    CheckValue("TooLong1025", false, "");
    CheckValue("Number", true, "298");
    CheckValue("Missing", false, "");

    RecordingPlatform platform;
    std::string value = "before";
    Check(!GetKeyValue(platform, kHkeyLocalMachine, "SOFTWARE\\TarviloNoSuchKey", "x", value) && value.empty(),
          "absent key");
    bool raised = false;
    try {
        GetKeyValue(platform, kHkeyLocalMachine, kTestKey, "Empty", value);
    } catch (const ZeroLengthValue &) {
        raised = true;
    }
    Check(raised, "zero-length value raises");

    // The real file test: an ordinary file, a folder, nothing.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    Check(platform.isOrdinaryFile(self), "this program is an ordinary file");
    Check(!platform.isOrdinaryFile("C:\\windows"), "a folder is not");
    Check(!platform.isOrdinaryFile("C:\\no\\such\\file.exe"), "a missing file is not");
}

bool WaitForMarker(const std::string &marker)
{
    for (int i = 0; i < 200; ++i) {
        if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(50);
    }
    return false;
}

void Started()
{
    RecordingPlatform platform;
    StartSysInfo(platform);
    Check(platform.messages.empty(), "no message");
    Check(platform.startedPaths.size() == 1, "one program started");
    const char *marker = std::getenv("TARVILO_MARKER");
    Check(marker && WaitForMarker(marker), "the started program ran");
}

void Message()
{
    RecordingPlatform platform;
    StartSysInfo(platform);
    Check(platform.messages.size() == 1 && platform.messages[0] == kUnavailableText, "the message");
    Check(platform.startedPaths.empty(), "nothing started");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        if (const char *marker = std::getenv("TARVILO_MARKER")) {
            if (FILE *file = std::fopen(marker, "w")) {
                std::fputs("started\n", file);
                std::fclose(file);
            }
        }
        return 0;
    }
    const std::string scenario = argv[1];
    if (scenario == "values") {
        Values();
    } else if (scenario == "started") {
        Started();
    } else if (scenario == "message") {
        Message();
    } else {
        std::printf("unknown scenario %s\n", scenario.c_str());
        return 2;
    }
    std::printf("%s: %d passed, %d failed\n", scenario.c_str(), g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
