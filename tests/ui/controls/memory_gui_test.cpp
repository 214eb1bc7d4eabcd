#include "tests/ui/controls/contract.h"
#include "ui/controls/memory_gui.h"

#include <gtest/gtest.h>

namespace {

using controls::memory::Gui;
using Lines = std::vector<std::string>;

class MemoryHarness final : public contract::Harness {
public:
    controls::TextBox& textBox() override { return m_box; }
    controls::DropDownList& list() override { return m_list; }
    controls::SimpleCombo& simpleCombo() override { return m_combo; }
    controls::OptionButton& option(int index) override { return *m_options[index]; }
    controls::Label& label() override { return m_gui.label("Form1.Label4"); }
    controls::MessageBox& messageBox() override { return m_gui.messageBox(); }

    void userType(std::string_view text) override { m_box.userType(text); }
    void userPick(int index) override { m_list.userPick(index); }
    void userPickRow(int index) override { m_combo.userPick(index); }
    void userDoubleClickRow(int index) override { m_combo.userDoubleClick(index); }
    void userEditRow(std::string_view text) override { m_combo.userEdit(text); }
    void userClickOption(int index) override { m_options[index]->userClick(); }

private:
    Gui m_gui;
    controls::memory::MemoryTextBox& m_box = m_gui.textBox("Form1.Text1");
    controls::memory::MemoryDropDownList& m_list = m_gui.dropDownList("Form1.Combo1");
    controls::memory::MemorySimpleCombo& m_combo = m_gui.simpleCombo("Form2.Combo1");
    controls::memory::MemoryOptionButton* m_options[3] = {
        &m_gui.optionButton("Form1.Option1", "Form1.Frame3"),
        &m_gui.optionButton("Form1.Option2", "Form1.Frame3"),
        &m_gui.optionButton("Form1.Option3", "Form1.Frame3")};
};

std::unique_ptr<contract::Harness> makeMemoryHarness() {
    return std::make_unique<MemoryHarness>();
}

} // namespace

namespace contract {
INSTANTIATE_TEST_SUITE_P(Memory, ControlsContract, ::testing::Values(&makeMemoryHarness),
                         [](const auto&) { return std::string("InMemory"); });
} // namespace contract

namespace {

TEST(MemoryGui, RecordsEveryProgramOperationInOrderButNoUserAction) {
    Gui gui;
    auto& box = gui.textBox("Form1.Text3", "1");
    auto& list = gui.dropDownList("Form1.Combo5");
    box.userType("2");
    box.setText("2");
    box.setFocus();
    list.addItem("3", 0);
    list.setText("3");
    list.clear();
    list.setEnabled(false);
    gui.label("Form1.Label13").setCaption(" 2 kg/m3");
    gui.messageBox().show("msg", "错误提示");

    EXPECT_EQ(gui.lines(), (Lines{
                               R"(settext Form1.Text3 "2")",
                               "focus Form1.Text3",
                               R"(additem Form1.Combo5 0 "3")",
                               R"(select Form1.Combo5 "3")",
                               "clear Form1.Combo5",
                               "enable Form1.Combo5 off",
                               R"(caption Form1.Label13 " 2 kg/m3")",
                               R"(message "msg" "错误提示")",
                           }));
    EXPECT_EQ(gui.focused(), "Form1.Text3");
    EXPECT_FALSE(list.enabled());
}

TEST(MemoryGui, InsertingBeforeTheSelectedItemKeepsItSelected) {
    Gui gui;
    auto& list = gui.dropDownList("Form1.Combo3");
    list.addItem("DN20", 0);
    list.setText("DN20");
    list.addItem("DN15", 0);
    EXPECT_EQ(list.text(), "DN20");
    EXPECT_EQ(list.selectedIndex(), 1);
}

} // namespace

namespace {

TEST(MemoryGui, DiscardedWindowStartsAfreshAndKeepsTheOtherWindow) {
    Gui gui;
    gui.simpleCombo("Form2.Combo1").addItem("row", 0);
    gui.textBox("Form2.Text1").setFocus();
    gui.textBox("Form1.Text3", "1").setText("1.122");
    gui.window("Form2").show();

    gui.takeWindow("Form2");

    EXPECT_TRUE(gui.simpleCombo("Form2.Combo1").items().empty());
    EXPECT_FALSE(gui.window("Form2").visible());
    EXPECT_EQ(gui.focused(), "");
    EXPECT_EQ(gui.textBox("Form1.Text3").text(), "1.122");
}

} // namespace
