#include "ui/network_handlings.h"

#include <algorithm>

// The network window's pictures: drawn at every result the tables show, the profile to the node
// the user picked in the node table or the tree.
namespace ui {

void NetworkHandlings::drawPictures() {
    if (!m_network)
        return;
    std::optional<std::size_t> node;
    if (m_picked) {
        const auto& nodes = m_result.nodes;
        const auto found =
            std::find_if(nodes.begin(), nodes.end(),
                         [&](const network::NodeResult& n) { return n.name == *m_picked; });
        if (found != nodes.end())
            node = static_cast<std::size_t>(found - nodes.begin());
    }
    m_controls.pictures.show(*m_network, m_result, node);
}

void NetworkHandlings::nodes_Select() {
    // None selected (-1) is beyond every row as an unsigned index.
    const auto index = static_cast<std::size_t>(m_controls.nodes.selectedIndex());
    if (!m_network || index >= m_result.nodes.size())
        return;
    m_picked = m_result.nodes[index].name;
    // The source is fed by no segment.
    if (index > 0)
        showSegment(index - 1, Link::Nodes);
    drawPictures();
}

void NetworkHandlings::pictures_NodeClick(std::size_t node) {
    if (!m_network || node >= m_result.nodes.size())
        return;
    m_picked = m_result.nodes[node].name;
    m_controls.nodes.showRow(static_cast<int>(node));
    if (node > 0)
        showSegment(node - 1, Link::Nodes);
    drawPictures();
}

void NetworkHandlings::pictures_SegmentClick(std::size_t segment) {
    if (!m_network || segment >= m_result.segments.size())
        return;
    showSegment(segment, Link::Elsewhere);
}

} // namespace ui
