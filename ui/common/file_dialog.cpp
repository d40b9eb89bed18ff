#include "ui/common/file_dialog.h"

#include "ui/common/screen_fit.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>
#include <QSize>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <memory>

namespace tarvilo {
namespace {

class SpanishTypes : public QFileIconProvider
{
public:
    QString type(const QFileInfo &info) const override
    {
        if (info.isRoot())
            return QStringLiteral("Unidad");
        if (info.isDir())
            return QStringLiteral("Carpeta");
        return QFileIconProvider::type(info);
    }
};

// Room for the name, size, type and date columns side by side.
constexpr QSize kLeastSize(760, 460);
constexpr int kDateColumn = 3;

// Qt gives the list's date column a fixed width, too narrow for a date and
// time in most regional settings: widened to the longest month's.
void WidenDateColumn(QTreeView *list)
{
    if (list->header()->count() <= kDateColumn)
        return;
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int month = 1; month <= 12; ++month) {
        const QDateTime sample(QDate(2026, month, 28), QTime(20, 58, 58));
        widest = std::max(widest, metrics.horizontalAdvance(QLocale::system().toString(sample, QLocale::ShortFormat)));
    }
    const int needed = widest + 2 * metrics.averageCharWidth() + 8;
    if (list->header()->sectionSize(kDateColumn) < needed)
        list->header()->resizeSection(kDateColumn, needed);
}

// The size and type columns are as narrow as their titles: whenever the
// list changes (a folder read, another filter, the types found), each of the
// three is widened to what it shows, never narrowed. Once a turn of the
// event loop, however many entries change.
void WidenColumnsToContents(QTreeView *list)
{
    auto *files = qobject_cast<QFileSystemModel *>(list->model());
    if (!files)
        return;
    auto pending = std::make_shared<bool>(false);
    const auto widen = [list, pending] {
        if (*pending)
            return;
        *pending = true;
        QTimer::singleShot(0, list, [list, pending] {
            *pending = false;
            for (int column = 1; column < list->header()->count(); ++column) {
                const int before = list->header()->sectionSize(column);
                list->resizeColumnToContents(column);
                if (list->header()->sectionSize(column) < before)
                    list->header()->resizeSection(column, before);
            }
        });
    };
    QObject::connect(files, &QFileSystemModel::directoryLoaded, list, widen);
    QObject::connect(files, &QAbstractItemModel::rowsInserted, list, widen);
    QObject::connect(files, &QAbstractItemModel::dataChanged, list, widen);
    QObject::connect(files, &QAbstractItemModel::layoutChanged, list, widen);
}

} // namespace

void PrepareFileDialog(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The dialog only borrows its provider: gone with the dialog, after
    // every part of it.
    auto *types = new SpanishTypes;
    dialog.setIconProvider(types);
    QObject::connect(&dialog, &QObject::destroyed, [types] { delete types; });
    // Qt's own list of the folder, if this Qt's dialog still has one.
    if (auto *list = dialog.findChild<QTreeView *>()) {
        WidenDateColumn(list);
        WidenColumnsToContents(list);
    }
    dialog.resize(dialog.sizeHint().expandedTo(kLeastSize));
    FitWindowToScreen(&dialog);
}

} // namespace tarvilo
