#include "pipes/seamless.h"

#include "calc/numbers.h"

namespace pipes {

float wallMetres(std::string_view item) {
    return calc::storedFloat(calc::prefixNumber(item) / 1000.0);
}

float seamlessBore(float outerMetres, float wallThickness) {
    const double outer = outerMetres;
    const double wall = wallThickness;
    return calc::storedFloat(outer - wall - wall);
}

} // namespace pipes
