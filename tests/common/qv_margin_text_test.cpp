// The Q-V method's margin in a table cell and in words: the value where the
// value belongs, the voltage where the voltage belongs, in the regional
// spelling.
#include "ui/common/qv_margin_text.h"

#include <gtest/gtest.h>

using namespace tarvilo;

namespace {

struct MarginRow
{
    QvMethodMargin margin;
    bool comma;
    const char *exact;
    const char *rounded;
    const char *sentenceEnd; // what the sentence ends with; "" for none
};

const MarginRow kRows[] = {
    { { QvMethodMargin::Kind::Maximum, 5.619312345678912, 0.71234 },
      false,
      "5.61931234567891",
      "5.6193",
      ": 5.6193 p.u. con V2 = 0.7123 p.u." },
    { { QvMethodMargin::Kind::Maximum, -0.5, 1.25 }, true, "-0,5", "-0,5", ": -0,5 p.u. con V2 = 1,25 p.u." },
    { { QvMethodMargin::Kind::Unbounded, 0.0, 0.0 },
      false,
      "Sin máximo",
      "Sin máximo",
      "crece sin límite con la tensión." },
    { { QvMethodMargin::Kind::TooLarge, 0.0, 0.0 },
      true,
      "Fuera de rango",
      "Fuera de rango",
      "(demasiado grandes o demasiado pequeños)." },
    { { QvMethodMargin::Kind::NoLine, 0.0, 0.0 }, false, "", "", "" },
};

TEST(QvMarginText, ValueAndSentenceSayWhatTheMarginIs)
{
    for (const MarginRow &row : kRows) {
        SCOPED_TRACE(row.rounded);
        const RegionalSettings regional = row.comma ? CommaSettings() : PointSettings();
        EXPECT_EQ(QvMarginValue(row.margin, true, regional), QString::fromUtf8(row.exact));
        EXPECT_EQ(QvMarginValue(row.margin, false, regional), QString::fromUtf8(row.rounded));
        const QString sentence = QvMarginSentence(row.margin, regional);
        if (row.margin.kind == QvMethodMargin::Kind::NoLine)
            EXPECT_TRUE(sentence.isEmpty());
        else
            EXPECT_TRUE(sentence.endsWith(QString::fromUtf8(row.sentenceEnd))) << sentence.toStdString();
    }
}

} // namespace
