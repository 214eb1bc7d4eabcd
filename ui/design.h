#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

// Each window described once: its controls with the names the logic and the logs use, their
// kinds, places, design-time texts, the names a screen reader says and the tab order. The
// in-memory windows, the Qt views and every tool that acts on a window by name are built from
// these tables, so that a control added here is added everywhere.
namespace ui {

// What a control is. The first kinds are the controls the logic drives, in the order of
// ControlSet's alternatives; frames and captions only arrange and label the others. Kinds added
// later follow them, so that every kind keeps its number.
enum class Kind {
    Window,
    TextBox,
    DropDownList,
    SimpleCombo,
    TableList,
    OptionButton,
    PushButton,
    Label,
    StatusText,
    MenuCommand,
    MessageBox,
    HelpWindows,
    Program,
    Frame,
    Caption,
    Grid,
    Question,
    FileDialogs,
    Clipboard,
    SheetOutput,
    RecentFiles,
    NetworkPictures,
};

std::string_view kindName(Kind kind);

// A rectangle in twips (15 to a logical pixel at 96 dpi), inside the control's frame.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// How a caption is drawn: the result rows' captions are blue.
enum class CaptionLook { Plain, Blue, Centred };

struct ControlDescription {
    // The name the logs use after the window's ("Text1" of "Form1.Text1"); a caption has none.
    std::string_view name;
    Kind kind;
    // The frame the control sits in, empty for the window itself; a menu command's menu.
    std::string_view parent = {};
    // Where it sits; a window laid out by its view uses only the width, where one is given.
    Twips at = {};
    // The text or caption it has before any handling runs.
    std::string_view text = {};
    // In a laid-out window, the caption before the control and the unit after it.
    std::string_view caption = {};
    std::string_view unit = {};
    // What a screen reader says: empty where the shown text or the caption beside it names it.
    // A simple combo's name is its edit field's and its description its list's.
    std::string_view accessibleName = {};
    std::string_view description = {};
    std::string_view tip = {};
    // Its place in the window's tab order from 1; 0 where Tab does not stop at it.
    int tab = 0;
    CaptionLook look = CaptionLook::Plain;
};

struct WindowDescription {
    std::string_view name;
    std::string_view title;
    // The client area; zero where the view lays the window out to its contents.
    int widthTwips;
    int heightTwips;
    std::span<const ControlDescription> controls;
    // The control that has the focus when the window opens, and the button Esc presses.
    std::string_view focus = {};
    std::string_view cancel = {};
    // The button Enter presses while the focus control has the focus, where it has none of its
    // own.
    std::string_view enter = {};

    // The control of this name, or null.
    const ControlDescription* find(std::string_view control) const;
    // "Form1.Text1", or the window's own name for an empty control name.
    std::string qualified(std::string_view control) const;
};

extern const WindowDescription kForm1Design;
extern const WindowDescription kForm2Design;
extern const WindowDescription kPropertyDesign;
extern const WindowDescription kSizingDesign;
extern const WindowDescription kNetworkDesign;

// Every window, the main window first.
inline const std::array<const WindowDescription*, 5> kDesigns{
    &kForm1Design, &kForm2Design, &kPropertyDesign, &kSizingDesign, &kNetworkDesign};

// The window a qualified name ("Property.pressure", or "Property") belongs to, or null.
const WindowDescription* designOf(std::string_view qualified);
// The control a qualified name names, or null; also null for a window's own name.
const ControlDescription* controlOf(std::string_view qualified);

} // namespace ui
