#include "calc/friction.h"

#include "calc/elementary.h"

namespace calc {

double specificFrictionLoss(double roughness, double flow, double bore, double density) {
    const double numerator = elementary::pow(roughness, 0.25) * 0.00688 * flow * flow;
    return numerator / (elementary::pow(bore, 5.25) * density);
}

} // namespace calc
