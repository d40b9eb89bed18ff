#pragma once

#include "platform/sysinfo/sys_info_launcher.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvilo::sysinfo {

// Where there is no Windows registry: lookup 1 answers with the first of the
// desktops' usual system-information programs found on PATH, lookup 2 is
// always absent. Programs are started directly, never through a shell.
class LinuxSysInfoPlatform : public SysInfoPlatform
{
public:
    long openKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, RegistryKey &key) override;
    long queryValue(RegistryKey key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                    std::uint32_t &dataLength) override;
    void closeKey(RegistryKey key) override;
    bool isOrdinaryFile(const std::string &path) override;
    bool startProgram(const std::string &path) override;

    static const std::vector<std::string> &knownPrograms();

private:
    std::string m_foundProgram;
};

// The first of the names found as an executable file in the folders of PATH,
// or an empty text.
std::string FindOnPath(const std::vector<std::string> &names);

} // namespace tarvilo::sysinfo
