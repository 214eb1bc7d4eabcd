#pragma once

#include "ui/form1.h"
#include "ui/qt/views.h"

#include <QApplication>
#include <QIcon>

#include <memory>

namespace controls::qt {

// Loads and unloads the lookup window's widgets.
class QtForm2Loader final : public ui::Form2Loader {
public:
    QtForm2Loader();
    ui::Form2Controls load() override;
    void unload() override;
    void discard() override { m_unloaded.reset(); }
    // The loaded window, null while none is.
    Form2View* view() const { return m_view.get(); }

private:
    // Drawn once. Handing a window's icon to the window system keeps its pictures in Qt's
    // pixmap cache under the icon's own key until the cache is full: an icon drawn anew for
    // each window kept every window's pictures, 6 KB an opening.
    QIcon m_icon;
    std::unique_ptr<Form2View> m_view;
    std::unique_ptr<Form2View> m_unloaded;
};

// Qt's own texts in Simplified Chinese where the translations are installed, and a font that
// has the Chinese glyphs.
void prepareApplication(QApplication& app);

// The main window with its logic; start() loads and shows it.
class App {
public:
    App();
    void start() { m_form1.start(); }
    Form1View& view() { return m_view; }
    QtForm2Loader& form2() { return m_loader; }
    const ui::Form1& form1() const { return m_form1; }

private:
    Form1View m_view;
    QtForm2Loader m_loader;
    ui::Form1 m_form1;
};

} // namespace controls::qt
