#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace tarvilo::testing {

// Folder permissions hold only for ordinary users: root writes anywhere.
// Tests of a read-only folder run their body in a child process that, when
// the tests run as root, has dropped to the user "nobody"; the body returns
// "" when all went well, or what went wrong, which is handed back here. An
// exception escaping the body is reported as a failure.
std::string InUnprivilegedChild(const std::function<std::string()> &body);

// Gives a file or folder made by the test to that user (nothing happens
// when the tests do not run as root).
void HandToUnprivilegedUser(const std::filesystem::path &path);

} // namespace tarvilo::testing
