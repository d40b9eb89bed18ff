// The window "Márgenes y compensación": the sensitivities it shows against
// a difference quotient of the operating point, the sizing's targets reached
// on the upper branch or refused in words, "Aplicar" and a failed run.
#include "core/goal_seek.h"
#include "core/number_format.h"
#include "core/number_reading.h"
#include "core/operating_points.h"
#include "core/qv_model.h"
#include "tests/support/access_keys.h"
#include "tests/support/default_inputs.h"
#include "tests/support/previous_look.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/window_fixture.h"
#include "ui/margins/margins_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace tarvilo;
using namespace tarvilo::testing;

Q_DECLARE_METATYPE(tarvilo::QvInputs)
Q_DECLARE_METATYPE(tarvilo::GoalTarget)
Q_DECLARE_METATYPE(tarvilo::GoalInput)

namespace {

QString Text(const QWidget *window, const QString &name)
{
    const auto *label = window->findChild<QLabel *>(name);
    return label ? label->text() : QStringLiteral("(no label %1)").arg(name);
}

// A label's number under "." settings: "-,0355" is -0.0355.
double Value(const QWidget *window, const QString &name)
{
    const auto value = ReadRegionalNumber(Text(window, name).toStdString(), PointSettings());
    return value ? *value : NAN;
}

QvResults ResultsOf(const QvInputs &inputs)
{
    QvResults results;
    ComputeCriticalPoint(inputs, results);
    SolveOperatingPoints(inputs, results);
    return results;
}

// V2 at the upper or the lower point, or NaN without one.
double Voltage(const QvInputs &inputs, bool upper)
{
    const QvResults results = ResultsOf(inputs);
    return results.HasSolution ? (upper ? results.V2sup : results.V2inf) : NAN;
}

void Choose(MarginsWindow &window, GoalTarget target, const QString &goal, GoalInput input)
{
    window.setSizing({ target, goal, input });
    window.findChild<QPushButton *>(QStringLiteral("cmdBuscar"))->click();
}

} // namespace

class MarginsWindowTest : public WidgetTestFixture
{
    Q_OBJECT

private:
    MarginsWindow *open(MainWindow &window)
    {
        window.findChild<QAction *>(QStringLiteral("mnuMargenes"))->trigger();
        return window.marginsWindow();
    }
    void calculate(MainWindow &window, const QStringList &texts, bool fails)
    {
        SetInputs(window, texts);
        if (fails)
            m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QTRY_VERIFY(m_watchdog->sawAllExpected());
    }

private slots:
    void eachAccessKeyNamesOneControl()
    {
        MarginsWindow window(PointSettings());
        QCOMPARE(RepeatedAccessKeys(window), QStringList());
    }

    // Each sensitivity shown, at both points, is the slope of that point's
    // voltage as the load changes, sign included.
    void sensitivitiesAreTheSlopesOfTheOperatingPoints_data()
    {
        QTest::addColumn<QvInputs>("inputs");
        QTest::newRow("default") << DefaultCase();
        QTest::newRow("near the nose") << Inputs(0.1, 0, 1, 4.9, 0, 0);
        QTest::newRow("capacitive load") << Inputs(0.1, 0, 1, 2, -1.5, 0);
        QTest::newRow("generator") << Inputs(0.2441, 0.193, 1, -1.5019, 0, 0);
        QTest::newRow("bank and inductive load") << Inputs(0.2, 1, 1.05, 1, 0.6, 0.8);
    }
    void sensitivitiesAreTheSlopesOfTheOperatingPoints()
    {
        QFETCH(QvInputs, inputs);
        MarginsWindow window(PointSettings());
        window.showRun(inputs, ResultsOf(inputs));
        const struct
        {
            const char *label;
            double QvInputs::*load;
            bool upper;
        } rows[] = {
            { "lbldV2dQcargaSup", &QvInputs::Qcarga, true },
            { "lbldV2dQcargaInf", &QvInputs::Qcarga, false },
            { "lbldV2dPcargaSup", &QvInputs::Pcarga, true },
            { "lbldV2dPcargaInf", &QvInputs::Pcarga, false },
        };
        for (const auto &row : rows) {
            const double h = 1e-6;
            QvInputs up = inputs, down = inputs;
            up.*row.load += h;
            down.*row.load -= h;
            const double slope = (Voltage(up, row.upper) - Voltage(down, row.upper)) / (2 * h);
            const double shown = Value(&window, QString::fromLatin1(row.label));
            QVERIFY2(std::isfinite(slope) && std::abs(shown - slope) <= 0.6e-4 + 1e-4 * std::abs(slope),
                     qPrintable(QStringLiteral("%1: shown %2, slope %3")
                                        .arg(QString::fromLatin1(row.label))
                                        .arg(shown)
                                        .arg(slope, 0, 'g', 8)));
        }
    }

