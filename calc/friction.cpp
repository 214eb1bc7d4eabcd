#include "calc/friction.h"

#include "calc/elementary.h"

namespace calc {

double specificFrictionLoss(double roughness, double flow, double bore, double density) {
    return specificFrictionLoss(frictionPowers(roughness, bore), flow, density);
}

FrictionPowers frictionPowers(double roughness, double bore) {
    return {elementary::pow(roughness, 0.25), elementary::pow(bore, 5.25)};
}

double specificFrictionLoss(const FrictionPowers& powers, double flow, double density) {
    const double numerator = powers.roughness * 0.00688 * flow * flow;
    return numerator / (powers.bore * density);
}

} // namespace calc
