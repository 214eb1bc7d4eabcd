#include "tests/ui/controls/contract.h"
#include "tools/replay/user_events.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/widgets/pictures.h"
#include "ui/qt/widgets/tree_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

using namespace controls::qt;

// Opens the list and clicks its item.
void clickItem(QComboBox* list, int index) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(index, 0)).center());
}

// Acts as the user through real mouse and key events on real widgets; every message box is
// answered with OK as soon as its nested event loop runs.
class QtHarness final : public contract::Harness {
public:
    QtHarness()
        : m_edit(new EditBox(&m_window)), m_combo(new QComboBox(&m_window)),
          m_simpleEdit(new QLineEdit(&m_window)), m_list(new QListWidget(&m_window)),
          m_table(new Table(&m_window)), m_label(new QLabel(&m_window)),
          m_statusLabel(new StatusLabel(&m_window)), m_menu(new QMenu(&m_window)),
          m_action(m_menu->addAction(QStringLiteral("command"))), m_box(m_edit),
          m_dropDown(m_combo), m_simple(m_simpleEdit, m_list), m_qtTable(m_table),
          m_qtLabel(m_label), m_status(m_statusLabel), m_command(m_action), m_messages(&m_window) {
        m_window.resize(400, 400);
        m_edit->setGeometry(0, 0, 100, 20);
        m_combo->setGeometry(0, 30, 100, 20);
        m_simpleEdit->setGeometry(0, 60, 200, 20);
        m_list->setGeometry(0, 80, 200, 120);
        m_label->setGeometry(0, 210, 100, 20);
        m_table->setHeaderLabels({QStringLiteral("a"), QStringLiteral("b")});
        m_table->setSortable();
        m_table->setGeometry(220, 200, 170, 150);
        m_statusLabel->setGeometry(0, 240, 300, 20);
        for (int i = 0; i < 3; ++i) {
            m_radios[i] = new QRadioButton(QStringLiteral("option"), &m_window);
            m_radios[i]->setGeometry(120, 30 * i, 100, 20);
            m_options.emplace_back(std::make_unique<QtOptionButton>(m_radios[i]));
        }
        m_window.show();
        QObject::connect(&m_answerer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        m_answerer.start(5);
    }

    controls::TextBox& textBox() override { return m_box; }
    controls::DropDownList& list() override { return m_dropDown; }
    controls::SimpleCombo& simpleCombo() override { return m_simple; }
    controls::TableList& tableList() override { return m_qtTable; }
    controls::OptionButton& option(int index) override { return *m_options[index]; }
    controls::Label& label() override { return m_qtLabel; }
    controls::MessageBox& messageBox() override { return m_messages; }
    controls::StatusText& statusText() override { return m_status; }
    controls::MenuCommand& menuCommand() override { return m_command; }
    std::string menuShown() override { return m_action->text().toStdString(); }
    std::string statusShown() override { return m_statusLabel->text().toStdString(); }
    std::vector<std::string> tableShown() override {
        std::vector<std::string> rows;
        for (int i = 0; i < m_table->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = m_table->topLevelItem(i);
            rows.push_back((row->text(0) + QLatin1Char('\t') + row->text(1)).toStdString());
        }
        return rows;
    }
    bool tableGreyed() override {
        const QColor grey = m_table->palette().color(QPalette::Disabled, QPalette::Text);
        for (int i = 0; i < m_table->topLevelItemCount(); ++i)
            for (int column = 0; column < m_table->columnCount(); ++column)
                if (m_table->topLevelItem(i)->foreground(column).color() != grey)
                    return false;
        return m_table->topLevelItemCount() > 0;
    }

    void userType(std::string_view text) override {
        // One edit over the whole text, as a paste over a selection.
        QTest::keyClick(m_edit, Qt::Key_A, Qt::ControlModifier);
        if (text.empty())
            QTest::keyClick(m_edit, Qt::Key_Backspace);
        else
            QTest::sendKeyEvent(QTest::KeyAction::Click, m_edit, Qt::Key_unknown, fromUtf8(text),
                                Qt::NoModifier);
    }

    void userPick(int index) override {
        if (m_combo->isEnabled())
            clickItem(m_combo, index);
    }

    void userPickRow(int index) override { replay::clickRow(m_list, m_list->item(index)); }

    void userDoubleClickRow(int index) override {
        replay::clickRow(m_list, m_list->item(index), true);
    }

    void userEditRow(std::string_view text) override {
        QTest::keyClicks(m_simpleEdit, fromUtf8(text));
    }

    void userPickTableRow(int index) override {
        replay::clickRow(m_table, m_table->topLevelItem(index));
    }

    void userDoubleClickTableRow(int index) override {
        replay::clickRow(m_table, m_table->topLevelItem(index), true);
    }

    void userSortTable(int column) override {
        QHeaderView* header = m_table->header();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                   header->height() / 2));
    }

    void userClickOption(int index) override { QTest::mouseClick(m_radios[index], Qt::LeftButton); }

    void userClickMenu() override {
        m_menu->popup(m_window.mapToGlobal(QPoint(10, 270)));
        QTest::mouseClick(m_menu, Qt::LeftButton, {}, m_menu->actionGeometry(m_action).center());
        // A disabled command leaves its menu open.
        m_menu->hide();
    }

    void userClickStatus() override { QTest::mouseClick(m_statusLabel, Qt::LeftButton); }
    bool statusPointsToClick() override {
        return m_statusLabel->testAttribute(Qt::WA_SetCursor) &&
               m_statusLabel->cursor().shape() == Qt::PointingHandCursor;
    }

