#include "output/csv_record.h"

namespace tarvilo {

std::string &CsvRecord::nextField()
{
    if (m_size == m_fields.size())
        m_fields.emplace_back();
    std::string &field = m_fields[m_size++];
    field.clear();
    return field;
}

CsvRecord::Problem CsvRecord::split(std::string_view line, char separator)
{
    m_size = 0;
    size_t at = 0;
    for (;;) {
        std::string &field = nextField();
        if (at < line.size() && line[at] == '"') {
            ++at;
            for (;;) {
                const size_t quote = line.find('"', at);
                if (quote == std::string_view::npos)
                    return Problem::UnclosedQuote;
                field.append(line, at, quote - at);
                at = quote + 1;
                if (at < line.size() && line[at] == '"') {
                    field += '"';
                    ++at;
                    continue;
                }
                break;
            }
            if (at == line.size())
                return Problem::None;
            if (line[at] != separator)
                return Problem::TextAfterQuote;
            ++at;
            continue;
        }
        const size_t end = line.find(separator, at);
        if (end == std::string_view::npos) {
            field.assign(line, at);
            return Problem::None;
        }
        field.assign(line, at, end - at);
        at = end + 1;
    }
}

} // namespace tarvilo
