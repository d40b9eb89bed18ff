#pragma once

// The "System Info..." launcher: finds the operating system's system
// information program through two registry lookups and starts it, or tells
// the user it is unavailable. Plain C++: the registry, the file test, the
// process start and the message come from a SysInfoPlatform.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tarvilo::sysinfo {

using RegistryKey = std::uintptr_t; // an open key's handle value

inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
// The lookups only read: read access alone, which ordinary users are granted
// under HKEY_LOCAL_MACHINE (asking also for write rights would be refused).
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorMoreData = 234;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::size_t kValueBufferSize = 1024;

inline constexpr const char *kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char *kMsinfoValue = "PATH";
inline constexpr const char *kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char *kSharedToolsValue = "MSINFO";
inline constexpr const char *kMsinfoProgram = "\\MSINFO32.EXE";
inline constexpr const char *kUnavailableText = "System Information Is Unavailable At This Time";

// What the launcher needs of the system. Registry results are the Windows
// status codes: 0 is success, anything else failure.
class SysInfoPlatform
{
public:
    virtual ~SysInfoPlatform() = default;

    virtual long openKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, RegistryKey &key) = 0;
    // data has room for dataLength bytes; on return dataLength is the
    // value's length (also when it did not fit).
    virtual long queryValue(RegistryKey key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                            std::uint32_t &dataLength) = 0;
    virtual void closeKey(RegistryKey key) = 0;
    // An ordinary file: not a folder, not hidden, not a system file.
    virtual bool isOrdinaryFile(const std::string &path) = 0;
    // Starts the program as a new process without waiting for it; false when
    // it could not be started.
    virtual bool startProgram(const std::string &path) = 0;
    // The message with an OK button only, no icon, caption "tarvilo".
    virtual void showMessage(const std::string &text) = 0;
};

// A value of length zero: there is no last character to look at.
class ZeroLengthValue : public std::runtime_error
{
public:
    ZeroLengthValue() : std::runtime_error("registry value of length zero") { }
};

// Reads one registry value as text. True when the key opened and the value
// was read (keyVal is then the text, the number as text, or left as it was
// for any other type); false, with keyVal empty, otherwise. Throws
// ZeroLengthValue for a value of length zero.
bool GetKeyValue(SysInfoPlatform &platform, std::uint32_t keyRoot, const std::string &keyName,
                 const std::string &subKeyRef, std::string &keyVal);

// Looks the program up (its path, else its folder holding MSINFO32.EXE) and
// starts it; any failure shows the one "unavailable" message.
void StartSysInfo(SysInfoPlatform &platform);

} // namespace tarvilo::sysinfo
