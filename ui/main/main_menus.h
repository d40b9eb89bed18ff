#pragma once

// The main window's menu bar: "Archivo", "Ver" and "Acerca de...", each
// command with its object name and access key, and what it does.

#include <functional>

class QAction;
class QMainWindow;
class QMenu;

namespace tarvilo {

// What each command of the main window's menus does.
struct MainMenuCommands
{
    // Puts the export commands into "Archivo", before its own.
    std::function<void(QMenu *archivo)> addExports;
    std::function<void()> unidades;
    std::function<void()> salir;
    std::function<void()> graficoAmpliado;
    std::function<void(bool keep)> conservarCurvas;
    std::function<void()> borrarCurvas;
    std::function<void()> familia;
    std::function<void()> curvaPV;
    std::function<void()> margenes;
    std::function<void()> acercaDe;
};

struct MainMenus
{
    QMenu *archivo = nullptr;
    QAction *conservarCurvas = nullptr;
};

// Alt+A opens "Archivo", Alt+V "Ver", Alt+D the About dialog.
MainMenus BuildMainMenus(QMainWindow &window, const MainMenuCommands &commands);

} // namespace tarvilo
