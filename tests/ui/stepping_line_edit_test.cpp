// The number box that steps its value: keys, the wheel, and what it tells.
#include "tests/support/widget_test_fixture.h"
#include "ui/common/stepping_line_edit.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

void Turn(QWidget *box, QPoint angle)
{
    const QPointF at(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(box, &wheel);
}

void Turn(QWidget *box, int eighthsOfADegree)
{
    Turn(box, QPoint(0, eighthsOfADegree));
}

} // namespace

class SteppingLineEditTest : public WidgetTestFixture
{
    Q_OBJECT

private slots:
    void keysStepTheDigitLeftOfTheCursor_data()
    {
        QTest::addColumn<QString>("decimalSeparator");
        QTest::addColumn<QString>("groupSeparator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("stepped");
        QTest::addColumn<int>("newCursor");
        const QString point = QStringLiteral("."), comma = QStringLiteral(",");
        QTest::newRow("up") << point << comma << "0.03" << 4 << int(Qt::Key_Up) << "0.04" << 4;
        QTest::newRow("down") << point << comma << "0.03" << 4 << int(Qt::Key_Down) << "0.02" << 4;
        QTest::newRow("page up") << comma << point << "0,03" << 4 << int(Qt::Key_PageUp) << "0,13" << 4;
        QTest::newRow("page down") << comma << point << "0,13" << 4 << int(Qt::Key_PageDown) << "0,03" << 4;
        QTest::newRow("tens") << comma << point << "10,48" << 1 << int(Qt::Key_Up) << "20,48" << 1;
        QTest::newRow("before every digit") << comma << point << "10,48" << 0 << int(Qt::Key_Up) << "10,49" << 0;
        QTest::newRow("through zero") << point << comma << "0.00" << 4 << int(Qt::Key_Down) << "-0.01" << 5;
        // Separators of more than one byte: the box counts UTF-16 units.
        const QString arabicPoint = QStringLiteral("\u066B"), arabicGroup = QStringLiteral("\u066C");
        QTest::newRow("arabic, end") << arabicPoint << arabicGroup << "10\u066B48" << 5 << int(Qt::Key_Up)
                                     << "10\u066B49" << 5;
        QTest::newRow("arabic, tenths") << arabicPoint << arabicGroup << "10\u066B48" << 4 << int(Qt::Key_PageDown)
                                        << "9\u066B48" << 3;
        QTest::newRow("narrow space groups")
                << comma << QStringLiteral("\u202F") << "1\u202F234,5" << 4 << int(Qt::Key_Up) << "1\u202F244,5" << 4;
    }
    void keysStepTheDigitLeftOfTheCursor()
    {
        QFETCH(QString, decimalSeparator);
        QFETCH(QString, groupSeparator);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(QString, stepped);
        QFETCH(int, newCursor);
        SteppingLineEdit box(text, { decimalSeparator.toStdString(), groupSeparator.toStdString() });
        box.setCursorPosition(cursor);
        QSignalSpy steps(&box, &SteppingLineEdit::stepped);
        QTest::keyClick(&box, Qt::Key(key));
        QCOMPARE(box.text(), stepped);
        QCOMPARE(box.cursorPosition(), newCursor);
        QCOMPARE(steps.count(), 1);
        QCOMPARE(steps.at(0).at(0).toString(), stepped);
    }

    void aTextThatCannotStepStaysAndNothingIsTold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::newRow("error") << "Error" << int(Qt::Key_Up);
        QTest::newRow("empty") << "" << int(Qt::Key_Down);
        QTest::newRow("letters") << "abc" << int(Qt::Key_PageUp);
        QTest::newRow("beyond the largest number") << "1e308" << int(Qt::Key_Up);
        QTest::newRow("page beyond the largest number") << "1.7e308" << int(Qt::Key_PageUp);
        QTest::newRow("largest double") << "1.7976931348623157e308" << int(Qt::Key_Up);
    }
    void aTextThatCannotStepStaysAndNothingIsTold()
    {
        QFETCH(QString, text);
        QFETCH(int, key);
        SteppingLineEdit box(text, PointSettings());
        QSignalSpy steps(&box, &SteppingLineEdit::stepped);
        QTest::keyClick(&box, Qt::Key(key));
        Turn(&box, 120);
        QCOMPARE(box.text(), text);
        QCOMPARE(steps.count(), 0);
    }

    void otherKeysStillEdit()
    {
        SteppingLineEdit box(QStringLiteral("0.5"), PointSettings());
        box.setCursorPosition(3);
        QTest::keyClick(&box, Qt::Key_Left);
        QTest::keyClicks(&box, QStringLiteral("2"));
        QCOMPARE(box.text(), QStringLiteral("0.25"));
        QTest::keyClick(&box, Qt::Key_Up); // the 2 just typed
        QCOMPARE(box.text(), QStringLiteral("0.35"));
    }

    void wheelPartsOfANotchAddUp()
    {
        SteppingLineEdit box(QStringLiteral("0.00"), PointSettings());
        box.setCursorPosition(4);
        QSignalSpy steps(&box, &SteppingLineEdit::stepped);
        Turn(&box, 60);
        QCOMPARE(box.text(), QStringLiteral("0.00"));
        QCOMPARE(steps.count(), 0);
        Turn(&box, 60);
        QCOMPARE(box.text(), QStringLiteral("0.01"));
        for (int part = 0; part < 4; ++part)
            Turn(&box, -30);
        QCOMPARE(box.text(), QStringLiteral("0.00"));
        Turn(&box, 100);
        Turn(&box, -90); // 10 left over, short of a notch either way
        QCOMPARE(box.text(), QStringLiteral("0.00"));
        Turn(&box, 350); // 360: three notches in one turn, one step of three
        QCOMPARE(box.text(), QStringLiteral("0.03"));
        QCOMPARE(steps.count(), 3);
        Turn(&box, QPoint(120, 0)); // sideways: no step
        QCOMPARE(box.text(), QStringLiteral("0.03"));
    }

    void thousandsOfStepsLeaveTheExactValue()
    {
        // A key held down, or a wheel spun: every step counts, none is lost.
        SteppingLineEdit box(QStringLiteral("0,00"), CommaSettings());
        box.setCursorPosition(4);
        for (int notch = 0; notch < 10000; ++notch)
            Turn(&box, 120);
        QCOMPARE(box.text(), QStringLiteral("100,00"));
        for (int press = 0; press < 10000; ++press)
            QTest::keyClick(&box, Qt::Key_Down);
        QCOMPARE(box.text(), QStringLiteral("0,00"));
        for (int press = 0; press < 1000; ++press)
            QTest::keyClick(&box, Qt::Key_PageDown);
        QCOMPARE(box.text(), QStringLiteral("-100,00"));
        QCOMPARE(box.cursorPosition(), 7);
        // One turn of an absurd angle steps once, by all its notches.
        Turn(&box, 120 * 1000000);
        QCOMPARE(box.text(), QStringLiteral("9900,00"));
    }
};

QTEST_MAIN(SteppingLineEditTest)
#include "stepping_line_edit_test.moc"
