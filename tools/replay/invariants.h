#pragma once

#include "calc/state.h"

#include <array>
#include <string>
#include <string_view>

// What must hold after every user action, whichever controls the windows run on.
namespace replay {

// The main window's result labels, in the order recalCaptions gives their texts.
inline constexpr std::array<const char*, 6> kResultLabels{"Label4", "Label5",  "Label13",
                                                          "Label7", "Label10", "Label11"};

// The captions recal writes for this state.
std::array<std::string, 6> recalCaptions(const calc::CalcState& state);
// One of the program's own error messages.
bool ownMessage(std::string_view text);
// A caption that shows an infinity or a NaN as text.
bool showsNonsense(std::string_view caption);
// What is wrong with the stored inputs: flow and roughness not negative and not NaN, infinite
// only when a unit change reinterpreted an accepted text and their field says so; density
// finite, positive or 0. `flowShown` and `roughnessShown` are Label7's and Label10's captions.
std::string inputFault(const calc::CalcState& state, std::string_view flowShown,
                       std::string_view roughnessShown);

} // namespace replay
