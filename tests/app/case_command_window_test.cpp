// "tarvilo --calcular CASO" without a display gives what the window gives
// for the same case opened: "salida.txt" byte for byte, and the result
// labels' own texts.
#include "tests/support/widget_test_fixture.h"
#include "tests/support/scratch_settings.h"
#include "tests/support/window_commands.h"
#include "tests/support/window_fixture.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvilo;
using namespace tarvilo::testing;

class CaseCommandWindowTest : public WidgetTestFixture
{
    Q_OBJECT

public:
private:
    ScratchSettings m_settings; // opening a case remembers it

private slots:
    void givesWhatTheWindowGives_data()
    {
        QTest::addColumn<QString>("locale"); // as the environment names it
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<int>("status");
        QTest::newRow("default case, point") << "C.UTF-8"
                                             << "0.03, 3.33, 1, 10.48, 0, 0" << 0;
        QTest::newRow("default case, comma") << "de_DE.UTF-8"
                                             << "0.03, 3.33, 1, 10.48, 0, 0" << 0;
        QTest::newRow("Spanish, a generator and a bank") << "es_ES.UTF-8"
                                                         << "0.05, 1e-3, 1.05, -7.5, 2.25, 0.3" << 0;
        QTest::newRow("no operating point") << "de_DE.UTF-8"
                                            << "0.03, 3.33, 1, 30, 0, 0" << 3;
        QTest::newRow("Arabic separators, huge load") << "ar_EG.UTF-8"
                                                      << "1e-3, 0, 2, 1e3, -1e4, 0" << 0;
    }

    void givesWhatTheWindowGives()
    {
        QFETCH(QString, locale);
        QFETCH(QString, inputs);
        QFETCH(int, status);
        const QStringList values = inputs.split(QStringLiteral(", "));
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("caso.tarvilo"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("{\"formato\": \"tarvilo-caso\", \"version\": 1, \"entradas\": {\"X\": %1, "
                                      "\"B\": %2, \"Uinf\": %3, \"Pcarga\": %4, \"Qcarga\": %5, \"Qcap\": %6}}")
                               .arg(values[0], values[1], values[2], values[3], values[4], values[5])
                               .toUtf8());
        }

        if (status == 3)
            m_watchdog->expect(1);
        QFile::remove(QStringLiteral("salida.txt"));
        QStringList labels;
        {
            MainWindow window(QLocale(locale.section(QLatin1Char('.'), 0, 0)), path);
            labels = LabelTexts(window);
        }
        const QByteArray windowFile = FileBytes(QStringLiteral("salida.txt"));
        QCOMPARE(windowFile.count('\n'), 303);

        QTemporaryDir folder;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG", "LC_NUMERIC" })
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("LC_ALL"), locale);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(folder.path());
        program.start(QStringLiteral(TARVILO_PROGRAM), { QStringLiteral("--calcular"), path });
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        QCOMPARE(FileBytes(folder.filePath(QStringLiteral("salida.txt"))), windowFile);

        const QStringList lines = QString::fromUtf8(program.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= labels.size());
        for (qsizetype i = 0; i < labels.size(); ++i)
            QCOMPARE(lines[i].section(QLatin1Char('\t'), 1, 1), labels[i]);
    }
};

QTEST_MAIN(CaseCommandWindowTest)
#include "case_command_window_test.moc"
