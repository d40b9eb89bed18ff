#include "ui/main/main_menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tarvilo {
namespace {

void AddCommand(QMenu *menu, const char *name, const QString &text, const std::function<void()> &command)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, menu, [command] { command(); });
}

} // namespace

MainMenus BuildMainMenus(QMainWindow &window, const MainMenuCommands &commands)
{
    MainMenus menus;
    menus.archivo = window.menuBar()->addMenu(QStringLiteral("&Archivo"));
    menus.archivo->setObjectName(QStringLiteral("mnuArchivo"));
    commands.addExports(menus.archivo);
    AddCommand(menus.archivo, "mnuUnidades", QStringLiteral("Datos en unidades &físicas..."), commands.unidades);
    menus.archivo->addSeparator();
    AddCommand(menus.archivo, "mnuSalir", QStringLiteral("&Salir"), commands.salir);

    QMenu *mnuVer = window.menuBar()->addMenu(QStringLiteral("&Ver"));
    mnuVer->setObjectName(QStringLiteral("mnuVer"));
    AddCommand(mnuVer, "mnuGraficoAmpliado", QStringLiteral("Gráfico &ampliado"), commands.graficoAmpliado);
    mnuVer->addSeparator();
    menus.conservarCurvas = mnuVer->addAction(QStringLiteral("&Conservar curvas anteriores"));
    menus.conservarCurvas->setObjectName(QStringLiteral("mnuConservarCurvas"));
    menus.conservarCurvas->setCheckable(true);
    QObject::connect(menus.conservarCurvas, &QAction::toggled, mnuVer,
                     [keep = commands.conservarCurvas](bool on) { keep(on); });
    AddCommand(mnuVer, "mnuBorrarCurvas", QStringLiteral("&Borrar curvas anteriores"), commands.borrarCurvas);
    mnuVer->addSeparator();
    AddCommand(mnuVer, "mnuFamilia", QStringLiteral("&Familia de curvas..."), commands.familia);
    AddCommand(mnuVer, "mnuCurvaPV", QStringLiteral("Curva &P-V"), commands.curvaPV);
    AddCommand(mnuVer, "mnuMargenes", QStringLiteral("&Márgenes y compensación..."), commands.margenes);

    QAction *mnuAcercaDe = window.menuBar()->addAction(QStringLiteral("Acerca &de..."));
    mnuAcercaDe->setObjectName(QStringLiteral("mnuAcercaDe"));
    QObject::connect(mnuAcercaDe, &QAction::triggered, &window, [command = commands.acercaDe] { command(); });
    return menus;
}

} // namespace tarvilo
