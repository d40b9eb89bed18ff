#include "output/batch_columns.h"

namespace tarvilo {
namespace {

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

BatchHeader ReadBatchHeader(std::string_view line, CsvRecord &record)
{
    BatchHeader header;
    header.columns.separator = line.find(';') != std::string_view::npos ? ';' : ',';
    if (record.split(line, header.columns.separator) != CsvRecord::Problem::None) {
        header.problem = BatchHeader::Problem::UnclosedQuote;
        return header;
    }
    header.columns.count = record.size();
    std::array<bool, std::size(kInputBoxes)> found{};
    for (size_t column = 0; column < record.size(); ++column) {
        const std::string_view name = Trimmed(record[column]);
        for (const InputBox box : kInputBoxes) {
            if (name != InputName(box))
                continue;
            const auto index = static_cast<size_t>(box);
            if (found[index] && !header.repeated)
                header.repeated = box;
            found[index] = true;
            header.columns.place[index] = column;
        }
    }
    for (const InputBox box : kInputBoxes) {
        if (!found[static_cast<size_t>(box)])
            header.missing.push_back(box);
    }
    if (header.repeated)
        header.problem = BatchHeader::Problem::Repeated;
    else if (!header.missing.empty())
        header.problem = BatchHeader::Problem::Missing;
    return header;
}

} // namespace tarvilo
