#include "output/curve_file.h"

#include "core/run_fault.h"
#include "output/file_replacement.h"
#include "tests/support/default_inputs.h"
#include "tests/support/expect_fault.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/unprivileged_child.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvilo {
namespace {

namespace fs = std::filesystem;

using testing::DefaultCurves;

QvCurves CurvesOf(double x, double b, double uinf, double pcarga, double qcarga, double qcap)
{
    return testing::CurvesOf(testing::Inputs(x, b, uinf, pcarga, qcarga, qcap));
}

// Splits at CR LF; fails the test on a bare LF or a missing last line end.
std::vector<std::string> CrLfLines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "last line without CR LF";
        if (end == std::string::npos)
            break;
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_EQ(line.find('\r'), std::string::npos);
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

TEST(CurveFileText, DefaultCaseUnderPointSettings)
{
    const std::vector<std::string> lines = CrLfLines(CurveFileText(DefaultCurves(), PointSettings()));
    ASSERT_EQ(lines.size(), 303u);
    EXPECT_EQ(lines[0], "Tarvilo");
    EXPECT_EQ(lines[1], "Valores de curvas.");
    EXPECT_EQ(lines[2], "q2       vu       q2       vl       qcapr     v2  ");
    EXPECT_EQ(lines[2].size(), 50u);
    EXPECT_EQ(lines[3], "5.03842; 0.59063; 5.03842; 0.59063; -3.74625; 1.50000");
    EXPECT_EQ(lines[302], "-9.91158; 1.21122; -9.91158; 0.35728; -0.00004; 0.00500");
}

TEST(CurveFileText, DefaultCaseUnderCommaSettings)
{
    const std::vector<std::string> lines = CrLfLines(CurveFileText(DefaultCurves(), CommaSettings()));
    ASSERT_EQ(lines.size(), 303u);
    EXPECT_EQ(lines[3], "5,03842; 0,59063; 5,03842; 0,59063; -3,74625; 1,50000");
    EXPECT_EQ(lines[302], "-9,91158; 1,21122; -9,91158; 0,35728; -0,00004; 0,00500");
}

TEST(CurveFileText, EveryDataLineHasSixFieldsAndOnlyAsciiText)
{
    const std::string text = CurveFileText(CurvesOf(0.1, 0.2, 1.05, 2.5, 0.7, 0.3), CommaSettings());
    for (unsigned char c : text)
        ASSERT_LT(c, 0x80);
    const std::vector<std::string> lines = CrLfLines(text);
    for (size_t i = 3; i < lines.size(); ++i) {
        size_t separators = 0;
        for (size_t at = lines[i].find("; "); at != std::string::npos; at = lines[i].find("; ", at + 2))
            ++separators;
        ASSERT_EQ(separators, 5u) << lines[i];
    }
}

TEST(CurveFileText, WithoutShuntElementsTheLoadColumnIsQcarga)
{
    const std::vector<std::string> lines =
            CrLfLines(CurveFileText(CurvesOf(0.03, 0, 1, 10.48, 0.25, 0), PointSettings()));
    for (size_t i = 3; i < lines.size(); ++i)
        ASSERT_NE(lines[i].find("; 0.25000; "), std::string::npos) << lines[i];
}

class CurveFileOnDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = fs::current_path();
        char pattern[] = "/tmp/tarvilo-curve-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        testing::HandToUnprivilegedUser(m_folder);
        fs::current_path(m_folder);
    }

    void TearDown() override
    {
        fs::current_path(m_previous);
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_folder);
    }

    // A file the unprivileged child may write, in a folder where it can make
    // no new file.
    void PreviousFileInAReadOnlyFolder(const std::string &content)
    {
        {
            std::ofstream("salida.txt") << content;
        }
        testing::HandToUnprivilegedUser(m_folder / "salida.txt");
        fs::permissions(m_folder, fs::perms::owner_write, fs::perm_options::remove);
    }

    fs::path m_previous;
    fs::path m_folder;
};

