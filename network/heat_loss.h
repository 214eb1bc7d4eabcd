#pragma once

#include <optional>
#include <tuple>
#include <variant>

// The heat a steam pipe loses through its insulation to the air, by the formulas of GB 50264-2013
// (工业设备及管道绝热工程设计规范). The surface temperature balances the conduction through the
// insulation against the surface's radiation and convection; the pipe wall and the steam's film
// are neglected, as the standard does for heat-loss calculations: both are far smaller
// resistances than the insulation's.
namespace network::heat {

// The insulations whose conductivity the standard's Appendix A gives as a function of the mean
// temperature.
enum class Material { RockWool, GlassWool, CompositeSilicate, CalciumSilicate };

// A material of the table, or a constant conductivity in W/(m·K): a manufacturer's figure.
using Insulation = std::variant<Material, double>;

// The conductivity in W/(m·K) at the insulation's mean temperature, in ℃.
double conductivity(const Insulation& insulation, double meanC);

enum class Laying {
    Overhead, // outdoors, in the wind
    Indoor,   // still air
};

// Which of the standard's Appendix B limits applies.
enum class Operation { YearRound, Seasonal };

struct Surroundings {
    double ambient = 10;      // ℃
    double wind = 3;          // m/s, felt by overhead pipes only
    double emissivity = 0.25; // the jacket's
    // A fixed surface coefficient αs in W/(m²·K) (the standard allows 11.63 for heat-loss
    // calculations); none to compute it from radiation and convection.
    std::optional<double> surfaceCoefficient{};

    auto members() const {
        const auto& [ambient, wind, emissivity, surfaceCoefficient] = *this;
        return std::tie(ambient, wind, emissivity, surfaceCoefficient);
    }
    bool operator==(const Surroundings& other) const { return members() == other.members(); }
};

// αs in W/(m²·K) of a surface at `surfaceC` of diameter `diameterM`: the fixed one, or radiation
// plus convection.
double surfaceCoefficient(const Surroundings& air, Laying laying, double surfaceC,
                          double diameterM);

struct PipeLoss {
    double perMetre = 0; // q, W/m of pipe
    double surface = 0;  // Ts, ℃
    double perArea = 0;  // Q, W/m² of the outer surface (the insulation's, or the bare pipe's)
};

// A pipe of outer diameter `outerM` under `thicknessM` of insulation (0: bare), laid in `air`:
// what these fix (a logarithm and the wind's powers, most of a loss's cost) worked out once, for
// an integration that asks for the loss at every step with only the steam's temperature changing.
class InsulatedPipe {
public:
    InsulatedPipe(double outerM, double thicknessM, const Insulation& insulation, Laying laying,
                  const Surroundings& air);

    // The loss of steam at `steamC`, before the additional-loss factor. No loss where the steam
    // is not warmer than the air.
    PipeLoss at(double steamC) const;

    // The steam temperature from which the loss is a step higher: under rock wool, where the
    // surface's balance leaves the standard's first formula for its conductivity (heat_loss.cpp
    // says why it jumps). An integration along the pipe must stop there, not step over it. None
    // for the other insulations and a bare pipe.
    std::optional<double> stepC() const { return m_step; }

private:
    double m_outer;
    Insulation m_insulation;
    Laying m_laying;
    Surroundings m_air;
    double m_surface = 0;        // D1, or D0 bare, m
    double m_resistance = 0;     // D1·ln(D1/D0)/2 in m; 0 bare (a layer too thin to give more)
    double m_windConvection = 0; // the overhead pipe's αc, W/(m²·K)
    std::optional<double> m_step;
};

// InsulatedPipe(outerM, thicknessM, insulation, laying, air).at(steamC), for a single loss.
PipeLoss pipeLoss(double steamC, double outerM, double thicknessM, const Insulation& insulation,
                  Laying laying, const Surroundings& air);

// The most a square metre of outer surface may lose by the standard's Appendix B, in W/m², at the
// steam temperature, linearly between the table's points; none outside the table.
std::optional<double> allowedLossPerArea(double steamC, Operation operation);

} // namespace network::heat
