#include "ui/qt/widgets/pictures.h"

#include "ui/qt/widgets/profile_view.h"
#include "ui/qt/widgets/tree_view.h"

#include <QCoreApplication>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace controls::qt {

namespace {

// The step of a button's or a wheel notch's zoom.
constexpr double kZoomStep = 1.25;

} // namespace

PicturesWidget::PicturesWidget(QWidget* parent)
    : QWidget(parent), m_tree(new TreeView(this)), m_profile(new ProfileView(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    row->addWidget(split);

    auto* treePane = new QWidget(split);
    auto* column = new QVBoxLayout(treePane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* buttons = new QHBoxLayout();
    const struct {
        const char* text;
        const char* tip;
        const char* name;
    } kButtons[] = {
        {"−", "缩小管网图 (Ctrl+−)", "zoomOut"},
        {"+", "放大管网图 (Ctrl++)", "zoomIn"},
        {"适合窗口", "缩放到整个管网图都在窗口中 (Ctrl+0)", "fit"},
    };
    for (int i = 0; i < 3; ++i) {
        auto* button = new QToolButton(treePane);
        button->setText(QString::fromUtf8(kButtons[i].text));
        button->setToolTip(QString::fromUtf8(kButtons[i].tip));
        button->setAccessibleName(QString::fromUtf8(kButtons[i].tip));
        button->setObjectName(QString::fromUtf8(kButtons[i].name));
        button->setAutoRaise(true);
        // The keys zoom as well: Tab stops at the pictures, not at each button.
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
        m_buttons[i] = button;
    }
    buttons->addStretch(1);
    connect(m_buttons[0], &QToolButton::clicked, m_tree, [this] { m_tree->zoomBy(1 / kZoomStep); });
    connect(m_buttons[1], &QToolButton::clicked, m_tree, [this] { m_tree->zoomBy(kZoomStep); });
    connect(m_buttons[2], &QToolButton::clicked, m_tree, [this] { m_tree->fit(); });
    column->addLayout(buttons);
    column->addWidget(m_tree, 1);
    split->addWidget(treePane);
    split->addWidget(m_profile);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    enableZoom(false);
    // Tab stops at the pictures as one control, as the window's description has them; a click
    // in the tree focuses them too, and they hand the tree its keys.
    setFocusPolicy(Qt::StrongFocus);
    m_tree->setFocusPolicy(Qt::ClickFocus);
    m_tree->setFocusProxy(this);
}

void PicturesWidget::keyPressEvent(QKeyEvent* event) {
    // What the tree does not take goes on to the window, as Esc and Enter do.
    event->ignore();
    QCoreApplication::sendEvent(m_tree, event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

void PicturesWidget::enableZoom(bool on) {
    for (QToolButton* button : m_buttons)
        button->setEnabled(on);
}

void PicturesWidget::setStale(bool on) {
    if (m_stale == on)
        return;
    m_stale = on;
    for (QWidget* picture : {static_cast<QWidget*>(m_tree), static_cast<QWidget*>(m_profile)}) {
        if (!on) {
            picture->setGraphicsEffect(nullptr); // deletes the effect
            continue;
        }
        // A third of the picture over the window's colour: read as greyed, still legible.
        auto* faded = new QGraphicsOpacityEffect(picture);
        faded->setOpacity(0.35);
        picture->setGraphicsEffect(faded);
    }
}

PictureLook lookOf(const QWidget& widget) {
    // A dark theme's window is darker than its text.
    const QPalette& palette = widget.palette();
    const bool dark =
        palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
    return dark ? darkLook(widget.font()) : lightLook(widget.font());
}

void drawNone(QPainter& painter, const QWidget& widget, const QString& why) {
    painter.fillRect(widget.rect(), widget.palette().color(QPalette::Window));
    painter.setPen(widget.palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.setFont(widget.font());
    painter.drawText(widget.rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, why);
}

} // namespace controls::qt
