#include "tools/replay/log.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <type_traits>

namespace replay {

std::string jsonString(std::string_view utf8) {
    return nlohmann::json(utf8).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string hexFloat(double value) {
    // The bytes of "%a" in the C locale, without printf: the Qt session's QApplication sets the
    // locale from the environment, and printf would then write a comma for the point. to_chars
    // writes the same digits but no "0x", which "%a" puts after the sign of a finite value.
    char text[64];
    char* const end = std::to_chars(text, text + sizeof text, value, std::chars_format::hex).ptr;
    std::string out(text, end);
    if (std::isfinite(value))
        out.insert(std::signbit(value) ? 1 : 0, "0x");
    return out;
}

void JsonLog::event(int line) {
    m_out << "{\"event\": " << line << "}\n";
}

void JsonLog::ignored(int line) {
    m_out << "{\"ignored\": " << line << "}\n";
}

void JsonLog::handling(std::string_view name) {
    m_out << "{\"handling\": " << jsonString(name) << "}\n";
}

void JsonLog::op(const controls::memory::Op& op) {
    const char* separator = "{";
    op.fields([&](std::string_view key, const auto& value) {
        using Value = std::decay_t<decltype(value)>;
        m_out << separator << jsonString(key) << ": ";
        if constexpr (std::is_same_v<Value, bool>)
            m_out << (value ? "true" : "false");
        else if constexpr (std::is_same_v<Value, int>)
            m_out << value;
        else
            m_out << jsonString(value);
        separator = ", ";
    });
    m_out << "}\n";
}

void JsonLog::state(const calc::CalcState& s) {
    const std::pair<const char*, double> values[] = {
        {"flow", s.flow},
        {"roughness", s.roughness},
        {"weldedDiameter", s.weldedDiameter},
        {"innerDiameter", s.innerDiameter},
        {"outerDiameter", s.outerDiameter},
        {"customDiameter", s.customDiameter},
        {"wallThickness", s.wallThickness},
        {"flowArea", s.flowArea},
        {"velocity", s.velocity},
        {"specificLoss", s.specificLoss},
        {"density", s.density},
        {"flowUnitFactor", s.flowUnitFactor},
        {"roughnessUnitFactor", s.roughnessUnitFactor},
    };
    m_out << "{\"state\": {";
    const char* separator = "";
    for (const auto& [name, value] : values) {
        m_out << separator << "\"" << name << "\": \"" << hexFloat(value) << "\"";
        separator = ", ";
    }
    m_out << "}}\n";
}

} // namespace replay
