#include "ui/property_handlings.h"

#include "calc/numbers.h"

#include <string>

namespace ui {

void PropertyHandlings::saturated_Click() {
    m_controls.temperature.setEnabled(false);
    calculate();
}

void PropertyHandlings::superheated_Click() {
    m_controls.temperature.setEnabled(true);
    calculate();
}

void PropertyHandlings::calculate() {
    auto& c = m_controls;
    const std::string unitText = c.unit.text();
    steam::PressureUnit unit = steam::kPressureUnits[0];
    for (const steam::PressureUnit& candidate : steam::kPressureUnits)
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
        p += steam::kAtmosphereMpa;
    steam::PropertyReport report;
    if (!pressure.fault.empty())
        report = steam::propertyFault({}, pressure.fault);
    else if (!temperature.fault.empty())
        report =
            steam::propertyFault(steam::propertyReport(p, false, 0).saturation, temperature.fault);
    else
        report = steam::propertyReport(p, superheated, temperature.value);

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

} // namespace ui
