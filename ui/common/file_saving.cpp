#include "ui/common/file_saving.h"

#include "output/file_replacement.h"
#include "ui/common/fault_message.h"
#include "ui/common/message_box.h"

#include <QFile>
#include <QFileInfo>

#include <string_view>

namespace tarvilo {

bool SaveWhole(QWidget* parent, const QString& path, const QByteArray& bytes)
{
    const int error = ReplaceFileContents(QFile::encodeName(path).toStdString(),
                                          std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
    if (error == 0) return true;
    ShowMessageBox(parent, QMessageBox::Warning,
                   QStringLiteral("No se pudo guardar el archivo %1: %2. El archivo anterior, si lo había, queda "
                                  "como estaba.")
                       .arg(QFileInfo(path).absoluteFilePath(), FileFailureText(FileFailureOf(error))));
    return false;
}

}  // namespace tarvilo
