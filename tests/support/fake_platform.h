#pragma once

#include "platform/sysinfo/sys_info_launcher.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarvilo::sysinfo::testing {

// A registry, a file system and a process table held in memory, recording
// what the launcher did with them.
class FakePlatform : public SysInfoPlatform
{
public:
    struct Value
    {
        std::uint32_t type = kRegSz;
        std::string bytes; // exactly as stored, terminator included or not
    };

    // Stores a text value with its terminating NUL, as Windows usually does.
    void AddText(const std::string &key, const std::string &name, const std::string &text)
    {
        m_keys[key][name] = Value{ kRegSz, text + std::string(1, '\0') };
    }
    void AddValue(const std::string &key, const std::string &name, const Value &value) { m_keys[key][name] = value; }
    void AddFile(const std::string &path) { m_files.insert(path); }
    void FailStarts() { m_startsFail = true; }

    long openKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, RegistryKey &key) override
    {
        opened.push_back(keyName);
        accessMasks.push_back(access);
        if (root != kHkeyLocalMachine || !m_keys.count(keyName))
            return kErrorFileNotFound;
        m_handles.push_back(keyName);
        key = m_handles.size();
        ++openKeys;
        return kErrorSuccess;
    }

    long queryValue(RegistryKey key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                    std::uint32_t &dataLength) override
    {
        const auto &values = m_keys.at(m_handles.at(key - 1));
        const auto found = values.find(valueName);
        if (found == values.end())
            return kErrorFileNotFound;
        const std::string &bytes = found->second.bytes;
        const std::uint32_t room = dataLength;
        dataLength = static_cast<std::uint32_t>(bytes.size());
        if (bytes.size() > room)
            return kErrorMoreData;
        std::copy(bytes.begin(), bytes.end(), data);
        type = found->second.type;
        return kErrorSuccess;
    }

    void closeKey(RegistryKey) override { --openKeys; }
    bool isOrdinaryFile(const std::string &path) override { return m_files.count(path) > 0; }

    bool startProgram(const std::string &path) override
    {
        startAttempts.push_back(path);
        if (m_startsFail || path.empty())
            return false;
        started.push_back(path);
        return true;
    }

    void showMessage(const std::string &text) override { messages.push_back(text); }

    std::vector<std::string> opened;
    std::vector<std::uint32_t> accessMasks;
    std::vector<std::string> startAttempts;
    std::vector<std::string> started;
    std::vector<std::string> messages;
    int openKeys = 0;

private:
    std::map<std::string, std::map<std::string, Value>> m_keys;
    std::vector<std::string> m_handles;
    std::set<std::string> m_files;
    bool m_startsFail = false;
};

} // namespace tarvilo::sysinfo::testing