TEST_F(CurveFileOnDisk, WritesSalidaInTheCurrentFolderAndReplacesIt)
{
    WriteCurveFile(CurvesOf(0.1, 0.2, 1.05, 2.5, 0.7, 0.3), PointSettings());
    WriteCurveFile(DefaultCurves(), PointSettings());
    const std::string written = ReadFile(m_folder / "salida.txt");
    EXPECT_EQ(written, CurveFileText(DefaultCurves(), PointSettings()));
    // Nothing but the file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

TEST_F(CurveFileOnDisk, AReplacedFileKeepsItsPermissions)
{
    {
        std::ofstream("salida.txt") << "previous run";
    }
    fs::permissions(m_folder / "salida.txt", fs::perms(0640));
    const mode_t savedMask = umask(022);
    WriteCurveFile(DefaultCurves(), PointSettings());
    umask(savedMask);
    EXPECT_EQ(fs::status(m_folder / "salida.txt").permissions(), fs::perms(0640));
    EXPECT_EQ(ReadFile(m_folder / "salida.txt"), CurveFileText(DefaultCurves(), PointSettings()));
}

// Root rewriting another user's file leaves it theirs.
TEST_F(CurveFileOnDisk, AReplacedFileKeepsItsOwner)
{
    {
        std::ofstream("salida.txt") << "previous run";
    }
    testing::HandToUnprivilegedUser(m_folder / "salida.txt");
    struct stat before
    {
    };
    ASSERT_EQ(stat("salida.txt", &before), 0);
    WriteCurveFile(DefaultCurves(), PointSettings());
    struct stat after
    {
    };
    ASSERT_EQ(stat("salida.txt", &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(ReadFile(m_folder / "salida.txt"), CurveFileText(DefaultCurves(), PointSettings()));
}

TEST_F(CurveFileOnDisk, AFolderInTheWayIsAFaultAtTheFileStep)
{
    fs::create_directory(m_folder / "salida.txt");
    const RunFault fault = testing::ExpectFault([&] { WriteCurveFile(DefaultCurves(), PointSettings()); },
                                                RunStep::CurveFile, FaultCause::FileNotWritten);
    EXPECT_EQ(fault.fileFailure(), FileFailure::FolderInTheWay);
    EXPECT_EQ(fault.path(), (m_folder / "salida.txt").string());
    EXPECT_TRUE(fs::is_directory(m_folder / "salida.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

TEST_F(CurveFileOnDisk, AWritableFileInAReadOnlyFolderIsStillWritten)
{
    PreviousFileInAReadOnlyFolder("an older and longer file than the new one will be, by far: "
                                  + std::string(20000, 'x'));
    const std::string failure = testing::InUnprivilegedChild([] {
        WriteCurveFile(DefaultCurves(), PointSettings());
        return ReadFile("salida.txt") == CurveFileText(DefaultCurves(), PointSettings()) ? "" : "not rewritten";
    });
    EXPECT_EQ(failure, "");
}

TEST_F(CurveFileOnDisk, AFullDiskOnTheInPlaceRouteKeepsThePreviousFileWhole)
{
    // No new file can be made in the folder, so salida.txt is rewritten in
    // place; a file-size limit stands in for a full disk.
    PreviousFileInAReadOnlyFolder("previous run");
    const std::string failure = testing::InUnprivilegedChild([]() -> std::string {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tight{ 4096, 4096 };
        setrlimit(RLIMIT_FSIZE, &tight);
        try {
            WriteCurveFile(DefaultCurves(), PointSettings());
            return "written despite the limit";
        } catch (const RunFault &fault) {
            if (fault.fileFailure() != FileFailure::FileTooLarge)
                return "another reason";
        }
        return ReadFile("salida.txt") == "previous run" ? "" : "previous file changed";
    });
    EXPECT_EQ(failure, "");
}

TEST_F(CurveFileOnDisk, AReadOnlyFolderIsNamedWithTheReason)
{
    fs::permissions(m_folder, fs::perms::owner_write, fs::perm_options::remove);
    const std::string expectedPath = (m_folder / "salida.txt").string();
    const std::string failure = testing::InUnprivilegedChild([&]() -> std::string {
        try {
            WriteCurveFile(DefaultCurves(), PointSettings());
        } catch (const RunFault &fault) {
            if (fault.path() != expectedPath)
                return "path " + fault.path();
            return fault.fileFailure() == FileFailure::NoPermission ? "" : "another reason";
        }
        return "written";
    });
    EXPECT_EQ(failure, "");
}

TEST_F(CurveFileOnDisk, AFolderRemovedMeanwhileIsNamed)
{
    fs::create_directory(m_folder / "gone");
    fs::current_path(m_folder / "gone");
    fs::remove(m_folder / "gone");
    const RunFault fault = testing::ExpectFault([&] { WriteCurveFile(DefaultCurves(), PointSettings()); },
                                                RunStep::CurveFile, FaultCause::FileNotWritten);
    EXPECT_EQ(fault.fileFailure(), FileFailure::FolderMissing);
    EXPECT_EQ(fault.path(), (m_folder / "gone" / "salida.txt").string());
}

// /proc exists but takes no new file: no permission, not a missing folder.
TEST_F(CurveFileOnDisk, AFolderThatTakesNoFilesIsNoMissingFolder)
{
    if (!fs::is_directory("/proc/self"))
        GTEST_SKIP() << "no /proc here";
    fs::current_path("/proc");
    const RunFault fault = testing::ExpectFault([&] { WriteCurveFile(DefaultCurves(), PointSettings()); },
                                                RunStep::CurveFile, FaultCause::FileNotWritten);
    EXPECT_EQ(fault.fileFailure(), FileFailure::NoPermission);
}

TEST_F(CurveFileOnDisk, AReadOnlyFileStaysAsItIs)
{
    {
        std::ofstream("salida.txt") << "kept";
    }
    testing::HandToUnprivilegedUser(m_folder / "salida.txt");
    fs::permissions(m_folder / "salida.txt", fs::perms::owner_read);
    const std::string failure = testing::InUnprivilegedChild([]() -> std::string {
        try {
            WriteCurveFile(DefaultCurves(), PointSettings());
            return "replaced";
        } catch (const RunFault &fault) {
            if (fault.fileFailure() != FileFailure::ReadOnlyFile)
                return "another reason";
        }
        return ReadFile("salida.txt") == "kept" ? "" : "changed";
    });
    EXPECT_EQ(failure, "");
}

TEST_F(CurveFileOnDisk, ALinkStaysALinkAndAPipeIsNoFile)
{
    // A link to a file not made yet: the file is made, the link kept.
    fs::create_symlink("elsewhere.txt", m_folder / "salida.txt");
    WriteCurveFile(DefaultCurves(), PointSettings());
    EXPECT_TRUE(fs::is_symlink(m_folder / "salida.txt"));
    EXPECT_EQ(ReadFile(m_folder / "elsewhere.txt"), CurveFileText(DefaultCurves(), PointSettings()));

    fs::remove(m_folder / "salida.txt");
    ASSERT_EQ(mkfifo("salida.txt", 0600), 0);
    testing::ExpectFault([&] { WriteCurveFile(DefaultCurves(), PointSettings()); }, RunStep::CurveFile,
                         FaultCause::FileNotWritten);
    EXPECT_TRUE(fs::is_fifo(m_folder / "salida.txt"));
}

TEST(FileFailure, SystemErrorsMeanWhatTheUserIsTold)
{
    EXPECT_EQ(FileFailureOf(ENOSPC), FileFailure::DiskFull);
    EXPECT_EQ(FileFailureOf(EDQUOT), FileFailure::DiskFull);
    EXPECT_EQ(FileFailureOf(EROFS), FileFailure::NoPermission);
    EXPECT_EQ(FileFailureOf(EACCES), FileFailure::NoPermission);
    EXPECT_EQ(FileFailureOf(EFBIG), FileFailure::FileTooLarge);
    EXPECT_EQ(FileFailureOf(EIO), FileFailure::Other);
}

TEST_F(CurveFileOnDisk, AWriteCutShortKeepsThePreviousFileWhole)
{
    // A file-size limit makes the write fail half-way, as a full disk would,
    // and works for root too.
    {
        std::ofstream("salida.txt") << "previous run";
    }
    {
        const tarvilo::testing::FileSizeLimit limit(4096);
        EXPECT_THROW(WriteCurveFile(DefaultCurves(), PointSettings()), RunFault);
    }
    EXPECT_EQ(ReadFile(m_folder / "salida.txt"), "previous run");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

} // namespace
} // namespace tarvilo
