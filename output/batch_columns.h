#pragma once

// The header of a batch file: the separator it uses and the column of each
// of the six quantities, named as in case files (X, B, Uinf, Pcarga, Qcarga,
// Qcap), in any order and among other columns of the user's.

#include "core/run_host.h"
#include "output/csv_record.h"

#include <array>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvilo {

struct BatchColumns
{
    char separator = ';'; // ";" where the header holds one, else ","
    size_t count = 0; // of columns, the user's own included
    std::array<size_t, std::size(kInputBoxes)> place{}; // each quantity's column, in box order
};

struct BatchHeader
{
    enum class Problem {
        None,
        UnclosedQuote, // the header's quotes do not close
        Missing, // missing: the quantities no column names
        Repeated, // repeated: a quantity that two columns name
    };
    Problem problem = Problem::None;
    BatchColumns columns;
    std::vector<InputBox> missing;
    std::optional<InputBox> repeated;
};

// Names are taken without the blanks around them; upper and lower case differ.
BatchHeader ReadBatchHeader(std::string_view line, CsvRecord &record);

} // namespace tarvilo
