#include "platform/sysinfo/sys_info_launcher.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <string>

namespace tarvilo::sysinfo {
namespace {

// A 32-bit number's text: its bytes read last first as hexadecimal, then
// written as the plain decimal number they make.
std::string DwordText(const std::string &bytes)
{
    std::uint32_t value = 0;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it)
        value = (value << 8) | static_cast<unsigned char>(*it);
    return std::to_string(value);
}

} // namespace

bool GetKeyValue(SysInfoPlatform &platform, std::uint32_t keyRoot, const std::string &keyName,
                 const std::string &subKeyRef, std::string &keyVal)
{
    RegistryKey key = 0;
    if (platform.openKey(keyRoot, keyName, kKeyRead, key) != kErrorSuccess) {
        keyVal.clear();
        return false;
    }

    std::array<unsigned char, kValueBufferSize> buffer{};
    std::uint32_t length = kValueBufferSize;
    std::uint32_t type = 0;
    if (platform.queryValue(key, subKeyRef, type, buffer.data(), length) != kErrorSuccess) {
        keyVal.clear();
        platform.closeKey(key);
        return false;
    }

    if (length == 0) {
        platform.closeKey(key);
        throw ZeroLengthValue();
    }
    std::string text(reinterpret_cast<const char *>(buffer.data()), std::min<std::size_t>(length, buffer.size()));
    if (text.back() == '\0')
        text.pop_back(); // stored with its terminator

    if (type == kRegSz) {
        keyVal = text;
    } else if (type == kRegDword) {
        keyVal = DwordText(text);
    } // any other type leaves keyVal as it was
    platform.closeKey(key);
    return true;
}

void StartSysInfo(SysInfoPlatform &platform)
{
    bool started = false;
    try {
        std::string programPath;
        if (GetKeyValue(platform, kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, programPath)) {
            started = platform.startProgram(programPath); // the path as stored, untested
        } else {
            std::string folder;
            if (GetKeyValue(platform, kHkeyLocalMachine, kSharedToolsKey, kSharedToolsValue, folder)) {
                const std::string candidate = folder + kMsinfoProgram;
                started = platform.isOrdinaryFile(candidate) && platform.startProgram(candidate);
            }
        }
    } catch (const std::exception &) {
        started = false;
    }
    if (!started)
        platform.showMessage(kUnavailableText);
}

} // namespace tarvilo::sysinfo
