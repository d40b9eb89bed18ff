// Program start: the command line, then the main window, built on the
// system's regional settings. The commands that need no window end before
// any window or display exists.
#include "cli/batch_command.h"
#include "cli/case_command.h"
#include "cli/console.h"
#include "ui/common/drawn_style.h"
#include "ui/common/first_frame_quit.h"
#include "ui/common/form_font.h"
#include "ui/common/qt_translations.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QStringList>

namespace {

using tarvilo::Print;
using tarvilo::PrintUsageProblem;

// Qt's parser words its own options in English: these are ours, in Spanish.
const QString kHelpText =
        QStringLiteral("Uso: tarvilo [opciones] [CASO]\n"
                       "     tarvilo --calcular CASO [--formato json]\n"
                       "     tarvilo --lote ENTRADA.csv [SALIDA.csv]\n"
                       "Curvas Q-V de una red de dos barras: margen de potencia reactiva y puntos de operación.\n"
                       "\n"
                       "Opciones:\n"
                       "  -h, --help     Muestra esta ayuda y termina.\n"
                       "  -v, --version  Muestra la versión del programa y termina.\n"
                       "  --calcular CASO\n"
                       "                 Calcula el caso sin abrir la ventana: escribe «salida.txt» en la\n"
                       "                 carpeta actual, como «Calcular», y los resultados en la salida\n"
                       "                 estándar (nombre, valor y unidad separados por tabuladores).\n"
                       "  --formato json Con --calcular, los resultados como un objeto JSON con todas sus\n"
                       "                 cifras.\n"
                       "  --lote ENTRADA.csv [SALIDA.csv]\n"
                       "                 Calcula cada fila de una tabla de casos, con las columnas X, B,\n"
                       "                 Uinf, Pcarga, Qcarga y Qcap en cualquier orden, separadas por «;»\n"
                       "                 o por «,», y escribe la tabla con los resultados y una columna\n"
                       "                 «Observación» en SALIDA.csv o en la salida estándar.\n"
                       "\n"
                       "Argumentos:\n"
                       "  CASO           Caso de Tarvilo (archivo .tarvilo) con el que se abre la ventana\n"
                       "                 en lugar de los valores por defecto.\n"
                       "\n"
                       "Estado de salida: 0 si todo fue bien; 1 si un caso o un archivo no se pudo leer,\n"
                       "calcular o escribir; 2 si las opciones no son válidas; 3 si el caso de --calcular\n"
                       "no tiene punto de operación.\n");

struct CommandLine
{
    QCommandLineParser parser;
    QCommandLineOption help{ { QStringLiteral("h"), QStringLiteral("help") } };
    QCommandLineOption version{ { QStringLiteral("v"), QStringLiteral("version") } };
    QCommandLineOption calculate{ QStringLiteral("calcular"), QString(), QStringLiteral("CASO") };
    QCommandLineOption format{ QStringLiteral("formato"), QString(), QStringLiteral("FORMATO") };
    QCommandLineOption batch{ QStringLiteral("lote"), QString(), QStringLiteral("ENTRADA") };

    CommandLine()
    {
        // Qt's own options are words after one dash (-reverse, -stylesheet):
        // read as letters they would be taken for -v or -h.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({ help, version, calculate, format, batch });
    }
};

// "-x" and "--nombre", as the user typed them.
QString OptionsAsTyped(const QStringList &names)
{
    QStringList typed;
    for (const QString &name : names)
        typed << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return typed.join(QStringLiteral(", "));
}

// The option whose value is missing at the end of the line, if one is.
QString OptionWithoutValue(const QStringList &arguments)
{
    for (const char *name : { "--calcular", "--formato", "--lote" }) {
        if (arguments.size() > 1 && arguments.last() == QLatin1String(name))
            return QLatin1String(name);
    }
    return {};
}

bool NamesACommand(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1)) {
        for (const char *name : { "--calcular", "--formato", "--lote" }) {
            if (argument == QLatin1String(name) || argument.startsWith(QLatin1String(name) + QLatin1Char('=')))
                return true;
        }
    }
    return false;
}

// --calcular and --lote, whose every fault is the user's to mend: exit 2.
int RunCommand(CommandLine &line, bool parsed, const QStringList &arguments)
{
    QCommandLineParser &parser = line.parser;
    const QStringList positional = parser.positionalArguments();
    if (!parsed) {
        const QString missing = OptionWithoutValue(arguments);
        PrintUsageProblem(
                missing.isEmpty()
                        ? QStringLiteral("opción desconocida: %1").arg(OptionsAsTyped(parser.unknownOptionNames()))
                        : QStringLiteral("falta el valor de %1").arg(missing));
        return 2;
    }
    if (parser.isSet(line.calculate) == parser.isSet(line.batch)) {
        PrintUsageProblem(parser.isSet(line.calculate) ? QStringLiteral("--calcular y --lote no van juntos")
                                                       : QStringLiteral("--formato solo acompaña a --calcular"));
        return 2;
    }
    if (parser.isSet(line.batch)) {
        if (parser.isSet(line.format)) {
            PrintUsageProblem(QStringLiteral("--formato solo acompaña a --calcular"));
            return 2;
        }
        if (positional.size() > 1) {
            PrintUsageProblem(QStringLiteral("--lote toma una entrada y como mucho una salida"));
            return 2;
        }
        return tarvilo::RunBatchCommand(parser.value(line.batch), positional.value(0));
    }
    if (!positional.isEmpty()) {
        PrintUsageProblem(QStringLiteral("--calcular calcula un solo caso cada vez"));
        return 2;
    }
    const QString format = parser.isSet(line.format) ? parser.value(line.format) : QStringLiteral("texto");
    if (format != QLatin1String("texto") && format != QLatin1String("json")) {
        PrintUsageProblem(QStringLiteral("formato desconocido: %1 (se admiten texto y json)").arg(format));
        return 2;
    }
    return tarvilo::RunCaseCommand(parser.value(line.calculate),
                                   format == QLatin1String("json") ? tarvilo::CaseFormat::Json
                                                                   : tarvilo::CaseFormat::Text);
}

// Help, version and the commands need no window (nor a display): answered
// before Qt's own options are taken out. -1 when the program goes on.
int AnswerWithoutWindow(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine line;
    const bool parsed = line.parser.parse(arguments);
    if (line.parser.isSet(line.help)) {
        Print(stdout, kHelpText);
        return 0;
    }
    if (line.parser.isSet(line.version)) {
        Print(stdout, QStringLiteral("tarvilo %1\n").arg(QStringLiteral(TARVILO_VERSION)));
        return 0;
    }
    if (NamesACommand(arguments))
        return RunCommand(line, parsed, arguments);
    return -1;
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
        PrintUsageProblem(line.parser.positionalArguments().size() > 1
                                  ? QStringLiteral("se abre un solo caso cada vez")
                                  : QStringLiteral("opción desconocida: %1")
                                            .arg(OptionsAsTyped(line.parser.unknownOptionNames())));
        return 2;
    }

    tarvilo::InstallQtSpanishTranslations(application);
    tarvilo::KeepFormFontUnderStyleSheet();
    tarvilo::UseDrawnFusionPictures();
    const QString startCase = line.parser.positionalArguments().value(0);
    tarvilo::MainWindow window(QLocale::system(), startCase);
    // Hidden, for bench/startup_ratio.py alone: the whole start-up timed
    // to the window's first frame.
    if (qEnvironmentVariableIsSet("TARVILO_QUIT_AFTER_SHOW"))
        tarvilo::QuitAfterFirstFrame(application);
    window.show();
    return application.exec();
}
