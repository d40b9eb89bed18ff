#pragma once

// The batch's own words: why a batch file is refused, why one of its rows
// could not be read. What a calculated row's "Observación" says is the
// windows' (ui/common/case_remark.h).

#include "core/run_host.h"
#include "output/batch_columns.h"
#include "output/csv_record.h"

#include <QString>

#include <cstddef>
#include <string>

namespace tarvilo {

// The titles the batch adds to the user's columns.
inline constexpr const char *kLineTitle = "Línea";
inline constexpr const char *kRemarkTitle = "Observación";

// "No se pudo leer el lote /ruta/ENTRADA.csv: <problem>."
QString BatchReadFailure(const QString &path, const QString &problem);

// The problems that follow it.
QString OpenProblem(int error); // the system's error number on opening
QString EmptyFileProblem();
QString HeaderTooLongProblem(size_t maxLength);
QString HeaderProblem(const BatchHeader &header);
QString ReadProblem(long long lineNumber);

// Why a row has no results (UTF-8, for the "Observación" column).
std::string LineTooLongRemark(size_t maxLength);
std::string RecordRemark(CsvRecord::Problem problem);
std::string FieldCountRemark(size_t fields, size_t columns);
std::string UnreadableFieldRemark(InputBox box);

} // namespace tarvilo
