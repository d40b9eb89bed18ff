#include "ui/common/file_stamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace tarvilo {
namespace {

constexpr QCryptographicHash::Algorithm kDigest = QCryptographicHash::Sha256;

} // namespace

FileStamp::FileStamp(const QByteArray &contents)
    : m_size(contents.size()), m_digest(QCryptographicHash::hash(contents, kDigest))
{
}

bool FileStamp::changedOnDisk(const QString &path) const
{
    if (m_size < 0)
        return false;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (!info.isFile() || info.size() != m_size)
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    QCryptographicHash hash(kDigest);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError)
        return true;
    return hash.result() != m_digest;
}

} // namespace tarvilo
