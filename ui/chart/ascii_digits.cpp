#include "ui/chart/ascii_digits.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QTextDocument>

namespace tarvilo {
namespace {

bool IsDirectionMark(char16_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

QString WithAsciiDigits(const QString& text)
{
    QString ascii;
    ascii.reserve(text.size());
    for (const QChar c : text) {
        if (IsDirectionMark(c.unicode())) continue;
        if (c.unicode() == 0x2212) {
            ascii += QLatin1Char('-');
        } else if (c.isDigit() && c.unicode() > 0x7F) {
            ascii += QLatin1Char(static_cast<char>('0' + c.digitValue()));
        } else {
            ascii += c;
        }
    }
    return ascii;
}

bool NeedsAsciiDigits(const QLocale& locale)
{
    return locale.zeroDigit() != QLatin1String("0") || locale.negativeSign() != QLatin1String("-");
}

AsciiDigitsKeeper::AsciiDigitsKeeper(QChart* chart) : QObject(chart), m_chart(chart)
{
    // The chart reports a new plot area once its axes and their labels are
    // laid out, the first time among them.
    connect(chart, &QChart::plotAreaChanged, this, [this] { watchNewTexts(); });
}

void AsciiDigitsKeeper::watchNewTexts()
{
    if (!m_chart->scene()) return;
    bool newTexts = false;
    for (QGraphicsItem* item : m_chart->scene()->items()) {
        auto* text = dynamic_cast<QGraphicsTextItem*>(item);
        if (!text || m_watched.contains(text)) continue;
        m_watched.insert(text);
        connect(text, &QObject::destroyed, this, [this, text] { m_watched.remove(text); });
        connect(text->document(), &QTextDocument::contentsChanged, this, [this, text] { rewrite(text); });
        rewrite(text);
        newTexts = true;
    }
    // Labels rewritten after Qt placed them are placed again.
    if (newTexts) m_chart->layout()->invalidate();
}

void AsciiDigitsKeeper::rewrite(QGraphicsTextItem* item)
{
    const QString text = item->toPlainText();
    const QString ascii = WithAsciiDigits(text);
    if (ascii != text) item->setPlainText(ascii);
}

}  // namespace tarvilo
