// The chart as the place of the answers: the marks of a run, the values
// under the cursor, the note on an outdated picture, the large chart and
// the exports.
#include "core/number_format.h"
#include "core/number_reading.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_commands.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/chart_hover.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/picture_menu.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/chart/svg_device.h"
#include "ui/common/file_saving.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/main/export_commands.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsTextItem>
#include <QWheelEvent>
#include <QClipboard>
#include <QFileDialog>
#include <QTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QValueAxis>
#include <QXmlStreamReader>
#include <QAccessible>
#include <QScreen>
#include <QToolTip>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

// The default case's answers, as the run computes them.
const QPointF kUpper(-1.6620114192077677, 0.9991021252010436);
const QPointF kLower(-0.18266974497804908, 0.33122735174706636);
const QPointF kNose(5.038421333333334, 0.5906330163477148);

} // namespace

class ChartAnswersTest : public WidgetTestFixture
{
    Q_OBJECT

private slots:
    void marksStandAtTheRunsValues()
    {
        MainWindow window(PointLocale());
        QvChart *plot = window.chartView()->qvChart();
        // The three curves stay the first three series.
        QCOMPARE(plot->series().at(2), static_cast<QAbstractSeries *>(plot->curve(Curve::LoadCharacteristic)));
        QCOMPARE(plot->mark(Mark::UpperPoint)->points(), QList<QPointF>{ kUpper });
        QCOMPARE(plot->mark(Mark::LowerPoint)->points(), QList<QPointF>{ kLower });
        QCOMPARE(plot->mark(Mark::Nose)->points(), QList<QPointF>{ kNose });
        QCOMPARE(plot->mark(Mark::Margin)->points(),
                 (QList<QPointF>{ QPointF(kNose.x() - 5.619252187733334, kNose.y()), kNose }));
        QCOMPARE(plot->mark(Mark::MinimumVoltage)->points(),
                 (QList<QPointF>{ QPointF(-4, 0.3144), QPointF(6, 0.3144) }));
        QCOMPARE(plot->mark(Mark::Nose)->name(), QStringLiteral("Punto crítico"));

        // Without a solution: no point marks; the nose stays.
        SetInputs(window, { "3", "333", "100", "1048", "0", "0" });
        m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QCOMPARE(plot->mark(Mark::UpperPoint)->count(), 0);
        QCOMPARE(plot->mark(Mark::LowerPoint)->count(), 0);
        QCOMPARE(plot->mark(Mark::Nose)->count(), 1);
    }

    // The description gives each operating point's voltage and power in their places.
    void theDescriptionGivesEachPointsValues()
    {
        MainWindow window(CommaLocale());
        const QString description = window.chartView()->accessibleDescription();
        QVERIFY2(description.contains(
                         QStringLiteral("Punto de operación superior: V2 = 0,9991 p.u., Q2 = -1,662 p.u. "
                                        "Punto de operación inferior: V2 = 0,3312 p.u., Q2 = -0,1827 p.u.")),
                 qPrintable(description));
        QVERIFY2(!description.contains(QStringLiteral("..")), qPrintable(description));
    }

