#include "core/number_reading.h"
#include "core/number_stepping.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <ostream>
#include <string>

namespace tarvilo {
namespace {

struct SteppingCase
{
    const char *name;
    RegionalSettings regional;
    std::string text;
    size_t cursor;
    long long units;
    std::optional<std::string> stepped; // nullopt: the step is refused
    size_t newCursor = 0;
};

void PrintTo(const SteppingCase &c, std::ostream *out)
{
    *out << c.name;
}

class SteppingTable : public ::testing::TestWithParam<SteppingCase>
{
};

TEST_P(SteppingTable, StepsTheDigitLeftOfTheCursor)
{
    const SteppingCase &c = GetParam();
    const std::optional<SteppedNumberText> result = StepNumberText(c.text, c.cursor, c.units, c.regional);
    ASSERT_EQ(result.has_value(), c.stepped.has_value())
            << "[" << c.text << "] gave [" << (result ? result->text : "") << "]";
    if (!result)
        return;
    EXPECT_EQ(result->text, *c.stepped);
    EXPECT_EQ(result->cursor, c.newCursor);
    // Whatever a step gives can be read back by the input rule.
    EXPECT_TRUE(ReadRegionalNumber(result->text, c.regional).has_value()) << result->text;
}

const RegionalSettings point = PointSettings();
const RegionalSettings comma = CommaSettings(); // as es_ES
const RegionalSettings arabic{ "\u066B", "\u066C" }; // as ar_EG
const RegionalSettings french{ ",", "\u202F" }; // narrow no-break space groups digits
const RegionalSettings spaceGrouped{ ",", " " };
const std::nullopt_t refused = std::nullopt;
constexpr long long kPage = 10;

INSTANTIATE_TEST_SUITE_P(
        Point, SteppingTable,
        ::testing::Values(SteppingCase{ "last_digit", point, "0.03", 4, 1, "0.04", 4 },
                          SteppingCase{ "tens", point, "10.48", 1, 1, "20.48", 1 },
                          SteppingCase{ "down_to_zero", point, "0.01", 4, -1, "0.00", 4 },
                          SteppingCase{ "through_zero", point, "0.00", 4, -1, "-0.01", 5 },
                          SteppingCase{ "back_up", point, "-0.01", 5, 1, "0.00", 4 },
                          SteppingCase{ "page_up", point, "0.03", 4, kPage, "0.13", 4 },
                          SteppingCase{ "page_down", point, "0.13", 4, -kPage, "0.03", 4 },
                          SteppingCase{ "page_down_through_zero", point, "5", 1, -kPage, "-5", 2 },
                          SteppingCase{ "page_up_grows_the_integer_part", point, "0.5", 1, kPage, "10.5", 2 },
                          SteppingCase{ "carry", point, "9.99", 4, 1, "10.00", 5 },
                          SteppingCase{ "cursor_after_the_separator", point, "10.48", 3, 1, "11.48", 3 },
                          SteppingCase{ "before_every_digit", point, "10.48", 0, 1, "10.49", 0 },
                          SteppingCase{ "before_every_digit_no_integer_digits", point, ".48", 0, 1, ".49", 0 },
                          SteppingCase{ "before_the_sign", point, "-9.5", 0, -1, "-9.6", 0 },
                          SteppingCase{ "leading_zeros_dropped", point, "000012.5", 8, 1, "12.6", 4 },
                          SteppingCase{ "integer_digit_gone", point, "100", 3, -1, "99", 2 },
                          SteppingCase{ "stepped_place_kept", point, "10", 1, -1, "00", 1 },
                          SteppingCase{ "stepped_place_kept_through_zero", point, "00", 1, -1, "-10", 2 },
                          SteppingCase{ "blanks_kept", point, "  5 ", 3, 1, "  6 ", 3 },
                          SteppingCase{ "plus_sign_kept", point, "+0.01", 5, -1, "+0.00", 5 },
                          SteppingCase{ "plus_sign_through_zero", point, "+0.00", 5, -1, "-0.01", 5 },
                          SteppingCase{ "many_units_at_once", point, "0", 1, 1000000, "1000000", 7 },
                          SteppingCase{ "most_negative_units", point, "0", 1, std::numeric_limits<long long>::min(),
                                        "-9223372036854775808", 20 }));

INSTANTIATE_TEST_SUITE_P(
        Comma, SteppingTable,
        ::testing::Values(SteppingCase{ "last_digit", comma, "0,03", 4, 1, "0,04", 4 },
                          SteppingCase{ "tens", comma, "10,48", 1, 1, "20,48", 1 },
                          SteppingCase{ "down_to_zero", comma, "0,01", 4, -1, "0,00", 4 },
                          SteppingCase{ "through_zero", comma, "0,00", 4, -1, "-0,01", 5 },
                          SteppingCase{ "back_up", comma, "-0,01", 5, 1, "0,00", 4 },
                          SteppingCase{ "page_up", comma, "0,03", 4, kPage, "0,13", 4 },
                          SteppingCase{ "carry", comma, "9,99", 4, 1, "10,00", 5 },
                          SteppingCase{ "before_every_digit", comma, "10,48", 0, 1, "10,49", 0 },
                          SteppingCase{ "before_every_digit_no_integer_digits", comma, ",48", 0, 1, ",49", 0 },
                          SteppingCase{ "before_the_sign", comma, "-9,5", 0, -1, "-9,6", 0 },
                          SteppingCase{ "page_up_beyond_the_largest_number", comma, "1,7e308", 3, kPage, refused },
                          SteppingCase{ "arabic_separator", arabic, "0\u066B03", 5, 1, "0\u066B04", 5 },
                          SteppingCase{ "arabic_before_every_digit", arabic, "10\u066B48", 0, -1, "10\u066B47", 0 }));

INSTANTIATE_TEST_SUITE_P(
        Groups, SteppingTable,
        ::testing::Values(SteppingCase{ "kept", point, "1,234.5", 7, 1, "1,234.6", 7 },
                          SteppingCase{ "new_group", point, "9,999", 5, 1, "10,000", 6 },
                          SteppingCase{ "two_new_groups", point, "999,999", 7, 1, "1,000,000", 9 },
                          SteppingCase{ "group_gone", point, "1,000", 5, -1, "999", 3 },
                          SteppingCase{ "thousands_digit", point, "1,234.5", 1, 1, "2,234.5", 1 },
                          SteppingCase{ "comma_grouping", comma, "1.234,5", 7, -kPage, "1.233,5", 7 },
                          SteppingCase{ "space_grouping", spaceGrouped, "1 234,5", 7, 1, "1 234,6", 7 },
                          SteppingCase{ "multibyte_group_separator", french, "1\u202F234,5", 5, 1, "1\u202F334,5", 5 },
                          SteppingCase{ "odd_groups_regrouped", comma, "1..2", 1, kPage, "112", 2 },
                          SteppingCase{ "cursor_behind_a_trailing_group_separator", point, "1,", 2, 1, "2", 1 },
                          SteppingCase{ "cursor_before_a_trailing_group_separator", point, "1,", 1, 1, "2", 1 },
                          SteppingCase{ "arabic_grouping", arabic, "1\u066C234\u066B5", 9, 1, "1\u066C234\u066B6",
                                        9 }));

INSTANTIATE_TEST_SUITE_P(
        Exponents, SteppingTable,
        ::testing::Values(SteppingCase{ "mantissa_digit", point, "1.5e3", 3, 1, "1.6e3", 3 },
                          SteppingCase{ "cursor_in_the_exponent", point, "1.5e3", 4, 1, "1.6e3", 4 },
                          SteppingCase{ "cursor_at_the_end", point, "1.5e3", 5, 1, "1.6e3", 5 },
                          SteppingCase{ "before_every_digit", point, "1.5e3", 0, -1, "1.4e3", 0 },
                          SteppingCase{ "carry_before_the_exponent", point, "9.9E-3", 6, 1, "10.0E-3", 7 },
                          SteppingCase{ "page_up_before_the_exponent", comma, "4,1625E+02", 1, kPage, "14,1625E+02",
                                        2 },
                          SteppingCase{ "beyond_the_largest_number", point, "1e308", 5, 1, refused },
                          SteppingCase{ "largest_number_down", point, "1e308", 1, -1, "0e308", 1 },
                          SteppingCase{ "underflowing_text_steps", point, "1e-400", 1, 1, "2e-400", 1 }));

INSTANTIATE_TEST_SUITE_P(
        Edges, SteppingTable,
        ::testing::Values(
                SteppingCase{ "largest_double_up", point, "1.7976931348623157e308", 22, 1, refused },
                SteppingCase{ "largest_double_up_at_the_mantissa_end", point, "1.7976931348623157e308", 18, 1,
                              refused },
                SteppingCase{ "largest_double_page_up_elsewhere", point, "1.7976931348623157e308", 3, kPage, refused },
                SteppingCase{ "largest_double_down", point, "1.7976931348623157e308", 22, -1, "1.7976931348623156e308",
                              22 },
                SteppingCase{ "largest_double_leading_digit_down", point, "1.7976931348623157e308", 1, -1,
                              "0.7976931348623157e308", 1 },
                SteppingCase{ "lowest_double_down", point, "-1.7976931348623157e308", 23, -1, refused },
                SteppingCase{ "lowest_double_up", point, "-1.7976931348623157e308", 23, 1, "-1.7976931348623156e308",
                              23 },
                SteppingCase{ "rounds_to_the_largest_down", point, "1.7976931348623158e308", 18, -1,
                              "1.7976931348623157e308", 18 },
                SteppingCase{ "rounds_to_the_largest_up", point, "1.7976931348623158e308", 18, 1, refused },
                SteppingCase{ "largest_integer_digits", point, "17976931348623157" + std::string(292, '0'), 17, 1,
                              refused },
                SteppingCase{ "largest_integer_digits_down", point, "17976931348623157" + std::string(292, '0'), 17, -1,
                              "17976931348623156" + std::string(292, '0'), 17 },
                SteppingCase{ "negative_zero_up", point, "-0", 2, 1, "1", 1 },
                SteppingCase{ "negative_zero_down", point, "-0", 2, -1, "-1", 2 },
                SteppingCase{ "negative_zero_before_the_sign", point, "-0", 0, 1, "1", 0 },
                SteppingCase{ "negative_zero_fraction", comma, "-0,00", 5, -1, "-0,01", 5 },
                SteppingCase{ "cursor_before_a_trailing_separator", point, "5.", 1, 1, "6.", 1 },
                SteppingCase{ "cursor_past_the_text", point, "5", 99, 1, "6", 1 },
                SteppingCase{ "no_units", point, "5", 1, 0, refused },
                SteppingCase{ "empty", point, "", 0, 1, refused },
                SteppingCase{ "blanks", point, "   ", 1, 1, refused },
                SteppingCase{ "letters", point, "abc", 1, 1, refused },
                SteppingCase{ "error_word", comma, "Error", 5, 1, refused },
                SteppingCase{ "sign_only", point, "-", 1, 1, refused },
                SteppingCase{ "beyond_the_range_already", point, "2e308", 1, -1, refused },
                SteppingCase{ "exponent_without_digits", point, "1e", 1, 1, refused }));

} // namespace
} // namespace tarvilo
