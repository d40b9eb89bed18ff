// "Exportar informe...": the PDF it writes, read back with poppler's tools
// (pdfinfo, pdftotext), holds what the windows show.

#include "ui/common/quantities.h"
#include "ui/family/family_window.h"
#include "ui/main/export_commands.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_commands.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <optional>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

// What a poppler tool prints about a file; empty when it failed.
QString Poppler(const char *tool, const QStringList &arguments)
{
    QProcess process;
    process.start(QString::fromLatin1(tool), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString &path)
{
    return Poppler("pdftotext", { QStringLiteral("-layout"), path, QStringLiteral("-") });
}

// The height of the first word of the results table's rows as written,
// from poppler's boxes: the size of the table's type.
qreal WordHeight(const QString &path, const QString &word)
{
    const QString boxes = Poppler("pdftotext", { QStringLiteral("-bbox"), path, QStringLiteral("-") });
    const QRegularExpression box(
            QStringLiteral(R"re(<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">)re")
            + QRegularExpression::escape(word) + QStringLiteral("</word>"));
    const QRegularExpressionMatch match = box.match(boxes);
    return match.hasMatch() ? match.captured(2).toDouble() - match.captured(1).toDouble() : 0;
}

// The right end of the widest word written, in points from the page's left edge.
qreal RightmostWord(const QString &path)
{
    const QString boxes = Poppler("pdftotext", { QStringLiteral("-bbox"), path, QStringLiteral("-") });
    qreal rightmost = 0;
    for (const QRegularExpressionMatch &match :
         QRegularExpression(QStringLiteral(R"re(<word xMin="[\d.]+" yMin="[\d.]+" xMax="([\d.]+)")re"))
                 .globalMatch(boxes))
        rightmost = std::max(rightmost, match.captured(1).toDouble());
    return rightmost;
}

// The margins window's values, by their labels' names.
const char *const kMarginLabels[] = { "lblMargenQV",      "lblMargenP",       "lblMargenPPorCiento", "lblDistanciaV2",
                                      "lbldV2dQcargaSup", "lbldV2dQcargaInf", "lbldV2dPcargaSup",    "lbldV2dPcargaInf",
                                      "lblIndiceLSup",    "lblIndiceLInf" };

} // namespace

