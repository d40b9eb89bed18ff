// The main window as the user sees it: controls in their places and apart,
// tooltips and captions where they help, the diagram picture as drawn once
// and kept in tests/ui/reference.
#include "tests/support/modal_watchdog.h"
#include "ui/common/form_font.h"
#include "tests/support/widget_test_fixture.h"
#include "ui/main/diagram_picture.h"
#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

// A place given in twips, in pixels at 96 dots per inch.
QRect Pixels(int left, int top, int width, int height)
{
    constexpr int kTwipsPerPixel = 1440 / 96;
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel);
}

// The controls a parent shows, without Qt's own inner widgets.
QList<QWidget *> ShownControls(QWidget *parent, QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->objectName().isEmpty() && child->isVisibleTo(window))
            controls << child;
    }
    return controls;
}

} // namespace

class LayoutTest : public WidgetTestFixture
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    QWidget *Control(const QString &name) const { return m_window->findChild<QWidget *>(name); }
    QWidget *Client() const { return Control(QStringLiteral("clientArea")); }

private slots:
    void init()
    {
        WidgetTestFixture::init();
        m_window = std::make_unique<MainWindow>(PointLocale());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        WidgetTestFixture::cleanup();
    }

    void controlsLieInsideTheirParentAndApart() { ExpectControlsApart(); }

    void notesStandApartFromEveryControl()
    {
        // The notes above the results and the one on the greyed values, both shown.
        m_window->inputBox(InputBox::X)->setText(QStringLiteral("0,1"));
        m_window->inputBox(InputBox::B)->setText(QStringLiteral("x"));
        m_watchdog->expect();
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdCalcular")), Qt::LeftButton);
        for (const char *name : { "lblAvisos", "lblResultadosAnteriores" }) {
            QWidget *note = Control(QString::fromLatin1(name));
            QVERIFY2(note && note->isVisibleTo(m_window.get()), name);
        }
        ExpectControlsApart();
    }

private:
    void ExpectControlsApart()
    {
        // Only the controls standing on the diagram picture overlap it, the
        // wider title "V2 min" reaches under its value label, and a caption
        // may reach one pixel row into the box below it.
        const QSet<QPair<QString, QString>> meant{ { QStringLiteral("lblV2min_tit"), QStringLiteral("lblV2min") } };
        for (QWidget *parent : { Client(), Control(QStringLiteral("fraResultados")) }) {
            const QList<QWidget *> controls = ShownControls(parent, m_window.get());
            QVERIFY(controls.size() >= 6);
            for (QWidget *control : controls) {
                QVERIFY2(parent->rect().contains(control->geometry()), qPrintable(control->objectName()));
                for (QWidget *other : controls) {
                    const QRect common = control->geometry().intersected(other->geometry());
                    if (other == control || common.isEmpty())
                        continue;
                    const QString a = control->objectName(), b = other->objectName();
                    const bool allowed = a == QStringLiteral("Image1") || b == QStringLiteral("Image1")
                            || meant.contains({ a, b }) || meant.contains({ b, a }) || common.height() == 1;
                    QVERIFY2(allowed, qPrintable(a + QStringLiteral(" overlaps ") + b));
                }
            }
        }
    }