    // Where a quantity has no value the window says why in words.
    void absentValuesAreSaidInWords_data()
    {
        QTest::addColumn<QvInputs>("inputs");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("X Beq = 1: lower point") << Inputs(0.5, 4, 1, 1, 0, 0) << "lbldV2dQcargaInf"
                                                << "X·Beq = 1: un único punto de operación";
        QTest::newRow("X Beq = 1: index L") << Inputs(0.5, 4, 1, 1, 0, 0) << "lblIndiceLSup"
                                            << "X·Beq ≥ 1: sin equivalente de Thévenin";
        QTest::newRow("X Beq = 1: Margen QV") << Inputs(0.5, 4, 1, 1, 0, 0) << "lblMargenQV"
                                              << "X·Beq ≥ 1: sin máximo";
        QTest::newRow("X Beq = 1: Pmax") << Inputs(0.5, 4, 1, 1, 0, 0) << "lblMargenP"
                                         << "X·Beq = 1: la curva P-V no tiene nariz";
        QTest::newRow("past the nose") << Inputs(0.03, 3.33, 1, 30, 0, 0) << "lbldV2dPcargaSup"
                                       << "sin punto de operación";
        QTest::newRow("no active load") << Inputs(0.03, 3.33, 1, 0, 0, 0) << "lblMargenPPorCiento"
                                        << "sin carga activa (Pcarga = 0)";
        QTest::newRow("no load: lower point") << Inputs(0.03, 3.33, 1, 0, 0, 0) << "lblIndiceLInf"
                                              << "V2 = 0: sin carga no está definida";
    }
    void absentValuesAreSaidInWords()
    {
        QFETCH(QvInputs, inputs);
        QFETCH(QString, label);
        QFETCH(QString, text);
        MarginsWindow window(PointSettings());
        window.showRun(inputs, ResultsOf(inputs));
        QCOMPARE(Text(&window, label), text);
    }

    // A target that some value reaches: the sized case has it at its upper
    // point, and so has the main window once the value is applied.
    void aTargetIsReachedOnTheUpperBranch_data()
    {
        QTest::addColumn<QvInputs>("inputs");
        QTest::addColumn<GoalInput>("input");
        QTest::addColumn<QString>("goal");
        QTest::newRow("Qcap") << DefaultCase() << GoalInput::Qcap << "0.95";
        QTest::newRow("B, raising") << DefaultCase() << GoalInput::B << "1.05";
        QTest::newRow("Qcarga") << Inputs(0.1, 0, 1, 2, 0.5, 0) << GoalInput::Qcarga << "0.9";
        QTest::newRow("Uinf") << Inputs(0.1, 0, 1, 2, 0.5, 0) << GoalInput::Uinf << "1.02";
        QTest::newRow("Pcarga") << Inputs(0.1, 0, 1, 2, 0.5, 0) << GoalInput::Pcarga << "0.8";
        QTest::newRow("Qcap, near the nose") << Inputs(0.1, 0, 1, 4.9, 0, 0) << GoalInput::Qcap << "0.75";
    }
    void aTargetIsReachedOnTheUpperBranch()
    {
        QFETCH(QvInputs, inputs);
        QFETCH(GoalInput, input);
        QFETCH(QString, goal);
        MarginsWindow window(PointSettings());
        window.showRun(inputs, ResultsOf(inputs));
        Choose(window, GoalTarget::V2sup, goal, input);
        const QString shown = Text(&window, QStringLiteral("lblDimensionadoV2sup"));
        QCOMPARE(shown, QString::fromStdString(FormatWithPattern(goal.toDouble(), kLabelPattern, PointSettings())));
        QVERIFY2(Value(&window, QStringLiteral("lblDimensionadoIndiceLSup")) < 1,
                 qPrintable(Text(&window, QStringLiteral("lblDimensionadoIndiceLSup"))));
        // The value found, put back into the model, gives the goal as its upper point.
        const GoalSeekResult found = SeekGoal(inputs, GoalTarget::V2sup, goal.toDouble(), input);
        QVERIFY(!found.failure);
        QvInputs sized = inputs;
        switch (input) {
        case GoalInput::Qcap:
            sized.Qcap = found.value;
            break;
        case GoalInput::B:
            sized.B = found.value;
            break;
        case GoalInput::X:
            sized.X = found.value;
            break;
        case GoalInput::Uinf:
            sized.Uinf = found.value;
            break;
        case GoalInput::Pcarga:
            sized.Pcarga = found.value;
            break;
        case GoalInput::Qcarga:
            sized.Qcarga = found.value;
            break;
        }
        QVERIFY(std::abs(Voltage(sized, true) - goal.toDouble()) < 1e-12);
        QCOMPARE(Text(&window, QStringLiteral("lblDimensionadoVariada")),
                 QString::fromStdString(FormatWithPattern(found.value, kLabelPattern, PointSettings())));
    }

