#pragma once

#include "network/network.h"
#include "network/report.h"
#include "network/texts.h"
#include "sheet/sheet.h"
#include "ui/controls/controls.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
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
    controls::NetworkPictures& pictures;
    controls::StatusText& status;
    controls::PushButton& handOff; // Network.showInMain
    // The 散热 group.
    controls::OptionButton& heatOff;
    controls::OptionButton& heatOn;
    controls::TextBox& ambient;
    controls::TextBox& wind;
    controls::DropDownList& material;
    controls::TextBox& conductivity;
    controls::TextBox& emissivity;
    controls::TextBox& surfaceCoefficient;
    controls::TextBox& factor;
    controls::DropDownList& operation;
};

// Runs a network's solve and hands its result to `done` on the window's own thread, now or
// later: at once by default (the tests and the replay tool, whose logs must not depend on a
// clock), on a worker by the toolkit's window, so that typing never waits for a network with heat
// loss. `done` may be called after the handlings are gone; they then ignore it.
using SolveJob = std::function<network::Result()>;
using SolveDone = std::function<void(network::Result)>;
using SolveExecutor = std::function<void(SolveJob job, SolveDone done)>;
void solveAtOnce(SolveJob job, SolveDone done);

// The network window's input handlings: every change reads the inputs, solves the network and
// fills both tables anew; a fault is said in the status line, never in a message box, since a
// box at every keystroke would make the grid unusable.
class NetworkHandlings {
public:
    // `changed` hears the texts after each change has been shown, with the name of the step
    // that made it (empty for the program's own filling, which is no step of the user's).
    using Changed = std::function<void(const network::NetworkTexts&, const std::string& step)>;
    NetworkHandlings(NetworkControls controls, Changed changed,
                     SolveExecutor executor = solveAtOnce)
        : m_controls(controls), m_changed(std::move(changed)),
          m_executor(executor ? std::move(executor) : solveAtOnce) {}

    // Fills the lists' items; once, before the first show.
    void fillLists();
    // Puts the texts into the controls and shows their results once.
    void show(const network::NetworkTexts& texts);
    // The same for texts taken back by undo or redo: the node the user picked stays picked where
    // the network still has it, and `row` is made current where the grid has it.
    void restore(const network::NetworkTexts& texts, int row);

    // Names the step the next change makes, as the history will offer to undo it
    // (删除第 3 段); a change with no name given is named by the control that made it. None
    // while the program fills the controls: their changes then are no step of the user's, and
    // false is returned.
    bool nameStep(std::string name) {
        if (m_filling)
            return false;
        m_step = std::move(name);
        return true;
    }

    void Text_Change() { calculate(); }
    void unit_Click() { calculate(); }
    void Option_Click();
    void series_Click();
    // The 散热 group switched on or off, and its material picked.
    void heat_Click();
    void material_Click();
    void segments_CellChange(int row, int column);

    // A new segment after the current one, or at the end: the next free name, from the current
    // segment's end or the source, a new end node, the automatic pipe.
    void addSegment();
    void removeSegment();
    void moveSegment(int by);

    // The pictures (ui/network_pictures.cpp). A node picked in the node table or in the tree is
    // where the profile goes from then on, while the network has a node of its name; a segment
    // clicked in the tree is selected in the grid and in the result table.
    void nodes_Select();
    void pictures_NodeClick(std::size_t node);
    void pictures_SegmentClick(std::size_t segment);

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
    // Puts the texts into the controls, then calculates once.
    void fill(const network::NetworkTexts& texts);
    void calculate();
    void pipeItems();
    void setRow(int row, const network::SegmentTexts& cells);
    // The pipe cell in the window's spelling of its pipe, marked where its size is not of the
    // series.
    void spellPipe(int row);
    // The 散热 group (ui/network_heat.cpp).
    void fillHeatLists();
    network::HeatTexts readHeat() const;
    void showHeat(const network::HeatTexts& texts);
    void enableHeat();
    // Solves the network waiting, where none is being solved; shows its result where the
    // inputs have not changed since.
    void solveWaiting();
    // Fills both tables and the status line with a network's result.
    void showResult(network::Network network, network::Result result, const std::string& unit);
    // Draws the network shown, the profile to the node picked.
    void drawPictures();

    NetworkControls m_controls;
    Changed m_changed;
    SolveExecutor m_executor;
    // The name of the step under way; taken by the change that ends it.
    std::string m_step;
    // While the program fills the controls, their changes wait for the one calculation after.
    bool m_filling = false;
    std::optional<network::Network> m_network;
    network::Result m_result;
    // The node the user picked, by its name: its place changes as segments are added or moved.
    std::optional<std::string> m_picked;
    // Counts the inputs' changes: a result of an older count is of inputs no longer shown.
    unsigned m_generation = 0;
    bool m_running = false;
    // The latest inputs to be solved once the running solve is done; only the latest.
    std::optional<network::Network> m_waiting;
    std::string m_waitingUnit;
    // Gone with the handlings: a result that arrives later finds it expired.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

} // namespace ui
