#include "ui/report/study_report.h"

#include "core/number_format.h"
#include "core/pv_curve.h"
#include "core/qv_method_margin.h"
#include "core/run_fault.h"
#include "core/stability_margins.h"
#include "ui/chart/styled_chart.h"
#include "ui/common/text_breaking.h"
#include "ui/margins/margin_texts.h"
#include "ui/pv_curve/pv_curve_window.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>
#include <variant>

namespace tarvilo {
namespace {

// The page's own pixels, in which the charts' one- and two-pixel lines
// print as such.
constexpr int kResolution = 96;
// The smallest type a table shrinks to, in points.
constexpr qreal kSmallestType = 5;
// The charts are laid out at this size and scaled to the page's width:
// their fonts stay about as large as the text's.
const QSizeF kChartLayout(820, 560);

QString Number(double value, const RegionalSettings &regional)
{
    return QString::fromStdString(FormatWithPattern(value, kLabelPattern, regional));
}

QString Shown(const MarginValue &value, const RegionalSettings &regional)
{
    return value.exists() ? Number(value.value, regional) : AbsenceText(*value.absence);
}

// Lays out blocks down the pages: each block goes on the present page if
// it fits below what is there, else on a new one. Without a painter it only
// counts the pages; with one it draws, "Página 1 de 3" at each page's foot.
class PageLayout
{
public:
    PageLayout(QPdfWriter &pdf, QPainter *painter, int pageCount = 0)
        : m_pdf(pdf), m_painter(painter), m_pageCount(pageCount)
    {
        m_footer.setPointSizeF(8);
        m_width = pdf.width();
        // The foot of the page is kept for its number.
        m_height = pdf.height() - 2 * QFontMetricsF(m_footer, &m_pdf).lineSpacing();
        m_text.setPointSizeF(10);
        m_heading = m_text;
        m_heading.setBold(true);
        m_heading.setPointSizeF(12.5);
        m_title = m_heading;
        m_title.setPointSizeF(17);
    }

    qreal width() const { return m_width; }
    int pages() const { return m_page; }

    void title(const QString &text) { paragraph(text, m_title, 6); }
    // A heading is never left alone at the foot of a page: it goes with
    // the block below it, or with its first lines where none is given.
    void heading(const QString &text, qreal following = -1)
    {
        const qreal height = textHeight(text, m_heading, m_width);
        if (following < 0)
            following = 4 * QFontMetricsF(m_text, &m_pdf).lineSpacing();
        room(height + following + 14);
        m_y += 10;
        paragraph(text, m_heading, 4);
    }
    void paragraph(const QString &text) { paragraph(text, m_text, 4); }
    void gap(qreal height) { m_y += height; }

    // Rows of columns; each column's width a share of the page's.
    void table(const std::vector<QStringList> &rows, const std::vector<qreal> &shares, bool header = false,
               qreal pointSize = 0)
    {
        QFont text = m_text;
        if (pointSize > 0)
            text.setPointSizeF(pointSize);
        // A word wraps nowhere: the type shrinks until the longest of each
        // column fits in it. A word that would not fit even in the smallest
        // type (a value of hundreds of digits) is broken over lines instead.
        QFont smallest = text;
        smallest.setPointSizeF(kSmallestType);
        while (text.pointSizeF() > kSmallestType && !wordsFit(rows, shares, text, header, smallest))
            text.setPointSizeF(text.pointSizeF() - 0.5);
        const QFontMetricsF metrics(text, &m_pdf);
        for (size_t r = 0; r < rows.size(); ++r) {
            QFont font = text;
            font.setBold(header && r == 0);
            QStringList cells = rows[r];
            const QFontMetricsF cellMetrics(font, &m_pdf);
            for (int c = 0; c < cells.size() && c < static_cast<int>(shares.size()); ++c)
                cells[c] = BrokenToFit(cells[c], cellMetrics, cellWidth(shares[c]));
            qreal height = 0;
            for (int c = 0; c < cells.size() && c < static_cast<int>(shares.size()); ++c)
                height = std::max(height, textHeight(cells[c], font, cellWidth(shares[c])));
            height = std::max(height, metrics.lineSpacing());
            room(height + 2);
            if (m_painter) {
                m_painter->setFont(font);
                qreal x = 0;
                for (int c = 0; c < cells.size() && c < static_cast<int>(shares.size()); ++c) {
                    const QRectF cell(x, m_y, cellWidth(shares[c]), height);
                    m_painter->drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, cells[c]);
                    x += shares[c] * m_width;
                }
            }
            m_y += height + 2;
        }
    }

