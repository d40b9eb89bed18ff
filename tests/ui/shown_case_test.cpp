// What the main window shows, as a value, without a window: the exports
// made from it, the ranges that fit it, and the widgets that own their
// rules (an input box's "Error", the chart's activation).
#include "core/single_case.h"
#include "document/case_file.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/chart_picture.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/chart/shown_case.h"
#include "ui/main/kept_cases.h"
#include "ui/main/main_window.h"
#include "ui/main/number_input_box.h"
#include "ui/main/result_exports.h"

#include <QSignalSpy>
#include <QTest>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

const QvInputs kCase{ 0.03, 3.33, 1.0, 10.48, 0.0, 0.0 };

// The value a run of the case leaves, with its results frame written whole.
ShownCase ShownAfterRun(const QvInputs &inputs)
{
    const CaseOutcome outcome = CalculateCase(inputs);
    ShownCase shown;
    shown.loaded = true;
    shown.grid = ChartGrid(outcome.curves);
    shown.inputs = inputs;
    shown.results = outcome.results;
    shown.marks = MarksOf(inputs, outcome.results);
    shown.frame.labelInputs = inputs;
    for (const ResultLabel label : kResultLabels) {
        shown.frame.values[static_cast<size_t>(label)] = ResultValue(outcome.results, label);
        shown.frame.writtenByLastRun[static_cast<size_t>(label)] = true;
    }
    return shown;
}

QStringList LinesWith(const QString &text, const QString &part)
{
    return text.split(QLatin1Char('\n')).filter(part);
}

} // namespace

class ShownCaseTest : public WidgetTestFixture
{
    Q_OBJECT

private slots:
    // The ranges that fit the value reach every curve drawn: the kept
    // cases' too.
    void fittedRangesReachKeptCases_data()
    {
        QTest::addColumn<double>("keptUinf");
        QTest::addColumn<double>("keptQcap");
        QTest::addColumn<bool>("beyondTheCase");
        QTest::newRow("a kept case reaching further") << 1.6 << 0.0 << true;
        QTest::newRow("a kept case within") << 1.0 << 0.5 << false;
    }
    void fittedRangesReachKeptCases()
    {
        QFETCH(double, keptUinf);
        QFETCH(double, keptQcap);
        QFETCH(bool, beyondTheCase);
        ShownCase shown = ShownAfterRun(kCase);
        QvInputs other = kCase;
        other.Uinf = keptUinf;
        other.Qcap = keptQcap;
        const ChartGrid kept(CalculateCase(other).curves);
        const auto reachesKept = [&kept](const AxisRanges &ranges) {
            for (const Curve curve : kCurves) {
                for (const QPointF &point : kept.points(curve)) {
                    if (point.x() < ranges.xMin || point.x() > ranges.xMax || point.y() > ranges.yMax)
                        return false;
                }
            }
            return true;
        };
        QCOMPARE(reachesKept(FittedRanges(shown)), !beyondTheCase);
        shown.kept.push_back({ 0, kept, QStringLiteral("Uinf") });
        QVERIFY(reachesKept(FittedRanges(shown)));
    }

    // The curves' file says when they are the previous calculation's.
    void curvesNameTheNote()
    {
        ShownCase shown = ShownAfterRun(kCase);
        const RegionalSettings regional = RegionalOf(PointLocale());
        QVERIFY(!QString::fromUtf8(CurvesCsv(shown, regional)).contains(QStringLiteral("Nota")));
        shown.note = QStringLiteral("Gráfico del cálculo anterior");
        QCOMPARE(LinesWith(QString::fromUtf8(CurvesCsv(shown, regional)), QStringLiteral("Nota")).size(), 1);
    }

    // The copied results mark exactly the values the last run did not write.
    void copiedResultsMarkThePreviousValues_data()
    {
        QTest::addColumn<int>("notWritten");
        QTest::newRow("V2 sup") << static_cast<int>(ResultLabel::V2sup);
        QTest::newRow("Q2 inf") << static_cast<int>(ResultLabel::Q2inf);
    }
    void copiedResultsMarkThePreviousValues()
    {
        QFETCH(int, notWritten);
        ShownCase shown = ShownAfterRun(kCase);
        shown.frame.writtenByLastRun[static_cast<size_t>(notWritten)] = false;
        const QString table = ResultsTable(shown, RegionalOf(PointLocale()));
        const QStringList previous = LinesWith(table, QStringLiteral("del cálculo anterior"));
        QCOMPARE(previous.size(), 1);
        QVERIFY2(previous.front().startsWith(notWritten == static_cast<int>(ResultLabel::V2sup) ? "V2 sup" : "Q2 inf"),
                 qPrintable(previous.front()));
    }

