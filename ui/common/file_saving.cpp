#include "ui/common/file_saving.h"

#include "output/file_replacement.h"
#include "ui/common/fault_message.h"
#include "ui/common/message_box.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
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

QString AskSavePath(QWidget* parent, const QString& title, const QString& suggested, const QStringList& filters)
{
    QFileDialog dialog(parent, title, QDir::current().filePath(suggested), filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The type chosen gives the name its ending, before the dialog asks
    // whether to replace a file of that name.
    const auto suffixOf = [](const QString& filter) { return filter.section(QStringLiteral("*."), 1).chopped(1); };
    dialog.setDefaultSuffix(suffixOf(filters.front()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace tarvilo