private:
    QWidget m_window;
    EditBox* m_edit;
    QComboBox* m_combo;
    QLineEdit* m_simpleEdit;
    QListWidget* m_list;
    Table* m_table;
    QLabel* m_label;
    StatusLabel* m_statusLabel;
    QMenu* m_menu;
    QAction* m_action;
    QRadioButton* m_radios[3] = {};
    QtTextBox m_box;
    QtDropDownList m_dropDown;
    QtSimpleCombo m_simple;
    QtTableList m_qtTable;
    QtLabel m_qtLabel;
    QtStatusText m_status;
    QtMenuCommand m_command;
    QtMessageBox m_messages;
    std::vector<std::unique_ptr<QtOptionButton>> m_options;
    QTimer m_answerer;
};

// Edits a grid's cells by real keys and clicks in the active window; a reply or a path waits
// for its dialog, which is answered by its buttons and keys as soon as its event loop runs.
class QtWorkHarness final : public contract::WorkHarness {
public:
    QtWorkHarness()
        : m_elsewhere(new QLineEdit(&m_window)),
          m_table(new GridTable({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
                                &m_window)),
          m_grid(m_table), m_question(&m_window, QStringLiteral("Question1")),
          m_files(&m_window, QStringLiteral("Files1")) {
        m_window.resize(500, 400);
        m_elsewhere->setGeometry(0, 0, 100, 20);
        m_table->setGeometry(0, 30, 480, 300);
        m_window.show();
        m_window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
        QObject::connect(&m_answerer, &QTimer::timeout, [this] { answer(); });
        m_answerer.start(5);
    }

    controls::Grid& grid() override { return m_grid; }
    controls::Question& question() override { return m_question; }
    controls::FileDialogs& fileDialogs() override { return m_files; }

    void userEdit(int row, int column, std::string_view text, Commit commit) override {
        QWidget* editor = startEditing(row, column);
        ASSERT_NE(editor, nullptr);
        // The whole text replaced in one edit, as a paste over the selection.
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QInputMethodEvent typed;
        typed.setCommitString(fromUtf8(text));
        QApplication::sendEvent(editor, &typed);
        switch (commit) {
        case Commit::Enter:
            QTest::keyClick(editor, Qt::Key_Return);
            break;
        case Commit::Tab:
            QTest::keyClick(editor, Qt::Key_Tab);
            break;
        case Commit::Leave:
            QTest::mouseClick(m_elsewhere, Qt::LeftButton);
            break;
        }
        // Enter commits once the editor has seen the key, from the event loop.
        QCoreApplication::processEvents();
    }

    void userPick(int row, int column, int index) override {
        auto* list = qobject_cast<QComboBox*>(startEditing(row, column));
        ASSERT_NE(list, nullptr) << "a column with items is edited in a list";
        clickItem(list, index);
        QCoreApplication::processEvents();
    }

    int listOpensAt(int row, int column) override {
        auto* list = qobject_cast<QComboBox*>(startEditing(row, column));
        if (!list)
            return -2;
        list->showPopup();
        QAbstractItemView* view = list->view();
        // The item highlighted and scrolled into sight; none where the list has no current item
        // (Qt then highlights its top).
        const QModelIndex current = view->currentIndex();
        const bool shown = list->currentIndex() >= 0 && current.isValid() &&
                           view->viewport()->rect().intersects(view->visualRect(current));
        const int at = shown ? current.row() : -1;
        list->hidePopup();
        QTest::keyClick(list, Qt::Key_Escape);
        QCoreApplication::processEvents();
        return at;
    }

    bool gridFocused() override { return QApplication::focusWidget() == m_table; }
    // Key by key to the widget with the focus, as the window system sends them: the first opens
    // the cell's editor, which takes the rest.
    void userTypeHere(std::string_view text) override {
        for (const QChar key : fromUtf8(text))
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    std::string cellNote(int row, int column) override {
        const QTableWidgetItem* cell = m_table->item(row, column);
        // A tooltip without the look is no mark, and a fault's is no note.
        if (!cell || cell->data(Qt::BackgroundRole).isValid())
            return {};
        const std::string note = cell->toolTip().toStdString();
        return note.empty() || cell->data(Qt::ForegroundRole).isValid() ? note : "unmarked " + note;
    }
    std::string cellFault(int row, int column) override {
        const QTableWidgetItem* cell = m_table->item(row, column);
        if (!cell || !cell->data(Qt::BackgroundRole).isValid())
            return {};
        // The fault's red on its tint, which shows an empty cell too.
        const QColor tint = cell->background().color();
        const QColor text = cell->foreground().color();
        if (!(tint.red() > tint.green() && text.red() > 2 * text.green()))
            return "not red " + cell->toolTip().toStdString();
        return cell->toolTip().toStdString();
    }

    void replyNext(Reply reply) override { m_replies.push_back(reply); }
    void chooseNext(std::string path) override { m_paths.push_back(std::move(path)); }
    controls::Clipboard& clipboard() override { return m_clipboard; }
    std::string pasted() override {
        return QGuiApplication::clipboard()->text().toUtf8().toStdString();
    }
    controls::RecentFiles& recentFiles() override { return m_recent; }
    controls::RecentFiles& recentFilesAgain() override {
        m_again.push_back(std::make_unique<QtRecentFiles>(new QMenu(&m_window), &m_window,
                                                          QStringLiteral("Recent1")));
        return *m_again.back();
    }
    void userPickRecent(int index) override {
        QMenu* menu = m_recent.menu();
        const QList<QAction*> entries = menu->actions();
        if (index >= entries.size() || !menu->isEnabled())
            return;
        menu->popup(m_window.mapToGlobal(QPoint(10, 10)));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entries[index]).center());
        QCoreApplication::processEvents();
    }