private slots:
    void someControlsStandWhereTheFormPlacesThem_data()
    {
        // Twips of the form; the window shows them at 96 dots per inch.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("picture") << "Image1" << Pixels(120, 0, 7260, 2235);
        QTest::newRow("chart") << "grfMsChart" << Pixels(120, 2280, 5415, 4815);
        QTest::newRow("Calcular") << "cmdCalcular" << Pixels(5640, 6120, 3135, 375);
        QTest::newRow("Qcap box") << "txtQcap" << Pixels(7440, 1920, 1215, 285);
        QTest::newRow("results frame") << "fraResultados" << Pixels(5640, 3120, 3135, 2895);
        QTest::newRow("value in the frame") << "lblQ2inf" << Pixels(1560, 2280, 1335, 255);
    }
    void someControlsStandWhereTheFormPlacesThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, expected);
        QWidget *control = Control(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), expected);
    }

    void clientAreaAndResizing()
    {
        auto *scroller = m_window->findChild<QScrollArea *>(QStringLiteral("clientScroller"));
        QCOMPARE(Client()->size(), QSize(600, 481));
        QCOMPARE(scroller->viewport()->size(), QSize(600, 481)); // the window fits it exactly
        QVERIFY(!scroller->horizontalScrollBar()->isVisible() && !scroller->verticalScrollBar()->isVisible());
        const QRect before = Control(QStringLiteral("cmdCalcular"))->geometry();
        m_window->resize(900, 700);
        QCOMPARE(Control(QStringLiteral("cmdCalcular"))->geometry(), before);

        // Smaller than the client area: it scrolls, and every control can
        // still be reached.
        m_window->resize(300, 200);
        QCOMPARE(m_window->size(), QSize(300, 200));
        QCOMPARE(Control(QStringLiteral("cmdCalcular"))->geometry(), before);
        QTRY_VERIFY(scroller->verticalScrollBar()->isVisible() && scroller->horizontalScrollBar()->isVisible());
        QWidget *button = Control(QStringLiteral("cmdValoresDefault"));
        scroller->ensureWidgetVisible(button);
        const QRect shown(button->mapTo(scroller->viewport(), QPoint(0, 0)), button->size());
        QVERIFY(scroller->viewport()->rect().contains(shown));
    }

    void windowFitsTheScreen()
    {
        // Run again on a screen of 1366 x 768 at 175 % (see CMakeLists).
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect available = window.screen()->availableGeometry();
        QVERIFY(available.contains(window.frameGeometry()));
        if (available.height() > 600)
            QCOMPARE(window.findChild<QWidget *>(QStringLiteral("clientScroller"))->size(), QSize(600, 481));
    }

    void companionWindowsFitTheScreen()
    {
        // Run again on a small screen (see CMakeLists): each window opened
        // from the main one lies wholly on it, its buttons within reach.
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect available = window.screen()->availableGeometry();
        for (const char *command : { "mnuFamilia", "mnuGraficoAmpliado", "mnuCurvaPV", "mnuMargenes", "mnuUnidades" }) {
            window.findChild<QAction *>(QString::fromLatin1(command))->trigger();
            QWidget *opened = QApplication::activeWindow();
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (top != &window && top->isVisible() && top->objectName() != QLatin1String("frmInicio"))
                    opened = top;
            }
            QVERIFY(QTest::qWaitForWindowExposed(opened));
            QVERIFY2(available.contains(opened->frameGeometry()),
                     qPrintable(QStringLiteral("%1: %2 x %3 at %4, %5")
                                        .arg(opened->objectName())
                                        .arg(opened->frameGeometry().width())
                                        .arg(opened->frameGeometry().height())
                                        .arg(opened->frameGeometry().x())
                                        .arg(opened->frameGeometry().y())));
            for (QPushButton *button : opened->findChildren<QPushButton *>()) {
                if (button->isVisible())
                    QVERIFY(available.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())));
            }
            opened->close();
        }
    }

    void darkThemeKeepsTheDiagramCaptionsReadable()
    {
        const QPalette saved = QApplication::palette();
        QPalette dark(QColor(53, 53, 53), QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        MainWindow window(PointLocale());
        QApplication::setPalette(saved);
        for (const char *name : { "Label1", "Label2", "lblX", "lblB", "lblUinf" }) {
            QCOMPARE(window.findChild<QLabel *>(QString::fromLatin1(name))->palette().color(QPalette::WindowText),
                     QColor(Qt::black));
        }
        // Beside the picture, captions follow the theme.
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblPcarga"))->palette().color(QPalette::WindowText),
                 QColor(230, 230, 230));
    }

    // A palette chosen while the window is open reaches the values at once,
    // greyed values of the previous calculation included.
    void resultValuesFollowAChangeOfPalette()
    {
        const QPalette saved = QApplication::palette();
        MainWindow window(PointLocale());
        // A negative reactance stops the run at the system sweep: the
        // operating points are the previous run's.
        window.inputBox(InputBox::X)->setText(QStringLiteral("-0.03"));
        m_watchdog->expect();
        window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        const auto text = [&window](ResultLabel label) {
            return window.resultLabel(label)->palette().color(QPalette::WindowText);
        };
        const auto halfway = [](const QColor &a, const QColor &b) {
            return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
        };
        QPalette dark(QColor(53, 53, 53), QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        for (const QPalette &palette : { dark, saved }) {
            QApplication::setPalette(palette);
            const QColor foreground = palette.color(QPalette::WindowText);
            QCoreApplication::processEvents(); // the palette's change reaches the widgets
            const QColor grey = halfway(foreground, palette.color(QPalette::Window));
            QCOMPARE(text(ResultLabel::MargenQ2), foreground);
            QCOMPARE(text(ResultLabel::V2sup), grey);
            QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblResultadosAnteriores"))
                             ->palette()
                             .color(QPalette::WindowText),
                     grey);
        }
        QApplication::setPalette(saved);
    }

    void tooltipsExplainTheResultTitlesOnly()
    {
        // The six titles of the results explain themselves; every other
        // control is plain.
        QStringList explained;
        for (QWidget *widget : m_window->findChildren<QWidget *>()) {
            if (!widget->toolTip().isEmpty())
                explained << widget->objectName();
        }
        explained.sort();
        QCOMPARE(explained,
                 (QStringList{ "lblMargenQ2_tit", "lblQ2inf_tit", "lblQ2sup_tit", "lblV2inf_tit", "lblV2min_tit",
                               "lblV2sup_tit" }));
        const auto tip = [this](const char *name) { return Control(QString::fromLatin1(name))->toolTip(); };
        // Both values of an operating point share one explanation, of their branch.
        QCOMPARE(tip("lblQ2sup_tit"), tip("lblV2sup_tit"));
        QCOMPARE(tip("lblQ2inf_tit"), tip("lblV2inf_tit"));
        QVERIFY2(tip("lblV2sup_tit").contains(QStringLiteral("superior")), qPrintable(tip("lblV2sup_tit")));
        QVERIFY2(tip("lblV2inf_tit").contains(QStringLiteral("inferior")), qPrintable(tip("lblV2inf_tit")));
        QVERIFY(tip("lblMargenQ2_tit") != tip("lblV2min_tit"));
        // A screen reader tells the same beside each value.
        for (const QString &title : explained) {
            QWidget *value = Control(QString(title).remove(QStringLiteral("_tit")));
            QCOMPARE(QAccessible::queryAccessibleInterface(value)->text(QAccessible::Description),
                     Control(title)->toolTip());
        }
    }

    void eachBoxIsNamedByTheCaptionAboveIt()
    {
        // The caption of a box stands right above it (its last pixel row on
        // the box's first), at its left edge; a screen reader names the box by it.
        const QList<QLineEdit *> boxes = m_window->findChildren<QLineEdit *>();
        QCOMPARE(boxes.size(), qsizetype(6));
        for (QLineEdit *box : boxes) {
            QLabel *caption = nullptr;
            for (QLabel *label : Client()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
                if (label->x() == box->x() && label->geometry().bottom() <= box->y() && label->y() >= box->y() - 20) {
                    caption = label;
                }
            }
            QVERIFY2(caption, qPrintable(box->objectName()));
            QVERIFY(!caption->text().isEmpty());
            QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), caption->text());
        }
    }

    // The words on the window: checked here once.
    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Calcular") << "cmdCalcular"
                                  << "Calcular";
        QTest::newRow("default values") << "cmdValoresDefault"
                                        << "Cargar valores por defecto";
        QTest::newRow("results frame") << "fraResultados"
                                       << "Resultados";
        QTest::newRow("hidden check box") << "chkAgregar"
                                          << "Agregar";
        QTest::newRow("source side") << "Label1"
                                     << "Lado Fuente (barra 1)";
        QTest::newRow("load side") << "Label2"
                                   << "Lado Carga (barra 2)";
        QTest::newRow("susceptance") << "lblB"
                                     << "Susceptancia [p.u.]";
        QTest::newRow("V2 min title") << "lblV2min_tit"
                                      << "V2 min [p.u.]";
    }
    void captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QWidget *control = Control(name);
        QString shown;
        if (auto *label = qobject_cast<QLabel *>(control))
            shown = label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            shown = button->text();
        if (auto *frame = qobject_cast<QGroupBox *>(control))
            shown = frame->title();
        QCOMPARE(shown, caption);
    }

    void checkBoxIsHiddenAndUnchecked()
    {
        auto *agregar = m_window->findChild<QCheckBox *>(QStringLiteral("chkAgregar"));
        QVERIFY(!agregar->isVisible());
        QCOMPARE(agregar->checkState(), Qt::Unchecked);
    }

    void noDefaultOrCancelButton()
    {
        for (QPushButton *button : m_window->findChildren<QPushButton *>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
    }

    void focusCycle()
    {
        const QStringList expected = { "cmdCalcular",       "grfMsChart", "txtX",      "txtB",
                                       "txtUinf",           "txtPcarga",  "txtQcarga", "txtQcap",
                                       "cmdValoresDefault", "cmdCalcular" };
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QWidget *widget = Control(QStringLiteral("cmdCalcular"));
        widget->setFocus();
        QStringList seen = { widget->objectName() };
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, expected);
    }

    void stackingOrder()
    {
        QWidget *client = Client();
        // The picture lies behind every other control of the window.
        QCOMPARE(client->children().first(), static_cast<QObject *>(Control(QStringLiteral("Image1"))));
        // Boxes and labels over the picture are in front of it.
        for (const char *name : { "txtX", "txtB", "txtUinf", "lblX", "lblB", "lblUinf", "Label1", "Label2" }) {
            QWidget *control = Control(QString::fromLatin1(name));
            QCOMPARE(client->childAt(control->geometry().center()), control);
        }
        // The wider title label lies under its value label.
        QWidget *frame = Control(QStringLiteral("fraResultados"));
        const QPoint overlap(1600 / 15, 840 / 15 + 5);
        QCOMPARE(frame->childAt(overlap)->objectName(), QStringLiteral("lblV2min"));
    }

    void labelsOverThePicturePaintNoBackground()
    {
        for (const char *name : { "Label1", "Label2" }) {
            QWidget *label = Control(QString::fromLatin1(name));
            QVERIFY(!label->autoFillBackground());
        }
        // The coil's top, under Label1, still shows: black pixels in the
        // window where the picture has them.
        const QImage shot = Client()->grab().toImage();
        const QImage picture = DrawDiagramPicture();
        int blackUnderLabel = 0;
        for (int x = 150; x <= 193; ++x) {
            for (int y = 16; y <= 33; ++y) {
                if (picture.pixelColor(x, y) == Qt::black && shot.pixelColor(x + 8, y) == Qt::black)
                    ++blackUnderLabel;
            }
        }
        QVERIFY(blackUnderLabel > 20);
    }

    void noTextIsCutOff() { ExpectNoTextCutOff(*m_window); }

    // A style sheet of colours alone (-stylesheet) keeps the forms' font,
    // so no caption grows past its place, and the previous calculation's
    // values still show grey.
    void aStyleSheetKeepsTheFontAndTheGreyedValues()
    {
        const auto restore = qScopeGuard([font = QApplication::font()] {
            qApp->setStyleSheet(QString());
            QApplication::setFont(font);
        });
        qApp->setStyleSheet(QStringLiteral("QWidget { background-color: #202020; color: #e0e0e0; }"));
        KeepFormFontUnderStyleSheet();
        {
            MainWindow window(PointLocale());
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            ExpectNoTextCutOff(window);
            // A negative reactance stops the run: the operating points are
            // the previous run's.
            window.inputBox(InputBox::X)->setText(QStringLiteral("-0.03"));
            m_watchdog->expect();
            window.findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
            QCoreApplication::processEvents();
            const auto brightest = [&window](ResultLabel label) {
                const QImage shot = window.resultLabel(label)->grab().toImage();
                int most = 0;
                for (int y = 0; y < shot.height(); ++y) {
                    for (int x = 0; x < shot.width(); ++x)
                        most = std::max(most, qGray(shot.pixel(x, y)));
                }
                return most;
            };
            QCOMPARE_GT(brightest(ResultLabel::MargenQ2), 0xc8);
            QCOMPARE_LT(brightest(ResultLabel::V2sup), 0x98);
        }
    }

