#include "tests/ui/controls/contract.h"

#include "network/network.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace contract {
namespace {

using Log = std::vector<std::string>;

TEST_P(ControlsContract, TextBoxRaisesChangeOnlyWhenTheTextDiffers) {
    auto& box = harness->textBox();
    box.setText("1");
    int changes = 0;
    box.onChange([&] { ++changes; });

    box.setText("2");
    EXPECT_EQ(changes, 1);
    box.setText("2");
    harness->userType("2");
    EXPECT_EQ(changes, 1) << "setting or typing the text a box already holds must raise nothing";
    harness->userType("25");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(box.text(), "25");
}

TEST_P(ControlsContract, OwnTextResetRunsNestedBeforeTheOuterRunGoesOn) {
    auto& box = harness->textBox();
    box.setText("start");
    Log log;
    box.onChange([&] {
        const std::string text = box.text();
        log.push_back("enter " + text);
        if (text != "0")
            box.setText("0");
        log.push_back("leave " + text);
    });

    harness->userType("-2");

    EXPECT_EQ(log, (Log{"enter -2", "enter 0", "leave 0", "leave -2"}));
    EXPECT_EQ(box.text(), "0");
}

// A list shows nothing until an item is selected. The program's selection raises the click at
// once, and only for another item that the list has; the user's pick raises it every time, for
// the item already shown too.
TEST_P(ControlsContract, DropDownListRaisesClickForTheProgramOnChangeAndForEveryPick) {
    auto& list = harness->list();
    Log log;
    list.onClick([&] { log.push_back("click " + list.text()); });
    list.addItem("t/h", 0);
    list.addItem("kg/h", 1);
    list.addItem("m3/h", 1);
    EXPECT_EQ(list.text(), "");

    list.setText("kg/h");
    log.push_back("returned");
    list.setText("kg/h");
    list.setText("no such item");
    EXPECT_EQ(list.text(), "kg/h");
    harness->userPick(2);
    harness->userPick(2);
    harness->userPick(0);
    list.clear();
    EXPECT_EQ(list.text(), "");
    EXPECT_EQ(log, (Log{"click kg/h", "returned", "click kg/h", "click kg/h", "click t/h"}))
        << "adding and clearing items raise nothing";
}

TEST_P(ControlsContract, SimpleComboClickAndDoubleClick) {
    auto& combo = harness->simpleCombo();
    combo.addItem("row 0", 0);
    combo.addItem("row 1", 1);
    combo.addItem("row 2", 2);
    Log log;
    combo.onClick([&] { log.push_back("click " + std::to_string(combo.selectedIndex())); });
    combo.onDoubleClick([&] { log.push_back("double " + std::to_string(combo.selectedIndex())); });

    combo.setText("row 1");
    EXPECT_EQ(combo.selectedIndex(), -1) << "setting the edit field selects no row";
    combo.showRow(0);
    EXPECT_EQ(combo.selectedIndex(), 0) << "a shown row is selected, silently";
    harness->userEditRow("typed");
    harness->userPickRow(2);
    harness->userPickRow(2);
    harness->userDoubleClickRow(1);
    harness->userDoubleClickRow(1);

    EXPECT_EQ(log, (Log{"click 2", "click 1", "double 1", "double 1"}))
        << "a click on the row already selected raises nothing, also as a double-click's first";
}

// The sizing window hands a pipe back on a double-click only, and the network window redraws its
// profile to the node the user selects: both only for the user's click, not as the program
// fills the table or shows a row.
TEST_P(ControlsContract, TableListRaisesSelectAndDoubleClickOnlyForTheUser) {
    using sheet::Look;
    auto& table = harness->tableList();
    Log log;
    table.onSelect([&] { log.push_back("select " + std::to_string(table.selectedIndex())); });
    table.onDoubleClick([&] { log.push_back("double " + std::to_string(table.selectedIndex())); });
    table.addItem("DN15\t15", 0);
    table.addItem("DN25\t25", 1);
    table.addItem("DN20\t20", 1);
    EXPECT_EQ(harness->tableShown(), (Log{"DN15\t15", "DN20\t20", "DN25\t25"}));
    EXPECT_EQ(table.selectedIndex(), -1);

    table.setRowLook(0, Look::Above);
    table.setRowLook(1, Look::Recommended);
    table.setRowLook(2, Look::Below);
    table.showRow(1);
    EXPECT_EQ(table.selectedIndex(), 1) << "a shown row is selected";
    EXPECT_EQ(log, Log{}) << "the program's selection raises nothing";
    harness->userPickTableRow(2);
    harness->userPickTableRow(2);
    EXPECT_EQ(log, (Log{"select 2"})) << "the row already selected is not selected anew";
    harness->userDoubleClickTableRow(0);
    EXPECT_EQ(log, (Log{"select 2", "select 0", "double 0"}))
        << "a double-click raises once, on the row its first click selects";

    // Stale, every row greyed, the red and bold ones too, its texts kept; live again when told.
    table.setStale(true);
    EXPECT_TRUE(harness->tableGreyed());
    EXPECT_EQ(harness->tableShown(), (Log{"DN15\t15", "DN20\t20", "DN25\t25"}));
    table.setStale(false);
    EXPECT_FALSE(harness->tableGreyed());
    table.setStale(true);
    table.clear();
    table.addItem("DN15\t15", 0);
    EXPECT_FALSE(harness->tableGreyed()) << "a table cleared is live";
    table.clear();
    EXPECT_EQ(harness->tableShown(), Log{});
    table.showRow(0);
    EXPECT_EQ(table.selectedIndex(), -1) << "an empty table has no row to show";
    EXPECT_EQ(log.size(), 3u) << "clearing and filling raise nothing";
}

// The network window's node table sorted by its margins: figures by value (as text " 10" would
// come before "-0.5"), then texts, an empty cell last either way, and the logic's row indexes
// the ones the rows were added under, for the program's shown row and the user's selection alike.
TEST_P(ControlsContract, TableListSortedByTheUserKeepsTheIndexesItsRowsWereAddedUnder) {
    auto& table = harness->tableList();
    Log log;
    table.onSelect([&] { log.push_back("select " + std::to_string(table.selectedIndex())); });
    // E's margin equals C's, F's is a text (a verdict's), G's only blanks.
    const Log rows = {"S\t", "A\t0.05", "B\t-0.5", "C\t10", "D\t-12", "E\t 10", "F\t未算", "G\t "};
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        table.addItem(rows[static_cast<std::size_t>(i)], i);
    // The rows shown, by their names' letters.
    const auto shown = [&] {
        std::string names;
        for (const std::string& row : harness->tableShown())
            names += row.front();
        return names;
    };

    // Figures before texts, equal cells in the order added, empty cells last either way.
    table.showRow(2);
    for (const auto& [order, names] : {std::pair{"ascending", "DBACEFSG"},
                                       {"descending", "FCEABDSG"},
                                       {"as added", "SABCDEFG"}}) {
        harness->userSortTable(1);
        EXPECT_EQ(shown(), names) << order;
        EXPECT_EQ(table.selectedIndex(), 2) << order << ": the row selected stays selected";
    }
    EXPECT_EQ(log, Log{}) << "sorting raises nothing";

    harness->userSortTable(1);
    table.showRow(3);
    EXPECT_EQ(table.selectedIndex(), 3) << "a shown row is the row added as 3, C, wherever it is";
    harness->userPickTableRow(0);
    EXPECT_EQ(log, (Log{"select 4"})) << "the top row, D, is the row added as 4";

    // Filled again while sorted, as the window does after every change, in the order kept.
    table.clear();
    table.addItem("x\t3", 0);
    table.addItem("y\t-1", 1);
    table.addItem("z\t2", 2);
    table.addItem("w\t0.5", 1);
    EXPECT_EQ(harness->tableShown(), (Log{"y\t-1", "w\t0.5", "z\t2", "x\t3"}));
    table.showRow(1);
    harness->userPickTableRow(0);
    EXPECT_EQ(table.selectedIndex(), 2) << "y, moved to 2 by w's insertion";
}

TEST_P(ControlsContract, SwitchingAnOptionOnRaisesItsClickAndClearsTheGroupSilently) {
    Log log;
    for (int i = 0; i < 3; ++i)
        harness->option(i).onClick([&log, i] { log.push_back("click " + std::to_string(i)); });

    harness->option(0).setChecked(true);
    harness->option(1).setChecked(false);
    harness->userClickOption(2);
    harness->userClickOption(2);

    EXPECT_EQ(log, (Log{"click 0", "click 2"}))
        << "switching off and clicking the option already on raise nothing";
    EXPECT_FALSE(harness->option(0).isChecked());
    EXPECT_TRUE(harness->option(2).isChecked());
    // The program switches off the one button that is on, as the main window's start does.
    harness->option(2).setChecked(false);
    EXPECT_FALSE(harness->option(2).isChecked());
    EXPECT_EQ(log.size(), 2u) << "switching off raises nothing";
}

// What the program does besides setting a value raises nothing, and a disabled control takes no
// input from the user.
TEST_P(ControlsContract, EnablingFocusCaptionsMessagesAndDisabledControlsRaiseNothing) {
    auto& box = harness->textBox();
    auto& list = harness->list();
    list.addItem("x", 0);
    int raised = 0;
    box.onChange([&] { ++raised; });
    list.onClick([&] { ++raised; });

    box.setEnabled(false);
    box.setEnabled(true);
    box.setFocus();
    list.setEnabled(false);
    list.setEnabled(true);
    harness->label().setCaption(" 17.6839 m/s");
    harness->messageBox().show("text", "title");
    box.setEnabled(false);
    list.setEnabled(false);
    harness->userType("typed");
    harness->userPick(0);

    EXPECT_EQ(raised, 0);
    EXPECT_EQ(box.text(), "");
}

// The 编辑 menu's undo names the step it would take, and with nothing to undo takes no click.
TEST_P(ControlsContract, MenuCommandShowsItsCaptionAndRaisesItsClickOnlyWhileEnabled) {
    auto& command = harness->menuCommand();
    int clicks = 0;
    command.onClick([&] { ++clicks; });

    harness->userClickMenu();
    EXPECT_EQ(clicks, 1);
    command.setCaption("撤销“删除第 3 段”(&U)");
    EXPECT_EQ(harness->menuShown(), "撤销“删除第 3 段”(&U)");
    command.setEnabled(false);
    harness->userClickMenu();
    EXPECT_EQ(clicks, 1) << "disabled";
    command.setEnabled(true);
    harness->userClickMenu();
    EXPECT_EQ(clicks, 2);
}

// The network window goes to the most unfavourable user at a click on the status line that
// names it: a line not made clickable, or given another status since, takes no click and shows
// no pointing hand. The line shows its last text, with or without a fault.
TEST_P(ControlsContract, OnlyAClickableStatusLineRaisesItsClick) {
    auto& status = harness->statusText();
    int clicks = 0;
    status.onClick([&] { ++clicks; });
    status.setStatus("最不利用户：A，压力 0.5 MPa(表压)", false);
    EXPECT_EQ(harness->statusShown(), "最不利用户：A，压力 0.5 MPa(表压)");
    harness->userClickStatus();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(harness->statusPointsToClick());

    status.setClickable(true);
    EXPECT_EQ(clicks, 0) << "making it clickable raises nothing";
    EXPECT_TRUE(harness->statusPointsToClick());
    harness->userClickStatus();
    harness->userClickStatus();
    EXPECT_EQ(clicks, 2);

    status.setStatus("第 1 段“1”：长度须大于 0", true);
    EXPECT_EQ(harness->statusShown(), "第 1 段“1”：长度须大于 0");
    EXPECT_FALSE(harness->statusPointsToClick()) << "another status names no place to go";
    harness->userClickStatus();
    status.setClickable(true);
    status.setClickable(false);
    harness->userClickStatus();
    EXPECT_EQ(clicks, 2);
}

// A cell's change as a handling hears it: the cell's place and the text it then holds.
std::string changeOf(const controls::Grid& grid, int row, int column) {
    return std::to_string(row) + "," + std::to_string(column) + " " + grid.cell(row, column);
}

void listen(controls::Grid& grid, Log& log) {
    grid.onCellChange(
        [&grid, &log](int row, int column) { log.push_back(changeOf(grid, row, column)); });
}

TEST_P(WorkContract, ProgramSetCellRaisesBeforeReturningAndOnlyWhenTheTextDiffers) {
    auto& grid = harness->grid();
    Log log;
    listen(grid, log);
    grid.insertRow(0);
    grid.insertRow(1);
    EXPECT_EQ(grid.cell(1, 2), "") << "an inserted row's cells are empty";

    grid.setCell(1, 2, "120");
    log.push_back("returned");
    grid.setCell(1, 2, "120");
    grid.setCell(0, 0, "");
    grid.setCell(2, 0, "no such row");

    EXPECT_EQ(log, (Log{"1,2 120", "returned"}));
    EXPECT_EQ(grid.cell(2, 0), "") << "a row the grid does not have holds nothing";
}

// A cell's change is raised once per edit, committed by Enter, Tab or leaving the cell, or per
// pick from its column's list, and only where the text changed; a cell with items takes typed
// text too.
TEST_P(WorkContract, UserEditOrPickRaisesOnceWhenCommittedAndOnlyWhenTheTextChanged) {
    using Commit = WorkHarness::Commit;
    auto& grid = harness->grid();
    for (int row = 0; row < 3; ++row)
        grid.insertRow(row);
    grid.setCell(2, 1, "50");
    Log log;
    listen(grid, log);

    harness->userEdit(0, 0, "S1", Commit::Enter);
    harness->userEdit(1, 1, "D325x8", Commit::Tab);
    harness->userEdit(1, 2, "2.5", Commit::Leave);
    harness->userEdit(2, 1, "50", Commit::Enter);
    EXPECT_EQ(grid.currentRow(), 2) << "the edited cell's row becomes the current one";
    grid.setColumnItems(1, {"D273x7", "D325x8", "D377x9"});
    harness->userPick(0, 1, 1);
    harness->userPick(0, 1, 1);
    harness->userPick(1, 1, 2);
    harness->userEdit(1, 1, "D426x10", Commit::Enter);

    EXPECT_EQ(log,
              (Log{"0,0 S1", "1,1 D325x8", "1,2 2.5", "0,1 D325x8", "1,1 D377x9", "1,1 D426x10"}))
        << "an edit or a pick that leaves the text as it was raises nothing";
}

// A list longer than it shows opens at the cell's item, scrolled to it: by default the item equal
// to the text, else the one the column's finder names; a note lasts as long as its text.
TEST_P(WorkContract, AListOpensAtTheCellsItemAndANoteLastsAsLongAsItsText) {
    using Commit = WorkHarness::Commit;
    auto& grid = harness->grid();
    std::vector<std::string> items;
    for (int outer = 100; outer < 140; ++outer)
        items.push_back("D" + std::to_string(outer) + "x4");
    grid.setColumnItems(1, items);
    grid.insertRow(0);
    grid.insertRow(1);
    grid.setCell(0, 1, "D130x4");
    grid.setCell(1, 1, "Φ130×4");
    EXPECT_EQ(harness->listOpensAt(0, 1), 30) << "the item equal to the cell's text";
    EXPECT_EQ(harness->listOpensAt(1, 1), -1) << "a text no item equals";
    grid.setItemFinder(1, [](std::string_view text) { return text.starts_with("Φ") ? 35 : 2; });
    EXPECT_EQ(harness->listOpensAt(1, 1), 35);
    EXPECT_EQ(harness->listOpensAt(0, 1), 2);

    grid.setCellNote(0, 1, "非标准规格");
    grid.setCellNote(1, 1, "非标准规格");
    grid.setCell(0, 1, "D130x4");
    EXPECT_EQ(harness->cellNote(0, 1), "非标准规格") << "the same text keeps its note";
    grid.setCell(0, 1, "D131x4");
    EXPECT_EQ(harness->cellNote(0, 1), "") << "the program's new text goes without it";
    harness->userEdit(1, 1, "D132x4", Commit::Enter);
    EXPECT_EQ(harness->cellNote(1, 1), "") << "and so does the user's";
}

TEST_P(WorkContract, RowsInsertedRemovedAndMadeCurrentRaiseNothingAndKeepTheirCells) {
    auto& grid = harness->grid();
    for (int row = 0; row < 3; ++row) {
        grid.insertRow(row);
        grid.setCell(row, 0, std::string(1, static_cast<char>('a' + row)));
    }
    int raised = 0;
    grid.onCellChange([&](int, int) { ++raised; });
    grid.onCurrentRowChange([&] { ++raised; });
    auto column0 = [&] {
        Log cells;
        for (int row = 0; row < grid.rowCount(); ++row)
            cells.push_back(grid.cell(row, 0));
        return cells;
    };
    EXPECT_EQ(grid.currentRow(), -1) << "no row is current until one is made so";

    grid.setCurrentRow(1);
    grid.insertRow(0);
    EXPECT_EQ(column0(), (Log{"", "a", "b", "c"}));
    EXPECT_EQ(grid.currentRow(), 2) << "the current row moves down with the rows below it";
    grid.removeRow(2);
    EXPECT_EQ(column0(), (Log{"", "a", "c"}));
    EXPECT_EQ(grid.currentRow(), 2) << "the row that takes the removed one's place is current";
    grid.removeRow(2);
    EXPECT_EQ(grid.currentRow(), 1) << "removing the last row makes the one before it current";
    grid.removeRow(0);
    EXPECT_EQ(column0(), Log{"a"});
    EXPECT_EQ(grid.currentRow(), 0) << "the current row moves up with the rows below it";
    grid.setCurrentRow(-1);
    EXPECT_EQ(grid.currentRow(), -1);
    grid.setCurrentRow(1);
    EXPECT_EQ(grid.currentRow(), -1) << "a row the grid does not have cannot be current";
    grid.removeRow(0);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(raised, 0);
}

// The network window selects a segment's result and node rows as the user makes its row
// current, and makes a row current as the user selects a result: were the program's current row
// heard, each selection would come back round. A click that starts an edit in another row is
// heard before the edit.
TEST_P(WorkContract, OnlyTheUserMakingAnotherRowCurrentRaisesItsChange) {
    using Key = WorkHarness::Key;
    auto& grid = harness->grid();
    for (int row = 0; row < 4; ++row)
        grid.insertRow(row);
    grid.setCurrentRow(3);
    Log log;
    grid.onCurrentRowChange([&] { log.push_back("row " + std::to_string(grid.currentRow())); });
    listen(grid, log);

    const struct {
        const char* what;
        std::function<void()> act;
        Log heard;
    } steps[] = {
        {"a click on another row", [&] { harness->userClickCell(1, 2); }, {"row 1"}},
        {"a click in the same row", [&] { harness->userClickCell(1, 0); }, {}},
        {"Down", [&] { harness->userKey(Key::Down); }, {"row 2"}},
        {"Up", [&] { harness->userKey(Key::Up); }, {"row 1"}},
        {"Tab on from the last cell", [&] { harness->userKey(Key::TabFromLast); }, {"row 2"}},
        {"Down to the last row", [&] { harness->userKey(Key::Down); }, {"row 3"}},
        {"Down past the last row", [&] { harness->userKey(Key::Down); }, {}},
        {"an edit in another row",
         [&] { harness->userEdit(0, 1, "x", WorkHarness::Commit::Leave); },
         {"row 0", "0,1 x"}},
    };
    for (const auto& step : steps) {
        log.clear();
        step.act();
        EXPECT_EQ(log, step.heard) << step.what;
    }
}

// After 添加 the keyboard is in the new row: the cell made current and the grid given the focus,
// so that what the user types next goes into that cell; a cell the grid does not have changes
// nothing.
TEST_P(WorkContract, AFocusedCellTakesWhatIsTypedNext) {
    auto& grid = harness->grid();
    for (int row = 0; row < 3; ++row)
        grid.insertRow(row);
    Log log;
    listen(grid, log);

    grid.focusCell(1, 2);
    grid.focusCell(7, 0);
    grid.focusCell(0, 3);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_TRUE(harness->gridFocused());
    harness->userTypeHere("42");

    EXPECT_EQ(log, Log{"1,2 42"});
}

// A handling that writes a typed pipe in its proper form hears its own write at once, nested,
// and the user's edit is not heard a second time once the handling has rewritten it.
TEST_P(WorkContract, OwnCellRewriteRunsNestedAndTheEditRaisesOnce) {
    auto& grid = harness->grid();
    grid.insertRow(0);
    Log log;
    grid.onCellChange([&](int row, int column) {
        const std::string text = grid.cell(row, column);
        log.push_back("enter " + text);
        if (text == "d325x8")
            grid.setCell(row, column, "D325x8");
        log.push_back("leave " + text);
    });

    harness->userEdit(0, 1, "d325x8", WorkHarness::Commit::Enter);

    EXPECT_EQ(log, (Log{"enter d325x8", "enter D325x8", "leave D325x8", "leave d325x8"}));
    EXPECT_EQ(grid.cell(0, 1), "D325x8");
}

// The question's 保存, 不保存 and 取消, Esc cancelling and Enter saving; the offer's 恢复 and 放弃.
TEST_P(WorkContract, QuestionAndOfferReturnTheUsersAnswer) {
    using Reply = WorkHarness::Reply;
    using Answer = controls::Question::Answer;
    const struct {
        bool offer;
        Reply reply;
        Answer answer;
    } replies[] = {{false, Reply::Save, Answer::Save},     {false, Reply::Discard, Answer::Discard},
                   {false, Reply::Cancel, Answer::Cancel}, {false, Reply::Escape, Answer::Cancel},
                   {false, Reply::Enter, Answer::Save},    {true, Reply::Restore, Answer::Restore},
                   {true, Reply::Discard, Answer::Discard}};
    for (const auto& reply : replies) {
        harness->replyNext(reply.reply);
        controls::Question& question = harness->question();
        EXPECT_EQ(reply.offer ? question.offer("恢复上次未保存的管网吗？", "蒸汽管网")
                              : question.ask("管网已修改，是否保存？", "蒸汽管网"),
                  reply.answer)
            << "reply " << static_cast<int>(reply.reply) << (reply.offer ? " to the offer" : "");
    }
}

TEST_P(TimerContract, FiresOnceTheLastStartsIntervalAfterAndNeverAfterAStop) {
    controls::Timer& timer = harness->timer();
    int fired = 0;
    timer.onTimeout([&] { ++fired; });
    timer.start(1000);
    EXPECT_EQ(fired, 0) << "a start raises nothing";
    harness->wait(300);
    timer.start(1000);
    harness->wait(800);
    EXPECT_EQ(fired, 0) << "a start while it runs begins the interval again";
    harness->wait(700);
    EXPECT_EQ(fired, 1);
    harness->wait(1200);
    EXPECT_EQ(fired, 1) << "single-shot";
    timer.start(1000);
    harness->wait(200);
    timer.stop();
    harness->wait(1200);
    EXPECT_EQ(fired, 1) << "stopped";
}

TEST_P(WorkContract, FileDialogsReturnTheChosenPathOrNothingWhenCancelled) {
    // The open dialog takes only a file that exists.
    const std::filesystem::path folder = ::testing::TempDir();
    const std::string existing = (folder / "管网-open.json").string();
    std::ofstream(existing) << "{}";
    const std::string fresh = (folder / "管网-save.json").string();
    std::filesystem::remove(fresh);
    auto& dialogs = harness->fileDialogs();
    constexpr const char* kFilter = "蒸汽管网 (*.json)";

    harness->chooseNext(existing);
    EXPECT_EQ(dialogs.openPath("打开管网", kFilter), existing);
    harness->chooseNext("");
    EXPECT_EQ(dialogs.openPath("打开管网", kFilter), "");
    harness->chooseNext(fresh);
    EXPECT_EQ(dialogs.savePath("管网另存为", kFilter, "管网.json"), fresh);
    harness->chooseNext("");
    EXPECT_EQ(dialogs.savePath("管网另存为", kFilter, "管网.json"), "");
    std::filesystem::remove(existing);
}

// The clipboard is shared with other programs, its text whole (the tabs and line ends that make
// cells of it, and the Chinese): a paste elsewhere takes the last text the program put there, and
// the program reads what another program put there as it put it.
TEST_P(WorkContract, TheClipboardHoldsTheLastTextWhoeverPutIt) {
    harness->clipboard().setText("管段\t流速 (m/s)\nA\t 17.6839\n");
    EXPECT_EQ(harness->pasted(), "管段\t流速 (m/s)\nA\t 17.6839\n");
    harness->putElsewhere("管段\t长度\r\n1\t100\r\n");
    EXPECT_EQ(harness->clipboard().text(), "管段\t长度\r\n1\t100\r\n");
    harness->clipboard().setText("2939.431");
    EXPECT_EQ(harness->pasted(), "2939.431");
}

// Each cell the user must mend is marked with its fault, over a pipe's note: the mark is the
// program's to take away, and goes with the text it was given for.
TEST_P(WorkContract, AFaultMarkShowsOverANoteAndGoesWithItsText) {
    auto& grid = harness->grid();
    grid.insertRow(0);
    grid.setCell(0, 1, "abc");
    int raised = 0;
    grid.onCellChange([&](int, int) { ++raised; });
    grid.setCellFault(0, 0, "第 1 段：管段的名称为空");
    grid.setCellNote(0, 1, "非标准规格");
    grid.setCellFault(0, 1, "第 1 段：请输入长度");
    EXPECT_EQ(harness->cellFault(0, 0), "第 1 段：管段的名称为空") << "an empty cell marked";
    EXPECT_EQ(harness->cellFault(0, 1), "第 1 段：请输入长度") << "over the note";
    EXPECT_EQ(raised, 0) << "marks raise nothing";
    grid.setCellFault(0, 1, "");
    EXPECT_EQ(harness->cellNote(0, 1), "非标准规格") << "the note's look again";
    grid.setCell(0, 0, "");
    EXPECT_EQ(harness->cellFault(0, 0), "第 1 段：管段的名称为空") << "the same text keeps it";
    harness->userEdit(0, 0, "1", WorkHarness::Commit::Enter);
    EXPECT_EQ(harness->cellFault(0, 0), "") << "a new text goes without it";
}

// The list set is the list the next window finds; setting it raises nothing, and the user's pick
// raises the entry's place once.
TEST_P(WorkContract, RecentFilesOutliveTheirMenuAndRaiseOnlyThePick) {
    std::vector<int> picked;
    controls::RecentFiles& recent = harness->recentFiles();
    recent.onPick([&](int index) { picked.push_back(index); });
    const std::vector<std::string> paths{"/工程/厂区.json", "/工程/a&b.json", "/tmp/三.json"};
    recent.setPaths(paths);
    EXPECT_EQ(recent.paths(), paths);
    EXPECT_EQ(harness->recentFilesAgain().paths(), paths);
    EXPECT_TRUE(picked.empty());
    harness->userPickRecent(1);
    EXPECT_EQ(picked, std::vector<int>{1});
    recent.setPaths({});
    EXPECT_TRUE(harness->recentFilesAgain().paths().empty());
    harness->userPickRecent(0);
    EXPECT_EQ(picked, std::vector<int>{1});
}

// A source, a junction and two users, solved: what the network window hands its pictures.
struct Solved {
    Solved() {
        net.source = {.node = "S", .pressure = 1.0};
        net.segments = {
            {.name = "1", .from = "S", .to = "J", .length = 200, .localLoss = 20},
            {.name = "2", .from = "J", .to = "A", .length = 100, .localLoss = 20, .load = 2},
            {.name = "3", .from = "J", .to = "B", .length = 150, .localLoss = 20, .load = 3}};
        result = network::solve(net);
    }
    network::Network net;
    network::Result result;
};

// The window selects a row for a click in the tree and redraws the profile: a click must raise
// what it is on, once, and the drawing, which the window does at every keystroke, nothing. With
// nothing computed the pictures say why, and a click on them picks nothing.
TEST_P(PicturesContract, AClickRaisesWhatItIsOnAndNothingDrawnTakesNone) {
    const Solved solved;
    ASSERT_TRUE(solved.result.fault.empty()) << solved.result.fault;
    auto& pictures = harness->pictures();
    Log log;
    pictures.onSegmentClick([&](std::size_t i) { log.push_back("segment " + std::to_string(i)); });
    pictures.onNodeClick([&](std::size_t i) { log.push_back("node " + std::to_string(i)); });
    pictures.show(solved.net, solved.result, std::nullopt);
    pictures.showNone("管网中还没有管段");
    pictures.show(solved.net, solved.result, 2);
    pictures.setStale();
    EXPECT_TRUE(harness->greyed());
    EXPECT_EQ(harness->said(), "") << "a stale drawing is kept, greyed";
    pictures.show(solved.net, solved.result, 2);
    EXPECT_FALSE(harness->greyed());
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(harness->said(), "");

    harness->userClickSegment(2);
    harness->userClickNode(3);
    harness->userClickNode(0);
    harness->userClickSegment(0);
    EXPECT_EQ(log, (Log{"segment 2", "node 3", "node 0", "segment 0"}));

    pictures.showNone("输入有误，没有可画的管网");
    EXPECT_EQ(harness->said(), "输入有误，没有可画的管网");
    harness->userClickSegment(1);
    harness->userClickNode(1);
    EXPECT_EQ(log.size(), 4u);
}

} // namespace
// The user's rectangle is the selection, its last row the current one; the program's current
// row makes its cell the selection, so that a command after it works on that row.
TEST_P(WorkContract, TheSelectionIsTheRectangleTheUserSelected) {
    auto& grid = harness->grid();
    for (int row = 0; row < 4; ++row)
        grid.insertRow(row);
    harness->userSelect({1, 0, 2, 1});
    EXPECT_EQ(grid.selection(), (controls::CellRange{1, 0, 2, 1}));
    EXPECT_EQ(grid.currentRow(), 2);
    grid.setCurrentRow(0);
    EXPECT_EQ(grid.selection(), (controls::CellRange{0, 1, 0, 1}));
}

