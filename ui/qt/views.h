#pragma once

#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/qt/help_windows.h"
#include "ui/qt/qt_controls.h"

#include <memory>

class QGroupBox;
class QIcon;
class QLabel;
class QMenuBar;

// The windows' widgets, laid out at their fixed twips positions, and the Qt controls over
// them. No logic here: the windows' logic reaches these only through the control interfaces.
namespace controls::qt {

class Form1View {
public:
    Form1View();
    ~Form1View();

    FormWidget* widget() const { return m_widget.get(); }
    // The controls by their names, for the window's logic.
    ui::Form1Controls controls();

    std::unique_ptr<FormWidget> m_widget;
    // The menu bar over the client area, which holds every control at its specified place.
    QMenuBar* m_menuBar;
    QWidget* m_client;
    QGroupBox* m_frame1;
    QGroupBox* m_frame2;
    QGroupBox* m_frame4;
    QGroupBox* m_frame3;
    QGroupBox* m_frame5;
    QtWindow window;
    QtTextBox text1, text2, text3, text4;
    QtDropDownList combo1, combo2, combo3, combo4, combo5;
    QtOptionButton option1, option2, option3;
    QtPushButton command1, command2, command3;
    QtLabel label4, label5, label7, label10, label11, label13;
    QtMessageBox messages;
    QtProgram program;
    QtMenuCommand mnuSteam, mnuSizing, mnuGuide, mnuAbout;
    QtHelpWindows help;
};

struct Form2Parts;

class Form2View {
public:
    explicit Form2View(const QIcon& icon);
    ~Form2View();

    FormWidget* widget() const { return m_widget.get(); }
    ui::Form2Controls controls();

    std::unique_ptr<FormWidget> m_widget;
    QtWindow window;
    QtSimpleCombo combo1;
    QtLabel label9;
    QtPushButton command1;

private:
    explicit Form2View(const Form2Parts& parts);
};

struct Form3Parts;

// The steam-property window.
class Form3View {
public:
    explicit Form3View(const QIcon& icon);
    ~Form3View();

    FormWidget* widget() const { return m_widget.get(); }
    ui::Form3Controls controls();

    std::unique_ptr<FormWidget> m_widget;
    QtWindow window;
    QtTextBox text1;
    QtDropDownList combo1;
    QtOptionButton option1, option2;
    QtTextBox text2;
    QtPushButton command1, command2;
    QtLabel label7;
    QtStatusText label8;
    QtLabel label9, label10, label11;

private:
    explicit Form3View(const Form3Parts& parts);
};

struct Form4Parts;

// The sizing window.
class Form4View {
public:
    explicit Form4View(const QIcon& icon);
    ~Form4View();

    FormWidget* widget() const { return m_widget.get(); }
    ui::Form4Controls controls();

    std::unique_ptr<FormWidget> m_widget;
    QtWindow window;
    QtLabel label1, label2, label3;
    QtDropDownList combo1, combo2;
    QtTextBox text1, text2, text3;
    QtTableList list1;
    QtStatusText label4;
    QtPushButton command1, command2;

private:
    explicit Form4View(const Form4Parts& parts);
};

} // namespace controls::qt
