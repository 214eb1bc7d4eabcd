#include "calc/recal.h"

#include "calc/friction.h"
#include "calc/messages.h"
#include "calc/numbers.h"

#include <cmath>

namespace calc {

std::string fieldText(float value, std::string_view unit) {
    if (!std::isfinite(value))
        return std::string(kBeyondRange);
    std::string text = numberText(value);
    text += unit;
    return text;
}

std::string storedText(double wide, std::string_view unit) {
    return fieldText(storedFloat(wide), unit);
}

std::string millimetreText(float metres) {
    return fieldText(metres * 1000.0f, kResultUnits.length);
}

FlowResults flowResults(const CalcState& s) {
    const double d = s.innerDiameter;
    const double density = s.density;
    const double flow = s.flow;
    const float specificLoss = storedFloat(specificFrictionLoss(s.roughness, flow, d, density));
    // After the zero-bore fallback the stored area can still be 0; the velocity must belong to
    // the bore that is shown, never be a division by zero.
    const double area = s.flowArea > 0 ? s.flowArea : kAreaFactor * d * d;
    return {.specificLoss = specificLoss, .velocity = storedFloat(flow / 3.6 / area / density)};
}

} // namespace calc
