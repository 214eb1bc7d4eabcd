#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace pipes {

// A wall thickness as its list item says it, in mm, stored in m.
float wallMetres(std::string_view item);
// The bore of a seamless pipe: the outer diameter less two walls, stored at 32 bits.
float seamlessBore(float outerMetres, float wallThickness);

struct SeamlessPipe {
    std::string_view entry; // "D" and the outer diameter in mm
    float outerMetres;
    std::array<std::string_view, 5> thicknessItems; // wall thickness in mm, ascending
    std::size_t thicknessCount;

    std::span<const std::string_view> thicknesses() const {
        return {thicknessItems.data(), thicknessCount};
    }
    // The item offered first when the size is chosen: always the second thickness.
    std::string_view defaultThickness() const { return thicknessItems[1]; }
};

// Seamless steel pipe by outer diameter, each with the wall thicknesses it is made in.
inline constexpr std::array<SeamlessPipe, 29> kSeamlessPipes{{
    {"D14", 0.014f, {"2", "2.5", "3"}, 3},
    {"D17", 0.017f, {"2", "2.5", "3"}, 3},
    {"D18", 0.018f, {"2.5", "3", "3.5", "4"}, 4},
    {"D22", 0.022f, {"2.5", "3", "3.5", "4"}, 4},
    {"D25", 0.025f, {"2.5", "3", "3.5", "4"}, 4},
    {"D27", 0.027f, {"2.5", "3", "3.5", "4"}, 4},
    {"D32", 0.032f, {"2.5", "3", "3.5", "4", "5"}, 5},
    {"D34", 0.034f, {"2.5", "3", "3.5", "4", "5"}, 5},
    {"D38", 0.038f, {"3", "3.5", "4", "4.5", "5.5"}, 5},
    {"D42", 0.042f, {"3", "3.5", "4", "4.5", "5.5"}, 5},
    {"D45", 0.045f, {"3", "3.5", "4", "5", "6"}, 5},
    {"D48", 0.048f, {"3", "3.5", "4", "5", "6"}, 5},
    {"D57", 0.057f, {"3", "3.5", "4", "5.5", "7"}, 5},
    {"D60", 0.060f, {"3", "3.5", "4", "5.5", "7"}, 5},
    {"D76", 0.076f, {"3.5", "4", "4.5", "7", "8"}, 5},
    {"D89", 0.089f, {"3.5", "4", "5", "7", "10"}, 5},
    {"D108", 0.108f, {"4", "4.5", "6", "9", "12"}, 5},
    {"D114", 0.114f, {"4", "4.5", "6", "9", "12"}, 5},
    {"D133", 0.133f, {"4", "4.5", "5", "7", "10"}, 5},
    {"D140", 0.140f, {"4", "4.5", "5", "7", "10"}, 5},
    {"D159", 0.159f, {"4.5", "5", "7", "8", "10"}, 5},
    {"D168", 0.168f, {"4.5", "5", "7", "8", "10"}, 5},
    {"D219", 0.219f, {"6", "8", "10", "12", "15"}, 5},
    {"D273", 0.273f, {"7", "9", "12", "15", "18"}, 5},
    {"D325", 0.325f, {"8", "11", "14", "17", "21"}, 5},
    {"D377", 0.377f, {"9", "12", "15", "20", "24"}, 5},
    {"D426", 0.426f, {"9", "10", "13", "17", "22"}, 5},
    {"D480", 0.480f, {"9", "11", "15", "19", "24"}, 5},
    {"D530", 0.530f, {"9", "12", "16", "21"}, 4},
}};

} // namespace pipes
