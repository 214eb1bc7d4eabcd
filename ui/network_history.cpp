#include "ui/network_history.h"

namespace ui {

std::size_t textBytes(const network::NetworkTexts& texts) {
    std::size_t bytes = sizeof texts;
    for (const std::string* text :
         {&texts.node, &texts.pressure, &texts.unit, &texts.temperature, &texts.roughness,
          &texts.series, &texts.limit, &texts.title, &texts.heat.ambient, &texts.heat.wind,
          &texts.heat.material, &texts.heat.conductivity, &texts.heat.emissivity,
          &texts.heat.surfaceCoefficient, &texts.heat.factor, &texts.heat.operation})
        bytes += text->size();
    for (const network::SegmentTexts& segment : texts.segments) {
        bytes += sizeof segment;
        for (const std::string& cell : segment)
            bytes += cell.size();
    }
    return bytes;
}

void NetworkHistory::reset(const network::NetworkTexts& texts) {
    const std::size_t bytes = textBytes(texts);
    m_states.assign(1, State{.name = {}, .texts = texts, .bytes = bytes});
    m_at = 0;
    m_bytes = bytes;
    m_mergeable = false;
}

const network::NetworkTexts& NetworkHistory::current() const {
    return m_states[m_at].texts;
}

void NetworkHistory::record(const std::string& name, const network::NetworkTexts& texts,
                            int rowBefore, int rowAfter, bool merge) {
    if (texts == current())
        return;
    for (std::size_t i = m_at + 1; i < m_states.size(); ++i)
        m_bytes -= m_states[i].bytes;
    m_states.resize(m_at + 1);
    const std::size_t bytes = textBytes(texts);
    if (merge && m_mergeable && m_at > 0 && m_states[m_at].name == name) {
        State& last = m_states[m_at];
        m_bytes = m_bytes - last.bytes + bytes;
        last.texts = texts;
        last.rowAfter = rowAfter;
        last.bytes = bytes;
    } else {
        m_states.push_back({.name = name,
                            .texts = texts,
                            .rowBefore = rowBefore,
                            .rowAfter = rowAfter,
                            .bytes = bytes});
        m_bytes += bytes;
        ++m_at;
    }
    m_mergeable = merge;
    bound();
}

void NetworkHistory::bound() {
    std::size_t drop = 0;
    std::size_t bytes = m_bytes;
    while (drop < m_at && (m_at - drop > m_stepLimit || bytes > m_byteLimit))
        bytes -= m_states[drop++].bytes;
    if (drop == 0)
        return;
    m_states.erase(m_states.begin(), m_states.begin() + static_cast<std::ptrdiff_t>(drop));
    m_at -= drop;
    m_bytes = bytes;
    // The oldest state kept is where undo stops: no step leads to it any more.
    m_states.front().name.clear();
}

std::optional<std::string> NetworkHistory::undoName() const {
    if (m_at == 0)
        return std::nullopt;
    return m_states[m_at].name;
}

std::optional<std::string> NetworkHistory::redoName() const {
    if (m_at + 1 >= m_states.size())
        return std::nullopt;
    return m_states[m_at + 1].name;
}

std::optional<NetworkHistory::Restore> NetworkHistory::undo() {
    if (m_at == 0)
        return std::nullopt;
    const int row = m_states[m_at].rowBefore;
    --m_at;
    m_mergeable = false;
    return Restore{m_states[m_at].texts, row};
}

std::optional<NetworkHistory::Restore> NetworkHistory::redo() {
    if (m_at + 1 >= m_states.size())
        return std::nullopt;
    ++m_at;
    m_mergeable = false;
    return Restore{m_states[m_at].texts, m_states[m_at].rowAfter};
}

} // namespace ui
