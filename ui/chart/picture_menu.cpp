#include "ui/chart/picture_menu.h"

#include "ui/common/file_saving.h"
#include "ui/common/message_box.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

#include <exception>

namespace tarvilo {
namespace {

// Runs a picture command; a failure (such as no memory left for the
// picture) is told, and the window goes on.
void RunTold(QWidget *view, const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &) {
        ShowMessageBox(view, QMessageBox::Warning,
                       QStringLiteral("No se pudo completar la orden: no queda memoria suficiente."));
    }
}

} // namespace

ChartPictures PicturesOf(ChartCopy copy, std::function<QString()> caption, const QString &suggestedName)
{
    return { [copy, caption] { return ChartImage(copy, caption()); },
             [copy, caption](PictureFormat format) { return ChartPicture(copy, format, caption()); }, suggestedName };
}

std::pair<QAction *, QAction *> GivePictureMenu(QWidget *view, ChartPictures pictures)
{
    auto *copy = new QAction(QStringLiteral("&Copiar imagen"), view);
    copy->setObjectName(QStringLiteral("mnuCopiarImagen"));
    auto *save = new QAction(QStringLiteral("&Guardar imagen..."), view);
    save->setObjectName(QStringLiteral("mnuGuardarImagen"));
    QObject::connect(copy, &QAction::triggered, view, [view, pictures] {
        RunTold(view, [&pictures] { QGuiApplication::clipboard()->setImage(pictures.image()); });
    });
    QObject::connect(save, &QAction::triggered, view, [view, pictures] {
        const QString path =
                AskSavePath(view, QStringLiteral("Guardar imagen"), pictures.suggestedName,
                            { QStringLiteral("Imagen PNG (*.png)"), QStringLiteral("Gráfico vectorial SVG (*.svg)"),
                              QStringLiteral("Documento PDF (*.pdf)") });
        if (path.isEmpty())
            return;
        RunTold(view,
                [&] { SaveWhole(view, path, pictures.picture(PictureFormatOf(path).value_or(PictureFormat::Png))); });
    });
    view->addAction(copy);
    view->addAction(save);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    return { copy, save };
}

} // namespace tarvilo
