#pragma once

#include <QObject>

namespace controls::qt {

// Keeps Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z from the line edits it watches, for the window's own
// undo and redo: a box's keystrokes are already steps of the window's history, and the box's
// own undo would go back behind it. A grid cell's editor is not watched and keeps its own.
class HistoryKeys final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace controls::qt
