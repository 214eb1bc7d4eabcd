#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Event scripts: one user action a line, e.g. `type Form1.Text1 "12.5"`.
namespace replay {

enum class Action { Type, Key, Erase, Pick, DoubleClick, Press, Close };

struct Event {
    Action action = Action::Type;
    std::string target{}; // "Form1.Text1", or a window for Close
    std::string text{};   // Type and Key
    int number = 0;       // Erase: presses; Pick and DoubleClick: 0-based row
};

// A line is an event, nothing (blank or comment), or an error saying what is wrong with it.
struct ParsedLine {
    std::optional<Event> event{};
    std::string error{};
};

ParsedLine parseLine(std::string_view line);

// Every control this action can reach, window by window in the order of their descriptions; for
// Close, the windows.
std::vector<std::string> targetsOf(Action action);

} // namespace replay
