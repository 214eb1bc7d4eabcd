// What desktop users expect of the grid and the dialogs of a window whose work is saved, beyond
// the controls' contract: the keys of a spreadsheet, the question's buttons, the save dialog's
// offered name, extension and confirmation. Standalone widgets, offscreen.
#include "ui/qt/qt_controls.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// The editing keys of a spreadsheet: typing over the current cell starts its edit with what
// was typed, Enter takes it and goes down a row (at the last row it stays) and Esc drops it, F2
// edits the text as it stands, Tab takes an edit and goes right, the arrows move between cells
// and Tab at the last cell leaves the grid for the next control.
TEST(DesktopGrid, TypingStartsAnEditEscDropsItAndTheKeysMoveAsInASpreadsheet) {
    QWidget window;
    auto* table = new controls::qt::GridTable({u"管段"_s, u"长度 (m)"_s}, &window);
    auto* next = new QLineEdit(&window);
    table->setGeometry(0, 0, 300, 200);
    next->setGeometry(0, 210, 100, 20);
    controls::qt::QtGrid grid(table);
    grid.insertRow(0);
    grid.insertRow(1);
    grid.setCell(0, 1, "120");
    std::vector<std::string> changes;
    grid.onCellChange([&](int row, int column) {
        changes.push_back(std::to_string(row) + "," + std::to_string(column) + " " +
                          grid.cell(row, column));
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    table->setFocus(Qt::TabFocusReason);
    table->setCurrentCell(0, 1);

    // Each key to the widget with the focus, as the window system sends it: the first opens
    // the editor, which takes the next.
    for (const Qt::Key key : {Qt::Key_9, Qt::Key_5})
        QTest::keyClick(QApplication::focusWidget(), key);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(changes, std::vector<std::string>{"0,1 95"}) << "typed over, not added to";
    EXPECT_EQ(table->currentRow(), 1) << "Enter went down a row";
    QTest::keyClick(table, Qt::Key_Up);
    QTest::keyClick(table, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(grid.cell(0, 1), "95") << "Esc drops the edit";
    EXPECT_EQ(QApplication::focusWidget(), table);
    QTest::keyClick(table, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid.cell(0, 1), "950") << "F2 edits the text as it stands";
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(table->currentRow(), 1) << "Enter, not editing, goes down and not past the last";

    QTest::keyClick(table, Qt::Key_Left);
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(table->currentColumn(), 0);
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_EQ(table->currentColumn(), 1) << "Tab moves to the next cell";
    QTest::keyClick(table, Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(grid.cell(1, 0), "a") << "Tab takes the edit";
    EXPECT_EQ(table->currentColumn(), 1) << "and goes right";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << "and leaves the grid after its last";
    EXPECT_EQ(changes.size(), 3u);
}

// The question before unsaved work is lost: its three buttons in Chinese, 保存 the default, no
// icon, over the window that asks.
TEST(DesktopDialogs, TheQuestionOffersSaveDiscardAndCancelOverItsWindow) {
    QWidget window;
    window.show();
    controls::qt::QtQuestion question(&window, u"question"_s);
    QStringList buttons;
    QString title, text, defaultButton;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return ADD_FAILURE() << "no question";
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        title = box->windowTitle();
        text = box->text();
        defaultButton = box->defaultButton()->text();
        icon = box->icon();
        parent = box->parentWidget();
        box->close(); // the title bar's close
    });
    EXPECT_EQ(question.ask("“厂区”已修改，是否保存？", "蒸汽管网水力计算"),
              controls::Question::Answer::Cancel)
        << "closing the box loses nothing";
    buttons.sort();
    QStringList expected{u"保存"_s, u"不保存"_s, u"取消"_s};
    expected.sort();
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(title, u"蒸汽管网水力计算"_s);
    EXPECT_EQ(text, u"“厂区”已修改，是否保存？"_s);
    EXPECT_EQ(defaultButton, u"保存"_s);
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(parent, &window);
}

// The save dialog opens where the work's file is, with its name offered; a name typed without
// the filter's extension gets it, and a file that is there is replaced only once confirmed.
TEST(DesktopDialogs, TheSaveDialogOffersTheFilesNameAddsTheExtensionAndAsksBeforeReplacing) {
    const QString folder = QString::fromStdString(::testing::TempDir()) + u"desktop-save"_s;
    QDir().mkpath(folder);
    QFile(folder + u"/厂区.json"_s).open(QIODevice::WriteOnly);
    QWidget window;
    window.show();
    controls::qt::QtFileDialogs files(&window, u"files"_s);
    const std::string suggested = (folder + u"/厂区.json"_s).toStdString();
    // Acts in the next dialog as soon as it runs.
    auto inDialog = [](std::function<void(QFileDialog*, QLineEdit*)> act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return ADD_FAILURE() << "no file dialog";
            act(dialog, dialog->findChild<QLineEdit*>(u"fileNameEdit"_s));
        });
    };
    QString offered, shownFolder;
    inDialog([&](QFileDialog* dialog, QLineEdit* name) {
        offered = name->text();
        shownFolder = dialog->directory().absolutePath();
        // Typed over the offered name in one edit, as by pasting, with the focus there as the
        // dialog opens.
        if (!QTest::qWaitForWindowActive(dialog) || !name->hasFocus()) {
            dialog->reject();
            return ADD_FAILURE() << "the name field has no focus";
        }
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QInputMethodEvent typed;
        typed.setCommitString(u"新管网"_s);
        QApplication::sendEvent(name, &typed);
        QTest::keyClick(name, Qt::Key_Return);
        if (dialog->isVisible()) {
            dialog->reject();
            ADD_FAILURE() << "a new file was confirmed or refused";
        }
    });
    EXPECT_EQ(files.savePath("另存为", "蒸汽管网 (*.json)", suggested),
              (folder + u"/新管网.json"_s).toStdString());
    EXPECT_EQ(offered, u"厂区.json"_s);
    EXPECT_EQ(shownFolder, QDir(folder).absolutePath());

    QString asked;
    inDialog([&](QFileDialog*, QLineEdit* name) {
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            }
        });
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_EQ(files.savePath("另存为", "蒸汽管网 (*.json)", suggested), suggested);
    EXPECT_NE(asked.indexOf(u"厂区.json"_s), -1) << "replacing the file is confirmed first";
    QDir(folder).removeRecursively();
}

} // namespace
