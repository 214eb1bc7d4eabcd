#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/qt_control.h"

namespace controls::qt {

class PicturesWidget;

// Lays the tree out in its view's font and works out the profile from what it is given; a click
// in the tree raises its click with the index of what it is on.
class QtNetworkPictures final : public NetworkPictures, public OverWidget {
public:
    explicit QtNetworkPictures(PicturesWidget* pictures);
    void show(const network::Network& network, const network::Result& result,
              std::optional<std::size_t> node) override;
    void showNone(std::string_view why) override;
    void setStale() override;
    void onSegmentClick(PickHandler handler) override { m_onSegment = std::move(handler); }
    void onNodeClick(PickHandler handler) override { m_onNode = std::move(handler); }

private:
    PicturesWidget* m_pictures;
    PickHandler m_onSegment;
    PickHandler m_onNode;
};

} // namespace controls::qt
