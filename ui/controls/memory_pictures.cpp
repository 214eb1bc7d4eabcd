#include "ui/controls/memory_pictures.h"

namespace controls::memory {

void MemoryNetworkPictures::show(const network::Network& network, const network::Result& result,
                                 std::optional<std::size_t> node) {
    m_network = network;
    m_result = result;
    m_node = node;
    m_said.clear();
    m_stale = false;
    ++m_drawn;
}

void MemoryNetworkPictures::showNone(std::string_view why) {
    m_network.reset();
    m_result = {};
    m_node.reset();
    m_said = why;
    m_stale = false;
}

void MemoryNetworkPictures::userClickSegment(std::size_t segment) {
    if (m_network && segment < m_result.segments.size() && m_onSegment)
        m_onSegment(segment);
}

void MemoryNetworkPictures::userClickNode(std::size_t node) {
    if (m_network && node < m_result.nodes.size() && m_onNode)
        m_onNode(node);
}

} // namespace controls::memory
