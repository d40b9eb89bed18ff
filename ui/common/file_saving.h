#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QWidget;

namespace tarvilo {

// Writes a file the user asked for, whole or not at all; a failure is told
// over parent with the file's full path and the reason. True when written.
bool SaveWhole(QWidget *parent, const QString &path, const QByteArray &bytes);

// Asks where to save, suggesting a name in the folder saved to last (at
// first the present folder); filters like "Imagen PNG (*.png)". The name
// returned ends as one of the filters: a name with another ending gets the
// chosen filter's. Empty when the user cancels.
QString AskSavePath(QWidget *parent, const QString &title, const QString &suggested, const QStringList &filters);

} // namespace tarvilo