    void hoverNamesWhatIsUnderTheCursor()
    {
        MainWindow window(CommaLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QvChart *plot = window.chartView()->qvChart();
        const auto at = [plot](const QPointF &value) { return plot->mapToScene(plot->mapToPosition(value)); };
        QCOMPARE(HoverTextAt(*plot, at(kUpper) + QPointF(3, 2)),
                 QStringLiteral("Punto superior\nQ = -1,66201141920777  V = 0,999102125201044"));
        // Away from everything: the coordinates to four decimals.
        const QString there = HoverTextAt(*plot, at(QPointF(3, 1.1)));
        QVERIFY2(there.startsWith(QStringLiteral("Q = 3  ")) && there.endsWith(QStringLiteral("V = 1,1")),
                 qPrintable(there));
        QCOMPARE(HoverTextAt(*plot, QPointF(-50, -50)), QString()); // outside the plot

        // Moving the mouse shows it.
        QTest::mouseMove(window.chartView()->viewport(), window.chartView()->mapFromScene(at(kLower)));
        QVERIFY(plot->hoverText().startsWith(QStringLiteral("Punto inferior")));
    }

    void aPictureThatIsNotTheCurrentCaseSaysSo()
    {
        MainWindow window(PointLocale());
        QvChart *plot = window.chartView()->qvChart();
        QCOMPARE(plot->note(), QString());
        window.inputBox(InputBox::X)->setText(QStringLiteral("0"));
        m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QCOMPARE(plot->note(), QStringLiteral("Gráfico del cálculo anterior"));
        Trigger(window, "mnuGraficoAmpliado");
        QCOMPARE(window.largeChart()->view()->qvChart()->note(), QStringLiteral("Gráfico del cálculo anterior"));
        window.findChild<QPushButton *>(QStringLiteral("cmdValoresDefault"))->click();
        QCOMPARE(plot->note(), QString());
        QCOMPARE(window.largeChart()->view()->qvChart()->note(), QString());
        // Open before the run: it follows the failure too, for screen readers as well.
        window.inputBox(InputBox::X)->setText(QStringLiteral("0"));
        m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QCOMPARE(window.largeChart()->view()->qvChart()->note(), QStringLiteral("Gráfico del cálculo anterior"));
        QVERIFY(window.largeChart()->view()->accessibleDescription().startsWith(
                QStringLiteral("Gráfico del cálculo anterior. ")));

        // A start-up that never reached the chart shows the sample content.
        m_watchdog->expect();
        MainWindow failed(PointLocale(), StartUpSets{ { "x", "1", "1", "1", "1", "1" }, {} });
        QCOMPARE(failed.chartView()->qvChart()->note(), QStringLiteral("Sin resultados"));
    }

    void largeChartFollowsEveryRun()
    {
        MainWindow window(PointLocale());
        QCOMPARE(window.menuBar()->actions().at(1)->menu()->objectName(), QStringLiteral("mnuVer"));
        Trigger(window, "mnuGraficoAmpliado");
        LargeChartWindow *large = window.largeChart();
        QVERIFY(large && large->isVisible());
        QCOMPARE(large->objectName(), QStringLiteral("frmGrafico"));
        Trigger(window, "mnuGraficoAmpliado");
        QCOMPARE(window.largeChart(), large); // one window

        window.inputBox(InputBox::Qcarga)->setText(QStringLiteral("1"));
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QvChart *plot = large->view()->qvChart();
        QCOMPARE(plot->curve(Curve::LoadCharacteristic)->points(),
                 window.chartView()->series(Curve::LoadCharacteristic)->points());
        QCOMPARE(plot->mark(Mark::UpperPoint)->points(),
                 window.chartView()->qvChart()->mark(Mark::UpperPoint)->points());
        // Fitted: every curve point inside the axes.
        for (const Curve curve : kCurves) {
            for (const QPointF &point : plot->curve(curve)->points()) {
                QVERIFY(point.x() >= plot->axisX()->min() && point.x() <= plot->axisX()->max());
                QVERIFY(point.y() >= plot->axisY()->min() && point.y() <= plot->axisY()->max());
            }
        }
        const AxisRanges fitted = RangesOf(*plot);
        large->findChild<QPushButton *>(QStringLiteral("cmdEjesPrincipales"))->click();
        QCOMPARE(RangesOf(*plot), RangesOf(*window.chartView()->qvChart()));
        QTest::keyClick(large->view(), Qt::Key_Escape);
        QCOMPARE(RangesOf(*plot), fitted);
    }

    void largeChartKeepsTheWindowsSpellingWhenZoomed()
    {
        // Qt remakes the tick labels as a zoom changes the ticks; they stay
        // in ASCII digits with the regional separator.
        const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
        MainWindow window(arabic);
        Trigger(window, "mnuGraficoAmpliado");
        LargeChartView *view = window.largeChart()->view();
        QVERIFY(QTest::qWaitForWindowExposed(window.largeChart()));
        QCOMPARE(view->qvChart()->locale().decimalPoint(), arabic.decimalPoint());
        QString all;
        for (int turn = 0; turn < 6; ++turn) {
            const QPoint centre = view->viewport()->rect().center();
            QWheelEvent wheel(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view->viewport(), &wheel);
            view->viewport()->repaint();
            for (QGraphicsItem *item : view->scene()->items()) {
                if (auto *text = dynamic_cast<QGraphicsTextItem *>(item); text && text->isVisible()) {
                    all += text->toPlainText() + QLatin1Char('|');
                }
            }
        }
        QCOMPARE(view->mode(), LargeChartView::Mode::Zoomed);
        QVERIFY2(all.contains(arabic.decimalPoint()), qPrintable(all));
        for (const QChar c : all)
            QVERIFY2(!c.isDigit() || c.unicode() < 0x80, qPrintable(all));
    }

    // The wheel leaves the cursor where it is: its readout follows what is
    // now under it, with the decimals that tell neighbouring pixels apart.
    void theReadoutFollowsTheWheelDownToAPixel()
    {
        MainWindow window(PointLocale());
        Trigger(window, "mnuGraficoAmpliado");
        LargeChartView *view = window.largeChart()->view();
        QVERIFY(QTest::qWaitForWindowExposed(window.largeChart()));
        QvChart *plot = view->qvChart();
        // Above the curves, where nothing is named.
        const QPoint cursor = view->mapFromScene(plot->mapToScene(plot->mapToPosition(QPointF(-3, 1.15))));
        QTest::mouseMove(view->viewport(), cursor);
        for (int turn = 0; turn < 300; ++turn) {
            QWheelEvent wheel(cursor, view->viewport()->mapToGlobal(cursor), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view->viewport(), &wheel);
            const QPointF scene = view->mapToScene(cursor);
            QCOMPARE(plot->hoverText(), HoverTextAt(*plot, scene));
        }
        const QPointF scene = view->mapToScene(cursor);
        const QString here = HoverTextAt(*plot, scene);
        QVERIFY2(here.startsWith(QStringLiteral("Q = ")), qPrintable(here));
        for (const QPointF step : { QPointF(1, 0), QPointF(0, 1) })
            QVERIFY2(HoverTextAt(*plot, scene + step) != here, qPrintable(here));
    }

    // A picture that cannot be made says why, not that memory ran out, and
    // the window goes on.
    void aPictureThatCannotBeMadeSaysWhy()
    {
        QWidget parent;
        m_watchdog->expect();
        RunTold(&parent, [] { throw SvgUnavailable("falta el módulo que escribe SVG"); });
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QCOMPARE(m_watchdog->seen().front().text, QStringLiteral("falta el módulo que escribe SVG"));
        QCOMPARE(m_watchdog->seen().front().icon, QMessageBox::Warning);
    }

    void exportsAreWrittenAndReadBack_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << PointLocale();
        QTest::newRow("comma") << CommaLocale();
    }
    void exportsAreWrittenAndReadBack()
    {
        QFETCH(QLocale, locale);
        const RegionalSettings regional = RegionalOf(locale);
        MainWindow window(locale);
        // Each picture says which case it shows and prints across an A4 page.
        const QString caption =
                QStringLiteral("Caso: X = %1; B = %2; Uinf = 1; Pcarga = %3; Qcarga = 0; Qcap = 0 [p.u.]")
                        .arg(Spelt(locale, "0.03"), Spelt(locale, "3.33"), Spelt(locale, "10.48"));
        QVERIFY(window.exportCommands().saveChart(QStringLiteral("grafico.png")));
        QVERIFY(FileBytes(QStringLiteral("grafico.png")).startsWith("\x89PNG\r\n"));
        const QImage png(QStringLiteral("grafico.png"));
        QCOMPARE(qRound(png.width() * 1000.0 / png.dotsPerMeterX()), 297);
        QCOMPARE(qRound(png.height() * 1000.0 / png.dotsPerMeterY()), 210);
        // The upper branch, where a column crosses it, is as wide as on the
        // PDF (one page pixel, two image pixels), not a hairline.
        double green = 0;
        for (int y = 0; y < png.height(); ++y) {
            const QColor pixel = png.pixelColor(png.width() * 5 / 8, y);
            if (pixel.green() > pixel.red() + 20 && pixel.green() > pixel.blue() + 20)
                green += (255 - pixel.red()) / 255.0;
        }
        QVERIFY2(green > 1.6 && green < 2.6, qPrintable(QString::number(green)));
        QVERIFY(window.exportCommands().saveChart(QStringLiteral("grafico.pdf")));
        const QByteArray pdf = FileBytes(QStringLiteral("grafico.pdf"));
        QVERIFY(pdf.startsWith("%PDF-"));
        // One page, A4 across: 297 by 210 mm in points.
        const QRegularExpression box(QStringLiteral("/MediaBox \\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"));
        const QString pdfText = QString::fromLatin1(pdf);
        QCOMPARE(pdfText.count(box), 1);
        const QRegularExpressionMatch page = box.match(pdfText);
        QCOMPARE(qRound(page.captured(1).toDouble() * 25.4 / 72), 297);
        QCOMPARE(qRound(page.captured(2).toDouble() * 25.4 / 72), 210);
        QVERIFY(window.exportCommands().saveChart(QStringLiteral("grafico.svg")));
        QXmlStreamReader svg(FileBytes(QStringLiteral("grafico.svg")));
        QString svgWidth, svgHeight, svgText;
        while (!svg.atEnd()) {
            svg.readNext();
            if (svg.isStartElement() && svg.name() == QLatin1String("svg")) {
                svgWidth = svg.attributes().value(QLatin1String("width")).toString();
                svgHeight = svg.attributes().value(QLatin1String("height")).toString();
            }
            if (svg.isCharacters())
                svgText += svg.text();
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QCOMPARE(svgWidth, QStringLiteral("297mm"));
        QCOMPARE(svgHeight, QStringLiteral("210mm"));
        QVERIFY2(svgText.contains(caption), qPrintable(svgText.right(400)));

        // The curves: the case first, then 15 significant digits with the
        // regional separator, every line of the same number of fields.
        QVERIFY(window.exportCommands().saveCurves(QStringLiteral("curvas.csv")));
        const QByteArray csv = FileBytes(QStringLiteral("curvas.csv"));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString()); // the last line end leaves an empty piece
        for (const QString &line : lines)
            QCOMPARE(line.count(QLatin1Char(';')), 8);
        QCOMPARE(lines.at(0).section(QLatin1Char(';'), 0, 1), QStringLiteral("X [p.u.];") + Spelt(locale, "0.03"));
        QCOMPARE(lines.at(3).section(QLatin1Char(';'), 0, 1),
                 QStringLiteral("Pcarga [p.u.];") + Spelt(locale, "10.48"));
        QCOMPARE(lines.at(5).section(QLatin1Char(';'), 0, 1), QStringLiteral("Qcap [p.u.];0"));
        lines = lines.mid(6);
        QVERIFY(lines.front().startsWith(QStringLiteral("Q2 rama inferior [p.u.];V2 rama inferior [p.u.];")));
        QCOMPARE(lines.size(), 1 + 300);
        const auto read = [&regional](const QString &text) {
            return *ReadRegionalNumber(text.toStdString(), regional);
        };
        const ChartGrid &grid = window.chartView()->grid();
        for (int row = 0; row < 300; row += 23) {
            const QStringList fields = lines.at(1 + row).split(QLatin1Char(';'));
            for (int column = 0; column < 6; ++column)
                QCOMPARE(read(fields.at(column)), grid.value(row, column));
        }
        const QStringList upper = lines.at(1).split(QLatin1Char(';'));
        QCOMPARE(upper.at(6), QStringLiteral("Punto superior"));
        QCOMPARE(read(upper.at(7)), ToFifteenDigitValue(kUpper.x()));
        QCOMPARE(read(lines.at(3).split(QLatin1Char(';')).at(8)), ToFifteenDigitValue(kNose.y()));

        // The results, for a spreadsheet.
        Trigger(window, "mnuCopiarResultados");
        const QStringList results = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(results.size(), 13);
        QCOMPARE(results.at(8), "V2 sup\t" + QString::fromStdString(ToGeneralText(kUpper.y(), regional)) + "\tp.u.");
        QCOMPARE(results.at(12),
                 "Margen QV\t" + QString::fromStdString(ToGeneralText(5.64113702274202, regional)) + "\tp.u.");
        Trigger(window, "mnuCopiarGrafico");
        QVERIFY(!QGuiApplication::clipboard()->image().isNull());
    }

