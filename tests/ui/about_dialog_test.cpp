// The About dialog: its texts, keys, single instance and life beside the
// main window, and the System Info button with a stand-in system.
#include "tests/support/fake_platform.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/widget_test_fixture.h"
#include "ui/about/about_dialog.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

QList<AboutDialog *> OpenDialogs()
{
    QList<AboutDialog *> dialogs;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<AboutDialog *>(widget); dialog && dialog->isVisible())
            dialogs << dialog;
    }
    return dialogs;
}

QString LabelText(QWidget *dialog, const char *name)
{
    return dialog->findChild<QLabel *>(QString::fromLatin1(name))->text();
}

// The separator as painted, its upper and its lower line.
std::pair<QColor, QColor> SeparatorAsPainted(AboutDialog &dialog)
{
    const QImage shot = dialog.grab().toImage();
    QList<QFrame *> lines = dialog.findChildren<QFrame *>(QStringLiteral("Line1"));
    std::sort(lines.begin(), lines.end(), [](QFrame *a, QFrame *b) { return a->y() < b->y(); });
    const auto colour = [&](QFrame *line) { return shot.pixelColor(line->mapTo(&dialog, line->rect().center())); };
    return { colour(lines.first()), colour(lines.last()) };
}

} // namespace

class AboutDialogTest : public WidgetTestFixture
{
    Q_OBJECT

private:
    static AboutDialog *OpenFrom(MainWindow &window)
    {
        window.findChild<QAction *>(QStringLiteral("mnuAcercaDe"))->trigger();
        const QList<AboutDialog *> dialogs = OpenDialogs();
        return dialogs.size() == 1 ? dialogs.front() : nullptr;
    }

    static void WaitUntilGone(QPointer<AboutDialog> &dialog) { QTRY_VERIFY(dialog.isNull()); }

private slots:
    // Runs the real event loop, which ends the program when its last window
    // closes; the tests after it run on.
    void programEndsOnlyWhenBothWindowsAreClosed()
    {
        auto window = std::make_unique<MainWindow>(PointLocale());
        window->show();
        QPointer<AboutDialog> dialog = OpenFrom(*window);
        QVERIFY(dialog);
        bool dialogOutlivedTheWindow = false;
        QTimer::singleShot(0, window.get(), [&] {
            window->findChild<QAction *>(QStringLiteral("mnuSalir"))->trigger();
            // Once what "Salir" set off has been handled (dropped if the
            // program already ended and this test returned).
            QTimer::singleShot(0, window.get(), [&] {
                dialogOutlivedTheWindow = !window->isVisible() && dialog && dialog->isVisible();
                if (dialog)
                    dialog->close();
            });
        });
        const int exitCode = QApplication::exec();
        QVERIFY(dialogOutlivedTheWindow);
        QCOMPARE(exitCode, 0);
    }

    void textsAfterEachOpening()
    {
        MainWindow window(PointLocale());
        for (int opening = 0; opening < 2; ++opening) {
            QPointer<AboutDialog> dialog = OpenFrom(window);
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("frmAbout"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Acerca de este programa..."));
            QCOMPARE(LabelText(dialog, "lblTitle"), QStringLiteral("Tarvilo"));
            QCOMPARE(LabelText(dialog, "lblVersion"), QStringLiteral("Version 1 (prueba)"));
            QCOMPARE(LabelText(dialog, "lblDescription"), QString());
            QVERIFY(!LabelText(dialog, "lblDisclaimer").isEmpty());
            QCOMPARE(dialog->findChildren<QFrame *>(QStringLiteral("Line1")).size(), qsizetype(2));
            QCOMPARE(dialog->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->text(),
                     QStringLiteral("&System Info..."));
            QVERIFY(dialog->findChild<QPushButton *>(QStringLiteral("cmdOK"))->isDefault());
            QVERIFY(!dialog->parentWidget()); // no owner
            QVERIFY(!dialog->windowIcon().isNull());
            QTest::keyClick(dialog, Qt::Key_Escape);
            WaitUntilGone(dialog);
        }
    }

    void enterAndEscapeClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("escape") << int(Qt::Key_Escape);
    }
    void enterAndEscapeClose()
    {
        QFETCH(int, key);
        MainWindow window(PointLocale());
        QPointer<AboutDialog> dialog = OpenFrom(window);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        WaitUntilGone(dialog);
    }

