#include "cli/batch_command.h"

#include "cli/batch_words.h"
#include "cli/console.h"
#include "cli/progress_line.h"
#include "cli/result_names.h"
#include "core/batch_row.h"
#include "output/batch_columns.h"
#include "output/csv_record.h"
#include "output/csv_writer.h"
#include "output/file_replacement.h"
#include "output/line_reader.h"
#include "ui/common/case_remark.h"
#include "ui/common/fault_message.h"
#include "ui/common/regional_locale.h"

#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <charconv>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvilo {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

void WriteLineNumber(CsvWriter &writer, long long number)
{
    char digits[24];
    writer.text(std::string_view(digits, std::to_chars(std::begin(digits), std::end(digits), number).ptr - digits));
}

// A row that could not be read: its place kept, its reason said.
void WriteUnreadRow(CsvWriter &writer, long long number, size_t columns, const std::string &remark)
{
    WriteLineNumber(writer, number);
    for (size_t i = 0; i < columns + std::size(kCaseNumbers); ++i)
        writer.empty();
    writer.text(remark);
    writer.endRecord();
}

void WriteRow(CsvWriter &writer, long long number, const CsvRecord &record, const BatchColumns &columns,
              const BatchNumberRule &rule, const RegionalSettings &regional)
{
    WriteLineNumber(writer, number);
    for (size_t i = 0; i < record.size(); ++i)
        writer.text(record[i]);
    BatchFields fields;
    for (const InputBox box : kInputBoxes)
        fields[static_cast<size_t>(box)] = record[columns.place[static_cast<size_t>(box)]];
    const BatchRow row = CalculateBatchRow(fields, rule);
    for (const std::optional<double> &value : NumbersOf(row)) {
        if (value)
            writer.number(*value);
        else
            writer.empty();
    }
    if (row.unreadable) {
        writer.text(UnreadableFieldRemark(*row.unreadable));
    } else {
        const CaseResults &calculation = row.calculation;
        writer.text(CaseRemark(row.inputs, calculation.fault, calculation.results.HasSolution, regional).toStdString());
    }
    writer.endRecord();
}

} // namespace

BatchEnd ProcessBatch(int inputFd, int outputFd, const BatchSettings &settings)
{
    BatchEnd end;
    LineReader reader(inputFd, kMaxBatchLineLength);
    LineReader::Line line;
    bool found = false;
    while ((found = reader.next(line)) && !line.tooLong && IsBlank(line.text)) { }
    if (!found) {
        end.status = reader.error() ? BatchEnd::Status::ReadFailed : BatchEnd::Status::Refused;
        end.problem = reader.error() ? ReadProblem(0) : EmptyFileProblem();
        return end;
    }
    if (line.tooLong) {
        end.status = BatchEnd::Status::Refused;
        end.problem = HeaderTooLongProblem(kMaxBatchLineLength);
        return end;
    }
    CsvRecord record;
    const BatchHeader header = ReadBatchHeader(line.text, record);
    if (header.problem != BatchHeader::Problem::None) {
        end.status = BatchEnd::Status::Refused;
        end.problem = HeaderProblem(header);
        return end;
    }

    // Spreadsheets that separate fields with ";" write the regional decimal
    // separator; "." is read in either file.
    const BatchColumns &columns = header.columns;
    const bool regionalDecimals = columns.separator == ';';
    const BatchNumberRule rule{ regionalDecimals && settings.regional.decimalSeparator != "."
                                        ? settings.regional.decimalSeparator
                                        : std::string() };
    CsvWriter writer(outputFd, columns.separator, regionalDecimals ? settings.regional.decimalSeparator : ".");
    if (settings.byteOrderMark)
        writer.raw(kByteOrderMark);
    writer.text(kLineTitle);
    for (size_t i = 0; i < record.size(); ++i)
        writer.text(record[i]);
    for (const CaseNumber number : kCaseNumbers)
        writer.text(KeyOf(number));
    writer.text(kRemarkTitle);
    writer.endRecord();

    while (reader.next(line) && writer.error() == 0) {
        if (line.tooLong) {
            WriteUnreadRow(writer, line.number, columns.count, LineTooLongRemark(kMaxBatchLineLength));
            ++end.unread;
        } else if (IsBlank(line.text)) {
            continue;
        } else if (const auto problem = record.split(line.text, columns.separator);
                   problem != CsvRecord::Problem::None) {
            WriteUnreadRow(writer, line.number, columns.count, RecordRemark(problem));
            ++end.unread;
        } else if (record.size() != columns.count) {
            WriteUnreadRow(writer, line.number, columns.count, FieldCountRemark(record.size(), columns.count));
            ++end.unread;
        } else {
            WriteRow(writer, line.number, record, columns, rule, settings.regional);
        }
        ++end.rows;
        if (settings.progress)
            settings.progress->rowsDone(end.rows);
    }
    if (settings.progress)
        settings.progress->finish(end.rows);
    if (writer.flush() != 0) {
        end.status = BatchEnd::Status::WriteFailed;
        end.error = writer.error();
    } else if (reader.error() != 0) {
        end.status = BatchEnd::Status::ReadFailed;
        end.problem = ReadProblem(line.number);
    }
    return end;
}

