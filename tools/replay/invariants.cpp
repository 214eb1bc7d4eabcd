#include "tools/replay/invariants.h"

#include "calc/messages.h"
#include "calc/recal.h"
#include "tools/replay/log.h"

#include <cctype>
#include <cmath>

namespace replay {

ResultCaptions recalCaptions(const calc::CalcState& s) {
    const bool density = s.density > 0;
    return {density ? calc::fieldText(s.velocity, calc::kResultUnits.velocity) : std::string(),
            density ? calc::fieldText(s.specificLoss, calc::kResultUnits.specificLoss)
                    : std::string(),
            density ? calc::fieldText(s.density, calc::kResultUnits.density)
                    : std::string(calc::kDensityMissing),
            calc::fieldText(s.flow, calc::kResultUnits.flow),
            calc::millimetreText(s.roughness),
            calc::millimetreText(s.innerDiameter)};
}

void CaptionWatch::look(const calc::CalcState& state, ResultCaptions shown,
                        std::vector<std::string>& faults) {
    const ResultCaptions expected = recalCaptions(state);
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (shown[i] != expected[i] && shown[i] != m_before[i])
            faults.push_back(std::string("Form1.") + kResultLabels[i] + " shows \"" + shown[i] +
                             "\", recal would write \"" + expected[i] + "\"");
    m_before = std::move(shown);
}

bool ownMessage(std::string_view text) {
    for (std::string_view known :
         {calc::kDiameterNotPositive, calc::kDiameterOutOfRange, calc::kFlowNegative,
          calc::kFlowOutOfRange, calc::kRoughnessNegative, calc::kRoughnessOutOfRange,
          calc::kDensityNotPositive, calc::kDensityOutOfRange})
        if (text == known)
            return true;
    // The network window's file or import refused, each message naming the file.
    return text.starts_with("无法打开“") || text.starts_with("无法保存“") ||
           text.starts_with("无法导入“");
}

bool showsNonsense(std::string_view caption) {
    std::string lower(caption);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

std::string inputFault(const calc::CalcState& s, std::string_view flowShown,
                       std::string_view roughnessShown) {
    // A unit change reinterprets an accepted text without a range test of its own, so flow and
    // roughness may overflow to +infinity there; their fields then say so.
    auto faulty = [](float value, std::string_view shown) {
        if (std::isnan(value) || value < 0)
            return true;
        return std::isinf(value) && shown != calc::kBeyondRange;
    };
    if (faulty(s.flow, flowShown))
        return "flow " + hexFloat(s.flow);
    if (faulty(s.roughness, roughnessShown))
        return "roughness " + hexFloat(s.roughness);
    if (!std::isfinite(s.density) || s.density < 0)
        return "density " + hexFloat(s.density);
    return {};
}

} // namespace replay
