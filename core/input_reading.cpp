#include "core/input_reading.h"

#include "core/number_reading.h"

namespace tarvilo {

InputsReading ReadInputs(const std::function<std::string(InputBox)> &textOf, const RegionalSettings &regional,
                         std::optional<InputBox> skipped)
{
    InputsReading reading;
    for (const InputBox box : kInputBoxes) {
        if (box == skipped)
            continue;
        const std::optional<double> value = ReadRegionalNumber(textOf(box), regional);
        if (!value) {
            reading.unreadable = box;
            break;
        }
        ValueOf(reading.inputs, box) = *value;
    }
    return reading;
}

InputsReading ReadInputs(const InputBoxTexts &texts, const RegionalSettings &regional, std::optional<InputBox> skipped)
{
    return ReadInputs([&texts](InputBox box) { return texts[static_cast<size_t>(box)]; }, regional, skipped);
}

} // namespace tarvilo
