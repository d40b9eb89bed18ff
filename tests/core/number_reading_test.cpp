#include "core/number_reading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace tarvilo {
namespace {

struct ReadingCase
{
    const char *name;
    std::string text;
    RegionalSettings regional;
    std::optional<double> expected;
};

void PrintTo(const ReadingCase &c, std::ostream *out)
{
    *out << c.name;
}

class ReadingTable : public ::testing::TestWithParam<ReadingCase>
{
};

TEST_P(ReadingTable, ReadsAsTheInputRuleSays)
{
    const ReadingCase &c = GetParam();
    const std::optional<double> value = ReadRegionalNumber(c.text, c.regional);
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << "text: [" << c.text << "]";
    if (value) {
        EXPECT_EQ(*value, *c.expected) << "text: [" << c.text << "]";
        EXPECT_EQ(std::signbit(*value), std::signbit(*c.expected)) << "text: [" << c.text << "]";
    }
}

const RegionalSettings point = PointSettings();
const RegionalSettings comma = CommaSettings();
const RegionalSettings french{ ",", "\u202F" }; // narrow no-break space groups digits
const RegionalSettings spaceGrouped{ ",", " " };
const std::nullopt_t refused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
        Numbers, ReadingTable,
        ::testing::Values(
                ReadingCase{ "default_x_point", "0.03", point, 0.03 },
                ReadingCase{ "default_p_point", "10.48", point, 10.48 },
                ReadingCase{ "default_x_comma", "0,03", comma, 0.03 },
                ReadingCase{ "point_text_under_comma_is_grouped", "0.03", comma, 3.0 },
                ReadingCase{ "point_text_under_comma_1048", "10.48", comma, 1048.0 },
                ReadingCase{ "point_text_under_comma_100", "1.00", comma, 100.0 },
                ReadingCase{ "comma_text_under_point_is_grouped", "0,03", point, 3.0 },
                ReadingCase{ "grouped_thousands", "1,234,567.5", point, 1234567.5 },
                ReadingCase{ "group_anywhere_after_a_digit", "1,2,3", point, 123.0 },
                ReadingCase{ "trailing_zero_fraction", "5.", point, 5.0 },
                ReadingCase{ "no_fraction_digits", "0.", point, 0.0 },
                ReadingCase{ "no_integer_digits", ".5", point, 0.5 }, ReadingCase{ "comma_half", ",5", comma, 0.5 },
                ReadingCase{ "comma_trailing_separator", "5,", comma, 5.0 },
                ReadingCase{ "blanks_around", "  0.03\t ", point, 0.03 }, ReadingCase{ "plus_sign", "+1", point, 1.0 },
                ReadingCase{ "minus_sign", "-1.662", point, -1.662 }, ReadingCase{ "negative_zero", "-0", point, -0.0 },
                ReadingCase{ "exponent_upper", "1E3", point, 1000.0 },
                ReadingCase{ "exponent_lower_signed", "2.5e-2", point, 0.025 },
                ReadingCase{ "exponent_plus", "4,1625E+02", comma, 416.25 },
                ReadingCase{ "general_text_read_back", "-4,1625E-05", comma, -4.1625e-05 },
                ReadingCase{ "largest_double", "1.7976931348623157e308", point, std::numeric_limits<double>::max() },
                ReadingCase{ "rounds_down_to_largest", "1.7976931348623158e308", point,
                             std::numeric_limits<double>::max() },
                ReadingCase{ "subnormal", "4e-320", point, 4e-320 },
                ReadingCase{ "rounds_up_to_smallest_subnormal", "2.5e-324", point, 4.9406564584124654e-324 },
                ReadingCase{ "underflow_to_zero", "1e-400", point, 0.0 },
                ReadingCase{ "negative_underflow_keeps_sign", "-1e-400", point, -0.0 },
                ReadingCase{ "underflow_with_leading_fraction_zeros", "0.0000001e-320", point, 0.0 },
                ReadingCase{ "zero_with_huge_exponent", "0e999999", point, 0.0 },
                ReadingCase{ "huge_exponent_digits_underflow", "1e-99999999999999999999", point, 0.0 },
                ReadingCase{ "long_digit_string", std::string(400, '1') + "e-400", point, 1.1111111111111111e-1 },
                ReadingCase{ "leading_zeros", "000012.5", point, 12.5 },
                ReadingCase{ "french_grouping", "1\u202F234,5", french, 1234.5 },
                ReadingCase{ "space_grouping", "1 234,5", spaceGrouped, 1234.5 }));

INSTANTIATE_TEST_SUITE_P(
        NotNumbers, ReadingTable,
        ::testing::Values(
                ReadingCase{ "empty", "", point, refused }, ReadingCase{ "blanks_only", "   ", point, refused },
                ReadingCase{ "separator_only", ".", point, refused },
                ReadingCase{ "comma_separator_only", ",", comma, refused },
                ReadingCase{ "minus_only", "-", point, refused }, ReadingCase{ "plus_only", "+", point, refused },
                ReadingCase{ "minus_separator", "-.", point, refused },
                ReadingCase{ "error_word", "Error", point, refused },
                ReadingCase{ "error_cut", "Erro", point, refused },
                ReadingCase{ "exponent_without_digits", "1e", point, refused },
                ReadingCase{ "exponent_sign_without_digits", "1e+", point, refused },
                ReadingCase{ "exponent_without_mantissa", "e5", point, refused },
                ReadingCase{ "overflow", "1e999", point, refused },
                ReadingCase{ "negative_overflow", "-1e309", point, refused },
                ReadingCase{ "just_past_largest", "1.7976931348623159e308", point, refused },
                ReadingCase{ "huge_exponent_digits_overflow", "1e99999999999999999999", point, refused },
                ReadingCase{ "long_integer_overflow", std::string(400, '9'), point, refused },
                ReadingCase{ "double_sign", "--1", point, refused },
                ReadingCase{ "sign_after_blank", "- 1", point, refused }, ReadingCase{ "inf", "inf", point, refused },
                ReadingCase{ "infinity", "Infinity", point, refused }, ReadingCase{ "nan", "nan", point, refused },
                ReadingCase{ "hexadecimal", "0x10", point, refused },
                ReadingCase{ "letters_after", "12abc", point, refused },
                ReadingCase{ "two_separators", "1.2.3", point, refused },
                ReadingCase{ "group_before_any_digit", ",5", point, refused },
                ReadingCase{ "group_after_separator", "1,5.2", comma, refused },
                ReadingCase{ "blank_inside", "1 2", point, refused },
                ReadingCase{ "non_ascii_digit", "\u0661", point, refused },
                ReadingCase{ "fullwidth_digit", "\uFF11", point, refused },
                ReadingCase{ "currency", "$5", point, refused },
                ReadingCase{ "parenthesised", "(5)", point, refused }));

TEST(Reading, DoesNotFollowTheCLocale)
{
    // Qt sets the C locale from the environment; the reading must not care.
    const char *previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char *name : { "de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8", "C.UTF-8" }) {
        if (!std::setlocale(LC_NUMERIC, name))
            continue;
        EXPECT_EQ(ReadRegionalNumber("10.48", PointSettings()), 10.48) << name;
        EXPECT_EQ(ReadRegionalNumber("10,48", CommaSettings()), 10.48) << name;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Reading, DecimalSeparatorWinsWhenBothSeparatorsAreEqual)
{
    const RegionalSettings same{ ".", "." };
    EXPECT_EQ(ReadRegionalNumber("1.5", same), 1.5);
}

} // namespace
} // namespace tarvilo
