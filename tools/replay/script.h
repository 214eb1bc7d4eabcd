#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Event scripts: one user action a line, e.g. `type Form1.Text1 "12.5"`.
namespace replay {

// Answer and Path are no actions on a window: they give the answer the next question, or the
// path the next file dialog, of that control is to get from the user.
// Select makes a grid's row current, as a click on its first cell does.
enum class Action { Type, Key, Erase, Pick, DoubleClick, Press, Close, Edit, Answer, Path, Select };

struct Event {
    Action action = Action::Type;
    std::string target{}; // "Form1.Text1", or a window for Close
    std::string text{};   // Type, Key and Edit; Answer: "save", "discard" or "cancel"; Path
    int number = 0;       // Erase: presses; Pick, DoubleClick, Edit and Select: 0-based row
    int column = 0;       // a grid's Pick and Edit: 0-based column
    int item = 0;         // a grid's Pick: the 0-based item of the column's list
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
