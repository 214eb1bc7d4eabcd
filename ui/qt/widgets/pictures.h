#pragma once

#include "ui/qt/network_pictures.h"

#include <QWidget>

class QPainter;
class QToolButton;

namespace controls::qt {

class ProfileView;
class TreeView;

// The network window's two pictures side by side, the user moving the line between them: the
// tree with its zoom buttons, and the profile to the node picked in it.
class PicturesWidget final : public QWidget {
public:
    explicit PicturesWidget(QWidget* parent);
    TreeView* tree() const { return m_tree; }
    ProfileView* profile() const { return m_profile; }
    // The zoom buttons take input only while there is a tree to zoom.
    void enableZoom(bool on);
    // Both pictures faded into the window while what they draw is of inputs no longer shown.
    void setStale(bool on);
    bool stale() const { return m_stale; }
    // No more than the tables it takes the place of ask for: the window's size stays theirs.
    QSize sizeHint() const override { return {320, 160}; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TreeView* m_tree;
    ProfileView* m_profile;
    QToolButton* m_buttons[3];
    bool m_stale = false;
};

// A picture's look on a widget: the dark one on a dark window, in the widget's font.
PictureLook lookOf(const QWidget& widget);
// The few words said in place of a picture, in the theme's greyed text, in the widget's middle.
void drawNone(QPainter& painter, const QWidget& widget, const QString& why);

} // namespace controls::qt
