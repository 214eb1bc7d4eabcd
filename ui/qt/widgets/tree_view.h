#pragma once

#include "network/network.h"
#include "network/tree_layout.h"

#include <QAbstractScrollArea>

#include <cstddef>
#include <functional>
#include <optional>

namespace controls::qt {

// The network's tree, scrolled and zoomed: Ctrl with the wheel, Ctrl++ and Ctrl+− zoom about the
// pointer or the middle, Ctrl+0 fits the whole tree to the view. A click on a node or a segment
// is handed on by its index; with nothing to draw it says why in grey.
class TreeView final : public QAbstractScrollArea {
public:
    using Picked = std::function<void(std::size_t index)>;

    explicit TreeView(QWidget* parent);
    // The tree of a computed network, laid out in this view's font; the zoom the user chose
    // stays, and the first tree is fitted to the view.
    void setNetwork(const network::Network& network, const network::Result& result);
    void setNone(const QString& why);
    bool hasTree() const { return m_layout.has_value(); }
    // What it says in place of a tree.
    const QString& none() const { return m_none; }
    void onNodeClick(Picked picked) { m_onNode = std::move(picked); }
    void onSegmentClick(Picked picked) { m_onSegment = std::move(picked); }

    double zoom() const { return m_zoom; }
    // About `at`, a point of the viewport; its middle where none is given.
    void zoomBy(double factor, std::optional<QPointF> at = std::nullopt);
    void fit();
    // Where the tree draws a node's dot and a segment's label, in the viewport's coordinates;
    // none for one it does not draw.
    std::optional<QPointF> nodeAt(std::size_t node) const;
    std::optional<QPointF> segmentAt(std::size_t segment) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void layOut();
    void updateBars();
    QPointF toTree(QPointF viewport) const;
    QPointF toViewport(QPointF tree) const;

    std::optional<network::Network> m_network;
    network::Result m_result;
    std::optional<network::TreeLayout> m_layout;
    QString m_none;
    double m_zoom = 1;
    bool m_fitted = false;
    Picked m_onNode;
    Picked m_onSegment;
};

} // namespace controls::qt
