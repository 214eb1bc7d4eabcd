#pragma once

#include "ui/form1.h"
#include "ui/qt/icons.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/view.h"

#include <QApplication>
#include <QIcon>

#include <memory>

namespace controls::qt {

// Creates a window the main window opens over itself, hides it when it is unloaded and
// destroys it at the next load, once none of its handlings runs any more.
class QtLoader final : public ui::WindowLoader {
public:
    QtLoader(const ui::WindowDescription& design, QIcon icon)
        : m_design(design), m_icon(std::move(icon)) {}
    const ui::WindowDescription& design() const override { return m_design; }
    ui::ControlSet load() override {
        m_view = openedView(m_design, m_icon);
        return m_view->controls();
    }
    void unload() override {
        m_unloaded = std::move(m_view);
        if (m_unloaded)
            m_unloaded->widget()->hide();
    }
    void discard() override { m_unloaded.reset(); }
    // The loaded window, null while none is.
    View* view() const { return m_view.get(); }

private:
    const ui::WindowDescription& m_design;
    // Drawn once. Handing a window's icon to the window system keeps its pictures in Qt's
    // pixmap cache under the icon's own key until the cache is full: an icon drawn anew for
    // each window kept every window's pictures, 6 KB an opening.
    QIcon m_icon;
    std::unique_ptr<View> m_view;
    std::unique_ptr<View> m_unloaded;
};

// Qt's own texts in Simplified Chinese where the translations are installed, and a font that
// has the Chinese glyphs.
void prepareApplication(QApplication& app);

// The main window with its logic; start() loads and shows it. The network's recovery copy is
// kept in `dataFolder` (UTF-8), none where it is empty, as in the tests.
class App {
public:
    explicit App(std::string dataFolder = {});
    void start() { m_form1.start(); }
    View& view() { return *m_view; }
    QtLoader& form2() { return m_form2; }
    QtLoader& propertyWindow() { return m_propertyWindow; }
    QtLoader& sizingWindow() { return m_sizingWindow; }
    QtLoader& networkWindow() { return m_networkWindow; }
    const ui::Form1& form1() const { return m_form1; }

private:
    std::unique_ptr<View> m_view = form1View();
    QtLoader m_form2{ui::kForm2Design, lookupWindowIcon()};
    QtLoader m_propertyWindow{ui::kPropertyDesign, lookupWindowIcon()};
    QtLoader m_sizingWindow{ui::kSizingDesign, lookupWindowIcon()};
    QtLoader m_networkWindow{ui::kNetworkDesign, lookupWindowIcon()};
    QtTimer m_recoveryTimer;
    ui::Form1 m_form1;
};

} // namespace controls::qt
