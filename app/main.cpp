// Placeholder start until the main window exists: a window titled Tarvilo.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tarvilo"));
    window.show();
    return application.exec();
}
