#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace tarvilo {

// What a file held when the program last read or wrote it: enough to tell
// whether another program has written it since. Only the contents count: a
// file rewritten with the very same bytes, or merely touched, holds nothing
// that writing over it would lose.
class FileStamp
{
public:
    // No file: nothing has changed.
    FileStamp() = default;
    // The bytes read from the file or written to it.
    explicit FileStamp(const QByteArray &contents);

    // The file at path now holds other bytes, or is no longer a file that
    // can be read. A file that is gone has not changed: writing it anew
    // loses nothing.
    bool changedOnDisk(const QString &path) const;

private:
    qint64 m_size = -1;
    QByteArray m_digest;
};

} // namespace tarvilo
