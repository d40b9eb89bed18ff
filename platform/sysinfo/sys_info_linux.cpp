#include "platform/sysinfo/sys_info_linux.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvilo::sysinfo {
namespace {

constexpr RegistryKey kMsinfoKeyHandle = 1;

} // namespace

const std::vector<std::string> &LinuxSysInfoPlatform::knownPrograms()
{
    static const std::vector<std::string> names = { "kinfocenter", "hardinfo2", "hardinfo" };
    return names;
}

std::string FindOnPath(const std::vector<std::string> &names)
{
    const char *path = std::getenv("PATH");
    if (!path)
        return {};
    for (const std::string &name : names) {
        const char *start = path;
        while (true) {
            const char *end = std::strchr(start, ':');
            const std::string folder = end ? std::string(start, end) : std::string(start);
            if (!folder.empty()) {
                const std::string candidate = folder + "/" + name;
                struct stat info
                {
                };
                if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode)
                    && access(candidate.c_str(), X_OK) == 0) {
                    return candidate;
                }
            }
            if (!end)
                break;
            start = end + 1;
        }
    }
    return {};
}

long LinuxSysInfoPlatform::openKey(std::uint32_t root, const std::string &keyName, std::uint32_t, RegistryKey &key)
{
    if (root != kHkeyLocalMachine || keyName != kMsinfoKey)
        return kErrorFileNotFound;
    m_foundProgram = FindOnPath(knownPrograms());
    if (m_foundProgram.empty())
        return kErrorFileNotFound;
    key = kMsinfoKeyHandle;
    return kErrorSuccess;
}

long LinuxSysInfoPlatform::queryValue(RegistryKey key, const std::string &valueName, std::uint32_t &type,
                                      unsigned char *data, std::uint32_t &dataLength)
{
    if (key != kMsinfoKeyHandle || valueName != kMsinfoValue)
        return kErrorFileNotFound;
    const std::uint32_t needed = static_cast<std::uint32_t>(m_foundProgram.size() + 1); // with its NUL
    const std::uint32_t room = dataLength;
    dataLength = needed;
    if (needed > room)
        return kErrorMoreData;
    std::memcpy(data, m_foundProgram.c_str(), needed);
    type = kRegSz;
    return kErrorSuccess;
}

void LinuxSysInfoPlatform::closeKey(RegistryKey) { }

bool LinuxSysInfoPlatform::isOrdinaryFile(const std::string &path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool LinuxSysInfoPlatform::startProgram(const std::string &path)
{
    if (path.empty())
        return false;
    // Started twice removed, so the program is nobody's child to wait for;
    // a pipe closed on exec tells whether the exec itself went through.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            char *const argv[] = { const_cast<char *>(path.c_str()), nullptr };
            execv(path.c_str(), argv);
            const int error = errno;
            (void)!write(report[1], &error, sizeof error);
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    close(report[1]);
    int status = 0;
    waitpid(child, &status, 0);
    int execError = 0;
    ssize_t got;
    do {
        got = read(report[0], &execError, sizeof execError);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

} // namespace tarvilo::sysinfo
