// "tarvilo --lote" takes the same memory whatever its input holds: 100 MiB
// of random bytes, the same after a good header, a line of 1 GiB without an
// end. The program runs as a user runs it, with no display; its peak memory
// is what the system reports for the child.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr long kMiB = 1024 * 1024;
const std::string kHeader = "X;B;Uinf;Pcarga;Qcarga;Qcap\n";

struct ChildRun
{
    int status = -1;
    long peakKiB = 0;
    std::string output; // standard output, the start of it
    std::string errors;
};

// Runs the program on standard input fed by feed (which writes to the fd it
// is given), with standard output and error in files.
ChildRun RunBatch(const fs::path &folder, const std::function<void(int)> &feed)
{
    int input[2];
    EXPECT_EQ(pipe(input), 0);
    const fs::path out = folder / "out", err = folder / "err";
    const pid_t child = fork();
    if (child == 0) {
        dup2(input[0], STDIN_FILENO);
        close(input[0]);
        close(input[1]);
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            unsetenv(name);
        // Under AddressSanitizer freed memory is held back (its quarantine),
        // which is no memory the batch keeps.
        const char *sanitizer = getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", (std::string(sanitizer ? sanitizer : "") + ":quarantine_size_mb=0").c_str(), 1);
        execl(TARVILO_PROGRAM, TARVILO_PROGRAM, "--lote", "/dev/stdin", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(input[0]);
    signal(SIGPIPE, SIG_IGN); // a refusal closes the pipe before all is fed
    feed(input[1]);
    close(input[1]);
    ChildRun run;
    int status = 0;
    rusage usage{};
    EXPECT_EQ(wait4(child, &status, 0, &usage), child);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKiB = usage.ru_maxrss;
    std::ifstream outFile(out, std::ios::binary), errFile(err, std::ios::binary);
    run.output.assign(std::istreambuf_iterator<char>(outFile), {});
    run.errors.assign(std::istreambuf_iterator<char>(errFile), {});
    if (run.output.size() > 4096)
        run.output.resize(4096);
    return run;
}

void WriteAll(int fd, const std::string &text)
{
    for (size_t done = 0; done < text.size();) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written <= 0)
            return; // the program stopped reading
        done += static_cast<size_t>(written);
    }
}

// 100 MiB of random bytes, made once, streamed in 1 MiB pieces.
void FeedRandomBytes(int fd)
{
    std::mt19937_64 random(100);
    std::string piece(kMiB, '\0');
    for (int i = 0; i < 100; ++i) {
        for (char &c : piece)
            c = static_cast<char>(random());
        WriteAll(fd, piece);
    }
}

class BatchMemory : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("tarvilo-memory-" + std::to_string(getpid()));
        fs::create_directories(m_folder);
        const ChildRun small = RunBatch(m_folder, [](int fd) { WriteAll(fd, kHeader + "0.03;3.33;1;10.48;0;0\n"); });
        ASSERT_EQ(small.status, 0) << small.errors;
        m_smallKiB = small.peakKiB;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // What a few rows take, and a margin far below any input's size.
    void ExpectSameMemory(const ChildRun &run) const { EXPECT_LT(run.peakKiB, m_smallKiB + 16 * 1024) << m_smallKiB; }

    fs::path m_folder;
    long m_smallKiB = 0;
};

TEST_F(BatchMemory, RandomBytesAreRefusedBeforeAnyRow)
{
    const ChildRun run = RunBatch(m_folder, FeedRandomBytes);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.errors.find("No se pudo leer el lote /dev/stdin: "), std::string::npos) << run.errors;
    ExpectSameMemory(run);
}

TEST_F(BatchMemory, RandomBytesAfterAHeaderAreStreamedRowByRow)
{
    const ChildRun run = RunBatch(m_folder, [](int fd) {
        WriteAll(fd, kHeader);
        FeedRandomBytes(fd);
    });
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output.rfind("Línea;X;B;Uinf;Pcarga;Qcarga;Qcap;", 0), 0u);
    ExpectSameMemory(run);
}

TEST_F(BatchMemory, ALineOfAGibibyteIsSkipped)
{
    const ChildRun run = RunBatch(m_folder, [](int fd) {
        WriteAll(fd, kHeader);
        const std::string piece(kMiB, 'x');
        for (int i = 0; i < 1024; ++i)
            WriteAll(fd, piece);
    });
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.output.find("\n2;;;;;;;;;;;;;;;;La línea tiene más de "), std::string::npos) << run.output;
    ExpectSameMemory(run);
}

} // namespace
