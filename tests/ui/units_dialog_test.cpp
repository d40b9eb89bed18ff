// "Datos en unidades físicas...": the per-unit values as the user types, the
// boxes that hold no number or no sensible value, "Aplicar" and "Un circuito
// fuera" in the main window, and the physical units in the copied results.
#include "core/number_reading.h"
#include "core/single_case.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/access_keys.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/chart_grid.h"
#include "ui/chart/qv_chart.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "document/case_file.h"
#include "ui/common/number_text.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/main/case_commands.h"
#include "ui/units/units_dialog.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <cstdint>

using namespace tarvilo;
using namespace tarvilo::testing;

class UnitsDialogTest : public WidgetTestFixture
{
    Q_OBJECT

public:
    UnitsDialogTest()
    {
        // A case saved goes to the recent list: a scratch store, never the user's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }

private:
    QTemporaryDir m_settings;

    static UnitsDialog *OpenDialog(MainWindow &window)
    {
        window.findChild<QAction *>(QStringLiteral("mnuUnidades"))->trigger();
        auto *dialog = window.findChild<UnitsDialog *>(QStringLiteral("frmUnidades"));
        return dialog && dialog->isVisible() ? dialog : nullptr;
    }
    // Typed over the box's text as the README says: the digits first, then
    // the sign in front (a lone "-" is no number).
    static void Type(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        const bool negative = text.startsWith(QLatin1Char('-')) && text.size() > 1;
        QTest::keyClicks(box, negative ? text.mid(1) : text);
        if (negative) {
            QTest::keyClick(box, Qt::Key_Home);
            QTest::keyClick(box, Qt::Key_Minus);
        }
    }
    static QString Shown(const QWidget *dialog, const char *name)
    {
        const auto *label = dialog->findChild<QLabel *>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("(no %1)").arg(QString::fromLatin1(name));
    }
    static void Click(const QWidget *dialog, const char *name)
    {
        dialog->findChild<QPushButton *>(QString::fromLatin1(name))->click();
    }
    static bool SameBits(double a, double b)
    {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    }
    // The six boxes read back as these very doubles.
    static void VerifyBoxesHold(const MainWindow &window, const QvInputs &inputs, const RegionalSettings &regional)
    {
        for (const InputBox box : kInputBoxes) {
            const auto read = ReadRegionalNumber(window.inputBox(box)->text().toStdString(), regional);
            QVERIFY2(read && SameBits(*read, ValueOf(inputs, box)), qPrintable(window.inputBox(box)->text()));
        }
    }
    static QString CopiedResults(MainWindow &window)
    {
        window.findChild<QAction *>(QStringLiteral("mnuCopiarResultados"))->trigger();
        return QGuiApplication::clipboard()->text();
    }

private slots:
    void typingUpdatesTheValues_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << PointLocale();
        QTest::newRow("comma") << CommaLocale();
    }
    void typingUpdatesTheValues()
    {
        QFETCH(QLocale, locale);
        const RegionalSettings regional = RegionalOf(locale);
        MainWindow window(locale);
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        const QString decimal = locale.decimalPoint();
        // The example it opens on: 0,41 ohm/km over 85 km, two circuits, 132 kV and 100 MVA.
        const double zBase = 132.0 * 132.0 / 100.0;
        QCOMPARE(Shown(dialog, "lblPuX"), ExactText(0.41 * 85 / (2 * zBase), regional));
        QCOMPARE(Shown(dialog, "lblPuB"), ExactText(2 * 2.8e-6 * 85 * zBase, regional));

        Type(dialog->box(UnitsBox::Longitud), QStringLiteral("42") + decimal + QStringLiteral("5"));
        QCOMPARE(Shown(dialog, "lblPuX"), ExactText(0.41 * 42.5 / (2 * zBase), regional));
        dialog->findChild<QComboBox *>(QStringLiteral("cboCircuitos"))->setCurrentIndex(0);
        QCOMPARE(Shown(dialog, "lblPuX"), ExactText(0.41 * 42.5 / zBase, regional));
        QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("cmdCircuitoFuera"))->isEnabled());

        // The load by P and Q, then capacitive at a factor of 0,8.
        dialog->findChild<QRadioButton *>(QStringLiteral("optPQ"))->setChecked(true);
        Type(dialog->box(UnitsBox::Q), QStringLiteral("-30"));
        QCOMPARE(Shown(dialog, "lblPuQcarga"), ExactText(-0.3, regional));
        dialog->findChild<QRadioButton *>(QStringLiteral("optFactor"))->setChecked(true);
        Type(dialog->box(UnitsBox::P), QStringLiteral("100"));
        Type(dialog->box(UnitsBox::Fp), QStringLiteral("0") + decimal + QStringLiteral("8"));
        dialog->findChild<QComboBox *>(QStringLiteral("cboTipoFp"))->setCurrentIndex(1);
        QCOMPARE(Shown(dialog, "lblPuQcarga"), ExactText(-0.75, regional));
        // The bank at the base voltage needs no correction.
        Type(dialog->box(UnitsBox::Ubanco), QStringLiteral("132"));
        QCOMPARE(Shown(dialog, "lblPuQcap"), ExactText(0.2, regional));
        QCOMPARE(Shown(dialog, "lblAviso"), QString());
    }

    void noNumberAndNonsense_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shownInBox");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char *name, UnitsBox box, const char *typed, const char *shown, const char *reason) {
            QTest::newRow(name) << static_cast<int>(box) << QString::fromUtf8(typed) << QString::fromUtf8(shown)
                                << QString::fromUtf8(reason);
        };
        row("letters", UnitsBox::Sbase, "x", "Error", "«S base [MVA]» no es un número.");
        row("a lone sign", UnitsBox::Reactancia, "-", "Error", "«Reactancia x [Ω/km]» no es un número.");
        row("length 0", UnitsBox::Longitud, "0", "0", "La longitud de la línea debe ser mayor que cero.");
        row("negative base", UnitsBox::Ubase, "-132", "-132", "La tensión base debe ser mayor que cero.");
        row("factor above 1", UnitsBox::Fp, "2", "2", "El factor de potencia debe ser mayor que 0 y no mayor que 1.");
        row("negative susceptance", UnitsBox::Susceptancia, "-1", "-1",
            "La susceptancia de la línea no puede ser negativa.");
        row("bank rated at 0 kV", UnitsBox::Ubanco, "0", "0", "La tensión nominal del banco debe ser mayor que cero.");
    }
    void noNumberAndNonsense()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, shownInBox);
        QFETCH(QString, reason);
        MainWindow window(PointLocale());
        const QStringList boxesBefore = BoxTexts(window);
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        Type(dialog->box(static_cast<UnitsBox>(box)), typed);
        QCOMPARE(dialog->box(static_cast<UnitsBox>(box))->text(), shownInBox);
        QCOMPARE(Shown(dialog, "lblAviso"), reason);
        for (const char *name : { "lblPuX", "lblPuB", "lblPuUinf", "lblPuPcarga", "lblPuQcarga", "lblPuQcap" })
            QCOMPARE(Shown(dialog, name), QStringLiteral("Error"));
        // Z base needs only the bases: 132² / 100.
        const bool baseTyped = box == static_cast<int>(UnitsBox::Sbase) || box == static_cast<int>(UnitsBox::Ubase);
        QCOMPARE(Shown(dialog, "lblZbase").endsWith(QStringLiteral("= 174.24 Ω")), !baseTyped);
        QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("cmdAplicar"))->isEnabled());
        dialog->cmdAplicar_Click(); // as a stray call: nothing happens
        QCOMPARE(BoxTexts(window), boxesBefore);
    }

    void applyWritesTheSixBoxesAndCalculates_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << PointLocale();
        QTest::newRow("comma") << CommaLocale();
    }
    void applyWritesTheSixBoxesAndCalculates()
    {
        QFETCH(QLocale, locale);
        const RegionalSettings regional = RegionalOf(locale);
        MainWindow window(locale);
        const QStringList labelsBefore = LabelTexts(window);
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        const QvInputs inputs = *dialog->inputs();
        Click(dialog, "cmdAplicar");
        VerifyBoxesHold(window, inputs, regional);
        for (const InputBox box : kInputBoxes)
            QCOMPARE(window.inputBox(box)->text(), BoxText(ValueOf(inputs, box), regional));
        // Calculated as "Calcular" does on those boxes.
        const QStringList labels = LabelTexts(window);
        QVERIFY(labels != labelsBefore);
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        QCOMPARE(LabelTexts(window), labels);
        QVERIFY(!window.findChild<QAction *>(QStringLiteral("mnuConservarCurvas"))->isChecked());
        QVERIFY(window.chartView()->qvChart()->keptCases().empty());
    }

    void oneCircuitOutKeepsBothCases()
    {
        MainWindow window(PointLocale());
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        const QvInputs intact = *dialog->inputs();
        Click(dialog, "cmdCircuitoFuera");
        QVERIFY(window.findChild<QAction *>(QStringLiteral("mnuConservarCurvas"))->isChecked());
        // The boxes hold the case with one circuit: twice the reactance, half the susceptance.
        QvInputs oneOut = intact;
        oneOut.X = *ReadRegionalNumber(window.inputBox(InputBox::X)->text().toStdString(), PointSettings());
        oneOut.B = *ReadRegionalNumber(window.inputBox(InputBox::B)->text().toStdString(), PointSettings());
        QVERIFY(std::abs(oneOut.X / intact.X - 2) < 1e-15);
        QVERIFY(std::abs(oneOut.B / intact.B - 0.5) < 1e-15);
        VerifyBoxesHold(window, oneOut, PointSettings());
        // Beside it the intact case, alone: the default case shown before is not kept.
        const std::vector<KeptCurves> &kept = window.chartView()->qvChart()->keptCases();
        QCOMPARE(kept.size(), size_t(1));
        QVERIFY2(kept.front().name.startsWith(QStringLiteral("X = ") + ExactText(intact.X, PointSettings())),
                 qPrintable(kept.front().name));
        const ChartGrid intactGrid(CalculateCase(intact).curves);
        for (const Curve curve : { Curve::UpperBranch, Curve::LowerBranch, Curve::LoadCharacteristic })
            QVERIFY(kept.front().grid.sameCurve(intactGrid, curve));
    }

    void copiedResultsInPhysicalUnitsUntilABoxIsEdited()
    {
        MainWindow window(CommaLocale());
        const RegionalSettings regional = RegionalOf(CommaLocale());
        QVERIFY(!CopiedResults(window).contains(QStringLiteral("unidades físicas")));
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        const QvInputs inputs = *dialog->inputs();
        Click(dialog, "cmdAplicar");
        const QvResults results = CalculateCase(inputs).results;
        const QString copied = CopiedResults(window);
        QVERIFY2(copied.contains(QStringLiteral("En unidades físicas\tS base = 100 MVA\tU base = 132 kV\n")),
                 qPrintable(copied));
        for (const QString &line :
             { QStringLiteral("V2 sup\t%1\tkV\n").arg(ExactText(results.V2sup * 132, regional)),
               QStringLiteral("Q2 sup\t%1\tMvar\n").arg(ExactText(results.Q2sup * 100, regional)),
               QStringLiteral("Margen Q2\t%1\tMvar\n").arg(ExactText(results.MargenQ2 * 100, regional)),
               QStringLiteral("U inf\t%1\tkV\n").arg(ExactText(inputs.Uinf * 132, regional)),
               QStringLiteral("Pcarga\t60\tMW\n") }) {
            QVERIFY2(copied.contains(line), qPrintable(line + QStringLiteral(" not in\n") + copied));
        }
        // A box edited by hand: the bases no longer hold.
        QTest::keyClick(window.inputBox(InputBox::Pcarga), Qt::Key_End);
        QTest::keyClicks(window.inputBox(InputBox::Pcarga), QStringLiteral("1"));
        QVERIFY(!CopiedResults(window).contains(QStringLiteral("unidades físicas")));
        QVERIFY(!window.physicalBases());
    }

    void largeChartHoverInPhysicalUnits()
    {
        MainWindow window(CommaLocale());
        const RegionalSettings regional = RegionalOf(CommaLocale());
        window.findChild<QAction *>(QStringLiteral("mnuGraficoAmpliado"))->trigger();
        LargeChartWindow *large = window.largeChart();
        QVERIFY(large && QTest::qWaitForWindowExposed(large));
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        Click(dialog, "cmdAplicar");
        QvChart *plot = large->view()->qvChart();
        const auto hoverAt = [&](const QPointF &value) {
            const QPointF away = plot->mapToScene(plot->plotArea().center());
            QTest::mouseMove(large->view()->viewport(), large->view()->mapFromScene(away));
            const QPointF at = plot->mapToScene(plot->mapToPosition(value));
            QTest::mouseMove(large->view()->viewport(), large->view()->mapFromScene(at));
            return plot->hoverText();
        };
        const QPointF upper = plot->marks().upper;
        const QString physical =
                QStringLiteral("\nQ = %1 Mvar  V = %2 kV")
                        .arg(ExactText(upper.x() * 100, regional), ExactText(upper.y() * 132, regional));
        QString hover = hoverAt(upper);
        QVERIFY2(hover.startsWith(QStringLiteral("Punto superior\n")) && hover.endsWith(physical), qPrintable(hover));
        // A box edited by hand: per unit alone.
        QTest::keyClick(window.inputBox(InputBox::Qcap), Qt::Key_End);
        QTest::keyClicks(window.inputBox(InputBox::Qcap), QStringLiteral("1"));
        hover = hoverAt(upper);
        QVERIFY2(hover.startsWith(QStringLiteral("Punto superior\n")) && !hover.contains(QStringLiteral("kV")),
                 qPrintable(hover));
    }

    void closedKeepsItsData()
    {
        MainWindow window(PointLocale());
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        Type(dialog->box(UnitsBox::Longitud), QStringLiteral("12"));
        dialog->close();
        QCOMPARE(OpenDialog(window), dialog);
        QCOMPARE(dialog->box(UnitsBox::Longitud)->text(), QStringLiteral("12"));
    }

    void caseFileKeepsItsData()
    {
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("unidades.tarvilo"));
        {
            MainWindow window(CommaLocale());
            UnitsDialog *dialog = OpenDialog(window);
            QVERIFY(dialog);
            Type(dialog->box(UnitsBox::Longitud), QStringLiteral("120,5"));
            dialog->findChild<QRadioButton *>(QStringLiteral("optTotales"))->setChecked(true);
            QVERIFY(window.caseCommands()->saveCase(path));
        }
        MainWindow window(PointLocale(), path);
        const auto *dialog = window.findChild<UnitsDialog *>(QStringLiteral("frmUnidades"));
        QVERIFY(dialog);
        QCOMPARE(dialog->box(UnitsBox::Longitud)->text(), QStringLiteral("120.5"));
        QVERIFY(dialog->findChild<QRadioButton *>(QStringLiteral("optTotales"))->isChecked());
    }
    // Tab goes through the frames as they are seen, and round again.
    void tabFollowsTheFrames()
    {
        MainWindow window(PointLocale());
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        const QStringList expected = {
            "txtSbase",      "txtUbase",        "txtQbanco",    "txtUbanco",        "optPorKm",  "txtLongitud",
            "txtReactancia", "txtSusceptancia", "cboCircuitos", "txtUfuente",       "optPQ",     "txtP",
            "txtFp",         "cboTipoFp",       "cmdAplicar",   "cmdCircuitoFuera", "cmdCerrar", "txtSbase",
        };
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        dialog->box(UnitsBox::Sbase)->setFocus();
        QStringList visited = { QApplication::focusWidget()->objectName() };
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    // Every box, choice and button is reached by its access key, and each
    // key names one control only.
    void accessKeysReachEveryControl()
    {
        MainWindow window(PointLocale());
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        QCOMPARE(RepeatedAccessKeys(*dialog), QStringList());
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        // A box is reached while its choice enables it: "Factor de potencia" first, then "Q".
        const std::pair<Qt::Key, const char *> keys[] = {
            { Qt::Key_D, "txtFp" },
            { Qt::Key_Y, "optPQ" },
            { Qt::Key_S, "txtSbase" },
            { Qt::Key_B, "txtUbase" },
            { Qt::Key_L, "txtLongitud" },
            { Qt::Key_R, "txtReactancia" },
            { Qt::Key_N, "txtSusceptancia" },
            { Qt::Key_C, "cboCircuitos" },
            { Qt::Key_F, "txtUfuente" },
            { Qt::Key_P, "txtP" },
            { Qt::Key_Q, "txtQ" },
            { Qt::Key_M, "txtQbanco" },
            { Qt::Key_T, "txtUbanco" },
            { Qt::Key_K, "optPorKm" },
            { Qt::Key_O, "optTotales" },
            { Qt::Key_E, "optFactor" },
        };
        for (const auto &[key, name] : keys) {
            QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
            // A choice's key also chooses it, after the button's short press.
            if (const auto *choice = qobject_cast<QRadioButton *>(QApplication::focusWidget()))
                QTRY_VERIFY(choice->isChecked());
        }
        const std::pair<Qt::Key, const char *> buttons[] = { { Qt::Key_A, "cmdAplicar" },
                                                             { Qt::Key_U, "cmdCircuitoFuera" } };
        for (const auto &[key, name] : buttons) {
            auto *button = dialog->findChild<QPushButton *>(QString::fromLatin1(name));
            QVERIFY(!button->shortcut().isEmpty());
            QCOMPARE(button->shortcut(), QKeySequence(Qt::AltModifier | key));
        }
    }

    void escapeCloses()
    {
        MainWindow window(PointLocale());
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        QTest::keyClick(dialog->box(UnitsBox::P), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
    }

    // A screen reader hears each per-unit value with its name.
    void valuesAreHeardWithTheirNames_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::newRow("X") << "lblPuX"
                           << "X [p.u.]: 0.100005739210285";
        QTest::newRow("Pcarga") << "lblPuPcarga"
                                << "Pcarga [p.u.]: 0.6";
        QTest::newRow("Qcap") << "lblPuQcap"
                              << "Qcap [p.u.]: 0.182986767485822";
    }
    void valuesAreHeardWithTheirNames()
    {
        QFETCH(QString, label);
        QFETCH(QString, name);
        MainWindow window(PointLocale());
        UnitsDialog *dialog = OpenDialog(window);
        QVERIFY(dialog);
        auto *value = dialog->findChild<QLabel *>(label);
        QVERIFY(value);
        QCOMPARE(QAccessible::queryAccessibleInterface(value)->text(QAccessible::Name), name);
    }
};

QTEST_MAIN(UnitsDialogTest)
#include "units_dialog_test.moc"
