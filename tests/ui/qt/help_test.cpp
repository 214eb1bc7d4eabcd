#include "ui/qt/help_windows.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using controls::qt::QtHelpWindows;
using Open = void (QtHelpWindows::*)();

// Opens a Help window over a main window placed off the screen's centre and runs `inside` once
// the dialog is up. Returns whether `inside` closed it; one left open is closed here, so a key
// that fails to close it fails the test instead of hanging it.
bool whileOpen(Open open, const std::function<void(QDialog&, QWidget&)>& inside) {
    QWidget mainWindow;
    mainWindow.setGeometry(40, 30, 300, 200);
    mainWindow.show();
    QtHelpWindows windows(&mainWindow);
    bool closed = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return ADD_FAILURE() << "no modal dialog";
        inside(*dialog, mainWindow);
        closed = !dialog->isVisible();
        dialog->reject();
    });
    (windows.*open)();
    return closed;
}

QString focusText(QDialog& dialog) {
    auto* button = qobject_cast<QPushButton*>(dialog.focusWidget());
    return button ? button->text() : QString();
}

TEST(HelpWindows, GuideRendersTheBuiltInMarkdownReadOnly) {
    whileOpen(&QtHelpWindows::showGuide, [](QDialog& dialog, QWidget&) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("使用说明"));
        auto* browser = dialog.findChild<QTextBrowser*>();
        ASSERT_NE(browser, nullptr);
        EXPECT_TRUE(browser->isReadOnly());
        // Rendered, not shown as source: the heading's text without its "##".
        const QStringList lines = browser->toPlainText().split(QLatin1Char('\n'));
        EXPECT_TRUE(lines.contains(QString::fromUtf8("输入")));
        EXPECT_FALSE(browser->toPlainText().contains(QString::fromUtf8("## 输入")));
    });
}

TEST(HelpWindows, AboutShowsTheBuildsVersionAndTheRunningQtCentredOnTheMainWindow) {
    whileOpen(&QtHelpWindows::showAbout, [](QDialog& dialog, QWidget& mainWindow) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("关于"));
        EXPECT_EQ(focusText(dialog), QString::fromUtf8("确定"));
        QString text;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            text += label->text() + QLatin1Char('\n');
        EXPECT_TRUE(text.contains(QString::fromUtf8("蒸汽流速计算")));
        EXPECT_TRUE(text.contains(QString::fromUtf8("版本 " STEAM_VERSION))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(qVersion()))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8("MIT")));
        const QPoint offset = dialog.frameGeometry().center() - mainWindow.frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 1);
    });
}

// Either window closes by Esc or Enter where the keyboard is as it opens (the guide's text, the
// About box's button), by Enter on the guide's button, and by a click on its button.
TEST(HelpWindows, CloseByKeyboardAloneAndByMouse) {
    for (Open open : {&QtHelpWindows::showGuide, &QtHelpWindows::showAbout}) {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            EXPECT_TRUE(whileOpen(open, [key](QDialog& dialog, QWidget&) {
                QTest::keyClick(dialog.focusWidget(), key);
            })) << key;
        EXPECT_TRUE(whileOpen(open, [](QDialog& dialog, QWidget&) {
            QTest::mouseClick(dialog.findChild<QPushButton*>(), Qt::LeftButton);
        }));
    }
    EXPECT_TRUE(whileOpen(&QtHelpWindows::showGuide, [](QDialog& dialog, QWidget&) {
        auto* button = dialog.findChild<QPushButton*>();
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    }));
}

} // namespace
