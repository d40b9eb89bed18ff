#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvilo {

// One line of a CSV file split into its fields, quoted as spreadsheets quote
// them: a field in double quotes may hold the separator, and "" stands for a
// quote in it. A record is one line: a quoted field ends on it. The fields'
// storage is kept from one line to the next.
class CsvRecord
{
public:
    enum class Problem {
        None,
        UnclosedQuote, // a quoted field that the line does not close
        TextAfterQuote, // something other than the separator after a closing quote
    };

    Problem split(std::string_view line, char separator);

    size_t size() const { return m_size; }
    std::string_view operator[](size_t index) const { return m_fields[index]; }

private:
    std::string &nextField();

    std::vector<std::string> m_fields;
    size_t m_size = 0;
};

} // namespace tarvilo
