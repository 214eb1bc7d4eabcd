#pragma once

#include "ui/controls/controls.h"

class QWidget;

namespace controls::qt {

// The Help menu's windows as dialogs modal to the main window and centred on it. The guide is
// read from the program's own resources, so the installed program needs no file beside it.
class QtHelpWindows final : public HelpWindows {
public:
    explicit QtHelpWindows(QWidget* parent) : m_parent(parent) {}
    void showGuide() override;
    void showAbout() override;

private:
    QWidget* m_parent;
};

} // namespace controls::qt
