#include "ui/network_handlings.h"

#include <cstddef>
#include <utility>

// The network window's faults at their place: each cell that cannot be used marked in the grid
// with its words, the cell an edit put at fault elsewhere named with the edit that did it, and
// the last computed network's figures kept, greyed, while the inputs are at fault, so that the
// user mends the cells one after another without losing sight of the results.
namespace ui {

std::string NetworkHandlings::markFaults(const network::NetworkTexts& texts,
                                         const network::TextReading& reading) {
    const std::optional<network::CellPlace> edited = std::exchange(m_edited, std::nullopt);
    const std::string made = edited ? network::editFault(reading, texts, *edited) : std::string();
    // What the edit made is a fault the inputs did not have before it, or the same cell edited
    // again; a fault that outlives other changes keeps the edit that made it.
    if (!made.empty() && (reading.fault != m_lastFault || (m_cause && m_cause->edited == *edited)))
        m_cause = Cause{reading.fault, *edited, made};
    else if (m_cause && (reading.network || m_cause->fault != reading.fault))
        m_cause.reset();
    m_lastFault = reading.fault;

    controls::Grid& grid = m_controls.segments;
    const auto rows = static_cast<std::size_t>(grid.rowCount());
    std::vector<std::string> marks(rows * network::kColumns);
    const auto mark = [&](const network::CellPlace& place, const std::string& words) {
        if (place.row < rows)
            marks[place.row * network::kColumns + place.column] = words;
    };
    for (const network::CellFault& fault : reading.cells)
        mark(fault.place, fault.words);
    if (m_cause && reading.place) {
        mark(*reading.place, m_cause->said);
        mark(m_cause->edited, m_cause->said);
    }
    // Every cell's mark anew, from what the cell shows: a mark moves with its row as rows are
    // added, removed or moved, and goes with its text.
    for (std::size_t row = 0; row < rows; ++row)
        for (int column = 0; column < network::kColumns; ++column) {
            const std::string& why =
                marks[row * network::kColumns + static_cast<std::size_t>(column)];
            if (grid.cellFault(static_cast<int>(row), column) != why)
                grid.setCellFault(static_cast<int>(row), column, why);
        }
    return m_cause ? m_cause->said : reading.fault;
}

// The unit's note stays with greyed tables, whose figures are in the unit it names.
void NetworkHandlings::staleTables(const std::string& unit) {
    m_network.reset();
    if (m_shown == Shown::Live) {
        m_controls.results.setStale(true);
        m_controls.nodes.setStale(true);
    } else if (m_shown != Shown::Stale) {
        m_controls.results.clear();
        m_controls.nodes.clear();
        m_controls.unitNote.setCaption("表中压力的单位：" + unit);
    }
}

void NetworkHandlings::stalePictures(std::string_view why) {
    if (m_shown == Shown::Live) {
        m_controls.pictures.setStale();
        m_shown = Shown::Stale;
    } else if (m_shown != Shown::Stale) {
        m_controls.pictures.showNone(why);
        m_shown = Shown::Nothing;
    }
}

} // namespace ui
