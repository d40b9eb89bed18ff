#include "ui/common/file_saving.h"

#include "output/file_replacement.h"
#include "ui/common/fault_message.h"
#include "ui/common/file_dialog.h"
#include "ui/common/message_box.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <string_view>

namespace tarvilo {
namespace {

// Where the next save dialog opens: the folder saved to last in this
// session, at first the present folder. A save that failed leaves it: a
// folder that could not be written (a missing one, or /proc, whose files
// the dialog would hang reading) is not offered again.
QDir &LastSaveFolder()
{
    static QDir folder = QDir::current();
    return folder;
}

// The endings a filter such as "Imagen PNG (*.png)" stands for.
QStringList EndingsOf(const QString &filter)
{
    QStringList endings;
    const QString patterns = filter.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0);
    for (const QString &pattern : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (pattern.startsWith(QLatin1String("*.")))
            endings << pattern.mid(1);
    }
    return endings;
}

// A save dialog whose chosen name always ends as one of the offered types:
// the chosen type's ending is added to any other ("foto.jpg" with PNG
// chosen becomes "foto.jpg.png"), before the dialog asks whether to replace
// a file of that name. Qt's own dialog, so that the name is ours to fix on
// every desktop.
class SaveDialog : public QFileDialog
{
public:
    SaveDialog(QWidget *parent, const QString &title, const QString &path, const QStringList &filters)
        : QFileDialog(parent, title, path, filters.join(QStringLiteral(";;"))), m_filters(filters)
    {
        setObjectName(QStringLiteral("dlgGuardar"));
        setAcceptMode(QFileDialog::AcceptSave);
        PrepareFileDialog(*this);
        setDefaultSuffix(EndingsOf(filters.front()).value(0).mid(1));
        connect(this, &QFileDialog::filterSelected, this,
                [this](const QString &filter) { setDefaultSuffix(EndingsOf(filter).value(0).mid(1)); });
    }

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (chosen.size() == 1 && !QFileInfo(chosen.front()).isDir()) {
            const QString fixed = WithOfferedEnding(chosen.front());
            if (fixed != chosen.front()) {
                // The dialog leaves the name box alone while it has the focus.
                QWidget *focused = focusWidget();
                if (focused)
                    focused->clearFocus();
                selectFile(fixed);
                if (focused)
                    focused->setFocus();
            }
        }
        QFileDialog::accept();
    }

private:
    QString WithOfferedEnding(const QString &path) const
    {
        const QString name = QFileInfo(path).fileName();
        if (!name.contains(QLatin1Char('.')))
            return path; // the default suffix comes on its own
        for (const QString &filter : m_filters) {
            for (const QString &ending : EndingsOf(filter)) {
                if (name.endsWith(ending, Qt::CaseInsensitive))
                    return path;
            }
        }
        return path + EndingsOf(selectedNameFilter()).value(0);
    }

    QStringList m_filters;
};

} // namespace

bool SaveWhole(QWidget *parent, const QString &path, const QByteArray &bytes)
{
    const int error = ReplaceFileContents(QFile::encodeName(path).toStdString(),
                                          std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
    if (error == 0) {
        LastSaveFolder() = QFileInfo(path).absoluteDir();
        return true;
    }
    ShowMessageBox(parent, QMessageBox::Warning,
                   QStringLiteral("No se pudo guardar el archivo %1: %2. El archivo anterior, si lo había, queda "
                                  "como estaba.")
                           .arg(QFileInfo(path).absoluteFilePath(), FileFailureText(FileFailureOf(error))));
    return false;
}

QString AskSavePath(QWidget *parent, const QString &title, const QString &suggested, const QStringList &filters)
{
    SaveDialog dialog(parent, title, LastSaveFolder().filePath(suggested), filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace tarvilo
