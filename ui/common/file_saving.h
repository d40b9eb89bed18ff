#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace tarvilo {

// Writes a file the user asked for, whole or not at all; a failure is told
// over parent with the file's full path and the reason. True when written.
bool SaveWhole(QWidget* parent, const QString& path, const QByteArray& bytes);

}  // namespace tarvilo