    qreal pictureHeight(qreal aspect) const { return m_width / aspect; }
    // A drawing of the page's width and the given shape.
    void picture(qreal aspect, const std::function<void(QPainter &, const QRectF &)> &draw)
    {
        const qreal height = pictureHeight(aspect);
        room(height);
        if (m_painter)
            draw(*m_painter, QRectF(0, m_y, m_width, height));
        m_y += height + 6;
    }

private:
    qreal cellWidth(qreal share) const { return share * m_width - 8; }

    // Whether every word of the rows that fits in its column in the smallest
    // type fits in it in this one.
    bool wordsFit(const std::vector<QStringList> &rows, const std::vector<qreal> &shares, const QFont &text,
                  bool header, const QFont &smallest) const
    {
        QFont bold = text;
        bold.setBold(true);
        QFont smallestBold = smallest;
        smallestBold.setBold(true);
        for (size_t r = 0; r < rows.size(); ++r) {
            const bool inBold = header && r == 0;
            const QFontMetricsF metrics(inBold ? bold : text, &m_pdf);
            const QFontMetricsF least(inBold ? smallestBold : smallest, &m_pdf);
            for (int c = 0; c < rows[r].size() && c < static_cast<int>(shares.size()); ++c) {
                const qreal width = cellWidth(shares[c]);
                for (const QString &word : rows[r][c].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    if (metrics.horizontalAdvance(word) > width && least.horizontalAdvance(word) <= width)
                        return false;
                }
            }
        }
        return true;
    }

    // The cell's text with each word wider than its column broken into
    // lines that fit in it.
    static QString BrokenToFit(const QString &cell, const QFontMetricsF &metrics, qreal width)
    {
        if (metrics.horizontalAdvance(cell) <= width)
            return cell;
        QStringList words = cell.split(QLatin1Char(' '));
        for (QString &word : words)
            word = BrokenIntoLines(word, metrics, width);
        return words.join(QLatin1Char(' '));
    }

    qreal textHeight(const QString &text, const QFont &font, qreal width) const
    {
        const QFontMetricsF metrics(font, &m_pdf);
        return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
    }

