#pragma once

#include "ui/controls/controls.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Event scripts: one user action a line, e.g. `type Form1.Text1 "12.5"`.
namespace replay {

// Answer and Path are no actions on a window: they give the answer the next question, or the
// path the next file dialog, of that control is to get from the user.
enum class Action {
    Type,
    Key,
    Erase,
    Pick,
    DoubleClick,
    Press,
    Close,
    Edit,
    Answer,
    Path,
    // Another program's text put on the clipboard.
    Clip,
    // A grid's rectangle of cells selected, and a command of its keys or context menu.
    Select,
    Command
};

struct Event {
    Action action = Action::Type;
    std::string target{}; // "Form1.Text1", or a window for Close
    std::string text{};   // Type, Key and Edit; Answer: "save", "discard" or "cancel"; Path
    int number = 0;       // Erase: presses; Pick, DoubleClick, Edit and Select: 0-based row
    int column = 0;       // a grid's Pick and Edit: 0-based column
    int item = 0;         // a grid's Pick: the 0-based item of the column's list
    int lastRow = 0;      // Select: the rectangle's last row and column, from number and column
    int lastColumn = 0;
    controls::GridCommand command = controls::GridCommand::Copy; // Command
};

// The words a script names a grid's commands by, in the order of controls::GridCommand.
inline constexpr std::array<std::string_view, 8> kCommandWords{"cut",    "copy", "paste", "insert",
                                                               "remove", "up",   "down",  "clear"};

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
