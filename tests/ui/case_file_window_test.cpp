// Case files in the main window: saving and opening across regional
// settings, bad files that change nothing, the recent list across two
// program starts, the caption with its modified mark, the question before
// unsaved changes are lost, and a case given at start.
#include "core/number_reading.h"
#include "tests/support/widget_test_fixture.h"
#include "tests/support/scratch_settings.h"
#include "tests/support/window_commands.h"
#include "tests/support/window_fixture.h"
#include "ui/chart/large_chart_view.h"
#include "ui/chart/qv_chart_view.h"
#include "document/case_file.h"
#include "ui/family/family_window.h"
#include "ui/margins/margins_window.h"
#include "ui/large_chart/large_chart_window.h"
#include "ui/main/case_commands.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

using namespace tarvilo;
using namespace tarvilo::testing;

class CaseFileWindowTest : public WidgetTestFixture
{
    Q_OBJECT

public:
private:
    ScratchSettings m_settings;

    static QLocale SpanishLocale() { return QLocale(QLocale::Spanish, QLocale::Spain); }
    static QLocale EnglishLocale() { return QLocale(QLocale::English, QLocale::UnitedStates); }
    static QString Path(const QString &name) { return QDir::current().absoluteFilePath(name); }
    // A text with the decimal separator made "."; nothing in these texts is grouped.
    static QString PointSpelt(QString text, const QLocale &locale)
    {
        return text.replace(locale.decimalPoint(), QStringLiteral("."));
    }
    static QStringList PointSpelt(const QStringList &texts, const QLocale &locale)
    {
        QStringList spelt;
        for (const QString &text : texts)
            spelt << PointSpelt(text, locale);
        return spelt;
    }
    static void Write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static void ClearRecent()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tarvilo"), QStringLiteral("tarvilo"))
                .clear();
    }
    static CaseDocument OtherCase()
    {
        CaseDocument document;
        document.inputs = { 0.05, 3.33, 1.0, 7.0, 0.5, 0.0 };
        return document;
    }