    void paragraph(const QString &text, const QFont &font, qreal after)
    {
        const qreal height = textHeight(text, font, m_width);
        room(height);
        if (m_painter) {
            m_painter->setFont(font);
            m_painter->drawText(QRectF(0, m_y, m_width, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        }
        m_y += height + after;
    }

    void room(qreal height)
    {
        if (m_page == 0 || (m_y > 0 && m_y + height > m_height)) {
            if (m_painter && m_page > 0)
                m_pdf.newPage();
            ++m_page;
            m_y = 0;
            drawFooter();
        }
    }

    void drawFooter()
    {
        if (!m_painter)
            return;
        m_painter->setFont(m_footer);
        const qreal height = QFontMetricsF(m_footer, &m_pdf).lineSpacing();
        m_painter->drawText(QRectF(0, m_pdf.height() - height, m_width, height), Qt::AlignRight | Qt::AlignBottom,
                            QStringLiteral("Página %1 de %2").arg(m_page).arg(m_pageCount));
    }

    QPdfWriter &m_pdf;
    QPainter *m_painter;
    int m_pageCount;
    int m_page = 0;
    QFont m_footer;
    QFont m_text;
    QFont m_heading;
    QFont m_title;
    qreal m_width = 0;
    qreal m_height = 0;
    qreal m_y = 0;
};

std::vector<QStringList> Rows(const std::vector<ReportRow> &rows)
{
    std::vector<QStringList> cells;
    for (const ReportRow &row : rows)
        cells.push_back({ row.name, row.value, row.unit, row.remark });
    return cells;
}

const std::vector<qreal> kRowShares = { 0.36, 0.3, 0.12, 0.22 };

// The margins of the case on the chart, as the margins window gives them.
std::vector<QStringList> MarginRows(const QvInputs &inputs, const RegionalSettings &regional)
{
    const StabilityMargins margins = ComputeStabilityMargins(inputs);
    const auto row = [](const char *name, const QString &value, const char *unit) {
        return QStringList{ QString::fromUtf8(name), value, QString::fromUtf8(unit) };
    };
    return {
        row("Margen QV", QvMarginText(ComputeQvMethodMargin(inputs), regional), "p.u."),
        row("Margen P", Shown(margins.activeMargin, regional), "p.u."),
        row("Margen P", Shown(margins.activeMarginPercent, regional), "%"),
        row("V2 sup - V2 crit", Shown(margins.voltageDistance, regional), "p.u."),
        row("dV2/dQcarga en V2 sup", Shown(margins.upper.dV2dQcarga, regional), "p.u./p.u."),
        row("dV2/dQcarga en V2 inf", Shown(margins.lower.dV2dQcarga, regional), "p.u./p.u."),
        row("dV2/dPcarga en V2 sup", Shown(margins.upper.dV2dPcarga, regional), "p.u./p.u."),
        row("dV2/dPcarga en V2 inf", Shown(margins.lower.dV2dPcarga, regional), "p.u./p.u."),
        row("Índice L en V2 sup", Shown(margins.upper.indexL, regional), ""),
        row("Índice L en V2 inf", Shown(margins.lower.indexL, regional), ""),
    };
}

// Pmax, the voltage there and the active margin, or why there is no P-V curve.
std::vector<QStringList> PvRows(const QvInputs &inputs, const RegionalSettings &regional)
{
    std::variant<PvNose, PvObstacle> nose = PvObstacle::NoLine;
    try {
        nose = TracePvNose(inputs);
    } catch (const RunFault &) {
        return { { QStringLiteral("Pmax"), AbsenceText(MarginAbsence::TooLarge), QStringLiteral("p.u.") } };
    }
    if (const auto *obstacle = std::get_if<PvObstacle>(&nose)) {
        const MarginAbsence absence = *obstacle == PvObstacle::NoLoad ? MarginAbsence::NoLoad
                : *obstacle == PvObstacle::NoNose                     ? MarginAbsence::NoNose
                                                                      : MarginAbsence::NoLine;
        return { { QStringLiteral("Pmax"), AbsenceText(absence), QStringLiteral("p.u.") } };
    }
    const PvNose &found = std::get<PvNose>(nose);
    const bool exporting = inputs.Pcarga < 0;
    return {
        { exporting ? QStringLiteral("Límite de exportación") : QStringLiteral("Pmax"), Number(found.Pmax, regional),
          QStringLiteral("p.u.") },
        { exporting ? QStringLiteral("V2 en el límite") : QStringLiteral("V2 en Pmax"), Number(found.vNose, regional),
          QStringLiteral("p.u.") },
        { QStringLiteral("Margen P (Pmax - |Pcarga|)"), Number(found.Pmax - std::abs(inputs.Pcarga), regional),
          QStringLiteral("p.u.") },
    };
}

const char *const kDefinitions[] = {
    "Margen Q2: la potencia reactiva crítica Q2crit de la nariz de la característica del sistema menos la "
    "característica de la carga en V2crit.",
    "Margen QV: la mayor distancia entre la característica del sistema y la de la carga (método Q-V); no tiene "
    "máximo con X·Beq ≥ 1.",
    "Pmax y Margen P: Pmax es la mayor potencia activa que la red entrega a la carga con su factor de potencia, "
    "donde se juntan las dos ramas de la curva P-V; Margen P = Pmax - |Pcarga|, y en % de |Pcarga|.",
    "V2 sup - V2 crit: cuánto puede bajar la tensión desde el punto de operación superior hasta la nariz.",
    "Sensibilidades dV2/dQcarga y dV2/dPcarga: cuánto cambia la tensión de cada punto de operación por cada p.u. "
    "más de carga, lo demás fijo; infinitas en la nariz.",
    "Índice L: X·|S| / ((1 - X·Beq)·V2²), la potencia aparente de la carga sobre la que lleva el equivalente de "
    "Thévenin a esa tensión: 0 sin carga, menor que 1 en el punto superior, 1 en la nariz.",
};

} // namespace

QByteArray StudyReport(const ReportContent &content)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const RegionalSettings &regional = content.spelling.regional;
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kResolution);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Portrait);
        pdf.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
        pdf.setTitle(QStringLiteral("Informe de estabilidad de tensión"));
        pdf.setCreator(QStringLiteral("Tarvilo"));
        // Handed over to be drawn, and deleted, on the second pass: the first counts the pages.
        QString why;
        std::unique_ptr<StyledChart> pv(NewPvChart(content.shown.inputs, content.spelling.locale, regional, &why));
        const auto layOut = [&](PageLayout &page) {
            page.title(QStringLiteral("Informe de estabilidad de tensión"));
            page.table({ { QStringLiteral("Fecha"), content.date },
                         { QStringLiteral("Caso"), content.caseName },
                         { QStringLiteral("Programa"), QStringLiteral("Tarvilo ") + content.version } },
                       { 0.2, 0.8 });
            if (!content.shown.note.isEmpty()) {
                page.gap(4);
                page.paragraph(content.shown.note);
            }

            page.heading(QStringLiteral("Datos del caso [p.u.]"));
            page.table(Rows(content.inputs), kRowShares);

            page.heading(QStringLiteral("Resultados"));
            page.table(Rows(content.results), kRowShares);
            page.table(PvRows(content.shown.inputs, regional), kRowShares);

            if (!content.physical.empty()) {
                page.heading(QStringLiteral("El caso en unidades físicas"));
                page.paragraph(content.physicalBases);
                page.table(Rows(content.physical), kRowShares);
            }

            page.heading(QStringLiteral("Márgenes y sensibilidades"));
            page.table(MarginRows(content.shown.inputs, regional), kRowShares);

            const qreal chartAspect = kChartLayout.width() / kChartLayout.height();
            page.heading(QStringLiteral("Curvas Q-V"), page.pictureHeight(chartAspect));
            page.picture(chartAspect, [&](QPainter &on, const QRectF &target) {
                DrawQvChart(content.shown, content.spelling, content.qvRanges, on, target, kChartLayout);
            });

            page.heading(QStringLiteral("Curva P-V"), pv ? page.pictureHeight(chartAspect) : -1);
            if (pv) {
                page.picture(chartAspect, [&](QPainter &on, const QRectF &target) {
                    DrawChart([&pv] { return pv.release(); }, on, target, kChartLayout);
                });
            } else {
                page.paragraph(why);
            }

            if (!content.family.empty()) {
                page.heading(QStringLiteral("Familia de curvas"));
                // A column per quantity, the last ("Observación") twice as wide, in a smaller type.
                const auto columns = static_cast<size_t>(content.family.front().size());
                std::vector<qreal> shares(columns, 1.0 / static_cast<qreal>(columns + 1));
                shares.back() *= 2;
                page.table(content.family, shares, true, 7.5);
            }

            page.heading(QStringLiteral("Definiciones"));
            for (const char *definition : kDefinitions)
                page.paragraph(QString::fromUtf8(definition));
        };
        PageLayout counting(pdf, nullptr);
        layOut(counting);
        QPainter painter(&pdf);
        PageLayout page(pdf, &painter, counting.pages());
        layOut(page);
    }
    buffer.close();
    return bytes;
}

} // namespace tarvilo
