#pragma once

#include "platform/sysinfo/sys_info_launcher.h"

#include <cstdint>
#include <string>

namespace tarvilo::sysinfo {

// The real thing on Windows: advapi32's registry, the file attributes and
// CreateProcess. The message is left to the user interface.
class WindowsSysInfoPlatform : public SysInfoPlatform
{
public:
    long openKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, RegistryKey &key) override;
    long queryValue(RegistryKey key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                    std::uint32_t &dataLength) override;
    void closeKey(RegistryKey key) override;
    bool isOrdinaryFile(const std::string &path) override;
    bool startProgram(const std::string &path) override;
};

} // namespace tarvilo::sysinfo