int RunBatchCommand(const QString &input, const QString &output)
{
    const RegionalSettings regional = RegionalSettingsOf(QLocale::system());
    const QString inputPath = QFileInfo(input).absoluteFilePath();
    const QString outputPath = output.isEmpty() ? QString() : QFileInfo(output).absoluteFilePath();
    const std::string inputName = inputPath.toStdString();
    const std::string outputName = outputPath.toStdString();

    struct stat inputStatus
    {
    }, outputStatus{};
    if (!output.isEmpty() && stat(inputName.c_str(), &inputStatus) == 0 && stat(outputName.c_str(), &outputStatus) == 0
        && inputStatus.st_dev == outputStatus.st_dev && inputStatus.st_ino == outputStatus.st_ino) {
        PrintUsageProblem(QStringLiteral("el archivo de salida %1 es el de entrada; el lote no lo sustituye por sus "
                                         "resultados")
                                  .arg(outputPath));
        return 2;
    }

    const int inputFd = open(inputName.c_str(), O_RDONLY | O_CLOEXEC);
    if (inputFd < 0) {
        Print(stderr, BatchReadFailure(inputPath, OpenProblem(errno)) + QLatin1Char('\n'));
        return 1;
    }
    struct InputFile
    {
        int fd;
        ~InputFile() { close(fd); }
    } inputFile{ inputFd };
    if (fstat(inputFd, &inputStatus) == 0 && S_ISDIR(inputStatus.st_mode)) {
        Print(stderr, BatchReadFailure(inputPath, OpenProblem(EISDIR)) + QLatin1Char('\n'));
        return 1;
    }

    const auto writeFailure = [&](int error) {
        const QString text = output.isEmpty()
                ? QStringLiteral("No se pudo escribir la salida estándar: %1.")
                          .arg(FileFailureText(FileFailureOf(error)))
                : FaultDescription(RunFault::fileNotWritten(outputName, FileFailureOf(error)), regional);
        Print(stderr, text + QLatin1Char('\n'));
        return 1;
    };
    std::optional<FileReplacement> replacement;
    if (!output.isEmpty()) {
        replacement.emplace(outputName);
        if (const int error = replacement->open())
            return writeFailure(error);
    }

    ProgressLine progress(isatty(STDERR_FILENO) ? stderr : nullptr);
    const BatchSettings settings{ regional, replacement.has_value(), &progress };
    const BatchEnd end = ProcessBatch(inputFd, replacement ? replacement->fd() : STDOUT_FILENO, settings);
    switch (end.status) {
    case BatchEnd::Status::Done:
        break;
    case BatchEnd::Status::Refused:
    case BatchEnd::Status::ReadFailed:
        Print(stderr, BatchReadFailure(inputPath, end.problem) + QLatin1Char('\n'));
        return 1;
    case BatchEnd::Status::WriteFailed:
        return writeFailure(end.error);
    }
    if (replacement) {
        if (const int error = replacement->commit())
            return writeFailure(error);
    }
    return 0;
}

} // namespace tarvilo
