#pragma once

namespace calc {

// Specific friction loss of steam in a pipe, in Pa/m:
//
//     R = 0.00688 · K^0.25 · G² / (d^5.25 · ρ)
//
// with G the mass flow in t/h, K the equivalent absolute roughness of the wall in m, d the
// inner diameter in m and ρ the density in kg/m³. It is the Darcy–Weisbach equation
// R = λ / d · ρ v² / 2 with v = G / 3.6 / (π/4 · d²) / ρ and Shifrinson's friction factor
// λ = 0.11 · (K/d)^0.25, the form in which Chinese heating design manuals give it for steam:
// 0.11 / (2 · 3.6² · (π/4)²) = 0.006880.
//
// Valid for turbulent flow in the rough-wall (quadratic) region, Reynolds numbers above about
// 560 d/K, where the loss goes as the square of the flow and no longer depends on the
// viscosity: the usual case for steam pipes. Below it the formula understates the loss.
//
// Evaluated as the numerator 0.00688 · K^0.25 · G² over (d^5.25 · ρ), in double; the network's
// solver, which needs R · ρ (constant along a pipe), passes ρ = 1, which leaves it exact.
double specificFrictionLoss(double roughness, double flow, double bore, double density);

// The powers R takes of K and d, for a solver that asks for R at many flows in one pipe: R from
// them is specificFrictionLoss's to the bit.
struct FrictionPowers {
    double roughness; // K^0.25
    double bore;      // d^5.25
};
FrictionPowers frictionPowers(double roughness, double bore);
double specificFrictionLoss(const FrictionPowers& powers, double flow, double density);

} // namespace calc
