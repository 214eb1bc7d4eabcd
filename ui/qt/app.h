#pragma once

#include "ui/form1.h"
#include "ui/qt/icons.h"
#include "ui/qt/views.h"

#include <QApplication>
#include <QIcon>

#include <memory>

namespace controls::qt {

// Creates a window the main window opens over itself, hides it when it is unloaded and
// destroys it at the next load, once none of its handlings runs any more.
template <class View, class Controls> class QtLoader final : public ui::WindowLoader<Controls> {
public:
    explicit QtLoader(QIcon icon) : m_icon(std::move(icon)) {}
    Controls load() override {
        m_view = std::make_unique<View>(m_icon);
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
    // Drawn once. Handing a window's icon to the window system keeps its pictures in Qt's
    // pixmap cache under the icon's own key until the cache is full: an icon drawn anew for
    // each window kept every window's pictures, 6 KB an opening.
    QIcon m_icon;
    std::unique_ptr<View> m_view;
    std::unique_ptr<View> m_unloaded;
};

using QtForm2Loader = QtLoader<Form2View, ui::Form2Controls>;
using QtForm3Loader = QtLoader<Form3View, ui::Form3Controls>;
using QtForm4Loader = QtLoader<Form4View, ui::Form4Controls>;

// Qt's own texts in Simplified Chinese where the translations are installed, and a font that
// has the Chinese glyphs.
void prepareApplication(QApplication& app);

// The main window with its logic; start() loads and shows it.
class App {
public:
    App();
    void start() { m_form1.start(); }
    Form1View& view() { return m_view; }
    QtForm2Loader& form2() { return m_form2; }
    QtForm3Loader& form3() { return m_form3; }
    QtForm4Loader& form4() { return m_form4; }
    const ui::Form1& form1() const { return m_form1; }

private:
    Form1View m_view;
    QtForm2Loader m_form2{lookupWindowIcon()};
    QtForm3Loader m_form3{lookupWindowIcon()};
    QtForm4Loader m_form4{lookupWindowIcon()};
    ui::Form1 m_form1;
};

} // namespace controls::qt
