#include "tests/support/unprivileged_child.h"

#include <cstdio>
#include <exception>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvilo::testing {
namespace {

constexpr uid_t kNobody = 65534;

bool DropRoot()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

} // namespace

std::string InUnprivilegedChild(const std::function<std::string()> &body)
{
    int channel[2];
    if (pipe(channel) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child < 0)
        return "no child process";
    if (child == 0) {
        close(channel[0]);
        std::string failure;
        try {
            failure = DropRoot() ? body() : "could not drop root's rights";
        } catch (const std::exception &error) {
            failure = std::string("exception: ") + error.what();
        } catch (...) {
            failure = "exception";
        }
        if (!failure.empty() && write(channel[1], failure.data(), failure.size()) < 0)
            _exit(2);
        _exit(0);
    }
    close(channel[1]);
    std::string failure;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        failure.append(buffer, static_cast<size_t>(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        failure += " (child ended abnormally)";
    return failure;
}

void HandToUnprivilegedUser(const std::filesystem::path &path)
{
    if (geteuid() == 0 && chown(path.c_str(), kNobody, kNobody) != 0)
        std::perror("chown");
}

} // namespace tarvilo::testing
