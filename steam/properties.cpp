#include "steam/properties.h"

#include "calc/numbers.h"
#include "calc/recal.h"
#include "steam/if97.h"

#include <cmath>

namespace steam {

namespace {

constexpr double kKelvin = 273.15;

// The superheat in words, to one decimal: it is read, not copied.
std::string superheatWords(double kelvins) {
    return calc::decimalText(kelvins, 1) + " ℃";
}

// A temperature field: seven digits, as every field, but never finer than 0.0001 ℃, where the
// seven digits would take an exponent (the saturation line's lowest point is 7.26E-06 ℃).
std::string celsiusText(double celsius) {
    if (std::fabs(celsius) < 1e-4)
        celsius = std::round(celsius * 1e4) / 1e4;
    return calc::storedText(celsius, " ℃");
}

// A temperature named in a fault, as its field would show it, without the sign position.
std::string celsiusWords(double celsius) {
    return celsiusText(celsius).substr(1);
}

} // namespace

PropertyReport propertyFault(std::string saturation, std::string why) {
    PropertyReport report;
    report.saturation = std::move(saturation);
    report.state = std::move(why);
    report.fault = true;
    return report;
}

PropertyReport propertyReport(double p, bool superheated, double celsius) {
    if (!(p > 0))
        return propertyFault({}, "压力（绝压）须大于 0");
    if (p > 100)
        return propertyFault({}, "压力高于 100 MPa（绝压），超出计算范围");

    const bool hasSaturation = p >= if97::kLowestSaturationPressure && p <= if97::kCriticalPressure;
    const double saturationKelvin = hasSaturation ? if97::saturationTemperature(p) : 0;
    std::string saturation = hasSaturation ? celsiusText(saturationKelvin - kKelvin)
                             : p > if97::kCriticalPressure
                                 ? std::string("高于临界压力，无饱和温度")
                                 : std::string("低于 0 ℃ 的饱和压力 611.213 Pa，无饱和温度");

    if (!superheated && !hasSaturation)
        return propertyFault(std::move(saturation),
                             "饱和蒸汽的压力须在 611.213 Pa～22.064 MPa（绝压）之间");

    if97::SteamProperties properties{};
    std::string state;
    if (!superheated) {
        properties = *if97::saturatedSteam(p);
        state = "饱和蒸汽";
    } else {
        if (!(celsius >= 0 && celsius <= 800))
            return propertyFault(std::move(saturation), "温度须在 0～800 ℃ 之间");
        const double kelvin = celsius + kKelvin;
        if (hasSaturation && kelvin < saturationKelvin)
            return propertyFault(std::move(saturation),
                                 "温度低于该压力下的饱和温度 " +
                                     celsiusWords(saturationKelvin - kKelvin) + "，是水，不是蒸汽");
        if (p > if97::kCriticalPressure && kelvin < if97::kCriticalTemperature)
            return propertyFault(std::move(saturation),
                                 "超临界压力下温度低于临界温度 " +
                                     celsiusWords(if97::kCriticalTemperature - kKelvin) +
                                     "，是水，不是蒸汽");
        properties = if97::steamAt(p, kelvin).properties;
        state = p > if97::kCriticalPressure ? std::string("超临界")
                : hasSaturation ? "过热蒸汽，过热度 " + superheatWords(kelvin - saturationKelvin)
                                : std::string("过热蒸汽");
    }
    return {.saturation = std::move(saturation),
            .state = std::move(state),
            .fault = false,
            .density = calc::numberText(calc::storedFloat(properties.density)),
            .volume = calc::storedText(properties.specificVolume, " m3/kg"),
            .enthalpy = calc::storedText(properties.enthalpy, " kJ/kg")};
}

} // namespace steam