class StudyReportTest : public WidgetTestFixture
{
    Q_OBJECT

private slots:
    void theReportHoldsWhatTheWindowsShow_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("kept");
        QTest::newRow("default case, C") << QLocale::c() << false;
        QTest::newRow("default case, es_ES") << QLocale(QLocale::Spanish, QLocale::Spain) << false;
        QTest::newRow("kept cases, C") << QLocale::c() << true;
        QTest::newRow("kept cases, es_ES") << QLocale(QLocale::Spanish, QLocale::Spain) << true;
    }

    void theReportHoldsWhatTheWindowsShow()
    {
        QFETCH(QLocale, locale);
        QFETCH(bool, kept);
        MainWindow window(locale);
        if (kept) {
            Trigger(window, "mnuConservarCurvas");
            for (const char *qcap : { "0.5", "1.5" }) {
                window.inputBox(InputBox::Qcap)->setText(Spelt(locale, qcap));
                Calculate(window);
            }
            QCOMPARE(window.shownCase().kept.size(), size_t(2));
        }
        Trigger(window, "mnuMargenes");
        QAction *command = window.findChild<QAction *>(QStringLiteral("mnuExportarInforme"));
        QVERIFY(command && command->isEnabled());

        const QString path = QDir::current().filePath(QStringLiteral("tarvilo-informe.pdf"));
        QFile::remove(path);
        m_watchdog->fileToChoose = path;
        command->trigger();
        m_watchdog->fileToChoose.reset();
        QVERIFY(FileBytes(path).startsWith("%PDF"));

        const QString info = Poppler("pdfinfo", { path });
        QVERIFY2(info.contains(
                         QRegularExpression(QStringLiteral(R"(Page size:\s+595(\.\d+)? x 84[12](\.\d+)? pts \(A4\))"))),
                 qPrintable(info));

        const QString text = PdfText(path);
        QVERIFY(text.contains(QStringLiteral("Informe de estabilidad de tensión")));
        // Every page says its number and how many there are.
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(info);
        QVERIFY2(pages.hasMatch(), qPrintable(info));
        const int count = pages.captured(1).toInt();
        QVERIFY(count >= 2);
        for (int page = 1; page <= count; ++page) {
            const QString number = QStringLiteral("Página %1 de %2").arg(page).arg(count);
            QCOMPARE(text.count(number), 1);
        }
        QVERIFY(text.contains(QStringLiteral("sin guardar")));
        QVERIFY(text.contains(QStringLiteral("Tarvilo ") + QCoreApplication::applicationVersion())
                || text.contains(QStringLiteral("Tarvilo 1.")));
        // Each line of the tables reads name, value and unit in the window's words.
        const auto hasRow = [&text](const QString &name, const QString &value) {
            const QRegularExpression row(QLatin1Char('^') + QStringLiteral(R"(\s*)") + QRegularExpression::escape(name)
                                                 + QStringLiteral(R"(\s{2,})") + QRegularExpression::escape(value)
                                                 + QStringLiteral(R"((\s|$))"),
                                         QRegularExpression::MultilineOption);
            return text.contains(row);
        };
        // The inputs as read: "1.00" in the box is 1.
        for (const InputBox box : kInputBoxes) {
            const double value = locale.toDouble(window.inputBox(box)->text());
            const QString read = QString::number(value, 'g', 15).replace(QLatin1Char('.'), locale.decimalPoint());
            QVERIFY2(hasRow(QuantityName(box), read), qPrintable(QuantityName(box) + QStringLiteral(": ") + read));
        }
        for (const ResultLabel label : kResultLabels) {
            const QLabel *value = window.resultLabel(label);
            const QString title = window.findChild<QLabel *>(value->objectName() + QStringLiteral("_tit"))->text();
            QVERIFY2(hasRow(title.section(QStringLiteral(" ["), 0, 0), value->text()), qPrintable(title));
        }
        for (const char *name : kMarginLabels) {
            const QLabel *value = window.findChild<QLabel *>(QString::fromLatin1(name));
            QVERIFY2(value, name);
            const QString title = window.findChild<QLabel *>(QString::fromLatin1(name) + QStringLiteral("_tit"))
                                          ->text()
                                          .section(QStringLiteral(" ["), 0, 0);
            QVERIFY2(hasRow(title, value->text()), qPrintable(title + QStringLiteral(": ") + value->text()));
        }
        for (const char *pv : { "Pmax", "V2 en Pmax" })
            QVERIFY2(text.contains(QString::fromUtf8(pv)), pv);
        QVERIFY(text.contains(QStringLiteral("Curvas Q-V")) && text.contains(QStringLiteral("Curva P-V")));
        // The charts' legends are text too.
        QVERIFY(text.contains(QStringLiteral("Puntos de operación")));
        // The kept cases named in its legend by what differs.
        QCOMPARE(text.contains(QStringLiteral("Qcap = ") + Spelt(locale, "0.5")), kept);
    }

    // With the case from the physical-units dialog, its values in kV, MW and
    // Mvar; with the family window open, its table.
    void theReportAddsThePhysicalUnitsAndTheFamily()
    {
        MainWindow window(QLocale::c());
        Trigger(window, "mnuUnidades");
        auto *dialog = window.findChild<QWidget *>(QStringLiteral("frmUnidades"));
        QVERIFY(dialog);
        dialog->findChild<QPushButton *>(QStringLiteral("cmdAplicar"))->click();
        QVERIFY(window.shownCase().physicalBases);
        Trigger(window, "mnuFamilia");
        QVERIFY(window.familyWindow() && window.familyWindow()->isVisible());
        const QStringList family = window.familyWindow()->shownTableText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(window.exportCommands().saveReport(QStringLiteral("informe.pdf")));
        const QString text = PdfText(QStringLiteral("informe.pdf"));
        QVERIFY2(text.contains(QStringLiteral("S base = 100 MVA; U base = 132 kV")), qPrintable(text));
        QVERIFY(text.contains(
                QRegularExpression(QStringLiteral(R"(^\s*Pcarga\s+60\s+MW)"), QRegularExpression::MultilineOption)));
        // Each value of the family's first row as the window shows it, in the order of its columns.
        QStringList first = family.at(1).split(QLatin1Char('\t'));
        first.removeAll(QString());
        QStringList escaped;
        for (const QString &field : first)
            escaped << QRegularExpression::escape(field.section(QLatin1Char(' '), 0, 0));
        QVERIFY2(text.contains(QRegularExpression(escaped.join(QStringLiteral(R"(\s+)")))), qPrintable(family.at(1)));
    }

    // Without an active load there is no P-V curve nor Margen P: the report says why.
    void aCaseWithoutACurveSaysWhy()
    {
        MainWindow window(QLocale::c());
        window.inputBox(InputBox::Pcarga)->setText(QStringLiteral("0"));
        Calculate(window);
        QVERIFY(window.exportCommands().saveReport(QStringLiteral("informe.pdf")));
        const QString text = PdfText(QStringLiteral("informe.pdf"));
        QVERIFY(text.contains(QStringLiteral("Sin carga activa (Pcarga = 0) no hay curva P-V")));
        // The reason may wrap in its column (fonts differ between systems):
        // its words follow "Margen P", the unit's column perhaps between them.
        const QString words = text.simplified();
        QVERIFY2(words.contains(
                         QRegularExpression(QStringLiteral(R"(Margen P sin carga activa \(Pcarga (p\.u\. )?= 0\))"))),
                 qPrintable(words));
    }

    // A value of hundreds of digits (a margin the failed run reached) is
    // broken over lines of its cell: the table keeps its type, and every
    // digit is there.
    void aValueTooLongForItsColumnIsBrokenNotShrunk()
    {
        MainWindow window(QLocale::c());
        QVERIFY(window.exportCommands().saveReport(QStringLiteral("informe.pdf")));
        const qreal usual = WordHeight(QStringLiteral("informe.pdf"), QStringLiteral("V2"));
        SetInputs(window, { "0.03", "3.33", "1", "1e100", "0", "0" });
        m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        const QString margin = window.resultLabel(ResultLabel::MargenQ2)->text();
        QVERIFY(margin.size() > 100);
        QVERIFY(window.exportCommands().saveReport(QStringLiteral("informe.pdf")));
        QVERIFY(usual > 0);
        // The same type size, within what the PDF text extraction rounds.
        QVERIFY(qAbs(WordHeight(QStringLiteral("informe.pdf"), QStringLiteral("V2")) - usual) < 0.01);
        QVERIFY2(RightmostWord(QStringLiteral("informe.pdf")) < 595, "a word runs off the page");
        // Read line by line, the unit stands after the value's first line.
        const QString digits = PdfText(QStringLiteral("informe.pdf"))
                                       .remove(QStringLiteral("p.u."))
                                       .remove(QRegularExpression(QStringLiteral(R"(\s)")));
        QVERIFY2(digits.contains(margin), qPrintable(digits));
    }

    void aReportThatCannotBeWrittenLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("full");
        QTest::newRow("a missing folder") << QStringLiteral("falta/informe.pdf") << false;
        QTest::newRow("a full disk") << QStringLiteral("informe.pdf") << true;
        QTest::newRow("under /proc") << QStringLiteral("/proc/tarvilo-informe.pdf") << false;
    }

    void aReportThatCannotBeWrittenLeavesTheOldFileWhole()
    {
        QFETCH(QString, path);
        QFETCH(bool, full);
        MainWindow window(QLocale::c());
        {
            QFile old(QStringLiteral("informe.pdf"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old report");
        }
        m_watchdog->expect();
        bool saved = true;
        {
            // A file-size limit stands in for a full disk, for root too.
            std::optional<FileSizeLimit> limit;
            if (full)
                limit.emplace(1024);
            saved = window.exportCommands().saveReport(path);
        }
        QVERIFY(!saved);
        QCOMPARE(FileBytes(QStringLiteral("informe.pdf")), QByteArray("old report"));
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        const QString absolute = QFileInfo(path).absoluteFilePath();
        QVERIFY2(m_watchdog->seen().front().text.contains(absolute), qPrintable(m_watchdog->seen().front().text));
    }
};

QTEST_MAIN(StudyReportTest)
#include "study_report_test.moc"