private slots:
    // Saved under one regional setting, opened under another: the same
    // doubles in the boxes, then the same results and "salida.txt" as the
    // run that was saved.
    void opensACaseSavedUnderOtherSettings_data()
    {
        QTest::addColumn<QLocale>("saved");
        QTest::addColumn<QLocale>("opened");
        QTest::newRow("es_ES to C") << SpanishLocale() << PointLocale();
        QTest::newRow("C to es_ES") << PointLocale() << SpanishLocale();
        QTest::newRow("en_US to es_ES") << EnglishLocale() << SpanishLocale();
        QTest::newRow("es_ES to es_ES") << SpanishLocale() << SpanishLocale();
    }
    void opensACaseSavedUnderOtherSettings()
    {
        QFETCH(QLocale, saved);
        QFETCH(QLocale, opened);
        const QString path = Path(QStringLiteral("ida.tarvilo"));
        std::vector<double> values;
        QStringList labels;
        QString curveFile;
        {
            MainWindow window(saved);
            // Values that need all 17 digits, or an exponent, to read back.
            SetInputs(window,
                      { Spelt(saved, "0.030000000000000002"), Spelt(saved, "3.33"), Spelt(saved, "1.0000000000000002"),
                        Spelt(saved, "10.48"), QStringLiteral("0"), Spelt(saved, "1e-17") });
            Trigger(window, "mnuConservarCurvas");
            Calculate(window); // keeps the default case shown at start
            window.inputBox(InputBox::Pcarga)->setText(Spelt(saved, "9.25"));
            Calculate(window); // keeps the case before
            for (const InputBox box : kInputBoxes) {
                values.push_back(*ReadRegionalNumber(window.inputBox(box)->text().toStdString(), RegionalOf(saved)));
            }
            labels = PointSpelt(LabelTexts(window), saved);
            curveFile = PointSpelt(CurveFileLines().join(QLatin1Char('\n')), saved);
            QVERIFY(window.caseCommands()->saveCase(path));
        }
        MainWindow window(opened);
        // Keeping cases already: the case shown before the opening is not one of the file's.
        Trigger(window, "mnuConservarCurvas");
        QVERIFY(window.caseCommands()->openCase(path));
        for (const InputBox box : kInputBoxes) {
            const QString text = window.inputBox(box)->text();
            const auto value = ReadRegionalNumber(text.toStdString(), RegionalOf(opened));
            QVERIFY2(value, qPrintable(text));
            QCOMPARE(std::bit_cast<std::uint64_t>(*value),
                     std::bit_cast<std::uint64_t>(values[static_cast<size_t>(box)]));
        }
        QCOMPARE(window.inputBox(InputBox::X)->text(), Spelt(opened, "0.030000000000000002"));
        QCOMPARE(PointSpelt(LabelTexts(window), opened), labels);
        QCOMPARE(PointSpelt(CurveFileLines().join(QLatin1Char('\n')), opened), curveFile);
        QVERIFY(window.findChild<QAction *>(QStringLiteral("mnuConservarCurvas"))->isChecked());
        // Saved again, the same file: the kept cases and their order came through.
        const QString again = Path(QStringLiteral("vuelta.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(again));
        QCOMPARE(FileBytes(again), FileBytes(path));
        const CaseReading reading = ReadCaseFile(again);
        QVERIFY(reading.document);
        QCOMPARE(reading.document->kept.size(), size_t(2));
        QCOMPARE(reading.document->kept[0].Pcarga, 10.48);
        QCOMPARE(reading.document->kept[1].Pcarga, 10.48);
        QCOMPARE(reading.document->kept[1].X, 0.030000000000000002);
    }

    // A case the window saved opens again, whatever doubles it keeps: minus
    // zero, subnormals and shortest texts, in the boxes and in the kept
    // cases, the same to the bit.
    void keptCasesComeBackBitForBit_data()
    {
        QTest::addColumn<QStringList>("kept"); // the six boxes of the case kept
        QTest::addColumn<QStringList>("boxes"); // the six boxes saved
        QTest::newRow("minus zeros") << QStringList{ "0.03", "-0", "1", "10.48", "-0", "-0" }
                                     << QStringList{ "-0", "-0", "-0", "-0", "-0", "-0" };
        QTest::newRow("subnormals") << QStringList{ "0.03", "3.33", "1", "10.48", "5e-324", "-4.9e-324" }
                                    << QStringList{ "5e-324", "2.2250738585072009e-308", "1", "10.48", "0", "-0" };
        QTest::newRow("the largest doubles")
                << QStringList{ "0.030000000000000002", "3.33", "1.0000000000000002", "10.48", "1e-300", "0" }
                << QStringList{ "1.7976931348623157e308", "-1.7976931348623157e308", "1e308", "1e-308", "0.1", "-0" };
    }
    void keptCasesComeBackBitForBit()
    {
        QFETCH(QStringList, kept);
        QFETCH(QStringList, boxes);
        const auto bits = [](const QString &text) {
            const auto value = ReadRegionalNumber(text.toStdString(), RegionalOf(PointLocale()));
            return value ? std::bit_cast<std::uint64_t>(*value) : std::uint64_t(0x7ff8000000000001);
        };
        const QString path = Path(QStringLiteral("bits.tarvilo"));
        {
            MainWindow window(PointLocale());
            Trigger(window, "mnuConservarCurvas");
            SetInputs(window, kept);
            Calculate(window); // keeps the case shown at start
            window.inputBox(InputBox::Pcarga)->setText(QStringLiteral("9"));
            Calculate(window); // keeps the case of the row
            SetInputs(window, boxes);
            QVERIFY(window.caseCommands()->saveCase(path));
        }
        MainWindow window(PointLocale());
        m_watchdog->expect(100); // the boxes' case may have no result: what counts is that it opens
        QVERIFY(window.caseCommands()->openCase(path));
        for (const ModalWatchdog::Seen &seen : m_watchdog->seen())
            QVERIFY2(!seen.text.startsWith(QStringLiteral("No se pudo abrir")), qPrintable(seen.text));
        m_watchdog->clear();
        int i = 0;
        for (const InputBox box : kInputBoxes) {
            QCOMPARE(bits(window.inputBox(box)->text()), bits(boxes.at(i)));
            ++i;
        }
        const CaseReading reading = ReadCaseFile(path);
        QVERIFY(reading.document);
        QCOMPARE(reading.document->kept.size(), size_t(2));
        i = 0;
        for (const InputBox box : kInputBoxes) {
            QCOMPARE(std::bit_cast<std::uint64_t>(ValueOf(reading.document->kept[1], box)), bits(kept.at(i)));
            ++i;
        }
    }

    // The family window opens on the case's settings, written with the
    // regional separator, and draws them.
    void opensTheFamilyOfTheCase()
    {
        CaseDocument document = OtherCase();
        document.family = CaseFamily{ InputBox::Pcarga, 5.5, 9.0, 4 };
        const QString path = Path(QStringLiteral("familia.tarvilo"));
        Write(path, CaseFileText(document));
        MainWindow window(SpanishLocale());
        QVERIFY(window.caseCommands()->openCase(path));
        FamilyWindow *family = window.familyWindow();
        QVERIFY(family);
        QCOMPARE(family->choice().quantity, InputBox::Pcarga);
        QCOMPARE(family->choice().first, QStringLiteral("5,5"));
        QCOMPARE(family->choice().last, QStringLiteral("9"));
        QCOMPARE(family->table()->rowCount(), 4);
        QCOMPARE(family->family().front().inputs.X, 0.05); // drawn on the opened boxes
    }

    // The sizing opens on the case's settings and searches; saved again it
    // is the same.
    void opensAndSavesTheSizingOfTheCase()
    {
        CaseDocument document = OtherCase();
        document.sizing = CaseSizing{ GoalTarget::MargenQ2, 2.5, GoalInput::B };
        const QString path = Path(QStringLiteral("dimensionado.tarvilo"));
        Write(path, CaseFileText(document));
        MainWindow window(SpanishLocale());
        QVERIFY(window.caseCommands()->openCase(path));
        MarginsWindow *margins = window.marginsWindow();
        QVERIFY(margins);
        QCOMPARE(margins->sizing().goal, QStringLiteral("2,5"));
        QCOMPARE(margins->sizing().input, GoalInput::B);
        QCOMPARE(margins->findChild<QLabel *>(QStringLiteral("lblDimensionadoMargenQ2"))->text(),
                 QStringLiteral("2,5"));
        QVERIFY(window.caseCommands()->saveCase(path));
        const CaseReading reading = ReadCaseFile(path);
        QVERIFY(reading.document && reading.document->sizing);
        QVERIFY(SameCase(*reading.document, document));
        QCOMPARE(std::get<double>(reading.document->sizing->goal), 2.5);
    }

    // As many kept cases as the program keeps: all of them open, none dropped.
    void opensACaseWithEightKeptCases()
    {
        CaseDocument document = OtherCase();
        document.keepCases = true;
        for (int pcarga = 1; pcarga <= 8; ++pcarga)
            document.kept.push_back({ 0.05, 3.33, 1.0, double(pcarga), 0.5, 0.0, false });
        const QString path = Path(QStringLiteral("ocho.tarvilo"));
        Write(path, CaseFileText(document));
        MainWindow window(PointLocale());
        QVERIFY(window.caseCommands()->openCase(path));
        const std::vector<KeptCurves> &kept = window.chartView()->qvChart()->keptCases();
        QCOMPARE(kept.size(), size_t(8));
        QCOMPARE(kept.front().name, QStringLiteral("Pcarga = 1"));
        QCOMPARE(kept.back().name, QStringLiteral("Pcarga = 8"));
    }

    // Every bad file is told with its full path and what is wrong, and
    // leaves the boxes, results, "salida.txt", kept cases, caption and recent
    // list as they were.
    void badFileChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("problem");
        const QByteArray good = CaseFileText(OtherCase());
        QByteArray nineKept = good;
        nineKept.replace(
                "\"casosConservados\": []",
                "\"casosConservados\": ["
                        + QByteArrayList(
                                  9,
                                  "{\"X\": 0.03, \"B\": 3.33, \"Uinf\": 1, \"Pcarga\": 1, \"Qcarga\": 0, \"Qcap\": 0}")
                                  .join(",")
                        + "]");
        QByteArray noCurves = good;
        noCurves.replace("\"casosConservados\": []",
                         "\"casosConservados\": [{\"X\": 0, \"B\": 3.33, \"Uinf\": 1, \"Pcarga\": 1, \"Qcarga\": 0, "
                         "\"Qcap\": 0}]");
        QTest::newRow("not JSON") << "texto.tarvilo" << QByteArray("X = 0,03\nB = 3,33\n")
                                  << "no es un caso de Tarvilo";
        QTest::newRow("cut short") << "corto.tarvilo" << good.left(good.size() / 2) << "el archivo está incompleto";
        QTest::newRow("other format") << "otro.tarvilo" << QByteArray("{\"formato\": \"hoja\", \"version\": 1}")
                                      << "no es un caso de Tarvilo";
        QTest::newRow("newer version") << "nuevo.tarvilo"
                                       << QByteArray(good).replace("\"version\": 1", "\"version\": 2")
                                       << "versión 2 no admitida";
        QTest::newRow("wrong type") << "tipo.tarvilo" << QByteArray(good).replace("\"Qcap\": 0", "\"Qcap\": [0]")
                                    << "el valor de Qcap no es un número";
        QTest::newRow("repeated key") << "repetida.tarvilo"
                                      << QByteArray(good).replace("\"Qcap\": 0}", "\"Qcap\": 0, \"Qcap\": 1}")
                                      << "la clave «Qcap» aparece dos veces en las entradas";
        QTest::newRow("not finite") << "infinito.tarvilo" << QByteArray(good).replace("\"X\": 0.05", "\"X\": 1e999")
                                    << "el valor de X no es un número finito representable";
        QTest::newRow("nine kept cases") << "nueve.tarvilo" << nineKept
                                         << "guarda 9 casos conservados y el programa conserva 8 como mucho";
        QTest::newRow("kept case without curves")
                << "sincurvas.tarvilo" << noCurves << "el caso conservado 1 no tiene curvas que dibujar";
        QTest::newRow("larger than 1 MiB") << "grande.tarvilo" << good + QByteArray(kMaxCaseFileSize, ' ')
                                           << "el archivo es demasiado grande para ser un caso (más de 1 MiB)";
        QTest::newRow("folder") << "carpeta.tarvilo" << QByteArray() << "es una carpeta, no un archivo";
        QTest::newRow("missing") << "falta.tarvilo" << QByteArray() << "el archivo no existe";
    }
    void badFileChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, problem);
        const QString path = Path(name);
        if (name == QLatin1String("carpeta.tarvilo")) {
            QDir::current().mkpath(name);
        } else if (!content.isEmpty()) {
            Write(path, content);
        }
        ClearRecent();
        MainWindow window(SpanishLocale());
        Trigger(window, "mnuConservarCurvas");
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("0,25"));
        Calculate(window);
        window.inputBox(InputBox::X)->setText(QStringLiteral("Error"));
        const QString before = Path(QStringLiteral("antes.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(before));
        window.inputBox(InputBox::B)->setText(QStringLiteral("3,5")); // a change not saved
        const QStringList boxes = BoxTexts(window);
        const QStringList labels = LabelTexts(window);
        const QByteArray curveFile = FileBytes(QStringLiteral("salida.txt"));
        const QStringList recent = CaseCommands::recentCases();
        const QString caption = window.windowTitle();

        m_watchdog->expect(1);
        QVERIFY(!window.caseCommands()->openCase(path));
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QCOMPARE(m_watchdog->seen().front().text,
                 QStringLiteral("No se pudo abrir el caso %1: %2.").arg(path, problem));
        QCOMPARE(m_watchdog->seen().front().icon, QMessageBox::Warning);
        QCOMPARE(BoxTexts(window), boxes);
        QCOMPARE(LabelTexts(window), labels);
        QCOMPARE(FileBytes(QStringLiteral("salida.txt")), curveFile);
        QCOMPARE(CaseCommands::recentCases(), recent);
        QCOMPARE(window.windowTitle(), caption);
        QVERIFY(window.isWindowModified());
        QCOMPARE(window.caseCommands()->casePath(), before);
        // The kept cases too: the case saved now is the one saved before but for B.
        window.inputBox(InputBox::B)->setText(QStringLiteral("3,33"));
        const QString after = Path(QStringLiteral("despues.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(after));
        QCOMPARE(FileBytes(after), FileBytes(before));
        QVERIFY(FileBytes(before).contains("\"X\": \"Error\""));
        QVERIFY(FileBytes(before).contains(
                "\"casosConservados\": [\n    {\"X\": 0.03, \"B\": 3.33")); // the case shown at start
    }

    // The list of recent cases outlives the window: a second start finds it,
    // eight at most, the newest first; a case gone since is taken off it.
    void recentCasesOutliveTheWindow()
    {
        ClearRecent();
        {
            MainWindow first(PointLocale());
            for (int i = 1; i <= 9; ++i)
                QVERIFY(first.caseCommands()->saveCase(Path(QStringLiteral("reciente%1.tarvilo").arg(i))));
            QVERIFY(first.caseCommands()->saveCase(Path(QStringLiteral("reciente5.tarvilo")))); // again: moves up
        }
        MainWindow second(PointLocale());
        emit second.findChild<QMenu *>(QStringLiteral("mnuArchivo"))->aboutToShow();
        auto *recentMenu = second.findChild<QMenu *>(QStringLiteral("mnuCasosRecientes"));
        QStringList shown;
        for (QAction *action : recentMenu->actions())
            shown << action->data().toString();
        QStringList expected;
        for (int i : { 5, 9, 8, 7, 6, 4, 3, 2 })
            expected << Path(QStringLiteral("reciente%1.tarvilo").arg(i));
        QCOMPARE(shown, expected);
        QCOMPARE(CaseCommands::recentCases(), expected);
        QCOMPARE(recentMenu->actions().front()->text(), QStringLiteral("&1 ") + expected.front());

        // Opening one from the list.
        recentMenu->actions().at(2)->trigger();
        QCOMPARE(second.windowTitle(), QStringLiteral("reciente8.tarvilo[*] - Tarvilo"));
        QCOMPARE(CaseCommands::recentCases().front(), Path(QStringLiteral("reciente8.tarvilo")));

        // One removed meanwhile.
        QFile::remove(Path(QStringLiteral("reciente9.tarvilo")));
        emit second.findChild<QMenu *>(QStringLiteral("mnuArchivo"))->aboutToShow();
        m_watchdog->expect(1);
        for (QAction *action : recentMenu->actions()) {
            if (action->data().toString().endsWith(QLatin1String("reciente9.tarvilo")))
                action->trigger();
        }
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QCOMPARE(m_watchdog->seen().front().text,
                 QStringLiteral("El caso %1 ya no existe: se quita de la lista de casos recientes.")
                         .arg(Path(QStringLiteral("reciente9.tarvilo"))));
        QVERIFY(!CaseCommands::recentCases().contains(Path(QStringLiteral("reciente9.tarvilo"))));
        QCOMPARE(CaseCommands::recentCases().size(), 7);
        QCOMPARE(second.windowTitle(), QStringLiteral("reciente8.tarvilo[*] - Tarvilo"));
    }

    // A case that cannot be written is told; the file open stays the one
    // it was, and the list of recent cases does not take the new name.
    void failedSaveChangesNothing()
    {
        ClearRecent();
        MainWindow window(PointLocale());
        const QString path = Path(QStringLiteral("guardado.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(path));
        const QString blocked = Path(QStringLiteral("ocupado.tarvilo"));
        QDir::current().mkpath(QStringLiteral("ocupado.tarvilo")); // a folder stands where the file would go
        window.inputBox(InputBox::X)->setText(QStringLiteral("0.04"));
        m_watchdog->expect(1);
        QVERIFY(!window.caseCommands()->saveCase(blocked));
        QVERIFY(m_watchdog->seen().front().text.startsWith(
                QStringLiteral("No se pudo guardar el archivo %1: ").arg(blocked)));
        QCOMPARE(window.caseCommands()->casePath(), path);
        QCOMPARE(window.windowTitle(), QStringLiteral("guardado.tarvilo[*] - Tarvilo"));
        QVERIFY(window.isWindowModified());
        QCOMPARE(CaseCommands::recentCases(), QStringList{ path });
    }

    // "Tarvilo" until a case is saved or opened, then its name with the
    // modified mark while the window differs from the file.
    void captionNamesTheCaseAndMarksChanges()
    {
        MainWindow window(PointLocale());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvilo"));
        window.inputBox(InputBox::X)->setText(QStringLiteral("0.04"));
        QVERIFY(!window.isWindowModified());
        const QString path = Path(QStringLiteral("marca.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(path));
        QCOMPARE(window.windowTitle(), QStringLiteral("marca.tarvilo[*] - Tarvilo"));
        QCOMPARE(window.windowFilePath(), path);
        QVERIFY(!window.isWindowModified());

        window.inputBox(InputBox::X)->setText(QStringLiteral("0.05"));
        QVERIFY(window.isWindowModified());
        window.inputBox(InputBox::X)->setText(QStringLiteral("0.0400")); // the same value as saved
        QVERIFY(!window.isWindowModified());
        Trigger(window, "mnuConservarCurvas");
        QVERIFY(window.isWindowModified());
        Trigger(window, "mnuConservarCurvas");
        QVERIFY(!window.isWindowModified());
        Trigger(window, "mnuConservarCurvas");
        window.inputBox(InputBox::X)->setText(QStringLiteral("0.05"));
        Calculate(window); // keeps the case shown at start: also a change
        window.inputBox(InputBox::X)->setText(QStringLiteral("0.04"));
        QVERIFY(window.isWindowModified());

        Trigger(window, "mnuGuardarCaso"); // to the same file, no dialog
        QVERIFY(!window.isWindowModified());
        QVERIFY(FileBytes(path).contains("\"conservarCurvas\": true"));
        QVERIFY(FileBytes(path).contains("\"casosConservados\": [\n    {\"X\": 0.03, \"B\": 3.33"));
        Trigger(window, "mnuBorrarCurvas"); // the kept cases gone: a change
        QVERIFY(window.isWindowModified());
    }

    // The mark also follows the family, the sizing and the physical data of
    // a case saved with them, as their boxes change.
    void captionMarksChangesInTheCompanionWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("windowName");
        QTest::addColumn<QString>("boxName");
        QTest::newRow("family") << "mnuFamilia"
                                << "frmFamilia"
                                << "txtUltimo";
        QTest::newRow("sizing") << "mnuMargenes"
                                << "frmMargenes"
                                << "txtObjetivo";
        QTest::newRow("physical data") << "mnuUnidades"
                                       << "frmUnidades"
                                       << "txtLongitud";
    }
    void captionMarksChangesInTheCompanionWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, windowName);
        QFETCH(QString, boxName);
        MainWindow window(PointLocale());
        Trigger(window, command.toLatin1().constData());
        QVERIFY(window.caseCommands()->saveCase(Path(QStringLiteral("ventanas.tarvilo"))));
        QVERIFY(!window.isWindowModified());

        auto *companion = window.findChild<QWidget *>(windowName);
        QVERIFY(companion);
        auto *box = companion->findChild<QLineEdit *>(boxName);
        QVERIFY(box);
        const QString saved = box->text();
        box->setText(saved + QStringLiteral("5"));
        QVERIFY(window.isWindowModified());
        box->setText(saved);
        QVERIFY(!window.isWindowModified());
    }

    // A case saved without the family, the sizing or the physical data
    // differs once their window holds them (closing the program would ask,
    // not drop them), and one saved with them once their window is closed.
    void aCaseGainingACompanionWindowsWorkIsChanged()
    {
        QFETCH(QString, command);
        MainWindow window(PointLocale());
        QVERIFY(window.caseCommands()->saveCase(Path(QStringLiteral("sin-ventanas.tarvilo"))));
        Trigger(window, command.toLatin1().constData());
        QVERIFY(window.isWindowModified());
        Trigger(window, "mnuGuardarCaso");
        QVERIFY(!window.isWindowModified());
        // Closed, the family and the sizing are no longer in the case; the
        // physical data stay with their dialog.
        QFETCH(QString, windowName);
        window.findChild<QWidget *>(windowName)->close();
        const bool kept = command == QLatin1String("mnuUnidades");
        QTRY_COMPARE(window.isWindowModified(), !kept);
    }
    void aCaseGainingACompanionWindowsWorkIsChanged_data() { captionMarksChangesInTheCompanionWindows_data(); }

    // A window left open from before holds work that a case opened without
    // it lacks: a change at once, so that closing asks rather than drops it.
    void aCaseOpenedBesideACompanionWindowsWorkIsChanged()
    {
        QFETCH(QString, command);
        MainWindow window(PointLocale());
        const QString path = Path(QStringLiteral("sin-ventanas.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(path));
        Trigger(window, command.toLatin1().constData());
        QVERIFY(window.caseCommands()->openCase(path));
        QVERIFY(window.isWindowModified());
        Trigger(window, "mnuGuardarCaso");
        QVERIFY(!window.isWindowModified());
    }
    void aCaseOpenedBesideACompanionWindowsWorkIsChanged_data() { captionMarksChangesInTheCompanionWindows_data(); }

    // Turning "Conservar curvas anteriores" off keeps no more cases and hides
    // those kept, without a question; they come back when it is turned on
    // again and are in every case saved. Only "Borrar curvas anteriores"
    // discards them.
    void untickingHidesTheKeptCasesWithoutLosingThem_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<double>>("kept"); // the Qcap of each kept case at the end
        QTest::addColumn<bool>("keeping");
        QTest::newRow("off, on") << "off on" << QList<double>{ 0, 0.25 } << true;
        QTest::newRow("off") << "off" << QList<double>{ 0, 0.25 } << false;
        QTest::newRow("off, run, on") << "off run on" << QList<double>{ 0, 0.25 } << true;
        QTest::newRow("off, run, on, run") << "off run on run" << QList<double>{ 0, 0.25, 0.75 } << true;
        QTest::newRow("off, on, off, on") << "off on off on" << QList<double>{ 0, 0.25 } << true;
        QTest::newRow("off, clear, on") << "off clear on" << QList<double>{} << true;
        QTest::newRow("clear") << "clear" << QList<double>{} << true;
    }
    void untickingHidesTheKeptCasesWithoutLosingThem()
    {
        QFETCH(QString, steps);
        QFETCH(QList<double>, kept);
        QFETCH(bool, keeping);
        const auto shownQcaps = [](const QvChart *chart, const MainWindow &window) {
            QList<double> qcaps;
            for (const KeptCurves &curves : chart->keptCases()) {
                // Named by what sets it apart from the case shown.
                const QString name = curves.name;
                qcaps << (name == QLatin1String("mismo caso") ? window.inputBox(InputBox::Qcap)->text().toDouble()
                                                              : name.section(QStringLiteral(" = "), 1).toDouble());
            }
            return qcaps;
        };
        MainWindow window(PointLocale());
        Trigger(window, "mnuGraficoAmpliado");
        Trigger(window, "mnuConservarCurvas");
        double qcap = 0;
        const auto run = [&] {
            qcap += 0.25;
            window.inputBox(InputBox::Qcap)->setText(QString::number(qcap));
            Calculate(window);
        };
        run(); // keeps the case shown at start, Qcap 0
        run(); // keeps Qcap 0.25
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            if (step == QLatin1String("run"))
                run();
            else if (step == QLatin1String("clear"))
                Trigger(window, "mnuBorrarCurvas");
            else
                Trigger(window, "mnuConservarCurvas");
        }
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("mnuConservarCurvas"))->isChecked(), keeping);
        const QList<double> shown = keeping ? kept : QList<double>();
        QCOMPARE(shownQcaps(window.chartView()->qvChart(), window), shown);
        QCOMPARE(shownQcaps(window.largeChart()->view()->qvChart(), window), shown);

        const QString path = Path(QStringLiteral("conservados.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(path));
        const CaseReading reading = ReadCaseFile(path);
        QVERIFY(reading.document);
        QCOMPARE(reading.document->keepCases, keeping);
        QList<double> saved;
        for (const QvInputs &inputs : reading.document->kept)
            saved << inputs.Qcap;
        QCOMPARE(saved, kept);

        // Opened again, hidden or shown as they were; turned on, there.
        MainWindow opened(PointLocale());
        QVERIFY(opened.caseCommands()->openCase(path));
        QCOMPARE(shownQcaps(opened.chartView()->qvChart(), opened), shown);
        if (!keeping) {
            Trigger(opened, "mnuConservarCurvas");
            QCOMPARE(shownQcaps(opened.chartView()->qvChart(), opened), kept);
        }
        QVERIFY(m_watchdog->seen().empty()); // never a question
    }

    // "Salir", or closing the window, with changes not saved asks; each
    // answer does what it says.
    void asksBeforeLosingChanges_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("byFrame");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Guardar") << "Guardar" << false << true << true;
        QTest::newRow("No guardar") << "No guardar" << false << true << false;
        QTest::newRow("Cancelar") << "Cancelar" << false << false << false;
        QTest::newRow("frame, Cancelar") << "Cancelar" << true << false << false;
        QTest::newRow("frame, Guardar") << "Guardar" << true << true << true;
    }
    void asksBeforeLosingChanges()
    {
        QFETCH(QString, answer);
        QFETCH(bool, byFrame);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        MainWindow window(PointLocale());
        window.show();
        const QString path = Path(QStringLiteral("pregunta.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(path));
        window.inputBox(InputBox::Pcarga)->setText(QStringLiteral("8.5"));
        m_watchdog->expect(1);
        m_watchdog->press = answer;
        if (byFrame) {
            window.close();
        } else {
            Trigger(window, "mnuSalir");
        }
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        const ModalWatchdog::Seen &question = m_watchdog->seen().front();
        QCOMPARE(question.text, QStringLiteral("¿Guardar los cambios de pregunta.tarvilo?"));
        QCOMPARE(question.title, QStringLiteral("tarvilo"));
        QCOMPARE(question.buttonCount, 3);
        QCOMPARE(window.isVisible(), !closes);
        QCOMPARE(FileBytes(path).contains("\"Pcarga\": 8.5"), saved);
        QCOMPARE(window.isWindowModified(), !saved);
    }

    // "Guardar caso" over a file that another program has changed since it
    // was opened or saved asks first, and each answer does what it says. A
    // file rewritten with the same bytes, or removed, loses nothing: no
    // question.
    void asksBeforeWritingOverAFileChangedOnDisk_data()
    {
        QTest::addColumn<QString>("change"); // what the other program does to the file
        QTest::addColumn<bool>("opened"); // the file was opened, not saved, before
        QTest::addColumn<bool>("byClosing"); // "Salir", then "Guardar"
        QTest::addColumn<QString>("answer"); // empty: no question
        QTest::addColumn<QString>("saveAs"); // the name given to "Guardar como..."; empty: cancelled
        QTest::newRow("rewritten, Sobrescribir") << "other" << false << false << "Sobrescribir"
                                                 << "";
        QTest::newRow("opened, rewritten, Sobrescribir") << "other" << true << false << "Sobrescribir"
                                                         << "";
        QTest::newRow("same size, Cancelar") << "same size" << false << false << "Cancelar"
                                             << "";
        QTest::newRow("opened, same size, Cancelar") << "same size" << true << false << "Cancelar"
                                                     << "";
        QTest::newRow("rewritten, Guardar como...") << "other" << false << false << "Guardar como..."
                                                    << "copia.tarvilo";
        QTest::newRow("rewritten, Guardar como..., cancelled") << "other" << false << false << "Guardar como..."
                                                               << "";
        QTest::newRow("grown, Cancelar") << "grown" << false << false << "Cancelar"
                                         << "";
        QTest::newRow("a folder now, Cancelar") << "folder" << false << false << "Cancelar"
                                                << "";
        QTest::newRow("the same bytes") << "same bytes" << false << false << ""
                                        << "";
        QTest::newRow("opened, the same bytes") << "same bytes" << true << false << ""
                                                << "";
        QTest::newRow("removed") << "removed" << false << false << ""
                                 << "";
        QTest::newRow("closing, rewritten, Cancelar") << "other" << false << true << "Cancelar"
                                                      << "";
        QTest::newRow("closing, rewritten, Sobrescribir") << "other" << false << true << "Sobrescribir"
                                                          << "";
    }
    void asksBeforeWritingOverAFileChangedOnDisk()
    {
        QFETCH(QString, change);
        QFETCH(bool, opened);
        QFETCH(bool, byClosing);
        QFETCH(QString, answer);
        QFETCH(QString, saveAs);
        // A file of each row's own: one row leaves a folder in its place.
        const QString path = Path(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".tarvilo"));
        MainWindow window(PointLocale());
        window.show();
        if (opened) {
            Write(path, CaseFileText(OtherCase()));
            QVERIFY(window.caseCommands()->openCase(path));
        } else {
            QVERIFY(window.caseCommands()->saveCase(path));
        }
        window.inputBox(InputBox::Pcarga)->setText(QStringLiteral("8.5")); // a change of the window's own

        // Another program writes the file meanwhile.
        const QByteArray before = FileBytes(path);
        QByteArray theirs = before;
        if (change == QLatin1String("other")) {
            theirs = CaseFileText(CaseDocument{ { 0.07, 3.33, 1.0, 4.0, 0.5, 0.0 }, false, {}, {}, {}, {} });
        } else if (change == QLatin1String("same size")) {
            theirs.replace("\"B\": 3.33", "\"B\": 3.34");
        } else if (change == QLatin1String("grown")) {
            theirs += ' ';
        }
        QVERIFY(change == QLatin1String("same bytes") || change == QLatin1String("removed")
                || change == QLatin1String("folder") || (theirs != before && theirs.size() > 0));
        if (change == QLatin1String("removed") || change == QLatin1String("folder")) {
            QVERIFY(QFile::remove(path));
            if (change == QLatin1String("folder"))
                QVERIFY(QDir::current().mkdir(path));
            theirs.clear();
        } else {
            Write(path, theirs);
        }

        const QString copy = saveAs.isEmpty() ? QString() : Path(saveAs);
        const bool asked = !answer.isEmpty();
        m_watchdog->expect((asked ? 1 : 0) + (byClosing ? 1 : 0));
        m_watchdog->fileToChoose = copy;
        m_watchdog->onOpen = [&](const ModalWatchdog::Seen &seen) {
            m_watchdog->press =
                    seen.text.startsWith(QStringLiteral("¿Guardar los cambios")) ? QStringLiteral("Guardar") : answer;
        };
        if (byClosing)
            Trigger(window, "mnuSalir");
        else
            Trigger(window, "mnuGuardarCaso");
        m_watchdog->onOpen = nullptr;
        m_watchdog->fileToChoose.reset();

        QCOMPARE(int(m_watchdog->seen().size()), (asked ? 1 : 0) + (byClosing ? 1 : 0));
        if (asked) {
            const ModalWatchdog::Seen &question = m_watchdog->seen().back();
            QCOMPARE(question.text,
                     QStringLiteral("Otro programa ha cambiado el archivo %1 desde que se abrió o se "
                                    "guardó por última vez. ¿Sobrescribirlo con el caso de esta "
                                    "ventana?")
                             .arg(path));
            QCOMPARE(question.title, QStringLiteral("tarvilo"));
            QCOMPARE(question.icon, QMessageBox::Warning);
            QCOMPARE(question.buttonCount, 3);
        }
        const bool overwritten = !asked || answer == QLatin1String("Sobrescribir");
        const bool savedElsewhere = !copy.isEmpty();
        if (overwritten) {
            QVERIFY(FileBytes(path).contains("\"Pcarga\": 8.5"));
            QCOMPARE(window.caseCommands()->casePath(), path);
        } else if (change == QLatin1String("folder")) {
            QVERIFY(QFileInfo(path).isDir());
        } else {
            QCOMPARE(FileBytes(path), theirs); // what the other program wrote stays
        }
        if (savedElsewhere) {
            QVERIFY(FileBytes(copy).contains("\"Pcarga\": 8.5"));
            QCOMPARE(window.caseCommands()->casePath(), copy);
        } else if (!overwritten) {
            QCOMPARE(window.caseCommands()->casePath(), path);
        }
        QCOMPARE(window.isWindowModified(), !overwritten && !savedElsewhere);
        QCOMPARE(window.isVisible(), !byClosing || !overwritten);

        // Saved once more: asked again only while the file is still another's.
        if (window.isVisible()) {
            m_watchdog->clear();
            const bool again = !overwritten && !savedElsewhere;
            m_watchdog->expect(again ? 1 : 0);
            m_watchdog->press = QStringLiteral("Cancelar");
            Trigger(window, "mnuGuardarCaso");
            QCOMPARE(int(m_watchdog->seen().size()), again ? 1 : 0);
        }
    }

    // Opening another case with changes not saved asks too; "Cancelar"
    // keeps the window as it is.
    void asksBeforeOpeningAnotherCase()
    {
        ClearRecent();
        const QString other = Path(QStringLiteral("otro.tarvilo"));
        Write(other, CaseFileText(OtherCase()));
        MainWindow window(PointLocale());
        QVERIFY(window.caseCommands()->openCase(other));
        const QString path = Path(QStringLiteral("abierto.tarvilo"));
        QVERIFY(window.caseCommands()->saveCase(path));
        window.inputBox(InputBox::Pcarga)->setText(QStringLiteral("8.5"));
        emit window.findChild<QMenu *>(QStringLiteral("mnuArchivo"))->aboutToShow();
        QAction *recentOther = window.findChild<QMenu *>(QStringLiteral("mnuCasosRecientes"))->actions().at(1);
        QCOMPARE(recentOther->data().toString(), other);

        m_watchdog->expect(1);
        m_watchdog->press = QStringLiteral("Cancelar");
        recentOther->trigger();
        QCOMPARE(m_watchdog->seen().back().text, QStringLiteral("¿Guardar los cambios de abierto.tarvilo?"));
        QCOMPARE(window.caseCommands()->casePath(), path);
        QCOMPARE(window.inputBox(InputBox::Pcarga)->text(), QStringLiteral("8.5"));

        m_watchdog->expect(1);
        m_watchdog->press = QStringLiteral("No guardar");
        recentOther->trigger();
        QCOMPARE(window.caseCommands()->casePath(), other);
        QCOMPARE(window.inputBox(InputBox::Pcarga)->text(), QStringLiteral("7"));
        QVERIFY(!FileBytes(path).contains("8.5"));
    }

    // No case open, or no change: "Salir" closes at once, as always.
    void closesWithoutAskingWhenNothingIsLost()
    {
        for (const bool withCase : { false, true }) {
            MainWindow window(PointLocale());
            window.show();
            window.inputBox(InputBox::Pcarga)->setText(QStringLiteral("8.5"));
            if (withCase)
                QVERIFY(window.caseCommands()->saveCase(Path(QStringLiteral("sinpregunta.tarvilo"))));
            Trigger(window, "mnuSalir");
            QVERIFY(!window.isVisible());
            QVERIFY(m_watchdog->seen().empty());
        }
    }

    // Given at start, a case replaces the default set: the start-up run is
    // that of its values.
    void startsOnTheCaseGiven()
    {
        const QString path = Path(QStringLiteral("inicio.tarvilo"));
        Write(path, CaseFileText(OtherCase()));
        QFile::remove(QStringLiteral("salida.txt"));
        MainWindow window(SpanishLocale(), path);
        QCOMPARE(BoxTexts(window), (QStringList{ "0,05", "3,33", "1", "7", "0,5", "0" }));
        QCOMPARE(window.windowTitle(), QStringLiteral("inicio.tarvilo[*] - Tarvilo"));
        const QStringList labels = LabelTexts(window);
        const QStringList curveFile = CurveFileLines();
        MainWindow typed(SpanishLocale());
        SetInputs(typed, { "0,05", "3,33", "1", "7", "0,5", "0" });
        Calculate(typed);
        QCOMPARE(labels, LabelTexts(typed));
        QCOMPARE(curveFile, CurveFileLines());
        QVERIFY(labels != LabelTexts(MainWindow(SpanishLocale())));
    }

    void startsOnTheDefaultsWhenTheCaseCannotBeOpened()
    {
        const QString path = Path(QStringLiteral("no-existe.tarvilo"));
        m_watchdog->expect(1);
        MainWindow window(PointLocale(), path);
        // Told over the window once it is up, not before it is shown.
        QVERIFY(m_watchdog->seen().empty());
        window.show();
        QTRY_COMPARE(m_watchdog->seen().size(), size_t(1));
        QCOMPARE(m_watchdog->seen().front().text,
                 QStringLiteral("No se pudo abrir el caso %1: el archivo no existe.").arg(path));
        QCOMPARE(BoxTexts(window), (QStringList{ "0.03", "3.33", "1.00", "10.48", "0.00", "0.00" }));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvilo"));
    }

    // The commands stand in "Archivo" before the export commands.
    void commandsComeFirstInArchivo()
    {
        MainWindow window(PointLocale());
        QStringList names;
        for (QAction *action : window.findChild<QMenu *>(QStringLiteral("mnuArchivo"))->actions())
            names << action->objectName();
        QCOMPARE(names.mid(0, 5),
                 (QStringList{ "mnuAbrirCaso", "mnuGuardarCaso", "mnuGuardarCasoComo", "mnuCasosRecientes", "" }));
        QCOMPARE(names.at(5), QStringLiteral("mnuGuardarGrafico"));
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("mnuAbrirCaso"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("mnuGuardarCaso"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("mnuGuardarCasoComo"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    }
};

QTEST_MAIN(CaseFileWindowTest)
#include "case_file_window_test.moc"
