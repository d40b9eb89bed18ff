// The main window as the user sees it: every control's place, order,
// tooltip and caption, and the diagram picture pixel by pixel.
#include "tests/support/modal_watchdog.h"
#include "ui/main/diagram_picture.h"
#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

class LayoutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporaryWorkingFolder> m_folder;
    std::unique_ptr<ModalWatchdog> m_watchdog;
    std::unique_ptr<MainWindow> m_window;

    QWidget* Control(const QString& name) const { return m_window->findChild<QWidget*>(name); }
    QWidget* Client() const { return Control(QStringLiteral("clientArea")); }

private slots:
    void cleanup()
    {
        QVERIFY2(m_watchdog->sawAllExpected(), "an expected message box never came");
        m_watchdog->clear();
    }
    void initTestCase()
    {
        m_folder = std::make_unique<TemporaryWorkingFolder>();
        m_watchdog = std::make_unique<ModalWatchdog>();
        m_window = std::make_unique<MainWindow>(PointLocale());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanupTestCase() { m_window.reset(); }

    void controlGeometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        const struct {
            const char* name;
            int left, top, width, height;
        } table[] = {
            {"cmdValoresDefault", 5640, 6600, 3135, 375}, {"txtQcap", 7440, 1920, 1215, 285},
            {"txtQcarga", 7440, 1200, 1215, 285},         {"txtPcarga", 7440, 480, 1215, 285},
            {"txtUinf", 120, 1320, 1215, 285},            {"txtB", 2640, 1800, 1215, 285},
            {"txtX", 2640, 960, 1215, 285},               {"grfMsChart", 120, 2280, 5415, 4815},
            {"chkAgregar", 5640, 2520, 1815, 495},        {"cmdCalcular", 5640, 6120, 3135, 375},
            {"fraResultados", 5640, 3120, 3135, 2895},    {"lblQ2inf", 1560, 2280, 1335, 255},
            {"lblV2inf", 1560, 1920, 1335, 255},          {"lblQ2sup", 1560, 1560, 1335, 255},
            {"lblV2sup", 1560, 1200, 1335, 255},          {"lblV2min", 1560, 840, 1335, 255},
            {"lblMargenQ2", 1560, 480, 1335, 255},        {"lblMargenQ2_tit", 120, 480, 1335, 255},
            {"lblV2min_tit", 120, 840, 1575, 255},        {"lblV2sup_tit", 120, 1200, 1335, 255},
            {"lblQ2sup_tit", 120, 1560, 1335, 255},       {"lblV2inf_tit", 120, 1920, 1335, 255},
            {"lblQ2inf_tit", 120, 2280, 1335, 255},       {"Label2", 5400, 0, 1815, 375},
            {"lblQcap", 7440, 1680, 1335, 255},           {"lblQcarga", 7440, 960, 1335, 255},
            {"lblPcarga", 7440, 240, 1335, 255},          {"lblUinf", 120, 1080, 1335, 255},
            {"lblB", 2640, 1560, 1455, 255},              {"lblX", 2640, 720, 1335, 255},
            {"Label1", 1440, 0, 1575, 495},               {"Image1", 120, 0, 7260, 2235},
        };
        for (const auto& row : table) {
            QTest::newRow(row.name) << QString::fromLatin1(row.name)
                                    << QRect(row.left, row.top, row.width, row.height);
        }
    }
    void controlGeometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QWidget* control = Control(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(),
                 QRect(twips.left() / 15, twips.top() / 15, twips.width() / 15, twips.height() / 15));
    }

    void clientAreaAndResizing()
    {
        auto* scroller = m_window->findChild<QScrollArea*>(QStringLiteral("clientScroller"));
        QCOMPARE(Client()->size(), QSize(600, 481));
        QCOMPARE(scroller->viewport()->size(), QSize(600, 481));  // the window fits it exactly
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
        QWidget* button = Control(QStringLiteral("cmdValoresDefault"));
        scroller->ensureWidgetVisible(button);
        const QRect shown(button->mapTo(scroller->viewport(), QPoint(0, 0)), button->size());
        QVERIFY(scroller->viewport()->rect().contains(shown));
        m_window->resize(600, 481 + m_window->menuWidget()->height());
    }

    void windowFitsTheScreen()
    {
        // Run again on a screen of 1366 x 768 at 175 % (see CMakeLists).
        MainWindow window(PointLocale());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect available = window.screen()->availableGeometry();
        QVERIFY(available.contains(window.frameGeometry()));
        if (available.height() > 600) QCOMPARE(window.findChild<QWidget*>(QStringLiteral("clientScroller"))->size(), QSize(600, 481));
    }

    void darkThemeKeepsTheDiagramCaptionsReadable()
    {
        const QPalette saved = QApplication::palette();
        QPalette dark(QColor(53, 53, 53), QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        MainWindow window(PointLocale());
        QApplication::setPalette(saved);
        for (const char* name : {"Label1", "Label2", "lblX", "lblB", "lblUinf"}) {
            QCOMPARE(window.findChild<QLabel*>(QString::fromLatin1(name))->palette().color(QPalette::WindowText),
                     QColor(Qt::black));
        }
        // Beside the picture, captions follow the theme.
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblPcarga"))->palette().color(QPalette::WindowText),
                 QColor(230, 230, 230));
    }

    void tooltipsOnlyOnTitleLabels()
    {
        const QString upper = QStringLiteral("Intersección entre la rama superior de la característica del sistema y de la carga");
        const QString lower = QStringLiteral("Intersección entre la rama inferior de la característica del sistema y de la carga");
        QCOMPARE(Control(QStringLiteral("lblMargenQ2_tit"))->toolTip(), QStringLiteral("Margen de reactivo disponible."));
        QCOMPARE(Control(QStringLiteral("lblV2min_tit"))->toolTip(),
                 QStringLiteral("Mínima tensión medida sobre la característica del sistema (corresponde a la rama inferior)"));
        QCOMPARE(Control(QStringLiteral("lblV2sup_tit"))->toolTip(), upper);
        QCOMPARE(Control(QStringLiteral("lblQ2sup_tit"))->toolTip(), upper);
        QCOMPARE(Control(QStringLiteral("lblV2inf_tit"))->toolTip(), lower);
        QCOMPARE(Control(QStringLiteral("lblQ2inf_tit"))->toolTip(), lower);
        int withTooltip = 0;
        for (QWidget* widget : m_window->findChildren<QWidget*>()) withTooltip += !widget->toolTip().isEmpty();
        QCOMPARE(withTooltip, 6);
    }

    void captions()
    {
        auto text = [this](const char* name) {
            QWidget* w = Control(QString::fromLatin1(name));
            if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
            if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
            return QString();
        };
        QCOMPARE(text("cmdCalcular"), QStringLiteral("Calcular"));
        QCOMPARE(text("cmdValoresDefault"), QStringLiteral("Cargar valores por defecto"));
        QCOMPARE(text("fraResultados"), QStringLiteral("Resultados"));
        QCOMPARE(text("chkAgregar"), QStringLiteral("Agregar"));
        QCOMPARE(text("Label1"), QStringLiteral("Lado Fuente (barra 1)"));
        QCOMPARE(text("Label2"), QStringLiteral("Lado Carga (barra 2)"));
        QCOMPARE(text("lblB"), QStringLiteral("Susceptancia [p.u.]"));
        QCOMPARE(text("lblV2min_tit"), QStringLiteral("V2 min [p.u.]"));
    }

    void checkBoxIsHiddenAndUnchecked()
    {
        auto* agregar = m_window->findChild<QCheckBox*>(QStringLiteral("chkAgregar"));
        QVERIFY(!agregar->isVisible());
        QCOMPARE(agregar->checkState(), Qt::Unchecked);
    }

    void noDefaultOrCancelButton()
    {
        for (QPushButton* button : m_window->findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
    }

    void focusCycle()
    {
        const QStringList expected = {"cmdCalcular", "grfMsChart", "txtX",    "txtB",              "txtUinf",
                                      "txtPcarga",   "txtQcarga",  "txtQcap", "cmdValoresDefault", "cmdCalcular"};
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QWidget* widget = Control(QStringLiteral("cmdCalcular"));
        widget->setFocus();
        QStringList seen = {widget->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, expected);
    }

    void stackingOrder()
    {
        QWidget* client = Client();
        // The picture lies behind every other control of the window.
        QCOMPARE(client->children().first(), static_cast<QObject*>(Control(QStringLiteral("Image1"))));
        // Boxes and labels over the picture are in front of it.
        for (const char* name : {"txtX", "txtB", "txtUinf", "lblX", "lblB", "lblUinf", "Label1", "Label2"}) {
            QWidget* control = Control(QString::fromLatin1(name));
            QCOMPARE(client->childAt(control->geometry().center()), control);
        }
        // The wider title label lies under its value label.
        QWidget* frame = Control(QStringLiteral("fraResultados"));
        const QPoint overlap(1600 / 15, 840 / 15 + 5);
        QCOMPARE(frame->childAt(overlap)->objectName(), QStringLiteral("lblV2min"));
    }

    void labelsOverThePicturePaintNoBackground()
    {
        for (const char* name : {"Label1", "Label2"}) {
            QWidget* label = Control(QString::fromLatin1(name));
            QVERIFY(!label->autoFillBackground());
        }
        // The coil's top, under Label1, still shows: black pixels in the
        // window where the picture has them.
        const QImage shot = Client()->grab().toImage();
        const QImage picture = DrawDiagramPicture();
        int blackUnderLabel = 0;
        for (int x = 150; x <= 193; ++x) {
            for (int y = 16; y <= 33; ++y) {
                if (picture.pixelColor(x, y) == Qt::black && shot.pixelColor(x + 8, y) == Qt::black) ++blackUnderLabel;
            }
        }
        QVERIFY(blackUnderLabel > 20);
    }

    void noTextIsCutOff()
    {
        for (QLabel* label : m_window->findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;
            const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                                   Qt::TextWordWrap, label->text());
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                     qPrintable(label->objectName() + QStringLiteral(" needs %1x%2").arg(needed.width()).arg(needed.height())));
        }
        for (QPushButton* button : m_window->findChildren<QPushButton*>()) {
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
            QVERIFY2(button->fontMetrics().height() < button->height(), qPrintable(button->objectName()));
        }
        for (QLineEdit* box : m_window->findChildren<QLineEdit*>()) {
            // Inside a 2-pixel frame the whole line height must fit.
            QVERIFY2(box->fontMetrics().height() <= box->height() - 4, qPrintable(box->objectName()));
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) < box->width() - 6, qPrintable(box->objectName()));
        }
        auto* frame = m_window->findChild<QGroupBox*>(QStringLiteral("fraResultados"));
        QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width());
        // "Lado Fuente (barra 1)" wraps onto its second line.
        QLabel* label1 = m_window->findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label1->wordWrap());
    }

    void diagramPicture_data()
    {
        QTest::addColumn<QRect>("block");  // first and last pixel of a black element
        QTest::newRow("conductor left") << QRect(QPoint(46, 38), QPoint(148, 39));
        QTest::newRow("conductor right") << QRect(QPoint(263, 38), QPoint(459, 39));
        QTest::newRow("bus 1") << QRect(QPoint(79, 0), QPoint(82, 78));
        QTest::newRow("bus 2") << QRect(QPoint(343, 2), QPoint(346, 81));
        QTest::newRow("source lead") << QRect(QPoint(120, 40), QPoint(121, 91));
        QTest::newRow("source upper plate") << QRect(QPoint(87, 92), QPoint(157, 95));
        QTest::newRow("source lower plate") << QRect(QPoint(87, 108), QPoint(157, 111));
        QTest::newRow("source ground lead") << QRect(QPoint(120, 112), QPoint(121, 138));
        QTest::newRow("source ground long") << QRect(QPoint(98, 139), QPoint(143, 140));
        QTest::newRow("source ground short") << QRect(QPoint(112, 147), QPoint(129, 148));
        QTest::newRow("load side lead") << QRect(QPoint(301, 40), QPoint(302, 92));
        QTest::newRow("load side upper plate") << QRect(QPoint(268, 93), QPoint(338, 96));
        QTest::newRow("load side lower plate") << QRect(QPoint(268, 109), QPoint(338, 112));
        QTest::newRow("load side ground long") << QRect(QPoint(279, 139), QPoint(324, 140));
        QTest::newRow("load side ground short") << QRect(QPoint(293, 147), QPoint(310, 148));
        QTest::newRow("compensation lead") << QRect(QPoint(407, 40), QPoint(408, 92));
        QTest::newRow("compensation upper plate") << QRect(QPoint(390, 93), QPoint(425, 96));
        QTest::newRow("compensation lower plate") << QRect(QPoint(390, 109), QPoint(425, 112));
        QTest::newRow("compensation ground long") << QRect(QPoint(385, 139), QPoint(430, 140));
        QTest::newRow("compensation ground short") << QRect(QPoint(399, 147), QPoint(416, 148));
        QTest::newRow("load lead") << QRect(QPoint(458, 40), QPoint(459, 56));
        QTest::newRow("load top side") << QRect(QPoint(447, 57), QPoint(469, 58));
        QTest::newRow("load bottom side") << QRect(QPoint(447, 120), QPoint(469, 121));
        QTest::newRow("load left side") << QRect(QPoint(447, 57), QPoint(448, 121));
        QTest::newRow("load right side") << QRect(QPoint(468, 57), QPoint(469, 121));
        QTest::newRow("load ground long") << QRect(QPoint(436, 137), QPoint(481, 138));
        QTest::newRow("load ground short") << QRect(QPoint(450, 145), QPoint(467, 146));
    }
    void diagramPicture()
    {
        QFETCH(QRect, block);
        const QImage picture = DrawDiagramPicture();
        QCOMPARE(picture.size(), QSize(484, 149));
        for (int x = block.left(); x <= block.right(); ++x) {
            for (int y = block.top(); y <= block.bottom(); ++y) {
                QVERIFY2(picture.pixelColor(x, y) == Qt::black, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        }
        // One pixel beyond the element's ends is background (or another element).
        const QColor grey(205, 205, 205);
        if (block.width() > block.height() && block.left() > 0 && block.top() > 45) {
            QCOMPARE(picture.pixelColor(block.left() - 1, block.top()), grey);
            QCOMPARE(picture.pixelColor(block.right() + 1, block.top()), grey);
        }
    }

    void diagramCoilSourceAndBackground()
    {
        const QImage picture = DrawDiagramPicture();
        const QColor grey(205, 205, 205);
        // White strip in place of the conductor under the coil.
        for (int x = 152; x <= 261; ++x) {
            for (int y = 37; y <= 41; ++y) QCOMPARE(picture.pixelColor(x, y), QColor(Qt::white));
        }
        // The coil: four loops within x 150-262, y 16-36, reaching both.
        QRect coil;
        for (int x = 140; x <= 272; ++x) {
            for (int y = 0; y <= 36; ++y) {
                if (picture.pixelColor(x, y) == Qt::black && (x > 83 && (x < 150 || x > 262 || y < 38))) {
                    if (y < 37 && (x < 150 || x > 262)) continue;  // conductor ends
                    coil = coil.united(QRect(x, y, 1, 1));
                }
            }
        }
        QCOMPARE(coil.top(), 16);
        QCOMPARE(coil.bottom(), 36);
        QVERIFY(coil.left() >= 150 && coil.right() <= 262);
        QVERIFY(coil.left() <= 152 && coil.right() >= 260);
        int tops = 0;  // loops peak four times along the top row band
        for (int x = 150; x <= 262; ++x) {
            const bool here = picture.pixelColor(x, 16) == Qt::black;
            const bool before = x > 150 && picture.pixelColor(x - 1, 16) == Qt::black;
            tops += here && !before;
        }
        QCOMPARE(tops, 4);
        // The source circle: within x 0-44, y 16-60, touching the conductor.
        for (int y = 0; y < 149; ++y) {
            for (int x = 0; x <= 44; ++x) {
                if (picture.pixelColor(x, y) == Qt::black) QVERIFY(y >= 16 && y <= 60);
            }
        }
        QCOMPARE(picture.pixelColor(22, 16), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(22, 60), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(0, 38), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(44, 38), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(22, 38), grey);  // hollow
        // Background elsewhere, and only three colours in all.
        for (const QPoint p : {QPoint(0, 0), QPoint(200, 100), QPoint(483, 0), QPoint(483, 148), QPoint(360, 60)}) {
            QCOMPARE(picture.pixelColor(p), grey);
        }
        for (int y = 0; y < 149; ++y) {
            for (int x = 0; x < 484; ++x) {
                const QColor c = picture.pixelColor(x, y);
                QVERIFY(c == grey || c == Qt::black || c == Qt::white);
            }
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
