// A reservation of room that fails after growing the file, as the system's
// emulation does on file systems that cannot reserve room themselves. This
// program replaces posix_fallocate with one that always fails that way.
#include "output/curve_file.h"

#include "core/run_fault.h"
#include "tests/support/default_inputs.h"
#include "tests/support/unprivileged_child.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Zeros up to the end of the asked range, then no room left.
int GrowThenFail(int fd, off_t offset, off_t length)
{
    if (ftruncate(fd, offset + length) != 0)
        return errno;
    return ENOSPC;
}

} // namespace

extern "C" int posix_fallocate(int fd, off_t offset, off_t length)
{
    return GrowThenFail(fd, offset, length);
}
extern "C" int posix_fallocate64(int fd, off64_t offset, off64_t length)
{
    return GrowThenFail(fd, offset, length);
}

namespace tarvilo {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

TEST(FileReservation, AFailedReservationLeavesThePreviousTextWithoutZeros)
{
    char pattern[] = "/tmp/tarvilo-reservation-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    // No new file can be made in the folder: salida.txt is rewritten in place.
    {
        std::ofstream(folder / "salida.txt") << "previous run";
    }
    testing::HandToUnprivilegedUser(folder);
    testing::HandToUnprivilegedUser(folder / "salida.txt");
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    const std::string failure = testing::InUnprivilegedChild([&]() -> std::string {
        if (chdir(folder.c_str()) != 0)
            return "no folder";
        try {
            WriteCurveFile(testing::DefaultCurves(), PointSettings());
            return "written despite the failed reservation";
        } catch (const RunFault &fault) {
            if (fault.fileFailure() != FileFailure::DiskFull)
                return "another reason";
        }
        return "";
    });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(ReadFile(folder / "salida.txt"), "previous run");
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder);
}

} // namespace
} // namespace tarvilo
