// Fuzzes the batch with arbitrary bytes as its input file. Checked: a file
// refused writes nothing; otherwise every line written splits into as many
// fields as the header written, one line per row read.
#include "cli/batch_command.h"
#include "output/csv_record.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

namespace {

std::string Contents(int fd)
{
    std::string text;
    char buffer[4096];
    lseek(fd, 0, SEEK_SET);
    for (ssize_t count; (count = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(count));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tarvilo;
    const int input = memfd_create("entrada", 0);
    const int output = memfd_create("salida", 0);
    if (write(input, data, size) != static_cast<ssize_t>(size))
        std::abort();
    lseek(input, 0, SEEK_SET);
    const BatchEnd end = ProcessBatch(input, output, { CommaSettings(), false, nullptr });
    const std::string written = Contents(output);
    close(input);
    close(output);
    if (end.status != BatchEnd::Status::Done) {
        if (!written.empty())
            std::abort();
        return 0;
    }

    // The separator is the one the header line chose: the first of ';' in it.
    const std::string_view text = written;
    const size_t firstLine = text.find('\n');
    const char separator = text.substr(0, firstLine).find(';') != std::string_view::npos ? ';' : ',';
    CsvRecord record;
    size_t fields = 0;
    long long lines = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t lineEnd = text.find('\n', at);
        if (lineEnd == std::string_view::npos)
            std::abort(); // every line ends
        if (record.split(text.substr(at, lineEnd - at), separator) != CsvRecord::Problem::None)
            std::abort();
        if (lines == 0)
            fields = record.size();
        else if (record.size() != fields)
            std::abort();
        ++lines;
        at = lineEnd + 1;
    }
    if (lines != end.rows + 1)
        std::abort();
    return 0;
}