// Each key and each of the context menu's commands raises its own command, once; a key typed
// into a cell's editor is the edit's (Ctrl+C there copies the edited text).
TEST_P(WorkContract, KeysAndTheContextMenuRaiseTheirCommandsOnce) {
    using controls::GridCommand;
    auto& grid = harness->grid();
    grid.insertRow(0);
    std::vector<GridCommand> raised;
    for (const GridCommand command :
         {GridCommand::Cut, GridCommand::Copy, GridCommand::Paste, GridCommand::InsertRow,
          GridCommand::RemoveRows, GridCommand::MoveUp, GridCommand::MoveDown, GridCommand::Clear})
        grid.onCommand(command, [&raised, command] { raised.push_back(command); });
    for (const GridCommand key :
         {GridCommand::Cut, GridCommand::Copy, GridCommand::Paste, GridCommand::Clear}) {
        raised.clear();
        harness->userKey(key);
        EXPECT_EQ(raised, std::vector<GridCommand>{key}) << static_cast<int>(key);
        raised.clear();
        harness->userKeyInEdit(0, 1, key);
        EXPECT_TRUE(raised.empty()) << static_cast<int>(key);
    }
    for (const controls::GridMenuItem& item : controls::kGridMenu) {
        raised.clear();
        harness->userMenu(item.command);
        EXPECT_EQ(raised, std::vector<GridCommand>{item.command}) << item.caption;
    }
}

} // namespace contract
