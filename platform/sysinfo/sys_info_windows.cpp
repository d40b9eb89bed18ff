#include "platform/sysinfo/sys_info_windows.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace tarvilo::sysinfo {

long WindowsSysInfoPlatform::openKey(std::uint32_t root, const std::string &keyName, std::uint32_t access,
                                     RegistryKey &key)
{
    HKEY handle = nullptr;
    const HKEY rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    const LONG result = RegOpenKeyExA(rootKey, keyName.c_str(), 0, access, &handle);
    key = reinterpret_cast<RegistryKey>(handle);
    return result;
}

long WindowsSysInfoPlatform::queryValue(RegistryKey key, const std::string &valueName, std::uint32_t &type,
                                        unsigned char *data, std::uint32_t &dataLength)
{
    DWORD valueType = 0;
    DWORD length = dataLength;
    const LONG result =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, &valueType, data, &length);
    type = valueType;
    dataLength = length;
    return result;
}

void WindowsSysInfoPlatform::closeKey(RegistryKey key)
{
    RegCloseKey(reinterpret_cast<HKEY>(key));
}

bool WindowsSysInfoPlatform::isOrdinaryFile(const std::string &path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool WindowsSysInfoPlatform::startProgram(const std::string &path)
{
    if (path.empty())
        return false;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // The path is the program itself, with no command line to parse.
    if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace tarvilo::sysinfo
