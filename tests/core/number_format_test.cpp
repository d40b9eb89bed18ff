#include "core/number_format.h"

#include "core/number_reading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <cmath>
#include <random>
#include <string>
#include <utility>

namespace tarvilo {
namespace {

struct FormatCase
{
    const char *name;
    double value;
    std::string expected;
};

void PrintTo(const FormatCase &c, std::ostream *out)
{
    *out << c.name;
}

class LabelPattern : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(LabelPattern, WritesTheValueAsTheLabelsShowIt)
{
    EXPECT_EQ(FormatWithPattern(GetParam().value, kLabelPattern, PointSettings()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
        Values, LabelPattern,
        ::testing::Values(FormatCase{ "margin", 5.619252, "5.6193" }, FormatCase{ "no_leading_zero", 0.3144, ".3144" },
                          FormatCase{ "negative_fraction", -0.182670, "-.1827" },
                          FormatCase{ "trailing_zero_dropped", -1.662011, "-1.662" },
                          FormatCase{ "integer_keeps_separator", 2, "2." }, FormatCase{ "negative_integer", -1, "-1." },
                          FormatCase{ "zero_is_bare_separator", 0, "." },
                          FormatCase{ "large_value", 581334.69653, "581334.6965" },
                          FormatCase{ "carry_into_integer", 0.99995, "1." },
                          FormatCase{ "carry_across_many_nines", 9999.99996, "10000." },
                          FormatCase{ "half_rounds_away_from_zero", 0.00005, ".0001" },
                          FormatCase{ "negative_half_rounds_away", -0.00005, "-.0001" },
                          FormatCase{ "binary_below_half_still_half_in_15_digits", 1.00005, "1.0001" },
                          FormatCase{ "just_below_half", 0.0000499999, "." },
                          FormatCase{ "negative_rounding_to_zero_has_no_sign", -0.00001, "." },
                          FormatCase{ "negative_zero", -0.0, "." }, FormatCase{ "tiny", 1e-300, "." },
                          FormatCase{ "subnormal", 4e-320, "." }, FormatCase{ "no_grouping", 1234567.0, "1234567." },
                          FormatCase{ "fifteen_digit_cut_before_rounding", 123456789012.34549, "123456789012.345" }));

TEST(LabelPattern, HugeValueIsWrittenInFullWithoutExponent)
{
    const std::string text = FormatWithPattern(1e300, kLabelPattern, PointSettings());
    EXPECT_EQ(text, "1" + std::string(300, '0') + ".");
    const std::string largest = FormatWithPattern(-1.7976931348623157e308, kLabelPattern, PointSettings());
    EXPECT_EQ(largest, "-179769313486232" + std::string(294, '0') + ".");
}

TEST(LabelPattern, UsesTheRegionalSeparatorWhateverItsLength)
{
    EXPECT_EQ(FormatWithPattern(-0.18267, kLabelPattern, CommaSettings()), "-,1827");
    EXPECT_EQ(FormatWithPattern(581334.69653, kLabelPattern, CommaSettings()), "581334,6965");
    EXPECT_EQ(FormatWithPattern(2.5, kLabelPattern, RegionalSettings{ "\u066B", "\u066C" }), "2\u066B5");
}

class FilePattern : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(FilePattern, WritesFiveDecimals)
{
    EXPECT_EQ(FormatCurveFileField(GetParam().value, PointSettings()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
        Values, FilePattern,
        ::testing::Values(FormatCase{ "nose_q", 5.038421333333334, "5.03842" },
                          FormatCase{ "voltage", 0.5906330163477148, "0.59063" },
                          FormatCase{ "negative", -3.74625, "-3.74625" }, FormatCase{ "pads_decimals", 1.5, "1.50000" },
                          FormatCase{ "exponent_form_small_value", -0.0000416250000001638, "-0.00004" },
                          FormatCase{ "accumulated_voltage", 0.005000000000009838, "0.00500" },
                          FormatCase{ "carry_into_tens", 9.999995, "10.00000" },
                          FormatCase{ "no_thousands_separator", 12345.6, "12345.60000" },
                          FormatCase{ "zero", 0, "0.00000" },
                          FormatCase{ "negative_rounding_to_zero_has_no_sign", -0.000004, "0.00000" },
                          FormatCase{ "half_away_from_zero", -0.000005, "-0.00001" }));

TEST(FilePattern, CommaSettings)
{
    EXPECT_EQ(FormatCurveFileField(-3.74625, CommaSettings()), "-3,74625");
}

struct GeneralCase
{
    const char *name;
    double value;
    std::string expected;
};

void PrintTo(const GeneralCase &c, std::ostream *out)
{
    *out << c.name;
}

class GeneralText : public ::testing::TestWithParam<GeneralCase>
{
};

TEST_P(GeneralText, KeepsFifteenSignificantDigits)
{
    EXPECT_EQ(ToGeneralText(GetParam().value, PointSettings()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
        Values, GeneralText,
        ::testing::Values(GeneralCase{ "zero", 0, "0" }, GeneralCase{ "integer", 5, "5" },
                          GeneralCase{ "fraction", 0.5, "0.5" },
                          GeneralCase{ "fifteen_digits", 5.038421333333334, "5.03842133333333" },
                          GeneralCase{ "accumulated_step", 0.005000000000009838, "0.00500000000000984" },
                          GeneralCase{ "negative", -1.662011419207768, "-1.66201141920777" },
                          GeneralCase{ "smallest_fixed", 0.0001, "0.0001" },
                          GeneralCase{ "exponent_below", 0.00001, "1E-05" },
                          GeneralCase{ "exponent_with_digits", -0.0000416250000001638, "-4.16250000001638E-05" },
                          GeneralCase{ "largest_fixed", 999999999999999.0, "999999999999999" },
                          GeneralCase{ "exponent_above", 1e15, "1E+15" },
                          GeneralCase{ "three_digit_exponent", 2.5e299, "2.5E+299" },
                          GeneralCase{ "rounds_up_to_next_power", 0.99999999999999999, "1" }));

TEST(GeneralText, ReadsBackToTheFifteenDigitValueUnderBothSettings)
{
    // The chart and the file read the general text back: for any finite
    // double it must be a number that the input rule accepts, and reading it
    // back and writing it again must give the same text.
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (const RegionalSettings &regional : { PointSettings(), CommaSettings() }) {
        for (int i = 0; i < 20000; ++i) {
            double value = 0;
            const std::uint64_t pattern = bits(random);
            std::memcpy(&value, &pattern, sizeof value);
            if (!std::isfinite(value))
                continue;
            const std::string text = ToGeneralText(value, regional);
            const std::optional<double> back = ReadRegionalNumber(text, regional);
            ASSERT_TRUE(back.has_value()) << text;
            ASSERT_EQ(ToGeneralText(*back, regional), text);
            ASSERT_EQ(ToFifteenDigitValue(value), *back);
            // The file's two steps (text, then pattern) equal the one-step field.
            ASSERT_EQ(FormatWithPattern(*back, kCurveFilePattern, regional), FormatCurveFileField(value, regional));
        }
    }
}

TEST(GeneralText, LargestDoublesRoundPastTheRangeAndReadBackAsTheLargest)
{
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(ToGeneralText(largest, PointSettings()), "1.79769313486232E+308");
    EXPECT_FALSE(ReadRegionalNumber("1.79769313486232E+308", PointSettings()).has_value());
    EXPECT_EQ(ToFifteenDigitValue(largest), largest);
    EXPECT_EQ(ToFifteenDigitValue(-largest), -largest);
    EXPECT_EQ(FormatCurveFileField(largest, PointSettings()), "179769313486232" + std::string(294, '0') + ".00000");
}

// No value beyond the numbers comes out as digits split by a separator ("-i,nf").
TEST(Formatting, NonFiniteValuesAreWords)
{
    const RegionalSettings comma = CommaSettings();
    for (const auto &[value, word] : { std::pair{ double(INFINITY), "inf" }, std::pair{ -double(INFINITY), "-inf" },
                                       std::pair{ std::nan(""), "nan" }, std::pair{ -std::nan(""), "nan" } }) {
        EXPECT_EQ(FormatWithPattern(value, kLabelPattern, comma), word);
        EXPECT_EQ(FormatCurveFileField(value, comma), word);
        EXPECT_EQ(ToGeneralText(value, comma), word);
    }
}

TEST(Formatting, DoesNotFollowTheCLocale)
{
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char *name : { "de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8" }) {
        if (!std::setlocale(LC_ALL, name))
            continue;
        EXPECT_EQ(FormatWithPattern(5.619252, kLabelPattern, PointSettings()), "5.6193") << name;
        EXPECT_EQ(ToGeneralText(1234.5, PointSettings()), "1234.5") << name;
    }
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace tarvilo
