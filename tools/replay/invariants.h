#pragma once

#include "calc/state.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// What must hold after every user action, whichever controls the windows run on.
namespace replay {

// The main window's result labels, in the order recalCaptions gives their texts.
inline constexpr std::array<const char*, 6> kResultLabels{"Label4", "Label5",  "Label13",
                                                          "Label7", "Label10", "Label11"};

using ResultCaptions = std::array<std::string, 6>;

// The captions recal writes for this state.
ResultCaptions recalCaptions(const calc::CalcState& state);

// Watches the result captions from one look to the next. Each must be what recal writes for the
// state, or left as it stood: the zero-bore fallback, for one, changes the bore without writing
// any caption.
class CaptionWatch {
public:
    void reset(ResultCaptions shown) { m_before = std::move(shown); }
    // Adds a fault for each caption that is neither, then takes `shown` as they stand.
    void look(const calc::CalcState& state, ResultCaptions shown, std::vector<std::string>& faults);
    const std::string& flowShown() const { return m_before[3]; }
    const std::string& roughnessShown() const { return m_before[4]; }

private:
    ResultCaptions m_before;
};

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
