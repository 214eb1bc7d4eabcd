#pragma once

#include "network/network.h"
#include "network/report.h"
#include "network/segment_rows.h"
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
    void moveSegment(int by);

    // The grid as a spreadsheet (ui/network_editing.cpp). The selection as tab-separated rows
    // under their headings; none while nothing is selected.
    std::optional<std::string> copyText() const;
    // Whole rows selected are removed, cells emptied; one step.
    void cutSelection();
    // The Delete key: the selected cells emptied, one step.
    void clearSelection();
    // The rows the selection spans, or the current row; one step.
    void removeSegments();
    // Tab-separated rows from the clipboard over the selection where it is more than one cell,
    // else as new rows below the current row (at the end where none is current); or at the end.
    // A text that cannot be read is refused in the status line, naming its row and column.
    enum class Placement { AtSelection, AtEnd };
    void pasteRows(std::string_view text, Placement placement);
    // Rows read from a file, appended; one step.
    void importRows(const network::SegmentRows& rows);

    // The pictures (ui/network_pictures.cpp). A node picked in the node table or in the tree is
    // where the profile goes from then on, while the network has a node of its name; a segment
    // clicked in the tree is selected in the grid and in the result table.
    void nodes_Select();
    void pictures_NodeClick(std::size_t node);
    void pictures_SegmentClick(std::size_t segment);

    // The linked tables (ui/network_links.cpp): a segment the user makes current in the grid or
    // selects in the results, or a node selected in the node table or the tree, is shown in the
    // other places too: the segment current in the grid, its result row and the row of the node
    // it feeds selected. Only the user's selecting raises a handling, so none comes back round.
    void segments_RowChange();
    void results_Select();
    // Shows the most unfavourable user, the segment feeding it, and draws the profile to it;
    // false where no network is computed or none of its nodes is a user.
    bool goToWorst();

    // The network last computed and its result; none while the inputs are at fault, whatever
    // the greyed tables still show.
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
    static network::SegmentTexts newRowCells();
    void emptyCells(const controls::CellRange& range, std::string_view verb);
    void removeRows(int top, int bottom, std::string_view verb);
    // Puts the rows' cells into the grid from row `at`: over the rows there where `over`, new
    // rows else (and beyond the last row), and makes `at` current.
    void putRows(const network::SegmentRows& rows, int at, bool over);
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
    // The faults at their place (ui/network_faults.cpp). Marks every cell that cannot be used,
    // and the edited cell with the cell its edit put at fault; returns the words the status line
    // says of the first fault: what the edit did, where it put a fault elsewhere.
    std::string markFaults(const network::NetworkTexts& texts, const network::TextReading& reading);
    // The last computed network's tables, and then its pictures, kept but greyed where there
    // are any, until the network computes again; else nothing shown, the pictures saying `why`.
    void staleTables(const std::string& unit);
    void stalePictures(std::string_view why);
    // Draws the network shown, the profile to the node picked.
    void drawPictures();
    // Where the user selected a segment or a node: that control shows it already.
    enum class Link { Grid, Results, Nodes, Elsewhere };
    // Segment i is the grid's row i and the results' row i, and feeds node i + 1 (node 0 is the
    // source): rows addressed by their items' indexes, as a sorted table still finds them.
    void showSegment(std::size_t segment, Link from);

    NetworkControls m_controls;
    Changed m_changed;
    SolveExecutor m_executor;
    // The name of the step under way; taken by the change that ends it.
    std::string m_step;
    // The cell the user's change under way edited; taken by the change's calculation.
    std::optional<network::CellPlace> m_edited;
    // A fault an edit made in another cell: the fault's own words, the edited cell and what the
    // status line says; kept while the fault is the same.
    struct Cause {
        std::string fault;
        network::CellPlace edited;
        std::string said;
    };
    std::optional<Cause> m_cause;
    // The first fault of the inputs at the last change; empty where there was none.
    std::string m_lastFault;
    // What the tables and pictures show: nothing, a computed network, its figures greyed, or
    // the figures of a network no longer in the window, which are not to be kept.
    enum class Shown { Nothing, Live, Stale, Another };
    Shown m_shown = Shown::Nothing;
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
