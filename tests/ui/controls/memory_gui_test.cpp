#include "tests/ui/controls/contract.h"
#include "ui/controls/memory_gui.h"

#include <gtest/gtest.h>

namespace {

using controls::memory::Gui;

class MemoryHarness final : public contract::Harness {
public:
    controls::TextBox& textBox() override { return m_box; }
    controls::DropDownList& list() override { return m_list; }
    controls::SimpleCombo& simpleCombo() override { return m_combo; }
    controls::TableList& tableList() override { return m_table; }
    controls::OptionButton& option(int index) override { return *m_options[index]; }
    controls::Label& label() override { return m_gui.label("Form1.Label4"); }
    controls::MessageBox& messageBox() override { return m_gui.messageBox(); }
    controls::StatusText& statusText() override { return m_status; }
    controls::MenuCommand& menuCommand() override { return m_menu; }
    std::string statusShown() override { return m_status.text(); }
    std::vector<std::string> tableShown() override { return m_table.items(); }

    void userType(std::string_view text) override { m_box.userType(text); }
    void userPick(int index) override { m_list.userPick(index); }
    void userPickRow(int index) override { m_combo.userPick(index); }
    void userDoubleClickRow(int index) override { m_combo.userDoubleClick(index); }
    // Typing in the edit field selects no row; the in-memory combo keeps no text of its own.
    void userEditRow(std::string_view) override {}
    void userPickTableRow(int index) override { m_table.userPick(index); }
    void userDoubleClickTableRow(int index) override { m_table.userDoubleClick(index); }
    void userClickOption(int index) override { m_options[index]->userClick(); }
    void userClickMenu() override { m_menu.userClick(); }

private:
    Gui m_gui;
    controls::memory::MemoryTextBox& m_box = m_gui.textBox("Form1.Text1");
    controls::memory::MemoryDropDownList& m_list = m_gui.dropDownList("Form1.Combo1");
    controls::memory::MemorySimpleCombo& m_combo = m_gui.simpleCombo("Form2.Combo1");
    controls::memory::MemoryTableList& m_table = m_gui.tableList("Form4.List1");
    controls::memory::MemoryStatusText& m_status = m_gui.statusText("Form3.Label8");
    controls::memory::MemoryMenuCommand& m_menu = m_gui.menuCommand("Form1.mnuSteam");
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
