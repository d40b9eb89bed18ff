// The family window at its edges: rows without an operating point or with a
// negative reactance, the Q-V method's margin, short legend names, and
// curves that reach the points they mark.
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/xy_chart_view.h"
#include "ui/family/family_window.h"

#include <QAbstractSeries>
#include <QAction>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QHeaderView>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>

#include <cmath>
#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

class FamilyWindowTest : public WidgetTestFixture
{
    Q_OBJECT

private:
    static FamilyWindow *Draw(MainWindow &window, InputBox quantity, const char *first, const char *last, int count)
    {
        window.findChild<QAction *>(QStringLiteral("mnuFamilia"))->trigger();
        FamilyWindow *family = window.familyWindow();
        family->findChild<QComboBox *>(QStringLiteral("cboMagnitud"))->setCurrentIndex(static_cast<int>(quantity));
        family->findChild<QLineEdit *>(QStringLiteral("txtPrimero"))->setText(QString::fromLatin1(first));
        family->findChild<QLineEdit *>(QStringLiteral("txtUltimo"))->setText(QString::fromLatin1(last));
        family->findChild<QSpinBox *>(QStringLiteral("spnValores"))->setValue(count);
        family->cmdDibujar_Click();
        return family;
    }
    static int Column(const FamilyWindow *family, const QString &title)
    {
        for (int column = 0; column < family->table()->columnCount(); ++column) {
            if (family->table()->horizontalHeaderItem(column)->text() == title)
                return column;
        }
        return -1;
    }
    static QString Cell(const FamilyWindow *family, int row, const QString &title)
    {
        return family->table()->item(row, Column(family, title))->text();
    }

private slots:
    // The range offered for a quantity starts at its value in the main
    // window and reads back as numbers, however small or large that value.
    void offersARangeThatReadsBack_data()
    {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("last");
        QTest::newRow("default") << QStringList{ "0.03", "3.33", "1", "10.48", "0", "0" } << 0.03 << 0.06;
        QTest::newRow("tiny X") << QStringList{ "0.000001", "3.33", "1", "10.48", "0", "0" } << 1e-6 << 2e-6;
        QTest::newRow("X of 15 digits") << QStringList{ "0.123456789012345", "0", "1", "1", "0", "0" }
                                        << 0.123456789012345 << 0.24691357802469;
        QTest::newRow("huge X") << QStringList{ "1e308", "3.33", "1", "10.48", "0", "0" } << 1e308 << 1e308;
    }

    void offersARangeThatReadsBack()
    {
        QFETCH(QStringList, inputs);
        QFETCH(double, first);
        QFETCH(double, last);
        MainWindow window(PointLocale());
        SetInputs(window, inputs);
        window.findChild<QAction *>(QStringLiteral("mnuFamilia"))->trigger();
        FamilyWindow *family = window.familyWindow();
        auto *magnitud = family->findChild<QComboBox *>(QStringLiteral("cboMagnitud"));
        magnitud->setCurrentIndex(int(InputBox::B));
        magnitud->setCurrentIndex(int(InputBox::X));
        const auto read = [family](const char *name) {
            return family->findChild<QLineEdit *>(QString::fromLatin1(name))->text();
        };
        bool ok = false;
        QCOMPARE(read("txtPrimero").toDouble(&ok), first);
        QVERIFY2(ok, qPrintable(read("txtPrimero")));
        QCOMPARE(read("txtUltimo").toDouble(&ok), last);
        QVERIFY2(ok, qPrintable(read("txtUltimo")));
    }

