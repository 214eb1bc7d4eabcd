#pragma once

#include "network/network.h"
#include "ui/controls/memory_control.h"

#include <optional>
#include <string>

namespace controls::memory {

// Keeps what it was last given to draw. It logs nothing: what it draws is the tables' figures,
// which their own operations log.
class MemoryNetworkPictures final : public Control, public NetworkPictures {
public:
    using Control::Control;

    void show(const network::Network& network, const network::Result& result,
              std::optional<std::size_t> node) override;
    void showNone(std::string_view why) override;
    void setStale() override { m_stale = true; }
    void onSegmentClick(PickHandler handler) override { m_onSegment = std::move(handler); }
    void onNodeClick(PickHandler handler) override { m_onNode = std::move(handler); }

    // The network drawn, none while the pictures say why not.
    const std::optional<network::Network>& network() const { return m_network; }
    const network::Result& result() const { return m_result; }
    // The node the profile was asked to end at; none for the most unfavourable user.
    std::optional<std::size_t> node() const { return m_node; }
    // What the pictures say in place of a drawing; empty while they draw one.
    const std::string& said() const { return m_said; }
    // Whether what is drawn is greyed as of inputs no longer shown.
    bool stale() const { return m_stale; }
    // How many times they were drawn anew.
    int drawn() const { return m_drawn; }

    // The user clicks a segment or a node in the tree; one the tree does not draw does nothing.
    void userClickSegment(std::size_t segment);
    void userClickNode(std::size_t node);

private:
    std::optional<network::Network> m_network;
    network::Result m_result;
    std::optional<std::size_t> m_node;
    std::string m_said;
    int m_drawn = 0;
    bool m_stale = false;
    PickHandler m_onSegment;
    PickHandler m_onNode;
};

} // namespace controls::memory
