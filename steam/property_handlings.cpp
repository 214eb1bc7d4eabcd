#include "steam/property_handlings.h"

#include "calc/numbers.h"
#include "calc/recal.h"
#include "steam/if97.h"

#include <charconv>
#include <cmath>

namespace steam {

namespace {

constexpr double kKelvin = 273.15;

// The superheat in words, to one decimal: it is read, not copied. Formatted without the C
// library, whose decimal point follows the locale the toolkit takes from the environment.
std::string superheatWords(double kelvins) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, kelvins, std::chars_format::fixed, 1);
    return std::string(text, end.ptr) + " ℃";
}

std::string shown(double value, std::string_view unit) {
    return calc::fieldText(calc::storedFloat(value), unit);
}

// A temperature field: seven digits, as every field, but never finer than 0.0001 ℃, where the
// seven digits would take an exponent (the saturation line's lowest point is 7.26E-06 ℃).
std::string celsiusText(double celsius) {
    if (std::fabs(celsius) < 1e-4)
        celsius = std::round(celsius * 1e4) / 1e4;
    return shown(celsius, " ℃");
}

// A temperature named in a fault, as its field would show it, without the sign position.
std::string celsiusWords(double celsius) {
    return celsiusText(celsius).substr(1);
}

PropertyReport fault(std::string saturation, std::string why) {
    PropertyReport report;
    report.saturation = std::move(saturation);
    report.state = std::move(why);
    report.fault = true;
    return report;
}

} // namespace

PropertyReport propertyReport(double p, bool superheated, double celsius) {
    if (!(p > 0))
        return fault({}, "压力（绝压）须大于 0");
    if (p > 100)
        return fault({}, "压力高于 100 MPa（绝压），超出计算范围");

    const bool hasSaturation = p >= if97::kLowestSaturationPressure && p <= if97::kCriticalPressure;
    const double saturationKelvin = hasSaturation ? if97::saturationTemperature(p) : 0;
    std::string saturation = hasSaturation ? celsiusText(saturationKelvin - kKelvin)
                             : p > if97::kCriticalPressure
                                 ? std::string("高于临界压力，无饱和温度")
                                 : std::string("低于 0 ℃ 的饱和压力 611.213 Pa，无饱和温度");

    if (!superheated && !hasSaturation)
        return fault(std::move(saturation),
                     "饱和蒸汽的压力须在 611.213 Pa～22.064 MPa（绝压）之间");

    if97::SteamProperties properties{};
    std::string state;
    if (!superheated) {
        properties = *if97::saturatedSteam(p);
        state = "饱和蒸汽";
    } else {
        if (!(celsius >= 0 && celsius <= 800))
            return fault(std::move(saturation), "温度须在 0～800 ℃ 之间");
        const double kelvin = celsius + kKelvin;
        if (hasSaturation && kelvin < saturationKelvin)
            return fault(std::move(saturation), "温度低于该压力下的饱和温度 " +
                                                    celsiusWords(saturationKelvin - kKelvin) +
                                                    "，是水，不是蒸汽");
        if (p > if97::kCriticalPressure && kelvin < if97::kCriticalTemperature)
            return fault(std::move(saturation),
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
            .volume = shown(properties.specificVolume, " m3/kg"),
            .enthalpy = shown(properties.enthalpy, " kJ/kg")};
}

void PropertyHandlings::Option1_Click() {
    m_controls.temperature.setEnabled(false);
    calculate();
}

void PropertyHandlings::Option2_Click() {
    m_controls.temperature.setEnabled(true);
    calculate();
}

void PropertyHandlings::calculate() {
    auto& c = m_controls;
    const std::string unitText = c.unit.text();
    PressureUnit unit = kPressureUnits[0];
    for (const PressureUnit& candidate : kPressureUnits)
        if (candidate.label == unitText)
            unit = candidate;
    const bool superheated = c.superheated.isChecked();
    // An empty box is no pressure: read as 0 in a gauge unit it would be one atmosphere.
    const calc::BoxNumber pressure = calc::boxNumber(c.pressure.text(), "压力");
    const calc::BoxNumber temperature =
        superheated ? calc::boxNumber(c.temperature.text(), "温度")
                    : calc::BoxNumber{.value = 0, .fault = {}, .blank = false};
    double p = pressure.value * unit.megapascals;
    if (unit.gauge)
        p += kAtmosphereMpa;
    PropertyReport report;
    if (!pressure.fault.empty())
        report = fault({}, pressure.fault);
    else if (!temperature.fault.empty())
        report = fault(propertyReport(p, false, 0).saturation, temperature.fault);
    else
        report = propertyReport(p, superheated, temperature.value);

    c.saturation.setCaption(report.saturation);
    c.state.setStatus(report.state, report.fault);
    m_report = report;
    m_density = report.density;
    m_absoluteMpa = report.fault ? 0 : p;
    m_superheated = superheated;
    c.density.setCaption(report.fault ? std::string() : report.density + " kg/m3");
    c.volume.setCaption(report.volume);
    c.enthalpy.setCaption(report.enthalpy);
    c.adopt.setEnabled(!report.fault);
}

std::string PropertyHandlings::resultsText() const {
    const auto& c = m_controls;
    std::string text;
    const auto line = [&text](std::string_view name, std::string_view value,
                              std::string_view unit) {
        if (!value.empty())
            text.append(name).append("\t").append(value).append("\t").append(unit).append("\n");
    };
    // A field shows its number and its unit after one blank, or words alone.
    const auto field = [&line](std::string_view name, std::string_view shown) {
        const std::size_t first = shown.find_first_not_of(' ');
        shown = first == std::string_view::npos ? std::string_view() : shown.substr(first);
        const std::size_t blank = shown.rfind(' ');
        const bool number =
            blank != std::string_view::npos && shown.find_first_not_of("+-.0123456789eE") == blank;
        line(name, number ? shown.substr(0, blank) : shown,
             number ? shown.substr(blank + 1) : std::string_view());
    };
    line("压力", c.pressure.text(), c.unit.text());
    if (c.superheated.isChecked())
        line("温度", c.temperature.text(), "℃");
    field("饱和温度", m_report.saturation);
    line("状态", m_report.state, "");
    if (!m_report.fault) {
        field("密度", m_report.density + " kg/m3");
        field("比容", m_report.volume);
        field("比焓", m_report.enthalpy);
    }
    return text;
}

} // namespace steam