    // Two values reach it: the nearer is given, and the sentence names the other.
    void theOtherValueIsNamed()
    {
        MarginsWindow window(PointSettings());
        window.showRun(DefaultCase(), ResultsOf(DefaultCase()));
        Choose(window, GoalTarget::MargenQV, QStringLiteral("3"), GoalInput::X);
        const GoalSeekResult found = SeekGoal(DefaultCase(), GoalTarget::MargenQV, 3, GoalInput::X);
        QVERIFY(found.other);
        QVERIFY(std::abs(found.value - 0.03) < std::abs(*found.other - 0.03));
        QVERIFY2(Text(&window, QStringLiteral("lblResultado")).contains(QStringLiteral("También lo da X = ")),
                 qPrintable(Text(&window, QStringLiteral("lblResultado"))));
        QCOMPARE(Value(&window, QStringLiteral("lblDimensionadoMargenQV")), 3.0);
    }

    // A target that no value reaches is said in a sentence; no value stands
    // in the sized column and "Aplicar" has nothing to apply.
    void anUnreachableTargetGetsNoNumber_data()
    {
        QTest::addColumn<GoalTarget>("target");
        QTest::addColumn<QString>("goal");
        QTest::addColumn<GoalInput>("input");
        QTest::addColumn<QString>("why");
        QTest::newRow("L above 1") << GoalTarget::IndexL << "1.5" << GoalInput::Qcap
                                   << "Ningún valor de Qcap da índice L = 1.5: lo más que alcanza es 1";
        QTest::newRow("V2 sup below the lowest nose") << GoalTarget::V2sup << "0.1" << GoalInput::Qcap
                                                      << "Ningún valor de Qcap da V2 sup = 0.1 p.u.: lo menos";
        QTest::newRow("Margen P below -Pcarga") << GoalTarget::MargenP << "-20" << GoalInput::B
                                                << "lo menos que alcanza es -10.48 p.u., al que solo se acerca";
        QTest::newRow("not monotone") << GoalTarget::MargenQ2 << "6" << GoalInput::X << "no crece ni decrece";
        QTest::newRow("no number") << GoalTarget::MargenQ2 << "seis" << GoalInput::Qcap << "no es un número";
        QTest::newRow("long text, its beginning")
                << GoalTarget::MargenQ2 << QString(5000, QLatin1Char('9')) << GoalInput::Qcap
                << "«" + QString(20, QLatin1Char('9')) + "…», no es un número.";
    }
    // Where X·Beq >= 1 Margen QV does not exist, and varying the load does not
    // change that: the sentence says so rather than that the search cannot tell.
    void aMarginThatDoesNotExistIsSaid()
    {
        QvInputs overCompensated = DefaultCase();
        overCompensated.Qcap = 40.0; // X·Beq = 1.25
        MarginsWindow window(PointSettings());
        window.showRun(overCompensated, ResultsOf(overCompensated));
        Choose(window, GoalTarget::MargenQV, QStringLiteral("1"), GoalInput::Qcarga);
        QVERIFY2(Text(&window, QStringLiteral("lblResultado"))
                         .startsWith(QStringLiteral("En este caso no existe Margen QV: con X·Beq ≥ 1")),
                 qPrintable(Text(&window, QStringLiteral("lblResultado"))));
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("cmdAplicar"))->isEnabled());
    }

    void anUnreachableTargetGetsNoNumber()
    {
        QFETCH(GoalTarget, target);
        QFETCH(QString, goal);
        QFETCH(GoalInput, input);
        QFETCH(QString, why);
        MarginsWindow window(PointSettings());
        window.showRun(DefaultCase(), ResultsOf(DefaultCase()));
        Choose(window, GoalTarget::MargenQ2, QStringLiteral("6"), GoalInput::Qcap); // found first
        Choose(window, target, goal, input);
        QVERIFY2(Text(&window, QStringLiteral("lblResultado")).contains(why),
                 qPrintable(Text(&window, QStringLiteral("lblResultado"))));
        for (const QLabel *label : window.findChildren<QLabel *>()) {
            if (label->objectName().startsWith(QLatin1String("lblDimensionado")))
                QVERIFY2(label->text().isEmpty(), qPrintable(label->objectName() + QLatin1Char(' ') + label->text()));
        }
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("cmdAplicar"))->isEnabled());
    }

    // "Aplicar" writes the value found into its own box, read back as the
    // same double, and calculates once.
    void aplicarWritesTheBoxVariedAndCalculates_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<GoalTarget>("target");
        QTest::addColumn<QString>("goal");
        QTest::addColumn<GoalInput>("input");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("resultLabel");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Qcap") << false << GoalTarget::MargenQ2 << "6" << GoalInput::Qcap
                              << static_cast<int>(InputBox::Qcap) << "lblMargenQ2"
                              << "6.";
        QTest::newRow("B, decimal comma") << true << GoalTarget::MargenQ2 << "4,5" << GoalInput::B
                                          << static_cast<int>(InputBox::B) << "lblMargenQ2"
                                          << "4,5";
        QTest::newRow("Qcarga") << false << GoalTarget::V2sup << "0.98" << GoalInput::Qcarga
                                << static_cast<int>(InputBox::Qcarga) << "lblV2sup"
                                << ".98";
        QTest::newRow("Uinf, decimal comma") << true << GoalTarget::V2sup << "1,01" << GoalInput::Uinf
                                             << static_cast<int>(InputBox::Uinf) << "lblV2sup"
                                             << "1,01";
        QTest::newRow("Pcarga") << false << GoalTarget::MargenQ2 << "6" << GoalInput::Pcarga
                                << static_cast<int>(InputBox::Pcarga) << "lblMargenQ2"
                                << "6.";
        QTest::newRow("X") << false << GoalTarget::MargenQV << "3" << GoalInput::X << static_cast<int>(InputBox::X)
                           << "lblMargenQ2"
                           << "";
    }
    void aplicarWritesTheBoxVariedAndCalculates()
    {
        QFETCH(bool, comma);
        QFETCH(GoalTarget, target);
        QFETCH(QString, goal);
        QFETCH(GoalInput, input);
        QFETCH(int, box);
        QFETCH(QString, resultLabel);
        QFETCH(QString, shown);
        const QLocale locale = comma ? CommaLocale() : PointLocale();
        MainWindow window(locale);
        MarginsWindow *margins = open(window);
        QVERIFY(margins);
        const QStringList before = BoxTexts(window);
        QSignalSpy runs(&window, &MainWindow::caseShown);
        Choose(*margins, target, goal, input);
        margins->findChild<QPushButton *>(QStringLiteral("cmdAplicar"))->click();
        QCOMPARE(runs.count(), 1);

        const QStringList after = BoxTexts(window);
        QvInputs present = DefaultCase();
        const auto goalValue = ReadRegionalNumber(goal.toStdString(), RegionalOf(locale));
        QVERIFY(goalValue);
        const GoalSeekResult found = SeekGoal(present, target, *goalValue, input);
        QVERIFY(!found.failure);
        for (int i = 0; i < after.size(); ++i) {
            if (i == box) {
                const auto read = ReadRegionalNumber(after[i].toStdString(), RegionalOf(locale));
                QVERIFY2(read && *read == found.value, qPrintable(after[i]));
            } else {
                QCOMPARE(after[i], before[i]);
            }
        }
        if (!shown.isEmpty())
            QCOMPARE(window.findChild<QLabel *>(resultLabel)->text(), shown);
        // The window follows the run: the present case is now the sized one.
        QCOMPARE(Text(margins, QStringLiteral("lblActualVariada")),
                 Text(margins, QStringLiteral("lblDimensionadoVariada")));
    }

    // After a run that did not complete the previous case stays, noted as such.
    void aFailedRunShowsThePreviousCaseNoted()
    {
        MainWindow window(PointLocale());
        MarginsWindow *margins = open(window);
        QVERIFY(margins);
        const QString before = Text(margins, QStringLiteral("lblMargenP"));
        QVERIFY(margins->findChild<QLabel *>(QStringLiteral("lblNota"))->isHidden());

        calculate(window, { "abc", "0", "1", "1", "0.1", "0" }, true);
        QVERIFY2(Text(margins, QStringLiteral("lblNota")).contains(QStringLiteral("cálculo anterior")),
                 qPrintable(Text(margins, QStringLiteral("lblNota"))));
        QCOMPARE(Text(margins, QStringLiteral("lblMargenP")), before);
        auto *label = margins->findChild<QLabel *>(QStringLiteral("lblMargenP"));
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(label);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Margen P [p.u.]: 7.0629, del cálculo anterior"));
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("7.0629"));
        calculate(window, { "0.03", "3.33", "1", "10.48", "0", "0" }, false);
        margins->setPhysicalBases(PhysicalBases{ 100, 230 });
        Choose(*margins, GoalTarget::MargenQ2, QStringLiteral("6"), GoalInput::Qcap);
        // Every value of the previous case, in both units and in both
        // columns of the sizing table, greyed as the main window greys them
        // and so told to screen readers; still so in other units; none once
        // a run completes.
        const char *const values[] = { "lblMargenP", "lblMargenP_fis", "lblDistanciaV2", "lblActualVariada",
                                       "lblDimensionadoVariada" };
        // "grey, noted" for a value shown and read as the previous one's.
        const auto marks = [margins](const char *name) {
            QLabel *value = margins->findChild<QLabel *>(QString::fromLatin1(name));
            const bool noted = QAccessible::queryAccessibleInterface(value)
                                       ->text(QAccessible::Name)
                                       .endsWith(QStringLiteral(", del cálculo anterior"));
            return QStringLiteral("%1, %2").arg(LooksPrevious(value) ? "grey" : "plain", noted ? "noted" : "unnoted");
        };
        calculate(window, { "abc", "0", "1", "1", "0.1", "0" }, true);
        for (const char *name : values)
            QCOMPARE(marks(name), QStringLiteral("grey, noted"));
        margins->setPhysicalBases(PhysicalBases{ 100, 132 });
        for (const char *name : values)
            QCOMPARE(marks(name), QStringLiteral("grey, noted"));

        calculate(window, { "0.03", "3.33", "1", "10", "0", "0" }, false);
        QVERIFY(margins->findChild<QLabel *>(QStringLiteral("lblNota"))->isHidden());
        QVERIFY(Text(margins, QStringLiteral("lblMargenP")) != before);
        for (const char *name : values)
            QCOMPARE(marks(name), QStringLiteral("plain, unnoted"));

        // A window opened after a failed run carries the note too.
        calculate(window, { "-0.03", "3.33", "1", "10.48", "0", "0" }, true);
        margins->close();
        margins = open(window);
        QVERIFY(Text(margins, QStringLiteral("lblNota")).contains(QStringLiteral("cálculo anterior")));
    }

    // "Copiar": both tables as lines of fields separated by tabs.
    void copiarGivesBothTables()
    {
        MarginsWindow window(PointSettings());
        window.showRun(DefaultCase(), ResultsOf(DefaultCase()));
        Choose(window, GoalTarget::MargenQ2, QStringLiteral("6"), GoalInput::Qcap);
        window.findChild<QPushButton *>(QStringLiteral("cmdCopiar"))->click();
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("Margen Q2\t5.6193\tp.u.")));
        QVERIFY(lines.contains(QStringLiteral("Margen Q2\t5.6193\t6.\tp.u.")));
        QVERIFY(lines.contains(QStringLiteral("Qcap·V2sup²\t.\t1.1783\tp.u.")));
    }

    // The keyboard alone: Enter in the value box searches.
    void enterInTheValueBoxSearches()
    {
        MarginsWindow window(PointSettings());
        window.showRun(DefaultCase(), ResultsOf(DefaultCase()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *box = window.findChild<QLineEdit *>(QStringLiteral("txtObjetivo"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(Text(&window, QStringLiteral("lblDimensionadoMargenQ2")), QStringLiteral("6."));
        QCOMPARE(box->nextInFocusChain(), window.findChild<QComboBox *>(QStringLiteral("cboVariar")));
    }

    // With physical bases each margin is also given in its unit: the per-unit
    // value times the base it belongs to.
    void marginsInPhysicalUnits_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("unit");
        // S base 100 MVA, U base 132 kV.
        QTest::newRow("Margen Q2") << "lblMargenQ2" << 100.0 << "Mvar";
        QTest::newRow("Margen QV") << "lblMargenQV" << 100.0 << "Mvar";
        QTest::newRow("Margen P") << "lblMargenP" << 100.0 << "MW";
        QTest::newRow("V2 sup - V2 crit") << "lblDistanciaV2" << 132.0 << "kV";
        QTest::newRow("dV2/dQcarga") << "lbldV2dQcargaSup" << 1.32 << "kV/Mvar";
        QTest::newRow("dV2/dPcarga") << "lbldV2dPcargaInf" << 1.32 << "kV/MW";
        QTest::newRow("índice L") << "lblIndiceLSup" << 0.0 << "";
        QTest::newRow("Margen P [%]") << "lblMargenPPorCiento" << 0.0 << "";
    }
    void marginsInPhysicalUnits()
    {
        QFETCH(QString, label);
        QFETCH(double, factor);
        QFETCH(QString, unit);
        MarginsWindow window(PointSettings());
        window.showRun(DefaultCase(), ResultsOf(DefaultCase()));
        auto *physical = window.findChild<QLabel *>(label + QStringLiteral("_fis"));
        QVERIFY(physical);
        QVERIFY(physical->isHidden());
        window.setPhysicalBases(PhysicalBases{ 100.0, 132.0 });
        QCOMPARE(!physical->isHidden(), factor != 0.0);
        if (factor != 0.0) {
            const QStringList parts = physical->text().split(QLatin1Char(' '));
            QCOMPARE(parts.value(1), unit);
            const auto shown = ReadRegionalNumber(parts.value(0).toStdString(), PointSettings());
            QVERIFY(shown);
            // Both rounded to four decimals: within one unit of the fourth.
            QVERIFY2(std::abs(*shown - Value(&window, label) * factor) <= 1e-4 * factor + 1e-4,
                     qPrintable(physical->text()));
        }
        window.setPhysicalBases(std::nullopt);
        QVERIFY(physical->isHidden());
    }

    // Data applied from the physical-units dialog bring the units; a box
    // edited by hand takes them away.
    void physicalUnitsFollowTheMainWindow()
    {
        MainWindow window(PointLocale());
        MarginsWindow *margins = open(window);
        auto *physical = margins->findChild<QLabel *>(QStringLiteral("lblMargenQ2_fis"));
        QVERIFY(physical->isHidden());
        window.applyInputs(DefaultCase(), PhysicalBases{ 100.0, 132.0 }, false);
        QVERIFY(!physical->isHidden());
        QVERIFY2(physical->text().endsWith(QStringLiteral(" Mvar")), qPrintable(physical->text()));
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("0.1"));
        QVERIFY(physical->isHidden());
    }
};

QTEST_MAIN(MarginsWindowTest)
#include "margins_window_test.moc"