    // The picture names each kept case in its legend, with the value's own spelling.
    void pictureNamesKeptCases()
    {
        ShownCase shown = ShownAfterRun(kCase);
        QvInputs other = kCase;
        other.Qcap = 0.5;
        const QLocale spanish(QLocale::Spanish, QLocale::Spain);
        const RegionalSettings regional = RegionalOf(spanish);
        shown.kept.push_back({ 0, ChartGrid(CalculateCase(other).curves), DifferenceName(other, kCase, regional) });
        const QByteArray svg = ChartPicture(shown, { spanish, regional }, FittedRanges(shown), PictureFormat::Svg);
        QVERIFY(svg.contains("Qcap = 0,5"));
    }

    // Enter, the space bar and a double click ask for the large chart; other keys do not.
    void chartIsActivatedByEnterSpaceAndDoubleClick_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("activations");
        QTest::newRow("Return") << static_cast<int>(Qt::Key_Return) << 1;
        QTest::newRow("Enter") << static_cast<int>(Qt::Key_Enter) << 1;
        QTest::newRow("Space") << static_cast<int>(Qt::Key_Space) << 1;
        QTest::newRow("A") << static_cast<int>(Qt::Key_A) << 0;
        QTest::newRow("Escape") << static_cast<int>(Qt::Key_Escape) << 0;
        QTest::newRow("double click") << 0 << 1;
    }
    void chartIsActivatedByEnterSpaceAndDoubleClick()
    {
        QFETCH(int, key);
        QFETCH(int, activations);
        QvChartView view(PointLocale(), RegionalOf(PointLocale()));
        view.resize(360, 320);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy activated(&view, &QvChartView::activated);
        if (key == 0)
            QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(180, 160));
        else
            QTest::keyClick(&view, static_cast<Qt::Key>(key));
        QCOMPARE(activated.size(), activations);
    }

    // A box's text that is not a number becomes "Error" by itself, and the
    // box tells each change once it has checked it.
    void inputBoxOwnsTheErrorRule_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("a number") << PointLocale() << "0.25"
                                  << "0.25";
        QTest::newRow("a Spanish number") << QLocale(QLocale::Spanish, QLocale::Spain) << "1,5"
                                          << "1,5";
        QTest::newRow("a point under Spanish settings groups") << QLocale(QLocale::Spanish, QLocale::Spain) << "1.500"
                                                               << "1.500";
        QTest::newRow("letters") << PointLocale() << "abc"
                                 << "Error";
        QTest::newRow("empty") << PointLocale() << ""
                               << "Error";
        QTest::newRow("beyond the doubles") << PointLocale() << "1e999"
                                            << "Error";
    }
    void inputBoxOwnsTheErrorRule()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        NumberInputBox box(QStringLiteral("1"), RegionalOf(locale));
        QSignalSpy checked(&box, &NumberInputBox::checkedChange);
        box.setText(typed);
        QCOMPARE(box.text(), kept);
        QCOMPARE(checked.size(), 1);
    }

    // A step gives a number: the box keeps it, and tells the change.
    void steppedTextIsKept()
    {
        NumberInputBox box(QStringLiteral("0.5"), RegionalOf(PointLocale()));
        QSignalSpy checked(&box, &NumberInputBox::checkedChange);
        box.setCursorPosition(1);
        QVERIFY(box.step(1));
        QCOMPARE(box.text(), QStringLiteral("1.5"));
        QCOMPARE(checked.size(), 1);
    }

    // A case opened through the window's case interface is what the window
    // then holds, and its run shows it.
    void openedCaseIsTheCurrentCase_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::addColumn<int>("keptCount");
        QTest::addColumn<bool>("family");
        QTest::newRow("the inputs alone") << false << 0 << false;
        QTest::newRow("two kept cases, kept") << true << 2 << false;
        QTest::newRow("two kept cases, hidden") << false << 2 << false;
        QTest::newRow("a family") << false << 0 << true;
    }
    void openedCaseIsTheCurrentCase()
    {
        QFETCH(bool, keep);
        QFETCH(int, keptCount);
        QFETCH(bool, family);
        CaseDocument document;
        document.inputs = { 0.05, 3.33, 1.05, 7.0, 0.5, 0.25 };
        document.keepCases = keep;
        for (int i = 0; i < keptCount; ++i)
            document.kept.push_back({ 0.05, 3.33, 1.0 - 0.05 * i, 7.0, 0.5, 0.0 });
        if (family)
            document.family = CaseFamily{ InputBox::Qcap, 0.0, 1.0, 3 };
        MainWindow window(PointLocale());
        QCOMPARE(window.openCase(document), std::nullopt);
        QVERIFY(SameCase(window.currentCase(), document));
        QCOMPARE(window.shownCase().inputs.Uinf, 1.05);
        QCOMPARE(window.shownCase().kept.size(), static_cast<size_t>(keep ? keptCount : 0));
        QCOMPARE(window.familyWindow() != nullptr, family);
    }
};

QTEST_MAIN(ShownCaseTest)
#include "shown_case_test.moc"
