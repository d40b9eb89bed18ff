#include "core/family.h"

namespace tarvilo {

std::vector<FamilyMember> CalculateFamily(const QvInputs &base, InputBox quantity, double first, double last, int count)
{
    std::vector<FamilyMember> family;
    family.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        // The last value exactly as given, not first plus rounded steps; the
        // fraction first, so that no step overflows where the span does not.
        const double value = i + 1 == count ? last : first + (last - first) * (double(i) / (count - 1));
        QvInputs inputs = base;
        ValueOf(inputs, quantity) = value;
        family.push_back({ value, inputs, CalculateCase(inputs) });
    }
    return family;
}

} // namespace tarvilo
