#pragma once

#include "core/regional_settings.h"

#include <QString>

namespace tarvilo {

class ProgressLine;

// Longer lines are not read (a row says so; a header is refused).
inline constexpr size_t kMaxBatchLineLength = 64 * 1024;

// tarvilo --lote ENTRADA.csv [SALIDA.csv]: every row of a table of cases
// calculated, the results added to it, on standard output or in SALIDA.csv
// (which is replaced only once it is complete). Returns the exit status: 0
// once every row is written, whatever they say; 1 for a file that is
// refused or fails to be read or written (its message on standard error); 2
// when SALIDA.csv is ENTRADA.csv.
int RunBatchCommand(const QString &input, const QString &output);

// The batch itself, from one open file to another.
struct BatchSettings
{
    RegionalSettings regional; // its decimal separator serves files separated by ";"
    bool byteOrderMark = false; // first in the output, for spreadsheets
    ProgressLine *progress = nullptr;
};

struct BatchEnd
{
    enum class Status { Done, Refused, ReadFailed, WriteFailed };
    Status status = Status::Done;
    QString problem; // why it was refused, or where the reading failed
    int error = 0; // the system's error number of a failed write
    long long rows = 0;
    long long unread = 0; // rows whose fields could not be told apart
};

BatchEnd ProcessBatch(int inputFd, int outputFd, const BatchSettings &settings);

} // namespace tarvilo