    void theSaveDialogGivesTheChosenTypesEndingAndRemembersTheFolder()
    {
        QWidget parent;
        QDir(m_folder->path()).mkdir(QStringLiteral("informes"));
        const QString folder = QDir(m_folder->path()).filePath(QStringLiteral("informes"));
        QString opened;
        const auto answer = [&opened](const QString &name, const QString &type = QString()) {
            QTimer::singleShot(0, [&opened, name, type] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                opened = dialog->directory().absolutePath();
                if (!type.isEmpty())
                    dialog->selectNameFilter(type);
                // Typed into the name box, which has the focus, as a user would.
                QVERIFY(QTest::qWaitForWindowActive(dialog));
                auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                QVERIFY(edit);
                edit->selectAll();
                QTest::keyClicks(edit, name);
                QTest::keyClick(edit, Qt::Key_Return);
            });
        };
        const QStringList types{ QStringLiteral("Imagen PNG (*.png)"),
                                 QStringLiteral("Gráfico vectorial SVG (*.svg)") };
        answer(QDir(folder).filePath(QStringLiteral("foto.jpg")));
        QCOMPARE(AskSavePath(&parent, QStringLiteral("Guardar"), QStringLiteral("a.png"), types),
                 QDir(folder).filePath(QStringLiteral("foto.jpg.png")));
        QCOMPARE(opened, QDir::current().absolutePath());
        // The next dialog opens where the last save went, not where one failed.
        QVERIFY(SaveWhole(&parent, QDir(folder).filePath(QStringLiteral("foto.jpg.png")), "png"));
        QDir(m_folder->path()).mkdir(QStringLiteral("otra"));
        const QString other = QDir(m_folder->path()).filePath(QStringLiteral("otra"));
        answer(QDir(other).filePath(QStringLiteral("foto.png")));
        const QString failing = AskSavePath(&parent, QStringLiteral("Guardar"), QStringLiteral("a.png"), types);
        QCOMPARE(opened, folder);
        QVERIFY(QDir(other).mkdir(QStringLiteral("foto.png"))); // a folder where the file would go
        m_watchdog->expect(1);
        QVERIFY(!SaveWhole(&parent, failing, "png"));
        answer(QStringLiteral("plano.SVG"));
        QCOMPARE(AskSavePath(&parent, QStringLiteral("Guardar"), QStringLiteral("a.png"), types),
                 QDir(folder).filePath(QStringLiteral("plano.SVG")));
        QCOMPARE(opened, folder);
        answer(QStringLiteral("curvas"));
        QCOMPARE(AskSavePath(&parent, QStringLiteral("Guardar"), QStringLiteral("a.png"), types),
                 QDir(folder).filePath(QStringLiteral("curvas.png")));
        // Another ending gets the type chosen, not the first one offered.
        answer(QStringLiteral("foto.jpg"), types.at(1));
        QCOMPARE(AskSavePath(&parent, QStringLiteral("Guardar"), QStringLiteral("a.png"), types),
                 QDir(folder).filePath(QStringLiteral("foto.jpg.svg")));
    }

    void theCurvesOfThePreviousCaseSaySo()
    {
        MainWindow window(CommaLocale());
        // A reactance this small fails at the chart's scale, after
        // "salida.txt" has been written: the chart keeps the previous case.
        window.inputBox(InputBox::X)->setText(QStringLiteral("1e-6"));
        m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QVERIFY(window.exportCommands().saveCurves(QStringLiteral("anteriores.csv")));
        const QStringList lines =
                QString::fromUtf8(FileBytes(QStringLiteral("anteriores.csv")).mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(0), QStringLiteral("X [p.u.];0,03;;;;;;;"));
        QCOMPARE(lines.at(6), QStringLiteral("Nota;Gráfico del cálculo anterior;;;;;;;"));
        QVERIFY(lines.at(7).startsWith(QStringLiteral("Q2 rama inferior")));
    }

    void aFailedExportLeavesTheFileWhole()
    {
        MainWindow window(PointLocale());
        {
            QFile old(QStringLiteral("grafico.png"));
            old.open(QIODevice::WriteOnly);
            old.write("old picture");
        }
        // A file-size limit stands in for a full disk, for root too.
        m_watchdog->expect();
        bool saved_ = true;
        {
            const tarvilo::testing::FileSizeLimit limit(1024);
            saved_ = window.exportCommands().saveChart(QStringLiteral("grafico.png"));
        }
        QVERIFY(!saved_);
        QCOMPARE(FileBytes(QStringLiteral("grafico.png")), QByteArray("old picture"));
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QVERIFY(m_watchdog->seen().front().text.contains(QDir::current().filePath(QStringLiteral("grafico.png"))));
    }

    // Every chart, the main one, the large one, the family's and the P-V
    // curve's, copies and saves itself from its context menu; a save that
    // fails leaves the old file whole.
    void everyChartCopiesAndSavesItsPicture()
    {
        MainWindow window(PointLocale());
        Trigger(window, "mnuGraficoAmpliado");
        Trigger(window, "mnuFamilia");
        Trigger(window, "mnuCurvaPV");
        const QList<QWidget *> views{ window.chartView(), window.largeChart()->view(),
                                      window.findChild<QWidget *>(QStringLiteral("grfFamilia")),
                                      window.findChild<QWidget *>(QStringLiteral("grfCurvaPV")) };
        for (QWidget *view : views) {
            QVERIFY(view);
            const QString name = view->objectName();
            QCOMPARE(view->contextMenuPolicy(), Qt::ContextMenuPolicy(Qt::ActionsContextMenu));
            QStringList texts;
            for (QAction *action : view->actions())
                texts << action->text();
            QCOMPARE(texts, (QStringList{ "&Copiar imagen", "&Guardar imagen..." }));
            QVERIFY(view->actions().at(0)->isEnabled() && view->actions().at(1)->isEnabled());

            QGuiApplication::clipboard()->clear();
            view->actions().at(0)->trigger();
            QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(2246, 1588));

            // The dialog answered with the file's name.
            const QString file = name + QStringLiteral(".png");
            const std::function<void()> answer = [file, &answer] {
                QTimer::singleShot(20, [file, &answer] {
                    for (QWidget *top : QApplication::topLevelWidgets()) {
                        auto *dialog = qobject_cast<QFileDialog *>(top);
                        if (dialog && dialog->isVisible()) {
                            // The replace question is Qt's own, answered yes.
                            dialog->setOption(QFileDialog::DontConfirmOverwrite);
                            // The dialog leaves the name box alone while it has the focus.
                            if (QWidget *focused = dialog->focusWidget())
                                focused->clearFocus();
                            dialog->selectFile(QDir::current().filePath(file));
                            QMetaObject::invokeMethod(dialog, "accept");
                            return;
                        }
                    }
                    answer(); // not open yet
                });
            };
            answer();
            view->actions().at(1)->trigger();
            QVERIFY2(FileBytes(file).startsWith("\x89PNG"), qPrintable(name));

            // A file-size limit stands in for a full disk, for root too.
            {
                QFile old(file);
                QVERIFY(old.open(QIODevice::WriteOnly));
                old.write("old picture");
            }
            m_watchdog->expect();
            answer();
            {
                const tarvilo::testing::FileSizeLimit limit(1024);
                view->actions().at(1)->trigger();
            }
            QCOMPARE(FileBytes(file), QByteArray("old picture"));
            QVERIFY2(m_watchdog->sawAllExpected(), qPrintable(name));
        }
    }

    void valueLabelsCanBeCopiedAndShowWholeWhenCut()
    {
        MainWindow window(PointLocale());
        QLabel *margin = window.resultLabel(ResultLabel::MargenQ2);
        // Selectable once the pointer comes over a value, or at a first
        // press (a touch), which already selects.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(margin, &enter);
        QVERIFY(margin->textInteractionFlags() & Qt::TextSelectableByMouse);
        QLabel *minimum = window.resultLabel(ResultLabel::V2min);
        QTest::mouseDClick(minimum, Qt::LeftButton, {}, QPoint(4, minimum->height() / 2));
        QCOMPARE(minimum->selectedText(), minimum->text().mid(1)); // the digits after the point
        QCOMPARE(margin->toolTip(), QString());
        // Absurd loads give a margin of hundreds of digits before the sweep fails.
        SetInputs(window, { "0.03", "3.33", "1", "1e100", "0", "0" });
        m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QVERIFY(margin->text().size() > 100);
        // Whole, in lines that each fit on the screen.
        QCOMPARE(margin->toolTip().remove(QLatin1Char('\n')), margin->text());
        const int screenWidth = margin->screen()->availableGeometry().width();
        QVERIFY(QFontMetrics(QToolTip::font()).horizontalAdvance(margin->text()) > screenWidth);
        for (const QString &line : margin->toolTip().split(QLatin1Char('\n')))
            QVERIFY2(QFontMetrics(QToolTip::font()).horizontalAdvance(line) < screenWidth, qPrintable(line));
        QCOMPARE(QAccessible::queryAccessibleInterface(margin)->text(QAccessible::Value), margin->text());
    }
};

QTEST_MAIN(ChartAnswersTest)
#include "chart_answers_test.moc"
