#include "core/input_reading.h"

#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>
#include <vector>

namespace tarvilo {
namespace {

struct ReadingCase
{
    const char *name;
    InputBoxTexts texts;
    RegionalSettings regional;
    std::optional<InputBox> skipped;
    std::vector<InputBox> asked; // in the order asked for
    std::array<double, 6> values;
    std::optional<InputBox> unreadable;
};

using B = InputBox;
const std::vector<InputBox> kAll = { B::X, B::B, B::Uinf, B::Pcarga, B::Qcarga, B::Qcap };

// Named by its row: gtest would otherwise print the row's bytes, padding
// included.
void PrintTo(const ReadingCase &c, std::ostream *out)
{
    *out << c.name;
}

class ReadInputsTest : public ::testing::TestWithParam<ReadingCase>
{
};

TEST_P(ReadInputsTest, ReadsInBoxOrderUpToTheFirstNonNumber)
{
    const ReadingCase &c = GetParam();
    std::vector<InputBox> asked;
    const InputsReading reading = ReadInputs(
            [&](InputBox box) {
                asked.push_back(box);
                return c.texts[static_cast<size_t>(box)];
            },
            c.regional, c.skipped);
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(reading.unreadable, c.unreadable);
    for (const InputBox box : kInputBoxes) {
        EXPECT_EQ(ValueOf(reading.inputs, box), c.values[static_cast<size_t>(box)]) << static_cast<int>(box);
    }
    // The texts given at once read the same.
    const InputsReading atOnce = ReadInputs(c.texts, c.regional, c.skipped);
    EXPECT_EQ(atOnce.unreadable, c.unreadable);
    for (const InputBox box : kInputBoxes)
        EXPECT_EQ(ValueOf(atOnce.inputs, box), ValueOf(reading.inputs, box));
}

INSTANTIATE_TEST_SUITE_P(Table, ReadInputsTest,
                         ::testing::Values(ReadingCase{ "all",
                                                        { "0.03", "3.33", "1", "10.48", "-0.5", "1e-3" },
                                                        PointSettings(),
                                                        std::nullopt,
                                                        kAll,
                                                        { 0.03, 3.33, 1, 10.48, -0.5, 1e-3 },
                                                        std::nullopt },
                                           ReadingCase{ "comma",
                                                        { "0,03", "1.000,5", " 1 ", "10,48", "0", "0" },
                                                        CommaSettings(),
                                                        std::nullopt,
                                                        kAll,
                                                        { 0.03, 1000.5, 1, 10.48, 0, 0 },
                                                        std::nullopt },
                                           ReadingCase{ "third_unreadable",
                                                        { "0.03", "3.33", "Error", "10.48", "0", "0" },
                                                        PointSettings(),
                                                        std::nullopt,
                                                        { B::X, B::B, B::Uinf },
                                                        { 0.03, 3.33, 0, 0, 0, 0 },
                                                        B::Uinf },
                                           ReadingCase{ "first_unreadable",
                                                        { "", "3.33", "1", "10.48", "0", "0" },
                                                        PointSettings(),
                                                        std::nullopt,
                                                        { B::X },
                                                        { 0, 0, 0, 0, 0, 0 },
                                                        B::X },
                                           ReadingCase{ "last_unreadable",
                                                        { "0.03", "3.33", "1", "10.48", "0", "1e" },
                                                        PointSettings(),
                                                        std::nullopt,
                                                        kAll,
                                                        { 0.03, 3.33, 1, 10.48, 0, 0 },
                                                        B::Qcap },
                                           ReadingCase{ "skipped_unreadable",
                                                        { "0.03", "3.33", "abc", "10.48", "0", "0" },
                                                        PointSettings(),
                                                        B::Uinf,
                                                        { B::X, B::B, B::Pcarga, B::Qcarga, B::Qcap },
                                                        { 0.03, 3.33, 0, 10.48, 0, 0 },
                                                        std::nullopt },
                                           ReadingCase{ "skipped_readable",
                                                        { "0.03", "3.33", "1", "10.48", "0", "0" },
                                                        PointSettings(),
                                                        B::X,
                                                        { B::B, B::Uinf, B::Pcarga, B::Qcarga, B::Qcap },
                                                        { 0, 3.33, 1, 10.48, 0, 0 },
                                                        std::nullopt },
                                           ReadingCase{ "skipped_and_a_later_one_unreadable",
                                                        { "x", "3.33", "1", "10.48", "y", "0" },
                                                        PointSettings(),
                                                        B::X,
                                                        { B::B, B::Uinf, B::Pcarga, B::Qcarga },
                                                        { 0, 3.33, 1, 10.48, 0, 0 },
                                                        B::Qcarga },
                                           ReadingCase{ "earlier_unreadable_than_the_skipped",
                                                        { "0.03", "?", "1", "z", "0", "0" },
                                                        PointSettings(),
                                                        B::Pcarga,
                                                        { B::X, B::B },
                                                        { 0.03, 0, 0, 0, 0, 0 },
                                                        B::B }),
                         [](const ::testing::TestParamInfo<ReadingCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace tarvilo
