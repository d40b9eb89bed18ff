// Qt's own texts (standard buttons, file dialogs, the boxes' context menu, the
// replace question) come out in Spanish under an English locale too, and the
// file dialog opens with room for its list.
#include "tests/support/scratch_settings.h"
#include "ui/common/file_dialog.h"
#include "ui/common/qt_translations.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

using namespace tarvilo;

namespace {

using TextOf = std::function<QString()>;

QString ButtonText(QDialogButtonBox::StandardButton which)
{
    QDialogButtonBox box(which);
    return box.button(which)->text();
}

QString ContextMenuText(int index)
{
    QLineEdit edit(QStringLiteral("10,48"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    return menu->actions().at(index)->text();
}

QString SaveDialogLabel(QFileDialog::DialogLabel label)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return dialog.labelText(label);
}

} // namespace

Q_DECLARE_METATYPE(TextOf)

class QtTranslationsTest : public QObject
{
    Q_OBJECT

    // The file dialog keeps its columns' widths in the user's settings.
    tarvilo::testing::ScratchSettings m_settings;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(InstallQtSpanishTranslations(*qApp));
    }

    void qtTextsAreSpanish_data()
    {
        QTest::addColumn<TextOf>("textOf");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("spanishWords");
        const auto row = [](const char *name, TextOf textOf, const char *english, const char *spanishWords) {
            QTest::newRow(name) << textOf << QString::fromUtf8(english) << QString::fromUtf8(spanishWords);
        };
        row(
                "Yes", [] { return ButtonText(QDialogButtonBox::Yes); }, "&Yes", "Sí");
        row(
                "Cancel", [] { return ButtonText(QDialogButtonBox::Cancel); }, "Cancel", "Cancelar");
        row(
                "Save", [] { return ButtonText(QDialogButtonBox::Save); }, "Save", "Guardar");
        row(
                "Undo", [] { return ContextMenuText(0); }, "&Undo", "Deshacer");
        row(
                "Cut", [] { return ContextMenuText(3); }, "Cu&t", "Cortar");
        row(
                "Copy", [] { return ContextMenuText(4); }, "&Copy", "Copiar");
        row(
                "Paste", [] { return ContextMenuText(5); }, "&Paste", "Pegar");
        row(
                "Look in", [] { return SaveDialogLabel(QFileDialog::LookIn); }, "Look in:", " en:");
        row(
                "File name", [] { return SaveDialogLabel(QFileDialog::FileName); }, "File &name:", "Nombre");
        row(
                "Replace question", [] { return QFileDialog::tr("%1 already exists.\nDo you want to replace it?"); },
                "%1 already exists.\nDo you want to replace it?", "ya existe");
    }

    void qtTextsAreSpanish()
    {
        QFETCH(TextOf, textOf);
        QFETCH(QString, english);
        QFETCH(QString, spanishWords);
        // The catalogue's wording changes between Qt releases: a Spanish word
        // of it is looked for, without the shortcut marks and keys.
        const QString text = textOf().section(u'\t', 0, 0).remove(u'&');
        QVERIFY2(text != QString(english).remove(u'&'), qPrintable(text));
        QVERIFY2(text.contains(spanishWords), qPrintable(text));
    }

    // The list names a folder's type in Spanish and shows its columns side
    // by side, each entry's size, type and date whole.
    void theFileDialogListsAFolderInSpanishAndWhole()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("casos")));
        QFile notes(folder.filePath(QStringLiteral("notas.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write(QByteArray(612, 'x')) == 612);
        notes.close();
        QFileDialog dialog(nullptr, QStringLiteral("Abrir caso"), folder.path(),
                           QStringLiteral("Casos (*.tarvilo);;Todos los archivos (*)"));
        PrepareFileDialog(dialog);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The file shows only once the user picks the second filter.
        QTest::qWait(50);
        dialog.selectNameFilter(QStringLiteral("Todos los archivos (*)"));
        auto *model = dialog.findChild<QFileSystemModel *>();
        QVERIFY(model);
        const QModelIndex casos = model->index(folder.filePath(QStringLiteral("casos")));
        QTRY_VERIFY(!model->type(casos).isEmpty());
        QCOMPARE(model->type(casos), QStringLiteral("Carpeta"));
        auto *list = dialog.findChild<QTreeView *>();
        QVERIFY(list);
        int columns = 0;
        for (int section = 0; section < list->header()->count(); ++section)
            columns += list->header()->isSectionHidden(section) ? 0 : list->header()->sectionSize(section);
        QVERIFY2(columns <= list->viewport()->width(),
                 qPrintable(QStringLiteral("%1 > %2").arg(columns).arg(list->viewport()->width())));
        const auto listed = [model, list](const QString &name) {
            for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
                const QModelIndex entry = model->index(row, 0, list->rootIndex());
                if (entry.data().toString() == name)
                    return entry;
            }
            return QModelIndex();
        };
        QTRY_VERIFY(!model->type(listed(QStringLiteral("notas.txt"))).isEmpty());
        const QModelIndex notas = listed(QStringLiteral("notas.txt"));
        QCoreApplication::processEvents();
        for (const QModelIndex &entry : { casos, notas }) {
            for (int column = 1; column <= 3; ++column) {
                const QString text = entry.siblingAtColumn(column).data().toString();
                QVERIFY2(list->header()->sectionSize(column) > list->fontMetrics().horizontalAdvance(text),
                         qPrintable(text));
            }
        }
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "qt_translations_test.moc"
