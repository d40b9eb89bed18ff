#include "ui/chart/picture_menu.h"

#include "ui/chart/svg_device.h"
#include "ui/common/file_saving.h"
#include "ui/common/message_box.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

#include <exception>

namespace tarvilo {

ChartPictures PicturesOf(ChartCopy copy, std::function<QString()> caption, const QString &suggestedName)
{
    return { [copy, caption] { return ChartImage(copy, caption()); },
             [copy, caption](PictureFormat format) { return ChartPicture(copy, format, caption()); }, suggestedName };
}

void RunTold(QWidget *parent, const std::function<void()> &command)
{
    try {
        command();
    } catch (const SvgUnavailable &missing) {
        ShowMessageBox(parent, QMessageBox::Warning, QString::fromUtf8(missing.what()));
    } catch (const std::exception &) {
        ShowMessageBox(parent, QMessageBox::Warning,
                       QStringLiteral("No se pudo completar la orden: no queda memoria suficiente."));
    }
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
