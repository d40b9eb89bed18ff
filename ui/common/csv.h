#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace tarvilo {

// A table for a spreadsheet: fields separated by ";" (quoted where they hold
// one), lines ended by CR LF, UTF-8 with a byte-order mark so that
// spreadsheets read the accents.
QByteArray CsvDocument(const QList<QStringList> &rows);

} // namespace tarvilo
