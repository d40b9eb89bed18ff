// Program start: the main window, built on the system's regional settings.
#include "ui/common/qt_translations.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvilo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarvilo.Tarvilo"));
    tarvilo::InstallQtSpanishTranslations(application);
    tarvilo::MainWindow window(QLocale::system());
    window.show();
    return application.exec();
}
