#pragma once

#include "network/network.h"
#include "network/report.h"
#include "network/texts.h"
#include "sheet/sheet.h"
#include "ui/controls/controls.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

// The network window's handlings: its inputs read as texts, solved, and shown in its tables and
// status line. No toolkit: the window's controls are reached through their interfaces.
namespace ui {

// The controls the network handlings read and write.
struct NetworkControls {
    controls::TextBox& node;     // Network.sourceNode
    controls::TextBox& pressure; // Network.sourcePressure
    controls::DropDownList& unit;
    controls::OptionButton& saturated;
    controls::OptionButton& superheated;
    controls::TextBox& temperature;
    controls::TextBox& roughness;
    controls::DropDownList& series;
    controls::TextBox& limit;
    controls::TextBox& title;
    controls::Grid& segments;
    controls::Label& unitNote;
    controls::TableList& results;
    controls::TableList& nodes;
    controls::StatusText& status;
    controls::PushButton& handOff; // Network.showInMain
};

// The network window's input handlings: every change reads the inputs, solves the network and
// fills both tables anew; a fault is said in the status line, never in a message box, since a
// box at every keystroke would make the grid unusable.
class NetworkHandlings {
public:
    // `changed` hears the texts after each change has been shown.
    NetworkHandlings(NetworkControls controls,
                     std::function<void(const network::NetworkTexts&)> changed)
        : m_controls(controls), m_changed(std::move(changed)) {}

    // Fills the lists' items; once, before the first show.
    void fillLists();
    // Puts the texts into the controls and shows their results once.
    void show(const network::NetworkTexts& texts);

    void Text_Change() { calculate(); }
    void unit_Click() { calculate(); }
    void Option_Click();
    void series_Click();
    void segments_CellChange(int row, int column);

    // A new segment after the current one, or at the end: the next free name, from the current
    // segment's end or the source, a new end node, the automatic pipe.
    void addSegment();
    void removeSegment();
    void moveSegment(int by);

    // The network last computed and its result; none while the inputs are at fault.
    const std::optional<network::Network>& network() const { return m_network; }
    // The segment the user selected in the result table, while it shows one.
    std::optional<std::size_t> selectedSegment() const;
    const network::Result& result() const { return m_result; }
    // The calculation sheet of the network shown, made on `date`; none while the inputs are at
    // fault or the network cannot be computed.
    std::optional<sheet::Sheet> sheet(std::string_view date) const;
    void say(std::string_view text, bool fault) { m_controls.status.setStatus(text, fault); }

private:
    network::NetworkTexts read() const;
    void calculate();
    void pipeItems();
    void setRow(int row, const network::SegmentTexts& cells);

    NetworkControls m_controls;
    std::function<void(const network::NetworkTexts&)> m_changed;
    // While the program fills the controls, their changes wait for the one calculation after.
    bool m_filling = false;
    std::optional<network::Network> m_network;
    network::Result m_result;
};

} // namespace ui
