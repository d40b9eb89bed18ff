// The batch files' pieces: lines read in bounded memory, fields split and
// written so that no text moves a column, the header's columns, and a file
// replaced only once it is whole.
#include "output/batch_columns.h"
#include "output/csv_record.h"
#include "output/csv_writer.h"
#include "output/file_replacement.h"
#include "output/line_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvilo {
namespace {

namespace fs = std::filesystem;

class ScratchFolder
{
public:
    ScratchFolder() : m_path(fs::temp_directory_path() / ("tarvilo-batch-" + std::to_string(getpid())))
    {
        fs::create_directories(m_path);
    }
    ~ScratchFolder() { fs::remove_all(m_path); }
    fs::path operator/(const std::string &name) const { return m_path / name; }
    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

void WriteFile(const fs::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

constexpr const char *kTooLong = "<too long>";

// Each line as read, "<too long>" for one that was not kept, with its number.
std::vector<std::pair<long long, std::string>> LinesOf(const std::string &text, size_t maxLength)
{
    const ScratchFolder folder;
    WriteFile(folder / "in", text);
    const int fd = open((folder / "in").c_str(), O_RDONLY);
    LineReader reader(fd, maxLength);
    LineReader::Line line;
    std::vector<std::pair<long long, std::string>> lines;
    while (reader.next(line))
        lines.emplace_back(line.number, line.tooLong ? kTooLong : std::string(line.text));
    EXPECT_EQ(reader.error(), 0);
    close(fd);
    return lines;
}

struct LinesRow
{
    const char *name;
    std::string text;
    std::vector<std::pair<long long, std::string>> lines;
};

TEST(LineReader, ReadsLinesWithinTheirBound)
{
    const std::string longLine(200000, 'x');
    const LinesRow rows[] = {
        { "CR LF", "a\r\nb\r\n", { { 1, "a" }, { 2, "b" } } },
        { "byte-order mark", "\xEF\xBB\xBFX;B\n1;2", { { 1, "X;B" }, { 2, "1;2" } } },
        { "blank lines keep their numbers", "a\n\n\r\nb\n", { { 1, "a" }, { 2, "" }, { 3, "" }, { 4, "b" } } },
        { "a CR inside a line stays", "a\rb\n", { { 1, "a\rb" } } },
        { "as long as allowed", std::string(100, 'y') + "\r\n", { { 1, std::string(100, 'y') } } },
        { "too long in the middle", "ab\n" + longLine + "\ncd\n", { { 1, "ab" }, { 2, kTooLong }, { 3, "cd" } } },
        { "too long by one", std::string(101, 'y') + "\nz", { { 1, kTooLong }, { 2, "z" } } },
        { "too long up to the end", "ab\n" + longLine, { { 1, "ab" }, { 2, kTooLong } } },
        { "empty file", "", {} },
    };
    for (const LinesRow &row : rows)
        EXPECT_EQ(LinesOf(row.text, 100), row.lines) << row.name;
}

struct RecordRow
{
    const char *line;
    char separator;
    CsvRecord::Problem problem;
    std::vector<std::string> fields;
};

TEST(CsvRecord, SplitsFieldsQuotedAsSpreadsheetsQuoteThem)
{
    using enum CsvRecord::Problem;
    const RecordRow rows[] = {
        { "1;2;3", ';', None, { "1", "2", "3" } },
        { "1,2;3", ',', None, { "1", "2;3" } },
        { "", ';', None, { "" } },
        { "a;", ';', None, { "a", "" } },
        { "\"a;b\";c", ';', None, { "a;b", "c" } },
        { "\"say \"\"hi\"\"\";\"\"", ';', None, { "say \"hi\"", "" } },
        { "a\"b;c", ';', None, { "a\"b", "c" } },
        { "\"open;x", ';', UnclosedQuote, {} },
        { "\"a\"b;c", ';', TextAfterQuote, {} },
    };
    CsvRecord record;
    for (const RecordRow &row : rows) {
        ASSERT_EQ(record.split(row.line, row.separator), row.problem) << row.line;
        if (row.problem != None)
            continue;
        std::vector<std::string> fields;
        for (size_t i = 0; i < record.size(); ++i)
            fields.emplace_back(record[i]);
        EXPECT_EQ(fields, row.fields) << row.line;
    }
}

TEST(CsvWriter, NoFieldMovesALineOrAColumn)
{
    const std::vector<std::pair<std::string, std::string>> fields = {
        // as given, as it reads back
        { "plain", "plain" },
        { "a;b", "a;b" },
        { "say \"hi\"", "say \"hi\"" },
        { "two\nlines\r\n", "two lines  " },
        { std::string("nul\0tab\t", 8), "nul tab " },
        { " blank ", " blank " },
        { "Observación ⚡", "Observación ⚡" },
        { "\xFF\xC3", "\xEF\xBF\xBD\xEF\xBF\xBD" }, // no UTF-8: U+FFFD each
        { "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" }, // a surrogate
        { "", "" },
    };
    const ScratchFolder folder;
    {
        const int fd = open((folder / "out").c_str(), O_WRONLY | O_CREAT, 0600);
        CsvWriter writer(fd, ';', ",");
        for (int record = 0; record < 2; ++record) {
            for (const auto &[given, read] : fields)
                writer.text(given);
            writer.number(0.1);
            writer.endRecord();
        }
        EXPECT_EQ(writer.flush(), 0);
        close(fd);
    }
    const int fd = open((folder / "out").c_str(), O_RDONLY);
    LineReader reader(fd, 1000);
    LineReader::Line line;
    CsvRecord record;
    int lines = 0;
    while (reader.next(line)) {
        ++lines;
        ASSERT_EQ(record.split(line.text, ';'), CsvRecord::Problem::None) << line.text;
        ASSERT_EQ(record.size(), fields.size() + 1) << line.text;
        for (size_t i = 0; i < fields.size(); ++i)
            EXPECT_EQ(record[i], fields[i].second) << "field " << i;
        EXPECT_EQ(record[fields.size()], "0,1");
    }
    close(fd);
    EXPECT_EQ(lines, 2);
}

TEST(CsvWriter, WritesTheShortestNumberThatReadsBack)
{
    const std::pair<double, const char *> rows[] = {
        { 0.1, "0.1" },    { -0.0, "-0" }, { 1e-300, "1e-300" }, { 5.619252187733334, "5.619252187733334" },
        { 1e21, "1e+21" }, { 17.0, "17" },
    };
    const ScratchFolder folder;
    for (const auto &[value, text] : rows) {
        for (const char separator : { ';', ',' }) {
            {
                const int fd = open((folder / "n").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
                CsvWriter writer(fd, separator, separator == ',' ? "," : ".");
                writer.number(value);
                close((writer.flush(), fd));
            }
            // A decimal separator that is the field separator is quoted.
            std::string expected = text;
            if (separator == ',' && expected.find('.') != std::string::npos)
                expected = "\"" + expected.replace(expected.find('.'), 1, ",") + "\"";
            EXPECT_EQ(ReadFile(folder / "n"), expected) << value;
        }
    }
}

struct HeaderRow
{
    const char *line;
    BatchHeader::Problem problem;
    char separator;
    size_t count;
    std::array<size_t, 6> place;
    std::vector<InputBox> missing;
};

TEST(BatchHeader, FindsTheSixColumnsInAnyOrder)
{
    using enum BatchHeader::Problem;
    using enum InputBox;
    const HeaderRow rows[] = {
        { "X;B;Uinf;Pcarga;Qcarga;Qcap", None, ';', 6, { 0, 1, 2, 3, 4, 5 }, {} },
        { "Qcap,Qcarga,Pcarga,Uinf,B,X", None, ',', 6, { 5, 4, 3, 2, 1, 0 }, {} },
        { "Caso; X ;\"B\";Uinf;Pcarga;Qcarga;Qcap;", None, ';', 8, { 1, 2, 3, 4, 5, 6 }, {} },
        { "X;B;Uinf;Pcarga;Qcarga", Missing, ';', 5, {}, { Qcap } },
        { "x;b;uinf;pcarga;qcarga;QCAP", Missing, ';', 6, {}, { X, B, Uinf, Pcarga, Qcarga, Qcap } },
        { "", Missing, ',', 1, {}, { X, B, Uinf, Pcarga, Qcarga, Qcap } },
        { "X;B;Uinf;X;Pcarga;Qcarga;Qcap", Repeated, ';', 7, {}, {} },
        { "\"X;B;Uinf;Pcarga;Qcarga;Qcap", UnclosedQuote, ';', 0, {}, {} },
    };
    CsvRecord record;
    for (const HeaderRow &row : rows) {
        const BatchHeader header = ReadBatchHeader(row.line, record);
        EXPECT_EQ(header.problem, row.problem) << row.line;
        EXPECT_EQ(header.columns.separator, row.separator) << row.line;
        EXPECT_EQ(header.columns.count, row.count) << row.line;
        if (row.problem == None) {
            EXPECT_EQ(header.columns.place, row.place) << row.line;
        }
        EXPECT_EQ(header.missing, row.missing) << row.line;
        EXPECT_EQ(header.repeated.has_value(), row.problem == Repeated) << row.line;
    }
}

TEST(FileReplacement, ReplacesTheFileOnlyOnceItIsComplete)
{
    const ScratchFolder folder;
    const fs::path path = folder / "salida.csv";
    WriteFile(path, "old");
    chmod(path.c_str(), 0640);
    {
        FileReplacement abandoned(path.string());
        ASSERT_EQ(abandoned.open(), 0);
        ASSERT_EQ(write(abandoned.fd(), "half", 4), 4);
        EXPECT_EQ(ReadFile(path), "old");
    }
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);

    FileReplacement whole(path.string());
    ASSERT_EQ(whole.open(), 0);
    ASSERT_EQ(write(whole.fd(), "new", 3), 3);
    ASSERT_EQ(whole.commit(), 0);
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(FileReplacement, AFolderInThePlaceOfTheFileIsNotReplaced)
{
    const ScratchFolder folder;
    fs::create_directory(folder / "salida.csv");
    FileReplacement replacement((folder / "salida.csv").string());
    EXPECT_EQ(replacement.open(), EISDIR);
    EXPECT_TRUE(fs::is_directory(folder / "salida.csv"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace tarvilo
