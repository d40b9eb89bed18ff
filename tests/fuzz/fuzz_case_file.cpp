// Fuzzes the case-file reader with arbitrary bytes. Checked: every input
// gives a case or a reason, never both; a case read is written again and
// reads back as the same case, and each box's text under either separator
// reads back as the value kept.
#include "core/number_reading.h"
#include "document/case_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tarvilo;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const CaseReading reading = ParseCaseText(bytes);
    if (reading.document.has_value() == !reading.problem.isEmpty())
        std::abort();
    if (!reading.document)
        return 0;
    const CaseReading again = ParseCaseText(CaseFileText(*reading.document));
    if (!again.document || !SameCase(*again.document, *reading.document))
        std::abort();
    for (const BoxValue &value : reading.document->inputs) {
        const double *number = std::get_if<double>(&value);
        if (!number)
            continue;
        for (const RegionalSettings &regional : { PointSettings(), CommaSettings() }) {
            const auto read = ReadRegionalNumber(BoxText(value, regional).toStdString(), regional);
            if (!read || *read != *number)
                std::abort();
        }
    }
    return 0;
}