    void secondRequestBringsTheSameDialogForward()
    {
        MainWindow window(PointLocale());
        QPointer<AboutDialog> first = OpenFrom(window);
        QPointer<AboutDialog> second = OpenFrom(window);
        QCOMPARE(OpenDialogs().size(), qsizetype(1));
        QCOMPARE(first.data(), second.data());
        first->close();
        WaitUntilGone(first);
    }

    void mainWindowStillCalculatesWhileItIsOpen()
    {
        MainWindow window(PointLocale());
        window.show();
        QPointer<AboutDialog> dialog = OpenFrom(window);
        QVERIFY(!dialog->isModal());
        window.inputBox(InputBox::Qcarga)->setText(QStringLiteral("1"));
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdCalcular")), Qt::LeftButton);
        QCOMPARE(window.resultLabel(ResultLabel::MargenQ2)->text(), QStringLiteral("4.6193"));
        dialog->close();
        WaitUntilGone(dialog);
    }

    void separatorLooksEtchedAndStaysQuietUnderADarkTheme()
    {
        // A darker line over a lighter one, cut into the face.
        AboutDialog light;
        const auto [upper, lower] = SeparatorAsPainted(light);
        const QColor face = light.palette().color(QPalette::Window);
        QVERIFY2(upper.lightness() < face.lightness() && lower.lightness() > face.lightness(),
                 qPrintable(QStringLiteral("%1 %2 on %3").arg(upper.name(), lower.name(), face.name())));

        // On a dark face, no bright bar across it.
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(QPalette(QColor(53, 53, 53), QColor(40, 40, 40)));
        AboutDialog dark;
        QApplication::setPalette(saved);
        const auto [darkUpper, darkLower] = SeparatorAsPainted(dark);
        QVERIFY2(darkUpper.lightness() < darkLower.lightness() && darkLower.lightness() < 128,
                 qPrintable(QStringLiteral("%1 %2").arg(darkUpper.name(), darkLower.name())));
    }

    void versionTextFitsItsLabel()
    {
        QPointer<AboutDialog> dialog = AboutDialog::showSingle();
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap,
                                                                   label->text());
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                     qPrintable(label->objectName()));
        }
        dialog->close();
        WaitUntilGone(dialog);
    }

    void systemInfoUnavailableLeavesTheDialogOpen()
    {
        QPointer<AboutDialog> dialog = AboutDialog::showSingle();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto platform = std::make_unique<sysinfo::testing::FakePlatform>();
        auto *fake = platform.get();
        dialog->setPlatform(std::move(platform));
        // Alt+S is the button's own shortcut; offscreen key events do not
        // reach the shortcut map, so the button is clicked.
        auto *sysInfo = dialog->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"));
        QCOMPARE(sysInfo->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
        QTest::mouseClick(sysInfo, Qt::LeftButton);
        QCOMPARE(fake->opened.size(), size_t(2));
        QCOMPARE(fake->messages, std::vector<std::string>{ "System Information Is Unavailable At This Time" });
        QVERIFY(dialog->isVisible());
        dialog->close();
        WaitUntilGone(dialog);
    }

    void unavailableMessageLooksAsItShould()
    {
        // The real platform with nothing to find on PATH.
        const QByteArray savedPath = qgetenv("PATH");
        qputenv("PATH", m_folder->path().toLocal8Bit());
        QPointer<AboutDialog> dialog = AboutDialog::showSingle();
        m_watchdog->clear();
        m_watchdog->expect();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        qputenv("PATH", savedPath);
        QCOMPARE(m_watchdog->seen().size(), size_t(1));
        const ModalWatchdog::Seen &box = m_watchdog->seen().front();
        QCOMPARE(box.text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(box.title, QStringLiteral("tarvilo"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttonCount, 1);
        QVERIFY(dialog->isVisible());
        dialog->close();
        WaitUntilGone(dialog);
    }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
