// What a start-up does to look no different for less: Fusion's pictures
// drawn instead of read, and the program's icon drawn when asked for.
#include "tests/support/widget_test_fixture.h"
#include "ui/common/app_icon.h"
#include "ui/common/drawn_style.h"
#include "ui/common/form_font.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <memory>

using namespace tarvilo;
using namespace tarvilo::testing;

namespace {

// A titled frame with one value, as the main window's results frame.
std::unique_ptr<QWidget> TitledFrame()
{
    auto form = std::make_unique<QWidget>();
    form->setFont(FormFont());
    form->resize(240, 220);
    auto *frame = new QGroupBox(QStringLiteral("Resultados"), form.get());
    frame->setGeometry(10, 10, 209, 193);
    (new QLabel(QStringLiteral("V2 min [p.u.]"), frame))->move(8, 40);
    return form;
}

int Difference(QRgb a, QRgb b)
{
    return std::max({ std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)) });
}

// Where the frame's line crosses the middle column and the middle row: its
// top and bottom, left and right, as the first and last pixels differing
// from the window's colour along them.
QList<int> FrameEdges(const QImage &image, const QRect &frame)
{
    const QRgb window = image.pixel(1, 1);
    QList<int> edges;
    const int column = frame.center().x();
    const int row = frame.center().y();
    for (const bool vertical : { true, false }) {
        int first = -1;
        int last = -1;
        const int length = vertical ? image.height() : image.width();
        for (int i = 0; i < length; ++i) {
            const QRgb pixel = vertical ? image.pixel(column, i) : image.pixel(i, row);
            if (Difference(pixel, window) > 4) {
                first = first < 0 ? i : first;
                last = i;
            }
        }
        edges << first << last;
    }
    return edges;
}

void UseStyle(const char *name)
{
    QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(name)));
}

} // namespace

class StartUpLookTest : public WidgetTestFixture
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        qApp->setStyleSheet(QString());
        UseStyle("Fusion");
        WidgetTestFixture::cleanup();
    }

    void theDrawnGroupBoxFrameLooksAsFusionsOwn()
    {
        UseStyle("Fusion");
        std::unique_ptr<QWidget> form = TitledFrame();
        const QRect frame = form->findChild<QGroupBox *>()->geometry();
        const QImage fusion = form->grab().toImage();
        UseDrawnFusionPictures();
        const QImage drawn = form->grab().toImage();
        QCOMPARE(drawn.size(), fusion.size());
        const QList<int> edges = FrameEdges(fusion, frame);
        QVERIFY(!edges.contains(-1));
        QCOMPARE(FrameEdges(drawn, frame), edges);
        int most = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const int difference = Difference(drawn.pixel(x, y), fusion.pixel(x, y));
                most = std::max(most, difference);
            }
        }
        // Every pixel within a few levels of Fusion's own, the corners too.
        QVERIFY2(most <= 4, qPrintable(QString::number(most)));
    }

    void theMenuBarsExtensionArrowIsDrawn()
    {
        UseDrawnFusionPictures();
        const auto arrow = [](QStyle::StandardPixmap which, Qt::LayoutDirection direction) {
            QWidget bar;
            bar.setLayoutDirection(direction);
            return QApplication::style()->standardIcon(which, nullptr, &bar).pixmap(16, 16).toImage();
        };
        QImage down = arrow(QStyle::SP_ToolBarVerticalExtensionButton, Qt::LeftToRight);
        QImage turned(down.height(), down.width(), QImage::Format_ARGB32);
        for (int y = 0; y < down.height(); ++y) {
            for (int x = 0; x < down.width(); ++x)
                turned.setPixelColor(y, x, down.pixelColor(x, y));
        }
        struct Case
        {
            const char *name;
            QImage image;
            bool pointsRight;
        };
        const Case cases[] = {
            { "across", arrow(QStyle::SP_ToolBarHorizontalExtensionButton, Qt::LeftToRight), true },
            { "across, right to left", arrow(QStyle::SP_ToolBarHorizontalExtensionButton, Qt::RightToLeft), false },
            { "down, seen turned", turned, true },
        };
        for (const Case &arrowCase : cases) {
            // Two chevrons a gap apart: their backs on the top inked row,
            // their tips two rows down, on the side they point to.
            const QImage &image = arrowCase.image;
            const auto inkOn = [&image](int row) {
                QList<int> columns;
                for (int x = 0; row >= 0 && row < image.height() && x < image.width(); ++x) {
                    if (image.pixelColor(x, row).alpha() > 100)
                        columns << x;
                }
                return columns;
            };
            int top = 0;
            while (top < image.height() && inkOn(top).isEmpty())
                ++top;
            const QList<int> backs = inkOn(top);
            const QList<int> tips = inkOn(top + 2);
            QVERIFY2(backs.size() == 2 && tips.size() == 2 && backs.at(1) - backs.at(0) >= 3, arrowCase.name);
            QVERIFY2((tips.at(0) > backs.at(0)) == arrowCase.pointsRight, arrowCase.name);
            QVERIFY2(inkOn(top + 5).isEmpty(), arrowCase.name);
        }
        // A menu bar too narrow for its menus offers the rest behind it.
        QWidget window;
        auto *bar = new QMenuBar(&window);
        for (const char *title : { "Archivo", "Ver", "Acerca de..." })
            bar->addMenu(QString::fromLatin1(title));
        bar->setGeometry(0, 0, 90, 24);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<QToolButton *> buttons = bar->findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 1);
        QVERIFY(buttons.front()->isVisible());
        QVERIFY(!buttons.front()->icon().isNull());
    }

    void anotherStyleOrAStyleSheetIsLeftAsItIs()
    {
        UseStyle("Windows");
        const QStyle *windows = QApplication::style();
        UseDrawnFusionPictures();
        QCOMPARE(QApplication::style(), windows);

        UseStyle("Fusion");
        qApp->setStyleSheet(QStringLiteral("QGroupBox { border: 2px solid red; }"));
        const QStyle *sheet = QApplication::style();
        UseDrawnFusionPictures();
        QCOMPARE(QApplication::style(), sheet);
    }

    void theIconIsDrawnAtEverySizeAskedFor()
    {
        const QIcon icon = AppIcon();
        for (const int side : { 16, 32, 48, 64, 128, 16 }) {
            const QImage drawn = icon.pixmap(side, side).toImage();
            QCOMPARE(drawn.size(), QSize(side, side));
            // Transparent corners around a white card with the curves on it.
            QCOMPARE(drawn.pixelColor(0, 0).alpha(), 0);
            QCOMPARE(drawn.pixelColor(side / 2, side / 8).alpha(), 255);
        }
    }
};

QTEST_MAIN(StartUpLookTest)
#include "start_up_look_test.moc"
