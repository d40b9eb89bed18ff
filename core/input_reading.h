#pragma once

// The six input texts read as numbers: by the calculation run and by the
// windows that take the main window's inputs as their own.

#include "core/qv_types.h"
#include "core/regional_settings.h"
#include "core/run_host.h"

#include <array>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

namespace tarvilo {

// The texts of the six input boxes (UTF-8), in box order.
using InputBoxTexts = std::array<std::string, std::size(kInputBoxes)>;

// The values read, and the box whose text is no number, if one is.
struct InputsReading
{
    QvInputs inputs;
    std::optional<InputBox> unreadable;
};

// Reads the boxes as a run does: in box order, each text asked for when its
// turn comes, with the regional rule; the first text that is no number ends
// the reading, and the boxes after it stay 0. A skipped box is not read
// (its value will be replaced anyway) and stays 0.
InputsReading ReadInputs(const std::function<std::string(InputBox)> &textOf, const RegionalSettings &regional,
                         std::optional<InputBox> skipped = std::nullopt);
InputsReading ReadInputs(const InputBoxTexts &texts, const RegionalSettings &regional,
                         std::optional<InputBox> skipped = std::nullopt);

} // namespace tarvilo
