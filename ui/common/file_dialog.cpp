#include "ui/common/file_dialog.h"

#include "ui/common/screen_fit.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>
#include <QSize>
#include <QTreeView>

#include <algorithm>

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
void WidenDateColumn(QFileDialog &dialog)
{
    auto *list = dialog.findChild<QTreeView *>();
    if (!list || list->header()->count() <= kDateColumn)
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

} // namespace

void PrepareFileDialog(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The dialog only borrows its provider: gone with the dialog, after
    // every part of it.
    auto *types = new SpanishTypes;
    dialog.setIconProvider(types);
    QObject::connect(&dialog, &QObject::destroyed, [types] { delete types; });
    WidenDateColumn(dialog);
    dialog.resize(dialog.sizeHint().expandedTo(kLeastSize));
    FitWindowToScreen(&dialog);
}

} // namespace tarvilo
