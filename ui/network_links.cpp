#include "ui/network_handlings.h"
#include "ui/network_window.h"

// The network window's linked tables: the grid, the results and the node table kept on one
// segment as the user selects in any of them, so that a long network's figures are found without
// scrolling three tables apart; and the way to its most unfavourable user.
namespace ui {

void NetworkHandlings::showSegment(std::size_t segment, Link from) {
    const int row = static_cast<int>(segment);
    if (from != Link::Grid)
        m_controls.segments.setCurrentRow(row);
    if (from != Link::Results)
        m_controls.results.showRow(row);
    if (from != Link::Nodes)
        m_controls.nodes.showRow(row + 1);
}

void NetworkHandlings::segments_RowChange() {
    // While the inputs are at fault the tables hold no rows; none current (-1) is beyond every
    // segment as an unsigned index.
    const auto row = static_cast<std::size_t>(m_controls.segments.currentRow());
    if (m_network && row < m_result.segments.size())
        showSegment(row, Link::Grid);
}

void NetworkHandlings::results_Select() {
    if (const std::optional<std::size_t> segment = selectedSegment(); m_network && segment)
        showSegment(*segment, Link::Results);
}

bool NetworkHandlings::goToWorst() {
    if (!m_network || !m_result.worstNode)
        return false;
    const std::size_t worst = *m_result.worstNode;
    m_picked = m_result.nodes[worst].name;
    m_controls.nodes.showRow(static_cast<int>(worst));
    // A user is a segment's end, never the source.
    showSegment(worst - 1, Link::Nodes);
    drawPictures();
    return true;
}

void NetworkWindow::linkTables() {
    auto& c = m_controls;
    auto& n = m_network;
    c.segments.onCurrentRowChange(
        traced(m_trace, "Network.segments_RowChange", [&n] { n.segments_RowChange(); }));
    c.results.onSelect(traced(m_trace, "Network.results_Select", [&n] { n.results_Select(); }));
    c.goToWorst.onClick([this] { goToWorst_Click(); });
    c.status.onClick([this] { status_Click(); });
}

void NetworkWindow::goToWorst_Click() {
    announce(m_trace, "Network.goToWorst_Click");
    if (m_network.goToWorst())
        return;
    // Said as a refusal, which leaves the status line's reason for its own to repeat.
    const std::string why = m_network.network()
                                ? "管网中没有用户（终点负荷或要求压力），无从转到最不利用户。"
                                : "没有算出的管网，无从转到最不利用户。";
    m_status.shown().setStatus(why + m_status.text(), true);
}

// The line is clickable only while it names the user.
void NetworkWindow::status_Click() {
    announce(m_trace, "Network.status_Click");
    m_network.goToWorst();
}

} // namespace ui
