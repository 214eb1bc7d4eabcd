#include "ui/network_handlings.h"

#include "network/network_sheet.h"
#include "network/tables.h"
#include "pipes/catalogue.h"
#include "steam/properties.h"

#include <algorithm>
#include <set>
#include <utility>

namespace ui {

void solveAtOnce(SolveJob job, SolveDone done) {
    done(job());
}

void NetworkHandlings::fillLists() {
    int index = 0;
    for (const steam::PressureUnit& unit : steam::kPressureUnits)
        m_controls.unit.addItem(unit.label, index++);
    index = 0;
    for (const pipes::SeriesNames& series : pipes::kSeries)
        m_controls.series.addItem(series.shown, index++);
    fillHeatLists();
}

void NetworkHandlings::show(const network::NetworkTexts& texts) {
    // Another network: its own most unfavourable user first, and none of the last one's figures
    // kept for it.
    m_picked.reset();
    if (m_shown != Shown::Nothing)
        m_shown = Shown::Another;
    m_cause.reset();
    fill(texts);
}

// A step of the history taken back or again: the same network as it was, no edit of a cell's.
void NetworkHandlings::restore(const network::NetworkTexts& texts, int row) {
    m_cause.reset();
    fill(texts);
    if (row >= 0 && row < m_controls.segments.rowCount())
        m_controls.segments.setCurrentRow(row);
}

void NetworkHandlings::fill(const network::NetworkTexts& texts) {
    auto& c = m_controls;
    m_filling = true;
    c.node.setText(texts.node);
    c.pressure.setText(texts.pressure);
    c.unit.setText(texts.unit);
    (texts.superheated ? c.superheated : c.saturated).setChecked(true);
    c.temperature.setText(texts.temperature);
    c.temperature.setEnabled(texts.superheated);
    c.roughness.setText(texts.roughness);
    c.series.setText(texts.series);
    pipeItems();
    c.limit.setText(texts.limit);
    c.title.setText(texts.title);
    showHeat(texts.heat);
    const int rows = static_cast<int>(texts.segments.size());
    while (c.segments.rowCount() > rows)
        c.segments.removeRow(c.segments.rowCount() - 1);
    while (c.segments.rowCount() < rows)
        c.segments.insertRow(c.segments.rowCount());
    for (int row = 0; row < rows; ++row)
        setRow(row, texts.segments[static_cast<std::size_t>(row)]);
    m_filling = false;
    calculate();
}

void NetworkHandlings::Option_Click() {
    m_controls.temperature.setEnabled(m_controls.superheated.isChecked());
    calculate();
}

void NetworkHandlings::series_Click() {
    pipeItems();
    calculate();
}

void NetworkHandlings::segments_CellChange(int row, int column) {
    if (column == network::Pipe)
        spellPipe(row);
    // The program's filling edits no cell of the user's.
    if (!m_filling && row >= 0 && column >= 0 && column < network::kColumns)
        m_edited =
            network::CellPlace{static_cast<std::size_t>(row), static_cast<network::Column>(column)};
    calculate();
}

void NetworkHandlings::spellPipe(int row) {
    controls::Grid& grid = m_controls.segments;
    const std::string typed = grid.cell(row, network::Pipe);
    const network::PipeCellText pipe = network::pipeCell(typed);
    if (pipe.shown != typed) {
        const bool filling = std::exchange(m_filling, true);
        grid.setCell(row, network::Pipe, pipe.shown);
        m_filling = filling;
    }
    if (!pipe.inSeries)
        grid.setCellNote(row, network::Pipe, network::kNonStandardNote);
}

void NetworkHandlings::pipeItems() {
    const std::optional<pipes::Series> series = pipes::seriesShownAs(m_controls.series.text());
    std::vector<std::string> items;
    items.emplace_back(network::kAutoShown);
    if (series)
        for (const pipes::CataloguePipe& pipe : pipes::catalogue(*series))
            items.push_back(pipes::shownPipeName(pipe.name));
    m_controls.segments.setColumnItems(network::Pipe, items);
    // The list opens at the cell's pipe, or the series' nearest bore for one typed in: the pick
    // is most often a size up or down.
    m_controls.segments.setItemFinder(network::Pipe, [series](std::string_view text) {
        if (network::trimmed(text) == network::kAutoShown)
            return 0;
        const pipes::PipeLookup lookup = pipes::pipeNamed(network::trimmed(text));
        if (!series || !lookup.pipe)
            return -1;
        return static_cast<int>(pipes::nearestInSeries(*series, *lookup.pipe)) + 1;
    });
}

void NetworkHandlings::setRow(int row, const network::SegmentTexts& cells) {
    const bool filling = std::exchange(m_filling, true);
    for (int column = 0; column < network::kColumns; ++column)
        m_controls.segments.setCell(row, column, cells[static_cast<std::size_t>(column)]);
    spellPipe(row);
    m_filling = filling;
}

void NetworkHandlings::addSegment() {
    controls::Grid& grid = m_controls.segments;
    const int current = grid.currentRow();
    const int rows = grid.rowCount();
    std::set<std::string> used;
    used.insert(network::trimmed(m_controls.node.text()));
    for (int row = 0; row < rows; ++row)
        for (network::Column column : {network::Name, network::From, network::To})
            used.insert(network::trimmed(grid.cell(row, column)));
    // Segments and their end nodes numbered alike, each number one that names nothing yet.
    int number = rows + 1;
    while (used.contains(std::to_string(number)))
        ++number;
    network::SegmentTexts cells = newRowCells();
    std::string from;
    if (current >= 0)
        from = network::trimmed(grid.cell(current, network::To));
    if (!from.empty()) {
        // A branch is most often insulated and laid as the line it leaves.
        cells[network::Thickness] = grid.cell(current, network::Thickness);
        cells[network::Laid] = grid.cell(current, network::Laid);
    } else {
        from = network::trimmed(m_controls.node.text());
    }
    const std::string name = std::to_string(number);
    cells[network::Name] = name;
    cells[network::From] = from;
    cells[network::To] = name;
    cells[network::Length] = "100";
    const int at = current >= 0 ? current + 1 : rows;
    nameStep("添加第 " + std::to_string(at + 1) + " 段");
    grid.insertRow(at);
    setRow(at, cells);
    // The keyboard at the length, typed as in a spreadsheet: the cells before it are already
    // the next segment on from the current one, and the made-up 100 m is the first figure no
    // real segment keeps; Tab goes on to its losses, pipe and load.
    grid.focusCell(at, network::Length);
    calculate();
}

void NetworkHandlings::moveSegment(int by) {
    controls::Grid& grid = m_controls.segments;
    const int current = grid.currentRow();
    const int target = current + by;
    if (current < 0 || target < 0 || target >= grid.rowCount())
        return;
    nameStep((by < 0 ? "上移第 " : "下移第 ") + std::to_string(current + 1) + " 段");
    network::SegmentTexts here, there;
    for (int column = 0; column < network::kColumns; ++column) {
        here[static_cast<std::size_t>(column)] = grid.cell(current, column);
        there[static_cast<std::size_t>(column)] = grid.cell(target, column);
    }
    setRow(current, there);
    setRow(target, here);
    grid.setCurrentRow(target);
    calculate();
}

std::optional<std::size_t> NetworkHandlings::selectedSegment() const {
    // The table holds a row a segment only while a network is computed, and none selected (-1)
    // is beyond every row as an unsigned index.
    const int index = m_controls.results.selectedIndex();
    if (m_shown != Shown::Live || static_cast<std::size_t>(index) >= m_result.segments.size())
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

network::NetworkTexts NetworkHandlings::read() const {
    const auto& c = m_controls;
    network::NetworkTexts texts;
    texts.node = c.node.text();
    texts.pressure = c.pressure.text();
    texts.unit = c.unit.text();
    texts.superheated = c.superheated.isChecked();
    texts.temperature = c.temperature.text();
    texts.roughness = c.roughness.text();
    texts.series = c.series.text();
    texts.limit = c.limit.text();
    texts.title = c.title.text();
    texts.heat = readHeat();
    for (int row = 0; row < c.segments.rowCount(); ++row) {
        network::SegmentTexts& cells = texts.segments.emplace_back();
        for (int column = 0; column < network::kColumns; ++column)
            cells[static_cast<std::size_t>(column)] = c.segments.cell(row, column);
    }
    return texts;
}

void NetworkHandlings::calculate() {
    if (m_filling)
        return;
    auto& c = m_controls;
    const network::NetworkTexts texts = read();
    // Whatever is on its way is of the inputs before this change.
    ++m_generation;
    m_waiting.reset();
    network::TextReading reading = readTexts(texts);
    const std::string said = markFaults(texts, reading);
    // With heat loss a solve may take longer than a frame: it goes to the executor, and the
    // tables keep their figures until its result is in.
    if (reading.network && !reading.network->segments.empty() && reading.network->heatLoss) {
        m_waiting = std::move(reading.network);
        m_waitingUnit = texts.unit;
        solveWaiting();
        if (m_running) {
            c.status.setStatus("正在计算…", false);
            c.handOff.setEnabled(false);
        }
        m_changed(texts, std::exchange(m_step, {}));
        return;
    }
    if (reading.network && !reading.network->segments.empty()) {
        network::Result result = network::solve(*reading.network);
        showResult(std::move(*reading.network), std::move(result), texts.unit);
    } else if (reading.network) {
        c.results.clear();
        c.nodes.clear();
        m_shown = Shown::Nothing;
        m_network.reset();
        m_result = {};
        c.unitNote.setCaption("表中压力的单位：" + texts.unit);
        c.status.setStatus("管网中还没有管段：点击“添加”输入第一段", false);
        c.pictures.showNone("管网中还没有管段");
        c.handOff.setEnabled(false);
    } else {
        m_result = {};
        staleTables(texts.unit);
        c.status.setStatus(said, true);
        stalePictures("输入有误，没有可画的管网");
        c.handOff.setEnabled(false);
    }
    m_changed(texts, std::exchange(m_step, {}));
}

void NetworkHandlings::solveWaiting() {
    if (m_running || !m_waiting)
        return;
    m_running = true;
    auto network = std::make_shared<const network::Network>(std::move(*m_waiting));
    m_waiting.reset();
    const unsigned generation = m_generation;
    const std::weak_ptr<int> alive = m_alive;
    m_executor([network] { return network::solve(*network); },
               [this, alive, network, generation, unit = m_waitingUnit](network::Result result) {
                   if (alive.expired())
                       return;
                   m_running = false;
                   // A result of inputs changed since is dropped; the latest are solved next.
                   if (generation == m_generation)
                       showResult(*network, std::move(result), unit);
                   solveWaiting();
               });
}

void NetworkHandlings::showResult(network::Network network, network::Result result,
                                  const std::string& unit) {
    auto& c = m_controls;
    // The rows the user selected stay selected while the tables are filled anew.
    const int selected = c.results.selectedIndex();
    const int node = c.nodes.selectedIndex();
    // Empty when it is solved; else the steam left the range on its way, or the flows with
    // heat loss did not settle.
    if (!result.fault.empty()) {
        m_result = std::move(result);
        staleTables(unit);
        c.status.setStatus(m_result.fault, true);
        c.handOff.setEnabled(false);
        stalePictures("管网未能算出，没有可画的管网");
        return;
    }
    c.results.clear();
    c.nodes.clear();
    m_shown = Shown::Live;
    m_result = std::move(result);
    c.unitNote.setCaption("表中压力的单位：" + unit);
    m_network = std::move(network);
    const network::Network& shown = *m_network;
    for (std::size_t i = 0; i < m_result.segments.size(); ++i) {
        c.results.addItem(
            network::windowRow(network::SegmentLine{shown.segments[i], m_result.segments[i]}),
            static_cast<int>(i));
        c.results.setRowLook(static_cast<int>(i), network::segmentLook(m_result.segments[i]));
    }
    for (std::size_t i = 0; i < m_result.nodes.size(); ++i) {
        c.nodes.addItem(network::windowRow(m_result.nodes[i]), static_cast<int>(i));
        c.nodes.setRowLook(static_cast<int>(i), network::nodeLook(m_result, i));
    }
    // None selected (-1) is beyond every row as an unsigned index.
    if (static_cast<std::size_t>(selected) < m_result.segments.size())
        c.results.showRow(selected);
    if (static_cast<std::size_t>(node) < m_result.nodes.size())
        c.nodes.showRow(node);
    // Three names a list: the line stays within two lines, the tables show the rest.
    const network::Status status = resultStatus(shown, m_result, 3);
    c.status.setStatus(status.text, status.warned);
    // It names the most unfavourable user, a click away.
    c.status.setClickable(m_result.worstNode.has_value());
    c.handOff.setEnabled(true);
    drawPictures();
}

std::optional<sheet::Sheet> NetworkHandlings::sheet(std::string_view date) const {
    if (!m_network || !m_result.fault.empty())
        return std::nullopt;
    return network::networkSheet(*m_network, m_result, date);
}

} // namespace ui