    void userClickCell(int row, int column) override {
        QTableWidgetItem* cell = m_table->item(row, column);
        ASSERT_NE(cell, nullptr);
        m_table->scrollToItem(cell);
        QTest::mouseClick(m_table->viewport(), Qt::LeftButton, {},
                          m_table->visualItemRect(cell).center());
    }

    void userKey(Key key) override {
        if (key == Key::TabFromLast) {
            // Into the last cell as the view's own move, which is no user's.
            m_table->setCurrentCell(m_table->currentRow(), m_table->columnCount() - 1);
            QTest::keyClick(m_table, Qt::Key_Tab);
        } else {
            QTest::keyClick(m_table, key == Key::Down ? Qt::Key_Down : Qt::Key_Up);
        }
    }

    void userSelect(controls::CellRange range) override {
        activate();
        replay::selectCells(m_table, range.top, range.left, range.bottom, range.right);
    }

    void userKey(controls::GridCommand command) override {
        activate();
        m_table->setFocus();
        replay::pressGridKey(m_table, command);
    }

    void userKeyInEdit(int row, int column, controls::GridCommand command) override {
        QWidget* editor = startEditing(row, column);
        ASSERT_NE(editor, nullptr);
        replay::pressGridKey(editor, command);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
    }

    void userMenu(controls::GridCommand command) override {
        activate();
        replay::clickGridMenu(m_table, m_table->visualItemRect(m_table->item(0, 0)).center(),
                              command);
    }

