// A group separator where no grouping by threes would place it is said,
// with the value it reads as, under Spanish, C and English settings.
#include "ui/common/grouping_note.h"
#include "ui/common/regional_locale.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace tarvilo;

namespace {

struct Case
{
    const char *settings; // a locale name; "C" for the C locale
    const char *text;
    const char *note; // "" for none
};

class GroupingNoteTable : public ::testing::TestWithParam<Case>
{
};

} // namespace

TEST_P(GroupingNoteTable, SaysTheReadingOfAStraySeparator)
{
    const Case &row = GetParam();
    const QLocale locale = QLatin1String(row.settings) == QLatin1String("C")
            ? QLocale::c()
            : QLocale(QString::fromLatin1(row.settings));
    EXPECT_EQ(GroupingNote(QString::fromUtf8(row.text), RegionalSettingsOf(locale)), QString::fromUtf8(row.note))
            << row.settings << " " << row.text;
}

INSTANTIATE_TEST_SUITE_P(
        Settings, GroupingNoteTable,
        ::testing::Values(
                Case{ "es_ES", "0.1", "«0.1» se lee como 1: el separador decimal es «,»." },
                Case{ "es_ES", "10.48", "«10.48» se lee como 1048: el separador decimal es «,»." },
                Case{ "es_ES", "-1000.5", "«-1000.5» se lee como -10005: el separador decimal es «,»." },
                Case{ "es_ES", " 1.5e3 ", "«1.5e3» se lee como 15000: el separador decimal es «,»." },
                Case{ "es_ES", "1.23.456,5", "«1.23.456,5» se lee como 123456,5: el separador decimal es «,»." },
                Case{ "es_ES", "12345678901234567890.1",
                      "«12345678901234567890…» se lee como 1,23456789012346E+20: el separador decimal es «,»." },
                Case{ "es_ES", "1.000", "" }, Case{ "es_ES", "12.345.678,9", "" }, Case{ "es_ES", "0,1", "" },
                Case{ "es_ES", "10,48e3", "" }, Case{ "es_ES", "Error", "" }, Case{ "es_ES", ".5", "" },
                Case{ "C", "0,1", "«0,1» se lee como 1: el separador decimal es «.»." },
                Case{ "C", "3,33", "«3,33» se lee como 333: el separador decimal es «.»." }, Case{ "C", "1,000.5", "" },
                Case{ "C", "0.1", "" }, Case{ "C", "1,000,000", "" },
                Case{ "en_US", "10,48", "«10,48» se lee como 1048: el separador decimal es «.»." },
                Case{ "en_US", "+1,0000", "«+1,0000» se lee como 10000: el separador decimal es «.»." },
                Case{ "en_US", "1,234", "" }, Case{ "en_US", "10.48", "" }));