    // Shrunk as far as it goes, the window still shows the range's values
    // whole and the chart's numbers and titles unshortened.
    void theSmallestWindowShowsValuesAndAxesWhole()
    {
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::X, "-0.000123", "0.06", 5);
        family->resize(1, 1);
        family->show();
        QVERIFY(QTest::qWaitForWindowExposed(family));
        QCoreApplication::processEvents();
        for (const char *name : { "txtPrimero", "txtUltimo" }) {
            auto *box = family->findChild<QLineEdit *>(QString::fromLatin1(name));
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) < box->contentsRect().width() - 4, name);
        }
        const auto *view = family->findChild<XyChartView *>(QStringLiteral("grfFamilia"));
        for (const QGraphicsItem *item : view->scene()->items()) {
            if (const auto *text = dynamic_cast<const QGraphicsTextItem *>(item); text && text->isVisible())
                QVERIFY2(!text->toPlainText().contains(QChar(0x2026))
                                 && !text->toPlainText().contains(QStringLiteral("...")),
                         qPrintable(text->toPlainText()));
        }
    }

    // The family draws with the main window's boxes as they are when it
    // draws, not as they were when it opened. The varied quantity's own box
    // may hold anything: the range takes its place.
    void drawsWithTheMainBoxesAsTheyAreNow_data()
    {
        QTest::addColumn<QStringList>("inputs"); // typed once the family is open
        QTest::addColumn<QString>("unreadable"); // the box the family names, if any
        QTest::newRow("new load") << QStringList{ "0.03", "3.33", "1", "5", "0", "0" } << QString();
        QTest::newRow("own box unreadable") << QStringList{ "abc", "3.33", "1", "5", "0", "0" } << QString();
        QTest::newRow("another box unreadable")
                << QStringList{ "0.03", "abc", "1", "5", "0", "0" } << QStringLiteral("Susceptancia B");
        QTest::newRow("own and a later box unreadable")
                << QStringList{ "abc", "3.33", "1", "5", "0", "x" } << QStringLiteral("Qcap");
    }

    void drawsWithTheMainBoxesAsTheyAreNow()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QString, unreadable);
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::X, "0.02", "0.04", 3);
        SetInputs(window, inputs);
        family->cmdDibujar_Click();
        auto *aviso = family->findChild<QLabel *>(QStringLiteral("lblAviso"));
        QCOMPARE(aviso->isHidden(), unreadable.isEmpty());
        // Without a drawing the previous one stays: the boxes as they were at the start.
        const double pcarga = unreadable.isEmpty() ? 5 : 10.48;
        QCOMPARE(family->family().size(), size_t(3));
        for (const FamilyMember &member : family->family()) {
            QCOMPARE(member.inputs.Pcarga, pcarga);
            QCOMPARE(member.inputs.B, 3.33);
        }
        if (!unreadable.isEmpty()) {
            QCOMPARE(aviso->text(),
                     QStringLiteral("El valor de %1 en la ventana principal no es un número.").arg(unreadable));
        }
    }

    // Rows of values closer than the table's four decimals are still told
    // apart, in the table as in the legend and the chart's description.
    void closeValuesStayApart()
    {
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::Pcarga, "0.00001", "0.00002", 3);
        const QString name = QStringLiteral("Pcarga [p.u.]");
        const double values[] = { 1e-5, 1.5e-5, 2e-5 };
        for (int row = 0; row < 3; ++row)
            QCOMPARE(Cell(family, row, name).toDouble(), values[row]);
        const QString description = family->findChild<QWidget *>(QStringLiteral("grfFamilia"))->accessibleDescription();
        const QString range = QStringLiteral("de %1 a %2 p.u.").arg(Cell(family, 0, name), Cell(family, 2, name));
        QVERIFY2(description.contains(range), qPrintable(description));
    }

    void rowsSayWhyTheyLackAPointOrALine_data()
    {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("remark");
        QTest::addColumn<QString>("v2sup");
        QTest::newRow("beyond Pmax") << int(InputBox::Pcarga) << "10.48"
                                     << "30" << 4 << "No existe punto solucion"
                                     << "Error";
        QTest::newRow("negative X") << int(InputBox::X) << "-0.03"
                                    << "0.03" << 0 << "Una reactancia X negativa no es la de una línea"
                                    << "";
        QTest::newRow("over-compensated") << int(InputBox::Qcap) << "0"
                                          << "40" << 4 << "Margen QV sin máximo"
                                          << "";
    }

    void rowsSayWhyTheyLackAPointOrALine()
    {
        QFETCH(int, quantity);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, row);
        QFETCH(QString, remark);
        QFETCH(QString, v2sup);
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, static_cast<InputBox>(quantity), qPrintable(first), qPrintable(last), 5);
        const QString observation = Cell(family, row, QStringLiteral("Observación"));
        QVERIFY2(observation.contains(remark), qPrintable(observation));
        if (!v2sup.isEmpty())
            QCOMPARE(Cell(family, row, QStringLiteral("V2sup [p.u.]")), v2sup);
        QVERIFY(family->tableCsv().contains(remark.toUtf8()));
        // A row with its points and a positive reactance needs no remark.
        if (quantity == int(InputBox::Pcarga))
            QCOMPARE(Cell(family, 0, QStringLiteral("Observación")), QString());
    }

    // X = 0 has no line, but it is no negative reactance: the family does not call it one.
    void aRangeOfXFromZeroCallsNoValueNegative_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("zeroRow");
        QTest::newRow("from 0") << "0"
                                << "0.06" << 0;
        QTest::newRow("to 0") << "-0.03"
                              << "0" << 3;
    }

    void aRangeOfXFromZeroCallsNoValueNegative()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, zeroRow);
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::X, qPrintable(first), qPrintable(last), 4);
        QCOMPARE(family->family().at(static_cast<size_t>(zeroRow)).value, 0.0);
        for (int row = 0; row < 4; ++row) {
            const QString observation = Cell(family, row, QStringLiteral("Observación"));
            const bool negative = family->family().at(static_cast<size_t>(row)).value < 0;
            QVERIFY2(observation.contains(QStringLiteral("negativa")) == negative, qPrintable(observation));
        }
        QVERIFY(!Cell(family, zeroRow, QStringLiteral("Observación")).isEmpty());
    }

    // A span beyond the numbers would give no values to draw: it is refused, and the drawing stays.
    void aRangeBeyondTheNumbersIsRefused_data()
    {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("Pcarga") << int(InputBox::Pcarga) << "1e308"
                                << "-1e308";
        QTest::newRow("Qcap") << int(InputBox::Qcap) << "-1.7e308"
                              << "1.7e308";
    }

    void aRangeBeyondTheNumbersIsRefused()
    {
        QFETCH(int, quantity);
        QFETCH(QString, first);
        QFETCH(QString, last);
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::X, "0.02", "0.04", 3);
        family = Draw(window, static_cast<InputBox>(quantity), qPrintable(first), qPrintable(last), 25);
        auto *aviso = family->findChild<QLabel *>(QStringLiteral("lblAviso"));
        QVERIFY(!aviso->isHidden());
        QCOMPARE(aviso->text(),
                 QStringLiteral("El intervalo entre el primer y el último valor es demasiado grande "
                                "para repartirlo en 25 valores."));
        QCOMPARE(family->family().size(), size_t(3));
        QCOMPARE(family->family().back().inputs.X, 0.04);
        // Every value of a span within the numbers is one, to the last.
        family = Draw(window, static_cast<InputBox>(quantity), "0", qPrintable(last), 25);
        QVERIFY(aviso->isHidden());
        QCOMPARE(family->family().size(), size_t(25));
        for (const FamilyMember &member : family->family())
            QVERIFY2(std::isfinite(member.value), qPrintable(QString::number(member.value)));
        const QString rows = family->tableText().section(QLatin1Char('\n'), 1);
        for (const char *word : { "nan", "inf", "∞", "indefinido" })
            QVERIFY2(!rows.contains(QString::fromUtf8(word)), word);
    }

    // However often drawn, the table fills its width: its last column takes
    // what the others leave.
    void theTableFillsItsWidth()
    {
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::Pcarga, "5", "12", 7);
        family->show();
        QVERIFY(QTest::qWaitForWindowExposed(family));
        family->resize(1500, family->height()); // wider than the columns need
        for (int drawing = 0; drawing < 2; ++drawing) {
            QCoreApplication::processEvents();
            const QHeaderView *header = family->table()->horizontalHeader();
            const int last = header->count() - 1;
            QCOMPARE(header->sectionViewportPosition(last) + header->sectionSize(last), header->viewport()->width());
            family->cmdDibujar_Click();
        }
    }

    void theQvMethodsMarginHasAColumn()
    {
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::Qcap, "0", "40", 5);
        QVERIFY(Column(family, QStringLiteral("Margen QV [p.u.]")) > Column(family, QStringLiteral("MargenQ2 [p.u.]")));
        QCOMPARE(Cell(family, 0, QStringLiteral("Margen QV [p.u.]")), QStringLiteral("5.6411"));
        QCOMPARE(Cell(family, 0, QStringLiteral("MargenQ2 [p.u.]")), QStringLiteral("5.6193"));
        QCOMPARE(Cell(family, 4, QStringLiteral("Margen QV [p.u.]")), QStringLiteral("Sin máximo"));
        const QStringList lines =
                QString::fromUtf8(family->tableCsv()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const qsizetype header =
                lines.indexOf(QRegularExpression(QStringLiteral("^Qcap \\[p\\.u\\.\\];.*Margen QV.*")));
        QVERIFY2(header >= 0, qPrintable(lines.join(QLatin1Char('\n'))));
        QVERIFY2(lines.at(header + 1).contains(QStringLiteral(";5.64113702274202;")), qPrintable(lines.at(header + 1)));
    }

    // A saved table says which case it varies: the five inputs it keeps,
    // in lines as wide as the table's.
    void theCsvCarriesTheFixedInputs()
    {
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::Pcarga, "5", "10.48", 3);
        const QStringList lines =
                QString::fromUtf8(family->tableCsv()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5 + 1 + 3);
        QVERIFY2(lines.at(0).startsWith(QStringLiteral("X [p.u.];0.03;")), qPrintable(lines.at(0)));
        QVERIFY2(lines.at(1).startsWith(QStringLiteral("B [p.u.];3.33;")), qPrintable(lines.at(1)));
        QVERIFY2(lines.at(5).startsWith(QStringLiteral("Pcarga [p.u.];")), qPrintable(lines.at(5)));
        for (const QString &line : lines)
            QCOMPARE(line.count(QLatin1Char(';')), lines.at(5).count(QLatin1Char(';')));
    }

    // At the window's own size a family of 25 values shows all 26 entries
    // of its legend, each whole within the chart.
    void theLegendShowsEveryEntryAtTheWindowsSize()
    {
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::X, "0.03", "0.06", 25);
        QVERIFY(QTest::qWaitForWindowExposed(family));
        QCoreApplication::processEvents();
        StyledChart *chart = family->chartView()->styledChart();
        const QRectF inside = chart->sceneBoundingRect();
        QStringList shown;
        QList<QGraphicsItem *> items = chart->legend()->childItems();
        while (!items.isEmpty()) {
            QGraphicsItem *item = items.takeFirst();
            items << item->childItems();
            auto *label = qgraphicsitem_cast<QGraphicsTextItem *>(item);
            if (label && label->isVisible() && inside.contains(label->sceneBoundingRect()))
                shown << label->toPlainText();
        }
        QCOMPARE(family->chartView()->legendNames().size(), qsizetype(26));
        QStringList expected = family->chartView()->legendNames();
        expected.sort();
        shown.sort();
        QCOMPARE(shown, expected);
    }

    void legendNamesAreTheShortestThatTellTheValuesApart()
    {
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::Pcarga, "5", "10.48", 7);
        QStringList names;
        for (int id = 0; id < family->chartView()->count(); ++id) {
            const QString name = family->chartView()->name(id);
            if (family->chartView()->shown(id) && name.startsWith(QStringLiteral("Pcarga = ")))
                names << name;
        }
        QCOMPARE(names,
                 QStringList({ "Pcarga = 5", "Pcarga = 5.91", "Pcarga = 6.83", "Pcarga = 7.74", "Pcarga = 8.65",
                               "Pcarga = 9.57", "Pcarga = 10.48" }));
        // Never a rounding that could be read as a neighbour: 0.0375, not 0.038.
        family = Draw(window, InputBox::X, "0.03", "0.06", 5);
        names.clear();
        for (int id = 0; id < family->chartView()->count(); ++id) {
            const QString name = family->chartView()->name(id);
            if (family->chartView()->shown(id) && name.startsWith(QStringLiteral("X = ")))
                names << name;
        }
        QCOMPARE(names, QStringList({ "X = 0.03", "X = 0.0375", "X = 0.045", "X = 0.0525", "X = 0.06" }));
        family = Draw(window, InputBox::X, "0.00001", "0.00002", 3);
        names.clear();
        for (int id = 0; id < family->chartView()->count(); ++id) {
            const QString name = family->chartView()->name(id);
            if (family->chartView()->shown(id) && name.startsWith(QStringLiteral("X = ")))
                names << name;
        }
        QCOMPARE(names.size(), 3);
        QCOMPARE(names.removeDuplicates(), 0);
        for (const QString &name : names)
            QVERIFY2(name.size() <= 14, qPrintable(name));
    }

    void curvesReachTheirPointsInsideTheView()
    {
        MainWindow window(PointLocale());
        FamilyWindow *family = Draw(window, InputBox::Uinf, "1", "2", 5);
        const AxisRanges view = family->chartView()->ranges();
        int reached = 0;
        for (const FamilyMember &member : family->family()) {
            const QvResults &r = member.outcome.results;
            QVERIFY(r.HasSolution);
            for (const QPointF point : { QPointF(r.Q2sup, r.V2sup), QPointF(r.Q2inf, r.V2inf) }) {
                QVERIFY(point.x() >= view.xMin && point.x() <= view.xMax);
                QVERIFY2(point.y() >= view.yMin && point.y() <= view.yMax, qPrintable(QString::number(point.y())));
                // Some segment of a drawn system curve passes through the point.
                bool onCurve = false;
                for (int id = 0; id < family->chartView()->count(); ++id) {
                    const QString name = family->chartView()->name(id);
                    // System curves are named by their value; load curves are not.
                    if (!family->chartView()->shown(id) || !name.startsWith(QStringLiteral("Uinf = ")))
                        continue;
                    const QList<QPointF> points = family->chartView()->points(id);
                    for (qsizetype i = 1; i < points.size() && !onCurve; ++i) {
                        const QPointF a = points[i - 1], b = points[i];
                        if ((a.x() - point.x()) * (b.x() - point.x()) > 0 || a.x() == b.x())
                            continue;
                        const double v = a.y() + (b.y() - a.y()) * (point.x() - a.x()) / (b.x() - a.x());
                        onCurve = std::abs(v - point.y()) < 2e-3;
                    }
                }
                QVERIFY2(onCurve, qPrintable(QStringLiteral("%1 %2").arg(point.x()).arg(point.y())));
                ++reached;
            }
        }
        QCOMPARE(reached, 10);
    }
};

QTEST_MAIN(FamilyWindowTest)
#include "family_window_test.moc"
