#include "ui/network_handlings.h"

#include "network/network_sheet.h"
#include "network/tables.h"
#include "pipes/catalogue.h"
#include "steam/properties.h"

#include <algorithm>
#include <set>
#include <utility>

namespace ui {

void NetworkHandlings::fillLists() {
    int index = 0;
    for (const steam::PressureUnit& unit : steam::kPressureUnits)
        m_controls.unit.addItem(unit.label, index++);
    index = 0;
    for (const pipes::SeriesNames& series : pipes::kSeries)
        m_controls.series.addItem(series.shown, index++);
}

void NetworkHandlings::show(const network::NetworkTexts& texts) {
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

void NetworkHandlings::segments_CellChange(int, int) {
    calculate();
}

void NetworkHandlings::pipeItems() {
    const std::optional<pipes::Series> series = pipes::seriesShownAs(m_controls.series.text());
    std::vector<std::string> items;
    items.emplace_back(network::kAutoShown);
    if (series)
        for (const pipes::CataloguePipe& pipe : pipes::catalogue(*series))
            items.push_back(pipes::shownPipeName(pipe.name));
    m_controls.segments.setColumnItems(network::Pipe, items);
}

void NetworkHandlings::setRow(int row, const network::SegmentTexts& cells) {
    const bool filling = std::exchange(m_filling, true);
    for (int column = 0; column < network::kColumns; ++column)
        m_controls.segments.setCell(row, column, cells[static_cast<std::size_t>(column)]);
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
    std::string from;
    if (current >= 0)
        from = network::trimmed(grid.cell(current, network::To));
    if (from.empty())
        from = network::trimmed(m_controls.node.text());
    const std::string name = std::to_string(number);
    const int at = current >= 0 ? current + 1 : rows;
    grid.insertRow(at);
    setRow(at, {name, from, name, "100", "30", std::string(network::kAutoShown), "0", ""});
    grid.setCurrentRow(at);
    calculate();
}

void NetworkHandlings::removeSegment() {
    controls::Grid& grid = m_controls.segments;
    const int current = grid.currentRow();
    if (current < 0)
        return;
    grid.removeRow(current);
    if (grid.rowCount() > 0)
        grid.setCurrentRow(std::min(current, grid.rowCount() - 1));
    calculate();
}

void NetworkHandlings::moveSegment(int by) {
    controls::Grid& grid = m_controls.segments;
    const int current = grid.currentRow();
    const int target = current + by;
    if (current < 0 || target < 0 || target >= grid.rowCount())
        return;
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
    if (static_cast<std::size_t>(index) >= m_result.segments.size())
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
    // The row the user selected stays selected while the table is filled anew.
    const int selected = c.results.selectedIndex();
    c.results.clear();
    c.nodes.clear();
    m_network.reset();
    m_result = {};
    c.unitNote.setCaption("表中压力的单位：" + texts.unit);
    network::TextReading reading = readTexts(texts);
    if (reading.network && reading.network->segments.empty()) {
        c.status.setStatus("管网中还没有管段：点击“添加”输入第一段", false);
        c.handOff.setEnabled(false);
    } else if (reading.network) {
        m_result = network::solve(*reading.network);
        // Empty when it is solved; else the steam left the range on its way.
        reading.fault = m_result.fault;
        if (reading.fault.empty())
            m_network = std::move(reading.network);
    }
    if (!m_network) {
        if (!reading.fault.empty()) {
            c.status.setStatus(reading.fault, true);
            c.handOff.setEnabled(false);
        }
        m_changed(texts);
        return;
    }
    const network::Network& network = *m_network;
    for (std::size_t i = 0; i < m_result.segments.size(); ++i) {
        c.results.addItem(
            network::windowRow(network::SegmentLine{network.segments[i], m_result.segments[i]}),
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
    const network::Status status = resultStatus(network, m_result);
    c.status.setStatus(status.text, status.warned);
    c.handOff.setEnabled(true);
    m_changed(texts);
}

std::optional<sheet::Sheet> NetworkHandlings::sheet(std::string_view date) const {
    if (!m_network || !m_result.fault.empty())
        return std::nullopt;
    return network::networkSheet(*m_network, m_result, date);
}

} // namespace ui
