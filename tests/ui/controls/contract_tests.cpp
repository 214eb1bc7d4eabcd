#include "tests/ui/controls/contract.h"

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
    box.setText("2");
    EXPECT_EQ(changes, 1) << "setting the text a box already holds must raise nothing";
    harness->userType("2");
    EXPECT_EQ(changes, 1);
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

TEST_P(ControlsContract, DropDownListShowsNothingUntilAnItemIsSelected) {
    auto& list = harness->list();
    int clicks = 0;
    list.onClick([&] { ++clicks; });

    list.addItem("a", 0);
    list.addItem("c", 1);
    list.addItem("b", 1);
    EXPECT_EQ(list.text(), "");
    list.setText("c");
    EXPECT_EQ(list.text(), "c");
    list.clear();
    EXPECT_EQ(list.text(), "");
    EXPECT_EQ(clicks, 1) << "adding and clearing items must raise nothing";
}

TEST_P(ControlsContract, ProgramSelectionRaisesClickBeforeReturningAndOnlyOnChange) {
    auto& list = harness->list();
    list.addItem("t/h", 0);
    list.addItem("kg/h", 1);
    Log log;
    list.onClick([&] { log.push_back("click " + list.text()); });

    list.setText("kg/h");
    log.push_back("returned");
    list.setText("kg/h");
    list.setText("no such item");

    EXPECT_EQ(log, (Log{"click kg/h", "returned"}));
    EXPECT_EQ(list.text(), "kg/h");
}

TEST_P(ControlsContract, UserPickRaisesClickAlsoForTheItemAlreadyShown) {
    auto& list = harness->list();
    list.addItem("mm", 0);
    list.addItem("in", 1);
    Log log;
    list.onClick([&] { log.push_back(list.text()); });

    harness->userPick(1);
    harness->userPick(1);
    harness->userPick(0);

    EXPECT_EQ(log, (Log{"in", "in", "mm"}));
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

// The sizing window hands a pipe back on a double-click only: selecting a row, by the user or
// the program, must not hand anything back.
TEST_P(ControlsContract, TableListRaisesOnlyTheUsersDoubleClick) {
    using Look = controls::TableList::Look;
    auto& table = harness->tableList();
    Log log;
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
    harness->userPickTableRow(2);
    EXPECT_EQ(table.selectedIndex(), 2) << "a user's click selects";
    EXPECT_EQ(log, Log{}) << "selecting raises nothing";
    harness->userDoubleClickTableRow(0);
    EXPECT_EQ(log, (Log{"double 0"})) << "a double-click raises once, on the row it selects";

    table.clear();
    EXPECT_EQ(harness->tableShown(), Log{});
    EXPECT_EQ(table.selectedIndex(), -1);
    table.showRow(0);
    EXPECT_EQ(table.selectedIndex(), -1) << "an empty table has no row to show";
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
    EXPECT_FALSE(harness->option(1).isChecked());
    EXPECT_TRUE(harness->option(2).isChecked());
    // The program switches off the one button that is on, as the main window's start does.
    harness->option(2).setChecked(false);
    EXPECT_FALSE(harness->option(2).isChecked());
    EXPECT_EQ(log.size(), 2u) << "switching off raises nothing";
}

TEST_P(ControlsContract, EnablingFocusCaptionsAndMessagesRaiseNothing) {
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

    EXPECT_EQ(raised, 0);
}

TEST_P(ControlsContract, DisabledControlsTakeNoUserInput) {
    auto& box = harness->textBox();
    auto& list = harness->list();
    list.addItem("x", 0);
    int raised = 0;
    box.onChange([&] { ++raised; });
    list.onClick([&] { ++raised; });
    box.setEnabled(false);
    list.setEnabled(false);

    harness->userType("typed");
    harness->userPick(0);

    EXPECT_EQ(raised, 0);
    EXPECT_EQ(box.text(), "");
}

TEST_P(ControlsContract, MenuCommandRaisesItsClickOncePerUserClick) {
    int clicks = 0;
    harness->menuCommand().onClick([&] { ++clicks; });

    harness->userClickMenu();
    EXPECT_EQ(clicks, 1);
    harness->userClickMenu();
    EXPECT_EQ(clicks, 2);
}

TEST_P(ControlsContract, StatusTextShowsTheLastTextWithOrWithoutFault) {
    auto& status = harness->statusText();
    status.setStatus("温度须在 0～800 ℃ 之间", true);
    EXPECT_EQ(harness->statusShown(), "温度须在 0～800 ℃ 之间");
    status.setStatus("饱和蒸汽", false);
    EXPECT_EQ(harness->statusShown(), "饱和蒸汽");
}

} // namespace
} // namespace contract
