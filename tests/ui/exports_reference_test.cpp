// What the exports give for the case on the chart, compared byte for byte
// with files stored from an earlier build: the curves as CSV, the copied
// results, the chart's description and the picture as SVG, for the default
// case, a failed run, eight kept cases and a case opened from a file, under
// "." and "," settings. TARVILO_UPDATE_REFERENCES=1 writes the files anew.
#include "tests/support/widget_test_fixture.h"
#include "tests/support/scratch_settings.h"
#include "tests/support/window_commands.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/main/case_commands.h"
#include "ui/main/export_commands.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

QLocale SpanishLocale()
{
    return QLocale(QLocale::Spanish, QLocale::Spain);
}

QString Reference(const QString &name)
{
    return QStringLiteral(TARVILO_TEST_REFERENCES "/exports/") + name;
}

bool Updating()
{
    return qEnvironmentVariableIntValue("TARVILO_UPDATE_REFERENCES") == 1;
}

// The pictures depend on Qt's layout of a chart: they are compared only
// under the Qt they were made with.
bool SameQtAsReferences()
{
    return FileBytes(Reference(QStringLiteral("qt-version.txt"))).trimmed() == qVersion();
}

void CompareWithReference(const QString &name, const QByteArray &bytes)
{
    const QString path = Reference(name);
    if (Updating()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return;
    }
    const QByteArray stored = FileBytes(path);
    QVERIFY2(!stored.isEmpty(), qPrintable(path));
    if (bytes != stored) {
        QFile file(QDir::current().absoluteFilePath(QFileInfo(name).fileName()));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QVERIFY2(bytes == stored, qPrintable(name + QStringLiteral(" differs from its reference")));
}

using Scenario = std::function<void(MainWindow &, ModalWatchdog &)>;

void SetBox(MainWindow &window, InputBox box, const QLocale &locale, const char *pointText)
{
    window.inputBox(box)->setText(Spelt(locale, pointText));
}

} // namespace

Q_DECLARE_METATYPE(Scenario)

class ExportsReferenceTest : public WidgetTestFixture
{
    Q_OBJECT

public:
private:
    ScratchSettings m_settings;

private slots:
    void exportsAsBefore_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<Scenario>("scenario");
        const Scenario defaultCase = [](MainWindow &, ModalWatchdog &) {};
        const Scenario failedRun = [](MainWindow &window, ModalWatchdog &watchdog) {
            // Read whole, then stopped: the chart keeps the previous case.
            window.inputBox(InputBox::X)->setText(QStringLiteral("0"));
            watchdog.expect();
            Calculate(window);
        };
        const Scenario eightKept = [](MainWindow &window, ModalWatchdog &) {
            Trigger(window, "mnuConservarCurvas");
            const QLocale locale = window.locale();
            for (const char *qcap : { "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9" }) {
                SetBox(window, InputBox::Qcap, locale, qcap);
                Calculate(window);
            }
        };
        const Scenario openedCase = [](MainWindow &window, ModalWatchdog &) {
            const QString path = QDir::current().absoluteFilePath(QStringLiteral("estudio.tarvilo"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(R"({"formato": "tarvilo-caso", "version": 1,
                "entradas": {"X": 0.05, "B": 3.33, "Uinf": 1.05, "Pcarga": 7, "Qcarga": 0.5, "Qcap": 0.25},
                "conservarCurvas": true,
                "casosConservados": [{"X": 0.05, "B": 3.33, "Uinf": 1, "Pcarga": 7, "Qcarga": 0.5, "Qcap": 0},
                                {"X": 0.04, "B": 3.33, "Uinf": 1.05, "Pcarga": 7, "Qcarga": -0.25, "Qcap": 0.25}]})");
            file.close();
            QVERIFY(window.caseCommands()->openCase(path));
        };
        for (const auto &[localeName, locale] :
             { std::pair{ "C", PointLocale() }, std::pair{ "es_ES", SpanishLocale() } }) {
            for (const auto &[name, scenario] :
                 { std::pair{ "default", defaultCase }, std::pair{ "failed", failedRun },
                   std::pair{ "eight-kept", eightKept }, std::pair{ "opened", openedCase } }) {
                QTest::newRow(qPrintable(QStringLiteral("%1_%2").arg(name, localeName))) << locale << scenario;
            }
        }
    }
    void exportsAsBefore()
    {
        QFETCH(QLocale, locale);
        QFETCH(Scenario, scenario);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        MainWindow window(locale);
        window.setLocale(locale);
        scenario(window, *m_watchdog);
        QVERIFY(m_watchdog->sawAllExpected());

        QVERIFY(window.exportCommands().saveCurves(QStringLiteral("curvas.csv")));
        CompareWithReference(name + QStringLiteral(".csv"), FileBytes(QStringLiteral("curvas.csv")));
        Trigger(window, "mnuCopiarResultados");
        CompareWithReference(name + QStringLiteral(".tsv"), QGuiApplication::clipboard()->text().toUtf8());
        CompareWithReference(name + QStringLiteral(".txt"), window.chartView()->accessibleDescription().toUtf8());
        if (Updating() || SameQtAsReferences()) {
            // The pictures are large: their digest stands for them.
            QVERIFY(window.exportCommands().saveChart(name + QStringLiteral(".svg")));
            const QByteArray svg = FileBytes(name + QStringLiteral(".svg"));
            CompareWithReference(name + QStringLiteral(".svg.sha256"),
                                 QCryptographicHash::hash(svg, QCryptographicHash::Sha256).toHex() + '\n');
        }
    }

    void recordQtVersion()
    {
        if (Updating())
            CompareWithReference(QStringLiteral("qt-version.txt"), QByteArray(qVersion()) + '\n');
    }
};

QTEST_MAIN(ExportsReferenceTest)
#include "exports_reference_test.moc"
