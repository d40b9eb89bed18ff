// Program start: the command line, then the main window, built on the
// system's regional settings.
#include "ui/common/qt_translations.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QStringList>

#include <cstdio>

namespace {

// Qt's parser words its own options in English: these are ours, in Spanish.
const QString kHelpText =
        QStringLiteral("Uso: tarvilo [opciones] [CASO]\n"
                       "Curvas Q-V de una red de dos barras: margen de potencia reactiva y puntos de operación.\n"
                       "\n"
                       "Opciones:\n"
                       "  -h, --help     Muestra esta ayuda y termina.\n"
                       "  -v, --version  Muestra la versión del programa y termina.\n"
                       "\n"
                       "Argumentos:\n"
                       "  CASO           Caso de Tarvilo (archivo .tarvilo) con el que se abre la ventana\n"
                       "                 en lugar de los valores por defecto.\n");

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

struct CommandLine
{
    QCommandLineParser parser;
    QCommandLineOption help{ { QStringLiteral("h"), QStringLiteral("help") } };
    QCommandLineOption version{ { QStringLiteral("v"), QStringLiteral("version") } };

    CommandLine()
    {
        parser.addOption(help);
        parser.addOption(version);
    }
};

// Help and version need no window (nor a display): answered before Qt's
// own options are taken out. -1 when the program goes on.
int AnswerWithoutWindow(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine line;
    line.parser.parse(arguments);
    if (line.parser.isSet(line.help)) {
        Print(stdout, kHelpText);
        return 0;
    }
    if (line.parser.isSet(line.version)) {
        Print(stdout, QStringLiteral("tarvilo %1\n").arg(QStringLiteral(TARVILO_VERSION)));
        return 0;
    }
    return -1;
}

// "-x" and "--nombre", as the user typed them.
QString OptionsAsTyped(const QStringList &names)
{
    QStringList typed;
    for (const QString &name : names)
        typed << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return typed.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char *argv[])
{
    if (const int answered = AnswerWithoutWindow(argc, argv); answered >= 0)
        return answered;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvilo"));
    QApplication::setApplicationVersion(QStringLiteral(TARVILO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarvilo.Tarvilo"));

    // Qt's own options (-platform, -style, ...) are gone from the arguments now.
    CommandLine line;
    if (!line.parser.parse(QApplication::arguments()) || line.parser.positionalArguments().size() > 1) {
        const QString problem = line.parser.positionalArguments().size() > 1
                ? QStringLiteral("se abre un solo caso cada vez")
                : QStringLiteral("opción desconocida: %1").arg(OptionsAsTyped(line.parser.unknownOptionNames()));
        Print(stderr, QStringLiteral("tarvilo: %1\nPruebe «tarvilo --help» para más información.\n").arg(problem));
        return 2;
    }

    tarvilo::InstallQtSpanishTranslations(application);
    const QString startCase = line.parser.positionalArguments().value(0);
    tarvilo::MainWindow window(QLocale::system(), startCase);
    window.show();
    return application.exec();
}
