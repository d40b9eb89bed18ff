// The main window's behaviour: start-up, the input check, the buttons, the
// no-solution message, faults and the menu, under "." and "," settings.
#include "core/run_host.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "ui/chart/qv_chart_view.h"
#include "ui/main/default_case.h"
#include "ui/chart/large_chart_view.h"
#include "ui/common/form_font.h"
#include "ui/common/stepping_line_edit.h"
#include "ui/family/family_window.h"
#include "ui/large_chart/large_chart_window.h"
#include "tests/support/window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QGraphicsSimpleTextItem>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

class MainWindowTest : public WidgetTestFixture
{
    Q_OBJECT

private:
    static QString Sep(const QLocale &locale) { return locale.decimalPoint(); }
    // A text of the default case's spelling under the given settings.
    static QString Local(const QLocale &locale, const char *pointText)
    {
        return QString::fromLatin1(pointText).replace(QLatin1Char('.'), Sep(locale));
    }
    static void Click(MainWindow &window, const char *button)
    {
        QTest::mouseClick(window.findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    // The notes the main chart shows over its plot.
    static QString ChartTexts(const MainWindow &window)
    {
        QStringList texts;
        for (QGraphicsItem *item : window.chartView()->qvChart()->childItems()) {
            if (auto *text = dynamic_cast<QGraphicsSimpleTextItem *>(item); text && text->isVisible())
                texts << text->text();
        }
        return texts.join(QLatin1Char('\n'));
    }

    static void AddLocales()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << PointLocale();
        QTest::newRow("comma") << CommaLocale();
    }

private slots:
    void init()
    {
        WidgetTestFixture::init();
        QFile::remove(QStringLiteral("salida.txt"));
    }

    void startsOnTheDefaultCaseCalculated_data() { AddLocales(); }
    void startsOnTheDefaultCaseCalculated()
    {
        QFETCH(QLocale, locale);
        MainWindow window(locale);
        QCOMPARE(BoxTexts(window),
                 (QStringList{ Local(locale, "0.03"), Local(locale, "3.33"), Local(locale, "1.00"),
                               Local(locale, "10.48"), Local(locale, "0.00"), Local(locale, "0.00") }));
        QCOMPARE(LabelTexts(window),
                 (QStringList{ Local(locale, "5.6193"), Local(locale, ".3144"), Local(locale, ".9991"),
                               Local(locale, "-1.662"), Local(locale, ".3312"), Local(locale, "-.1827") }));
        QVERIFY(m_watchdog->seen().empty());
        const QStringList lines = CurveFileLines();
        QCOMPARE(lines.size(), 303);
        QCOMPARE(lines.at(3), Local(locale, "5.03842; 0.59063; 5.03842; 0.59063; -3.74625; 1.50000"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tarvilo"));
        QVERIFY(!window.windowIcon().isNull());
        // The icon is drawn at whatever size is asked for: a white card on a
        // clear ground.
        for (int side : { 16, 48, 48, 128 }) {
            const QImage icon = window.windowIcon().pixmap(side, side).toImage();
            QCOMPARE(icon.size(), QSize(side, side));
            QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
            QCOMPARE(icon.pixelColor(side / 2, side / 5), QColor(Qt::white));
        }
    }

    // The form is built under its own font, and the program's dialogs and
    // message boxes keep the system's after, and follow the desktop's
    // changes.
    void theApplicationKeepsTheSystemFont()
    {
        const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        QCOMPARE(QApplication::font(), system);
        QVERIFY(system != FormFont());
        // As a desktop gives message boxes a font of their own.
        QFont messageFont = system;
        messageFont.setPointSize(system.pointSize() + 3);
        QApplication::setFont(messageFont, "QMessageBox");
        MainWindow window(PointLocale());
        QCOMPARE(QApplication::font(), system);
        QCOMPARE(QApplication::font("QMessageBox"), messageFont);
        QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("txtX"))->font(), FormFont());
        QGuiApplication::setFont(FormFont()); // a font the desktop has since changed
        QEvent themeChange(QEvent::ThemeChange);
        QApplication::sendEvent(&window, &themeChange);
        QCOMPARE(QApplication::font(), system);
        QApplication::setFont(system, "QMessageBox");
    }

    void aFirstSetWithoutSolutionIsFollowedByTheSecond()
    {
        // The default case a hundred times too large finds no operating point.
        const StartUpSets sets{ { "3", "333", "100", "1048", "0", "0" }, DefaultCaseSpelt(QStringLiteral(".")) };
        m_watchdog->expect();
        MainWindow window(PointLocale(), sets);
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QCOMPARE(m_watchdog->seen().front().text, QStringLiteral("No existe punto solucion"));
        QCOMPARE(BoxTexts(window), QStringList(sets.second.begin(), sets.second.end()));
        QCOMPARE(LabelTexts(window).at(2), QStringLiteral(".9991"));
    }

    void arabicSettingsOpenOnTheDefaultCase()
    {
        // Neither "." nor "," is the decimal separator there: the default
        // texts are spelt with the regional one.
        const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
        const QString sep = arabic.decimalPoint();
        MainWindow window(arabic);
        QCOMPARE(BoxTexts(window).at(0), "0" + sep + "03");
        QCOMPARE(LabelTexts(window),
                 (QStringList{ Local(arabic, "5.6193"), Local(arabic, ".3144"), Local(arabic, ".9991"),
                               Local(arabic, "-1.662"), Local(arabic, ".3312"), Local(arabic, "-.1827") }));
        QVERIFY(m_watchdog->seen().empty());
        QCOMPARE(CurveFileLines().size(), 303);
    }

    // Digits of the locale's own script, as its keyboard types them, are
    // read as the digits they are: in the boxes, by the run, by a step and
    // by the family's range.
    void digitsOfTheRegionalScriptAreRead_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("zero"); // the script's digit 0
        QTest::newRow("ar_EG, Arabic-Indic") << QLocale(QLocale::Arabic, QLocale::Egypt) << QStringLiteral("\u0660");
        QTest::newRow("fa_IR, Persian") << QLocale(QLocale::Persian, QLocale::Iran) << QStringLiteral("\u06F0");
    }
    void digitsOfTheRegionalScriptAreRead()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, zero);
        const auto native = [&](QString ascii) {
            for (QChar &c : ascii) {
                if (c.isDigit())
                    c = QChar(zero.at(0).unicode() + (c.unicode() - u'0'));
            }
            return ascii.replace(QLatin1Char('.'), Sep(locale));
        };
        MainWindow window(locale);
        const QStringList ascii = LabelTexts(window);
        const QStringList typed{ native("0.03"),  native("3.33"), native("1.00"),
                                 native("10.48"), native("0.00"), native("0.00") };
        SetInputs(window, typed);
        QCOMPARE(BoxTexts(window), typed);
        Click(window, "cmdCalcular");
        QCOMPARE(LabelTexts(window), ascii);
        QVERIFY(m_watchdog->seen().empty());
        // A step keeps the script it was typed in.
        auto *pcarga = static_cast<SteppingLineEdit *>(window.inputBox(InputBox::Pcarga));
        pcarga->setCursorPosition(static_cast<int>(pcarga->text().size()));
        QVERIFY(pcarga->step(1));
        QCOMPARE(pcarga->text(), native("10.49"));
        // The family's range too.
        window.findChild<QAction *>(QStringLiteral("mnuFamilia"))->trigger();
        FamilyWindow *family = window.familyWindow();
        family->findChild<QLineEdit *>(QStringLiteral("txtPrimero"))->setText(native("5"));
        family->findChild<QLineEdit *>(QStringLiteral("txtUltimo"))->setText(native("10"));
        family->cmdDibujar_Click();
        QVERIFY(family->findChild<QLabel *>(QStringLiteral("lblAviso"))->isHidden());
        QCOMPARE(family->family().back().value, 10.0);
    }

    // A step in a main box keeps the blanks typed around the number.
    void aStepKeepsTheBlanksOfTheBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("stepped");
        QTest::newRow("up") << "0.03 " << int(Qt::Key_Up) << "0.04 ";
        QTest::newRow("down") << " 10.48 " << int(Qt::Key_Down) << " 10.47 ";
        QTest::newRow("wheel") << "0.03 " << 0 << "0.04 ";
    }
    void aStepKeepsTheBlanksOfTheBox()
    {
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(QString, stepped);
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QLineEdit *box = window.inputBox(InputBox::X);
        box->setFocus();
        box->setText(text);
        box->setCursorPosition(static_cast<int>(text.size()));
        if (key != 0) {
            QTest::keyClick(box, Qt::Key(key));
        } else {
            const QPointF at(box->width() / 2.0, box->height() / 2.0);
            QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
        }
        QCOMPARE(box->text(), stepped);
        QTRY_COMPARE(CurveFileLines().size(), 303);
        QCOMPARE(box->text(), stepped);
    }

    void eachCompanionWindowNamesTheProgram_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command : { "mnuGraficoAmpliado", "mnuFamilia", "mnuCurvaPV", "mnuMargenes", "mnuUnidades" })
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    // Told apart from other programs' windows in the task bar.
    void eachCompanionWindowNamesTheProgram()
    {
        QFETCH(QString, command);
        MainWindow window(PointLocale());
        window.findChild<QAction *>(command)->trigger();
        QWidget *opened = QApplication::activeModalWidget();
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top != &window && top->isVisible() && !opened)
                opened = top;
        }
        QVERIFY(opened);
        QVERIFY2(opened->windowTitle().endsWith(QStringLiteral(" - Tarvilo")), qPrintable(opened->windowTitle()));
        opened->close();
    }

    void focusStartsOnCalcular()
    {
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdCalcular"));
    }

    void inputCheckTurnsNonNumbersIntoError_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        for (const auto &[name, locale] :
             { std::pair{ "point", PointLocale() }, std::pair{ "comma", CommaLocale() } }) {
            const QString sep = locale.decimalPoint();
            auto row = [&](const char *what) -> QTestData & { return QTest::addRow("%s %s", name, what) << locale; };
            row("minus") << QStringLiteral("-") << QStringLiteral("Error");
            row("separator") << sep << QStringLiteral("Error");
            row("empty") << QString() << QStringLiteral("Error");
            row("cut error") << QStringLiteral("Erro") << QStringLiteral("Error");
            row("letters") << QStringLiteral("abc") << QStringLiteral("Error");
            row("overflow") << QStringLiteral("1e999") << QStringLiteral("Error");
            row("half") << QStringLiteral("0%1").arg(sep) << QStringLiteral("0%1").arg(sep);
            row("signed exponent") << QStringLiteral("-2%15E-3").arg(sep) << QStringLiteral("-2%15E-3").arg(sep);
            row("blanks") << QStringLiteral(" 7 ") << QStringLiteral(" 7 ");
        }
        // Under "," the "." is the group separator: "10.48" reads as 1048.
        QTest::newRow("comma grouped") << CommaLocale() << QStringLiteral("10.48") << QStringLiteral("10.48");
    }
    void inputCheckTurnsNonNumbersIntoError()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        MainWindow window(locale);
        const QStringList labelsBefore = LabelTexts(window);
        for (InputBox box : kInputBoxes) {
            window.inputBox(box)->setText(text);
            QCOMPARE(window.inputBox(box)->text(), shown);
        }
        QCOMPARE(LabelTexts(window), labelsBefore); // the check never calculates
        QVERIFY(m_watchdog->seen().empty());
    }

    void typingIsCheckedOnEveryKeystroke()
    {
        MainWindow window(PointLocale());
        QLineEdit *box = window.inputBox(InputBox::Qcarga);
        box->clear();
        QCOMPARE(box->text(), QStringLiteral("Error")); // clearing is a change too
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("-"));
        QCOMPARE(box->text(), QStringLiteral("Error"));
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("0.25"));
        QCOMPARE(box->text(), QStringLiteral("0.25"));
        box->setText(QStringLiteral("Error"));
        box->end(false);
        QTest::keyClick(box, Qt::Key_Backspace); // "Erro" is no number either
        QCOMPARE(box->text(), QStringLiteral("Error"));
    }

    void aHugePasteIsReadAsTheNumberItBegins()
    {
        // Two million digits pasted: the box keeps what it can hold, still a
        // number, and a run reads it as the same value.
        MainWindow window(PointLocale());
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("0.111111111111111111"));
        Click(window, "cmdCalcular");
        const QStringList expected = LabelTexts(window);
        QVERIFY(expected != LabelTexts(MainWindow(PointLocale())));
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("0.") + QString(2000000, QLatin1Char('1')));
        QVERIFY(window.inputBox(InputBox::Qcap)->text().startsWith(QStringLiteral("0.1111")));
        Click(window, "cmdCalcular");
        QCOMPARE(LabelTexts(window), expected);
        QVERIFY(m_watchdog->seen().empty());
    }

    void screenReadersHearWhatEachControlIs()
    {
        MainWindow window(CommaLocale());
        const auto name = [](QWidget *widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        const auto description = [](QWidget *widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
        };
        QCOMPARE(name(window.inputBox(InputBox::X)), QStringLiteral("Reactancia [p.u.]"));
        QCOMPARE(name(window.inputBox(InputBox::Qcap)), QStringLiteral("Qcap [p.u.]"));
        // Each value label tells its title and the value it shows.
        const auto value = [](QWidget *widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Value);
        };
        QCOMPARE(name(window.resultLabel(ResultLabel::MargenQ2)), QStringLiteral("Margen Q2 [p.u.]: 5,6193"));
        QCOMPARE(value(window.resultLabel(ResultLabel::MargenQ2)), QStringLiteral("5,6193"));
        QCOMPARE(description(window.resultLabel(ResultLabel::MargenQ2)),
                 QStringLiteral("Margen de reactivo disponible."));
        QCOMPARE(name(window.resultLabel(ResultLabel::Q2inf)), QStringLiteral("Q2 inf [p.u.]: -0,1827"));
        QCOMPARE(name(window.chartView()), QStringLiteral("Curvas Q vs. V"));
        QVERIFY(description(window.chartView()).contains(QStringLiteral("Margen de reactivo: 5,6193 p.u.")));
        QVERIFY(description(window.chartView()).contains(QStringLiteral("superior: V2 = 0,9991 p.u.")));

        // Each run tells its own results.
        SetInputs(window,
                  { QStringLiteral("3"), QStringLiteral("333"), QStringLiteral("100"), QStringLiteral("1048"),
                    QStringLiteral("0"), QStringLiteral("0") });
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QVERIFY(description(window.chartView()).contains(QStringLiteral("No existe punto de operación")));
        QCOMPARE(name(window.resultLabel(ResultLabel::V2sup)), QStringLiteral("V2 sup [p.u.]: Error"));
        QCOMPARE(value(window.resultLabel(ResultLabel::MargenQ2)), window.resultLabel(ResultLabel::MargenQ2)->text());

        // The companion windows: the family's choice and table are named,
        // every chart is told in words, and the P-V values as the others.
        Click(window, "cmdValoresDefault");
        window.findChild<QAction *>(QStringLiteral("mnuGraficoAmpliado"))->trigger();
        window.findChild<QAction *>(QStringLiteral("mnuFamilia"))->trigger();
        window.findChild<QAction *>(QStringLiteral("mnuCurvaPV"))->trigger();
        const auto widget = [](const char *objectName) {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *found = top->findChild<QWidget *>(QString::fromLatin1(objectName)))
                    return found;
            }
            return static_cast<QWidget *>(nullptr);
        };
        // Qt on Linux names a list box by its value and tells its label
        // through a relation (elsewhere by its name).
        QStringList magnitudLabels{ name(widget("cboMagnitud")) };
        for (const auto &[other, relation] :
             QAccessible::queryAccessibleInterface(widget("cboMagnitud"))->relations(QAccessible::Label)) {
            magnitudLabels << other->text(QAccessible::Name);
        }
        QVERIFY2(magnitudLabels.contains(QStringLiteral("Magnitud"))
                         || magnitudLabels.contains(QStringLiteral("Magnitud:")),
                 qPrintable(magnitudLabels.join(QStringLiteral(" | "))));
        QVERIFY(!name(widget("grdFamilia")).isEmpty());
        QVERIFY(description(widget("grfFamilia")).contains(QStringLiteral("valores de Reactancia X")));
        QVERIFY(description(window.largeChart()->view()).contains(QStringLiteral("Margen de reactivo: 5,6193 p.u.")));
        QVERIFY(description(widget("grfCurvaPV")).contains(QStringLiteral("Pcarga = 10,48 p.u.")));
        QVERIFY2(name(widget("lblPmax")).startsWith(QStringLiteral("Pmax [p.u.]: "))
                         && value(widget("lblPmax")) == qobject_cast<QLabel *>(widget("lblPmax"))->text()
                         && !value(widget("lblPmax")).isEmpty(),
                 qPrintable(name(widget("lblPmax"))));
        QVERIFY(name(widget("lblMargenP")).startsWith(QStringLiteral("Margen P [p.u.]: ")));
        window.close();
    }

    void theChartTakesTheFocusAfterCalcular()
    {
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget *calcular = window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"));
        calcular->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(window.chartView()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(window.inputBox(InputBox::X)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        // Enter on the chart opens the large one, as a double click does.
        QTest::keyClick(window.chartView(), Qt::Key_Return);
        QVERIFY(window.largeChart());
        window.close();
    }

    // Under Arabic settings a previous value keeps its decimal mark: it is
    // not drawn in an italic face that lacks one of its characters, which
    // would show a box in its place.
    void aPreviousValueShowsEveryCharacterUnderArabicSettings()
    {
        MainWindow window(QLocale(QLocale::Arabic, QLocale::Egypt));
        window.inputBox(InputBox::X)->setText(QStringLiteral("-1"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QLabel *value = window.resultLabel(ResultLabel::V2sup);
        QVERIFY2(value->text().contains(QChar(0x066B)), qPrintable(value->text()));
        QFont italic = value->font();
        italic.setItalic(true);
        const QFontMetrics metrics(italic);
        const QList<uint> characters = value->text().toUcs4();
        const bool italicHasAll = std::all_of(characters.begin(), characters.end(),
                                              [&metrics](uint character) { return metrics.inFontUcs4(character); });
        QCOMPARE(value->font().italic(), italicHasAll);
    }

    void valuesTheRunDidNotReachAreMarkedAsPrevious()
    {
        MainWindow window(CommaLocale());
        QLabel *note = window.findChild<QLabel *>(QStringLiteral("lblResultadosAnteriores"));
        const auto name = [](QWidget *widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QVERIFY(note);
        QVERIFY(!note->isVisibleTo(&window));
        // A negative reactance stops the run at the system sweep: the margin
        // and V2 min are new, the operating points the previous run's.
        window.inputBox(InputBox::X)->setText(QStringLiteral("-0,03"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QVERIFY(note->isVisibleTo(&window));
        QVERIFY(note->font().italic());
        QCOMPARE(name(window.resultLabel(ResultLabel::V2sup)),
                 QStringLiteral("V2 sup [p.u.]: 0,9991, del cálculo anterior"));
        QVERIFY(window.resultLabel(ResultLabel::V2sup)->font().italic());
        QVERIFY(window.resultLabel(ResultLabel::V2sup)->toolTip().contains(QStringLiteral("cálculo anterior")));
        QVERIFY(!name(window.resultLabel(ResultLabel::MargenQ2)).contains(QStringLiteral("anterior")));
        QVERIFY(!window.resultLabel(ResultLabel::MargenQ2)->font().italic());

        // The copy holds what the window shows, with the same marks.
        window.findChild<QAction *>(QStringLiteral("mnuCopiarResultados"))->trigger();
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.at(0), QStringLiteral("Reactancia X\t-0,03\tp.u."));
        QVERIFY2(lines.at(6).startsWith(QStringLiteral("Margen Q2\t")
                                        + window.resultLabel(ResultLabel::MargenQ2)->text().left(5))
                         && !lines.at(6).contains(QStringLiteral("anterior")),
                 qPrintable(lines.at(6)));
        QCOMPARE(lines.at(8), QStringLiteral("V2 sup\t0,999102125201044\tp.u.\tdel cálculo anterior"));

        // An unreadable box: every value is the previous run's.
        window.inputBox(InputBox::B)->setText(QStringLiteral("x"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QVERIFY(name(window.resultLabel(ResultLabel::MargenQ2)).endsWith(QStringLiteral("del cálculo anterior")));

        // The next complete run clears every mark.
        m_watchdog->expect(0);
        Click(window, "cmdValoresDefault");
        QVERIFY(!note->isVisibleTo(&window));
        QCOMPARE(name(window.resultLabel(ResultLabel::V2sup)), QStringLiteral("V2 sup [p.u.]: 0,9991"));
        QVERIFY(!window.resultLabel(ResultLabel::V2sup)->font().italic());

        // A run without a solution copies the "Error" it shows.
        SetInputs(window,
                  { QStringLiteral("3"), QStringLiteral("333"), QStringLiteral("100"), QStringLiteral("1048"),
                    QStringLiteral("0"), QStringLiteral("0") });
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        window.findChild<QAction *>(QStringLiteral("mnuCopiarResultados"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text().split(QLatin1Char('\n')).at(8),
                 QStringLiteral("V2 sup\tError\tp.u."));
    }

    void theCopyAfterAStopGivesTheBoxesAndMarksEveryStaleValue()
    {
        MainWindow window(CommaLocale());
        const auto copied = [&window] {
            window.findChild<QAction *>(QStringLiteral("mnuCopiarResultados"))->trigger();
            return QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        };
        const QString previous = QStringLiteral("\tdel cálculo anterior");
        // X = 0 stops the run at the nose: no result is new, Margen QV neither.
        window.inputBox(InputBox::X)->setText(QStringLiteral("0"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QStringList lines = copied();
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.at(0), QStringLiteral("Reactancia X\t0\tp.u."));
        QCOMPARE(lines.at(3), QStringLiteral("Pcarga\t10,48\tp.u."));
        for (int i = 6; i < 13; ++i)
            QVERIFY2(lines.at(i).endsWith(previous), qPrintable(lines.at(i)));
        QVERIFY2(lines.at(12).startsWith(QStringLiteral("Margen QV\t5,64")), qPrintable(lines.at(12)));

        // U inf = 0 likewise; the box that holds no number is copied as it shows.
        window.inputBox(InputBox::X)->setText(QStringLiteral("0,03"));
        window.inputBox(InputBox::Uinf)->setText(QStringLiteral("0"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(copied().at(2), QStringLiteral("U inf\t0\tp.u."));
        window.inputBox(InputBox::Uinf)->setText(QStringLiteral("x"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        lines = copied();
        QCOMPARE(lines.at(2), QStringLiteral("U inf\tError\tp.u."));
        QVERIFY2(lines.at(12).endsWith(previous), qPrintable(lines.at(12)));

        // A stop after Margen Q2 (the sweep of a nose at Q2crit = -3e10):
        // the margin of the new case, as Margen Q2.
        SetInputs(window,
                  { QStringLiteral("0,03"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1000000"),
                    QStringLiteral("0"), QStringLiteral("0") });
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        lines = copied();
        QVERIFY2(!lines.at(6).endsWith(previous) && !lines.at(12).endsWith(previous), qPrintable(lines.at(12)));
        QVERIFY(lines.at(8).endsWith(previous));
    }

    void eachStopIsToldOnceWithItsTrueReason()
    {
        MainWindow window(CommaLocale());
        // No operating point and a nose beyond the chart's scale: one box says both.
        window.inputBox(InputBox::X)->setText(QStringLiteral("1,23e31"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QString text = m_watchdog->seen().front().text;
        QVERIFY2(text.contains(QStringLiteral("escala del gráfico"))
                         && text.contains(QStringLiteral("No existe punto")),
                 qPrintable(text));

        // A positive X whose nose lies so far from zero that the sweep's steps are lost in rounding.
        m_watchdog->clear();
        SetInputs(window,
                  { QStringLiteral("0,03"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1e6"),
                    QStringLiteral("0"), QStringLiteral("0") });
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        text = m_watchdog->seen().front().text;
        QVERIFY2(text.contains(QStringLiteral("redondeo")) && !text.contains(QStringLiteral("debe ser positiva")),
                 qPrintable(text));

        // X Beq > 1: every curve lies off the fixed axes, and the chart says where.
        m_watchdog->clear();
        Click(window, "cmdValoresDefault");
        QCOMPARE(ChartTexts(window), QString());
        window.inputBox(InputBox::X)->setText(QStringLiteral("0,65"));
        m_watchdog->expect(); // no operating point
        Click(window, "cmdCalcular");
        const QString note = ChartTexts(window);
        QVERIFY2(note.contains(QStringLiteral("sistema: por encima de V = 1,2")), qPrintable(note));
        QVERIFY2(note.contains(QStringLiteral("carga: a la derecha de Q = -70")), qPrintable(note));
        // Not a note of the case: the large chart shows every curve.
        QCOMPARE(window.chartView()->qvChart()->note(), QString());
        Click(window, "cmdValoresDefault");
        QCOMPARE(ChartTexts(window), QString());
    }

    void aCurveFileThatCannotBeWrittenIsToldOnceAndTheRunGoesOn()
    {
        // A folder where salida.txt should be: no user, root neither, can write it.
        QVERIFY(QDir().mkdir(QStringLiteral("salida.txt")));
        const struct Tidy
        {
            ~Tidy() { QDir(QStringLiteral("salida.txt")).removeRecursively(); }
        } tidy;
        m_watchdog->expect(); // told at start-up
        MainWindow window(CommaLocale());
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QVERIFY2(m_watchdog->seen().front().text.contains(QStringLiteral("carpeta con ese nombre")),
                 qPrintable(m_watchdog->seen().front().text));
        // Every result, the chart and the four exports, as with the file.
        QCOMPARE(LabelTexts(window), (QStringList{ "5,6193", ",3144", ",9991", "-1,662", ",3312", "-,1827" }));
        QVERIFY(window.chartView()->loaded());
        QCOMPARE(window.chartView()->qvChart()->note(), QString());
        for (const char *name : { "mnuGuardarGrafico", "mnuGuardarCurvas", "mnuCopiarGrafico", "mnuCopiarResultados" })
            QVERIFY2(window.findChild<QAction *>(QString::fromLatin1(name))->isEnabled(), name);
        // A note above the results says it while it lasts.
        auto *notes = window.findChild<QLabel *>(QStringLiteral("lblAvisos"));
        QVERIFY(notes && notes->isVisibleTo(&window));
        QVERIFY2(notes->text().contains(QStringLiteral("salida.txt")), qPrintable(notes->text()));

        // The same reason again: no box, the note stays.
        m_watchdog->clear();
        window.inputBox(InputBox::Qcarga)->setText(QStringLiteral("1"));
        Click(window, "cmdCalcular");
        QVERIFY(m_watchdog->seen().empty());
        QCOMPARE(LabelTexts(window).at(0), QStringLiteral("4,6193"));
        QVERIFY(notes->isVisibleTo(&window));

        // A new reason under a step: a note, no box.
        QTemporaryDir gone;
        QDir::setCurrent(gone.path());
        gone.remove();
        window.inputBox(InputBox::Qcarga)->end(false);
        QTest::keyClick(window.inputBox(InputBox::Qcarga), Qt::Key_Up);
        QTRY_COMPARE(LabelTexts(window).at(0), QStringLiteral("3,6193"));
        QVERIFY(m_watchdog->seen().empty());
        QVERIFY2(notes->text().contains(QStringLiteral("ya no existe")), qPrintable(notes->text()));
        QDir::setCurrent(m_folder->path());

        // Written again: the note goes; failing again is a new reason, told.
        QDir(QStringLiteral("salida.txt")).removeRecursively();
        Click(window, "cmdCalcular");
        QVERIFY(!notes->isVisibleTo(&window));
        QCOMPARE(CurveFileLines().size(), 303);
        QFile::remove(QStringLiteral("salida.txt"));
        QVERIFY(QDir().mkdir(QStringLiteral("salida.txt")));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
    }

    void aStraySeparatorIsSaidBesideTheResults()
    {
        MainWindow window(QLocale(QLocale::Spanish, QLocale::Spain));
        auto *notes = window.findChild<QLabel *>(QStringLiteral("lblAvisos"));
        // Read as 1, as ever, and said without a box.
        window.inputBox(InputBox::X)->selectAll();
        QTest::keyClicks(window.inputBox(InputBox::X), QStringLiteral("0.1"));
        QVERIFY(notes && notes->isVisibleTo(&window));
        QCOMPARE(notes->text(), QStringLiteral("«0.1» se lee como 1: el separador decimal es «,»."));
        m_watchdog->expect(); // no operating point with X = 1
        Click(window, "cmdCalcular");
        QCOMPARE(LabelTexts(window).at(1), QStringLiteral("10,48"));
        QVERIFY(notes->isVisibleTo(&window));
        // Grouped by threes, or with the decimal comma: nothing to say.
        window.inputBox(InputBox::X)->setText(QStringLiteral("1.000"));
        QVERIFY(!notes->isVisibleTo(&window));
        window.inputBox(InputBox::X)->setText(QStringLiteral("0,1"));
        QVERIFY(!notes->isVisibleTo(&window));
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("1.5"));
        QVERIFY(notes->text().startsWith(QStringLiteral("«1.5» se lee como 15")));
    }

    void aValueTooSmallIsToldApartFromZero()
    {
        MainWindow window(PointLocale());
        m_watchdog->expect(2);
        window.inputBox(InputBox::Uinf)->setText(QStringLiteral("1e-200"));
        Click(window, "cmdCalcular");
        window.inputBox(InputBox::Uinf)->setText(QStringLiteral("0"));
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(2));
        const QString tiny = m_watchdog->seen().at(0).text;
        QVERIFY2(tiny.contains(QStringLiteral("U inf es demasiado pequeña")) && !tiny.contains(QStringLiteral("cero.")),
                 qPrintable(tiny));
        QVERIFY(m_watchdog->seen().at(1).text.contains(QStringLiteral("no pueden ser cero")));
    }

    // X Beq = 1 - 1e-7: the labels give the exact points; X Beq = 1 its one point, in both rows.
    void nearXBeqOneTheLabelsKeepTheirDigits()
    {
        MainWindow window(PointLocale());
        SetInputs(window,
                  { QStringLiteral("0.1"), QStringLiteral("3"), QStringLiteral("1.05"), QStringLiteral("2"),
                    QStringLiteral("0"), QStringLiteral("8.499999") });
        Click(window, "cmdCalcular");
        QCOMPARE(LabelTexts(window).mid(2),
                 QStringList({ QStringLiteral("10500000.0137"), QStringLiteral("-1102499892624240."),
                               QStringLiteral(".1905"), QStringLiteral("-.3628") }));
        window.inputBox(InputBox::Qcap)->setText(QStringLiteral("7.5"));
        window.inputBox(InputBox::X)->setText(QStringLiteral("0.125"));
        window.inputBox(InputBox::B)->setText(QStringLiteral("1"));
        Click(window, "cmdCalcular");
        QCOMPARE(LabelTexts(window).mid(2),
                 QStringList({ QStringLiteral(".2381"), QStringLiteral("-.4535"), QStringLiteral(".2381"),
                               QStringLiteral("-.4535") }));
    }

    void menusOpenFromTheKeyboard()
    {
        MainWindow window(PointLocale());
        QCOMPARE(QKeySequence::mnemonic(window.findChild<QMenu *>(QStringLiteral("mnuArchivo"))->title()),
                 QKeySequence(Qt::ALT | Qt::Key_A));
        QCOMPARE(QKeySequence::mnemonic(window.findChild<QAction *>(QStringLiteral("mnuAcercaDe"))->text()),
                 QKeySequence(Qt::ALT | Qt::Key_D));
        QCOMPARE(QKeySequence::mnemonic(window.findChild<QAction *>(QStringLiteral("mnuSalir"))->text()),
                 QKeySequence(Qt::ALT | Qt::Key_S));
    }

    void defaultButtonReloadsTheRegionalSet_data() { AddLocales(); }
    void defaultButtonReloadsTheRegionalSet()
    {
        QFETCH(QLocale, locale);
        MainWindow window(locale);
        SetInputs(window,
                  { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                    QStringLiteral("5"), QStringLiteral("6") });
        m_watchdog->expect(); // no operating point there
        Click(window, "cmdCalcular");
        m_watchdog->clear();
        Click(window, "cmdValoresDefault");
        QCOMPARE(BoxTexts(window).at(3), Local(locale, "10.48"));
        QCOMPARE(LabelTexts(window).at(2), Local(locale, ".9991"));
        QCOMPARE(CurveFileLines().at(3), Local(locale, "5.03842; 0.59063; 5.03842; 0.59063; -3.74625; 1.50000"));
        QVERIFY(m_watchdog->seen().empty());
    }

    void noSolutionMessageComesAfterTheErrorLabelsAndBeforeTheChart_data() { AddLocales(); }
    void noSolutionMessageComesAfterTheErrorLabelsAndBeforeTheChart()
    {
        QFETCH(QLocale, locale);
        MainWindow window(locale);
        const QPointF chartBefore = window.chartView()->series(Curve::LowerBranch)->at(0);
        QStringList labelsDuringMessage;
        QPointF chartDuringMessage;
        m_watchdog->onOpen = [&](const ModalWatchdog::Seen &) {
            labelsDuringMessage = LabelTexts(window);
            chartDuringMessage = window.chartView()->series(Curve::LowerBranch)->at(0);
        };
        // The default case's values a hundred times too large.
        SetInputs(window,
                  { QStringLiteral("3"), QStringLiteral("333"), QStringLiteral("100"), QStringLiteral("1048"),
                    QStringLiteral("0"), QStringLiteral("0") });
        m_watchdog->expect();
        Click(window, "cmdCalcular");

        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        const ModalWatchdog::Seen &message = m_watchdog->seen().front();
        QCOMPARE(message.title, QStringLiteral("tarvilo"));
        QCOMPARE(message.text, QStringLiteral("No existe punto solucion"));
        QCOMPARE(message.icon, QMessageBox::Information);
        QCOMPARE(message.buttonCount, 1);
        QCOMPARE(labelsDuringMessage,
                 (QStringList{ Local(locale, "581334.6965"), Local(locale, "31.44"), QStringLiteral("Error"),
                               QStringLiteral("Error"), QStringLiteral("Error"), QStringLiteral("Error") }));
        QCOMPARE(chartDuringMessage, chartBefore); // not yet reloaded
        QVERIFY(window.chartView()->series(Curve::LowerBranch)->at(0) != chartBefore); // reloaded once closed
        QCOMPARE(CurveFileLines().size(), 303);

        // A run with a solution afterwards replaces the four "Error" texts.
        m_watchdog->onOpen = nullptr;
        Click(window, "cmdValoresDefault");
        QCOMPARE(LabelTexts(window).at(2), Local(locale, ".9991"));
        QCOMPARE(LabelTexts(window).at(5), Local(locale, "-.1827"));
    }

    void aFaultIsReportedOnceAndTheWindowStaysUsable()
    {
        MainWindow window(PointLocale());
        const QStringList before = CurveFileLines();
        window.inputBox(InputBox::Qcarga)->setText(QStringLiteral("1"));
        window.inputBox(InputBox::X)->setText(QStringLiteral("0"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QCOMPARE(m_watchdog->seen().front().title, QStringLiteral("tarvilo"));
        QCOMPARE(m_watchdog->seen().front().icon, QMessageBox::Warning);
        QVERIFY(m_watchdog->seen().front().text.contains(QStringLiteral("no pueden ser cero")));
        QCOMPARE(LabelTexts(window).at(0), QStringLiteral("5.6193")); // earlier results stay
        QCOMPARE(CurveFileLines(), before);

        m_watchdog->clear();
        window.inputBox(InputBox::X)->setText(QStringLiteral("0.03"));
        Click(window, "cmdCalcular");
        QVERIFY(m_watchdog->seen().empty());
        QCOMPARE(LabelTexts(window).at(0), QStringLiteral("4.6193")); // Qcarga 1 takes 1 off the margin
    }

    void aFaultAfterTheFileKeepsTheNewFile()
    {
        MainWindow window(PointLocale());
        // The discriminant, 1 - 4 (X Pcarga (1 - X Beq))^2, lies beyond the range of a double.
        SetInputs(window,
                  { QStringLiteral("0.03"), QStringLiteral("1e308"), QStringLiteral("1"), QStringLiteral("1"),
                    QStringLiteral("0"), QStringLiteral("-1e308") });
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QVERIFY(m_watchdog->seen().front().text.contains(QStringLiteral("puntos de operación")));
        QCOMPARE(LabelTexts(window).at(1), QStringLiteral(".03"));
        QCOMPARE(LabelTexts(window).at(2), QStringLiteral(".9991")); // step 8 never came
        QVERIFY(CurveFileLines().at(3).startsWith(QStringLiteral("8.30333; ")));
    }

    void aCriticalPointBeyondTheChartScaleEndsTheRunAtTheChart()
    {
        MainWindow window(PointLocale());
        const double axisMaxBefore = window.chartView()->axisX()->max();
        // Q2crit = 1 / (4 X) is 40,000: no 16-bit scale around it.
        SetInputs(window,
                  { QStringLiteral("0.00000625"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
                    QStringLiteral("0"), QStringLiteral("0") });
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QVERIFY(m_watchdog->seen().front().text.contains(QStringLiteral("escala del gráfico")));
        QCOMPARE(LabelTexts(window).at(2), QStringLiteral("1.")); // labels were written
        QVERIFY(CurveFileLines().at(3).startsWith(QStringLiteral("40000.00000; ")));
        QCOMPARE(window.chartView()->axisX()->max(), axisMaxBefore); // the chart kept its scale
    }

    void anUnreadableBoxChangesNothing()
    {
        MainWindow window(PointLocale());
        const QStringList before = CurveFileLines();
        const QStringList labels = LabelTexts(window);
        window.inputBox(InputBox::B)->setText(QStringLiteral("x"));
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QVERIFY(m_watchdog->seen().front().text.contains(QStringLiteral("Susceptancia")));
        QCOMPARE(LabelTexts(window), labels);
        QCOMPARE(CurveFileLines(), before);
    }

    void hugeInputsEndWithAMessageNotACrash()
    {
        MainWindow window(PointLocale());
        SetInputs(window,
                  { QStringLiteral("1e200"), QStringLiteral("1e200"), QStringLiteral("1e200"), QStringLiteral("1e200"),
                    QStringLiteral("1e200"), QStringLiteral("1e200") });
        m_watchdog->expect();
        Click(window, "cmdCalcular");
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        QVERIFY(m_watchdog->seen().front().text.contains(QStringLiteral("excede el rango")));
    }

    void salirClosesTheWindow()
    {
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *salir = window.findChild<QAction *>(QStringLiteral("mnuSalir"));
        QVERIFY(salir);
        QVERIFY(window.findChild<QMenu *>(QStringLiteral("mnuArchivo")));
        QVERIFY(window.findChild<QAction *>(QStringLiteral("mnuAcercaDe")));
        salir->trigger();
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
