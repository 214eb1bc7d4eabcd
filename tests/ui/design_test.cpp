#include "ui/control_set.h"
#include "ui/controls/memory_gui.h"
#include "ui/design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using ui::Kind;

// A description the views cannot build: a name twice (the second control would never reach
// the logic), a gap or a repeat in the tab order, a control in a frame the window lacks, a
// focus, an Esc or an Enter button that is not there.
TEST(Designs, EveryWindowIsWhole) {
    for (const ui::WindowDescription* design : ui::kDesigns) {
        SCOPED_TRACE(std::string(design->name));
        std::set<std::string_view> names, frames;
        std::vector<int> tabs;
        for (const ui::ControlDescription& control : design->controls) {
            if (!control.name.empty()) {
                EXPECT_TRUE(names.insert(control.name).second) << control.name << " twice";
            }
            if (control.kind == Kind::Frame) {
                frames.insert(control.name);
            } else if (!control.parent.empty() && control.kind != Kind::MenuCommand &&
                       control.kind != Kind::RecentFiles) {
                EXPECT_TRUE(frames.contains(control.parent)) << control.name;
            }
            if (control.tab > 0)
                tabs.push_back(control.tab);
        }
        std::sort(tabs.begin(), tabs.end());
        for (std::size_t i = 0; i < tabs.size(); ++i)
            EXPECT_EQ(tabs[i], static_cast<int>(i) + 1);
        EXPECT_TRUE(design->find(design->focus)) << "focus";
        for (const std::string_view button : {design->cancel, design->enter}) {
            if (!button.empty()) {
                ASSERT_TRUE(design->find(button)) << button;
                EXPECT_EQ(design->find(button)->kind, Kind::PushButton) << button;
            }
        }
    }
}

// A window's controls are made by the toolkit's view and taken by the logic by name: a control
// made or taken as another kind than described, or never made, stops the window's first opening
// with the control named, instead of driving the wrong widget.
TEST(Designs, AControlOfAnotherKindIsRefusedByName) {
    controls::memory::Gui gui;
    ui::ControlSet set(ui::kSizingDesign);
    EXPECT_THROW(set.add("length", &gui.label("Sizing.mainFlow")), std::logic_error);
    EXPECT_THROW(set.add("Text9", &gui.textBox("Sizing.Text9")), std::logic_error);
    set.add("length", &gui.textBox("Sizing.length"));
    EXPECT_EQ(&set.get<controls::TextBox>("length"), &gui.textBox("Sizing.length"));
    EXPECT_THROW(set.get<controls::Label>("length"), std::logic_error);
    EXPECT_THROW(set.get<controls::TextBox>("localLoss"), std::logic_error) << "never made";
    EXPECT_THROW(set.window(), std::logic_error);
}

// docs/accessibility.md tells users of screen readers what each window's controls are called;
// every row must say what the window really sets, and every control a screen reader names by
// its description must have its row. A row's name is the one set, the caption of a button, or
// words for a shown text ("the unit shown", "its rows").
TEST(Designs, TheAccessibilityGuideSaysWhatEachWindowSets) {
    std::ifstream file(STEAM_ACCESSIBILITY_GUIDE);
    ASSERT_TRUE(file) << STEAM_ACCESSIBILITY_GUIDE;
    const ui::WindowDescription* window = nullptr;
    std::map<const ui::WindowDescription*, std::set<std::string>> documented;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with("## ")) {
            window = nullptr;
            for (const ui::WindowDescription* design : ui::kDesigns)
                if (line.ends_with(" " + std::string(design->title)))
                    window = design;
            continue;
        }
        if (!window || !line.starts_with("| `"))
            continue;
        std::vector<std::string> cells;
        std::istringstream row(line.substr(1));
        for (std::string cell; std::getline(row, cell, '|');)
            cells.push_back(cell.substr(1, cell.size() > 1 ? cell.size() - 2 : 0));
        if (cells.size() < 4)
            continue; // a command of the menu bar: named by its caption, listed without a
                      // description
        const std::string name = cells[0].substr(1, cells[0].find('`', 1) - 1);
        const ui::ControlDescription* control = window->find(name);
        ASSERT_TRUE(control) << window->name << ": " << name;
        SCOPED_TRACE(window->qualified(name) + ": " + line);
        const bool editField = cells[0].ends_with("(edit field)");
        const bool captioned =
            control->kind == Kind::PushButton || control->kind == Kind::OptionButton;
        const std::string_view said = captioned ? control->text : control->accessibleName;
        if (!said.empty() && (control->kind != Kind::SimpleCombo || editField)) {
            EXPECT_EQ(cells[2], said);
        } else {
            EXPECT_TRUE(cells[2].starts_with("the ") || cells[2].starts_with("its ")) << cells[2];
        }
        if (!editField) {
            // A tooltip is told in brackets after the description.
            const std::string description(control->description);
            EXPECT_TRUE(cells[3] == description || cells[3].starts_with(description + " ("))
                << cells[3];
        }
        documented[window].insert(name);
    }
    for (const ui::WindowDescription* design : ui::kDesigns)
        for (const ui::ControlDescription& control : design->controls)
            if (!control.description.empty()) {
                EXPECT_TRUE(documented[design].contains(std::string(control.name)))
                    << design->qualified(control.name) << " is not in the guide";
            }
}

} // namespace