private:
    static void ExpectNoTextCutOff(QWidget &window)
    {
        for (QLabel *label : window.findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap,
                                                                   label->text());
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                     qPrintable(label->objectName()
                                + QStringLiteral(" needs %1x%2").arg(needed.width()).arg(needed.height())));
        }
        for (QPushButton *button : window.findChildren<QPushButton *>()) {
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
            QVERIFY2(button->fontMetrics().height() < button->height(), qPrintable(button->objectName()));
        }
        for (QLineEdit *box : window.findChildren<QLineEdit *>()) {
            // Inside a 2-pixel frame the whole line height must fit.
            QVERIFY2(box->fontMetrics().height() <= box->height() - 4, qPrintable(box->objectName()));
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) < box->width() - 6,
                     qPrintable(box->objectName()));
        }
        auto *frame = window.findChild<QGroupBox *>(QStringLiteral("fraResultados"));
        QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width());
        // "Lado Fuente (barra 1)" wraps onto its second line.
        QLabel *label1 = window.findChild<QLabel *>(QStringLiteral("Label1"));
        QVERIFY(label1->wordWrap());
    }

private slots:
    void theWindowShowsTheDiagramPicture()
    {
        const QImage shown = Control(QStringLiteral("Image1"))
                                     ->grab(QRect(0, 0, kDiagramWidth, kDiagramHeight))
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, DrawDiagramPicture().convertToFormat(QImage::Format_RGB32));
    }

    void diagramPictureIsTheOneKept()
    {
        // Drawn once, looked at, and kept as a PNG beside this test; run with
        // TARVILO_UPDATE_REFERENCES=1 to keep a new drawing.
        const QString kept = QStringLiteral(TARVILO_TEST_REFERENCES "/diagram_picture.png");
        const QImage picture = DrawDiagramPicture().convertToFormat(QImage::Format_RGB32);
        if (qEnvironmentVariableIntValue("TARVILO_UPDATE_REFERENCES") == 1)
            QVERIFY(picture.save(kept));
        const QImage reference = QImage(kept).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!reference.isNull(), qPrintable(kept));
        QCOMPARE(picture.size(), reference.size());
        int differing = 0;
        QPoint first(-1, -1);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, y) == reference.pixel(x, y))
                    continue;
                if (differing++ == 0)
                    first = QPoint(x, y);
            }
        }
        if (differing > 0) {
            const QString drawn = QDir::temp().filePath(QStringLiteral("diagram_picture_drawn.png"));
            picture.save(drawn);
            QFAIL(qPrintable(QStringLiteral("%1 pixels differ from %2, the first at (%3, %4); the drawing is in %5")
                                     .arg(differing)
                                     .arg(kept)
                                     .arg(first.x())
                                     .arg(first.y())
                                     .arg(drawn)));
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
