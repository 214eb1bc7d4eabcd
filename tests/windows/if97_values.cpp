// Prints IF97's results at the release's verification points and along the steam range, every
// double in hexadecimal, so that the Windows build's can be compared with Linux's to the bit;
// the fast forms a segment's integration with heat loss calls too.
#include "steam/if97.h"
#include "steam/if97_fast.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <initializer_list>
#include <utility>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

void print(const char* what, double value) {
    char text[64];
    *std::to_chars(text, text + sizeof text - 1, value, std::chars_format::hex).ptr = '\0';
    std::printf("%s %s\n", what, text);
}

void print(const char* what, const steam::if97::SteamProperties& s) {
    print(what, s.density);
    print(what, s.specificVolume);
    print(what, s.enthalpy);
    print(what, s.entropy);
}

void print(const char* what, const steam::if97::fast::Vapour& v) {
    print(what, v.density);
    print(what, v.enthalpy);
    print(what, v.heatCapacity);
    print(what, v.pressureSlope);
}

} // namespace

int main() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    namespace if97 = steam::if97;
    for (const double kelvin : {300.0, 500.0, 600.0, 623.15, 647.096})
        print("p_s", if97::saturationPressure(kelvin));
    for (const double mpa : {0.1, 1.0, 10.0, 16.5291643, 22.064})
        print("T_s", if97::saturationTemperature(mpa));
    print("B23 p", if97::b23Pressure(623.15));
    print("B23 T", if97::b23Temperature(0.165291643e2));
    for (const auto& [mpa, kelvin] : {std::pair{0.0035, 300.0}, {0.0035, 700.0}, {30.0, 700.0}})
        print("region 2", if97::region2(mpa, kelvin));
    for (const auto& [mpa, kelvin] : {std::pair{3.0, 300.0}, {80.0, 300.0}, {3.0, 500.0}})
        print("region 1", if97::region1(mpa, kelvin));
    for (const auto& [density, kelvin] :
         {std::pair{500.0, 650.0}, {200.0, 650.0}, {500.0, 750.0}}) {
        print("region 3 p", if97::region3Pressure(density, kelvin));
        print("region 3", if97::region3(density, kelvin));
    }
    // The whole range the windows offer, as the property window and the network ask for it.
    for (double mpa = 0.001; mpa <= 100.0; mpa *= 1.37) {
        if (const auto saturated = if97::saturatedSteam(mpa)) {
            print("saturated", *saturated);
            // The liquid that condenses and the temperature of steam heated or cooled from there.
            if (const auto water = if97::saturatedWater(mpa)) {
                print("saturated water", *water);
                const double low = if97::saturationTemperature(mpa);
                for (double rise = 10.0; rise < 1000.0; rise += 97.0)
                    print("T(p, h)",
                          if97::region2Temperature(mpa, saturated->enthalpy + rise, low));
            }
        }
        for (double kelvin = 280.0; kelvin <= 1073.15; kelvin += 13.7)
            if (const if97::SteamState s = if97::steamAt(mpa, kelvin);
                s.phase == if97::Phase::Steam)
                print("steam", s.properties);
    }
    // The fast forms over the pressures a steam network has, from the line's lowest to region
    // 2's edge at 350 ℃: the line, its liquid, the vapour from the line up to 800 ℃, and the
    // temperature back from each enthalpy, guessed a few kelvin off on either side.
    namespace fast = if97::fast;
    for (double mpa = 0.000611213; mpa <= 16.5291643; mpa *= 1.29) {
        const fast::Saturation line = fast::saturation(mpa);
        print("fast T_s", line.kelvin);
        print("fast dT_s/dp", line.slope);
        print("fast h'", fast::region1Enthalpy(mpa, line.kelvin));
        for (double rise = 0; line.kelvin + rise <= 1073.15; rise += 37.3) {
            const fast::Vapour vapour = fast::region2(mpa, line.kelvin + rise);
            print("fast region 2", vapour);
            for (const double off : {-4.1, 0.0, 6.7}) {
                const fast::Superheated back = fast::region2AtEnthalpy(
                    mpa, vapour.enthalpy, line.kelvin, line.kelvin + std::max(rise + off, 0.0));
                print("fast T(p, h)", back.kelvin);
                print("fast T(p, h)", back.vapour);
            }
        }
    }
}
