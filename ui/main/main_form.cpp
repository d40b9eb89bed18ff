#include "ui/main/main_form.h"

#include "ui/chart/qv_chart_view.h"
#include "ui/common/twips_layout.h"
#include "ui/main/control_table.h"
#include "ui/main/diagram_picture.h"
#include "ui/main/number_input_box.h"
#include "ui/main/results_panel.h"
#include "ui/main/window_notes.h"

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <iterator>
#include <vector>

namespace tarvilo {
namespace {

constexpr int kClientWidth = 600; // 9000 twips
constexpr int kClientHeight = 481; // 7215 twips
// Room for the window manager's title bar and borders.
const QSize kWindowFrame(16, 40);

NumberInputBox *MakeTextBox(QWidget *parent, const InputControl &control, const RegionalSettings &regional)
{
    auto *box = Place(new NumberInputBox(QStringLiteral("Text1"), regional, parent), control.name,
                      Twips(control.left, control.top, kInputBoxWidth, kInputBoxHeight));
    // Qt's usual limit: a paste of millions of characters would keep the
    // window busy for minutes.
    box->setMaxLength(32767);
    box->setAccessibleName(QString::fromUtf8(control.caption));
    return box;
}

} // namespace

MainForm BuildMainForm(QMainWindow &window, const QLocale &locale, const RegionalSettings &regional)
{
    MainForm form;
    // The client area keeps its size; a window made smaller than it (or a
    // screen smaller than it) scrolls it instead of cutting controls off.
    auto *scroller = new QScrollArea(&window);
    scroller->setObjectName(QStringLiteral("clientScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    scroller->setWidget(client);
    window.setCentralWidget(scroller);

    std::vector<QWidget *> order;
    auto add = [&order](auto *widget) {
        order.push_back(widget);
        return widget;
    };

    form.cmdValoresDefault = add(Place(new QPushButton(QStringLiteral("Cargar valores por defecto"), client),
                                       "cmdValoresDefault", Twips(5640, 6600, 3135, 375)));
    for (auto it = std::rbegin(kInputControls); it != std::rend(kInputControls); ++it) {
        form.inputs[static_cast<size_t>(it->box)] = add(MakeTextBox(client, *it, regional));
    }
    form.chartView = add(Place(new QvChartView(locale, regional, client), "grfMsChart", Twips(120, 2280, 5415, 4815)));
    form.chkAgregar =
            add(Place(new QCheckBox(QStringLiteral("Agregar"), client), "chkAgregar", Twips(5640, 2520, 1815, 495)));
    form.chkAgregar->setTristate(true);
    form.chkAgregar->setVisible(false);
    form.cmdCalcular = add(
            Place(new QPushButton(QStringLiteral("Calcular"), client), "cmdCalcular", Twips(5640, 6120, 3135, 375)));
    form.fraResultados = add(new ResultsPanel(client));

    const QRect picture = Twips(120, 0, 7260, 2235);
    std::vector<QLabel *> captions;
    captions.push_back(
            add(MakeLabel(client, "Label2", QStringLiteral("Lado Carga (barra 2)"), Twips(5400, 0, 1815, 375))));
    for (auto it = std::rbegin(kInputControls); it != std::rend(kInputControls); ++it) {
        captions.push_back(add(MakeLabel(client, it->captionName, QString::fromUtf8(it->caption),
                                         Twips(it->captionLeft, it->captionTop, it->captionWidth, kCaptionHeight))));
    }
    captions.push_back(
            add(MakeLabel(client, "Label1", QStringLiteral("Lado Fuente (barra 1)"), Twips(1440, 0, 1575, 495))));
    add(Place(new DiagramView(client), "Image1", picture));
    StackEarlierInFront(order);
    // The picture keeps its light grey under a dark desktop theme: the
    // captions standing on it keep dark text.
    for (QLabel *caption : captions) {
        if (!caption->geometry().intersects(picture))
            continue;
        QPalette palette = caption->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        caption->setPalette(palette);
    }

    form.fraResultados->previousNote()->raise();
    // Between the picture and that note.
    form.notes = new WindowNotes(MakeLabel(client, "lblAvisos", QString(), Twips(5640, 2250, 3135, 495)));

    // Focus cycle: Calcular, the chart, the six boxes, the default button.
    // On the chart, Enter or the space bar opens the large chart.
    form.chartView->setFocusPolicy(Qt::TabFocus);
    form.chartFocus = Place(new QFrame(client), "fraFocoGrafico", form.chartView->geometry());
    form.chartFocus->setAttribute(Qt::WA_TransparentForMouseEvents);
    form.chartFocus->setStyleSheet(
            QStringLiteral("QFrame { border: 2px solid palette(highlight); background: transparent; }"));
    form.chartFocus->hide();
    QWidget::setTabOrder(form.cmdCalcular, form.chartView);
    QWidget *previous = form.chartView;
    for (QLineEdit *box : form.inputs) {
        QWidget::setTabOrder(previous, box);
        previous = box;
    }
    QWidget::setTabOrder(previous, form.cmdValoresDefault);
    for (QPushButton *button : { form.cmdCalcular, form.cmdValoresDefault }) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    return form;
}

void FitMainFormToScreen(QMainWindow &window)
{
    // On a small screen (or a large scaling) the window starts no larger
    // than the screen; the client area scrolls.
    window.resize(kClientWidth, kClientHeight + window.menuBar()->sizeHint().height());
    const QSize available = window.screen()->availableGeometry().size() - kWindowFrame;
    QSize wanted = window.size();
    const int scrollBar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (wanted.height() > available.height())
        wanted.rwidth() += scrollBar; // no bar across for the one down
    if (wanted.width() > available.width())
        wanted.rheight() += scrollBar;
    window.resize(wanted.boundedTo(available));
}

} // namespace tarvilo
