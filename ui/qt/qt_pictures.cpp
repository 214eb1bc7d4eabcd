#include "ui/qt/qt_pictures.h"

#include "network/profile.h"
#include "ui/qt/convert.h"
#include "ui/qt/widgets/pictures.h"
#include "ui/qt/widgets/profile_view.h"
#include "ui/qt/widgets/tree_view.h"

namespace controls::qt {

QtNetworkPictures::QtNetworkPictures(PicturesWidget* pictures)
    : OverWidget(pictures), m_pictures(pictures) {
    m_pictures->tree()->onNodeClick([this](std::size_t node) {
        if (m_onNode)
            m_onNode(node);
    });
    m_pictures->tree()->onSegmentClick([this](std::size_t segment) {
        if (m_onSegment)
            m_onSegment(segment);
    });
}

void QtNetworkPictures::show(const network::Network& network, const network::Result& result,
                             std::optional<std::size_t> node) {
    m_pictures->setStale(false);
    m_pictures->tree()->setNetwork(network, result);
    m_pictures->enableZoom(true);
    if (std::optional<network::Profile> profile = network::profile(network, result, node))
        m_pictures->profile()->setProfile(std::move(*profile));
    else
        m_pictures->profile()->setNone(QString::fromUtf8("没有到该节点的压力曲线"));
}

void QtNetworkPictures::showNone(std::string_view why) {
    m_pictures->setStale(false);
    m_pictures->tree()->setNone(fromUtf8(why));
    m_pictures->profile()->setNone(fromUtf8(why));
    m_pictures->enableZoom(false);
}

void QtNetworkPictures::setStale() {
    m_pictures->setStale(true);
}

} // namespace controls::qt
