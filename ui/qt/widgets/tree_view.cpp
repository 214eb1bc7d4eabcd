#include "ui/qt/widgets/tree_view.h"

#include "ui/qt/widgets/pictures.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace controls::qt {

namespace {

// The zoom's range: a tree of two hundred segments whole in a small view, a short one large.
constexpr double kLeastZoom = 0.05;
constexpr double kMostZoom = 8;
// A wheel notch's or a key's step.
constexpr double kZoomStep = 1.25;
// How far from a line a click still takes it, in the view's pixels.
constexpr double kReach = 4;

} // namespace

TreeView::TreeView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("tree"));
    viewport()->setMouseTracking(true);
    setMinimumSize(120, 40);
}

void TreeView::setNetwork(const network::Network& network, const network::Result& result) {
    m_network = network;
    m_result = result;
    m_none.clear();
    layOut();
    // Fitted when there is first a view to fit it to; the user's zoom from then on.
    if (!m_fitted && viewport()->width() > 1 && isVisible()) {
        fit();
        m_fitted = true;
    }
}

void TreeView::setNone(const QString& why) {
    m_network.reset();
    m_layout.reset();
    m_none = why;
    updateBars();
    viewport()->update();
}

void TreeView::layOut() {
    if (m_network)
        m_layout = treeLayout(*m_network, m_result, font(), viewport());
    updateBars();
    viewport()->update();
}

// The tree's drawing scaled by the zoom and scrolled; centred where it is smaller than the view.
QPointF TreeView::toViewport(QPointF tree) const {
    const network::Box& b = m_layout->bounds;
    const QSizeF shown(b.width * m_zoom, b.height * m_zoom);
    const QPointF margin(std::max(0.0, (viewport()->width() - shown.width()) / 2),
                         std::max(0.0, (viewport()->height() - shown.height()) / 2));
    return (tree - QPointF(b.x, b.y)) * m_zoom + margin -
           QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPointF TreeView::toTree(QPointF at) const {
    const QPointF origin = toViewport({m_layout->bounds.x, m_layout->bounds.y});
    return (at - origin) / m_zoom + QPointF(m_layout->bounds.x, m_layout->bounds.y);
}

void TreeView::updateBars() {
    const QSize view = viewport()->size();
    const int width = m_layout ? static_cast<int>(std::ceil(m_layout->bounds.width * m_zoom)) : 0;
    const int height = m_layout ? static_cast<int>(std::ceil(m_layout->bounds.height * m_zoom)) : 0;
    horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

void TreeView::zoomBy(double factor, std::optional<QPointF> at) {
    if (!m_layout)
        return;
    const QPointF fixed = at.value_or(QPointF(viewport()->rect().center()));
    const QPointF under = toTree(fixed);
    m_zoom = std::clamp(m_zoom * factor, kLeastZoom, kMostZoom);
    updateBars();
    // The point of the tree under the pointer stays under it.
    const QPointF now = toViewport(under);
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                    static_cast<int>(std::lround(now.x() - fixed.x())));
    verticalScrollBar()->setValue(verticalScrollBar()->value() +
                                  static_cast<int>(std::lround(now.y() - fixed.y())));
    viewport()->update();
}

void TreeView::fit() {
    if (!m_layout)
        return;
    const network::Box& b = m_layout->bounds;
    const QSize view = viewport()->size();
    // Never larger than its texts' own size: a short tree stays as the window's texts are.
    const double whole =
        std::min(view.width() / std::max(b.width, 1.0), view.height() / std::max(b.height, 1.0));
    m_zoom = std::clamp(std::min(whole, 1.0), kLeastZoom, kMostZoom);
    updateBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

std::optional<QPointF> TreeView::nodeAt(std::size_t node) const {
    if (m_layout)
        for (const network::TreeNode& drawn : m_layout->nodes)
            if (drawn.node == node)
                return toViewport({drawn.x, drawn.y});
    return std::nullopt;
}

std::optional<QPointF> TreeView::segmentAt(std::size_t segment) const {
    if (m_layout)
        for (const network::TreeSegment& drawn : m_layout->segments)
            if (drawn.segment == segment) {
                const network::Box& box = drawn.labelBox;
                return toViewport({box.x + box.width / 2, box.y + box.height / 2});
            }
    return std::nullopt;
}

void TreeView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (!m_layout)
        return drawNone(painter, *viewport(), m_none);
    const PictureLook look = lookOf(*this);
    painter.fillRect(viewport()->rect(), look.background);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF origin = toViewport({m_layout->bounds.x, m_layout->bounds.y});
    painter.translate(origin);
    painter.scale(m_zoom, m_zoom);
    painter.translate(-m_layout->bounds.x, -m_layout->bounds.y);
    drawTree(painter, *m_layout, m_result, look);
}

void TreeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_layout && !m_fitted && viewport()->width() > 1) {
        fit();
        m_fitted = true;
    }
    updateBars();
}

void TreeView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier))
        return QAbstractScrollArea::wheelEvent(event);
    const double notches = event->angleDelta().y() / 120.0;
    zoomBy(std::pow(kZoomStep, notches), event->position());
    event->accept();
}

void TreeView::mousePressEvent(QMouseEvent* event) {
    if (!m_layout || event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const TreeHit hit = hitTree(*m_layout, toTree(event->position()), kReach / m_zoom);
    if (hit.node && m_onNode)
        m_onNode(*hit.node);
    else if (hit.segment && m_onSegment)
        m_onSegment(*hit.segment);
    event->accept();
}

// The pointer says where a click would pick something.
void TreeView::mouseMoveEvent(QMouseEvent* event) {
    bool over = false;
    if (m_layout) {
        const TreeHit hit = hitTree(*m_layout, toTree(event->position()), kReach / m_zoom);
        over = hit.node || hit.segment;
    }
    viewport()->setCursor(over ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QAbstractScrollArea::mouseMoveEvent(event);
}

void TreeView::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return zoomBy(kZoomStep);
        case Qt::Key_Minus:
            return zoomBy(1 / kZoomStep);
        case Qt::Key_0:
            return fit();
        default:
            break;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TreeView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    // Laid out anew in the new font's measure.
    if (event->type() == QEvent::FontChange)
        layOut();
    else if (event->type() == QEvent::PaletteChange)
        viewport()->update();
}

void TreeView::scrollContentsBy(int, int) {
    viewport()->update();
}

} // namespace controls::qt
