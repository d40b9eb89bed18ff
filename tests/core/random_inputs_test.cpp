// Whatever is typed, a run either completes or ends at a fault step; it
// never crashes, and no label shows "nan", "inf" or nothing at all.
#include "core/calculation_run.h"

#include "core/number_format.h"
#include "core/number_reading.h"
#include "core/run_fault.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tarvilo {
namespace {

using testing::RecordingHost;

// Texts built from the characters that matter to the input rule, plus a few
// that never belong in a number.
std::string RandomText(std::mt19937_64 &random)
{
    static const std::vector<std::string> pieces = { "0",   "1",     "2",  "5",      "9",      "00",   "123456789",
                                                     ".",   ",",     "-",  "+",      "e",      "E",    " ",
                                                     "\t",  "e-",    "e+", "E3",     "e-400",  "e400", "inf",
                                                     "nan", "Error", "x",  "\u202F", "\u00A0", "\xC3", "\xFF" };
    std::uniform_int_distribution<size_t> length(0, 8);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (size_t n = length(random); n > 0; --n)
        text += pieces[pick(random)];
    return text;
}

// Numbers spread over the whole range of magnitudes, as text.
std::string RandomNumberText(std::mt19937_64 &random, const RegionalSettings &regional)
{
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 320);
    std::uniform_int_distribution<int> kind(0, 3);
    const double value = kind(random) == 0 ? mantissa(random) * std::pow(10.0, exponent(random)) : mantissa(random);
    return ToGeneralText(std::isfinite(value) ? value : 1.0, regional);
}

bool LooksLikeALabelNumber(const std::string &text, const std::string &separator)
{
    if (text == kErrorText)
        return true;
    const size_t point = text.find(separator);
    if (point == std::string::npos || text.empty())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i >= point && i < point + separator.size())
            continue;
        if (i == 0 && text[i] == '-')
            continue;
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

TEST(RandomInputs, EveryRunCompletesOrEndsAtAFaultStep)
{
    std::mt19937_64 random(7);
    std::bernoulli_distribution garbage(0.15);
    const std::set<RunStep> computingSteps = { RunStep::ReadInputs, RunStep::CriticalPoint, RunStep::SystemSweep,
                                               RunStep::LoadSweep, RunStep::OperatingPoints };
    int completed = 0;
    for (int run = 0; run < 4000; ++run) {
        const RegionalSettings regional = run % 2 ? CommaSettings() : PointSettings();
        std::map<InputBox, std::string> texts;
        for (InputBox box : kInputBoxes) {
            texts[box] = garbage(random) ? RandomText(random) : RandomNumberText(random, regional);
        }
        RecordingHost host(texts);
        QvInputs inputs;
        QvResults results;
        QvCurves curves;
        try {
            RunCalculation(host, regional, inputs, results, curves);
            ++completed;
            ASSERT_EQ(host.events().back(), "chart");
            for (const QvCurves::Curve *curve : { &curves.q2, &curves.vu, &curves.vl, &curves.v2, &curves.qcapr }) {
                for (int i = 1; i <= kCurvePoints; ++i)
                    ASSERT_TRUE(std::isfinite((*curve)[i]));
            }
        } catch (const RunFault &fault) {
            ASSERT_TRUE(computingSteps.count(fault.step())) << static_cast<int>(fault.step());
        }
        for (const auto &[label, caption] : host.captions()) {
            ASSERT_TRUE(LooksLikeALabelNumber(caption, regional.decimalSeparator)) << "[" << caption << "]";
        }
    }
    EXPECT_GT(completed, 100); // the generator must reach the end of a run too
}

TEST(RandomInputs, ReadingNeverFailsOnArbitraryBytes)
{
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<size_t> length(0, 40);
    for (int i = 0; i < 100000; ++i) {
        std::string text(length(random), '\0');
        for (char &c : text)
            c = static_cast<char>(byte(random));
        const std::optional<double> value = ReadRegionalNumber(text, i % 2 ? CommaSettings() : PointSettings());
        if (value) {
            ASSERT_TRUE(std::isfinite(*value));
        }
    }
}

} // namespace
} // namespace tarvilo