    void putElsewhere(const std::string& text) override {
        QGuiApplication::clipboard()->setText(fromUtf8(text));
    }

private:
    void activate() {
        if (!m_window.isActiveWindow()) {
            m_window.activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([&] { return m_window.isActiveWindow(); }));
        }
    }

    // A list's popup closed offscreen leaves no window active, where a desktop's window manager
    // activates the window under it again.
    QWidget* startEditing(int row, int column) {
        activate();
        return replay::openCellEditor(m_table, row, column);
    }

    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal);
            box && box->objectName() == m_question.dialogName() && !m_replies.empty()) {
            const Reply reply = m_replies.front();
            m_replies.pop_front();
            // A button found by the words the user reads on it; Discard is the offer's 放弃 too.
            const QStringList words =
                reply == Reply::Save     ? QStringList{QStringLiteral("保存")}
                : reply == Reply::Cancel ? QStringList{QStringLiteral("取消")}
                : reply == Reply::Restore
                    ? QStringList{QStringLiteral("恢复")}
                    : QStringList{QStringLiteral("不保存"), QStringLiteral("放弃")};
            if (reply == Reply::Escape || reply == Reply::Enter)
                QTest::keyClick(box, reply == Reply::Escape ? Qt::Key_Escape : Qt::Key_Return);
            else
                for (QAbstractButton* button : box->buttons())
                    if (words.contains(button->text()))
                        QTest::mouseClick(button, Qt::LeftButton);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal);
                   dialog && dialog->objectName() == m_files.dialogName() && !m_paths.empty()) {
            const std::string path = m_paths.front();
            m_paths.pop_front();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (path.empty() || !name) {
                QTest::keyClick(dialog, Qt::Key_Escape);
            } else {
                // Chosen as a user chooses it, in the list or by its whole path.
                dialog->selectFile(fromUtf8(path));
                name->setText(fromUtf8(path));
                QTest::keyClick(name, Qt::Key_Return);
            }
        }
    }

    QWidget m_window;
    QLineEdit* m_elsewhere;
    GridTable* m_table;
    QtGrid m_grid;
    QtQuestion m_question;
    QtFileDialogs m_files;
    std::deque<Reply> m_replies;
    std::deque<std::string> m_paths;
    QTimer m_answerer;
    QtClipboard m_clipboard{&m_window, QStringLiteral("Clipboard1")};
    QtRecentFiles m_recent{new QMenu(&m_window), &m_window, QStringLiteral("Recent1")};
    std::vector<std::unique_ptr<QtRecentFiles>> m_again;
};

// The pictures in a window of a size the network window gives them, clicked with the mouse where
// the tree draws what is clicked.
class QtPicturesHarness final : public contract::PicturesHarness {
public:
    QtPicturesHarness() : m_widget(new PicturesWidget(&m_window)), m_pictures(m_widget) {
        m_window.resize(900, 400);
        m_widget->setGeometry(0, 0, 900, 400);
        m_window.show();
        QApplication::processEvents();
    }
    controls::NetworkPictures& pictures() override { return m_pictures; }
    bool greyed() override { return m_widget->tree()->graphicsEffect() != nullptr; }
    std::string said() override {
        return m_widget->tree()->hasTree() ? std::string()
                                           : m_widget->tree()->none().toUtf8().toStdString();
    }
    void userClickSegment(std::size_t segment) override {
        click(m_widget->tree()->segmentAt(segment));
    }
    void userClickNode(std::size_t node) override { click(m_widget->tree()->nodeAt(node)); }

private:
    void click(std::optional<QPointF> at) {
        QWidget* viewport = m_widget->tree()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {},
                          at ? at->toPoint() : viewport->rect().center());
    }

    QWidget m_window;
    PicturesWidget* m_widget;
    QtNetworkPictures m_pictures;
};

class QtTimerHarness final : public contract::TimerHarness {
public:
    controls::Timer& timer() override { return m_timer; }
    void wait(int milliseconds) override { QTest::qWait(milliseconds); }

private:
    QtTimer m_timer;
};

} // namespace

namespace contract {
INSTANTIATE_TEST_SUITE_P(Qt, TimerContract, ::testing::Values(&make<TimerHarness, QtTimerHarness>),
                         [](const auto&) { return std::string("Widgets"); });
INSTANTIATE_TEST_SUITE_P(Qt, PicturesContract,
                         ::testing::Values(&make<PicturesHarness, QtPicturesHarness>),
                         [](const auto&) { return std::string("Widgets"); });
INSTANTIATE_TEST_SUITE_P(Qt, WorkContract, ::testing::Values(&make<WorkHarness, QtWorkHarness>),
                         [](const auto&) { return std::string("Widgets"); });
INSTANTIATE_TEST_SUITE_P(Qt, ControlsContract, ::testing::Values(&make<Harness, QtHarness>),
                         [](const auto&) { return std::string("Widgets"); });
} // namespace contract

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The settings in a folder of the run's own: a test neither reads nor changes the user's.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("steam-velocity"));
    QCoreApplication::setApplicationName(QStringLiteral("steam-velocity"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
